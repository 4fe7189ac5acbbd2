// A parameter receive of each of the five sets, in its window, fed any
// controller answers with any announced length. A block the PC did not
// accept changes no value and shows the link error box; an accepted one
// changes only the axes it carries, each value one the link can decode, and
// the axis count stays a model's.

#include "support/controllerfeed.h"
#include "support/fuzzsupport.h"

#include "link/moddef.h"
#include "link/controlbytes.h"
#include "params/parawindows.h"

#include <cmath>

using namespace comm;
using fuzz::ControllerFeed;

namespace {

const QString kLinkError0 = QStringLiteral("통신이상 발생");

struct SetUnderTest {
    const params::ParaSet& set;
    params::ParaForm& (*window)();
};

params::ParaForm& sysWindow()
{
    return params::frmSysPara::instance();
}
params::ParaForm& gainWindow()
{
    return params::frmGain::instance();
}
params::ParaForm& axisWindow()
{
    return params::frmAxis::instance();
}
params::ParaForm& swWindow()
{
    return params::frmSw::instance();
}
params::ParaForm& lmtWindow()
{
    return params::frmLmt::instance();
}

const SetUnderTest kSets[] = {
    {params::kSysSet, sysWindow}, {params::kGainSet, gainWindow}, {params::kAxisSet, axisWindow},
    {params::kSwSet, swWindow},   {params::kLmtSet, lmtWindow},
};

// No decoded value looks like these: whole ones beyond 24 bits, a real with
// a fraction.
double marker(const params::ParaSet& set, int axis, int field)
{
    if (set.kind == params::ValueKind::Real)
        return 0.25 + axis * 100 + field;
    return double(0x3F000000 + axis * 100 + field);
}

// The unused fifth slot of the gain and limit tables.
std::array<std::int32_t, 10> gainSpare{};
std::array<std::int32_t, 6> lmtSpare{};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    ControllerFeed& feed = ControllerFeed::instance();
    static const bool named = [] {
        params::InitParaNames();
        return true;
    }();
    (void)named;
    const SetUnderTest& under = kSets[data[0] % 5];
    const params::ParaSet& set = under.set;
    g_AxisCount = std::int16_t(2 + (data[0] / 5) % 3);
    params::ParaForm& w = under.window();
    if (!w.isLoaded())
        w.Show();
    for (int a = 0; a < params::storedAxes(set); ++a)
        for (int f = 0; f < set.fields; ++f)
            set.setValue(a, f, marker(set, a, f));
    params::g_GainPara[4] = gainSpare;
    params::g_LmtPara[4] = lmtSpare;
    const int axes = params::blockAxes(set);
    feed.start(data + 1, size - 1);

    w.cmdRcv_Click();

    const QByteArray pc = feed.pcBytes();
    const bool accepted = pc.size() == 4 && fuzz::lastByte(pc) == LINK_EOT;
    FUZZ_CHECK(params::g_GainPara[4] == gainSpare && params::g_LmtPara[4] == lmtSpare);
    FUZZ_CHECK(g_AxisCount >= 2 && g_AxisCount <= 4);
    FUZZ_CHECK(!w.exchangeRunning());
    for (int a = 0; a < params::storedAxes(set); ++a) {
        for (int f = 0; f < set.fields; ++f) {
            const double v = set.value(a, f);
            if (!accepted || a >= axes) {
                FUZZ_CHECK_MSG(v == marker(set, a, f), QStringLiteral("%1 axis %2 field %3 changed to %4")
                                                           .arg(QString::fromLatin1(set.window))
                                                           .arg(a)
                                                           .arg(f)
                                                           .arg(v));
                continue;
            }
            // What the block carried, or what a box check made of it: the S/W
            // boxes show hundredths and store the shown number times 100,
            // which may be a rounding step off the whole number.
            const double whole = set.kind == params::ValueKind::Real ? std::nearbyint(v) : v;
            FUZZ_CHECK_MSG(std::fabs(v - whole) < 1e-6 && whole == std::floor(whole) && whole >= -(1 << 24) &&
                               whole < (1 << 24),
                           QStringLiteral("axis %1 field %2 holds %3").arg(a).arg(f).arg(v, 0, 'g', 17));
        }
    }
    if (!accepted) {
        FUZZ_CHECK(!feed.boxes.boxes.isEmpty());
        FUZZ_CHECK(feed.boxes.boxes.back().text == kLinkError0);
    } else {
        const QByteArray& s = feed.stream();
        const int announced = std::uint8_t(s[3]) + 256 * std::uint8_t(s[4]);
        FUZZ_CHECK(announced >= params::blockLength(set) && announced <= comm::kRxDataSize);
    }
    fuzz::note(QStringLiteral("%1 accepted %2, boxes: %3")
                   .arg(QString::fromLatin1(set.window))
                   .arg(accepted)
                   .arg(feed.boxes.texts().join(u'|')));
    return 0;
}
