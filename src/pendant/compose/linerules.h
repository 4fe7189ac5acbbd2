#pragma once
// The rows of the ENT check: for each accepted form of a command line, the
// operand field that is tested, its range, the message when it fails, and
// what follows when it passes. The rows are tested in table order and the
// first one whose template matches the whole line decides.

#include "common/linetemplate.h"

#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

namespace pendant::compose {

enum class FieldKind {
    Decimal, // numeric text (blanks around it, a sign and a decimal point allowed)
    Hex,     // the digits 0-9 and A-F only, read unsigned
};

// An upper bound that stands for the axis count at the moment ENT is pressed.
inline constexpr int kAxisCount = -1;

struct FieldTest {
    int start = 0;  // position of the first character, from 1; 0: the row tests no field
    int length = 0; // in characters; a field that runs past the line's end is cut there
    FieldKind kind = FieldKind::Decimal;
    int lower = 0;
    int upper = 0; // inclusive; kAxisCount: the axis count
};

enum class Outcome {
    Commit,        // the line goes to the buffer; line, soft keys and entry state are reset
    Step,          // keypad off, STATE_COMMAND = state, TEMP_COMMAND = line, soft keys = captions
    StepOpWord,    // as Step, STATE_COMMAND = the line's word ("ADD_1", "OR_1", "ADF_1", ...)
    StepKeepState, // as Step, STATE_COMMAND keeps its value (INT)
    StepAppend,    // STATE_COMMAND = state, TEMP_COMMAND = line, soft keys emptied, Text = line + append
    Append,        // TEMP_COMMAND = line, Text = line + append; nothing else
};

// Rows of the operation block (ADD SUB OR AND MUL SET) hold only what follows
// the word; they are joined to each word, and "OR" lines are read one
// character earlier.
enum class Family { Plain, OperationWord };

// One row as written in the tables: templates joined by " or ", captions by "|".
struct WrittenRule {
    std::string_view tag; // the row's first word and its number in its table, e.g. "MA-16"
    std::string_view forms;
    FieldTest field;
    std::string_view message;
    Outcome outcome = Outcome::Commit;
    std::string_view state = {};
    std::string_view captions = {};
    std::string_view append = {};
    Family family = Family::Plain;
};

// One template of a row, compiled.
struct LineForm {
    common::LineTemplate tpl;
    QString opWord;     // the operation word this template belongs to; empty outside that block
    int fieldShift = 0; // added to the field's start for this template (-1 for "OR")
};

struct LineRule {
    QString tag;
    std::vector<LineForm> forms;
    FieldTest field;
    QString message;
    Outcome outcome = Outcome::Commit;
    QString state;
    QStringList captions;
    QString append;
    bool operationBlock = false;
};

// All rows in testing order.
const std::vector<LineRule>& lineRules();

} // namespace pendant::compose
