// The point grid's cell editor: a floating edit box over the current cell.
// A value reaches its cell when the editor commits (Enter, a move of the
// current cell, the grid taking the focus); the cells hold text only.

#include "frmtp.h"

#include "common/colors.h"
#include "common/events.h"
#include "common/msgbox.h"
#include "common/numbers.h"

namespace pendant {

namespace {

const QString kZero = QStringLiteral("0.00");

// A cell value: numeric text whose hundredths fit the point tables' 32 bits.
std::optional<double> cellValue(const QString& text)
{
    const std::optional<double> v = common::numericValue(text);
    if (!v || !common::toInt32(*v * 100.0))
        return std::nullopt;
    return v;
}

} // namespace

void frmTP::StartGridEdit(CellGrid* grid, QLineEdit* edit, int KeyAscii)
{
    const int key = KeyAscii; // read, never changed
    if (key == 13 || key == 32) {
        if (grid->col() >= 1 && grid->col() <= 4 && grid->row() >= 1 && grid->row() <= 1001)
            edit->setText(QString());
    } else if (key < 0 || key > 32) {
        const char32_t ch = char32_t(key);
        edit->setText(QString::fromUcs4(&ch, 1));
    } else {
        edit->setText(grid->text());
    }
    edit->setCursorPosition(int(edit->text().size()));
    const QRect cell = grid->cellRect();
    edit->setGeometry(QRect(grid->pos() + cell.topLeft(), cell.size()));
    edit->show();
    edit->raise();
    edit->setFocus();
}

void frmTP::GridEditKeyDown(CellGrid* grid, QLineEdit* edit, int KeyCode, int Shift)
{
    (void)Shift;
    switch (KeyCode) {
    case 13: {
        const std::optional<double> v = cellValue(edit->text());
        if (!v) {
            common::MsgBox(QStringLiteral("숫자를 입력하십시요."));
            edit->setText(kZero);
            // Selected, so that the value typed next replaces it.
            edit->selectAll();
            return;
        }
        edit->setText(common::formatFixed2(*v));
        const int c = grid->col();
        if (c >= 1 && c <= 3) {
            grid->setCol(c + 1);
        } else if (c == 4) {
            grid->setCol(1);
            if (grid->row() != lastPointRow())
                grid->setRow(grid->row() + 1);
        }
        // Also after the last cell, so that the keys reach the grid again.
        giveGridFocus();
        return;
    }
    case 27:
        edit->hide();
        giveGridFocus();
        return;
    case 38:
    case 40: {
        giveGridFocus();
        common::DoEvents();
        const bool up = KeyCode == 38;
        const bool canMove = up ? grid->row() > grid->fixedRows() : grid->row() < grid->rows() - 1;
        if (canMove)
            grid->setRow(grid->row() + (up ? -1 : 1));
        else
            formatLeftCell(); // the cell is committed as if it had been left
        return;
    }
    default:
        return;
    }
}

void frmTP::TextGrid_KeyDown(int KeyCode, int Shift)
{
    GridEditKeyDown(LOCGrid, TextGrid, KeyCode, Shift);
}

void frmTP::giveGridFocus()
{
    if (LOCGrid->hasFocus())
        return;
    LOCGrid->setFocus();
    // An inactive window takes no focus and so reports none: commit all the same.
    if (!LOCGrid->hasFocus())
        LOCGrid_GotFocus();
}

void frmTP::LOCGrid_DblClick()
{
    StartGridEdit(LOCGrid, TextGrid, 32);
}

void frmTP::LOCGrid_KeyPress(int KeyAscii)
{
    StartGridEdit(LOCGrid, TextGrid, KeyAscii);
}

void frmTP::LOCGrid_GotFocus()
{
    if (TextGrid->isHidden())
        return;
    // Only a checked value reaches the cell, as when the cell is left: a
    // text such as "1 2" would be saved as two values and shift the others.
    commitEditor();
}

void frmTP::commitEditor()
{
    if (const std::optional<double> v = cellValue(TextGrid->text())) {
        LOCGrid->setText(common::formatFixed2(*v));
    } else {
        LOCGrid->setText(kZero);
        TextGrid->setText(kZero);
    }
    TextGrid->hide();
}

void frmTP::formatLeftCell()
{
    const std::optional<double> v = cellValue(LOCGrid->text());
    LOCGrid->setText(v ? common::formatFixed2(*v) : kZero);
}

void frmTP::LOCGrid_LeaveCell()
{
    LOCGrid->setCellBackColor(common::color::White);
    if (TextGrid->isHidden()) {
        formatLeftCell();
        return;
    }
    commitEditor();
}

} // namespace pendant
