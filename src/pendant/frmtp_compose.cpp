// The program panel's command-word menus, soft keys and line-editing keys:
// each runs its engine on the panel's state (and the program grid's model)
// and then shows the result in the widgets.

#include "frmtp.h"

#include "link/moddef.h"
#include "pendant/compose/commandmenus.h"
#include "pendant/compose/softkeys.h"

namespace pendant {

// The word is the pressed button's caption at the time of the press.
void frmTP::chooseWord(const QList<QPushButton*>& menu, int Index)
{
    if (Index < 0 || Index >= menu.size())
        return;
    compose::chooseCommandWord(m_panel, menu[Index]->text(), comm::g_AxisCount);
    showPanel();
}

void frmTP::cmMOT_Click(int Index)
{
    chooseWord(cmMOT, Index);
}
void frmTP::cmPRG_Click(int Index)
{
    chooseWord(cmPRG, Index);
}
void frmTP::cmIO_Click(int Index)
{
    chooseWord(cmIO, Index);
}
void frmTP::cmPARA_Click(int Index)
{
    chooseWord(cmPARA, Index);
}
void frmTP::cmFUNC_Click(int Index)
{
    chooseWord(cmFUNC, Index);
}
void frmTP::cmDEF_Click(int Index)
{
    chooseWord(cmDEF, Index);
}

void frmTP::P_Click(int Index)
{
    compose::pressSoftKey(m_panel, Index, comm::g_AxisCount);
    showPanel();
}

compose::ProgramGrid frmTP::programGrid() const
{
    compose::ProgramGrid g;
    for (int r = 0; r < Grid->rows(); ++r)
        g.rows.push_back({Grid->textMatrix(r, 0), Grid->textMatrix(r, 1)});
    g.Row = Grid->row();
    g.RowSel = Grid->rowSel();
    return g;
}

void frmTP::showProgramGrid(const compose::ProgramGrid& g)
{
    Grid->setRows(int(g.rows.size()));
    for (int r = 1; r < int(g.rows.size()); ++r) { // the header stays as it is
        Grid->setTextMatrix(r, 0, g.rows[std::size_t(r)].number);
        Grid->setTextMatrix(r, 1, g.rows[std::size_t(r)].text);
    }
    Grid->setRow(g.Row);
    Grid->setRowSel(g.RowSel);
}

void frmTP::INS_Click()
{
    compose::ProgramGrid g = programGrid();
    compose::insertLines(g, m_panel);
    showProgramGrid(g);
    showPanel();
}

void frmTP::cut_Click()
{
    compose::ProgramGrid g = programGrid();
    compose::cutLines(g, m_panel);
    showProgramGrid(g);
    showPanel();
}

void frmTP::copy_Click()
{
    compose::copyLines(programGrid(), m_panel);
    showPanel();
}

void frmTP::del_Click()
{
    compose::ProgramGrid g = programGrid();
    compose::deleteLines(g);
    showProgramGrid(g);
}

} // namespace pendant
