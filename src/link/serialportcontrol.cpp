#include "serialportcontrol.h"

#include "common/settings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QSignalBlocker>
#include <QStringList>
#include <QThread>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>

namespace comm {

using common::RtError;
namespace err = common::err;

namespace {
constexpr int kOpenRetryMs = 1000;
constexpr int kOpenRetryStepMs = 20;
// A rate the device makes this far from the one asked for is not that rate.
constexpr double kSpeedTolerance = 0.02;

HeldLineReader heldLineReader = nullptr;

// Why the system refuses this program the device by its name or its
// permissions (errno), or 0: asked without opening the device, since each
// open of a free device raises its modem lines, and the serial library
// reports a refused permission, a busy device and another opener's lock
// file alike.
int deviceRefusal(const QString& device)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(device).constData(), R_OK | W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

bool permissionRefused(int refusal)
{
    return refusal == EACCES || refusal == EPERM;
}

bool nameRefused(int refusal)
{
    return refusal == ENOENT || refusal == ENOTDIR || refusal == ENAMETOOLONG || refusal == ELOOP;
}

bool speedHeld(std::uint32_t held, qint32 asked)
{
    return std::abs(double(held) - double(asked)) <= kSpeedTolerance * double(asked);
}

QSerialPort::Parity parityOf(char letter)
{
    switch (letter) {
    case 'e':
        return QSerialPort::EvenParity;
    case 'o':
        return QSerialPort::OddParity;
    case 'm':
        return QSerialPort::MarkParity;
    case 's':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}
} // namespace

SerialPortControl& SerialPortControl::MSComm1()
{
    static SerialPortControl* port = new SerialPortControl; // lives for the whole run
    return *port;
}

SerialPortControl::SerialPortControl(QObject* parent) : QObject(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, [this] {
        m_commEvent = comEvReceive;
        emit OnComm();
    });
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        // A hang-up reads as end of file and comes as ReadError, not as
        // ResourceError.
        if (e != QSerialPort::ResourceError && e != QSerialPort::PermissionError &&
            e != QSerialPort::DeviceNotFoundError && e != QSerialPort::ReadError && e != QSerialPort::WriteError)
            return;
        if (!m_port->isOpen())
            return;
        m_failed = true;
        // Qt keeps polling a dead descriptor at full speed: close it once the
        // notification that reported the error has returned.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_failed && m_port->isOpen())
                    closePort();
            },
            Qt::QueuedConnection);
    });
}

std::optional<RtError> SerialPortControl::setCommPort(int port)
{
    if (port < 1 || port > 16)
        return RtError::of(err::InvalidPortNumber);
    if (PortOpen())
        return RtError::of(err::PortAlreadyOpen);
    m_commPort = port;
    return std::nullopt;
}

std::optional<RtError> SerialPortControl::setSettings(const QString& settings)
{
    const QStringList parts = settings.trimmed().split(u',');
    if (parts.size() != 4)
        return RtError::of(err::InvalidPropertyValue);
    bool okBaud = false;
    const qint32 baud = parts[0].trimmed().toInt(&okBaud);
    const QString parity = parts[1].trimmed().toLower();
    bool okData = false;
    const int data = parts[2].trimmed().toInt(&okData);
    bool okStop = false;
    const double stop = parts[3].trimmed().toDouble(&okStop);
    if (!okBaud || baud <= 0 || parity.size() != 1 || !QStringLiteral("neoms").contains(parity) || !okData ||
        data < 5 || data > 8 || !okStop || (stop != 1 && stop != 1.5 && stop != 2))
        return RtError::of(err::InvalidPropertyValue);
    LineSettings line = m_line;
    line.baud = baud;
    line.parity = parity[0].toLatin1();
    line.dataBits = data;
    line.stopBits = stop;
    if (auto e = adoptLineSettings(line))
        return e;
    m_settings = settings.trimmed();
    return std::nullopt;
}

