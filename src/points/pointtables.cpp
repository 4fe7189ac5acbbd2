#include "pointtables.h"

namespace points {

std::array<LocPoint, 1001> g_LocData{};
std::array<LocPoint, 101> g_SftData{};
std::int16_t g_TransLocNo = 0;
std::int16_t g_RcvLocNo = 0;

std::span<LocPoint> entries(Table t)
{
    if (t == Table::Loc)
        return std::span<LocPoint>(g_LocData).first(std::size_t(desc(t).count));
    return std::span<LocPoint>(g_SftData).first(std::size_t(desc(t).count));
}

} // namespace points
