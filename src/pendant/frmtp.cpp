#include "frmtp.h"

#include "common/colors.h"
#include "common/msgbox.h"
#include "common/numbers.h"
#include "link/moddef.h"
#include "pendant/compose/entercmdline.h"
#include "pendant/digits/digitedit.h"
#include "points/frmloc.h"
#include "programs/frmfile.h"
#include "points/frmsft.h"

#include <QKeyEvent>

namespace pendant {

namespace {

constexpr int kNarrowWidth = 4080 / 15;     // the window's width on every path that sizes it
constexpr int kProgramColWidth = 2990 / 15; // the program grid's command column

// The character each keypad key types into the cell editor.
constexpr const char* kKeyChars[12] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", ".", ""};
constexpr int kDotKey = 10;

const QString kOn = QStringLiteral("ON");
const QString kOff = QStringLiteral("OFF");

} // namespace

frmTP& frmTP::instance()
{
    static frmTP* w = new frmTP;
    return *w;
}

frmTP::frmTP()
{
    setObjectName(QStringLiteral("frmTP"));
    setWindowTitle(QStringLiteral("TEACHING PENDANT"));
    // Fixed single border: no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    buildMenus();
    buildWindowControls();
    buildProgramPanel();
    fitCaptions();
    resetControls();
    setNarrowWidth();
    showPanel();
}

void frmTP::Form_Load()
{
    // Unloading drops the controls' contents; the state strings are window
    // variables and keep theirs (only STATE_PARA is set again).
    resetControls();
    m_panel.Text.clear();
    m_panel.TextCOPY.clear();
    m_panel.P.fill(QString());
    compose::setKeypadEnabled(m_panel, true);
    m_setUpMode = Mode::Idle;

    deselectModeKeys();
    button[0]->setText(QStringLiteral("PRG"));
    button[1]->setText(QStringLiteral("LOC"));
    button[2]->setText(QStringLiteral("SFT"));
    button[3]->setText(QString());
    setNarrowWidth();
    Grid->setColWidthPx(1, kProgramColWidth);
    m_panel.STATE_PARA = kOff;
    Grid->setTextMatrix(1, 0, QStringLiteral("000"));
    Grid->setTextMatrix(1, 1, QStringLiteral("[EOF]"));
    showPanel();
}

frmTP::Mode frmTP::currentMode() const
{
    for (const ModeKey* b : button) {
        if (!b->isChecked())
            continue;
        const QString caption = b->text();
        if (caption == QLatin1String("PRG"))
            return Mode::PRG;
        if (caption == QLatin1String("LOC"))
            return Mode::LOC;
        if (caption == QLatin1String("SFT"))
            return Mode::SFT;
    }
    return Mode::Idle;
}

const TpFileKind& frmTP::pointKind() const
{
    return currentMode() == Mode::SFT ? kSftFile : kLocFile;
}

void frmTP::setNarrowWidth()
{
    const int menuHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, kNarrowWidth, menuHeight);
    setFixedSize(kNarrowWidth, menuHeight + clientArea->height());
}

void frmTP::deselectModeKeys()
{
    m_modeGroup->setExclusive(false);
    for (ModeKey* b : button)
        b->setChecked(false);
    m_modeGroup->setExclusive(true);
}

void frmTP::showPanel()
{
    if (Text->text() != m_panel.Text)
        Text->setText(m_panel.Text);
    QString buffer = m_panel.TextCOPY;
    buffer.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (TextCOPY->toPlainText() != buffer)
        TextCOPY->setPlainText(buffer);
    for (std::size_t i = 0; i < P.size(); ++i)
        P[i]->setText(m_panel.P[i]);
    for (std::size_t i = 0; i < cm.size(); ++i)
        cm[i]->setEnabled(m_panel.cm[i]);
}

void frmTP::button_MouseUp(int Index)
{
    (void)Index; // any release over any mode key sets the selected mode up
    setUpMode();
}

void frmTP::setUpMode()
{
    // Set up again only for another mode: choosing the mode already shown
    // keeps the values typed into its grid.
    const Mode mode = currentMode();
    if (mode == m_setUpMode)
        return;
    m_setUpMode = mode;
    setNarrowWidth();
    TextGrid->hide();
    ENT1->hide();
    Grid->hide();
    LOCGrid->hide();
    PRGFrame->hide();
    mainFrame->hide();
    ENT->show();
    if (mode == Mode::LOC || mode == Mode::SFT) {
        LOCGrid->show();
        fillPointGrid(pointKind());
    }
}

void frmTP::fillPointGrid(const TpFileKind& kind)
{
    LOCGrid->setRows(kind.lines + 1);
    const QString zero = QStringLiteral("0.00");
    for (int i = 0; i < kind.lines; ++i) {
        LOCGrid->setTextMatrix(
            i + 1, 0, QChar::fromLatin1(kind.label) + (kind.digits == 3 ? common::format000(i) : common::format00(i)));
        for (int c = 1; c <= 4; ++c)
            LOCGrid->setTextMatrix(i + 1, c, zero);
    }
}

