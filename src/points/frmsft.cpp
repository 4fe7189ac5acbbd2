#include "frmsft.h"

namespace points {

namespace {

constexpr ButtonSpec kTransButtons[] = {
    {"Trans", PointAction::Single},
    {"ALL Trans", PointAction::All},
    {"File Open", PointAction::FileOpen},
};

constexpr ButtonSpec kRecvButtons[] = {
    {"Receive", PointAction::Single},
    {"ALL Receive", PointAction::All},
    {"File Open", PointAction::FileOpen},
    {"File Save", PointAction::FileSave},
};

constexpr PointWindowDesc kSftWindow{
    "frmSft",
    "SHIFT LOCATION",
    Table::Sft,
    2,
    " 0 ~ 99 까지 입력하십시요.",
    true,
    "SFT LOC FILE OPEN",
    nullptr,
    "cmdDlgSftLoc",
    "ZELSFT.dat|ZELSFT.dat|모든파일(*.*)|*.*",
    {"fraSftTrans",
     "SFT LOC Trans (PC -> ZEL)",
     "txtSftLocTransFile",
     2,
     "txtSftLocTrans",
     {0, 1},
     {"Start Sft LOC #", "End Sft LOC #"},
     "cmdSftLocTrans",
     kTransButtons,
     "ProgressBarSftLocTrans"},
    {"fraSftReceive",
     "SFT LOC Receive (ZEL -> PC)",
     "txtSftLocReceiveFile",
     5,
     "txtSftLocReceive",
     {3, 4},
     {"Start Sft LOC #", "End Sft LOC #"},
     "cmdSftLocReceive",
     kRecvButtons,
     "ProgressBarSftLocReceive"},
};

} // namespace

frmSft& frmSft::instance()
{
    static frmSft* w = new frmSft; // lives for the whole run
    return *w;
}

frmSft::frmSft() : PointWindow(kSftWindow)
{
    buildSides(Label1);
    fraSftTrans = m_trans.frame;
    fraSftReceive = m_recv.frame;
    txtSftLocTransFile = m_trans.file;
    txtSftLocTrans = m_trans.number;
    ProgressBarSftLocTrans = m_trans.bar;
    std::copy(m_trans.buttons.begin(), m_trans.buttons.end(), cmdSftLocTrans.begin());
    txtSftLocReceiveFile = m_recv.file;
    txtSftLocReceive = m_recv.number;
    ProgressBarSftLocReceive = m_recv.bar;
    std::copy(m_recv.buttons.begin(), m_recv.buttons.end(), cmdSftLocReceive.begin());
    cmdDlgSftLoc = m_dialog;
}

void frmSft::Form_Load()
{
    PointWindow::Form_Load();
    txtSftLocTransFile->setText(m_TransFileName);
    txtSftLocReceiveFile->setText(m_RecvFileName);
}

} // namespace points
