// The console's exchanges against the controller emulator, without a window:
// the connect answers, a command with its abort word and its refused word,
// output switching, the bare stop and reset bytes, and the status read's
// banks as values.

#include "common/events.h"
#include "console/consoleexchange.h"
#include "link/controlbytes.h"
#include "link/moddef.h"
#include "link/serialportcontrol.h"
#include "link/operatorexchange.h"
#include "support/emulink.h"
#include "support/operatortexts.h"

#include <QtTest>

using namespace console;
using testsupport::EmulatorLink;

namespace {
using testsupport::texts::kLinkError0;
using testsupport::texts::kNotConnected;

// Set by a command's step after the echo, which a refused command never takes.
bool g_pastHandshake = false;

// Console exchanges that an operation forgot to guard: each ends refused,
// true when it said so.
struct UnguardedRow {
    const char* name;
    bool (*refused)();
};
const UnguardedRow kUnguardedRows[] = {
    {"SERVO ON", [] { return sendCommand(ConsoleCommand::ServoOn) == CommandResult::NotOwned; }},
    {"RUN 5", [] { return runProgram(5, [] { g_pastHandshake = true; }) == CommandResult::NotOwned; }},
    {"output 8 on", [] { return setOutput(8, true) == CommandResult::NotOwned; }},
    {"status read", [] { return !readOutputs(); }},
};

} // namespace