void frmTP::ESC_Click()
{
    compose::setKeypadEnabled(m_panel, true);
    const Mode mode = currentMode();
    if (mode == Mode::PRG && m_panel.Text.isEmpty()) {
        deselectModeKeys();
        PRGFrame->hide();
        ENT->show();
        ENT1->hide();
        setNarrowWidth();
        Grid->hide();
        mainFrame->show();
        m_setUpMode = Mode::Idle;
    } else if (mode == Mode::LOC || mode == Mode::SFT) {
        deselectModeKeys();
        LOCGrid->hide();
        // An open editor goes too, uncommitted: it would float over the idle display.
        TextGrid->hide();
        mainFrame->show();
        m_setUpMode = Mode::Idle;
    }
    if (currentMode() == Mode::PRG) {
        m_panel.Text.clear();
        m_panel.STATE_PARA = kOff;
    }
    showPanel();
}

void frmTP::ENT_Click()
{
    const Mode mode = currentMode();
    if (mode != Mode::LOC && mode != Mode::SFT)
        return;
    const int c = LOCGrid->col();
    if (c >= 1 && c <= 3) {
        LOCGrid->setCol(c + 1);
    } else if (c == 4) {
        LOCGrid->setCol(1);
        if (LOCGrid->row() != lastPointRow())
            LOCGrid->setRow(LOCGrid->row() + 1);
    }
}

void frmTP::cm_Click(int Index)
{
    if (Index < 0 || Index > 11)
        return;
    const Mode mode = currentMode();
    if (mode == Mode::PRG && m_panel.STATE_PARA == kOff && Index <= 5) {
        for (QGroupBox* f : Frame)
            f->hide();
        Frame[std::size_t(Index)]->show();
    }
    if (mode == Mode::PRG && m_panel.STATE_PARA == kOn) {
        // The panel itself is hidden: each frame's own flag tells which menu is set visible.
        auto shown = [this](int f) { return !Frame[std::size_t(f)]->isHidden(); };
        const QString& command = m_panel.STATE_COMMAND;
        const bool isSet = command == QLatin1String("SET") || command == QLatin1String("SET_1");
        const int key = Index; // the editors get a copy
        if (shown(0) || shown(1) || shown(2) || (shown(5) && !isSet))
            EnterCmdDigit(key);
        else if (shown(3) || shown(4) || isSet)
            EnterParaDigit(key);
    }
    if (mode == Mode::LOC || mode == Mode::SFT) {
        if (TextGrid->isHidden())
            StartGridEdit(LOCGrid, TextGrid, 32);
        const QString k = QString::fromLatin1(kKeyChars[Index]);
        if (!TextGrid->text().contains(u'.'))
            TextGrid->setText(TextGrid->text() + k);
        if (Index != kDotKey && TextGrid->text().contains(u'.'))
            TextGrid->setText(TextGrid->text() + k);
    }
}

void frmTP::Grid_EnterCell()
{
    Grid->setCellBackColor(common::color::GridCurrent);
}
void frmTP::Grid_LeaveCell()
{
    Grid->setCellBackColor(common::color::White);
}
void frmTP::LOCGrid_EnterCell()
{
    LOCGrid->setCellBackColor(common::color::GridCurrent);
}

void frmTP::openTransWindow(common::Form* window)
{
    if (!window)
        return;
    window->Show();
    common::disableMainWindowFor(window);
}

void frmTP::mnuFileTrans_Click()
{
    openTransWindow(&programs::frmFile::instance());
}
void frmTP::mnuLocTrans_Click()
{
    openTransWindow(&points::frmLoc::instance());
}
void frmTP::mnuSftTrans_Click()
{
    openTransWindow(&points::frmSft::instance());
}

void frmTP::ENT1_Click()
{
    if (const auto refused = compose::EnterCmdLine(m_panel, comm::g_AxisCount))
        common::MsgBox(*refused);
    showPanel();
}

void frmTP::EnterCmdDigit(int KeyIndex)
{
    digits::EnterCmdDigit(m_panel.Text, m_panel.TEMP_COMMAND, KeyIndex);
    showPanel();
}

void frmTP::EnterParaDigit(int KeyIndex)
{
    digits::EnterParaDigit(m_panel.Text, m_panel.TEMP_COMMAND, KeyIndex);
    showPanel();
}

bool frmTP::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TextGrid && event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        int code = 0;
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            code = 13;
            break;
        case Qt::Key_Escape:
            code = 27;
            break;
        case Qt::Key_Up:
            code = 38;
            break;
        case Qt::Key_Down:
            code = 40;
            break;
        default:
            break;
        }
        if (code != 0) {
            // Enter is taken here, so the edit box neither inserts nor sounds it.
            TextGrid_KeyDown(code, int(k->modifiers()));
            return true;
        }
    }
    return common::Form::eventFilter(watched, event);
}

} // namespace pendant
