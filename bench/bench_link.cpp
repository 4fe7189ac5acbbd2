// Link exchanges against the controller emulator over a pseudo-terminal:
// exchanges per second, the bytes moved, and the processor time the PC side
// spends while it waits out the handshake time-out of a silent controller.
// One figure per line. Argument: seconds per rate (default 2).

#include "common/msgbox.h"
#include "common/settings.h"
#include "emulator/controlleremulator.h"
#include "link/exchange.h"
#include "link/moderror.h"
#include "link/modlib.h"
#include "link/serialportcontrol.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

using namespace comm;

namespace {

double cpuSeconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Runs `exchange` for about `seconds` and prints the rate and the bytes.
bool rate(const char* name, double seconds, const std::function<bool()>& exchange)
{
    SerialPortControl& port = SerialPortControl::MSComm1();
    const quint64 out0 = port.bytesWritten();
    const quint64 in0 = port.bytesRead();
    QElapsedTimer t;
    t.start();
    int n = 0;
    while (t.elapsed() < seconds * 1000) {
        if (!exchange()) {
            std::printf("%s: exchange %d failed\n", name, n + 1);
            return false;
        }
        ++n;
    }
    const double s = double(t.nsecsElapsed()) / 1e9;
    std::printf("%s: %.0f exchanges/s (%d in %.2f s)\n", name, n / s, n, s);
    std::printf("%s: %llu bytes written, %llu bytes read\n", name,
                static_cast<unsigned long long>(port.bytesWritten() - out0),
                static_cast<unsigned long long>(port.bytesRead() - in0));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::max(0.2, QString::fromLocal8Bit(argv[1]).toDouble()) : 2.0;

    int boxes = 0;
    common::setMessageHandler([&boxes](const common::MessageRequest&) {
        ++boxes;
        return common::MsgAnswer::Ok;
    });
    emu::ControllerEmulator controller(4);
    if (!controller.start()) {
        std::fprintf(stderr, "bench_link: no pseudo-terminal\n");
        return 1;
    }
    const QString device = controller.slavePath();
    common::setSettingsReader([device](const QString& group, const QString& key, const QString& fallback) {
        return group == QLatin1String("Properties") && key == QLatin1String("COM1") ? device : fallback;
    });
    g_AxisCount = 4;
    InitErrMsgs();
    initBytePlace();
    attachReceiveNotification();
    SerialPortControl& port = SerialPortControl::MSComm1();
    if (auto e = port.setPortOpen(true)) {
        std::fprintf(stderr, "bench_link: %s\n", qPrintable(e->text()));
        return 1;
    }
    controller.state().inputs = 0x80000005u;
    for (int i = 0; i < 1026; ++i)
        controller.state().programs[0][std::size_t(i)] = std::uint8_t(i);

    bool ok = rate("SERVO ON word exchange", seconds, [] {
        return LinkHandshake(CMD_SERVO_ON) == Handshake::Echoed && SendZeroWord(0, kMotionAnswerWait);
    });
    ok = ok && rate("status read (4-byte block)", seconds, [] { return ReadIoStatus(1); });
    ok = ok && rate("program image receive (1026-byte block)", seconds, [] {
             if (LinkHandshake(CMD_PRG_RECV) != Handshake::Echoed)
                 return false;
             g_BlockLen = 1026;
             return SendWordAck(0) && recvBlock(1026, g_RxData.data(), kRxDataSize) == BlockRecv::Accepted;
         });
    std::printf("controller side: %llu bytes from the PC, %llu bytes to the PC\n",
                static_cast<unsigned long long>(controller.bytesFromPc()),
                static_cast<unsigned long long>(controller.bytesToPc()));

    // The handshake time-out on the real clock, with a controller that
    // answers nothing.
    controller.faults().silent = true;
    boxes = 0;
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    const bool answered = LinkHandshake(CMD_SERVO_ON) == Handshake::Echoed;
    const double wallS = double(wall.nsecsElapsed()) / 1e9;
    const double cpuS = cpuSeconds() - cpu0;
    std::printf("silent controller: handshake %s after %.2f s wall, %d box(es)\n", answered ? "answered" : "timed out",
                wallS, boxes);
    std::printf("silent controller: %.1f ms CPU while waiting (%.2f %% of one core)\n", cpuS * 1000.0,
                100.0 * cpuS / wallS);

    port.setPortOpen(false);
    return ok && !answered ? 0 : 1;
}
