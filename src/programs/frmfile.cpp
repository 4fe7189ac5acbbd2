#include "frmfile.h"

#include "folders.h"
#include "frmdir.h"

#include "common/colors.h"
#include "common/msgbox.h"
#include "common/numbers.h"
#include "common/texts.h"
#include "link/operatorexchange.h"

#include <QGridLayout>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace programs {

namespace {

const QString kNoTransName = QStringLiteral("File Open 메뉴에서 전송할 화일명을 입력하십시요.");

constexpr std::uint32_t kNumberBoxColour = 0x00FFFF00;
constexpr int kBarMax = 256;

// The number a box's text gives a transfer: its leading number, half to even.
int numberOfBox(const QString& text)
{
    return common::toInt16(common::Val(text)).value_or(0);
}

} // namespace

frmFile& frmFile::instance()
{
    static frmFile* w = new frmFile; // lives for the whole run
    return *w;
}

frmFile::frmFile()
{
    setObjectName(QStringLiteral("frmFile"));
    setWindowTitle(QStringLiteral("FILE Trans / Receive"));
    auto* column = new QVBoxLayout(this);

    struct SideNames {
        const char* frame;
        const char* caption;
        int fileLabel;
        int numberLabel;
        const char* boxes;
        const char* open;
        const char* buttons;
        std::array<const char*, 2> captions;
        const char* bar;
    };
    auto side = [&](const SideNames& s, QGroupBox*& frame, std::array<QLineEdit*, 2>& boxes, QPushButton*& open,
                    std::array<QPushButton*, 2>& buttons, QProgressBar*& bar) {
        frame = new QGroupBox(QString::fromUtf8(s.caption), this);
        frame->setObjectName(QString::fromLatin1(s.frame));
        column->addWidget(frame);
        auto* grid = new QGridLayout(frame);
        auto label = [&](int index, const char* text) {
            auto* l = new QLabel(QString::fromLatin1(text), frame);
            l->setObjectName(QStringLiteral("Label1_%1").arg(index));
            Label1[std::size_t(index)] = l;
            return l;
        };
        grid->addWidget(label(s.fileLabel, "PC File Name"), 0, 0);
        grid->addWidget(label(s.numberLabel, "ZEL File #"), 0, 1);
        for (int i = 0; i < 2; ++i) {
            auto* box = new QLineEdit(frame);
            box->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(s.boxes)).arg(i));
            boxes[std::size_t(i)] = box;
        }
        boxes[0]->setEnabled(false); // filled by the chooser and the number box only
        boxes[0]->setMinimumWidth(320);
        boxes[1]->setText(QStringLiteral("0"));
        boxes[1]->setAlignment(Qt::AlignCenter);
        boxes[1]->setMaxLength(2);
        boxes[1]->setMaximumWidth(80);
        common::setBackColor(boxes[1], kNumberBoxColour);
        grid->addWidget(boxes[0], 1, 0);
        grid->addWidget(boxes[1], 1, 1);

        open = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), QStringLiteral("File Open"), frame);
        open->setObjectName(QString::fromLatin1(s.open));
        grid->addWidget(open, 2, 0, Qt::AlignLeft);
        bar = new QProgressBar(frame);
        bar->setObjectName(QString::fromLatin1(s.bar));
        bar->setRange(0, kBarMax);
        bar->setValue(0);
        grid->addWidget(bar, 3, 0);
        for (int i = 0; i < 2; ++i) {
            auto* b = new QPushButton(QString::fromLatin1(s.captions[std::size_t(i)]), frame);
            b->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(s.buttons)).arg(i));
            buttons[std::size_t(i)] = b;
            grid->addWidget(b, 2 + i, 1);
        }
    };
    side({.frame = "fraFileTrans",
          .caption = "FILE Trans (PC ▶ ZEL)",
          .fileLabel = 2,
          .numberLabel = 3,
          .boxes = "txtFileTrans",
          .open = "cmdFileTransOpen",
          .buttons = "cmdFileTrans",
          .captions = {"Trans", "ALL Trans"},
          .bar = "ProgressBarTrans"},
         fraFileTrans, txtFileTrans, cmdFileTransOpen, cmdFileTrans, ProgressBarTrans);
    side({.frame = "fraFileReceive",
          .caption = "FILE Receive (ZEL ▶ PC)",
          .fileLabel = 5,
          .numberLabel = 4,
          .boxes = "txtFileReceive",
          .open = "cmdFileReceiveOpen",
          .buttons = "cmdFileReceive",
          .captions = {"Receive ", "ALL Receive"},
          .bar = "ProgressBarReceive"},
         fraFileReceive, txtFileReceive, cmdFileReceiveOpen, cmdFileReceive, ProgressBarReceive);

    for (int i = 0; i < 2; ++i) {
        connect(txtFileTrans[std::size_t(i)], &QLineEdit::textChanged, this, [this, i] { txtFileTrans_Change(i); });
        connect(txtFileReceive[std::size_t(i)], &QLineEdit::textChanged, this, [this, i] { txtFileReceive_Change(i); });
        connect(cmdFileTrans[std::size_t(i)], &QPushButton::clicked, this, [this, i] { cmdFileTrans_Click(i); });
        connect(cmdFileReceive[std::size_t(i)], &QPushButton::clicked, this, [this, i] { cmdFileReceive_Click(i); });
    }
    connect(cmdFileTransOpen, &QPushButton::clicked, this, &frmFile::cmdFileTransOpen_Click);
    connect(cmdFileReceiveOpen, &QPushButton::clicked, this, &frmFile::cmdFileReceiveOpen_Click);
}

