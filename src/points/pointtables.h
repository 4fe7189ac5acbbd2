#pragma once
// The PC's copy of the controller's two point tables, and what tells the
// location table and the shift table apart wherever one design serves both.

#include "link/controlbytes.h"

#include <array>
#include <cstdint>
#include <span>

namespace points {

// One entry of a point table: axes 1 to 4 in hundredths of the axis unit
// (12.50 is held as 1250). A transfer carries only the first g_AxisCount.
struct LocPoint {
    std::array<std::int32_t, 4> ax{};
    friend bool operator==(const LocPoint&, const LocPoint&) = default;
};

// P000..P999 and S00..S99, each with one further entry no operation reaches.
extern std::array<LocPoint, 1001> g_LocData;
extern std::array<LocPoint, 101> g_SftData;

// The point of the single transmit, and of the single receive (also the
// running point of a receive run), shared by the location and shift windows.
extern std::int16_t g_TransLocNo;
extern std::int16_t g_RcvLocNo;

enum class Table { Loc, Sft };

// The differences between the two tables; everything else is one design.
struct TableDesc {
    Table table;
    char label; // 'P' or 'S'
    int count;  // points in the file and on the controller
    int digits; // of the point number in a file label
    std::int16_t sendCode;
    std::int16_t recvCode;
    std::int16_t blockMode; // mode of a range run; -1: the table has none
    std::int16_t wholeMode; // mode of a whole-table run
};

inline constexpr TableDesc kTableDescs[] = {
    {.table = Table::Loc,
     .label = 'P',
     .count = 1000,
     .digits = 3,
     .sendCode = comm::CMD_LOC_TRANS,
     .recvCode = comm::CMD_LOC_RECV,
     .blockMode = 1,
     .wholeMode = 2},
    {.table = Table::Sft,
     .label = 'S',
     .count = 100,
     .digits = 2,
     .sendCode = comm::CMD_SFT_TRANS,
     .recvCode = comm::CMD_SFT_RECV,
     .blockMode = -1,
     .wholeMode = 1},
};

constexpr const TableDesc& desc(Table t)
{
    return kTableDescs[t == Table::Loc ? 0 : 1];
}

// The entries that operations reach (1000 or 100).
std::span<LocPoint> entries(Table t);

constexpr bool validPoint(Table t, int p)
{
    return p >= 0 && p < desc(t).count;
}

} // namespace points
