#include "frmsft.h"

namespace points {

namespace {

constexpr SideButton kTransButtons[] = {
    {.caption = "Trans", .action = PointAction::Single},
    {.caption = "ALL Trans", .action = PointAction::All},
    {.caption = "File Open", .action = PointAction::FileOpen},
};

constexpr SideButton kRecvButtons[] = {
    {.caption = "Receive", .action = PointAction::Single},
    {.caption = "ALL Receive", .action = PointAction::All},
    {.caption = "File Open", .action = PointAction::FileOpen},
    {.caption = "File Save", .action = PointAction::FileSave},
};

constexpr PointWindowDesc kSftWindow{
    .name = "frmSft",
    .caption = "SHIFT LOCATION",
    .table = Table::Sft,
    .numberLength = 2,
    .rangeText = " 0 ~ 99 까지 입력하십시요.",
    .rangeTextOnChange = true,
    .recvOpenTitle = "SFT LOC FILE OPEN",
    .transOpenTitle = nullptr,
    .dialog = "cmdDlgSftLoc",
    .filter = "ZELSFT.dat|ZELSFT.dat|모든파일(*.*)|*.*",
    .trans =
        {
            .frame = "fraSftTrans",
            .frameCaption = "SFT LOC Trans (PC -> ZEL)",
            .fileBox = "txtSftLocTransFile",
            .fileLabel = 2,
            .numberBox = "txtSftLocTrans",
            .numberLabels = {0, 1},
            .numberCaptions = {"Start Sft LOC #", "End Sft LOC #"},
            .buttons = "cmdSftLocTrans",
            .sideButtons = kTransButtons,
            .bar = "ProgressBarSftLocTrans",
        },
    .recv =
        {
            .frame = "fraSftReceive",
            .frameCaption = "SFT LOC Receive (ZEL -> PC)",
            .fileBox = "txtSftLocReceiveFile",
            .fileLabel = 5,
            .numberBox = "txtSftLocReceive",
            .numberLabels = {3, 4},
            .numberCaptions = {"Start Sft LOC #", "End Sft LOC #"},
            .buttons = "cmdSftLocReceive",
            .sideButtons = kRecvButtons,
            .bar = "ProgressBarSftLocReceive",
        },
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
