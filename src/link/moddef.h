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
void InitBytePlace();

} // namespace comm
