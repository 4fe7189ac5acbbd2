// Whole location table (1000 points, 4 axes) to and from the controller
// emulator over a pseudo-terminal. The emulator answers at once, so the time
// is the PC's own (and the emulator's): it must stay a small fraction of the
// time the same bytes need on a real line. Argument: rounds, the best of
// which is shown (default 3).

#include "points/pointexchange.h"
#include "points/pointtables.h"

#include "link/serialportcontrol.h"
#include "support/emulink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kPoints = 1000;
constexpr double kBitsPerByte = 10.0; // start, 8 data bits, stop

double cpuMs()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

struct Figures {
    double ms = 0;
    double cpuMs = 0; // the process's processor time: the PC's and the emulator's
    quint64 pcBytes = 0;
    quint64 controllerBytes = 0;
};

double wireMs(quint64 bytes, int baud)
{
    return double(bytes) * kBitsPerByte * 1000.0 / baud;
}

void print(const char* what, const Figures& f)
{
    const quint64 bytes = f.pcBytes + f.controllerBytes;
    const double perPoint = f.ms / kPoints;
    const double pointWire9600 = wireMs(bytes, 9600) / kPoints;
    std::printf("%-8s %9.1f ms  %6llu bytes (PC %llu, controller %llu)\n", what, f.ms,
                static_cast<unsigned long long>(bytes), static_cast<unsigned long long>(f.pcBytes),
                static_cast<unsigned long long>(f.controllerBytes));
    std::printf("         wire time %8.1f ms at 9600 baud (ratio %.4f), %7.1f ms at 115200 baud (ratio %.4f)\n",
                wireMs(bytes, 9600), f.ms / wireMs(bytes, 9600), wireMs(bytes, 115200), f.ms / wireMs(bytes, 115200));
    std::printf("         per point %.3f ms of PC time against %.1f ms on the line at 9600 baud (%.2f %%)\n", perPoint,
                pointWire9600, 100.0 * perPoint / pointWire9600);
    std::printf("         processor time %.1f ms (PC and emulator; ratio %.4f at 115200 baud)\n", f.cpuMs,
                f.cpuMs / wireMs(bytes, 115200));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;

    testsupport::EmulatorLink link(4);
    if (!link.ok()) {
        std::fprintf(stderr, "bench_points: no pseudo-terminal for the emulator\n");
        return 1;
    }
    for (int p = 0; p < kPoints; ++p)
        points::g_LocData[std::size_t(p)].ax = {p * 100, -p, 16777215 - p, -16777216 + p};

    std::vector<Figures> sends;
    std::vector<Figures> receives;
    for (int round = 0; round < rounds; ++round) {
        for (bool send : {true, false}) {
            const quint64 fromPc = link.emulator().bytesFromPc();
            const quint64 toPc = link.emulator().bytesToPc();
            const int accepted = link.state().blocksAcceptedByPc;
            const double cpu0 = cpuMs();
            QElapsedTimer t;
            t.start();
            if (send)
                points::SendLocData(2, 0, 0);
            else
                points::RecvLocData(2, 0, 0);
            // The PC's last answer is part of the transfer.
            if (!send &&
                !QTest::qWaitFor([&] { return link.state().blocksAcceptedByPc == accepted + kPoints; }, 5000)) {
                std::fprintf(stderr, "bench_points: the receive did not finish\n");
                return 1;
            }
            Figures f;
            f.ms = double(t.nsecsElapsed()) / 1e6;
            f.cpuMs = cpuMs() - cpu0;
            f.pcBytes = link.emulator().bytesFromPc() - fromPc;
            f.controllerBytes = link.emulator().bytesToPc() - toPc;
            (send ? sends : receives).push_back(f);
        }
    }
    if (!link.boxes.boxes.isEmpty() || link.state().loc[999] != points::g_LocData[999].ax) {
        std::fprintf(stderr, "bench_points: the transfer failed\n");
        return 1;
    }

    auto best = [](std::vector<Figures> v) {
        return *std::min_element(v.begin(), v.end(), [](const Figures& a, const Figures& b) { return a.ms < b.ms; });
    };
    std::printf("Whole location table, %d points, 4 axes, emulator answering at once (best of %d)\n", kPoints, rounds);
    print("send", best(sends));
    print("receive", best(receives));
    return 0;
}
