#pragma once
// Line editing of the program grid with the line buffer: copy puts a range of
// lines into the buffer in place of what it held, cut adds them to it and
// takes them out of the program, del only takes them out, and insert puts the
// buffered lines in front of the current line. The grid is a plain value
// here; the pendant window copies it out of its grid widget and back.

#include "panelstate.h"

#include <QString>

#include <vector>

namespace pendant::compose {

// One row of the program grid: column 0 the step number, column 1 the line.
struct GridRow {
    QString number;
    QString text;
    friend bool operator==(const GridRow&, const GridRow&) = default;
};

struct ProgramGrid {
    std::vector<GridRow> rows; // rows[0] is the header, never changed here
    int Row = 1;               // the current row
    int RowSel = 1;            // the other end of the selection
    friend bool operator==(const ProgramGrid&, const ProgramGrid&) = default;
};

// The most rows the grid holds, the header and the end mark included.
inline constexpr int kMaxProgramRows = 256;
inline const QString kEndMark = QStringLiteral("[EOF]");

// Every row from 1 to the end mark (or to the last row when there is none)
// gets its number r - 1 written as "000".
void renumberLines(ProgramGrid& g);

// The range is Row..RowSel ascending (empty when RowSel < Row) and stops in
// front of the end mark.
void copyLines(const ProgramGrid& g, PanelState& s);
// After cut and del every empty line above the end mark is gone (the grid's
// only line below the header always stays) and the lines are renumbered.
// Row and RowSel keep their numbers as far as the grid still reaches.
void cutLines(ProgramGrid& g, PanelState& s);
void deleteLines(ProgramGrid& g);
// Takes the buffer's lines from its front (text after the last CR LF is a
// line too) until it is empty or the grid holds kMaxProgramRows rows; the rest
// stays in the buffer. The current row stays on the line it was on.
void insertLines(ProgramGrid& g, PanelState& s);

} // namespace pendant::compose
