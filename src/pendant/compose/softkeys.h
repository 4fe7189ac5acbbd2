#pragma once
// The six soft keys of the program panel. A key with a caption turns the
// keypad on for the digit editors and rebuilds the command line from its base
// (the command word, or the line the ENT check accepted) and the key's operand
// template, so a second key of the same set replaces the first one's operand.
// The IF comparators move the entry to its right operand; the hexadecimal
// keys turn the six keys into the letters "A" to "F", which shift into the
// field before the line's first lower-case "h".

#include "panelstate.h"

#include <array>
#include <string_view>

namespace pendant::compose {

// What a row's line is built on.
enum class KeyBase {
    Word,     // STATE_COMMAND: the command word the menu put into the line
    Accepted, // TEMP_COMMAND: the line the ENT check's step accepted
};

// What a key does after writing its template.
enum class KeyAfter {
    Nothing,
    Letters,    // the six captions become "A" to "F"
    Comparator, // IF: right-operand captions, TEMP_COMMAND = the line, STATE_COMMAND = "IF_2"
};

struct SoftKeyCell {
    std::string_view operand; // appended to the base; empty: the key writes nothing
    KeyAfter after = KeyAfter::Nothing;
    int minAxes = 0; // the key writes only while the axis count is at least this
};

struct SoftKeyRow {
    std::string_view states; // the STATE_COMMAND values of the row, blank-separated
    KeyBase base;
    std::array<SoftKeyCell, 5> keys; // keys 0 to 4; key 5 only ever enters a letter
};

// While a state's marker key shows its letter, the keys enter hexadecimal digits.
enum class LetterEntry {
    Shift,   // the letter shifts into the field; the oldest digit drops out
    Replace, // the one-digit field becomes the letter
};

// A line form that decides the separator between base and digits; rows
// without forms take any line and the separator " ".
struct LetterForm {
    std::string_view pattern; // a line template
    std::string_view separator;
};

struct LetterRow {
    std::string_view states;
    int marker;        // the key whose caption tells letter keys from operand keys
    char markerLetter; // its caption while the keys are letters
    int digits;        // width of the hexadecimal field
    KeyBase base;
    LetterEntry entry = LetterEntry::Shift;
    std::array<LetterForm, 2> forms = {};
};

namespace softkeyrows {
using enum KeyBase;
using enum KeyAfter;
inline constexpr SoftKeyCell hexKey(std::string_view operand)
{
    return {operand, Letters};
}
inline constexpr SoftKeyCell comparator(std::string_view operand)
{
    return {operand, Comparator};
}
inline constexpr SoftKeyCell axisKey(std::string_view operand, int axis)
{
    return {operand, Nothing, axis};
}

// No state is named twice; the first-operand rows come first, then the
// rows of the states the ENT check's steps and the IF comparators set.
inline constexpr SoftKeyRow kSoftKeyRows[] = {
    {"MVE MVS MVL HERC HERA", Word, {{{" P(R00)"}, {" P(*00)"}, {" P000"}}}},
    {"MA MC CR MF MB DRP", Word, {{{" R00"}, {" *00"}, {" P000"}}}},
    {"SF SB DRS", Word, {{{" R00"}, {" *00"}, {" S00"}}}},
    {"SFT", Word, {{{" S(R00)"}, {" S(*00)"}, {" S00"}}}},
    {"SPL", Word, {{{" R00"}, {" *00"}, {" 00"}}}},
    {"VMP VMN TSPD", Word, {{{" R00"}, {" *00"}, {" 000"}}}},
    {"IF", Word, {{{" R00"}, {" *00"}, {" F00"}}}},
    {"AR UP", Word, {{{" P000"}}}},
    {"PM PS", Word, {{{" 000"}}}},
    {"DLY", Word, {{{" 000000"}}}},
    {"CALL", Word, {{{" PRG00"}}}},
    {"GOT JMP", Word, {{{" L00"}}}},
    {"HOME", Word, {{hexKey(" 00h")}}}, // the whole line: HOME 00h
    {"SIGB JB WAIT TMS", Word, {{{" 00"}, {" -00"}}}},
    {"SIGI", Word, {{{" R00"}}}},
    {"SIGO", Word, {{{" 1"}, {" 2"}, {" 3"}, {" AON"}, {" AOFF"}}}},
    {"PWR", Word, {{{" ON"}, {" OFF"}}}},
    {"SA", Word, {{hexKey(" 0000h"), hexKey(" -0000h")}}},
    {"RUN", Word, {{{" PRG00"}}}},
    {"READ", Word, {{{" P000"}, {" S00"}}}},
    {"WRITE", Word, {{{" P000"}, {" APOS"}, {" IN"}, {" OUT"}}}},
    {"ADD SUB OR AND MUL SET INC DEC", Word, {{{" R00"}, {" *00"}}}},
    {"ADF SUF MUF", Word, {{{" F00"}, {" *00"}}}},
    {"ACC DCC SPD CCLR", Word, {{{" 1"}, {" 2"}, axisKey(" 3", 3), axisKey(" 4", 4)}}},
    // The axis number is fused with the word: OF1 to OF4.
    {"OF", Word, {{{"1"}, {"2"}, axisKey("3", 3), axisKey("4", 4)}}},

    {"MA_1 MC_1 CR_1 JMP_1 SPD_1", Accepted, {{{" R00"}, {" *00"}, {" 000"}}}},
    {"PM_1 PS_1", Accepted, {{{" R00"}, {" *00"}, {" 0000"}}}},
    {"AR_1 SA_1 ACC_1 DCC_1", Accepted, {{{" 000"}}}},
    {"RUN_1", Accepted, {{{" 0"}}}},
    {"MF_1 MB_1 SF_1 SB_1", Accepted, {{{" 00"}, {" -00"}}}},
    {"F_1 OF_1", Accepted, {{{" 0000.00"}, {" -0000.00"}}}},
    {"DRP_1 DRS_1", Accepted, {{hexKey(" 0h")}}},
    {"IF_1", Accepted, {{comparator(" >"), comparator(" <"), comparator(" ="), comparator(" !=")}}},
    {"IF_2", Accepted, {{{" R00"}, {" *00"}, {" 000"}, hexKey(" 00h"), {" F00"}}}},
    {"SIGI_1", Accepted, {{{" 1"}, {" 2"}}}},
    {"SIGO_1", Accepted, {{{" R00"}, hexKey(" 00h"), {" 000"}}}},
    {"JB_1", Accepted, {{{" L00"}, {" PRG00"}, {" 00"}, {" -00"}}}},
    // INT keeps its state through the ENT check's step.
    {"INT", Accepted, {{{" L00"}, {" PRG00"}, {" OFF"}}}},
    {"ADD_1 SUB_1 OR_1 AND_1 MUL_1 SET_1", Accepted, {{{" R00"}, {" *00"}, {" F00"}, hexKey(" 000h"), {" 0000"}}}},
    {"ADF_1 SUF_1 MUF_1", Accepted, {{{" F00"}, {" *00"}, {" R00"}}}},
};

inline constexpr LetterRow kLetterRows[] = {
    {"IF_2", 3, 'D', 2, Accepted},
    {"HOME", 0, 'A', 2, Word},
    {"SIGO_1", 0, 'A', 2, Accepted},
    {"SA", 0, 'A', 4, Word, LetterEntry::Shift, {{{"SA ????h", " "}, {"SA -????h", " -"}}}},
    {"ADD_1 SUB_1 OR_1 AND_1 MUL_1 SET_1", 0, 'A', 3, Accepted},
    {"DRP_1 DRS_1", 0, 'A', 1, Accepted, LetterEntry::Replace},
};
} // namespace softkeyrows
using softkeyrows::kLetterRows;
using softkeyrows::kSoftKeyRows;

// The captions a hexadecimal key gives the six keys, and an IF comparator the first five.
inline constexpr std::array<std::string_view, 6> kLetterCaptions = {"A", "B", "C", "D", "E", "F"};
inline constexpr std::array<std::string_view, 5> kRightOperandCaptions = {"REG", "R(R)", "0~9", "HEX", "FREG"};

// Whether the blank-separated list `states` names `state` (exactly).
bool namesState(std::string_view states, QStringView state);

// The rows that apply to a state, or nullptr.
const SoftKeyRow* findSoftKeyRow(QStringView state);
const LetterRow* findLetterRow(QStringView state);

// A click of soft key P(index); axisCount is the controller's axis count at
// the click. A key without a caption does nothing at all.
void pressSoftKey(PanelState& s, int index, int axisCount);

} // namespace pendant::compose
