// The main window's frame: the load, connect and disconnect on the serial
// port menu, the window menus and the unload.

#include "app/frmmain.h"
#include "common/events.h"
#include "link/moddef.h"
#include "link/moderror.h"
#include "link/serialportcontrol.h"
#include "link/operatorexchange.h"
#include "params/parawindows.h"
#include "support/emulink.h"
#include "support/operatortexts.h"

#include <QSerialPort>
#include <QSettings>
#include <QToolTip>
#include <QtTest>

#include <optional>

using app::frmMain;

namespace {

using testsupport::texts::kLinkError0;
using testsupport::texts::kNotConnected;
using testsupport::texts::kPortClosed;

// The emulator with the program's port closed, as before "Open(COM1)".
struct ClosedPort {
    testsupport::EmulatorLink link{4};
    ClosedPort() { comm::SerialPortControl::MSComm1().setPortOpen(false); }
};
} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        common::setSleep([](int) {});
        testsupport::SettingsStore store;
        frmMain::instance().Load();
    }
    void cleanupTestCase() { common::setSleep({}); }
    void init()
    {
        // A case whose unload ended the program leaves a program that goes on.
        common::forgetEventLoopsEnd();
        frmMain::instance().imgComm->setPicture(QStringLiteral("imgOff"));
    }

    void loadFillsTheTables()
    {
        QCOMPARE(comm::g_BytePlace, (std::array<std::int32_t, 4>{1, 256, 65536, 16777216}));
        QCOMPARE(comm::g_ErrMsg[0], kLinkError0);
        QVERIFY(frmMain::instance().m_AlarmArmed);
        // The system set is loaded hidden with its defaults.
        QVERIFY(params::frmSysPara::instance().isLoaded());
        QVERIFY(!params::frmSysPara::instance().isVisible());
        QVERIFY(!comm::SerialPortControl::MSComm1().PortOpen());
    }

    void refusedStoredSettingIsShownAndTheLoadGoesOn_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("Settings") << "Settings"
                                  << "9600,x,8,1";
        QTest::newRow("Handshaking") << "Handshaking"
                                     << "7";
        QTest::newRow("Handshaking not a number") << "Handshaking"
                                                  << "abc";
    }
    void refusedStoredSettingIsShownAndTheLoadGoesOn()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        auto& m = frmMain::instance();
        QVERIFY(m.Unload());
        common::forgetEventLoopsEnd(); // the program starts again
        testsupport::SettingsStore store;
        store.values[QStringLiteral("Properties/") + key] = value;
        testsupport::MessageRecorder boxes;
        comm::g_ErrMsg.fill(QString());
        comm::g_BytePlace.fill(0);
        m.Load();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Invalid property value"));
        QCOMPARE(boxes.boxes[0].icon, common::MsgIcon::Exclamation);
        // The later steps of the load still ran.
        QCOMPARE(comm::g_ErrMsg[1], kPortClosed);
        QCOMPARE(comm::g_BytePlace[3], 16777216);
    }

    void storedSettingsReachThePort()
    {
        auto& m = frmMain::instance();
        QVERIFY(m.Unload());
        common::forgetEventLoopsEnd(); // the program starts again
        // The real store: an unquoted value reads back from it as a list.
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QFile conf(dir.filePath(QStringLiteral("Zel 통신프로그램.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[Properties]\nSettings=19200,e,7,2\nHandshaking=2\n");
        conf.close();
        testsupport::MessageRecorder boxes;
        m.Load();
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(comm::SerialPortControl::MSComm1().Settings(), QStringLiteral("19200,e,7,2"));
        QCOMPARE(comm::SerialPortControl::MSComm1().Handshaking(), 2);
        comm::SerialPortControl::MSComm1().setSettings(QStringLiteral("9600,n,8,1"));
        comm::SerialPortControl::MSComm1().setHandshaking(0);
    }

    void connectAnswers_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("connected");
        QTest::newRow("DC1") << QByteArray("\x11", 1) << true;
        QTest::newRow("00 then 11 together: the last byte decides") << QByteArray("\x00\x11", 2) << true;
        QTest::newRow("11 then 00 together") << QByteArray("\x11\x00", 2) << false;
        QTest::newRow("00") << QByteArray("\x00", 1) << false;
    }
    void connectAnswers()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, connected);
        ClosedPort env;
        env.link.faults().connectAnswer = answer;
        auto& m = frmMain::instance();
        m.mnuCommPortOpen1_Click();
        QVERIFY(comm::SerialPortControl::MSComm1().PortOpen());
        QVERIFY(!comm::g_LinkBusy);
        QVERIFY(env.link.boxes.boxes.isEmpty());
        QCOMPARE(m.imgComm->picture(), connected ? QStringLiteral("imgOn") : QStringLiteral("imgOff"));
        const QString wire = QStringLiteral("PC 05; controller ") + QString::fromLatin1(answer.toHex(' ').toUpper());
        if (connected) {
            // The first status read follows at once.
            QTRY_VERIFY(env.link.trace().startsWith(wire + QStringLiteral("; PC 01; controller 00; PC 1C")));
            QTRY_VERIFY(env.link.trace().endsWith(QStringLiteral("PC 04")));
        } else {
            env.link.settleTrace(wire);
            QCOMPARE(env.link.trace(), wire);
            // A later Close still sends the disconnect.
            m.mnuCommPortClose_Click();
            QTRY_COMPARE(env.link.trace(), wire + QStringLiteral("; PC 01; controller 00; PC 24; controller 24"));
            QVERIFY(!comm::SerialPortControl::MSComm1().PortOpen());
        }
    }

    // Under every handshaking mode the connect's answer 11 arrives, and so do
    // status blocks full of 11 and 13; a second read proves that a received
    // 13 has not stopped the PC's own output.
    void flowControlBytesAreDataUnderEveryHandshaking_data()
    {
        QTest::addColumn<int>("mode");
        for (int mode = 0; mode <= 3; ++mode)
            QTest::newRow(qPrintable(QStringLiteral("Handshaking=%1").arg(mode))) << mode;
    }
    void flowControlBytesAreDataUnderEveryHandshaking()
    {
        QFETCH(int, mode);
        comm::SerialPortControl& port = comm::SerialPortControl::MSComm1();
        QVERIFY(!port.setHandshaking(mode));
        const auto restore = qScopeGuard([&] { port.setHandshaking(0); });
        ClosedPort env;
        auto& m = frmMain::instance();
        auto shows = [&](quint32 outputs, quint32 inputs) {
            for (int n = 0; n < 32; ++n) {
                if (m.chkIoOutput[std::size_t(n)]->isChecked() != (((outputs >> n) & 1u) != 0))
                    return false;
                if (m.chkIoInput[std::size_t(n)]->isChecked() != (((inputs >> n) & 1u) != 0))
                    return false;
            }
            return true;
        };
        // Output 0 (the alarm) stays off, so no box interrupts the reads.
        env.link.state().outputs = 0x13111312u;
        env.link.state().inputs = 0x11131311u;
        m.mnuCommPortOpen1_Click();
        QCOMPARE(env.link.boxes.texts(), QStringList{});
        QCOMPARE(m.imgComm->picture(), QStringLiteral("imgOn"));
        QVERIFY(shows(0x13111312u, 0x11131311u));

        env.link.state().outputs = 0x11131310u;
        env.link.state().inputs = 0x13111113u;
        m.cmdStatus_Click();
        QCOMPARE(env.link.boxes.texts(), QStringList{});
        QVERIFY(shows(0x11131310u, 0x13111113u));
        QTRY_COMPARE(env.link.state().blocksAcceptedByPc, 4);
    }

    void connectToASilentController()
    {
        ClosedPort env;
        testsupport::FastClock clock;
        env.link.faults().silent = true;
        frmMain::instance().mnuCommPortOpen1_Click();
        QCOMPARE(env.link.boxes.texts(), QStringList{kNotConnected});
        QVERIFY(!comm::SerialPortControl::MSComm1().PortOpen());
        QVERIFY(!comm::g_LinkBusy);
    }

    void connectToAMissingDevice()
    {
        testsupport::SettingsStore store;
        testsupport::MessageRecorder boxes;
        store.values[QStringLiteral("Properties/COM2")] = QStringLiteral("/dev/no-such-port");
        comm::SerialPortControl::MSComm1().setPortOpen(false);
        frmMain::instance().mnuCommPortOpen2_Click();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Invalid port number")});
        QVERIFY(!comm::SerialPortControl::MSComm1().PortOpen());
    }

    // The box's second line names the device tried and the key naming it,
    // whatever the open's failure; a link, with the device it leads to.
    void aFailedOpenNamesTheDevice_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("device"); // empty: the emulator's line
        QTest::addColumn<bool>("throughLink");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("error");
        QTest::newRow("COM2 missing") << 2 << "/dev/no-such-port" << false << "9600,n,8,1"
                                      << common::err::InvalidPortNumber;
        QTest::newRow("COM1 missing") << 1 << "/dev/no-such-usb" << false << "9600,n,8,1"
                                      << common::err::InvalidPortNumber;
        QTest::newRow("COM1 refuses 7 data bits") << 1 << "" << false << "9600,n,7,1" << common::err::CommStateFailed;
        QTest::newRow("COM1 through a link refuses 7 data bits")
            << 1 << "" << true << "9600,n,7,1" << common::err::CommStateFailed;
        QTest::newRow("COM2 through a link to nothing")
            << 2 << "/dev/no-such-usb" << true << "9600,n,8,1" << common::err::InvalidPortNumber;
    }
    void aFailedOpenNamesTheDevice()
    {
        QFETCH(int, port);
        QFETCH(QString, device);
        QFETCH(bool, throughLink);
        QFETCH(QString, settings);
        QFETCH(int, error);
        comm::SerialPortControl& serial = comm::SerialPortControl::MSComm1();
        const auto restore = qScopeGuard([&] { serial.setSettings(QStringLiteral("9600,n,8,1")); });
        ClosedPort env;
        if (device.isEmpty()) {
            device = env.link.emulator().slavePath();
            QSerialPort probe(device);
            if (probe.open(QIODevice::ReadWrite) && probe.setDataBits(QSerialPort::Data7))
                QSKIP("this system's pseudo-terminals take 7 data bits: nothing to refuse");
        }
        QString named = device;
        // A link to a missing device names nothing more than itself.
        QString shown = device;
        QTemporaryDir links;
        if (throughLink) {
            named = links.filePath(QStringLiteral("usb-adapter-port0"));
            QVERIFY(QFile::link(device, named));
            shown = QFileInfo::exists(device) ? QStringLiteral("%1 → %2").arg(named, device) : named;
        }
        env.link.settings.values[QStringLiteral("Properties/COM%1").arg(port)] = named;
        QVERIFY(!serial.setSettings(settings));
        if (port == 1)
            frmMain::instance().mnuCommPortOpen1_Click();
        else
            frmMain::instance().mnuCommPortOpen2_Click();
        QCOMPARE(env.link.boxes.texts(), QStringList{common::RtError::of(error).text()});
        QCOMPARE(env.link.boxes.boxes.first().detail, QStringLiteral("%1 (Properties/COM%2)").arg(shown).arg(port));
        QVERIFY(!serial.PortOpen());
        QVERIFY(!comm::g_LinkBusy);
        env.link.settleTrace(QString());
        QCOMPARE(env.link.trace(), QString());
    }

    void openWhileOpenDoesNothing()
    {
        testsupport::EmulatorLink link(4); // port 1 open
        frmMain::instance().mnuCommPortOpen2_Click();
        link.settleTrace(QString());
        QCOMPARE(link.trace(), QString());
        QCOMPARE(comm::SerialPortControl::MSComm1().CommPort(), 1);
    }

    void disconnect()
    {
        testsupport::EmulatorLink link(4);
        auto& m = frmMain::instance();
        m.imgComm->setPicture(QStringLiteral("imgOn"));
        m.mnuCommPortClose_Click();
        QCOMPARE(link.trace(), QStringLiteral("PC 01; controller 00; PC 24; controller 24"));
        QVERIFY(!comm::SerialPortControl::MSComm1().PortOpen());
        QCOMPARE(m.imgComm->picture(), QStringLiteral("imgOff"));
    }

    // However the port closes, the link lamp goes off with it.
    void lampFollowsThePort_data()
    {
        QTest::addColumn<bool>("lineDrops");
        QTest::newRow("the line drops: the port layer closes the failed port") << true;
        QTest::newRow("closed by the program") << false;
    }
    void lampFollowsThePort()
    {
        QFETCH(bool, lineDrops);
        testsupport::EmulatorLink link(4);
        auto& m = frmMain::instance();
        m.imgComm->setPicture(QStringLiteral("imgOn"));
        if (lineDrops)
            link.emulator().dropLine();
        else
            comm::SerialPortControl::MSComm1().setPortOpen(false);
        QTRY_VERIFY(!comm::SerialPortControl::MSComm1().PortOpen());
        QCOMPARE(m.imgComm->picture(), QStringLiteral("imgOff"));
    }

    void disconnectRefusedLeavesThePortOpen()
    {
        testsupport::EmulatorLink link(4);
        link.faults().wrongEcho = true;
        auto& m = frmMain::instance();
        m.imgComm->setPicture(QStringLiteral("imgOn"));
        m.mnuCommPortClose_Click();
        QVERIFY(comm::SerialPortControl::MSComm1().PortOpen());
        QCOMPARE(m.imgComm->picture(), QStringLiteral("imgOn"));
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void closeWithPortClosedOrBusySendsNothing()
    {
        testsupport::EmulatorLink link(4);
        {
            const comm::OperatorExchange running;
            const common::EventServeScope served;
            frmMain::instance().mnuCommPortClose_Click();
        }
        comm::SerialPortControl::MSComm1().setPortOpen(false);
        frmMain::instance().mnuCommPortClose_Click();
        link.settleTrace(QString());
        QCOMPARE(link.trace(), QString());
    }

    void parameterMenusDisableTheMainWindow()
    {
        auto& m = frmMain::instance();
        m.mnuGainPara_Click();
        QVERIFY(params::frmGain::instance().isVisible());
        QVERIFY(!m.isEnabled());
        // A disabled main window refuses to close.
        QVERIFY(!m.Unload());
        QVERIFY(params::frmGain::instance().Unload());
        QVERIFY(m.isEnabled());
    }

    // While another window holds the main window disabled, a lit lamp must
    // still read as lit; the console's controls take the disabled look.
    // Hovering a lamp shows no template name.
    void lampsKeepTheirLookInADisabledMainWindow_data()
    {
        QTest::addColumn<int>("lamp"); // 0 link, 1..3 RUN, SERVO, ERR
        QTest::addColumn<QString>("picture");
        QTest::newRow("link connected") << 0 << "imgOn";
        QTest::newRow("link off") << 0 << "imgOff";
        QTest::newRow("RUN lit") << 1 << "imgrun";
        QTest::newRow("RUN stopped") << 1 << "imgstop";
        QTest::newRow("SERVO on") << 2 << "Imgservo";
        QTest::newRow("ERR lit") << 3 << "imgerr";
    }
    void lampsKeepTheirLookInADisabledMainWindow()
    {
        QFETCH(int, lamp);
        QFETCH(QString, picture);
        auto& m = frmMain::instance();
        app::Lamp* l = lamp == 0 ? m.imgComm : m.imgruncomm[std::size_t(lamp - 1)];
        QCheckBox* box = m.chkIoOutput[2];
        l->setPicture(picture);
        box->setChecked(true);
        const QImage lampEnabled = l->grab().toImage();
        const QImage boxEnabled = box->grab().toImage();
        m.mnuGainPara_Click();
        QVERIFY(!m.isEnabled());
        const QImage lampDisabled = l->grab().toImage();
        const QImage boxDisabled = box->grab().toImage();
        QVERIFY(params::frmGain::instance().Unload());
        box->setChecked(false);
        QCOMPARE(lampDisabled, lampEnabled);
        QVERIFY(boxDisabled != boxEnabled);
        QCOMPARE(l->picture(), picture);

        m.Show();
        QHelpEvent hover(QEvent::ToolTip, l->rect().center(), l->mapToGlobal(l->rect().center()));
        QCoreApplication::sendEvent(l, &hover);
        QVERIFY2(QToolTip::text().isEmpty(), qPrintable(QToolTip::text()));
        QToolTip::hideText();
    }

    void axisParaWaitsForTheRunningOperation()
    {
        auto& m = frmMain::instance();
        auto running = std::make_optional<comm::OperatorExchange>();
        m.mnuAxisPara_Click();
        QTest::qWait(120);
        QVERIFY(!params::frmAxis::instance().isLoaded());
        QVERIFY(m.axisParaPending());
        running.reset();
        QTRY_VERIFY(params::frmAxis::instance().isVisible());
        QVERIFY(!m.isEnabled());
        QVERIFY(params::frmAxis::instance().Unload());
        QVERIFY(m.isEnabled());
    }

    void unloadClosesTheOtherWindowsThenDisconnects()
    {
        testsupport::EmulatorLink link(4);
        auto& m = frmMain::instance();
        params::frmSw::instance().Show();
        QVERIFY(m.Unload());
        QVERIFY(!params::frmSw::instance().isLoaded());
        QVERIFY(!params::frmSysPara::instance().isLoaded());
        QTRY_COMPARE(link.trace(), QStringLiteral("PC 01; controller 00; PC 24; controller 24"));
        QVERIFY(!comm::SerialPortControl::MSComm1().PortOpen());
        QVERIFY(common::eventLoopsEnding()); // and the program ends
        common::forgetEventLoopsEnd();
        testsupport::SettingsStore store;
        m.Load();
    }

    void unloadRefusedWhileAnExchangeRuns()
    {
        {
            const comm::OperatorExchange running;
            QVERIFY(!frmMain::instance().Unload());
        }
        QVERIFY(frmMain::instance().isLoaded());
    }
};

QTEST_MAIN(TestMainFrame)
#include "test_mainframe.moc"
