// The operator console against the controller emulator: every action's bytes
// on the wire, its boxes, the status read that follows and the buttons
// afterwards; the status read's decoding; the program-number box.

#include "app/frmmain.h"
#include "common/events.h"
#include "link/moddef.h"
#include "link/serialportcontrol.h"
#include "link/operatorexchange.h"
#include "support/emulink.h"
#include "support/operatortexts.h"

#include <QThread>
#include <QtTest>

using app::frmMain;

namespace {

using testsupport::texts::kLinkError0;
using testsupport::texts::kNotConnected;
using testsupport::texts::kNotNumber;
using testsupport::texts::kPortClosed;

// Joins trace pieces the way the emulator's trace reads: bytes of one side
// in a row form one group.
QString then(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return a + b;
    const qsizetype cut = a.lastIndexOf(QStringLiteral("; "));
    const QString lastSide = a.mid(cut < 0 ? 0 : cut + 2).section(u' ', 0, 0);
    const QString firstSide = b.section(u' ', 0, 0);
    if (lastSide == firstSide)
        return a + b.mid(firstSide.size());
    return a + QStringLiteral("; ") + b;
}

QString hexBytes(std::uint32_t mask)
{
    QString out;
    unsigned sum = 0;
    for (int i = 0; i < 4; ++i) {
        const unsigned b = (mask >> (8 * i)) & 0xFF;
        sum += b;
        out += QStringLiteral(" %1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out + QStringLiteral(" %1 03").arg((0x100 - (sum & 0xFF)) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

// A complete status read of what the emulator holds now.
QString statusRead(const emu::State& st)
{
    return QStringLiteral("PC 01; controller 00; PC 1C; controller 1C") + hexBytes(st.outputs) +
           QStringLiteral("; PC 04 01; controller 00; PC 1B; controller 1B") + hexBytes(st.inputs) +
           QStringLiteral("; PC 04");
}

// Runs one console action by its control's name, as the operator's click does.
void click(const QString& control)
{
    auto* w = frmMain::instance().findChild<QAbstractButton*>(control);
    QVERIFY2(w, qPrintable(control));
    w->click();
}

} // namespace

class TestConsole : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::SettingsStore store;
        common::setSleep([this](int ms) { m_pauses << ms; });
        frmMain::instance().Load();
    }
    void cleanupTestCase() { common::setSleep({}); }
    void init()
    {
        auto& m = frmMain::instance();
        m.m_Running = false;
        m.m_AlarmArmed = true;
        for (auto* b : m.findChildren<QPushButton*>())
            b->setEnabled(true);
        app::g_OutState.fill(0);
        m.txtRunPrgNo->setText(QStringLiteral("0"));
        m_pauses.clear();
    }

    // Each button's command, the boxes it shows and the status read after
    // it; the commands' every outcome is in test_consoleexchange.
    void actions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("wire");
        QTest::addColumn<QStringList>("boxes");

        const QString st = QStringLiteral("<status>");
        QTest::newRow("SERVO ON") << "cmdSvOn_0"
                                  << ""
                                  << QString("PC 01; controller 00; PC 17; controller 17; PC 00 00 02; controller 16") +
                                         st
                                  << QStringList{};
        QTest::newRow("ALARM RESET")
            << "cmdSvOn_2"
            << "" << QString("PC 01; controller 00; PC 20; controller 20; PC 00 00 02; controller 16") + st
            << QStringList{};
        QTest::newRow("I/O ALL ON")
            << "cmdIoAllOnOff_0"
            << "" << QString("PC 01; controller 00; PC 19; controller 19; PC 00 00 02; controller 16") + st
            << QStringList{};
        QTest::newRow("I/O ALL OFF")
            << "cmdIoAllOnOff_1"
            << "" << QString("PC 01; controller 00; PC 1A; controller 1A; PC 00 00 02; controller 16") + st
            << QStringList{};
        QTest::newRow("stop: the bare DLE") << "cmdRun_1"
                                            << "" << QString("PC 10") + st << QStringList{};
        QTest::newRow("run reset: the bare CAN") << "cmdRun_2"
                                                 << "" << QString("PC 18") + st << QStringList{};
        QTest::newRow("zero return, no status read")
            << "cmdZR_1"
            << ""
            << "PC 01; controller 00; PC 16; controller 16; PC 00 00 02; controller 16" << QStringList{};
        QTest::newRow("the picture ZR button too")
            << "cmdZR_0"
            << ""
            << "PC 01; controller 00; PC 16; controller 16; PC 00 00 02; controller 16" << QStringList{};

        // A wrong echo is answered with the abort word; the status read then
        // meets the same controller and shows its own box.
        QTest::newRow("wrong echo: abort word") << "cmdSvOn_0"
                                                << "wrongEcho"
                                                << "PC 01; controller 00; PC 17; controller 18; PC 00 00 10 01; "
                                                   "controller 00; PC 1C; controller 1D 00 00 00 00 00 03"
                                                << QStringList{kLinkError0};
        QTest::newRow("refused word: link error")
            << "cmdSvOn_1"
            << "refuseWord" << QString("PC 01; controller 00; PC 18; controller 18; PC 00 00 02; controller 15") + st
            << QStringList{kLinkError0};
        QTest::newRow("I/O ALL OFF refused word: its own text")
            << "cmdIoAllOnOff_1"
            << "refuseWord" << QString("PC 01; controller 00; PC 1A; controller 1A; PC 00 00 02; controller 15") + st
            << QStringList{QStringLiteral("통신 에러 발생")};
        QTest::newRow("I/O ALL ON refused word: link error")
            << "cmdIoAllOnOff_0"
            << "refuseWord" << QString("PC 01; controller 00; PC 19; controller 19; PC 00 00 02; controller 15") + st
            << QStringList{kLinkError0};
        QTest::newRow("output refused word: link error")
            << "chkIoOutput_9"
            << "refuseWord"
            << "PC 01; controller 00; PC 21; controller 21; PC 02 01 00 00 02; controller 15"
            << QStringList{kLinkError0};
    }
    void actions()
    {
        QFETCH(QString, control);
        QFETCH(QString, fault);
        QFETCH(QString, wire);
        QFETCH(QStringList, boxes);
        testsupport::EmulatorLink link(4);
        QVERIFY(link.ok());
        link.faults().wrongEcho = fault == QLatin1String("wrongEcho");
        link.faults().refuseWord = fault == QLatin1String("refuseWord");
        click(control);
        if (wire.endsWith(QStringLiteral("<status>")))
            wire = then(wire.chopped(8), statusRead(link.state()));
        // Bare bytes are not answered: the line stays quiet a while after them.
        link.settleTrace(wire);
        QCOMPARE(link.trace(), wire);
        QCOMPARE(link.boxes.texts(), boxes);
        QVERIFY(!comm::g_LinkBusy);
        auto* pressed = frmMain::instance().findChild<QWidget*>(control);
        QVERIFY(pressed->isEnabled());
        QVERIFY(frmMain::instance().cmdStatus->isEnabled());
    }

