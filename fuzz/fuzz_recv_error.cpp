// Error Check fed any controller answers: an accepted record shows exactly
// its own text; every other ending shows the link error box last, and the
// PC never accepts a block it does not show.

#include "support/controllerfeed.h"
#include "support/fuzzsupport.h"

#include "link/moderror.h"
#include "link/modlib.h"

using namespace comm;
using fuzz::ControllerFeed;

namespace {
const QString kLinkError0 = QStringLiteral("통신이상 발생");
const QString kNotConnected = QStringLiteral("통신이 연결되지 않았습니다.");
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ControllerFeed& feed = ControllerFeed::instance();
    feed.start(data, size);

    ReadCtrlError();

    const QByteArray pc = feed.pcBytes();
    const QByteArray& s = feed.stream();
    const QStringList boxes = feed.boxes.texts();
    FUZZ_CHECK(!boxes.isEmpty());
    FUZZ_CHECK(pc.size() >= 1 && std::uint8_t(pc[0]) == LINK_SOH);
    if (fuzz::lastByte(pc) == LINK_EOT && pc.size() == 3) {
        FUZZ_CHECK(s.size() >= 8 && std::uint8_t(s[1]) == CMD_READ_ERROR && std::uint8_t(s[7]) == LINK_ETX);
        const auto code = std::int16_t(std::uint16_t(std::uint8_t(s[2]) | (std::uint8_t(s[3]) << 8)));
        const auto value = std::int16_t(std::uint16_t(std::uint8_t(s[4]) | (std::uint8_t(s[5]) << 8)));
        FUZZ_CHECK_MSG(boxes == QStringList{ctrlErrorMessage(code, value)}, boxes.join(u'|'));
        FUZZ_CHECK(feed.boxes.boxes.back().title == common::kAppTitle);
    } else {
        // A handshake that timed out tells so first; then the link error.
        FUZZ_CHECK_MSG(boxes == QStringList{kLinkError0} || boxes == (QStringList{kNotConnected, kLinkError0}),
                       boxes.join(u'|'));
        FUZZ_CHECK(feed.boxes.boxes.back().title == QStringLiteral("ERROR"));
    }
    return 0;
}
