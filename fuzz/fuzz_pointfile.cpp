// The location and shift file readers on any file. A read that succeeds sets
// every point and nothing else, and the table saved and read again comes back
// the same; one that fails tells why (the system's text and the line or the
// file) and keeps the points before the failing line, touching none after;
// a file that is no text changes nothing.

#include "support/fuzzsupport.h"

#include "common/rterror.h"
#include "points/pointfile.h"
#include "points/pointtables.h"

#include <vector>

using points::LocPoint;
using points::Table;

namespace {

LocPoint marker(int p, int round)
{
    const std::int32_t b = 0x2A000000 + round * 7919 + p * 4;
    return {{b, b + 1, b + 2, b + 3}};
}

std::span<LocPoint> whole(Table t)
{
    return t == Table::Loc ? std::span<LocPoint>(points::g_LocData) : std::span<LocPoint>(points::g_SftData);
}

struct Load {
    std::optional<QString> failure;
    std::vector<LocPoint> points;
};

Load loadWithMarks(Table t, const QString& path, int round)
{
    const auto all = whole(t);
    for (std::size_t p = 0; p < all.size(); ++p)
        all[p] = marker(int(p), round);
    Load l{points::readPointFile(t, path), {}};
    l.points.assign(all.begin(), all.end());
    return l;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const Table t = (data[0] & 1) ? Table::Sft : Table::Loc;
    const QString path = fuzz::writeRunFile(QStringLiteral("points.dat"), fuzz::bytesOf(data, size, 1));
    const int count = int(points::entries(t).size());

    const Load first = loadWithMarks(t, path, 0);
    const Load second = loadWithMarks(t, path, 1);

    FUZZ_CHECK(first.failure == second.failure);
    // The entry after the last point is never reached.
    FUZZ_CHECK(first.points[std::size_t(count)] == marker(count, 0));
    FUZZ_CHECK(second.points[std::size_t(count)] == marker(count, 1));
    int read = 0;
    for (int p = 0; p < count; ++p) {
        const bool kept = first.points[std::size_t(p)] == marker(p, 0) && second.points[std::size_t(p)] == marker(p, 1);
        if (kept)
            break;
        FUZZ_CHECK(first.points[std::size_t(p)] == second.points[std::size_t(p)]);
        ++read;
    }
    for (int p = read; p < count; ++p)
        FUZZ_CHECK(second.points[std::size_t(p)] == marker(p, 1));
    if (first.failure) {
        FUZZ_CHECK(read < count);
        const QString& text = *first.failure;
        if (text == common::RtError::of(common::err::BadFileMode).text() + path) {
            FUZZ_CHECK(read == 0); // no text: nothing changed
            return 0;
        }
        FUZZ_CHECK_MSG(text.startsWith(common::RtError::of(common::err::InputPastEndOfFile).text()) ||
                           text.startsWith(common::RtError::of(common::err::Overflow).text()),
                       text);
        return 0;
    }
    FUZZ_CHECK(read == count);
    // What was read is written and read back unchanged.
    const QString copy = fuzz::runDir() + QStringLiteral("/points-copy.dat");
    FUZZ_CHECK(!points::writePointFile(t, copy));
    const auto table = points::entries(t);
    const std::vector<LocPoint> saved(table.begin(), table.end());
    for (auto& p : table)
        p = {};
    const auto again = points::readPointFile(t, copy);
    FUZZ_CHECK_MSG(!again, again.value_or(QString()));
    for (int p = 0; p < count; ++p)
        FUZZ_CHECK_MSG(table[std::size_t(p)] == saved[std::size_t(p)], points::pointLine(t, p, saved[std::size_t(p)]));
    return 0;
}
