// However the program ends with its port open, and whatever is on the screen
// then, it ends at once and leaves the device as it found it: its lock file
// gone and its own settings back, nothing written to the line and no window
// opened on the way out. The program runs in a process of its own, started
// as the operator starts it.

#include "emulator/controlleremulator.h"
#include "link/controlbytes.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
// Where the serial library may keep a device's lock file.
const char* const kLockFolders[] = {"/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
                                    "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};

// Every lock file whose name holds `part`, each once however many folders
// lead to it.
QStringList lockFilesNaming(const QString& part)
{
    QStringList folders{QDir::tempPath()};
    for (const char* f : kLockFolders)
        folders << QString::fromLatin1(f);
    QStringList found;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("LCK..*")}, QDir::Files | QDir::System)) {
            const QString path = QFileInfo(dir.filePath(name)).canonicalFilePath();
            if (name.contains(part) && !found.contains(path))
                found << path;
        }
    }
    return found;
}

// The lock file of `device` as every opener names it: "LCK.." and the name
// under /dev with "/" as "_".
QStringList lockFilesOf(const QString& device)
{
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name = QStringLiteral("LCK..") + name.replace(u'/', u'_');
    QStringList exact;
    for (const QString& path : lockFilesNaming(name))
        if (QFileInfo(path).fileName() == name)
            exact << path;
    return exact;
}

// Puts the device on a speed the program does not use, as another program
// may have left it.
bool setSpeed(const QString& device, speed_t speed)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios t{};
    const bool ok =
        fd >= 0 && ::tcgetattr(fd, &t) == 0 && ::cfsetspeed(&t, speed) == 0 && ::tcsetattr(fd, TCSANOW, &t) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// An X server of the test's own, on a display number it picks itself.
class XServer {
public:
    ~XServer()
    {
        m_server.kill();
        m_server.waitForFinished();
    }
    bool start()
    {
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1280x800x24")});
        if (!m_server.waitForStarted())
            return false;
        QElapsedTimer waited;
        waited.start();
        while (!m_server.canReadLine() && m_server.state() == QProcess::Running && waited.elapsed() < 10000)
            m_server.waitForReadyRead(50);
        m_display = QStringLiteral(":") + QString::fromLatin1(m_server.readLine().trimmed());
        return m_server.state() == QProcess::Running && m_display.size() > 1;
    }
    QString display() const { return m_display; }
    void end() { m_server.terminate(); }

private:
    QProcess m_server;
    QString m_display;
};

// The program under test; what it prints, line by line.
class Program {
public:
    explicit Program(const QProcessEnvironment& env) { m_process.setProcessEnvironment(env); }
    ~Program()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    QProcess& process() { return m_process; }
    void start()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(ZEL_END_CHILD), {});
    }
    void send(const QByteArray& command) { m_process.write(command + '\n'); }
    // True once the program has printed `line`, false when it ends or `ms`
    // pass first. Serves events while it waits: the emulator lives in them.
    bool waitFor(const QByteArray& line, int ms)
    {
        QElapsedTimer waited;
        waited.start();
        while (!lines().contains(line)) {
            if (m_process.state() == QProcess::NotRunning || waited.elapsed() > ms)
                return false;
            QTest::qWait(10); // the emulator answers meanwhile
        }
        return true;
    }
    QList<QByteArray> lines()
    {
        m_printed += m_process.readAllStandardOutput();
        QList<QByteArray> all = m_printed.split('\n');
        all.removeAll(QByteArray());
        return all;
    }

private:
    QProcess m_process;
    QByteArray m_printed;
};
} // namespace

