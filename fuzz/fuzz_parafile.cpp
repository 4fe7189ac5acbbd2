// The parameter file reader of each of the five sets on any file. Every value
// it keeps is one of the set's kind (a whole number within 32 bits, or a
// number), the values past the file's lines stay as they were, and a file it
// cannot read gives the set's defaults, or (axis set) keeps what it had read
// before the bad token and nothing after it.

#include "support/fuzzsupport.h"

#include "link/moddef.h"
#include "params/parafile.h"
#include "params/paraset.h"

#include <cmath>
#include <limits>
#include <vector>

using namespace params;

namespace {

const ParaSet* const kSets[] = {&kSysSet, &kGainSet, &kAxisSet, &kSwSet, &kLmtSet};

// Two sets of marks: a value equal to its mark after both reads was not touched.
double marker(const ParaSet& set, int axis, int field, int round)
{
    const double base = set.kind == ValueKind::Real ? 0.375 : double(0x3F000000);
    return base + round * 7919 + axis * 100 + field;
}

struct Read {
    ReadOutcome outcome;
    std::vector<double> values; // by field, then axis
};

Read readWithMarks(const ParaSet& set, const QString& path, int round)
{
    for (int a = 0; a < storedAxes(set); ++a)
        for (int f = 0; f < set.fields; ++f)
            set.setValue(a, f, marker(set, a, f, round));
    Read r{loadParaSet(set, path), {}};
    for (int f = 0; f < set.fields; ++f)
        for (int a = 0; a < storedAxes(set); ++a)
            r.values.push_back(set.value(a, f));
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const ParaSet& set = *kSets[data[0] % 5];
    comm::g_AxisCount = std::int16_t(2 + (data[0] / 5) % 3);
    const QString path = fuzz::writeRunFile(QStringLiteral("para.dat"), fuzz::bytesOf(data, size, 1));
    const int axes = storedAxes(set);
    g_GainPara[4].fill(-1);
    g_LmtPara[4].fill(-1);

    const Read first = readWithMarks(set, path, 0);
    const Read second = readWithMarks(set, path, 1);

    FUZZ_CHECK(first.outcome == second.outcome);
    FUZZ_CHECK(first.outcome == ReadOutcome::Read || first.outcome == ReadOutcome::Failed);
    // The unused fifth slots stay as they were.
    for (const std::int32_t v : g_GainPara[4])
        FUZZ_CHECK(v == -1);
    for (const std::int32_t v : g_LmtPara[4])
        FUZZ_CHECK(v == -1);
    std::vector<bool> kept; // the values of the file's lines, in the reader's order
    for (int f = 0; f < set.fields; ++f) {
        for (int a = 0; a < axes; ++a) {
            const std::size_t i = std::size_t(f * axes + a);
            const bool same = first.values[i] == marker(set, a, f, 0) && second.values[i] == marker(set, a, f, 1);
            if (!same)
                FUZZ_CHECK(first.values[i] == second.values[i]);
            const double v = first.values[i];
            FUZZ_CHECK(!std::isnan(v));
            if (set.kind == ValueKind::Whole32 && !same)
                FUZZ_CHECK_MSG(v == std::floor(v) && v >= std::numeric_limits<std::int32_t>::min() &&
                                   v <= std::numeric_limits<std::int32_t>::max(),
                               QStringLiteral("%1 axis %2 field %3 holds %4")
                                   .arg(QString::fromLatin1(set.window))
                                   .arg(a)
                                   .arg(f)
                                   .arg(v));
            if (f >= set.fileLines)
                FUZZ_CHECK(same || first.outcome == ReadOutcome::Failed);
            else
                kept.push_back(same);
        }
    }
    if (first.outcome == ReadOutcome::Read) {
        for (const bool same : kept)
            FUZZ_CHECK(!same); // every value of the file's lines was read
        return 0;
    }
    if (set.loadFailure == LoadFailure::Defaults) {
        for (int a = 0; a < axes; ++a) {
            for (int f = 0; f < set.fields; ++f) {
                double d = set.defaults[std::size_t(f)];
                if (set.defaultsRule == DefaultsRule::OnlyAxesBelowAxisCount && a >= comm::g_AxisCount)
                    d = 0;
                if (set.defaultsRule == DefaultsRule::AxesFromAxisCount && f == sys::AXES)
                    d = comm::g_AxisCount - 2;
                FUZZ_CHECK(second.values[std::size_t(f * axes + a)] == d);
            }
        }
        return 0;
    }
    // What came before the bad token is kept, nothing after it is touched.
    bool after = false;
    for (const bool same : kept) {
        if (after)
            FUZZ_CHECK(same);
        after = after || same;
    }
    return 0;
}
