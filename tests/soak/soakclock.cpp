#include "soakclock.h"

#include "common/events.h"
#include "link/modlib.h"
#include "link/serialportcontrol.h"

#include <QDateTime>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
// Longer than any wait of the link (60 s): one jump ends it.
constexpr double kJump = 100.0;
constexpr double kTick = 0.0001;

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}
} // namespace

SoakClock::SoakClock(testsupport::EmulatorLink& link) : m_link(link)
{
    rebase();
    common::setClock([this] { return read(); });
    common::setSleep([](int) {});
}

SoakClock::~SoakClock()
{
    common::setClock({});
    common::setSleep({});
}

void SoakClock::rebase()
{
    m_fromPc0 = m_link.emulator().bytesFromPc();
}

bool SoakClock::quiet() const
{
    const comm::SerialPortControl& port = comm::SerialPortControl::MSComm1();
    const emu::ControllerEmulator& e = m_link.emulator();
    // Toward the PC the bytes are not counted: the program clears the
    // device's input on purpose (late bytes before a handshake), and a byte
    // it drops there is never read.
    return port.bytesWritten() == e.bytesFromPc() - m_fromPc0 && port.InBufferCount() == 0 && !e.toPcInFlight();
}

bool SoakClock::settle(int ms) const
{
    // A dropped line has nothing more to tell.
    return QTest::qWaitFor([this] { return quiet() || !m_link.emulator().lineUp(); }, ms);
}

double SoakClock::read()
{
    if (!comm::RxAvail() && quiet()) {
        ++m_jumps;
        m_now += kJump;
    } else {
        m_now += kTick;
    }
    return m_now;
}

Watchdog::Watchdog()
    : m_thread([this] {
          while (!m_stop) {
              const qint64 d = m_deadline;
              if (d != 0 && nowMs() > d) {
                  std::fprintf(stderr, "a transfer hung: it did not end within its time\n");
                  std::abort();
              }
              std::this_thread::sleep_for(std::chrono::milliseconds(50));
          }
      })
{
}

Watchdog::~Watchdog()
{
    m_stop = true;
    m_thread.join();
}

void Watchdog::arm(int ms)
{
    m_deadline = nowMs() + ms;
}
