// The status read fed any controller answers: it ends true with the values
// of the block it accepted, or false with the values untouched and, unless
// it refused the block itself, the link error box shown.

#include "support/controllerfeed.h"
#include "support/fuzzsupport.h"

#include "link/moddef.h"
#include "link/modlib.h"

using namespace comm;
using fuzz::ControllerFeed;

namespace {
constexpr std::int32_t kUntouched = -7;
const QString kLinkError0 = QStringLiteral("통신이상 발생");
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    ControllerFeed& feed = ControllerFeed::instance();
    const std::int16_t which = (data[0] & 1) ? 1 : 2;
    const int code = which == 1 ? CMD_READ_INPUTS : CMD_READ_OUTPUTS;
    feed.start(data + 1, size - 1);
    g_InLo = g_InHi = g_OutLo = g_OutHi = kUntouched;

    const bool ok = ReadIoStatus(which);

    const QByteArray pc = feed.pcBytes();
    const QByteArray& s = feed.stream();
    FUZZ_CHECK(pc.size() >= 1 && std::uint8_t(pc[0]) == LINK_SOH);
    const std::int32_t lo = which == 1 ? g_InLo : g_OutLo;
    const std::int32_t hi = which == 1 ? g_InHi : g_OutHi;
    const std::int32_t otherLo = which == 1 ? g_OutLo : g_InLo;
    const std::int32_t otherHi = which == 1 ? g_OutHi : g_InHi;
    FUZZ_CHECK(otherLo == kUntouched && otherHi == kUntouched);
    if (ok) {
        FUZZ_CHECK(feed.boxes.boxes.isEmpty());
        FUZZ_CHECK(fuzz::lastByte(pc) == LINK_EOT);
        FUZZ_CHECK(pc.size() == 3 && std::uint8_t(pc[1]) == code);
        FUZZ_CHECK(s.size() >= 8 && std::uint8_t(s[1]) == code && std::uint8_t(s[7]) == LINK_ETX);
        unsigned sum = 0;
        for (int i = 2; i <= 6; ++i)
            sum += std::uint8_t(s[i]);
        FUZZ_CHECK((sum & 0xFF) == 0);
        FUZZ_CHECK(lo == std::uint8_t(s[2]) + 256 * std::uint8_t(s[3]));
        FUZZ_CHECK(hi == std::uint8_t(s[4]) + 256 * std::uint8_t(s[5]));
    } else {
        FUZZ_CHECK(lo == kUntouched && hi == kUntouched);
        FUZZ_CHECK(fuzz::lastByte(pc) != LINK_EOT || pc.size() < 3);
        if (feed.boxes.boxes.isEmpty()) {
            // The one silent failure: a block the status read refused itself.
            FUZZ_CHECK(pc.size() == 3 && fuzz::lastByte(pc) == LINK_DLE);
        } else {
            FUZZ_CHECK(feed.boxes.boxes.back().text == kLinkError0);
        }
    }
    return 0;
}