    void statusReadPausesTwice()
    {
        testsupport::EmulatorLink link(4);
        frmMain::instance().cmdStatus_Click();
        QCOMPARE(m_pauses, (QList<int>{400, 400}));
        QTRY_COMPARE(link.trace(), statusRead(link.state()));
    }

    // A byte that reaches the port while the status read pauses (line noise, a
    // late answer) lies in the device's input, not yet in the ring: the
    // emptying before each handshake drops it, and the read goes through.
    void strayByteInAPauseIsDropped_data()
    {
        QTest::addColumn<int>("pause");
        QTest::addColumn<int>("stray");
        QTest::newRow("before the output read") << 0 << 0x55;
        QTest::newRow("before the input read") << 1 << 0x00;
    }
    void strayByteInAPauseIsDropped()
    {
        QFETCH(int, pause);
        QFETCH(int, stray);
        testsupport::EmulatorLink link(4);
        link.state().outputs = 0x04;
        link.state().inputs = 0x80000001u;
        auto& m = frmMain::instance();
        int pauses = 0;
        common::setSleep([&](int) {
            if (pauses++ == pause) {
                link.emulator().sendUnasked(QByteArray(1, char(stray)));
                // Long enough for the byte to pass the terminal's queue.
                QThread::msleep(50);
            }
        });
        m.cmdStatus_Click();
        common::setSleep([this](int ms) { m_pauses << ms; });
        QCOMPARE(link.boxes.texts(), QStringList{});
        QTRY_COMPARE(link.emulator().pcBytes(), QByteArray::fromHex("011C04011B04"));
        QVERIFY(m.chkIoOutput[2]->isChecked());
        QVERIFY(!m.chkIoOutput[0]->isChecked());
        QVERIFY(m.chkIoInput[0]->isChecked());
        QVERIFY(m.chkIoInput[31]->isChecked());
        QCOMPARE(m.imgComm->picture(), QStringLiteral("imgOn"));
    }