std::optional<RtError> SerialPortControl::setHandshaking(int mode)
{
    if (mode < 0 || mode > 3)
        return RtError::of(err::InvalidPropertyValue);
    LineSettings line = m_line;
    line.handshaking = mode;
    return adoptLineSettings(line);
}

std::optional<RtError> SerialPortControl::adoptLineSettings(const LineSettings& line)
{
    if (PortOpen() && !applyLineSettings(line)) {
        m_port->clearError();
        applyLineSettings(m_line); // the device goes back to what it had
        m_port->clearError();
        return RtError::of(err::CommStateFailed);
    }
    m_line = line;
    return std::nullopt;
}

bool SerialPortControl::applyLineSettings(const LineSettings& line)
{
    // One and a half stop bits are what a UART makes of two with a 5-bit
    // word; with a longer word no device holds them, as the read-back tells.
    const QSerialPort::StopBits stop = line.stopBits == 2 || (line.stopBits == 1.5 && line.dataBits == 5)
                                           ? QSerialPort::TwoStop
                                       : line.stopBits == 1.5 ? QSerialPort::OneAndHalfStop
                                                              : QSerialPort::OneStop;
    // XON/XOFF never goes on the line, whatever the mode: the controller's
    // answers and blocks use every byte value, 0x11 (LINK_DC1) and 0x13
    // among them, and the line discipline would take those bytes and stop
    // the PC's own output on a received 0x13.
    const QSerialPort::FlowControl flow =
        line.handshaking >= 2 ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl;
    // The first setting the device refuses ends it, its reason kept as the
    // port's error; what it took without a word is then read back.
    return m_port->setBaudRate(line.baud) && m_port->setParity(parityOf(line.parity)) &&
           m_port->setDataBits(static_cast<QSerialPort::DataBits>(line.dataBits)) && m_port->setStopBits(stop) &&
           m_port->setFlowControl(flow) && lineHeld(line);
}

bool SerialPortControl::lineHeld(const LineSettings& line) const
{
    const auto held = (heldLineReader ? heldLineReader : readHeldLine)(int(m_port->handle()));
    if (!held)
        return false;
    const bool stopHeld = line.stopBits == 1   ? !held->twoStopBits
                          : line.stopBits == 2 ? held->twoStopBits
                                               : line.dataBits == 5 && held->twoStopBits;
    return held->dataBits == line.dataBits && held->parity == line.parity && stopHeld &&
           held->rtsCts == (line.handshaking >= 2) && speedHeld(held->inSpeed, line.baud) &&
           speedHeld(held->outSpeed, line.baud);
}

void setHeldLineReader(HeldLineReader reader)
{
    heldLineReader = reader;
}

QString SerialPortControl::deviceFor(int port)
{
    const QString key = QStringLiteral("COM%1").arg(port);
    const QString fallback = QStringLiteral("/dev/ttyS%1").arg(port - 1);
    const QString dev = common::GetSetting(QStringLiteral("Properties"), key, fallback);
    return dev.isEmpty() ? fallback : dev;
}

QString SerialPortControl::realDevice(const QString& device)
{
    const QString real = QFileInfo(device).canonicalFilePath();
    return real.isEmpty() ? device : real;
}

void SerialPortControl::release()
{
    if (!m_port->isOpen())
        return;
    // Also from exit(), when Qt's statics and the windows' may be gone
    // already: no signal of the port or of this class reaches anyone.
    const QSignalBlocker quiet(m_port);
    // What is not on the line yet stays off it, and a line stalled by its
    // flow control cannot hold up the end in the close.
    m_port->clear(QSerialPort::Output);
    m_failed = false;
    m_port->close();
}

void SerialPortControl::closePort()
{
    m_port->close();
    emit PortClosed();
}

bool SerialPortControl::PortOpen() const
{
    return m_port->isOpen();
}

