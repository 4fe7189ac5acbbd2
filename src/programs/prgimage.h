#pragma once
// The step word and the program image: the 256 step words and the two-byte
// header that travel over the link, and the one image the program module
// holds at a time.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>

namespace programs {

// One program step: bits 31..24 the opcode, bits 23..0 the operand fields.
using StepWord = std::uint32_t;

inline constexpr StepWord kEmptyStep = 0;
inline constexpr StepWord kEofWord = 0x80000000u;

inline constexpr int kPrgSteps = 256;
inline constexpr int kPrgImageBytes = 1026; // HdrUsed, HdrLines, 256 words of 4 bytes
inline constexpr int kPrgNumbers = 33;      // header entries 0..32; programs use 0..31

// Field [hi-lo] of a word: the unsigned value of bits hi down to lo.
constexpr std::uint32_t field(StepWord w, int hi, int lo)
{
    const int width = hi - lo + 1;
    const std::uint32_t mask = width >= 32 ? ~0u : (1u << width) - 1u;
    return (w >> lo) & mask;
}
constexpr std::uint32_t opcodeField(StepWord w)
{
    return w >> 24;
}

struct PrgImage {
    std::uint8_t hdrUsed = 0;
    std::uint8_t hdrLines = 0;
    std::array<StepWord, kPrgSteps> steps{};
};

// The 1026 bytes of an image: header, then each step low byte first.
QByteArray packPrgImage(const PrgImage& image);
// The image of the first 1026 bytes (missing bytes read as 0).
PrgImage unpackPrgImage(QByteArrayView bytes);

// The module's image: step words 0..256 (a program uses 0..255), the header
// entries of each program number, and the count of words the running
// assembly has stored (the index of the next free step).
extern std::array<StepWord, kPrgSteps + 1> g_PrgImage;
extern std::array<std::int32_t, kPrgNumbers> g_PrgHdrUsed;
extern std::array<std::int32_t, kPrgNumbers> g_PrgHdrLines;
extern std::int16_t g_PrgWordCount;

// The line in hand: the record the assembler handles, the line the lister
// gives.
extern QString g_PrgLine;

// The module's image with the header entries of program n, ready to pack. The
// header is one byte each: a record number above 255 is carried as 255.
PrgImage modulePrgImage(int n);
// Puts a received image into g_PrgImage 0..255 and the header entries of n.
void setModulePrgImage(int n, const PrgImage& image);

} // namespace programs
