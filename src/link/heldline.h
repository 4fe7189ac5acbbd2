#pragma once
// What a serial device really holds, read back from it after its settings
// were applied: a driver may keep other settings than those asked for
// without refusing them (a rate it cannot make, a stop bit it has not).

#include <cstdint>
#include <optional>

namespace comm {

struct HeldLine {
    int dataBits = 8;
    char parity = 'n';        // n, e, o, m, s
    bool twoStopBits = false; // with 5 data bits: one and a half
    bool rtsCts = false;
    std::uint32_t inSpeed = 0; // baud
    std::uint32_t outSpeed = 0;
};

// The settings of the open device `fd`; nothing when it cannot be asked.
std::optional<HeldLine> readHeldLine(int fd);

} // namespace comm
