// However the program ends with its port open, the device is left as the
// program found it: its lock file gone and its own settings back, and
// nothing written to the line on the way out.

#include "emulator/controlleremulator.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
// Where the serial library may keep a device's lock file.
const char* const kLockFolders[] = {"/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
                                    "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};

QStringList lockFilesOf(const QString& device)
{
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name = QStringLiteral("LCK..") + name.replace(u'/', u'_');
    QStringList found;
    QStringList folders{QDir::tempPath()};
    for (const char* f : kLockFolders)
        folders << QString::fromLatin1(f);
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo::exists(path) && !found.contains(QFileInfo(path).canonicalFilePath()))
            found << QFileInfo(path).canonicalFilePath();
    }
    return found;
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
} // namespace

class TestProgramEnd : public QObject {
    Q_OBJECT
private slots:
    void portLeftAsFound_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("the program's own quit") << QByteArray("quit") << 0 << 0;
        QTest::newRow("exit() from inside the loop") << QByteArray("exit") << 0 << 3;
        QTest::newRow("SIGTERM") << QByteArray() << SIGTERM << 0;
        QTest::newRow("SIGINT") << QByteArray() << SIGINT << 0;
        QTest::newRow("SIGHUP") << QByteArray() << SIGHUP << 0;
        QTest::newRow("SIGTERM while an exchange waits") << QByteArray("status") << SIGTERM << 0;
    }
    void portLeftAsFound()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, signal);
        QFETCH(int, exitCode);
        emu::ControllerEmulator controller;
        QVERIFY(controller.start());
        const QString device = controller.slavePath();
        QVERIFY(setSpeed(device, B4800));

        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(ZEL_END_CHILD), {device});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(program.canReadLine() || program.state() == QProcess::NotRunning, 20000);
        QCOMPARE(program.readLine(), QByteArray("open\n"));
        QCOMPARE(lockFilesOf(device).size(), 1);
        termios held{};
        QVERIFY(controller.lineSettings(held));
        QCOMPARE(cfgetospeed(&held), speed_t(B9600));

        if (command == "status") {
            // The controller keeps silent: the status read waits for it.
            controller.faults().silent = true;
            const int before = controller.pcBytes().size();
            program.write(command + '\n');
            QTRY_VERIFY_WITH_TIMEOUT(controller.pcBytes().size() > before, 5000);
        } else if (!command.isEmpty()) {
            program.write(command + '\n');
        }
        const QByteArray written = controller.pcBytes();
        QElapsedTimer ending;
        ending.start();
        if (signal)
            ::kill(pid_t(program.processId()), signal);
        QTRY_VERIFY_WITH_TIMEOUT(program.state() == QProcess::NotRunning, 5000);
        QVERIFY2(ending.elapsed() < 3000, qPrintable(QStringLiteral("%1 ms").arg(ending.elapsed())));
        QTest::qWait(50); // bytes still on their way reach the emulator

        if (signal) {
            // Ended by the signal, as its sender expects.
            QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        } else {
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), exitCode);
        }
        QCOMPARE(lockFilesOf(device), QStringList());
        QVERIFY(controller.lineSettings(held));
        QCOMPARE(cfgetospeed(&held), speed_t(B4800));
        QCOMPARE(controller.pcBytes().toHex(' '), written.toHex(' '));
    }
};

QTEST_MAIN(TestProgramEnd)
#include "test_programend.moc"