std::optional<RtError> SerialPortControl::setPortOpen(bool open)
{
    if (!open) {
        const bool wasOpen = m_port->isOpen();
        m_failed = false;
        if (wasOpen)
            closePort();
        return std::nullopt;
    }
    if (m_port->isOpen())
        return RtError::of(err::PortAlreadyOpen);
    m_failed = false;
    m_openFailure.clear();
    const QString device = deviceFor(m_commPort);
    // A name the system refuses and a permission it refuses do not pass by
    // themselves: told at once.
    if (const int refusal = deviceRefusal(device); permissionRefused(refusal) || nameRefused(refusal)) {
        m_openFailure = qt_error_string(refusal);
        return RtError::of(permissionRefused(refusal) ? err::PermissionDenied : err::InvalidPortNumber);
    }
    // The device itself, not a link to it (an adapter's name that survives
    // a replug), so that its lock is the one every other opener looks for.
    m_port->setPortName(realDevice(device));
    // A device that has just appeared (an adapter plugged in again, a line
    // opened again) may for a moment still be locked by whoever held its
    // name before (the serial library removes its lock only after it closed
    // the device) or held open exclusively: try again for a short while
    // before the open counts as failed. The library looks at its lock before
    // it opens the device, and the system refuses a device held exclusively
    // before its lines move, so these tries leave a held device alone.
    QElapsedTimer waited;
    waited.start();
    bool opened = m_port->open(QIODevice::ReadWrite);
    while (!opened && m_port->error() == QSerialPort::PermissionError && waited.elapsed() < kOpenRetryMs) {
        m_port->clearError();
        QThread::msleep(kOpenRetryStepMs);
        opened = m_port->open(QIODevice::ReadWrite);
    }
    if (!opened) {
        const QSerialPort::SerialPortError e = m_port->error();
        m_openFailure = m_port->errorString();
        m_port->clearError();
        if (e == QSerialPort::DeviceNotFoundError)
            return RtError::of(err::InvalidPortNumber);
        if (e == QSerialPort::PermissionError)
            return RtError::of(err::PortAlreadyOpen);
        return RtError::of(err::CommStateFailed);
    }
    if (!applyLineSettings(m_line)) {
        // A port on settings other than those asked for is no good open.
        m_openFailure = m_port->error() != QSerialPort::NoError
                            ? m_port->errorString()
                            : QStringLiteral("the device holds other line settings than those asked for");
        m_port->clearError();
        m_port->close();
        m_failed = false;
        return RtError::of(err::CommStateFailed);
    }
    m_port->clear(QSerialPort::AllDirections);
    m_written = m_read = 0;
    return std::nullopt;
}

void SerialPortControl::Output(std::uint8_t byte)
{
    Output(&byte, 1);
}

void SerialPortControl::Output(const std::uint8_t* bytes, int n)
{
    if (!m_port->isOpen() || n <= 0)
        return;
    // Straight to the device while nothing waits in the library's buffer:
    // the same bytes in the same order, without the library's write
    // notification waking the event loop for every piece.
    int done = 0;
    if (m_port->bytesToWrite() == 0) {
        const int fd = int(m_port->handle());
        while (done < n) {
            const ssize_t w = ::write(fd, bytes + done, size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                break;
            done += int(w);
        }
        m_written += quint64(done);
    }
    if (done == n)
        return;
    // The rest (a full device buffer, a failing device) through the library,
    // which keeps it in order and reports the failure.
    const qint64 w = m_port->write(reinterpret_cast<const char*>(bytes + done), n - done);
    if (w > 0)
        m_written += quint64(w);
    // Bare bytes and answers must not linger in Qt's buffer.
    m_port->flush();
}

int SerialPortControl::InBufferCount() const
{
    return m_port->isOpen() ? int(m_port->bytesAvailable()) : 0;
}

void SerialPortControl::ClearInput()
{
    if (m_port->isOpen())
        m_port->clear(QSerialPort::Input); // Qt's buffer, then tcflush(TCIFLUSH)
}

QByteArray SerialPortControl::Input()
{
    if (!m_port->isOpen())
        return {};
    QByteArray b = InputLen > 0 ? m_port->read(InputLen) : m_port->readAll();
    m_read += quint64(b.size());
    return b;
}

} // namespace comm
