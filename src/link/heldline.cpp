#include "heldline.h"

// The kernel's own termios, whose speeds are baud numbers; it cannot share a
// file with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace comm {

std::optional<HeldLine> readHeldLine(int fd)
{
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return std::nullopt;
    HeldLine held;
    switch (t.c_cflag & CSIZE) {
    case CS5:
        held.dataBits = 5;
        break;
    case CS6:
        held.dataBits = 6;
        break;
    case CS7:
        held.dataBits = 7;
        break;
    default:
        held.dataBits = 8;
        break;
    }
    const bool odd = (t.c_cflag & PARODD) != 0;
    if (!(t.c_cflag & PARENB))
        held.parity = 'n';
    else if (t.c_cflag & CMSPAR)
        held.parity = odd ? 'm' : 's';
    else
        held.parity = odd ? 'o' : 'e';
    held.twoStopBits = (t.c_cflag & CSTOPB) != 0;
    held.rtsCts = (t.c_cflag & CRTSCTS) != 0;
    held.inSpeed = t.c_ispeed;
    held.outSpeed = t.c_ospeed;
    return held;
}

} // namespace comm
