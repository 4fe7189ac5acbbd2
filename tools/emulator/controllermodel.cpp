#include "controllermodel.h"

#include <algorithm>

namespace emu {

namespace {

// The factory settings of each parameter set, by field: the same values the
// PC program takes when it has no file to load (the system set's AXES is
// the axis count - 2; every per-axis set holds these for each of its axes).
// All are small enough that each set's four-byte form of a value is the
// plain 32-bit two's complement, low byte first.
constexpr std::int32_t kSysDefaults[19] = {0, 0, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10};
constexpr std::int32_t kGainDefaults[10] = {100, 2, 0, 0, 3000, 0, 0, 0, 0, 0};
constexpr std::int32_t kAxisDefaults[11] = {0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0};
constexpr std::int32_t kSwDefaults[18] = {0,  -100000, 100000, 0,   10000, 300000, 2000, 2048, 20,
                                          20, 100,     0,      100, 20,    10,     20,   1,    0};
constexpr std::int32_t kLmtDefaults[6] = {1, 1, 1, 1, 0, 0};
constexpr int kSysAxes = 0; // the field AXES

void appendLe32(QByteArray& out, std::int32_t v)
{
    const auto u = std::uint32_t(v);
    for (int k = 0; k < 4; ++k)
        out.append(char((u >> (8 * k)) & 0xFFu));
}

template <std::size_t N> QByteArray perAxis(const std::int32_t (&values)[N], int axes)
{
    QByteArray out;
    for (int a = 0; a < axes; ++a)
        for (std::int32_t v : values)
            appendLe32(out, v);
    return out;
}

} // namespace

std::array<std::int32_t, 4> samplePoint(int n, int axes)
{
    std::array<std::int32_t, 4> p{};
    if (n < 0 || n >= kSamplePoints)
        return p;
    // Whole millimetres in hundredths, a sign of each kind.
    const std::array<std::int32_t, 4> step = {10000, -5000, 2500, 1250};
    for (int a = 0; a < std::min(axes, 4); ++a)
        p[std::size_t(a)] = step[std::size_t(a)] * (n + 1);
    return p;
}

State::State(int axes, Contents contents)
    : axisCount(axes), sysBlock(76, '\0'), gainBlock(axes * 40, '\0'), axisBlock(axes * 44, '\0'),
      swBlock(axes * 72, '\0'), lmtBlock(axes * 24, '\0')
{
    if (contents == Contents::Empty)
        return;
    std::int32_t sys[19];
    std::copy(std::begin(kSysDefaults), std::end(kSysDefaults), sys);
    sys[kSysAxes] = axes - 2;
    sysBlock = perAxis(sys, 1);
    gainBlock = perAxis(kGainDefaults, axes);
    axisBlock = perAxis(kAxisDefaults, axes);
    swBlock = perAxis(kSwDefaults, axes);
    lmtBlock = perAxis(kLmtDefaults, axes);

    // Program 0: the header (in use, the record number of "[EOF]") and the
    // step words, low byte first; the other steps stay empty.
    auto& img = programs[0];
    img[0] = 1;
    img[1] = std::uint8_t(kSampleProgram.size() - 1);
    for (std::size_t s = 0; s < kSampleProgram.size(); ++s)
        for (int k = 0; k < 4; ++k)
            img[2 + 4 * s + std::size_t(k)] = std::uint8_t((kSampleProgram[s] >> (8 * k)) & 0xFFu);

    for (int n = 0; n < kSamplePoints; ++n) {
        loc[std::size_t(n)] = samplePoint(n, axes);
        sft[std::size_t(n)] = samplePoint(n, axes);
    }
}

} // namespace emu
