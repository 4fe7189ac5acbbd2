#pragma once
// The ENT check of the program panel: a finished command line is tested
// against the rows of lineRules(); the first row whose template matches the
// whole line decides. Its field fails: the row's message is handed back for
// the window to show, nothing else. It passes: the line is committed to the
// line buffer, or the entry steps to the next operand. A line that no row
// matches changes nothing.

#include "linerules.h"
#include "panelstate.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace pendant::compose {

// The row that decides a line, and the template of it that matched.
struct Decision {
    const LineRule* rule = nullptr; // nullptr: no row matches
    const LineForm* form = nullptr;
    explicit operator bool() const { return rule != nullptr; }
};

// Which row decides `line`. A line holding a control character (a pasted
// line break, a tab) is decided by none, so the buffer only ever receives
// whole checked lines.
Decision decideLine(QStringView line);

// Whether the operand field of a row passes on `line` (the field is cut at
// the line's end; an empty field fails).
bool fieldPasses(QStringView line, const FieldTest& field, int fieldShift, int axisCount);

// ENT: checks s.Text; axisCount is the controller's axis count at the press.
// The message to show when the field fails, else nothing.
std::optional<QString> EnterCmdLine(PanelState& s, int axisCount);

// Empties the six soft-key captions, in index order.
void ClearSoftKeys(PanelState& s);

// Appends the line and CR LF to the buffer and resets the entry for the next command.
void CommitLine(PanelState& s, const QString& line);

} // namespace pendant::compose
