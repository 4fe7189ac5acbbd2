#include "ptyline.h"

#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace emu {

namespace {

bool setRaw(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return false;
    ::cfmakeraw(&t);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

} // namespace

PtyLine::PtyLine(QObject* parent) : QObject(parent), m_paceTimer(new QTimer(this)), m_delayTimer(new QTimer(this))
{
    m_delayTimer->setSingleShot(true);
    connect(m_delayTimer, &QTimer::timeout, this, &PtyLine::onDelayTimer);
    m_paceTimer->setSingleShot(true);
    connect(m_paceTimer, &QTimer::timeout, this, &PtyLine::onWritable);
    m_clock.start();
}

PtyLine::~PtyLine()
{
    drop();
}

bool PtyLine::start()
{
    if (m_master >= 0)
        return true;
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return false;
    char name[128] = {};
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0) {
        ::close(master);
        return false;
    }
    // Holding the slave open keeps the master from reading a hang-up while
    // the program has its port closed. The hold is never read.
    const int hold = ::open(name, O_RDWR | O_NOCTTY);
    if (hold < 0 || !setRaw(hold)) {
        if (hold >= 0)
            ::close(hold);
        ::close(master);
        return false;
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    m_master = master;
    m_slaveHold = hold;
    m_slavePath = QString::fromLocal8Bit(name);
    m_readNotifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyLine::onReadable);
    m_writeNotifier = new QSocketNotifier(master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyLine::onWritable);
    return true;
}

void PtyLine::drop()
{
    if (m_master < 0)
        return;
    for (QSocketNotifier* n : {m_readNotifier, m_writeNotifier}) {
        n->setEnabled(false);
        n->deleteLater();
    }
    m_readNotifier = m_writeNotifier = nullptr;
    ::close(m_master);
    ::close(m_slaveHold);
    m_master = m_slaveHold = -1;
    m_pending.clear();
    m_outBuf.clear();
    m_delayTimer->stop();
    m_paceTimer->stop();
}

bool PtyLine::settings(termios& into) const
{
    return m_slaveHold >= 0 && ::tcgetattr(m_slaveHold, &into) == 0;
}

bool PtyLine::toPcInFlight() const
{
    if (!m_outBuf.isEmpty() || !m_pending.empty())
        return true;
    if (m_slaveHold < 0)
        return false;
    // A poll of the device first lets the kernel hand it what it still
    // holds from earlier writes to the master, so none of them is missed.
    pollfd p{m_slaveHold, POLLIN, 0};
    int r = ::poll(&p, 1, 0);
    while (r < 0 && errno == EINTR)
        r = ::poll(&p, 1, 0);
    return r > 0 && (p.revents & POLLIN) != 0;
}

void PtyLine::setPacing(int bytes, int intervalMs)
{
    m_paceBytes = std::max(bytes, 0);
    m_paceMs = std::max(intervalMs, 0);
}

QString PtyLine::trace() const
{
    QStringList groups;
    for (const TraceGroup& g : m_trace)
        groups << (g.fromPc ? QStringLiteral("PC ") : QStringLiteral("controller ")) +
                      QString::fromLatin1(g.bytes.toHex(' ').toUpper());
    return groups.join(QStringLiteral("; "));
}

QByteArray PtyLine::pcBytes() const
{
    QByteArray out;
    for (const TraceGroup& g : m_trace)
        if (g.fromPc)
            out += g.bytes;
    return out;
}

QByteArray PtyLine::controllerBytes() const
{
    QByteArray out;
    for (const TraceGroup& g : m_trace)
        if (!g.fromPc)
            out += g.bytes;
    return out;
}

void PtyLine::record(bool fromPc, const char* bytes, qsizetype n)
{
    if (n <= 0)
        return;
    if (m_trace.empty() || m_trace.back().fromPc != fromPc)
        m_trace.push_back({fromPc, {}});
    m_trace.back().bytes.append(bytes, n);
}

void PtyLine::onReadable()
{
    char buf[4096];
    while (m_master >= 0) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (n <= 0) {
            // Nothing more can come: stop watching rather than spin.
            if (m_readNotifier)
                m_readNotifier->setEnabled(false);
            return;
        }
        // Byte by byte: an answer to one byte stands before the next in the
        // trace, and a byte may close the line.
        for (ssize_t i = 0; i < n && m_master >= 0; ++i) {
            record(true, buf + i, 1);
            ++m_fromPc;
            if (m_receiver)
                m_receiver(std::uint8_t(buf[i]));
        }
        // A short read took all there was; the notifier tells of more.
        if (n < ssize_t(sizeof buf))
            return;
    }
}

void PtyLine::send(const QByteArray& bytes, int delayMs)
{
    if (bytes.isEmpty())
        return;
    if (delayMs <= 0 && m_pending.empty()) {
        writeLine(bytes);
        return;
    }
    // Answers keep their order even when the delay changes between them. The
    // clock counts whole milliseconds: one more keeps a reply from going out
    // before its whole delay has passed.
    const qint64 due =
        std::max(nowMs() + std::max(delayMs, 0) + 1, m_pending.empty() ? qint64(0) : m_pending.back().dueMs);
    m_pending.push_back({due, bytes});
    if (!m_delayTimer->isActive())
        m_delayTimer->start(int(std::max<qint64>(0, m_pending.front().dueMs - nowMs())));
}

void PtyLine::onDelayTimer()
{
    const qint64 now = nowMs();
    while (!m_pending.empty() && m_pending.front().dueMs <= now) {
        const QByteArray b = m_pending.front().bytes;
        m_pending.pop_front();
        writeLine(b);
    }
    if (!m_pending.empty())
        m_delayTimer->start(int(std::max<qint64>(0, m_pending.front().dueMs - now)));
}

void PtyLine::writeLine(const QByteArray& bytes)
{
    if (m_master < 0 || bytes.isEmpty())
        return;
    record(false, bytes.constData(), bytes.size());
    m_toPc += quint64(bytes.size());
    m_lastSentMs = nowMs();
    m_outBuf += bytes;
    if (!m_paceTimer->isActive())
        onWritable();
}

void PtyLine::onWritable()
{
    while (m_master >= 0 && !m_outBuf.isEmpty()) {
        const qsizetype chunk = m_paceBytes > 0 ? std::min<qsizetype>(m_paceBytes, m_outBuf.size()) : m_outBuf.size();
        const ssize_t n = ::write(m_master, m_outBuf.constData(), size_t(chunk));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (n <= 0) {
            m_outBuf.clear();
            break;
        }
        m_outBuf.remove(0, n);
        if (m_paceBytes > 0 && !m_outBuf.isEmpty()) {
            m_paceTimer->start(m_paceMs);
            if (m_writeNotifier)
                m_writeNotifier->setEnabled(false);
            return;
        }
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_outBuf.isEmpty());
}

} // namespace emu