    void runSendsTheBoxNumberAndHoldsServoButtons_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("word");
        QTest::newRow("5") << "5"
                           << "05 00";
        QTest::newRow("empty box runs program 0") << ""
                                                  << "00 00";
        QTest::newRow("31") << "31"
                            << "1F 00";
    }
    void runSendsTheBoxNumberAndHoldsServoButtons()
    {
        QFETCH(QString, box);
        QFETCH(QString, word);
        testsupport::EmulatorLink link(4);
        auto& m = frmMain::instance();
        m.txtRunPrgNo->setText(box);
        click(QStringLiteral("cmdRun_0"));
        QTRY_COMPARE(
            link.trace(),
            then(QStringLiteral("PC 01; controller 00; PC 15; controller 15; PC %1 02; controller 16").arg(word),
                 statusRead(link.state())));
        QVERIFY(m.m_Running);
        QVERIFY(m.cmdRun[0]->isEnabled());
        QVERIFY(!m.cmdSvOn[0]->isEnabled());
        QVERIFY(!m.cmdSvOn[1]->isEnabled());
        QCOMPARE(m.imgruncomm[0]->picture(), QStringLiteral("imgrun"));
        // Stop gives the servo buttons back and the RUN lamp goes to stop.
        click(QStringLiteral("cmdRun_1"));
        QVERIFY(!m.m_Running);
        QVERIFY(m.cmdSvOn[0]->isEnabled());
        QCOMPARE(m.imgruncomm[0]->picture(), QStringLiteral("imgstop"));
    }

    void outputStateComesFromTheLastStatusRead()
    {
        testsupport::EmulatorLink link(4);
        auto& m = frmMain::instance();
        // Clicked twice with no status read between: the same state both times.
        click(QStringLiteral("chkIoOutput_8"));
        click(QStringLiteral("chkIoOutput_8"));
        QTRY_COMPARE(link.trace(),
                     QStringLiteral("PC 01; controller 00; PC 21; controller 21; PC 01 01 00 00 02; controller 16; "
                                    "PC 01; controller 00; PC 21; controller 21; PC 01 01 00 00 02; controller 16"));
        QVERIFY(!m.chkIoOutput[8]->isChecked());
        // After a status read that finds it on, a click switches it off.
        link.state().outputs = 1u << 8;
        m.cmdStatus_Click();
        QVERIFY(m.chkIoOutput[8]->isChecked());
        QTRY_VERIFY(link.trace().endsWith(QStringLiteral("PC 04")));
        link.emulator().clearTrace();
        click(QStringLiteral("chkIoOutput_8"));
        QTRY_COMPARE(link.trace(),
                     QStringLiteral("PC 01; controller 00; PC 21; controller 21; PC 01 00 00 00 02; controller 16"));
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void statusReadDecodesLampsAndArmsTheAlarmOnce()
    {
        testsupport::EmulatorLink link(4);
        auto& m = frmMain::instance();
        link.state().outputs = 0x05; // alarm and servo on
        link.state().inputs = 0x80000005u;
        m.m_Running = true;
        for (int read = 0; read < 3; ++read)
            m.cmdStatus_Click();
        QCOMPARE(link.boxes.texts(), QStringList{QStringLiteral("ALARM RESET 을 누르고 에러 조치를 취하십시요.")});
        QVERIFY(m.chkIoOutput[0]->isChecked());
        QVERIFY(!m.chkIoOutput[1]->isChecked());
        QVERIFY(m.chkIoOutput[2]->isChecked());
        QVERIFY(m.chkIoInput[0]->isChecked());
        QVERIFY(m.chkIoInput[2]->isChecked());
        QVERIFY(m.chkIoInput[31]->isChecked());
        QVERIFY(!m.chkIoInput[30]->isChecked());
        QCOMPARE(app::g_OutState[2], std::int16_t(1));
        QCOMPARE(m.imgComm->picture(), QStringLiteral("imgOn"));
        QCOMPARE(m.imgruncomm[1]->picture(), QStringLiteral("Imgservo"));
        QCOMPARE(m.imgruncomm[2]->picture(), QStringLiteral("imgerr"));
        QCOMPARE(m.imgruncomm[0]->picture(), QStringLiteral("imgstop"));
        QVERIFY(!m.m_Running);
        // The alarm goes and comes back: the message is armed again.
        link.state().outputs = 0x04;
        m.cmdStatus_Click();
        QCOMPARE(m.imgruncomm[2]->picture(), QStringLiteral("imgOff"));
        link.state().outputs = 0x05;
        m.cmdStatus_Click();
        QCOMPARE(link.boxes.texts().size(), 2);
    }

    void refusedStatusBlockIsSilentAndChangesNothing()
    {
        testsupport::EmulatorLink link(4);
        auto& m = frmMain::instance();
        link.state().outputs = 0x04;
        link.state().inputs = 0x01;
        m.imgruncomm[1]->setPicture(QStringLiteral("imgOff"));
        m.cmdStatus_Click();
        QVERIFY(m.chkIoOutput[2]->isChecked());
        // The next output block carries a wrong checksum: refused, silently,
        // and nothing changes.
        link.faults().badChecksum = true;
        link.state().outputs = 0x00;
        m.cmdStatus_Click();
        QVERIFY(m.chkIoOutput[2]->isChecked());
        QVERIFY(link.boxes.texts().isEmpty());
        QTRY_VERIFY(link.trace().endsWith(QStringLiteral("PC 10")));
        QVERIFY(m.cmdStatus->isEnabled());
        QVERIFY(!comm::g_LinkBusy);
    }

    void errorCheckShowsTheControllerText()
    {
        testsupport::EmulatorLink link(4);
        link.state().errCode = 71;
        click(QStringLiteral("cmderr"));
        QTRY_COMPARE(link.trace(),
                     then(QStringLiteral("PC 01; controller 00; PC 1F; controller 1F 47 00 00 00 B9 03; PC 04"),
                          statusRead(link.state())));
        QCOMPARE(link.boxes.texts(),
                 QStringList{QStringLiteral("System Error 01 :Backup battery Low Voltage\r\n"
                                            "에러발생시 ALARM RESET 버튼을 누르고 에러에 대해 조치하십시요.")});
        QVERIFY(frmMain::instance().cmderr->isEnabled());
    }

    void handshakeTimeoutWritesTheAbortWordThenTheStatusReadFails()
    {
        testsupport::EmulatorLink link(4);
        testsupport::FastClock clock;
        link.faults().silent = true;
        click(QStringLiteral("cmdSvOn_0"));
        QTRY_COMPARE(link.trace(), QStringLiteral("PC 01 00 00 10 01"));
        QCOMPARE(link.boxes.texts(), (QStringList{kNotConnected, kNotConnected, kLinkError0}));
        QVERIFY(frmMain::instance().cmdSvOn[0]->isEnabled());
    }

    void busyLinkIgnoresClicks()
    {
        testsupport::EmulatorLink link(4);
        {
            // Clicks served by another operation's wait.
            const comm::OperatorExchange running;
            const common::EventServeScope served;
            click(QStringLiteral("cmdSvOn_0"));
            click(QStringLiteral("chkIoOutput_9"));
            frmMain::instance().cmdStatus_Click();
        }
        link.settleTrace(QString());
        QCOMPARE(link.trace(), QString());
        QVERIFY(link.boxes.boxes.isEmpty());
        // The clicked box shows its new state until the next status read.
        QVERIFY(frmMain::instance().chkIoOutput[9]->isChecked());
        frmMain::instance().chkIoOutput[9]->setChecked(false);
    }

    void closedPortTellsEveryButton_data()
    {
        QTest::addColumn<QString>("control");
        for (const char* c : {"cmdSvOn_0", "cmdSvOn_2", "cmdRun_0", "cmdRun_1", "cmdZR_1", "cmdIoAllOnOff_1", "cmderr",
                              "chkIoOutput_8", "chkIoOutput_0"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void closedPortTellsEveryButton()
    {
        QFETCH(QString, control);
        testsupport::MessageRecorder boxes;
        comm::SerialPortControl::MSComm1().setPortOpen(false);
        click(control);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, kPortClosed);
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("ERROR"));
        QCOMPARE(boxes.boxes[0].buttons, common::MsgButtons::OkCancel);
    }

    void closedPortStatusReadDoesNothing()
    {
        testsupport::MessageRecorder boxes;
        comm::SerialPortControl::MSComm1().setPortOpen(false);
        click(QStringLiteral("cmdStatus"));
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(m_pauses.isEmpty());
    }

    void programNumberBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("left");
        QTest::newRow("in range") << "31"
                                  << ""
                                  << "31";
        QTest::newRow("above") << "32"
                               << "0 ~ 31 까지 입력하십시요."
                               << "0";
        QTest::newRow("negative") << "-1"
                                  << "0 ~ 31 까지 입력하십시요."
                                  << "0";
        QTest::newRow("a letter") << "a" << kNotNumber << "0";
        QTest::newRow("a lone minus") << "-" << kNotNumber << "0";
        QTest::newRow("emptied: left alone") << ""
                                             << ""
                                             << "";
        QTest::newRow("a fraction passes") << "2."
                                           << ""
                                           << "2.";
    }
    void programNumberBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, left);
        testsupport::MessageRecorder boxes;
        frmMain::instance().txtRunPrgNo->setText(typed);
        QCOMPARE(boxes.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(frmMain::instance().txtRunPrgNo->text(), left);
    }

private:
    QList<int> m_pauses;
};

QTEST_MAIN(TestConsole)
#include "test_console.moc"
