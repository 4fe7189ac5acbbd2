#pragma once
// The teaching-pendant window: an idle display, the point grid of the LOC and
// SFT modes with its cell editor, the mode keys, the 12-key keypad with ESC
// and ENT, the file menus and the Trans menu. The PRG mode's program grid and
// program panel are laid out complete but never shown: the window keeps its
// narrow width, which leaves the panel outside it.

#include "cellgrid.h"
#include "tpfiles.h"

#include "common/form.h"
#include "pendant/compose/gridedit.h"
#include "pendant/compose/panelstate.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <array>
#include <optional>

namespace pendant {

// A graphical option button: drawn as a push button that stays down while
// selected. Reports every mouse release over it, whichever button.
class ModeKey : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
signals:
    void mouseUp();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// The one file dialog of Open and Save: only the filter and the title are
// set before each use, so it offers the last chosen name again.
struct TpDialog {
    QString FileName;
    QString Filter;
    QString DialogTitle;
};

class frmTP : public common::Form {
    Q_OBJECT
public:
    static frmTP& instance();

    // The mode is the selected mode key's caption; Idle when none is selected.
    enum class Mode { Idle, PRG, LOC, SFT };
    Mode currentMode() const;

    // The program panel's command-entry state; the panel's widgets show it.
    compose::PanelState& panel() { return m_panel; }
    QString& STATE_COMMAND() { return m_panel.STATE_COMMAND; }
    QString& STATE_PARA() { return m_panel.STATE_PARA; }
    QString& TEMP_COMMAND() { return m_panel.TEMP_COMMAND; }
    // Copies the state into Text, TextCOPY, the soft keys and the keypad.
    void showPanel();

    // Modes, keypad, ESC and ENT.
    void button_MouseUp(int Index);
    void ESC_Click();
    void ENT_Click();
    void cm_Click(int Index);

    // Menus.
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuFileTrans_Click();
    void mnuLocTrans_Click();
    void mnuSftTrans_Click();

    // The grids and the cell editor.
    void Grid_EnterCell();
    void Grid_LeaveCell();
    void LOCGrid_EnterCell();
    void LOCGrid_LeaveCell();
    void LOCGrid_DblClick();
    void LOCGrid_KeyPress(int KeyAscii);
    void LOCGrid_GotFocus();
    void TextGrid_KeyDown(int KeyCode, int Shift);

    // The program panel. Its command composition, line editing and digit
    // entry are separate engines over panel(); these are their entry points.
    void ENT1_Click();
    void cmMOT_Click(int Index);
    void cmPRG_Click(int Index);
    void cmIO_Click(int Index);
    void cmPARA_Click(int Index);
    void cmFUNC_Click(int Index);
    void cmDEF_Click(int Index);
    void P_Click(int Index);
    void INS_Click();
    void cut_Click();
    void copy_Click();
    void del_Click();
    void EnterCmdDigit(int KeyIndex);
    void EnterParaDigit(int KeyIndex);

    // Controls.
    QMenuBar* menuBar = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QMenu* mnuTrans = nullptr;
    QAction* mnuFileTrans = nullptr;
    QAction* mnuLocTrans = nullptr;
    QAction* mnuSftTrans = nullptr;

    QWidget* clientArea = nullptr; // the window's client area below the menu bar
    QFrame* mainFrame = nullptr;
    QLabel* Picture2 = nullptr;
    QLabel* Label1 = nullptr;
    CellGrid* LOCGrid = nullptr;
    CellGrid* Grid = nullptr;
    std::array<ModeKey*, 4> button{};
    std::array<QPushButton*, 12> cm{};
    QPushButton* ESC = nullptr;
    QPushButton* ENT = nullptr;
    QPushButton* ENT1 = nullptr;
    QLineEdit* TextGrid = nullptr;
    TpDialog cmDlg;

    QFrame* PRGFrame = nullptr;
    QPushButton* del = nullptr;
    QPushButton* copy = nullptr;
    QPushButton* cut = nullptr;
    QPushButton* INS = nullptr;
    QFrame* Frame1 = nullptr;
    QLineEdit* Text = nullptr;
    QPlainTextEdit* TextCOPY = nullptr;
    QFrame* P_FRAME = nullptr;
    std::array<QPushButton*, 6> P{};
    std::array<QGroupBox*, 6> Frame{};
    QList<QPushButton*> cmMOT, cmPRG, cmIO, cmPARA, cmFUNC, cmDEF;

protected:
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmTP();
    void buildMenus();
    void buildWindowControls();
    void buildProgramPanel();
    // Letters a key's caption smaller where it would overrun the key.
    void fitCaptions();
    void resetControls();

    void setNarrowWidth();
    void deselectModeKeys();
    void setUpMode();
    void fillPointGrid(const TpFileKind& kind);
    const TpFileKind& pointKind() const;
    int lastPointRow() const { return pointKind().lines; }

    void StartGridEdit(CellGrid* grid, QLineEdit* edit, int KeyAscii);
    void GridEditKeyDown(CellGrid* grid, QLineEdit* edit, int KeyCode, int Shift);
    void giveGridFocus();
    void formatLeftCell();
    // The shown editor's text into the current cell: a number with "#0.00",
    // anything else "0.00"; the editor is hidden.
    void commitEditor();

    std::optional<QString> askFileName(const TpFileKind& kind, bool save);
    void openProgram();
    void saveProgram();
    void openPoints(const TpFileKind& kind);
    void savePoints(const TpFileKind& kind);

    // The program panel's command words and the program grid as the line
    // editing sees it (frmtp_compose.cpp).
    void chooseWord(const QList<QPushButton*>& menu, int Index);
    compose::ProgramGrid programGrid() const;
    void showProgramGrid(const compose::ProgramGrid& g);

    // The windows of the Trans menu.
    void openTransWindow(common::Form* window);

    compose::PanelState m_panel;
    QButtonGroup* m_modeGroup = nullptr;
    Mode m_setUpMode = Mode::Idle; // the mode the window was last set up for
};

} // namespace pendant