void frmFile::Form_Load()
{
    for (QLineEdit* box : {txtFileTrans[1], txtFileReceive[1]}) {
        const QSignalBlocker block(box);
        box->setText(QStringLiteral("0"));
    }
    ProgressBarTrans->setValue(0);
    ProgressBarReceive->setValue(0);
    setTransferControlsEnabled(true);
    adjustSize();
    centreOnScreen();
    txtFileReceive[0]->setText(m_RecvFileName);
    txtFileTrans[0]->setText(m_TransFileName);
}

void frmFile::Form_Unload(bool& cancel)
{
    // The running transfer still uses the window's boxes and bars.
    if (running()) {
        cancel = true;
        return;
    }
    m_RecvFileName = txtFileReceive[0]->text();
    m_TransFileName = txtFileTrans[0]->text();
    common::enableMainWindowFor(this);
}

bool frmFile::running() const
{
    return comm::OperatorExchange::runningFor(this);
}

comm::OperatorExchange::EnableControls frmFile::transferControls()
{
    return [this](bool enabled) { setTransferControlsEnabled(enabled); };
}

void frmFile::setTransferControlsEnabled(bool enabled)
{
    for (QPushButton* b :
         {cmdFileTrans[0], cmdFileTrans[1], cmdFileReceive[0], cmdFileReceive[1], cmdFileTransOpen, cmdFileReceiveOpen})
        b->setEnabled(enabled);
    txtFileTrans[1]->setEnabled(enabled);
    txtFileReceive[1]->setEnabled(enabled);
}

int frmFile::recvNumberUsed() const
{
    return numberOfBox(txtFileReceive[1]->text());
}

void frmFile::cmdFileReceive_Click(int Index)
{
    if (Index < 0 || Index > 1)
        return;
    // A click served while another exchange waits does nothing at all.
    comm::OperatorExchange exchange(comm::OperatorExchange::PortCheck::Tell, transferControls(), this);
    if (!exchange)
        return;
    if (txtFileReceive[0]->text().isEmpty()) {
        common::MsgBox(common::texts::kNoSaveName);
        return;
    }
    if (Index == 0) {
        g_RecvFileNo = std::int16_t(recvNumberUsed());
        RecvPrgFile(0, this);
    } else {
        RecvPrgFile(1, this);
    }
    exchange.finishReport();
}

void frmFile::cmdFileTrans_Click(int Index)
{
    if (Index < 0 || Index > 1)
        return;
    comm::OperatorExchange exchange(comm::OperatorExchange::PortCheck::Tell, transferControls(), this);
    if (!exchange)
        return;
    if (txtFileTrans[0]->text().isEmpty()) {
        common::MsgBox(kNoTransName);
        return;
    }
    if (Index == 0) {
        g_TransFileNo = std::int16_t(numberOfBox(txtFileTrans[1]->text()));
        TransPrgFile(0, this);
        exchange.finishReport();
        return;
    }
    const QString unreadable = checkDefaultPrgFiles(open_directory);
    if (!unreadable.isEmpty()) {
        common::MsgBox(unreadable);
        return;
    }
    TransPrgFile(1, this);
    exchange.finishReport();
}

void frmFile::cmdFileTransOpen_Click()
{
    where_clicked = QStringLiteral("trans");
    if (const auto path = frmdir::instance().choose(this, recvNumberUsed()))
        txtFileTrans[0]->setText(*path);
}

void frmFile::cmdFileReceiveOpen_Click()
{
    where_clicked = QStringLiteral("receive");
    if (const auto path = frmdir::instance().choose(this, recvNumberUsed()))
        txtFileReceive[0]->setText(*path);
}

void frmFile::txtFileReceive_Change(int Index)
{
    numberChanged(false, Index);
}

void frmFile::txtFileTrans_Change(int Index)
{
    numberChanged(true, Index);
}

void frmFile::numberChanged(bool transSide, int index)
{
    QLineEdit* box = transSide ? txtFileTrans[1] : txtFileReceive[1];
    const QString text = box->text();
    if (text.isEmpty())
        return;
    const auto v = common::numericValue(text);
    if (!v) {
        common::MsgBox(common::texts::kNotNumber);
        box->setText(QStringLiteral("0"));
        return;
    }
    if (index == 0)
        return;
    const auto n = common::toInt16(*v);
    if (!n || *n < 0 || *n > kLastProgram) {
        box->setText(common::formatInt(transSide ? g_TransFileNo : g_RecvFileNo));
        return;
    }
    if (transSide) {
        g_TransFileNo = *n;
        return;
    }
    // The file proposed is that of the number a receive will use ("1." is 1).
    const QString name = defaultPrgFile(save_directory, *n);
    frmdir::instance().proposePath(name);
    txtFileReceive[0]->setText(name);
    g_RecvFileNo = *n;
}

void frmFile::showRecvNumber(int n)
{
    txtFileReceive[1]->setText(common::formatInt(n));
}

void frmFile::showTransNumber(int n)
{
    txtFileTrans[1]->setText(common::formatInt(n));
}

QString frmFile::recvFileBox() const
{
    return txtFileReceive[0]->text();
}

QString frmFile::transFileBox() const
{
    return txtFileTrans[0]->text();
}

void frmFile::setRecvBar(int value)
{
    ProgressBarReceive->setValue(value);
}

void frmFile::setTransBar(int value)
{
    ProgressBarTrans->setValue(value);
}

} // namespace programs
