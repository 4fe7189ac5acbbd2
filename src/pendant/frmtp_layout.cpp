// The pendant window's controls and their places. Positions and sizes are
// kept in twips, as the window was drawn (15 twips to the pixel).

#include "frmtp.h"

#include "common/colors.h"
#include "common/strings.h"
#include "programs/cmdwords.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QSignalBlocker>

#include <algorithm>

namespace pendant {

namespace {

constexpr int px(int twips)
{
    return twips / 15;
}
QRect twips(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

constexpr int kClientWidth = 8430;
constexpr int kClientHeight = 6120;

struct Place {
    int left, top, width, height;
};

// button(0..3): PRG and the spare key are never shown.
constexpr Place kModeKeys[4] = {
    {2880, 2880, 855, 495}, {360, 1680, 1575, 495}, {2040, 1680, 1575, 495}, {2880, 2400, 855, 495}};
constexpr bool kModeKeyShown[4] = {false, true, true, false};

constexpr const char* kKeypadCaptions[12] = {"1 MOT", "2 PRG", " 3   I/O", "4 PARA", "5 FUNC", " 6  DEF",
                                             "7",     "8",     "9",        "0",      ".",      "-"};
constexpr int kKeyLeft[3] = {120, 840, 1560};
constexpr int kKeyTop[4] = {2760, 3480, 4200, 4920};
constexpr int kKeySize = 615;

// The line-editing keys down the panel's left edge.
struct EditKey {
    const char* name;
    const char* caption;
    int top;
};
constexpr EditKey kEditKeys[4] = {
    {"del", "DEL", 45}, {"copy", "▶CPY", 420}, {"cut", "▶CUT", 810}, {"INS", "◀ INS", 1200}};

// The command-group frames, in keypad order; their buttons are the group's
// words in table order.
struct CommandMenu {
    const char* array;
    const char* caption;
    programs::CmdGroup group;
};
constexpr CommandMenu kCommandMenus[6] = {
    {"cmMOT", "MOT", programs::CmdGroup::MOT},    {"cmPRG", "PRG", programs::CmdGroup::PRG},
    {"cmIO", "I/O", programs::CmdGroup::IO},      {"cmPARA", "PARA", programs::CmdGroup::PARA},
    {"cmFUNC", "FUNC", programs::CmdGroup::FUNC}, {"cmDEF", "DEF", programs::CmdGroup::DEF}};

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& r)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(r);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoDefault(false);
    return b;
}

QFrame* makeFrame(QWidget* parent, const char* name, const QRect& r)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(QFrame::StyledPanel);
    f->setGeometry(r);
    return f;
}

// The idle display's picture: drawn here rather than shipped as a file.
QPixmap idlePicture()
{
    QPixmap pm(264, 59);
    pm.fill(QColor(0x20, 0x30, 0x60));
    QPainter p(&pm);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPointSize(20);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("ZEL ROBOT"));
    return pm;
}

// The caption, in `face`, stands inside the key's border with a little room
// on each side.
bool captionFits(const QPushButton* b, const QFont& face)
{
    const int border = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
    const QFontMetrics fm(face);
    constexpr int kRoom = 3;
    return fm.horizontalAdvance(b->text()) + 2 * (border + kRoom) <= b->width() &&
           fm.height() + 2 * border <= b->height();
}

} // namespace

void frmTP::fitCaptions()
{
    constexpr double kSmallest = 5;
    for (QPushButton* b : clientArea->findChildren<QPushButton*>()) {
        QFont face = b->font();
        if (face.pointSizeF() <= 0)
            continue;
        while (face.pointSizeF() > kSmallest && !captionFits(b, face))
            face.setPointSizeF(face.pointSizeF() - 0.5);
        if (face != b->font())
            b->setFont(face);
    }
}

void ModeKey::mouseReleaseEvent(QMouseEvent* e)
{
    QPushButton::mouseReleaseEvent(e);
    if (rect().contains(e->position().toPoint()))
        emit mouseUp();
}

void frmTP::buildMenus()
{
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    mnuOpen = menuBar->addAction(QStringLiteral("Open"));
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    connect(mnuOpen, &QAction::triggered, this, &frmTP::mnuOpen_Click);
    mnuSave = menuBar->addAction(QStringLiteral("Save"));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    connect(mnuSave, &QAction::triggered, this, &frmTP::mnuSave_Click);
    mnuTrans = menuBar->addMenu(QStringLiteral("Trans"));
    mnuTrans->setObjectName(QStringLiteral("mnuTrans"));
    auto item = [this](QAction*& a, const char* name, const char* caption, void (frmTP::*handler)()) {
        a = mnuTrans->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
    };
    item(mnuFileTrans, "mnuFileTrans", "FILE", &frmTP::mnuFileTrans_Click);
    item(mnuLocTrans, "mnuLocTrans", "LOC", &frmTP::mnuLocTrans_Click);
    item(mnuSftTrans, "mnuSftTrans", "SFT", &frmTP::mnuSftTrans_Click);
}

