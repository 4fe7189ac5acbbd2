#pragma once
// The row model of the pendant's two digit editors and their tables. A digit
// key shifts its character into the last operand field of the command line;
// the first row whose template matches the whole line says where that field
// lies and how the new line is built. Rows are tried in table order.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace pendant::digits {

enum class FieldShape {
    Plain,   // width characters from start
    ToParen, // from start up to the line's first ")", rebuilt with width
    Decimal, // width integer digits from start and fracWidth decimals from fracStart, rebuilt around "."
};

// Positions count characters of the line from 1.
struct DigitField {
    int start = 0;
    int width = 0;
    FieldShape shape = FieldShape::Plain;
    int fracStart = 0;
    int fracWidth = 0;

    constexpr int shiftedWidth() const { return width + fracWidth; }
};

// How the text in front of the field is made.
enum class LeadKind {
    Fixed,     // the literal `text`
    CutStored, // TEMP_COMMAND := first leadLength characters of the line; TEMP_COMMAND + `text`
    Held,      // TEMP_COMMAND (when it is the line's leading part) + `text`
    Cut,       // first leadLength characters of the line + `text`
    Word,      // the line's operation word + `text` (arithmetic block of the parameter editor)
};

inline constexpr std::size_t kMaxTemplates = 9;

struct DigitRow {
    std::string_view trace; // command word and row number within it, e.g. "MC-2"
    // Joined by "or"; unused places empty. In the parameter editor's
    // operation block a template is the tail that follows the word.
    std::array<std::string_view, kMaxTemplates> templates;
    DigitField field;
    LeadKind lead = LeadKind::Fixed;
    std::string_view text;   // Fixed: the whole lead; otherwise the separator in front of the field
    int leadLength = 0;      // characters cut from the line (CutStored, Cut) or expected of TEMP_COMMAND (Held)
    std::string_view suffix; // after the field: ")" or "h"
    // Parameter editor only: 1, 2 (operation words, positions given for a
    // three-letter word) or 3. The command editor's rows are all block 0.
    int block = 0;
};

// The command editor's rows (motion, program-flow, I/O and definition
// commands) and the parameter editor's (parameter and arithmetic commands and
// SET), each in match order.
std::span<const DigitRow> cmdDigitTable();
std::span<const DigitRow> paraDigitTable();

// The character each keypad key (index 0..11) shifts in: the keys "1".."9",
// "0", "." and "-". Only the parameter editor takes the ".".
inline constexpr std::array<std::string_view, 12> kCmdKeyChars = {"1", "2", "3", "4", "5", "6",
                                                                  "7", "8", "9", "0", "",  ""};
inline constexpr std::array<std::string_view, 12> kParaKeyChars = {"1", "2", "3", "4", "5", "6",
                                                                   "7", "8", "9", "0", ".", ""};

} // namespace pendant::digits
