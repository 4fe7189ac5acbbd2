#pragma once
// The link variables every transfer shares. They live from start to exit and
// start as zero.

#include <QByteArray>

#include <array>
#include <cstdint>

namespace comm {

inline constexpr int kRingSlots = 1050;  // slots 0..1049 of g_RxRing are used
inline constexpr int kRxDataSize = 1051; // the largest block is the 1026-byte program image

// Number of axes of the controller (2, 3 or 4; 0 until a model is chosen).
extern std::int16_t g_AxisCount;

// The axes every table of the PC holds.
inline constexpr int kTableAxes = 4;

// The axes a point block carries: g_AxisCount when it is 1 to 4, otherwise 0,
// as before a model is chosen (nothing is carried).
inline int chosenModelAxes()
{
    const int n = g_AxisCount;
    return n >= 1 && n <= kTableAxes ? n : 0;
}

// g_AxisCount held to the four axes of the tables, so that no loop over the
// axes passes them whatever the count holds.
inline int axesWithinTables()
{
    const int n = g_AxisCount;
    return n < 0 ? 0 : n > kTableAxes ? kTableAxes : n;
}

extern std::uint8_t g_TxBuf;
extern std::array<std::uint8_t, kRingSlots + 1> g_RxRing;
extern std::int16_t g_RxHead;
extern std::int16_t g_RxTail;
// A byte arrived while the ring was full: the running receive fails.
extern bool rxOverflow;
extern QByteArray g_InBytes;
extern bool g_RxEvent;
extern std::array<std::uint8_t, kRxDataSize> g_RxData;
extern std::int16_t g_BlockLen;
extern std::int16_t g_RxChk;
extern std::array<std::int32_t, 4> g_BytePlace;
// Set while an operator-started exchange runs (OperatorExchange).
extern bool g_LinkBusy;
extern std::int32_t g_InLo;
extern std::int32_t g_InHi;
extern std::int32_t g_OutLo;
extern std::int32_t g_OutHi;

// Fills g_BytePlace with 1, 256, 65536, 16777216.
void initBytePlace();

} // namespace comm
