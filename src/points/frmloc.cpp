#include "frmloc.h"

#include "common/numbers.h"
#include "link/moddef.h"

#include <QSignalBlocker>

namespace points {

namespace {

constexpr SideButton kTransButtons[] = {
    {.caption = "Trans", .action = PointAction::Single},
    {.caption = "Block Trans", .action = PointAction::Block},
    {.caption = "ALL Trans", .action = PointAction::All},
    {.caption = "File Open", .action = PointAction::FileOpen},
};

constexpr SideButton kRecvButtons[] = {
    {.caption = "Receive", .action = PointAction::Single},
    {.caption = "Block Receive", .action = PointAction::Block},
    {.caption = "ALL Receive", .action = PointAction::All},
    {.caption = "File Open", .action = PointAction::FileOpen},
    {.caption = "File Save", .action = PointAction::FileSave},
};

constexpr PointWindowDesc kLocWindow{
    .name = "frmLoc",
    .caption = "LOCATION",
    .table = Table::Loc,
    .numberLength = 3,
    .rangeText = " 0 ~ 999 까지 입력하십시요.",
    .rangeTextOnChange = false,
    .recvOpenTitle = "LOC FILE SAVE",
    .transOpenTitle = "LOC FILE OPEN",
    .dialog = "cmdDlgLoc",
    .filter = "ZELLOC.dat|ZELLOC.dat|모든파일(*.*)|*.*",
    .trans =
        {
            .frame = "fraLoc",
            .frameCaption = "LOC Trans (PC -> ZEL)",
            .fileBox = "txtLocTransFile",
            .fileLabel = 12,
            .numberBox = "txtLocTrans",
            .numberLabels = {0, 1},
            .numberCaptions = {"Start LOC #", "End LOC #"},
            .buttons = "cmdLocTrans",
            .sideButtons = kTransButtons,
            .bar = "ProgressBarLocTrans",
        },
    .recv =
        {
            .frame = "Frame1",
            .frameCaption = "LOC Receive (ZEL -> PC)",
            .fileBox = "txtLocReceiveFile",
            .fileLabel = 13,
            .numberBox = "txtLocReceive",
            .numberLabels = {11, 10},
            .numberCaptions = {"Start LOC #", "End LOC #"},
            .buttons = "cmdLocReceive",
            .sideButtons = kRecvButtons,
            .bar = "ProgressBarLocReceive",
        },
};

// Label of each axis value box, axes 1..4, per side.
constexpr int kTransValueLabels[] = {9, 8, 7, 6};
constexpr int kRecvValueLabels[] = {2, 3, 4, 5};
constexpr const char* kAxisCaptions[] = {"LOC 1AX", "2AX", "3AX", "4AX"};

} // namespace

frmLoc& frmLoc::instance()
{
    static frmLoc* w = new frmLoc; // lives for the whole run
    return *w;
}

frmLoc::frmLoc() : PointWindow(kLocWindow)
{
    buildSides(Label1);
    fraLoc = m_trans.frame;
    Frame1 = m_recv.frame;
    txtLocTransFile = m_trans.file;
    txtLocTrans = m_trans.number;
    ProgressBarLocTrans = m_trans.bar;
    std::copy(m_trans.buttons.begin(), m_trans.buttons.end(), cmdLocTrans.begin());
    txtLocReceiveFile = m_recv.file;
    txtLocReceive = m_recv.number;
    ProgressBarLocReceive = m_recv.bar;
    std::copy(m_recv.buttons.begin(), m_recv.buttons.end(), cmdLocReceive.begin());
    cmdDlgLoc = m_dialog;

    auto values = [this](Side& side, std::array<QLineEdit*, 4>& boxes, const char* name, const int* labels) {
        for (int a = 0; a < 4; ++a) {
            auto* l = new QLabel(QString::fromLatin1(kAxisCaptions[a]), side.frame);
            l->setObjectName(QStringLiteral("Label1_%1").arg(labels[a]));
            Label1[std::size_t(labels[a])] = l;
            auto* box = new QLineEdit(QStringLiteral("0.00"), side.frame);
            box->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(a));
            box->setAlignment(Qt::AlignRight);
            boxes[std::size_t(a)] = box;
            side.grid->addWidget(l, 2, 2 * a);
            side.grid->addWidget(box, 2, 2 * a + 1);
        }
    };
    values(m_trans, txtTransLocVal, "txtTransLocVal", kTransValueLabels);
    values(m_recv, txtRcvLocVal, "txtRcvLocVal", kRecvValueLabels);
    for (int a = 0; a < 4; ++a)
        connect(txtTransLocVal[std::size_t(a)], &QLineEdit::textChanged, this, [this, a] { txtTransLocVal_Change(a); });
}

void frmLoc::resetControls()
{
    PointWindow::resetControls();
    for (auto* boxes : {&txtTransLocVal, &txtRcvLocVal})
        for (QLineEdit* box : *boxes) {
            const QSignalBlocker block(box);
            box->setText(QStringLiteral("0.00"));
        }
}

void frmLoc::Form_Load()
{
    PointWindow::Form_Load();
    txtLocTrans[0]->setText(QString::number(g_TransLocNo));
    txtLocReceive[0]->setText(QString::number(g_RcvLocNo));
    showValues(txtTransLocVal, g_TransLocNo);
    showValues(txtRcvLocVal, g_RcvLocNo);
    txtLocTransFile->setText(m_TransFileName);
    txtLocReceiveFile->setText(m_RecvFileName);
}

void frmLoc::showValues(const std::array<QLineEdit*, 4>& boxes, int p)
{
    if (!validPoint(Table::Loc, p))
        return;
    // The boxes show the point that txtLocTrans(0) names: storing back what
    // they show would change nothing.
    const bool wasFilling = m_filling;
    m_filling = true;
    for (int a = 0; a < comm::axesWithinTables(); ++a)
        boxes[std::size_t(a)]->setText(common::formatHundredths(g_LocData[std::size_t(p)].ax[std::size_t(a)]));
    m_filling = wasFilling;
}

void frmLoc::previewPoint(bool transSide, int point)
{
    showValues(transSide ? txtTransLocVal : txtRcvLocVal, point);
}

void frmLoc::showReceivedPoint()
{
    showValues(txtRcvLocVal, g_RcvLocNo);
}

void frmLoc::afterTransLoad()
{
    txtLocTrans[0]->setText(QStringLiteral("0"));
    showValues(txtTransLocVal, 0);
}

void frmLoc::txtTransLocVal_Change(int Index)
{
    if (m_filling || Index < 0 || Index > 3)
        return;
    // Only a point of the table takes the value, and only a value that fits.
    const auto p = boxPoint(txtLocTrans[0]);
    if (!p)
        return;
    const auto hundredths = common::toInt32(common::leadingNumber(txtTransLocVal[std::size_t(Index)]->text()) * 100.0);
    if (!hundredths)
        return;
    g_LocData[std::size_t(*p)].ax[std::size_t(Index)] = *hundredths;
}

} // namespace points
