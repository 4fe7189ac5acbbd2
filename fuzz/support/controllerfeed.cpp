#include "controllerfeed.h"

#include "fuzzsupport.h"

#include "common/events.h"
#include "link/moderror.h"
#include "link/modlib.h"
#include "link/serialportcontrol.h"

#include <QSerialPort>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace fuzz {

namespace {
// A time-out passes in one reading of the clock; the longest wait is 60 s.
constexpr double kJump = 1000.0;
constexpr double kTick = 0.001;

bool setRaw(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return false;
    ::cfmakeraw(&t);
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}
} // namespace

ControllerFeed& ControllerFeed::instance()
{
    static ControllerFeed* feed = new ControllerFeed; // lives for the run, as the port does
    return *feed;
}

ControllerFeed::ControllerFeed()
{
    initApp();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    char name[128] = {};
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
        ::ptsname_r(m_master, name, sizeof name) != 0)
        fail("a pseudo-terminal could be opened", __FILE__, __LINE__);
    // Holding the slave keeps the master from reading a hang-up.
    m_slaveHold = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slaveHold < 0 || !setRaw(m_slaveHold))
        fail("the pseudo-terminal could be set raw", __FILE__, __LINE__);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    comm::InitErrMsgs();
    comm::initBytePlace();
    comm::attachReceiveNotification();
    m_settings.values[QStringLiteral("Properties/COM1")] = QString::fromLocal8Bit(name);
    comm::SerialPortControl& port = comm::SerialPortControl::MSComm1();
    port.setCommPort(1);
    if (port.setPortOpen(true))
        fail("the port could be opened on the pseudo-terminal", __FILE__, __LINE__);
    // The run ends with exit(): the device gets its settings back and its
    // lock goes then.
    std::atexit([] { comm::SerialPortControl::MSComm1().release(); });
    m_serial = port.findChild<QSerialPort*>();
    if (!m_serial)
        fail("the port's serial device was found", __FILE__, __LINE__);
    common::setClock([this] { return clock(); });
    common::setSleep([](int) {});
}

void ControllerFeed::start(const std::uint8_t* data, std::size_t size)
{
    m_records.clear();
    m_stream.clear();
    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t len = data[pos++];
        const std::size_t take = len == 255 ? size - pos : std::min(len, size - pos);
        const QByteArray r = bytesOf(data, pos + take, pos);
        m_records.append(r);
        m_stream += r;
        pos += take;
    }
    drain();
    comm::clearRxRing();
    m_pc.clear();
    m_writtenAtStart = comm::SerialPortControl::MSComm1().bytesWritten();
    m_next = 0;
    m_jump = false;
    boxes.clear();
    boxes.answers.clear();
}

double ControllerFeed::clock()
{
    drain();
    if (m_jump) {
        m_jump = false;
        m_now += kJump;
        return m_now;
    }
    if (!comm::RxAvail()) {
        if (m_next < m_records.size()) {
            const QByteArray& r = m_records[m_next++];
            if (r.isEmpty())
                m_jump = true;
            else
                deliver(r);
        } else {
            m_jump = true;
        }
    }
    m_now += kTick;
    return m_now;
}

void ControllerFeed::deliver(const QByteArray& bytes)
{
    comm::SerialPortControl& port = comm::SerialPortControl::MSComm1();
    const quint64 target = port.bytesRead() + quint64(bytes.size());
    qsizetype sent = 0;
    int misses = 0;
    while (port.bytesRead() < target) {
        if (sent < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + sent, std::size_t(bytes.size() - sent));
            if (n > 0)
                sent += n;
        }
        // The port reads what came and raises its notification, which moves
        // the bytes into the ring.
        if (!m_serial->waitForReadyRead(200) && ++misses > 25)
            fail("the answer reached the port", __FILE__, __LINE__);
        drain();
    }
}

void ControllerFeed::drain()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            m_pc.append(buf, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return;
    }
}

QByteArray ControllerFeed::pcBytes()
{
    const quint64 expected = comm::SerialPortControl::MSComm1().bytesWritten() - m_writtenAtStart;
    for (int i = 0; i < 100 && quint64(m_pc.size()) < expected; ++i) {
        pollfd p{m_master, POLLIN, 0};
        ::poll(&p, 1, 20);
        drain();
    }
    if (quint64(m_pc.size()) != expected)
        fail("every byte the PC wrote reached the line", __FILE__, __LINE__);
    return m_pc;
}

int lastByte(const QByteArray& pcBytes)
{
    return pcBytes.isEmpty() ? -1 : std::uint8_t(pcBytes.back());
}

} // namespace fuzz