class TestConsoleExchange : public QObject {
    Q_OBJECT
private slots:
    void connectAnswers_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("expected");
        QTest::newRow("DC1: connected") << QByteArray("\x11", 1) << int(ConnectAnswer::Connected);
        QTest::newRow("another byte: refused") << QByteArray("\x15", 1) << int(ConnectAnswer::Refused);
        QTest::newRow("nothing: no answer") << QByteArray() << int(ConnectAnswer::NoAnswer);
    }
    void connectAnswers()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, expected);
        EmulatorLink link;
        QVERIFY(link.ok());
        link.faults().connectAnswer = answer;
        testsupport::FastClock clock;
        QCOMPARE(int(connectController()), expected);
        QCOMPARE(link.trace().section(u';', 0, 0), QStringLiteral("PC 05"));
        // The connect shows nothing itself: the window decides.
        QVERIFY(link.boxes.boxes.isEmpty());
        if (expected == int(ConnectAnswer::Connected))
            QVERIFY(!comm::RxAvail());
    }

    // A failed handshake is answered with the abort word only; a refused
    // word is reported, not shown.
    void commandOutcomes_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("wire");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("servo on") << "" << int(comm::CMD_SERVO_ON) << 0 << int(CommandResult::Done)
                                  << "PC 01; controller 00; PC 17; controller 17; PC 00 00 02; controller 16"
                                  << QStringList{};
        QTest::newRow("RUN 5") << "" << int(comm::CMD_RUN) << 5 << int(CommandResult::Done)
                               << "PC 01; controller 00; PC 15; controller 15; PC 05 00 02; controller 16"
                               << QStringList{};
        QTest::newRow("wrong echo: abort word")
            << "wrongEcho" << int(comm::CMD_SERVO_ON) << 0 << int(CommandResult::HandshakeFailed)
            << "PC 01; controller 00; PC 17; controller 18; PC 00 00 10" << QStringList{};
        QTest::newRow("RUN wrong echo: the same abort word, not the number")
            << "wrongEcho" << int(comm::CMD_RUN) << 5 << int(CommandResult::HandshakeFailed)
            << "PC 01; controller 00; PC 15; controller 16; PC 00 00 10" << QStringList{};
        QTest::newRow("no answer: told once, then the abort word")
            << "silent" << int(comm::CMD_SERVO_ON) << 0 << int(CommandResult::HandshakeFailed) << "PC 01 00 00 10"
            << QStringList{kNotConnected};
        QTest::newRow("refused word") << "refuseWord" << int(comm::CMD_SERVO_OFF) << 0
                                      << int(CommandResult::WordRefused)
                                      << "PC 01; controller 00; PC 18; controller 18; PC 00 00 02; controller 15"
                                      << QStringList{};
    }
    void commandOutcomes()
    {
        QFETCH(QString, fault);
        QFETCH(int, code);
        QFETCH(int, word);
        QFETCH(int, expected);
        QFETCH(QString, wire);
        QFETCH(QStringList, boxes);
        EmulatorLink link;
        QVERIFY(link.ok());
        link.faults().wrongEcho = fault == QLatin1String("wrongEcho");
        link.faults().refuseWord = fault == QLatin1String("refuseWord");
        link.faults().silent = fault == QLatin1String("silent");
        testsupport::FastClock clock;
        bool echoed = false;
        QCOMPARE(int(commandExchange(std::int16_t(code), word, comm::kByteWait, [&] { echoed = true; })), expected);
        QCOMPARE(echoed, expected != int(CommandResult::HandshakeFailed));
        QTRY_COMPARE(link.trace(), wire);
        QCOMPARE(link.boxes.texts(), boxes);
    }

    // Inside another exchange's wait the link refuses the handshake: the
    // command writes nothing (no abort word either) and shows nothing.
    void unguardedCommandInsideAnotherWait_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kUnguardedRows)); ++i)
            QTest::newRow(kUnguardedRows[i].name) << i;
    }
    void unguardedCommandInsideAnotherWait()
    {
        QFETCH(int, row);
        EmulatorLink link;
        QVERIFY(link.ok());
        testsupport::FastClock clock;
        g_pastHandshake = false;
        bool refused = false;
        {
            const comm::OperatorExchange running;
            const common::EventServeScope served;
            refused = kUnguardedRows[row].refused();
        }
        link.settleTrace(QString());
        QCOMPARE(link.trace(), QString());
        QCOMPARE(link.boxes.texts(), QStringList{});
        QVERIFY(refused);
        QVERIFY(!g_pastHandshake);
        QVERIFY(!comm::g_LinkBusy);
    }

    // Each console command is one exchange with the word 0.
    void consoleCommands_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("code");
        QTest::newRow("servo on") << int(ConsoleCommand::ServoOn) << "17";
        QTest::newRow("servo off") << int(ConsoleCommand::ServoOff) << "18";
        QTest::newRow("alarm reset") << int(ConsoleCommand::AlarmReset) << "20";
        QTest::newRow("I/O all on") << int(ConsoleCommand::IoAllOn) << "19";
        QTest::newRow("I/O all off") << int(ConsoleCommand::IoAllOff) << "1A";
        QTest::newRow("zero return") << int(ConsoleCommand::ZeroReturn) << "16";
    }
    void consoleCommands()
    {
        QFETCH(int, command);
        QFETCH(QString, code);
        EmulatorLink link;
        QVERIFY(link.ok());
        QCOMPARE(sendCommand(ConsoleCommand(command)), CommandResult::Done);
        QTRY_COMPARE(
            link.trace(),
            QStringLiteral("PC 01; controller 00; PC %1; controller %1; PC 00 00 02; controller 16").arg(code));
    }

    void runProgramSendsItsNumberAfterTheEcho()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        int startedAt = -1;
        QCOMPARE(runProgram(12, [&] { startedAt = int(link.emulator().pcBytes().size()); }), CommandResult::Done);
        QCOMPARE(startedAt, 2); // after SOH and the code, before the word
        QTRY_COMPARE(link.trace(),
                     QStringLiteral("PC 01; controller 00; PC 15; controller 15; PC 0C 00 02; controller 16"));
        QCOMPARE(link.state().lastRunProgram, 12);
    }

    void outputSwitching_data()
    {
        QTest::addColumn<int>("output");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("wire");
        QTest::newRow("output 8 on is byte 1")
            << 8 << true << "PC 01; controller 00; PC 21; controller 21; PC 01 01 00 00 02; controller 16";
        QTest::newRow("output 31 is byte 24")
            << 31 << true << "PC 01; controller 00; PC 21; controller 21; PC 18 01 00 00 02; controller 16";
        QTest::newRow("output 9 off: state byte 0")
            << 9 << false << "PC 01; controller 00; PC 21; controller 21; PC 02 00 00 00 02; controller 16";
        QTest::newRow("output 7 belongs to the controller: nothing") << 7 << true << "";
        QTest::newRow("output 32 does not exist: nothing") << 32 << true << "";
    }
    void outputSwitching()
    {
        QFETCH(int, output);
        QFETCH(bool, on);
        QFETCH(QString, wire);
        EmulatorLink link;
        QVERIFY(link.ok());
        QCOMPARE(setOutput(output, on), CommandResult::Done);
        QVERIFY(link.boxes.boxes.isEmpty());
        if (wire.isEmpty()) {
            link.settleTrace(QString());
            QCOMPARE(link.trace(), QString());
            return;
        }
        QTRY_COMPARE(link.trace(), wire);
        QCOMPARE(link.state().lastOutputNumber, output);
        QCOMPARE(link.state().lastOutputState, on ? 1 : 0);
    }

    void stopAndResetAreBareBytes()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        stopRun();
        resetRun();
        QVERIFY(link.waitForPcBytes(2));
        QTRY_COMPARE(link.trace(), QStringLiteral("PC 10 18"));
        QCOMPARE(link.state().stops, 1);
    }

    // Each bank after its own pause; the words' bits as the points.
    void statusBanks_data()
    {
        QTest::addColumn<quint32>("outputs");
        QTest::addColumn<quint32>("inputs");
        QTest::newRow("alarm and servo on") << quint32(0x05) << quint32(0x80000005u);
        QTest::newRow("the high word only") << quint32(0xFFFF0000u) << quint32(0x00010000u);
        QTest::newRow("nothing on") << quint32(0) << quint32(0);
    }
    void statusBanks()
    {
        QFETCH(quint32, outputs);
        QFETCH(quint32, inputs);
        EmulatorLink link;
        QVERIFY(link.ok());
        link.state().outputs = outputs;
        link.state().inputs = inputs;
        testsupport::FastClock clock;
        const auto out = readOutputs();
        QVERIFY(out);
        QCOMPARE(out->bits, outputs);
        QCOMPARE(out->on(kAlarmOutput), (outputs & 1u) != 0);
        QCOMPARE(out->on(kServoOutput), (outputs & 4u) != 0);
        const auto in = readInputs();
        QVERIFY(in);
        QCOMPARE(in->bits, inputs);
        QCOMPARE(clock.pauses, (QList<int>{kStatusPauseMs, kStatusPauseMs}));
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void statusBankFailures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("refused block: silent") << "badChecksum" << QStringList{};
        QTest::newRow("wrong echo: the link error box") << "wrongEcho" << QStringList{kLinkError0};
        QTest::newRow("bad trailer: the link error box") << "badTrailer" << QStringList{kLinkError0};
    }
    void statusBankFailures()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, boxes);
        EmulatorLink link;
        QVERIFY(link.ok());
        link.faults().badChecksum = fault == QLatin1String("badChecksum");
        link.faults().wrongEcho = fault == QLatin1String("wrongEcho");
        link.faults().badTrailer = fault == QLatin1String("badTrailer");
        QVERIFY(!readOutputs());
        QCOMPARE(link.boxes.texts(), boxes);
    }
};

QTEST_MAIN(TestConsoleExchange)
#include "test_consoleexchange.moc"
