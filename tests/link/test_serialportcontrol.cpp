// The serial-port class against a real pseudo-terminal: line settings,
// opening and its errors, and every byte value passing unchanged both ways.

#include "common/rterror.h"
#include "link/modlib.h"
#include "link/serialportcontrol.h"
#include "support/emulink.h"

#include <QSerialPort>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <fcntl.h>
#include <memory>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace comm;
using testsupport::EmulatorLink;

namespace {
// The device's permissions taken away for as long as this lives, and the
// program run as a user they apply to: root, whom they do not stop, becomes
// nobody (in its effective user only, so that it can become root again).
class DeviceRefused {
public:
    explicit DeviceRefused(const QString& device)
    {
        if (::chmod(QFile::encodeName(device).constData(), 0) != 0)
            return;
        m_wasRoot = ::geteuid() == 0;
        m_ok = !m_wasRoot || ::seteuid(kNobody) == 0;
    }
    ~DeviceRefused()
    {
        if (m_wasRoot)
            (void)::seteuid(0);
    }
    DeviceRefused(const DeviceRefused&) = delete;
    DeviceRefused& operator=(const DeviceRefused&) = delete;
    bool ok() const { return m_ok; }

private:
    static constexpr uid_t kNobody = 65534;
    bool m_wasRoot = false;
    bool m_ok = false;
};

// An emulator's line named as COM1, the program's port closed, as before
// "Open(COM1)".
struct ClosedLine {
    emu::ControllerEmulator controller;
    testsupport::SettingsStore store;
    bool ok = false;
    ClosedLine()
    {
        ok = controller.start();
        store.values[QStringLiteral("Properties/COM1")] = controller.slavePath();
        SerialPortControl& port = SerialPortControl::MSComm1();
        ok = ok && !port.setPortOpen(false) && !port.setCommPort(1);
    }
    QString device() const { return controller.slavePath(); }
};

// Counts the opens of a device that succeed from now on, whoever opens it:
// each one raises a free device's modem lines. The system merges an event
// with an equal one before it unless something comes between, so the closes
// are watched too.
class DeviceOpens {
public:
    explicit DeviceOpens(const QString& device) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        m_ok = m_fd >= 0 && ::inotify_add_watch(m_fd, QFile::encodeName(device).constData(), IN_OPEN | IN_CLOSE) >= 0;
    }
    ~DeviceOpens()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    DeviceOpens(const DeviceOpens&) = delete;
    DeviceOpens& operator=(const DeviceOpens&) = delete;
    bool ok() const { return m_ok; }
    int count()
    {
        alignas(inotify_event) char buf[4096];
        ssize_t n;
        while ((n = ::read(m_fd, buf, sizeof buf)) > 0) {
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
                m_opens += (e->mask & IN_OPEN) ? 1 : 0;
                at += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
        return m_opens;
    }

private:
    int m_fd;
    bool m_ok = false;
    int m_opens = 0;
};

// Whether the device refuses these control flags or does not keep them (a
// pseudo-terminal keeps 8 data bits and no parity).
bool deviceRefuses(const QString& device, tcflag_t clear, tcflag_t set)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios t{};
    bool refused = false;
    if (fd >= 0 && ::tcgetattr(fd, &t) == 0) {
        const termios before = t;
        const tcflag_t asked = (t.c_cflag & ~clear) | set;
        t.c_cflag = asked;
        refused = ::tcsetattr(fd, TCSANOW, &t) != 0 || ::tcgetattr(fd, &t) != 0 ||
                  (t.c_cflag & (clear | set)) != (asked & (clear | set));
        ::tcsetattr(fd, TCSANOW, &before);
    }
    if (fd >= 0)
        ::close(fd);
    return refused;
}
} // namespace