class TestProgramEnd : public QObject {
    Q_OBJECT
private slots:
    void portLeftAsFound_data()
    {
        // state: "idle", "status" (a status read waits on a silent
        // controller), "chooser" (the folder chooser is up), "connecting"
        // (the connect waits on a silent controller).
        QTest::addColumn<QByteArray>("state");
        // "quit", "exit", "display" (the X server goes away), or a signal.
        QTest::addColumn<QByteArray>("end");
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("the program's own quit") << QByteArray("idle") << QByteArray("quit") << 0 << 0 << false;
        QTest::newRow("exit() from inside the loop") << QByteArray("idle") << QByteArray("exit") << 0 << 3 << false;
        QTest::newRow("SIGTERM") << QByteArray("idle") << QByteArray() << SIGTERM << 0 << false;
        QTest::newRow("SIGINT") << QByteArray("idle") << QByteArray() << SIGINT << 0 << false;
        QTest::newRow("SIGHUP") << QByteArray("idle") << QByteArray() << SIGHUP << 0 << false;
        QTest::newRow("SIGTERM while an exchange waits")
            << QByteArray("status") << QByteArray() << SIGTERM << 0 << false;
        QTest::newRow("SIGTERM during the connect's wait")
            << QByteArray("connecting") << QByteArray() << SIGTERM << 0 << false;
        QTest::newRow("SIGTERM with the folder chooser up")
            << QByteArray("chooser") << QByteArray() << SIGTERM << 0 << false;
        QTest::newRow("SIGINT with the folder chooser up")
            << QByteArray("chooser") << QByteArray() << SIGINT << 0 << false;
        QTest::newRow("exit() with the folder chooser up")
            << QByteArray("chooser") << QByteArray("exit") << 0 << 3 << false;
        QTest::newRow("SIGTERM, COM1 named through a symbolic link")
            << QByteArray("idle") << QByteArray() << SIGTERM << 0 << true;
        // Qt ends the program with exit(1) when its display connection breaks.
        QTest::newRow("the display goes") << QByteArray("idle") << QByteArray("display") << 0 << 1 << false;
    }
    void portLeftAsFound()
    {
        QFETCH(QByteArray, state);
        QFETCH(QByteArray, end);
        QFETCH(int, signal);
        QFETCH(int, exitCode);
        QFETCH(bool, throughLink);
        emu::ControllerEmulator controller;
        QVERIFY(controller.start());
        const QString device = controller.slavePath();
        QVERIFY(setSpeed(device, B4800));

        // The settings file the program reads, as an operator writes it; an
        // adapter's lasting name is a link to the device.
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QString named = device;
        if (throughLink) {
            named = home.filePath(QStringLiteral("usb-zel-adapter-port0"));
            QVERIFY(QFile::link(device, named));
        }
        {
            QSettings settings(home.filePath(QStringLiteral("Zel 통신프로그램.conf")), QSettings::IniFormat);
            settings.setValue(QStringLiteral("Properties/COM1"), named);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        XServer display;
        if (end == "display") {
            if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
                QSKIP("no Xvfb here to take a display away from the program");
            QVERIFY(display.start());
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.insert(QStringLiteral("DISPLAY"), display.display());
        }

        Program program(env);
        program.start();
        QVERIFY(program.process().waitForStarted());
        if (state == "connecting") {
            controller.faults().silent = true;
            program.send("open");
            QTRY_VERIFY_WITH_TIMEOUT(controller.pcBytes().contains(char(comm::LINK_ENQ)), 20000);
        } else {
            program.send("open");
            QVERIFY2(program.waitFor("open", 20000), program.lines().join('|').constData());
        }
        // Locked under the device's own name, never under a link's.
        QCOMPARE(lockFilesOf(device).size(), 1);
        QCOMPARE(lockFilesNaming(QStringLiteral("usb-zel-adapter")), QStringList());
        termios held{};
        QVERIFY(controller.lineSettings(held));
        QCOMPARE(cfgetospeed(&held), speed_t(B9600));

        if (state == "status") {
            controller.faults().silent = true;
            const int before = controller.pcBytes().size();
            program.send("status");
            QTRY_VERIFY_WITH_TIMEOUT(controller.pcBytes().size() > before, 5000);
        } else if (state == "chooser") {
            program.send("chooser");
            QVERIFY2(program.waitFor("chooser", 10000), program.lines().join('|').constData());
        }
        const QByteArray written = controller.pcBytes();
        const int printed = program.lines().size();
        QElapsedTimer ending;
        ending.start();
        if (signal)
            ::kill(pid_t(program.process().processId()), signal);
        else if (end == "display")
            display.end();
        else
            program.send(end);
        QTRY_VERIFY_WITH_TIMEOUT(program.process().state() == QProcess::NotRunning, 10000);
        const qint64 took = ending.elapsed();
        QTest::qWait(50); // bytes still on their way reach the emulator

        if (signal) {
            // Ended by the signal, as its sender expects.
            QCOMPARE(program.process().exitStatus(), QProcess::CrashExit);
            QCOMPARE(program.process().exitCode(), signal);
        } else {
            QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.process().exitCode(), exitCode);
        }
        QVERIFY2(took < 1000, qPrintable(QStringLiteral("%1 ms").arg(took)));
        QCOMPARE(lockFilesOf(device), QStringList());
        QVERIFY(controller.lineSettings(held));
        QCOMPARE(cfgetospeed(&held), speed_t(B4800));
        QCOMPARE(controller.pcBytes().toHex(' '), written.toHex(' '));
        // No box opened on the way out.
        QCOMPARE(program.lines().mid(printed), QList<QByteArray>());
    }
};

QTEST_MAIN(TestProgramEnd)
#include "test_programend.moc"
