#pragma once
// Points between the PC's tables and the controller: every point in an
// exchange of its own (handshake, point number word, a block of g_AxisCount
// values of four bytes each), a run over a range or a table repeating it.

#include "pointtables.h"

#include <array>
#include <cstdint>

namespace points {

// Where a transfer shows how far it is: the window's progress bar.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setMaximum(int max) = 0;
    virtual void setValue(int value) = 0;
};

// Modes: location 0 the point g_TransLocNo (or g_RcvLocNo), 1 startNo..endNo,
// 2 the whole table; shift 1 the whole table, any other the single point.
// Numbers outside the table, a range with startNo > endNo and a run while
// another exchange is going on are refused without a word on the line.
void SendLocData(std::int16_t mode, std::int16_t startNo, std::int16_t endNo, Progress* bar = nullptr);
// True when at least one point was stored.
bool RecvLocData(std::int16_t mode, std::int16_t startNo, std::int16_t endNo, Progress* bar = nullptr);
void SendSftData(std::int16_t mode, Progress* bar = nullptr);
bool RecvSftData(std::int16_t mode, Progress* bar = nullptr);

// Decode the first g_AxisCount values of g_RxData into entry g_RcvLocNo;
// the axes after g_AxisCount keep their values.
void StoreRecvLoc();
void StoreRecvSft();

// The data bytes of one point for n axes (the first n * 4 bytes count).
std::array<std::uint8_t, 16> pointBlock(const LocPoint& p, int n);
// Axes 1..n of `into` from n * 4 received bytes.
void decodePointBlock(const std::uint8_t* bytes, int n, LocPoint& into);

// The one design behind both tables.
void sendPoints(Table t, std::int16_t mode, std::int16_t startNo, std::int16_t endNo, Progress* bar);
bool recvPoints(Table t, std::int16_t mode, std::int16_t startNo, std::int16_t endNo, Progress* bar);

} // namespace points
