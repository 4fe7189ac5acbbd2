// Point receives (one point, a range, a whole table) fed any controller
// answers. A point changes only when its block was accepted, only the points
// of the run change and only their first g_AxisCount axes; the call returns
// true exactly when a point was stored, and shows no box exactly when every
// point of the run was stored.

#include "support/controllerfeed.h"
#include "support/fuzzsupport.h"

#include "link/exchange.h"
#include "link/moddef.h"
#include "points/pointexchange.h"
#include "points/pointtables.h"

#include <optional>

using namespace comm;
using fuzz::ControllerFeed;
using points::LocPoint;
using points::Table;

namespace {

const QString kLinkError0 = QStringLiteral("통신이상 발생");

// No received value looks like this: decoded values have bits 24..31 all
// equal.
LocPoint marker(int p)
{
    return {{0x12000000 + p, 0x34000000 + p, 0x56000000 + p, 0x78000000 + p}};
}

struct Run {
    int first;
    int last;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    ControllerFeed& feed = ControllerFeed::instance();
    const Table t = (data[0] & 1) ? Table::Sft : Table::Loc;
    const auto mode = std::int16_t((data[0] >> 1) & 3);
    g_AxisCount = std::int16_t((data[0] >> 3) & 7); // 0 and 5..7: no model
    const int axes = g_AxisCount >= 1 && g_AxisCount <= 4 ? g_AxisCount : 0;
    const int count = t == Table::Loc ? 1000 : 100;
    const int a = data[1] | ((data[2] & 0x03) << 8);
    const int b = a + (data[2] >> 2) - 8;                              // a short range, sometimes backwards
    points::g_RcvLocNo = std::int16_t(a + (t == Table::Loc ? 0 : -3)); // sometimes past the table
    feed.start(data + 3, size - 3);

    auto table = points::entries(t);
    const std::span<LocPoint> whole =
        t == Table::Loc ? std::span<LocPoint>(points::g_LocData) : std::span<LocPoint>(points::g_SftData);
    for (std::size_t p = 0; p < whole.size(); ++p)
        whole[p] = marker(int(p));

    std::optional<Run> run;
    bool stored = false;
    if (t == Table::Loc) {
        if (mode == 2)
            run = Run{0, count - 1};
        else if (mode == 1 && a < count && b >= 0 && b < count && a <= b)
            run = Run{a, b};
        else if (mode != 1 && points::validPoint(t, points::g_RcvLocNo))
            run = Run{points::g_RcvLocNo, points::g_RcvLocNo};
        stored = points::RecvLocData(mode, std::int16_t(a), std::int16_t(b));
    } else {
        if (mode == 1)
            run = Run{0, count - 1};
        else if (points::validPoint(t, points::g_RcvLocNo))
            run = Run{points::g_RcvLocNo, points::g_RcvLocNo};
        stored = points::RecvSftData(mode);
    }
    if (axes == 0)
        run.reset();

    const QByteArray pc = feed.pcBytes();
    if (!run) {
        FUZZ_CHECK(!stored && pc.isEmpty() && feed.boxes.boxes.isEmpty());
    }
    int changed = 0;
    for (std::size_t p = 0; p < whole.size(); ++p) {
        const LocPoint m = marker(int(p));
        const bool inRun = run && int(p) >= run->first && int(p) <= run->last && int(p) < int(table.size());
        if (!inRun) {
            FUZZ_CHECK_MSG(whole[p] == m, QStringLiteral("point %1 outside the run changed").arg(p));
            continue;
        }
        for (int x = axes; x < 4; ++x)
            FUZZ_CHECK(whole[p].ax[std::size_t(x)] == m.ax[std::size_t(x)]);
        bool any = false;
        for (int x = 0; x < axes; ++x) {
            const std::int32_t v = whole[p].ax[std::size_t(x)];
            if (v != m.ax[std::size_t(x)]) {
                any = true;
                FUZZ_CHECK(v >= -(1 << 24) && v < (1 << 24));
            }
        }
        // A point is stored whole or not at all.
        if (any) {
            for (int x = 0; x < axes; ++x)
                FUZZ_CHECK(whole[p].ax[std::size_t(x)] != m.ax[std::size_t(x)]);
            ++changed;
        }
    }
    fuzz::note(QStringLiteral("run %1..%2, %3 stored, boxes: %4")
                   .arg(run ? run->first : -1)
                   .arg(run ? run->last : -1)
                   .arg(changed)
                   .arg(feed.boxes.texts().join(u'|')));
    if (!run)
        return 0;
    const int runLength = run->last - run->first + 1;
    FUZZ_CHECK(stored == (changed > 0));
    FUZZ_CHECK_MSG(
        feed.boxes.boxes.isEmpty() == (changed == runLength),
        QStringLiteral("%1 of %2 stored, boxes: %3").arg(changed).arg(runLength).arg(feed.boxes.texts().join(u'|')));
    if (!feed.boxes.boxes.isEmpty())
        FUZZ_CHECK(feed.boxes.boxes.back().text == kLinkError0);
    if (runLength == 1 && changed == 1) {
        // One exchange: the answers were read in order.
        const QByteArray& s = feed.stream();
        FUZZ_CHECK(s.size() >= 3 + 4 * axes + 2);
        const LocPoint& got = whole[std::size_t(run->first)];
        for (int x = 0; x < axes; ++x)
            FUZZ_CHECK(got.ax[std::size_t(x)] ==
                       comm::decodeValue24(reinterpret_cast<const std::uint8_t*>(s.constData()) + 3 + 4 * x));
    }
    return 0;
}
