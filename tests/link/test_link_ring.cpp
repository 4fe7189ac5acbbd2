// The receive ring that the port's notification fills: wrapping, the empty
// ring, a full ring, and blocks longer than the buffer they are read into.

#include "link/exchange.h"
#include "link/modlib.h"
#include "link/serialportcontrol.h"
#include "support/emulink.h"
#include "support/testfiles.h"

#include <QtTest>

using namespace comm;
using testsupport::EmulatorLink;

namespace {
using testsupport::bytes;
using testsupport::hex;

int ringCount()
{
    return (g_RxHead - g_RxTail + kRingSlots) % kRingSlots;
}
} // namespace

class TestLinkRing : public QObject {
    Q_OBJECT
private slots:
    void ringWrapsFrom1049To0()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        g_RxRing[kRingSlots] = 0x5A; // slot 1050 is never used
        g_RxHead = g_RxTail = 1048;
        link.emulator().sendUnasked(bytes("AA BB CC"));
        QTRY_COMPARE(ringCount(), 3);
        QCOMPARE(int(g_RxHead), 1);
        QCOMPARE(g_RxRing[1048], std::uint8_t(0xAA));
        QCOMPARE(g_RxRing[1049], std::uint8_t(0xBB));
        QCOMPARE(g_RxRing[0], std::uint8_t(0xCC));
        QCOMPARE(g_RxRing[kRingSlots], std::uint8_t(0x5A));
        QCOMPARE(int(RxGetByte()), 0xAA);
        QCOMPARE(int(RxGetByte()), 0xBB);
        QCOMPARE(int(g_RxTail), 0);
        QCOMPARE(int(RxGetByte()), 0xCC);
        QCOMPARE(int(g_RxTail), 1);
        QVERIFY(!RxAvail());
    }

    void emptyRingGivesZeroAndKeepsIndices()
    {
        g_RxHead = g_RxTail = 17;
        QVERIFY(!RxAvail());
        QCOMPARE(int(RxGetByte()), 0);
        QCOMPARE(int(g_RxHead), 17);
        QCOMPARE(int(g_RxTail), 17);
        g_RxHead = g_RxTail = 0;
    }

    // Element 0 of the last read is the last byte moved into the ring; a
    // notification with nothing waiting still tells that it ran.
    void notificationSetsEventAndLastByte()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        link.emulator().sendUnasked(bytes("10 20 11"));
        QTRY_COMPARE(ringCount(), 3);
        QVERIFY(g_RxEvent);
        QCOMPARE(hex(g_InBytes), QStringLiteral("11"));
        g_RxEvent = false;
        MSComm1_OnComm();
        QVERIFY(g_RxEvent);
        QCOMPARE(ringCount(), 3);
    }

    // More unread bytes than the ring holds: the receive in progress fails,
    // even where the bytes it needs came before the lost ones, and the PC
    // answers nothing. The next handshake starts clean.
    void fullRingFailsTheReceive()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        QByteArray flood = bytes("05 00 00 80 7B 03");
        flood.append(QByteArray(1100, '\x55'));
        link.emulator().sendUnasked(flood);
        QTRY_VERIFY(rxOverflow);
        QCOMPARE(ringCount(), kRingSlots - 1);
        std::array<std::uint8_t, 4> b{};
        QCOMPARE(recvBlock(4, b.data(), 4), BlockRecv::Failed);
        link.settlePcBytes(QString());
        QCOMPARE(hex(link.emulator().pcBytes()), QString());
        QCOMPARE(LinkHandshake(CMD_DISCONNECT), Handshake::Echoed);
        QVERIFY(!rxOverflow);
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    // An announced length past what the buffer holds: every byte and the
    // trailer are taken so the link stays in step, at most the buffer is
    // filled, and the block is refused. The line trickles the bytes as a
    // serial line does.
    void blockLongerThanBufferIsTakenWholeAndRefused_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("capacity");
        QTest::newRow("1100 bytes into the 1051 of g_RxData") << 1100 << kRxDataSize;
        QTest::newRow("80 bytes where the set needs 76") << 80 << 76;
    }
    void blockLongerThanBufferIsTakenWholeAndRefused()
    {
        QFETCH(int, length);
        QFETCH(int, capacity);
        EmulatorLink link;
        QVERIFY(link.ok());
        link.emulator().setPacing(64, 2);
        link.faults().announcedLength = length;
        for (int i = 0; i < 76; ++i)
            link.state().sysBlock[i] = char(0xA0 + (i % 16));
        std::vector<std::uint8_t> guardZone(std::size_t(capacity) + 64, 0xEE);
        QCOMPARE(LinkHandshake(CMD_SYS_RECV), Handshake::Echoed);
        QVERIFY(RecvWordAck());
        QCOMPARE(int(g_BlockLen), length);
        QCOMPARE(recvBlock(g_BlockLen, guardZone.data(), capacity), BlockRecv::Refused);
        QTRY_COMPARE(link.state().blocksRefusedByPc, 1);
        QVERIFY(!RxAvail());
        QCOMPARE(guardZone[75], std::uint8_t(0xA0 + 11));
        QCOMPARE(guardZone[std::size_t(capacity) - 1], std::uint8_t(capacity > 76 ? 0 : 0xA0 + 11));
        QCOMPARE(guardZone[std::size_t(capacity)], std::uint8_t(0xEE));
        QVERIFY(link.trace().endsWith(QStringLiteral("03; PC 10")));
        // In step: the next exchange goes through.
        QCOMPARE(LinkHandshake(CMD_DISCONNECT), Handshake::Echoed);
        QCOMPARE(link.state().protocolErrors, 0);
    }

    // The largest block there is, the 1028 bytes of a program image and its
    // trailer, arriving at once: it fits the ring.
    void programImageArrivingAtOnceFits()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        for (int i = 0; i < 1026; ++i)
            link.state().programs[31][std::size_t(i)] = std::uint8_t(i * 7);
        QCOMPARE(LinkHandshake(CMD_PRG_RECV), Handshake::Echoed);
        g_BlockLen = 1026;
        QVERIFY(SendWordAck(31));
        QCOMPARE(recvBlock(g_BlockLen, g_RxData.data(), kRxDataSize), BlockRecv::Accepted);
        QVERIFY(std::equal(g_RxData.begin(), g_RxData.begin() + 1026, link.state().programs[31].begin()));
        QVERIFY(!rxOverflow);
        QTRY_COMPARE(link.state().blocksAcceptedByPc, 1);
    }
};

QTEST_MAIN(TestLinkRing)
#include "test_link_ring.moc"
