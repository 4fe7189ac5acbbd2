// The controller emulator that the link and every transfer are tested
// against: it keeps what the PC sends, answers by state, and survives any
// byte on the line.

#include "link/exchange.h"
#include "link/modlib.h"
#include "support/emulink.h"
#include "support/testfiles.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace comm;
using testsupport::bytes;
using testsupport::EmulatorLink;

class TestEmulator : public QObject {
    Q_OBJECT
private slots:
    // A parameter set sent and received again comes back as sent, for each
    // of the five sets and its per-axis length.
    void parameterSetsRoundTrip_data()
    {
        QTest::addColumn<int>("trans");
        QTest::addColumn<int>("length");
        QTest::newRow("system") << int(CMD_SYS_TRANS) << 76;
        QTest::newRow("gain, 3 axes") << int(CMD_GAIN_TRANS) << 3 * 40;
        QTest::newRow("axis, 3 axes") << int(CMD_AXIS_TRANS) << 3 * 44;
        QTest::newRow("S/W, 3 axes") << int(CMD_SW_TRANS) << 3 * 72;
        QTest::newRow("limit, 3 axes") << int(CMD_LMT_TRANS) << 3 * 24;
    }
    void parameterSetsRoundTrip()
    {
        QFETCH(int, trans);
        QFETCH(int, length);
        EmulatorLink link(3);
        QVERIFY(link.ok());
        std::vector<std::uint8_t> block(static_cast<std::size_t>(length));
        for (int i = 0; i < length; ++i)
            block[std::size_t(i)] = std::uint8_t(i * 13 + trans);
        QCOMPARE(LinkHandshake(std::int16_t(trans)), Handshake::Echoed);
        QVERIFY(SendWordAck(length));
        QVERIFY(sendBlock(block.data(), length));
        QCOMPARE(LinkHandshake(std::int16_t(trans - 1)), Handshake::Echoed);
        QVERIFY(RecvWordAck());
        QCOMPARE(int(g_BlockLen), length);
        QCOMPARE(recvBlock(g_BlockLen, g_RxData.data(), kRxDataSize), BlockRecv::Accepted);
        QVERIFY(std::equal(block.begin(), block.end(), g_RxData.begin()));
        QTRY_COMPARE(link.state().completed[std::size_t(trans - 1)], 1);
        QCOMPARE(link.state().completed[std::size_t(trans)], 1);
    }

    void programImageRoundTrip()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        std::array<std::uint8_t, 1026> img{};
        img[0] = 1;
        img[1] = 2;
        for (int i = 2; i < 1026; ++i)
            img[std::size_t(i)] = std::uint8_t(255 - i);
        QCOMPARE(LinkHandshake(CMD_PRG_TRANS), Handshake::Echoed);
        QVERIFY(SendWordAck(30));
        QVERIFY(sendBlock(img.data(), 1026));
        QCOMPARE(link.state().programs[30], img);
        // A program number past 31 is refused.
        QCOMPARE(LinkHandshake(CMD_PRG_RECV), Handshake::Echoed);
        QVERIFY(!SendWordAck(32));
    }

    void setOutputAndConsoleState()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        QCOMPARE(LinkHandshake(CMD_SET_OUTPUT), Handshake::Echoed);
        writeByte(24); // output 31
        writeByte(1);
        QVERIFY(SendZeroWord(0));
        QCOMPARE(link.state().lastOutputNumber, 31);
        QCOMPARE(link.state().lastOutputState, 1);
        QCOMPARE(link.state().outputs, 0x80000000u);
        QVERIFY(LinkHandshake(CMD_SERVO_ON) == Handshake::Echoed && SendZeroWord(0));
        QCOMPARE(link.state().outputs, 0x80000004u);
        QVERIFY(LinkHandshake(CMD_RUN) == Handshake::Echoed && SendWordAck(12));
        QCOMPARE(link.state().lastRunProgram, 12);
        writeByte(LINK_DLE);
        writeByte(LINK_CAN);
        writeByte(LINK_CAN);
        QTRY_COMPARE(link.state().runResets, 2);
        QCOMPARE(link.state().stops, 1);
        QCOMPARE(link.state().protocolErrors, 0);
    }

    void connectAnswerAndStrayBytes()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        link.faults().connectAnswer = bytes("00 11");
        writeByte(LINK_ENQ);
        QTRY_COMPARE(link.trace(), QStringLiteral("PC 05; controller 00 11"));
        link.emulator().clearTrace();
        // A stray byte before the answer to SOH: the answer that follows it
        // is then taken as the echo, and the handshake fails without a box.
        link.faults().strayBytes = bytes("EE");
        link.state().sohAnswer = 0x7F;
        QVERIFY(LinkHandshake(CMD_ZR) != Handshake::Echoed);
        QTRY_COMPARE(link.trace(), QStringLiteral("PC 01; controller EE 7F; PC 16; controller 16"));
        QVERIFY(link.boxes.boxes.isEmpty());
        QVERIFY(link.faults().strayBytes.isEmpty()); // sent once
    }

    // Replies held back keep their order.
    void delayedRepliesKeepOrder()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        link.faults().replyDelayMs = 30;
        QElapsedTimer t;
        t.start();
        QCOMPARE(LinkHandshake(CMD_SERVO_OFF), Handshake::Echoed);
        QVERIFY(SendZeroWord(0));
        QVERIFY(t.elapsed() >= 90);
        QCOMPARE(link.trace(),
                 QStringLiteral("PC 01; controller 00; PC 18; controller 18; PC 00 00 02; controller 16"));
    }

    // An exchange the PC left half-way is given up, and the next SOH starts
    // a new one instead of being read as the missing word.
    void abandonedExchangeTimesOut()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        link.emulator().setExchangeTimeoutMs(30);
        QCOMPARE(LinkHandshake(CMD_LOC_TRANS), Handshake::Echoed);
        QVERIFY(link.emulator().inExchange());
        QTest::qWait(60);
        QCOMPARE(LinkHandshake(CMD_DISCONNECT), Handshake::Echoed);
        QCOMPARE(link.state().protocolErrors, 1);
        QCOMPARE(link.state().completed[CMD_DISCONNECT], 1);
    }

    // Noise on the line: the emulator never fails, and once the noise ends
    // the next exchange goes through.
    void survivesAnyBytes()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        QRandomGenerator rng(20240611);
        for (int i = 0; i < 20000; ++i) {
            writeByte(std::uint8_t(rng.bounded(256)));
            if (i % 64 == 0) {
                link.emulator().sendUnasked(QByteArray(1, char(rng.bounded(256))));
                QTest::qWait(1);
                clearRxRing();
            }
        }
        QVERIFY(link.waitForPcBytes(20000, 5000));
        QTest::qWait(50);
        link.emulator().resetExchange();
        QCOMPARE(LinkHandshake(CMD_DISCONNECT), Handshake::Echoed);
        QVERIFY(link.state().protocolErrors > 0);
    }
};

QTEST_MAIN(TestEmulator)
#include "test_emulator.moc"
