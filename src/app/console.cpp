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

// The link lamp, then the RUN, SERVO and ERR lamps, each after its label.
void addLamps(frmMain& w, QVBoxLayout& top)
{
    auto* lamps = new QHBoxLayout;
    w.imgComm = new Lamp(QStringLiteral("imgComm"), &w);
    lamps->addWidget(lampLabel("LINK", &w));
    lamps->addWidget(w.imgComm);
    static const char* const lampCaptions[] = {"RUN", "SERVO", "ERR"};
    for (int i = 0; i < 3; ++i) {
        w.imgruncomm[std::size_t(i)] = new Lamp(QStringLiteral("imgruncomm_%1").arg(i), &w);
        lamps->addSpacing(12);
        lamps->addWidget(lampLabel(lampCaptions[i], &w));
        lamps->addWidget(w.imgruncomm[std::size_t(i)]);
    }
    w.imgruncomm[0]->setPicture(QStringLiteral("imgstop"));
    lamps->addStretch();
    top.addLayout(lamps);
}

// The 32 outputs and the 32 inputs; only an output takes a click.
void addIoFrames(frmMain& w, QVBoxLayout& top)
{
    top.addWidget(ioFrame(QStringLiteral("I/O Output"), w.chkIoOutput, "chkIoOutput", &w));
    top.addWidget(ioFrame(QStringLiteral("Input"), w.chkIoInput, "chkIoInput", &w));
    for (int n = 0; n < 32; ++n) {
        QObject::connect(w.chkIoOutput[std::size_t(n)], &QCheckBox::clicked, &w, [&w, n] { w.chkIoOutput_Click(n); });
        // Inputs are a display only.
        w.chkIoInput[std::size_t(n)]->setAttribute(Qt::WA_TransparentForMouseEvents);
        w.chkIoInput[std::size_t(n)]->setFocusPolicy(Qt::NoFocus);
    }
}

// The button arrays of the RUN/ZR frame, in the order they are made; each
// stands in one grid row from its first column.
void addRunButtons(frmMain& w, QGridLayout& grid, QWidget* frame)
{
    struct ButtonRow {
        const char* name;
        std::array<const char*, 3> captions; // by button index
        std::span<QPushButton*> buttons;
        int gridRow;
        int firstColumn;
        void (frmMain::*click)(int);
    };
    const ButtonRow buttonRows[] = {
        {.name = "cmdRun",
         .captions = {"RUN", "", "RUN-RESET"},
         .buttons = w.cmdRun,
         .gridRow = 0,
         .firstColumn = 2,
         .click = &frmMain::cmdRun_Click},
        {.name = "cmdSvOn",
         .captions = {"SERVO ON", "SERVO OFF", "ALARM RESET"},
         .buttons = w.cmdSvOn,
         .gridRow = 1,
         .firstColumn = 0,
         .click = &frmMain::cmdSvOn_Click},
        {.name = "cmdIoAllOnOff",
         .captions = {"I/O ALL ON", "I/O ALL OFF"},
         .buttons = w.cmdIoAllOnOff,
         .gridRow = 2,
         .firstColumn = 0,
         .click = &frmMain::cmdIoAllOnOff_Click},
        {.name = "cmdZR",
         .captions = {"", "ZR"},
         .buttons = w.cmdZR,
         .gridRow = 1,
         .firstColumn = 3,
         .click = &frmMain::cmdZR_Click},
    };
    for (const ButtonRow& row : buttonRows) {
        Q_ASSERT(row.buttons.size() <= row.captions.size());
        for (int i = 0; i < int(row.buttons.size()); ++i) {
            auto* b = button(QString::fromLatin1(row.captions[std::size_t(i)]),
                             QStringLiteral("%1_%2").arg(QString::fromLatin1(row.name)).arg(i), frame);
            row.buttons[std::size_t(i)] = b;
            QObject::connect(b, &QPushButton::clicked, &w, [&w, click = row.click, i] { (w.*click)(i); });
            grid.addWidget(b, row.gridRow, row.firstColumn + i);
        }
    }
    // The stop button is a picture button.
    w.cmdRun[1]->setIcon(QIcon(Lamp::pictureOf(QStringLiteral("imgstop"))));
    w.cmdRun[1]->setToolTip(QStringLiteral("STOP"));
    w.cmdZR[0]->setIcon(QIcon(Lamp::pictureOf(QStringLiteral("imgOff"))));
}

// The program-number box and the run, servo, output and zero-return buttons.
void addRunFrame(frmMain& w, QVBoxLayout& top)
{
    auto* runFrame = new QGroupBox(QStringLiteral("RUN/ZR"), &w);
    auto* grid = new QGridLayout(runFrame);
    grid->addWidget(new QLabel(QStringLiteral("PROGRAM"), runFrame), 0, 0);
    w.txtRunPrgNo = new QLineEdit(QStringLiteral("0"), runFrame);
    w.txtRunPrgNo->setObjectName(QStringLiteral("txtRunPrgNo"));
    w.txtRunPrgNo->setMaxLength(2);
    w.txtRunPrgNo->setFixedWidth(40);
    grid->addWidget(w.txtRunPrgNo, 0, 1);
    QObject::connect(w.txtRunPrgNo, &QLineEdit::textChanged, &w, [&w] { w.txtRunPrgNo_Change(); });
    addRunButtons(w, *grid, runFrame);
    top.addWidget(runFrame);
}

// The status read and the error check, along the bottom.
void addCheckButtons(frmMain& w, QVBoxLayout& top)
{
    auto* bottom = new QHBoxLayout;
    w.cmdStatus = button(QStringLiteral("I/O Status Check"), QStringLiteral("cmdStatus"), &w);
    QObject::connect(w.cmdStatus, &QPushButton::clicked, &w, [&w] { w.cmdStatus_Click(); });
    w.cmderr = button(QStringLiteral("Error Check"), QStringLiteral("cmderr"), &w);
    QObject::connect(w.cmderr, &QPushButton::clicked, &w, [&w] { w.cmderr_Click(); });
    bottom->addWidget(w.cmdStatus);
    bottom->addWidget(w.cmderr);
    bottom->addStretch();
    top.addLayout(bottom);
}

} // namespace

void frmMain::buildConsole()
{
    auto& top = *static_cast<QVBoxLayout*>(layout());
    addLamps(*this, top);
    addIoFrames(*this, top);
    addRunFrame(*this, top);
    addCheckButtons(*this, top);
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