void frmTP::buildWindowControls()
{
    QFont face = font(); // the window's face: a small sans-serif, as the keys were lettered
    face.setPointSizeF(8);
    setFont(face);
    const int menuHeight = menuBar->sizeHint().height();
    clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    clientArea->setGeometry(0, menuHeight, px(kClientWidth), px(kClientHeight));

    mainFrame = makeFrame(clientArea, "mainFrame", twips(0, 0, 3975, 1575));
    Picture2 = new QLabel(mainFrame);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(twips(120, 360, 3690, 705));
    Picture2->setPixmap(idlePicture());
    Label1 = new QLabel(QStringLiteral("TEACH MODE"), mainFrame);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twips(120, 1080, 3735, 375));
    QFont labelFont(QStringLiteral("Century Gothic"));
    labelFont.setPointSizeF(18);
    labelFont.setBold(true);
    Label1->setFont(labelFont);
    QPalette labelPal = Label1->palette();
    labelPal.setColor(QPalette::WindowText, common::bgrColor(0x404040));
    Label1->setPalette(labelPal);

    LOCGrid = new CellGrid(clientArea);
    LOCGrid->setObjectName(QStringLiteral("LOCGrid"));
    LOCGrid->setGeometry(twips(0, 0, 3975, 1605));
    Grid = new CellGrid(clientArea);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setGeometry(twips(0, 15, 3975, 1575));

    m_modeGroup = new QButtonGroup(this);
    m_modeGroup->setExclusive(true);
    for (int i = 0; i < 4; ++i) {
        const Place& p = kModeKeys[i];
        auto* b = new ModeKey(clientArea);
        b->setObjectName(QStringLiteral("button_%1").arg(i));
        b->setGeometry(twips(p.left, p.top, p.width, p.height));
        b->setCheckable(true);
        b->setAutoDefault(false);
        common::setBackColor(b, common::color::InfoBackground);
        m_modeGroup->addButton(b, i);
        connect(b, &ModeKey::mouseUp, this, [this, i] { button_MouseUp(i); });
        button[std::size_t(i)] = b;
    }
    // A key selected from the keyboard sets the mode up as a mouse release does.
    connect(m_modeGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            setUpMode();
    });

    for (int k = 0; k < 12; ++k) {
        QPushButton* b = makeButton(clientArea, QStringLiteral("cm_%1").arg(k), common::toQString(kKeypadCaptions[k]),
                                    twips(kKeyLeft[k % 3], kKeyTop[k / 3], kKeySize, kKeySize));
        connect(b, &QPushButton::clicked, this, [this, k] { cm_Click(k); });
        cm[std::size_t(k)] = b;
    }
    QFont dotFont(QStringLiteral("Gulim"));
    dotFont.setPointSizeF(18);
    dotFont.setBold(true);
    cm[10]->setFont(dotFont);
    QFont minusFont(QStringLiteral("MS Sans Serif"));
    minusFont.setPointSizeF(13.5);
    cm[11]->setFont(minusFont);

    ESC = makeButton(clientArea, QStringLiteral("ESC"), QStringLiteral("ESC"), twips(2400, 4920, 615, 615));
    connect(ESC, &QPushButton::clicked, this, &frmTP::ESC_Click);
    ENT = makeButton(clientArea, QStringLiteral("ENT"), QStringLiteral("ENT"), twips(3120, 4920, 615, 615));
    connect(ENT, &QPushButton::clicked, this, &frmTP::ENT_Click);
    ENT1 = makeButton(clientArea, QStringLiteral("ENT1"), QStringLiteral("ENT"), twips(3120, 4920, 615, 615));
    connect(ENT1, &QPushButton::clicked, this, &frmTP::ENT1_Click);

    TextGrid = new QLineEdit(clientArea);
    TextGrid->setObjectName(QStringLiteral("TextGrid"));
    TextGrid->installEventFilter(this);

    connect(LOCGrid, &CellGrid::enterCell, this, &frmTP::LOCGrid_EnterCell);
    connect(LOCGrid, &CellGrid::leaveCell, this, &frmTP::LOCGrid_LeaveCell);
    connect(LOCGrid, &CellGrid::dblClick, this, &frmTP::LOCGrid_DblClick);
    connect(LOCGrid, &CellGrid::keyPress, this, &frmTP::LOCGrid_KeyPress);
    connect(LOCGrid, &CellGrid::gotFocus, this, &frmTP::LOCGrid_GotFocus);
    connect(Grid, &CellGrid::enterCell, this, &frmTP::Grid_EnterCell);
    connect(Grid, &CellGrid::leaveCell, this, &frmTP::Grid_LeaveCell);
}

