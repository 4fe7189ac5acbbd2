#include "gridedit.h"

#include "common/numbers.h"

#include <algorithm>

namespace pendant::compose {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

int rowCount(const ProgramGrid& g)
{
    return int(g.rows.size());
}

// The rows of the range in order: Row..RowSel, never the header, stopping in
// front of the end mark.
template <class Visit> void forEachInRange(const ProgramGrid& g, Visit visit)
{
    for (int r = std::max(g.Row, 1); r <= g.RowSel && r < rowCount(g); ++r) {
        if (g.rows[std::size_t(r)].text == kEndMark)
            break;
        visit(r);
    }
}

// Removing rows keeps the current row's number where the grid still reaches it.
void clampSelection(ProgramGrid& g)
{
    const int last = std::max(rowCount(g) - 1, 1);
    g.Row = std::clamp(g.Row, 1, last);
    g.RowSel = std::clamp(g.RowSel, 1, last);
}

// Every empty line above the end mark goes. The grid's only line below the
// header stays, even when empty: a grid needs one row under its fixed one.
void removeEmptyLines(ProgramGrid& g)
{
    int r = 1;
    while (r < rowCount(g) && g.rows[std::size_t(r)].text != kEndMark) {
        if (g.rows[std::size_t(r)].text.isEmpty() && rowCount(g) > 2)
            g.rows.erase(g.rows.begin() + r);
        else
            ++r;
    }
    clampSelection(g);
}

// Empties the lines of the range; with a buffer, appends them to it first.
void takeOutRange(ProgramGrid& g, QString* buffer)
{
    forEachInRange(g, [&](int r) {
        QString& text = g.rows[std::size_t(r)].text;
        if (buffer)
            *buffer += text + kCrLf;
        text.clear();
    });
    removeEmptyLines(g);
    renumberLines(g);
}

// The buffer's first line, taken off its front.
QString takeFirstLine(QString& buffer)
{
    const qsizetype end = buffer.indexOf(kCrLf);
    if (end < 0) {
        // Text after the last CR LF is a line of its own.
        QString line = buffer;
        buffer.clear();
        return line;
    }
    QString line = buffer.left(end);
    buffer.remove(0, end + kCrLf.size());
    return line;
}

} // namespace

void renumberLines(ProgramGrid& g)
{
    for (int r = 1; r < rowCount(g); ++r) {
        GridRow& row = g.rows[std::size_t(r)];
        row.number = common::format000(r - 1);
        if (row.text == kEndMark)
            break;
    }
}

void copyLines(const ProgramGrid& g, PanelState& s)
{
    s.TextCOPY.clear();
    forEachInRange(g, [&](int r) { s.TextCOPY += g.rows[std::size_t(r)].text + kCrLf; });
}

void cutLines(ProgramGrid& g, PanelState& s)
{
    takeOutRange(g, &s.TextCOPY);
}

void deleteLines(ProgramGrid& g)
{
    takeOutRange(g, nullptr);
}

void insertLines(ProgramGrid& g, PanelState& s)
{
    if (s.TextCOPY.isEmpty() || rowCount(g) >= kMaxProgramRows || rowCount(g) < 2)
        return;
    const int last = rowCount(g) - 1;
    // The last row becomes the end mark when it is one or empty; a line there
    // (a program without an end mark) stays, and a new end mark follows it.
    const QString& lastText = g.rows[std::size_t(last)].text;
    const bool keepLast = !lastText.isEmpty() && lastText != kEndMark;
    const int room = kMaxProgramRows - rowCount(g) - (keepLast ? 1 : 0);
    if (room <= 0)
        return;

    std::vector<GridRow> taken;
    while (int(taken.size()) < room && !s.TextCOPY.isEmpty())
        taken.push_back({QString(), takeFirstLine(s.TextCOPY)});

    const int at = std::clamp(g.Row, 1, last);
    g.rows.insert(g.rows.begin() + at, taken.begin(), taken.end());
    if (keepLast)
        g.rows.push_back({QString(), kEndMark});
    else
        g.rows.back().text = kEndMark;
    g.Row = at + int(taken.size());
    g.RowSel = g.Row;
    renumberLines(g);
}

} // namespace pendant::compose
