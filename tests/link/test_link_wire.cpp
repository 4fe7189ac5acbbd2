// The bytes on the line, exactly, for the exchanges every transfer is built
// from: run through the real serial port against the controller emulator.

#include "common/msgbox.h"
#include "link/exchange.h"
#include "link/moderror.h"
#include "link/modlib.h"
#include "link/operatorexchange.h"
#include "support/emulink.h"
#include "support/operatortexts.h"
#include "support/testfiles.h"

#include <QtTest>

using namespace comm;
using testsupport::EmulatorLink;

namespace {

using testsupport::bytes;
using testsupport::hex;
using testsupport::texts::kLinkError0;
using testsupport::texts::kNotConnected;
using testsupport::texts::kPortClosed;

// The exchanges of the line table, built from the link procedures the way
// their owners build them.
bool connectExchange(EmulatorLink&)
{
    writeByte(LINK_ENQ);
    return waitRxByte(kConnectWait) && RxGetByte() == LINK_DC1;
}
bool servoOn(EmulatorLink&)
{
    return LinkHandshake(CMD_SERVO_ON) == Handshake::Echoed && SendZeroWord(0, kMotionAnswerWait);
}
bool servoOnAbortAfterWrongEcho(EmulatorLink& link)
{
    link.faults().wrongEcho = true;
    link.faults().wrongEchoByte = 0x00;
    if (LinkHandshake(CMD_SERVO_ON) == Handshake::Echoed)
        return false;
    return SendZeroWord(1);
}
bool runProgram5(EmulatorLink&)
{
    return LinkHandshake(CMD_RUN) == Handshake::Echoed && SendWordOrAbort(0, 5, kMotionAnswerWait);
}
bool inputs0And2And31(EmulatorLink& link)
{
    link.state().inputs = 0x80000005u;
    return ReadIoStatus(1) && g_InLo == 5 && g_InHi == 0x8000;
}
bool systemSetReceived(EmulatorLink& link)
{
    for (int i = 0; i < 76; ++i)
        link.state().sysBlock[i] = char(i + 1);
    if (LinkHandshake(CMD_SYS_RECV) != Handshake::Echoed || !RecvWordAck() || g_BlockLen != 76)
        return false;
    return recvBlock(g_BlockLen, g_RxData.data(), kRxDataSize) == BlockRecv::Accepted && g_RxData[75] == 76;
}
bool disconnectExchange(EmulatorLink&)
{
    return LinkHandshake(CMD_DISCONNECT) == Handshake::Echoed;
}

struct WireRow {
    const char* name;
    bool (*exchange)(EmulatorLink&);
    const char* wire;
};

// 76 data bytes 01..4C sum to 0xB6E; the checksum is 0x92.
QString systemSetWire()
{
    QByteArray block;
    for (int i = 0; i < 76; ++i)
        block.append(char(i + 1));
    return QStringLiteral("PC 01; controller 00; PC 07; controller 07 4C 00 02; PC 16; controller ") + hex(block) +
           QStringLiteral(" 92 03; PC 04");
}

const WireRow kWireRows[] = {
    {"connect", connectExchange, "PC 05; controller 11"},
    {"SERVO ON, accepted", servoOn, "PC 01; controller 00; PC 17; controller 17; PC 00 00 02; controller 16"},
    {"SERVO ON after a wrong echo", servoOnAbortAfterWrongEcho,
     "PC 01; controller 00; PC 17; controller 00; PC 00 00 10"},
    {"RUN program 5", runProgram5, "PC 01; controller 00; PC 15; controller 15; PC 05 00 02; controller 16"},
    {"inputs 0, 2 and 31 on", inputs0And2And31, "PC 01; controller 00; PC 1B; controller 1B 05 00 00 80 7B 03; PC 04"},
    {"system set received, 76 bytes", systemSetReceived, nullptr},
    {"disconnect", disconnectExchange, "PC 01; controller 00; PC 24; controller 24"},
};

// The emulator's misbehaviour a row plays.
enum class Fault { None, WrongEcho, Silent, SilentAfterSoh, BadChecksum, BadTrailer };

void play(EmulatorLink& link, Fault fault)
{
    link.faults().wrongEcho = fault == Fault::WrongEcho;
    link.faults().silent = fault == Fault::Silent;
    link.faults().silentAfterSoh = fault == Fault::SilentAfterSoh;
    link.faults().badChecksum = fault == Fault::BadChecksum;
    link.faults().badTrailer = fault == Fault::BadTrailer;
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestLinkWire : public QObject {
    Q_OBJECT
private slots:
    void lineTable_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kWireRows)); ++i)
            QTest::newRow(kWireRows[i].name) << i;
    }
    void lineTable()
    {
        QFETCH(int, row);
        const WireRow& r = kWireRows[row];
        EmulatorLink link;
        QVERIFY(link.ok());
        QVERIFY(r.exchange(link));
        const QString wire = r.wire ? QString::fromLatin1(r.wire) : systemSetWire();
        // The PC's last answer may still be on its way to the controller.
        QTRY_COMPARE_WITH_TIMEOUT(link.trace(), wire, 2000);
        QVERIFY(link.boxes.boxes.isEmpty());
        QCOMPARE(link.state().protocolErrors, 0);
    }

    // The point send of a 4-axis controller, end to end on the line.
    void pointSevenSentToController()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        QCOMPARE(LinkHandshake(CMD_LOC_TRANS), Handshake::Echoed);
        g_BlockLen = std::int16_t(g_AxisCount * 4);
        QVERIFY(SendWordAck(7));
        QByteArray block;
        for (std::int32_t v : {1250, -300, 0, 16777215})
            for (std::uint8_t b : encodeValue32(v))
                block.append(char(b));
        QVERIFY(sendBlock(reinterpret_cast<const std::uint8_t*>(block.constData()), int(block.size())));
        QCOMPARE(link.trace(),
                 QStringLiteral("PC 01; controller 00; PC 04; controller 04; PC 07 00 02; controller 16; "
                                "PC E2 04 00 00 D4 FE FF FF 00 00 00 00 FF FF FF 00 4D 03; controller 04"));
        QCOMPARE(link.state().loc[7], (std::array<std::int32_t, 4>{1250, -300, 0, 16777215}));
    }

    void handshake_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<Handshake>("result");
        QTest::addColumn<QString>("wire");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<double>("minWait");
        const QStringList none;
        const QStringList timeout{kNotConnected};
        QTest::newRow("echoed") << Fault::None << Handshake::Echoed << "PC 01; controller 00; PC 17; controller 17"
                                << none << 0.0;
        QTest::newRow("wrong echo: no box")
            << Fault::WrongEcho << Handshake::WrongEcho << "PC 01; controller 00; PC 17; controller 18" << none << 0.0;
        QTest::newRow("no answer to SOH: one box after 7 s")
            << Fault::Silent << Handshake::TimedOut << "PC 01" << timeout << 7.0;
        QTest::newRow("no echo: one box after 7 s")
            << Fault::SilentAfterSoh << Handshake::TimedOut << "PC 01; controller 00; PC 17" << timeout << 7.0;
    }
    void handshake()
    {
        QFETCH(Fault, fault);
        QFETCH(Handshake, result);
        QFETCH(QString, wire);
        QFETCH(QStringList, boxes);
        QFETCH(double, minWait);
        EmulatorLink link;
        QVERIFY(link.ok());
        play(link, fault);
        testsupport::FastClock clock;
        QCOMPARE(LinkHandshake(CMD_SERVO_ON), result);
        QVERIFY(clock.now >= minWait);
        if (minWait > 0)
            QVERIFY(clock.now < minWait + 4.0);
        // Nothing more is written after a failure.
        link.settleTrace(wire);
        QCOMPARE(link.trace(), wire);
        QCOMPARE(link.boxes.texts(), boxes);
        for (const auto& b : link.boxes.boxes) {
            QCOMPARE(b.title, common::kAppTitle);
            QCOMPARE(b.buttons, common::MsgButtons::Ok);
            QCOMPARE(b.icon, common::MsgIcon::None);
        }
        QVERIFY(!RxAvail());
    }

    // Bytes left from an earlier exchange must not answer this one.
    void staleBytesDoNotAnswerTheHandshake()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        link.emulator().sendUnasked(bytes("00 17"));
        QTRY_VERIFY(RxAvail());
        link.faults().silent = true;
        testsupport::FastClock clock;
        QVERIFY(LinkHandshake(CMD_SERVO_ON) != Handshake::Echoed);
        QCOMPARE(link.boxes.texts(), QStringList{kNotConnected});
        QCOMPARE(hex(link.emulator().pcBytes()), QStringLiteral("01"));
    }

    // A PC word after the handshake: what it writes, what it makes of the
    // answer. RUN takes program numbers 0..31 and refuses others.
    void wordToController_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("abort");
        QTest::addColumn<int>("w");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QString>("wire");
        QTest::addColumn<bool>("result");
        QTest::newRow("SendWordAck(5): 05 00 02, SYN")
            << int(CMD_RUN) << 0 << 5 << false << "PC 05 00 02; controller 16" << true;
        QTest::newRow("SendWordOrAbort(0, 31): 1F 00 02")
            << int(CMD_RUN) << 0 << 31 << false << "PC 1F 00 02; controller 16" << true;
        QTest::newRow("SendWordAck(1026): 02 04 02, refused")
            << int(CMD_RUN) << 0 << 1026 << false << "PC 02 04 02; controller 15" << false;
        QTest::newRow("SendZeroWord(0): 00 00 02")
            << int(CMD_ZR) << 0 << 0 << false << "PC 00 00 02; controller 16" << true;
        QTest::newRow("SendZeroWord(0) answered other than SYN")
            << int(CMD_SERVO_OFF) << 0 << 0 << true << "PC 00 00 02; controller 15" << false;
        QTest::newRow("SendZeroWord(1): abort 00 00 10, no answer awaited")
            << int(CMD_SERVO_ON) << 1 << 0 << false << "PC 00 00 10" << true;
        QTest::newRow("SendWordOrAbort(1, 0x1234): 34 12 10")
            << int(CMD_RUN) << 1 << 0x1234 << false << "PC 34 12 10" << true;
    }
    void wordToController()
    {
        QFETCH(int, code);
        QFETCH(int, abort);
        QFETCH(int, w);
        QFETCH(bool, refuse);
        QFETCH(QString, wire);
        QFETCH(bool, result);
        EmulatorLink link;
        QVERIFY(link.ok());
        link.faults().refuseWord = refuse;
        QCOMPARE(LinkHandshake(std::int16_t(code)), Handshake::Echoed);
        link.emulator().clearTrace();
        QCOMPARE(SendWordOrAbort(std::int16_t(abort), w), result);
        QTRY_COMPARE_WITH_TIMEOUT(link.trace(), wire, 2000);
        // The answer is consumed either way.
        QVERIFY(!RxAvail());
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    // The length word from the controller, played byte by byte on the line.
    void wordFromController_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("blockLen");
        QTest::addColumn<QString>("written");
        QTest::newRow("4C 00 02: 76, SYN") << bytes("4C 00 02") << true << 76 << "16";
        QTest::newRow("00 04 02: 1024") << bytes("00 04 02") << true << 1024 << "16";
        QTest::newRow("FF 7F 02: 32767") << bytes("FF 7F 02") << true << 32767 << "16";
        QTest::newRow("00 80 02: does not fit, reads negative") << bytes("00 80 02") << true << -32768 << "16";
        QTest::newRow("4C 00 03: refused, nothing written") << bytes("4C 00 03") << false << -7 << "";
        QTest::newRow("4C 00 16: refused") << bytes("4C 00 16") << false << -7 << "";
    }
    void wordFromController()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, result);
        QFETCH(int, blockLen);
        QFETCH(QString, written);
        EmulatorLink link;
        QVERIFY(link.ok());
        link.faults().silent = true; // the test plays the controller's part itself
        g_BlockLen = -7;
        link.emulator().sendUnasked(line);
        QCOMPARE(RecvWordAck(), result);
        QCOMPARE(int(g_BlockLen), blockLen);
        link.settlePcBytes(written);
        QCOMPARE(hex(link.emulator().pcBytes()), written);
    }

    // A block from the controller: the PC's answer and what it keeps.
    void blockFromController_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("answer");
        QTest::newRow("good checksum: EOT") << Fault::None << int(BlockRecv::Accepted) << "04";
        QTest::newRow("bad checksum: DLE") << Fault::BadChecksum << int(BlockRecv::Refused) << "10";
        QTest::newRow("bad trailer: failed, nothing written") << Fault::BadTrailer << int(BlockRecv::Failed) << "";
    }
    void blockFromController()
    {
        QFETCH(Fault, fault);
        QFETCH(int, outcome);
        QFETCH(QString, answer);
        EmulatorLink link(3);
        QVERIFY(link.ok());
        link.state().loc[12] = {-100, 1, -16777216};
        play(link, fault);
        QCOMPARE(LinkHandshake(CMD_LOC_RECV), Handshake::Echoed);
        QVERIFY(SendWordAck(12));
        link.emulator().clearTrace();
        std::array<std::uint8_t, 12> got{};
        QCOMPARE(int(recvBlock(12, got.data(), 12)), outcome);
        link.settlePcBytes(answer);
        QCOMPARE(hex(link.emulator().pcBytes()), answer);
        QCOMPARE(int(g_RxChk), fault == Fault::BadChecksum ? 0x68 : 0x67);
        if (outcome == int(BlockRecv::Accepted)) {
            QCOMPARE(decodeValue24(&got[0]), -100);
            QCOMPARE(decodeValue24(&got[4]), 1);
            QCOMPARE(decodeValue24(&got[8]), -16777216);
        }
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void blockToController_data()
    {
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("result");
        QTest::newRow("accepted: EOT") << false << true;
        QTest::newRow("refused: DLE") << true << false;
    }
    void blockToController()
    {
        QFETCH(bool, refuse);
        QFETCH(bool, result);
        EmulatorLink link(2);
        QVERIFY(link.ok());
        link.faults().refuseBlock = refuse;
        QCOMPARE(LinkHandshake(CMD_SFT_TRANS), Handshake::Echoed);
        QVERIFY(SendWordAck(99));
        link.emulator().clearTrace();
        // Data bytes that add up to 256 carry the checksum 0.
        const std::uint8_t data[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x02};
        QCOMPARE(blockChecksum(data, 8), std::uint8_t(0));
        QCOMPARE(sendBlock(data, 8), result);
        QCOMPARE(link.trace(), QStringLiteral("PC 80 40 20 10 08 04 02 02 00 03; controller ") +
                                   (result ? QStringLiteral("04") : QStringLiteral("10")));
        QCOMPARE(link.state().sft[99][0], result ? 0x10204080 : 0);
        QCOMPARE(link.state().sft[99][1], result ? 0x02020408 : 0);
    }

    // A controller that stops answering: the wait for the answer ends after
    // 10 s without a byte, not never.
    void silentControllerEndsByteWaitAfterTenSeconds()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        QCOMPARE(LinkHandshake(CMD_ZR), Handshake::Echoed);
        link.faults().silent = true;
        testsupport::FastClock clock;
        QVERIFY(!SendZeroWord(0));
        QVERIFY(clock.now >= kByteWait);
        QVERIFY(clock.now < kByteWait + 2.0);
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void motionAnswerWaitsSixtySeconds()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        QCOMPARE(LinkHandshake(CMD_RUN), Handshake::Echoed);
        link.faults().silent = true;
        testsupport::FastClock clock(2.0);
        QVERIFY(!SendWordOrAbort(0, 3, kMotionAnswerWait));
        QVERIFY(clock.now >= kMotionAnswerWait);
        QVERIFY(clock.now < kMotionAnswerWait + 5.0);
    }

    // A pulled cable ends the wait at once, on the real clock.
    void droppedLineEndsWaitAtOnce()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        link.faults().dropLineNow = true;
        QElapsedTimer t;
        t.start();
        QVERIFY(LinkHandshake(CMD_SERVO_ON) != Handshake::Echoed);
        QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(link.boxes.texts(), QStringList{kNotConnected});
        QCOMPARE(link.trace(), QStringLiteral("PC 01"));
    }

    // An exchange started from an event that a running exchange's wait
    // serves does nothing and writes nothing.
    void secondExchangeDuringAWaitDoesNothing()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        link.faults().replyDelayMs = 150;
        int secondOwned = -1;
        Handshake secondHandshake = Handshake::Echoed;
        QTimer::singleShot(20, [&] {
            OperatorExchange second;
            secondOwned = second ? 1 : 0;
            // The link refuses it too, should an operation forget its guard.
            secondHandshake = LinkHandshake(CMD_SERVO_OFF);
        });
        {
            OperatorExchange first;
            QVERIFY(first);
            QCOMPARE(LinkHandshake(CMD_SERVO_ON), Handshake::Echoed);
            QVERIFY(SendZeroWord(0));
        }
        QCOMPARE(secondOwned, 0);
        QCOMPARE(secondHandshake, Handshake::NotOwned);
        QCOMPARE(link.trace(),
                 QStringLiteral("PC 01; controller 00; PC 17; controller 17; PC 00 00 02; controller 16"));
        QVERIFY(link.boxes.boxes.isEmpty());
        QVERIFY(!OperatorExchange::running());
    }

    void guardsNestWithinOneOperation()
    {
        OperatorExchange outer;
        QVERIFY(outer);
        {
            OperatorExchange inner;
            QVERIFY(inner);
        }
        QVERIFY(OperatorExchange::running());
        QVERIFY(OperatorExchange::mayUseLink());
    }

    // A refused block tells the operator once, when the transfer ends; a run
    // over several items tells once for all of them.
    void transferReport_data()
    {
        QTest::addColumn<bool>("withReport");
        QTest::addColumn<int>("items");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("one refused item: one box") << true << 1 << QStringList{kLinkError0};
        QTest::newRow("three refused items: one box") << true << 3 << QStringList{kLinkError0};
        QTest::newRow("no report (status read): no box") << false << 2 << QStringList{};
    }
    void transferReport()
    {
        QFETCH(bool, withReport);
        QFETCH(int, items);
        QFETCH(QStringList, boxes);
        EmulatorLink link(2);
        QVERIFY(link.ok());
        link.faults().badChecksum = true;
        {
            std::optional<OperatorExchange> report;
            if (withReport)
                report.emplace();
            for (int p = 0; p < items; ++p) {
                QCOMPARE(LinkHandshake(CMD_LOC_RECV), Handshake::Echoed);
                QVERIFY(SendWordAck(p));
                QCOMPARE(recvBlock(8, g_RxData.data(), kRxDataSize), BlockRecv::Refused);
            }
            QVERIFY(link.boxes.boxes.isEmpty());
        }
        QCOMPARE(link.boxes.texts(), boxes);
        for (const auto& b : link.boxes.boxes) {
            QCOMPARE(b.title, QStringLiteral("ERROR"));
            QCOMPARE(b.buttons, common::MsgButtons::OkCancel);
        }
        QTRY_COMPARE(link.state().blocksRefusedByPc, items);
    }

    void transferReportWithoutFailureShowsNothing()
    {
        EmulatorLink link(2);
        QVERIFY(link.ok());
        {
            const OperatorExchange report;
            QCOMPARE(LinkHandshake(CMD_LOC_RECV), Handshake::Echoed);
            QVERIFY(SendWordAck(1));
            QCOMPARE(recvBlock(8, g_RxData.data(), kRxDataSize), BlockRecv::Accepted);
        }
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void linkErrorBox_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("answer");
        QTest::newRow("0, OK") << 0 << kLinkError0 << int(common::MsgAnswer::Ok);
        QTest::newRow("0, Cancel does what OK does") << 0 << kLinkError0 << int(common::MsgAnswer::Cancel);
        QTest::newRow("1: port closed") << 1 << kPortClosed << int(common::MsgAnswer::Ok);
    }
    void linkErrorBox()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(int, answer);
        InitErrMsgs();
        testsupport::MessageRecorder boxes;
        boxes.answers << common::MsgAnswer(answer);
        ShowLinkError(std::int16_t(code));
        QCOMPARE(boxes.texts(), QStringList{text});
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("ERROR"));
        QCOMPARE(boxes.boxes[0].buttons, common::MsgButtons::OkCancel);
        QCOMPARE(boxes.boxes[0].icon, common::MsgIcon::None);
    }
};

QTEST_MAIN(TestLinkWire)
#include "test_link_wire.moc"
