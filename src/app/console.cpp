// The operator console of the main window: output switching, RUN, stop and
// run reset, servo, alarm reset, zero return, error check and the status read.

#include "frmmain.h"

#include "console/consoleexchange.h"

#include "common/events.h"
#include "common/msgbox.h"
#include "common/numbers.h"
#include "common/texts.h"
#include "link/moderror.h"
#include "link/operatorexchange.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QVBoxLayout>

#include <span>

namespace app {

using namespace comm;
using namespace console;

std::array<std::int16_t, 32> g_OutState{};

namespace {

QGroupBox* ioFrame(const QString& caption, std::array<QCheckBox*, 32>& boxes, const char* name, QWidget* parent)
{
    auto* frame = new QGroupBox(caption, parent);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(2);
    auto label = [frame](const char* t) { return new QLabel(QString::fromLatin1(t), frame); };
    grid->addWidget(label("00"), 0, 0);
    grid->addWidget(label("15"), 0, 16, Qt::AlignRight);
    for (int n = 0; n < 32; ++n) {
        auto* b = new QCheckBox(frame);
        b->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(n));
        b->setToolTip(QString::number(n));
        boxes[std::size_t(n)] = b;
        const int col = n % 16;
        // A wider gap after the eighth box of each row.
        grid->addWidget(b, n < 16 ? 1 : 2, col < 8 ? col : col + 1);
    }
    grid->setColumnMinimumWidth(8, 12);
    grid->addWidget(label("16"), 3, 0);
    grid->addWidget(label("31"), 3, 16, Qt::AlignRight);
    return frame;
}

QPushButton* button(const QString& caption, const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QLabel* lampLabel(const char* caption, QWidget* parent)
{
    return new QLabel(QString::fromLatin1(caption), parent);
}

} // namespace

void frmMain::buildConsole()
{
    auto* top = static_cast<QVBoxLayout*>(layout());

    auto* lamps = new QHBoxLayout;
    imgComm = new Lamp(QStringLiteral("imgComm"), this);
    lamps->addWidget(lampLabel("LINK", this));
    lamps->addWidget(imgComm);
    static const char* const lampCaptions[] = {"RUN", "SERVO", "ERR"};
    for (int i = 0; i < 3; ++i) {
        imgruncomm[std::size_t(i)] = new Lamp(QStringLiteral("imgruncomm_%1").arg(i), this);
        lamps->addSpacing(12);
        lamps->addWidget(lampLabel(lampCaptions[i], this));
        lamps->addWidget(imgruncomm[std::size_t(i)]);
    }
    imgruncomm[0]->setPicture(QStringLiteral("imgstop"));
    lamps->addStretch();
    top->addLayout(lamps);

    top->addWidget(ioFrame(QStringLiteral("I/O Output"), chkIoOutput, "chkIoOutput", this));
    top->addWidget(ioFrame(QStringLiteral("Input"), chkIoInput, "chkIoInput", this));
    for (int n = 0; n < 32; ++n) {
        connect(chkIoOutput[std::size_t(n)], &QCheckBox::clicked, this, [this, n] { chkIoOutput_Click(n); });
        // Inputs are a display only.
        chkIoInput[std::size_t(n)]->setAttribute(Qt::WA_TransparentForMouseEvents);
        chkIoInput[std::size_t(n)]->setFocusPolicy(Qt::NoFocus);
    }

    auto* runFrame = new QGroupBox(QStringLiteral("RUN/ZR"), this);
    auto* grid = new QGridLayout(runFrame);
    grid->addWidget(new QLabel(QStringLiteral("PROGRAM"), runFrame), 0, 0);
    txtRunPrgNo = new QLineEdit(QStringLiteral("0"), runFrame);
    txtRunPrgNo->setObjectName(QStringLiteral("txtRunPrgNo"));
    txtRunPrgNo->setMaxLength(2);
    txtRunPrgNo->setFixedWidth(40);
    grid->addWidget(txtRunPrgNo, 0, 1);
    connect(txtRunPrgNo, &QLineEdit::textChanged, this, [this] { txtRunPrgNo_Change(); });

    // The button arrays of the frame, in the order they are made; each stands
    // in one grid row from its first column.
    struct ButtonRow {
        const char* name;
        std::array<const char*, 3> captions;
        int count;
        int gridRow;
        int firstColumn;
        std::span<QPushButton*> (*buttons)(frmMain&);
        void (frmMain::*click)(int);
    };
    const ButtonRow buttonRows[] = {
        {.name = "cmdRun",
         .captions = {"RUN", "", "RUN-RESET"},
         .count = 3,
         .gridRow = 0,
         .firstColumn = 2,
         .buttons = [](frmMain& w) { return std::span<QPushButton*>(w.cmdRun); },
         .click = &frmMain::cmdRun_Click},
        {.name = "cmdSvOn",
         .captions = {"SERVO ON", "SERVO OFF", "ALARM RESET"},
         .count = 3,
         .gridRow = 1,
         .firstColumn = 0,
         .buttons = [](frmMain& w) { return std::span<QPushButton*>(w.cmdSvOn); },
         .click = &frmMain::cmdSvOn_Click},
        {.name = "cmdIoAllOnOff",
         .captions = {"I/O ALL ON", "I/O ALL OFF"},
         .count = 2,
         .gridRow = 2,
         .firstColumn = 0,
         .buttons = [](frmMain& w) { return std::span<QPushButton*>(w.cmdIoAllOnOff); },
         .click = &frmMain::cmdIoAllOnOff_Click},
        {.name = "cmdZR",
         .captions = {"", "ZR"},
         .count = 2,
         .gridRow = 1,
         .firstColumn = 3,
         .buttons = [](frmMain& w) { return std::span<QPushButton*>(w.cmdZR); },
         .click = &frmMain::cmdZR_Click},
    };
    for (const ButtonRow& row : buttonRows) {
        std::span<QPushButton*> array = row.buttons(*this);
        for (int i = 0; i < row.count; ++i) {
            auto* b = button(QString::fromLatin1(row.captions[std::size_t(i)]),
                             QStringLiteral("%1_%2").arg(QString::fromLatin1(row.name)).arg(i), runFrame);
            array[std::size_t(i)] = b;
            connect(b, &QPushButton::clicked, this, [this, click = row.click, i] { (this->*click)(i); });
            grid->addWidget(b, row.gridRow, row.firstColumn + i);
        }
    }
    // The stop button is a picture button.
    cmdRun[1]->setIcon(QIcon(Lamp::pictureOf(QStringLiteral("imgstop"))));
    cmdRun[1]->setToolTip(QStringLiteral("STOP"));
    cmdZR[0]->setIcon(QIcon(Lamp::pictureOf(QStringLiteral("imgOff"))));
    top->addWidget(runFrame);

    auto* bottom = new QHBoxLayout;
    cmdStatus = button(QStringLiteral("I/O Status Check"), QStringLiteral("cmdStatus"), this);
    connect(cmdStatus, &QPushButton::clicked, this, [this] { cmdStatus_Click(); });
    cmderr = button(QStringLiteral("Error Check"), QStringLiteral("cmderr"), this);
    connect(cmderr, &QPushButton::clicked, this, [this] { cmderr_Click(); });
    bottom->addWidget(cmdStatus);
    bottom->addWidget(cmderr);
    bottom->addStretch();
    top->addLayout(bottom);
}

// The frame of every console action: a running operation makes the click do
// nothing, a closed port is told, and the pressed button is disabled from the
// start to the very end, after the closing status read. The action's report
// is told before that read.
void frmMain::runConsoleAction(QPushButton* pressed, bool statusRead, const std::function<void()>& exchange)
{
    OperatorExchange::EnableControls controls;
    if (pressed)
        controls = [pressed](bool enabled) { pressed->setEnabled(enabled); };
    OperatorExchange operation(OperatorExchange::PortCheck::Tell, controls, this);
    if (!operation)
        return;
    exchange();
    operation.finishReport();
    if (statusRead)
        cmdStatus_Click();
}

namespace {
void tellLinkError0()
{
    ShowLinkError(0);
}
} // namespace

void frmMain::chkIoOutput_Click(int Index)
{
    if (Index < 0 || Index > kLastOutput)
        return;
    runConsoleAction(nullptr, false, [Index] {
        // The opposite of what the last status read found, not the box's new state.
        if (setOutput(Index, g_OutState[std::size_t(Index)] != 1) == CommandResult::WordRefused)
            tellLinkError0();
    });
}

void frmMain::cmdIoAllOnOff_Click(int Index)
{
    if (Index < 0 || Index > 1)
        return;
    runConsoleAction(cmdIoAllOnOff[std::size_t(Index)], true, [Index] {
        if (Index == 0) {
            if (sendCommand(ConsoleCommand::IoAllOn) == CommandResult::WordRefused)
                tellLinkError0();
        } else if (sendCommand(ConsoleCommand::IoAllOff) == CommandResult::WordRefused) {
            common::MsgBox(QStringLiteral("통신 에러 발생"));
        }
    });
}

void frmMain::setRunButtonsEnabled(bool enabled)
{
    cmdRun[0]->setEnabled(enabled);
    cmdSvOn[0]->setEnabled(enabled);
    cmdSvOn[1]->setEnabled(enabled);
}

void frmMain::cmdRun_Click(int Index)
{
    if (Index < 0 || Index > 2)
        return;
    runConsoleAction(cmdRun[std::size_t(Index)], true, [Index, this] {
        if (Index == 0) {
            // The number is read before the handshake; the box holds 0..31.
            const auto number = common::toInt16(common::Val(txtRunPrgNo->text()));
            const std::int32_t prg = number && *number >= 0 ? *number : 0;
            const CommandResult r = runProgram(prg, [this] {
                setRunButtonsEnabled(false);
                m_Running = true;
            });
            if (r == CommandResult::WordRefused)
                tellLinkError0();
            return;
        }
        setRunButtonsEnabled(true);
        m_Running = false;
        if (Index == 1)
            stopRun();
        else
            resetRun();
    });
}

void frmMain::cmdSvOn_Click(int Index)
{
    static constexpr ConsoleCommand commands[] = {ConsoleCommand::ServoOn, ConsoleCommand::ServoOff,
                                                  ConsoleCommand::AlarmReset};
    if (Index < 0 || Index > 2)
        return;
    runConsoleAction(cmdSvOn[std::size_t(Index)], true, [Index] {
        if (sendCommand(commands[Index]) == CommandResult::WordRefused)
            tellLinkError0();
    });
}

void frmMain::cmdZR_Click(int Index)
{
    (void)Index; // both zero-return buttons do the same
    runConsoleAction(nullptr, false, [] {
        if (sendCommand(ConsoleCommand::ZeroReturn) == CommandResult::WordRefused)
            tellLinkError0();
    });
}

void frmMain::cmderr_Click()
{
    runConsoleAction(cmderr, true, [] { ReadCtrlError(); });
}

void frmMain::cmdStatus_Click()
{
    // A closed port or a running operation: the read is passed over silently.
    const OperatorExchange operation(
        OperatorExchange::PortCheck::Quiet, [this](bool enabled) { cmdStatus->setEnabled(enabled); }, this);
    if (!operation)
        return;
    Lamp* run = imgruncomm[0];
    Lamp* servo = imgruncomm[1];
    Lamp* errLamp = imgruncomm[2];
    run->setPicture(QStringLiteral("imgstop"));
    errLamp->setPicture(QStringLiteral("imgOff"));

    const std::optional<IoBits> outputs = readOutputs();
    if (!outputs)
        return;
    for (int n = 0; n < 32; ++n) {
        chkIoOutput[std::size_t(n)]->setChecked(outputs->on(n));
        g_OutState[std::size_t(n)] = outputs->on(n) ? 1 : 0;
    }
    const bool alarm = outputs->on(kAlarmOutput);
    if (!alarm)
        m_AlarmArmed = true;
    if (alarm && m_AlarmArmed) {
        errLamp->setPicture(QStringLiteral("imgerr"));
        common::MsgBox(QStringLiteral("ALARM RESET 을 누르고 에러 조치를 취하십시요."));
        m_AlarmArmed = false;
    }

    const std::optional<IoBits> inputs = readInputs();
    if (!inputs)
        return;
    for (int n = 0; n < 32; ++n)
        chkIoInput[std::size_t(n)]->setChecked(inputs->on(n));
    imgComm->setPicture(QStringLiteral("imgOn"));
    servo->setPicture(chkIoOutput[kServoOutput]->isChecked() ? QStringLiteral("Imgservo") : QStringLiteral("imgOff"));
    if (chkIoOutput[kAlarmOutput]->isChecked()) {
        errLamp->setPicture(QStringLiteral("imgerr"));
        m_Running = false;
        setRunButtonsEnabled(true);
    }
    if (m_Running)
        run->setPicture(QStringLiteral("imgrun"));
}

void frmMain::txtRunPrgNo_Change()
{
    const QString t = txtRunPrgNo->text();
    if (t.isEmpty())
        return;
    const auto v = common::numericValue(t);
    if (!v) {
        common::MsgBox(common::texts::kNotNumber);
        txtRunPrgNo->setText(QStringLiteral("0"));
        return;
    }
    if (*v < 0 || *v > 31) {
        common::MsgBox(QStringLiteral("0 ~ 31 까지 입력하십시요."));
        txtRunPrgNo->setText(QStringLiteral("0"));
    }
}

} // namespace app
