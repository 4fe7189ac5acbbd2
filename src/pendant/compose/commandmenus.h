#pragma once
// The command-word menus of the program panel. A word button starts a new
// command line whatever the entry held: the word goes into the line and into
// STATE_COMMAND, and then the soft keys offer its first operand, or one key
// per axis, or the word's whole template goes into the line at once for the
// keypad to fill in, or (words without operands) the word stays alone.

#include "panelstate.h"

#include <QStringView>

#include <array>
#include <string_view>

namespace pendant::compose {

enum class WordOutcome {
    Captions,    // the soft keys are captioned for the first operand
    AxisKeys,    // soft key k-1 reads "kAX" for k = 1 to the axis count
    DirectEntry, // the line becomes the word's template; digits go to the editors
    WordAlone,   // no operand: the word is the whole line
};

struct CommandWord {
    std::string_view word; // the button's caption
    WordOutcome outcome;
    std::array<std::string_view, 6> captions = {}; // Captions: P(0), P(1), ...; the rest stay empty
    std::string_view line = {};                    // DirectEntry: the template put into the line
};

namespace menurows {
using enum WordOutcome;

// Every word that has a menu button, menu by menu in button order.
inline constexpr CommandWord kCommandWords[] = {
    // MOT
    {"MVE", Captions, {"REG", "R(R)", "0~9"}},
    {"MVS", Captions, {"REG", "R(R)", "0~9"}},
    {"MA", Captions, {"REG", "R(R)", "0~9"}},
    {"MC", Captions, {"REG", "R(R)", "0~9"}},
    {"CR", Captions, {"REG", "R(R)", "0~9"}},
    {"AR", Captions, {"0~9"}},
    {"SFT", Captions, {"REG", "R(R)", "0~9"}},
    {"MF", Captions, {"REG", "R(R)", "0~9"}},
    {"MB", Captions, {"REG", "R(R)", "0~9"}},
    {"SF", Captions, {"REG", "R(R)", "0~9"}},
    {"SB", Captions, {"REG", "R(R)", "0~9"}},
    {"PM", Captions, {"0~9"}},
    {"PS", Captions, {"0~9"}},
    {"DRP", Captions, {"REG", "R(R)", "0~9"}},
    {"DRS", Captions, {"REG", "R(R)", "0~9"}},
    {"SPL", Captions, {"REG", "R(R)", "0~9"}},
    {"UP", Captions, {"0~9"}},
    {"MVL", Captions, {"REG", "R(R)", "0~9"}},
    {"VMP", Captions, {"REG", "R(R)", "0~9"}},
    {"VMN", Captions, {"REG", "R(R)", "0~9"}},
    // PRG
    {"IF", Captions, {"REG", "R(R)", "FREG"}},
    {"GOT", Captions, {"L00"}},
    {"DLY", Captions, {"0~9"}},
    {"JMP", Captions, {"L00"}},
    {"HOME", Captions, {"HEX"}},
    {"STOP", WordAlone},
    {"CALL", Captions, {"0~9"}},
    {"RET", WordAlone},
    {"RETC", WordAlone},
    // I/O
    {"SIGB", Captions, {"0~9", "(-)"}},
    {"SIGI", Captions, {"REG"}},
    {"SIGO", Captions, {"1", "2", "3", "AON", "AOFF"}},
    {"JB", Captions, {"0~9", "(-)"}},
    {"WAIT", Captions, {"0~9", "(-)"}},
    {"TMS", Captions, {"0~9", "(-)"}},
    {"PWR", Captions, {"ON", "OFF"}},
    {"SM", DirectEntry, {}, "SM 00"},
    {"RUN", Captions, {"PRG"}},
    {"SA", Captions, {"HEX", "(-)"}},
    // PARA
    {"ACC", AxisKeys},
    {"DCC", AxisKeys},
    {"SPD", AxisKeys},
    {"INP", DirectEntry, {}, "INP 000000"},
    {"READ", Captions, {"LOC", "SFT"}},
    {"WRITE", Captions, {"LOC", "APOS", "IN", "OUT"}},
    {"TSPD", Captions, {"REG", "R(R)", "0~9"}},
    // FUNC
    {"ADD", Captions, {"REG", "R(R)"}},
    {"SUB", Captions, {"REG", "R(R)"}},
    {"OR", Captions, {"REG", "R(R)"}},
    {"AND", Captions, {"REG", "R(R)"}},
    {"INC", Captions, {"REG", "R(R)"}},
    {"DEC", Captions, {"REG", "R(R)"}},
    {"MUL", Captions, {"REG", "R(R)"}},
    {"ADF", Captions, {"FREG", "F(F)"}},
    {"SUF", Captions, {"FREG", "F(F)"}},
    {"MUF", Captions, {"FREG", "F(F)"}},
    // DEF
    {"SET", Captions, {"REG", "R(R)"}},
    {"L", DirectEntry, {}, "L00"},
    {"INT", DirectEntry, {}, "INT 1"},
    {"HERC", Captions, {"REG", "R(R)", "0~9"}},
    {"HERA", Captions, {"REG", "R(R)", "0~9"}},
    {"CCLR", AxisKeys},
    {"LP", DirectEntry, {}, "LP 00"},
    {"LS", DirectEntry, {}, "LS 00"},
    {"F", DirectEntry, {}, "F00"},
    {"LAP", DirectEntry, {}, "LAP F00"},
    {"LAS", DirectEntry, {}, "LAS F00"},
    {"OF", AxisKeys},
    {"LEP", DirectEntry, {}, "LEP F00"},
    {"LES", DirectEntry, {}, "LES F00"},
};
} // namespace menurows
using menurows::kCommandWords;

// The row of a button caption (exact, case-sensitive), or nullptr.
const CommandWord* findCommandWord(QStringView word);

// A press of the menu button captioned `word`; axisCount is the controller's
// axis count at the press. TEMP_COMMAND and the buffer are not touched. A
// caption that no row names leaves the word in the line with the keypad off
// and no soft key captioned.
void chooseCommandWord(PanelState& s, QStringView word, int axisCount);

} // namespace pendant::compose