void frmTP::buildProgramPanel()
{
    PRGFrame = makeFrame(clientArea, "PRGFrame", twips(3960, 0, 4320, 5535));
    std::array<QPushButton**, 4> editKeys{&del, &copy, &cut, &INS};
    std::array<void (frmTP::*)(), 4> editHandlers{&frmTP::del_Click, &frmTP::copy_Click, &frmTP::cut_Click,
                                                  &frmTP::INS_Click};
    for (std::size_t i = 0; i < 4; ++i) {
        const EditKey& k = kEditKeys[i];
        *editKeys[i] =
            makeButton(PRGFrame, QString::fromLatin1(k.name), common::toQString(k.caption), twips(0, k.top, 735, 375));
        connect(*editKeys[i], &QPushButton::clicked, this, editHandlers[i]);
    }

    Frame1 = makeFrame(PRGFrame, "Frame1", twips(720, -75, 3615, 2625));
    Text = new QLineEdit(Frame1);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setGeometry(twips(120, 240, 3375, 270));
    // Typing into the command line changes the line the engines work on.
    connect(Text, &QLineEdit::textEdited, this, [this](const QString& t) { m_panel.Text = t; });
    TextCOPY = new QPlainTextEdit(Frame1);
    TextCOPY->setObjectName(QStringLiteral("TextCOPY"));
    TextCOPY->setGeometry(twips(120, 600, 3375, 1890));
    TextCOPY->setEnabled(false);

    P_FRAME = makeFrame(PRGFrame, "P_FRAME", twips(705, 2670, 3615, 495));
    for (int k = 0; k < 6; ++k) {
        QPushButton* b = makeButton(P_FRAME, QStringLiteral("P_%1").arg(k), QString(), twips(600 * k, 120, 615, 375));
        connect(b, &QPushButton::clicked, this, [this, k] { P_Click(k); });
        P[std::size_t(k)] = b;
    }

    std::array<QList<QPushButton*>*, 6> arrays{&cmMOT, &cmPRG, &cmIO, &cmPARA, &cmFUNC, &cmDEF};
    std::array<void (frmTP::*)(int), 6> handlers{&frmTP::cmMOT_Click,  &frmTP::cmPRG_Click,  &frmTP::cmIO_Click,
                                                 &frmTP::cmPARA_Click, &frmTP::cmFUNC_Click, &frmTP::cmDEF_Click};
    for (std::size_t f = 0; f < 6; ++f) {
        const CommandMenu& menu = kCommandMenus[f];
        auto* frame = new QGroupBox(QString::fromLatin1(menu.caption), PRGFrame);
        frame->setObjectName(QStringLiteral("Frame_%1").arg(f));
        frame->setGeometry(twips(705, 3360, 3615, 2175));
        Frame[f] = frame;
        int k = 0;
        for (const programs::CmdWordRow& row : programs::kCmdWords) {
            if (row.group != menu.group || row.word == "VEL") // VEL has no key on the pendant
                continue;
            QPushButton* b =
                makeButton(frame, QStringLiteral("%1_%2").arg(QString::fromLatin1(menu.array)).arg(k),
                           common::toQString(row.word), twips(120 + 840 * (k % 4), 240 + 360 * (k / 4), 855, 375));
            const auto handler = handlers[f];
            connect(b, &QPushButton::clicked, this, [this, handler, k] { (this->*handler)(k); });
            arrays[f]->append(b);
            ++k;
        }
    }
}

// The controls as the window was drawn; every load starts from here.
void frmTP::resetControls()
{
    // The grids are rebuilt, not moved through: no cell is entered or left.
    const QSignalBlocker blockPoints(LOCGrid);
    const QSignalBlocker blockProgram(Grid);
    TextGrid->hide();
    TextGrid->setText(QStringLiteral("0.00"));
    deselectModeKeys();
    for (int i = 0; i < 4; ++i) {
        button[std::size_t(i)]->setText(QString());
        button[std::size_t(i)]->setVisible(kModeKeyShown[i]);
    }
    mainFrame->show();

    LOCGrid->hide();
    LOCGrid->setRows(1001);
    LOCGrid->setCols(5);
    LOCGrid->setFixedRows(1);
    LOCGrid->setFixedCols(1);
    LOCGrid->clearCells();
    const QStringList header{QStringLiteral("       "), QStringLiteral("  1AXIS  "), QStringLiteral("  2AXIS "),
                             QStringLiteral("  3AXIS "), QStringLiteral("  4AXIS ")};
    for (int c = 0; c < 5; ++c) {
        LOCGrid->setTextMatrix(0, c, header[c]);
        if (c > 0)
            LOCGrid->setColAlignment(c, Qt::AlignHCenter);
    }
    LOCGrid->fitColumnsToRow(0);
    // The blanks over the labels are narrower in this face than the labels.
    LOCGrid->setColWidthPx(
        0, std::max(LOCGrid->colWidthPx(0), LOCGrid->fontMetrics().horizontalAdvance(QStringLiteral("P000")) + 8));
    LOCGrid->setCurrent(1, 1);

    Grid->hide();
    Grid->setRows(2);
    Grid->setCols(2);
    Grid->setFixedRows(1);
    Grid->setFixedCols(1);
    Grid->clearCells();
    Grid->setCurrent(1, 1);

    ENT->show();
    ENT1->hide();
    PRGFrame->hide();
    for (QGroupBox* f : Frame)
        f->hide();
    cmDlg = TpDialog{};
}

} // namespace pendant
