#pragma once
// The soak's clock and its guard against a hang. The clock stands still while
// a byte is on its way between the PC and the emulator and jumps past any
// wait once the line is quiet (nothing is on its way either way) and the ring
// is empty: a silent controller times out at once, a talking one never.

#include "support/emulink.h"

#include <atomic>
#include <thread>

class SoakClock {
public:
    explicit SoakClock(testsupport::EmulatorLink& link);
    ~SoakClock();
    SoakClock(const SoakClock&) = delete;
    SoakClock& operator=(const SoakClock&) = delete;

    // The port was opened again: its count starts from zero.
    void rebase();
    void startTransfer() { m_jumps = 0; }
    // Jumps since startTransfer(): a wait that times out takes one or two.
    int jumps() const { return m_jumps; }
    // The emulator has read all the PC wrote, and the PC's port has taken
    // from the device all the emulator sent, into the ring or dropped.
    bool quiet() const;
    // Serves events until the line is quiet (the last answer of the PC read
    // by the emulator), at most `ms`.
    bool settle(int ms = 2000) const;

private:
    double read();

    testsupport::EmulatorLink& m_link;
    double m_now = 0;
    int m_jumps = 0;
    quint64 m_fromPc0 = 0;
};

// Aborts the run when a transfer takes longer than it may in real time: a
// hang must not pass as a slow test.
class Watchdog {
public:
    Watchdog();
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    void arm(int ms);
    void disarm() { m_deadline = 0; }

private:
    std::atomic<qint64> m_deadline{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
