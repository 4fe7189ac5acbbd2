#pragma once
// The command language: its 73 command words in table order (the position is
// the CmdIndex), their groups and opcodes, and the word table g_CmdWord that
// the assembler looks words up in.

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <string_view>

namespace programs {

// The six groups, which are also the pendant's six command-group menus. A
// word's opcode is its group's base plus its position in the group.
enum class CmdGroup : std::uint8_t { None, MOT, PRG, IO, PARA, FUNC, DEF };

struct CmdWordRow {
    std::string_view word;
    CmdGroup group;
    std::uint8_t opcode;
};

inline constexpr int kCmdWordCount = 73; // "$", the 71 group words, "[EOF]"
inline constexpr int kCmdSlots = 74;     // slot 73 stays empty
inline constexpr int kNoCmdWord = 73;    // what a look-up of a non-word yields

// Table order is CmdIndex order.
// clang-format off
inline constexpr std::array<CmdWordRow, kCmdWordCount> kCmdWords{{
    {"$", CmdGroup::None, 0x00},
    {"MVE", CmdGroup::MOT, 0x01}, {"MVS", CmdGroup::MOT, 0x02}, {"MA", CmdGroup::MOT, 0x03},
    {"MC", CmdGroup::MOT, 0x04}, {"CR", CmdGroup::MOT, 0x05}, {"AR", CmdGroup::MOT, 0x06},
    {"SFT", CmdGroup::MOT, 0x07}, {"MF", CmdGroup::MOT, 0x08}, {"MB", CmdGroup::MOT, 0x09},
    {"SF", CmdGroup::MOT, 0x0A}, {"SB", CmdGroup::MOT, 0x0B}, {"PM", CmdGroup::MOT, 0x0C},
    {"PS", CmdGroup::MOT, 0x0D}, {"DRP", CmdGroup::MOT, 0x0E}, {"DRS", CmdGroup::MOT, 0x0F},
    {"SPL", CmdGroup::MOT, 0x10}, {"UP", CmdGroup::MOT, 0x11}, {"MVL", CmdGroup::MOT, 0x12},
    {"VMP", CmdGroup::MOT, 0x13}, {"VMN", CmdGroup::MOT, 0x14},
    {"IF", CmdGroup::PRG, 0x21}, {"GOT", CmdGroup::PRG, 0x22}, {"DLY", CmdGroup::PRG, 0x23},
    {"JMP", CmdGroup::PRG, 0x24}, {"HOME", CmdGroup::PRG, 0x25}, {"STOP", CmdGroup::PRG, 0x26},
    {"CALL", CmdGroup::PRG, 0x27}, {"RET", CmdGroup::PRG, 0x28}, {"RETC", CmdGroup::PRG, 0x29},
    {"SIGB", CmdGroup::IO, 0x31}, {"SIGI", CmdGroup::IO, 0x32}, {"SIGO", CmdGroup::IO, 0x33},
    {"JB", CmdGroup::IO, 0x34}, {"WAIT", CmdGroup::IO, 0x35}, {"TMS", CmdGroup::IO, 0x36},
    {"PWR", CmdGroup::IO, 0x37}, {"SM", CmdGroup::IO, 0x38}, {"RUN", CmdGroup::IO, 0x39},
    {"SA", CmdGroup::IO, 0x3A},
    {"ACC", CmdGroup::PARA, 0x41}, {"DCC", CmdGroup::PARA, 0x42}, {"SPD", CmdGroup::PARA, 0x43},
    {"INP", CmdGroup::PARA, 0x44}, {"READ", CmdGroup::PARA, 0x45}, {"WRITE", CmdGroup::PARA, 0x46},
    {"TSPD", CmdGroup::PARA, 0x47}, {"VEL", CmdGroup::PARA, 0x48},
    {"ADD", CmdGroup::FUNC, 0x51}, {"SUB", CmdGroup::FUNC, 0x52}, {"OR", CmdGroup::FUNC, 0x53},
    {"AND", CmdGroup::FUNC, 0x54}, {"INC", CmdGroup::FUNC, 0x55}, {"DEC", CmdGroup::FUNC, 0x56},
    {"MUL", CmdGroup::FUNC, 0x57}, {"ADF", CmdGroup::FUNC, 0x58}, {"SUF", CmdGroup::FUNC, 0x59},
    {"MUF", CmdGroup::FUNC, 0x5A},
    {"SET", CmdGroup::DEF, 0x61}, {"L", CmdGroup::DEF, 0x62}, {"INT", CmdGroup::DEF, 0x63},
    {"HERC", CmdGroup::DEF, 0x64}, {"HERA", CmdGroup::DEF, 0x65}, {"CCLR", CmdGroup::DEF, 0x66},
    {"LP", CmdGroup::DEF, 0x67}, {"LS", CmdGroup::DEF, 0x68}, {"F", CmdGroup::DEF, 0x69},
    {"LAP", CmdGroup::DEF, 0x6A}, {"LAS", CmdGroup::DEF, 0x6B}, {"OF", CmdGroup::DEF, 0x6C},
    {"LEP", CmdGroup::DEF, 0x6D}, {"LES", CmdGroup::DEF, 0x6E},
    {"[EOF]", CmdGroup::None, 0x80},
}};
// clang-format on

// The opcode of a group's first word.
constexpr std::uint8_t groupBase(CmdGroup g)
{
    switch (g) {
    case CmdGroup::MOT:
        return 0x01;
    case CmdGroup::PRG:
        return 0x21;
    case CmdGroup::IO:
        return 0x31;
    case CmdGroup::PARA:
        return 0x41;
    case CmdGroup::FUNC:
        return 0x51;
    case CmdGroup::DEF:
        return 0x61;
    case CmdGroup::None:
        break;
    }
    return 0;
}

// CmdIndex of a few words the assembler treats by index.
namespace cmd {
inline constexpr int Empty = 0;
inline constexpr int L = 59;
inline constexpr int F = 66;
inline constexpr int OF = 69;
inline constexpr int Eof = 72;
} // namespace cmd

// Filled once at start-up by InitCmdWords; slot 73 stays empty.
extern std::array<QString, kCmdSlots> g_CmdWord;
void InitCmdWords();

// The operation words: the arithmetic words and SET whose lines take the same
// two operands (a register or an indirect register, then a register, an
// indirect register, an F register, four digits or three hexadecimal digits),
// in the order the pendant compares them.
inline constexpr std::array<std::string_view, 6> kOperationWords{"ADD", "SUB", "OR", "AND", "MUL", "SET"};

// The operation word a command line begins with, or empty: the line's first
// three characters are the word, the two-letter "OR" followed by its blank
// (so "OR R05" is an OR line, while "ORG" and the bare "OR" are not).
QString operationWordOf(QStringView line);

// The first CmdIndex whose word equals the text exactly (case counts), or 73.
int cmdIndexOf(QStringView text);

// The opcode of a CmdIndex 0..72 (0 for anything else).
std::uint8_t opcodeOf(int cmdIndex);

} // namespace programs