class TestSerialPortControl : public QObject {
    Q_OBJECT
private slots:
    void settingsString_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("error");
        QTest::newRow("9600,n,8,1") << "9600,n,8,1" << 0;
        QTest::newRow("19200,E,7,2: parity letter in upper case") << "19200,E,7,2" << 0;
        QTest::newRow("4800,o,8,1.5") << "4800,o,8,1.5" << 0;
        QTest::newRow("blanks around the parts") << " 9600, m ,5 , 1" << 0;
        QTest::newRow("space parity") << "115200,s,8,1" << 0;
        QTest::newRow("unknown parity") << "9600,x,8,1" << 380;
        QTest::newRow("nine data bits") << "9600,n,9,1" << 380;
        QTest::newRow("four data bits") << "9600,n,4,1" << 380;
        QTest::newRow("three stop bits") << "9600,n,8,3" << 380;
        QTest::newRow("baud 0") << "0,n,8,1" << 380;
        QTest::newRow("baud not a number") << "fast,n,8,1" << 380;
        QTest::newRow("three parts") << "9600,n,8" << 380;
        QTest::newRow("five parts") << "9600,n,8,1,1" << 380;
        QTest::newRow("empty") << "" << 380;
    }
    void settingsString()
    {
        QFETCH(QString, settings);
        QFETCH(int, error);
        SerialPortControl& port = SerialPortControl::MSComm1();
        QVERIFY(!port.setSettings(QStringLiteral("9600,n,8,1")));
        const auto e = port.setSettings(settings);
        QCOMPARE(e ? e->number : 0, error);
        if (e) {
            QCOMPARE(e->text(), QStringLiteral("Invalid property value"));
            QCOMPARE(port.Settings(), QStringLiteral("9600,n,8,1")); // a refused string changes nothing
        } else {
            QCOMPARE(port.Settings(), settings.trimmed());
        }
        QVERIFY(!port.setSettings(QStringLiteral("9600,n,8,1")));
    }

    void handshakingMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("error");
        for (int m = 0; m <= 3; ++m)
            QTest::newRow(qPrintable(QString::number(m))) << m << 0;
        QTest::newRow("4") << 4 << 380;
        QTest::newRow("-1") << -1 << 380;
    }
    void handshakingMode()
    {
        QFETCH(int, mode);
        QFETCH(int, error);
        SerialPortControl& port = SerialPortControl::MSComm1();
        const auto e = port.setHandshaking(mode);
        QCOMPARE(e ? e->number : 0, error);
        QVERIFY(!port.setHandshaking(0));
    }

    // The flow control each mode puts on the device, read back from the
    // device: when the port opens, after a change of the line settings and
    // after the mode is set again on the open port. XON/XOFF never: the line
    // discipline would take the controller's 0x11 and 0x13, which are data.
    void flowControlOnTheDevice_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("rtsCts");
        QTest::newRow("0: none") << 0 << false;
        QTest::newRow("1: none") << 1 << false;
        QTest::newRow("2: RTS/CTS") << 2 << true;
        QTest::newRow("3: RTS/CTS") << 3 << true;
    }
    void flowControlOnTheDevice()
    {
        QFETCH(int, mode);
        QFETCH(bool, rtsCts);
        SerialPortControl& port = SerialPortControl::MSComm1();
        QVERIFY(!port.setHandshaking(mode));
        const auto restore = qScopeGuard([&] {
            port.setSettings(QStringLiteral("9600,n,8,1"));
            port.setHandshaking(0);
        });
        EmulatorLink link;
        QVERIFY(link.ok());
        auto check = [&](const char* when) {
            termios t{};
            QVERIFY2(link.emulator().lineSettings(t), when);
            QVERIFY2(((t.c_cflag & CRTSCTS) != 0) == rtsCts, when);
            QVERIFY2((t.c_iflag & (IXON | IXOFF | IXANY)) == 0, when);
        };
        check("opened");
        QVERIFY(!port.setSettings(QStringLiteral("19200,n,8,2")));
        check("after new line settings");
        QVERIFY(!port.setHandshaking(mode));
        check("after the mode again");
    }

    void deviceOfEachPort()
    {
        testsupport::SettingsStore store;
        QCOMPARE(SerialPortControl::deviceFor(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(SerialPortControl::deviceFor(2), QStringLiteral("/dev/ttyS1"));
        store.values[QStringLiteral("Properties/COM2")] = QStringLiteral("/dev/ttyUSB0");
        QCOMPARE(SerialPortControl::deviceFor(2), QStringLiteral("/dev/ttyUSB0"));
    }

    // A name the system refuses outright does not pass by itself: told at
    // once, not after the wait for a busy device.
    void portNotFound_data()
    {
        QTest::addColumn<QString>("device");
        QTest::newRow("no such device") << "/dev/zel-no-such-port";
        QTest::newRow("a name longer than the system takes") << "/dev/" + QString(5000, u'x');
        QTest::newRow("a file's name as a folder") << QCoreApplication::applicationFilePath() + "/ttyS0";
    }
    void portNotFound()
    {
        QFETCH(QString, device);
        testsupport::SettingsStore store;
        store.values[QStringLiteral("Properties/COM2")] = device;
        SerialPortControl& port = SerialPortControl::MSComm1();
        QVERIFY(!port.setCommPort(2));
        QElapsedTimer t;
        t.start();
        const auto e = port.setPortOpen(true);
        QVERIFY(e);
        QCOMPARE(e->number, common::err::InvalidPortNumber);
        QCOMPARE(e->text(), QStringLiteral("Invalid port number"));
        QVERIFY2(t.elapsed() < 500, qPrintable(QStringLiteral("%1 ms").arg(t.elapsed())));
        QVERIFY(!port.openFailure().isEmpty());
        QVERIFY(!port.PortOpen());
        QVERIFY(!port.setCommPort(1));
    }

    // A user who may not use the device is told so at once, in the words of
    // a file the system refuses, not after the wait for a busy device and
    // not as a port already open.
    void deviceThePcMayNotUse()
    {
        ClosedLine line;
        QVERIFY(line.ok);
        SerialPortControl& port = SerialPortControl::MSComm1();
        QElapsedTimer t;
        std::optional<common::RtError> e;
        {
            const DeviceRefused refused(line.device());
            if (!refused.ok())
                QSKIP("cannot take the device's permissions away from this user");
            t.start();
            e = port.setPortOpen(true);
        }
        QVERIFY(e);
        QCOMPARE(e->number, common::err::PermissionDenied);
        QCOMPARE(e->text(), common::RtError::of(common::err::PermissionDenied).text());
        QVERIFY2(t.elapsed() < 500, qPrintable(QStringLiteral("%1 ms").arg(t.elapsed())));
        QVERIFY(!port.PortOpen());
    }

    // A line setting that the device refuses fails the open, which leaves
    // the port closed; on the open port it is refused and the port keeps
    // its settings.
    void refusedLineSetting_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<bool>("atOpen");
        QTest::addColumn<uint>("clear");
        QTest::addColumn<uint>("set");
        QTest::newRow("7 data bits at the open") << "9600,n,7,1" << true << uint(CSIZE) << uint(CS7);
        QTest::newRow("even parity at the open") << "9600,e,8,1" << true << uint(PARODD) << uint(PARENB);
        QTest::newRow("7 data bits on the open port") << "19200,n,7,1" << false << uint(CSIZE) << uint(CS7);
        QTest::newRow("odd parity on the open port") << "19200,o,8,1" << false << uint(0) << uint(PARENB | PARODD);
        // One and a half stop bits exist only with 5 data bits; no device
        // holds them with 8, whatever the serial library says.
        QTest::newRow("1.5 stop bits with 8 data bits at the open") << "9600,n,8,1.5" << true << uint(0) << uint(0);
        QTest::newRow("1.5 stop bits with 8 data bits on the open port")
            << "19200,n,8,1.5" << false << uint(0) << uint(0);
    }
    void refusedLineSetting()
    {
        QFETCH(QString, settings);
        QFETCH(bool, atOpen);
        QFETCH(uint, clear);
        QFETCH(uint, set);
        SerialPortControl& port = SerialPortControl::MSComm1();
        const auto restore = qScopeGuard([&] { port.setSettings(QStringLiteral("9600,n,8,1")); });
        ClosedLine line;
        QVERIFY(line.ok);
        if ((clear | set) != 0 && !deviceRefuses(line.device(), tcflag_t(clear), tcflag_t(set)))
            QSKIP("this system's pseudo-terminals take the setting: nothing to refuse");
        if (atOpen) {
            QVERIFY(!port.setSettings(settings));
            const auto e = port.setPortOpen(true);
            QVERIFY(e);
            QCOMPARE(e->number, common::err::CommStateFailed);
            QVERIFY(!port.openFailure().isEmpty());
            QVERIFY(!port.PortOpen());
        } else {
            QVERIFY(!port.setPortOpen(true));
            const auto e = port.setSettings(settings);
            QVERIFY(e);
            QCOMPARE(e->number, common::err::CommStateFailed);
            QVERIFY(port.PortOpen());
            QCOMPARE(port.Settings(), QStringLiteral("9600,n,8,1"));
            termios t{};
            QVERIFY(line.controller.lineSettings(t));
            QCOMPARE(cfgetospeed(&t), speed_t(B9600));
        }
        QVERIFY(!port.setPortOpen(false));
    }

    void portNumberOutOfRangeAndWhileOpen()
    {
        SerialPortControl& port = SerialPortControl::MSComm1();
        QCOMPARE(port.setCommPort(0)->number, common::err::InvalidPortNumber);
        QCOMPARE(port.setCommPort(17)->number, common::err::InvalidPortNumber);
        EmulatorLink link;
        QVERIFY(link.ok());
        QVERIFY(port.PortOpen());
        QCOMPARE(port.setCommPort(2)->number, common::err::PortAlreadyOpen);
        QCOMPARE(port.setPortOpen(true)->number, common::err::PortAlreadyOpen);
        QCOMPARE(port.CommPort(), 1);
        // Settings applied to an open port take effect and keep it open.
        QVERIFY(!port.setSettings(QStringLiteral("19200,n,8,2")));
        QVERIFY(port.PortOpen());
        QVERIFY(!port.setSettings(QStringLiteral("9600,n,8,1")));
    }

    // Every byte value, the flow-control and line-end bytes among them,
    // passes unchanged in both directions with handshaking 0.
    void everyByteValuePassesUnchanged()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        link.faults().silent = true;
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        for (char c : all)
            writeByte(std::uint8_t(c));
        QVERIFY(link.waitForPcBytes(256));
        QCOMPARE(link.emulator().pcBytes(), all);
        QCOMPARE(SerialPortControl::MSComm1().bytesWritten(), quint64(256));

        link.emulator().sendUnasked(all);
        QByteArray got;
        QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                     while (RxAvail())
                                         got.append(char(RxGetByte()));
                                     return got.size() >= 256;
                                 }()),
                                 3000);
        QCOMPARE(got, all);
        QCOMPARE(SerialPortControl::MSComm1().bytesRead(), quint64(256));
    }

    void closeAndReopen()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        SerialPortControl& port = SerialPortControl::MSComm1();
        QVERIFY(!port.setPortOpen(false));
        QVERIFY(!port.PortOpen());
        QVERIFY(!port.setPortOpen(false)); // closing a closed port is harmless
        QVERIFY(!port.setPortOpen(true));
        QCOMPARE(LinkHandshake(CMD_DISCONNECT), Handshake::Echoed);
    }

    // Another opener holds the device for a moment, as the one that held a
    // reused device name does until it has removed its lock: the open waits
    // it out. Held past the wait, the device is busy. Either way the wait
    // leaves the device alone: it is opened at most once, by the open that
    // succeeds, so a held line's modem lines never move.
    void deviceHeldByAnotherOpener_data()
    {
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<bool>("exclusive");
        QTest::addColumn<bool>("opens");
        QTest::newRow("let go after 200 ms") << 200 << true << true;
        QTest::newRow("its lock and an exclusive open, held past the wait") << -1 << true << false;
        QTest::newRow("its lock alone, held past the wait") << -1 << false << false;
    }
    void deviceHeldByAnotherOpener()
    {
        QFETCH(int, holdMs);
        QFETCH(bool, exclusive);
        QFETCH(bool, opens);
        ClosedLine line;
        QVERIFY(line.ok);
        SerialPortControl& port = SerialPortControl::MSComm1();

        std::atomic<bool> held{false};
        std::atomic<bool> release{false};
        const QString path = line.device();
        std::unique_ptr<QThread> other(QThread::create([&] {
            QSerialPort holder(path);
            held = holder.open(QIODevice::ReadWrite) && (exclusive || ::ioctl(int(holder.handle()), TIOCNXCL) == 0);
            QElapsedTimer t;
            t.start();
            while (!release && (holdMs < 0 || t.elapsed() < holdMs))
                QThread::msleep(5);
            holder.close();
            release = true;
        }));
        other->start();
        QTRY_VERIFY_WITH_TIMEOUT(held || other->isFinished(), 2000);
        QVERIFY(held);

        DeviceOpens deviceOpens(path);
        QVERIFY(deviceOpens.ok());
        QElapsedTimer t;
        t.start();
        const auto e = port.setPortOpen(true);
        const int opened = deviceOpens.count();
        release = true;
        QVERIFY(other->wait(5000));
        QVERIFY2(opened <= 1, qPrintable(QStringLiteral("opened %1 times").arg(opened)));
        if (opens) {
            QVERIFY2(!e, e ? qPrintable(port.openFailure()) : "");
            QVERIFY(t.elapsed() >= 100);
        } else {
            QVERIFY(e);
            QCOMPARE(e->number, common::err::PortAlreadyOpen);
            QVERIFY(!port.openFailure().isEmpty());
            QVERIFY(!port.PortOpen());
        }
        QVERIFY(!port.setPortOpen(false));
    }

    // A device that takes a rate without a word but makes another one is
    // not on that rate: the open fails, an open port keeps its settings.
    void heldSpeedReadBack_data()
    {
        QTest::addColumn<double>("made"); // the rate made, as a share of the rate asked for
        QTest::addColumn<bool>("atOpen");
        QTest::addColumn<bool>("held");
        QTest::newRow("3 % slow at the open") << 0.97 << true << false;
        QTest::newRow("3 % fast on the open port") << 1.03 << false << false;
        QTest::newRow("1.5 % slow at the open: within the tolerance") << 0.985 << true << true;
        QTest::newRow("1.5 % fast on the open port") << 1.015 << false << true;
    }
    void heldSpeedReadBack()
    {
        QFETCH(double, made);
        QFETCH(bool, atOpen);
        QFETCH(bool, held);
        SerialPortControl& port = SerialPortControl::MSComm1();
        const auto restore = qScopeGuard([&] {
            setHeldLineReader(nullptr);
            port.setSettings(QStringLiteral("9600,n,8,1"));
        });
        ClosedLine line;
        QVERIFY(line.ok);
        static double share;
        share = made;
        const HeldLineReader offRate = [](int fd) {
            auto h = readHeldLine(fd);
            if (h) {
                h->inSpeed = std::uint32_t(h->inSpeed * share);
                h->outSpeed = std::uint32_t(h->outSpeed * share);
            }
            return h;
        };
        std::optional<common::RtError> e;
        if (atOpen) {
            setHeldLineReader(offRate);
            e = port.setPortOpen(true);
            QCOMPARE(port.PortOpen(), held);
        } else {
            QVERIFY(!port.setPortOpen(true));
            setHeldLineReader(offRate);
            e = port.setSettings(QStringLiteral("19200,n,8,1"));
            QVERIFY(port.PortOpen());
            QCOMPARE(port.Settings(), QString::fromLatin1(held ? "19200,n,8,1" : "9600,n,8,1"));
            termios t{};
            QVERIFY(line.controller.lineSettings(t));
            QCOMPARE(cfgetospeed(&t), held ? speed_t(B19200) : speed_t(B9600));
        }
        QCOMPARE(e ? e->number : 0, held ? 0 : common::err::CommStateFailed);
        QVERIFY(!port.setPortOpen(false));
    }

    // A vanished device: the port reports it at once and stops using it.
    void droppedLineFailsAndClosesThePort()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        SerialPortControl& port = SerialPortControl::MSComm1();
        link.emulator().dropLine();
        QTRY_VERIFY_WITH_TIMEOUT(port.failed(), 2000);
        QTRY_VERIFY_WITH_TIMEOUT(!port.PortOpen(), 2000);
        QVERIFY(!waitRxByte());
        // Opened again on a live line, it works and has forgotten the failure.
        emu::ControllerEmulator again;
        QVERIFY(again.start());
        link.settings.values[QStringLiteral("Properties/COM1")] = again.slavePath();
        QVERIFY(!port.setPortOpen(true));
        QVERIFY(!port.failed());
        QCOMPARE(LinkHandshake(CMD_DISCONNECT), Handshake::Echoed);
        QVERIFY(!port.setPortOpen(false));
    }
};

QTEST_MAIN(TestSerialPortControl)
#include "test_serialportcontrol.moc"
