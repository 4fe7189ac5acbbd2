// The soak's clock jumps past a wait only while nothing is on its way between
// the PC and the emulator. A byte in the device or still held back by the
// emulator keeps it standing; a byte the PC dropped with a clear of its input
// (as every handshake does) must not, or the next silent controller would
// never time out.

#include "soakclock.h"

#include "link/controlbytes.h"
#include "link/modlib.h"
#include "link/serialportcontrol.h"
#include "support/emulink.h"
#include "support/operatortexts.h"

#include <QtTest>

#include <functional>

using testsupport::EmulatorLink;

namespace {
using LineStep = std::function<void(EmulatorLink&)>;

// The record of an Error Check, come after the PC gave up on the exchange.
const QByteArray kLateRecord = QByteArray::fromHex("5A 00 03 00 A3 03");
} // namespace

Q_DECLARE_METATYPE(LineStep)

class TestSoakClock : public QObject {
    Q_OBJECT
private slots:
    void quietOnlyWhenNothingIsOnItsWay_data()
    {
        QTest::addColumn<LineStep>("step");
        QTest::addColumn<bool>("quiet");
        QTest::newRow("nothing sent") << LineStep([](EmulatorLink&) {}) << true;
        QTest::newRow("PC byte not yet read by the emulator")
            << LineStep([](EmulatorLink&) { comm::writeByte(comm::LINK_DLE); }) << false;
        QTest::newRow("bytes waiting in the device")
            << LineStep([](EmulatorLink& l) { l.emulator().sendUnasked(kLateRecord); }) << false;
        QTest::newRow("bytes taken into the ring") << LineStep([](EmulatorLink& l) {
            l.emulator().sendUnasked(kLateRecord);
            (void)QTest::qWaitFor([] { return comm::SerialPortControl::MSComm1().bytesRead() == 6; });
        }) << true;
        QTest::newRow("bytes dropped by a clear of the input") << LineStep([](EmulatorLink& l) {
            l.emulator().sendUnasked(kLateRecord);
            comm::clearRxRing();
        }) << true;
        QTest::newRow("answer delayed, not yet sent") << LineStep([](EmulatorLink& l) {
            l.faults().replyDelayMs = 60000;
            comm::writeByte(comm::LINK_ENQ);
            l.waitForPcBytes(1);
        }) << false;
    }
    void quietOnlyWhenNothingIsOnItsWay()
    {
        QFETCH(LineStep, step);
        QFETCH(bool, quiet);
        EmulatorLink link;
        QVERIFY(link.ok());
        SoakClock clock(link);
        step(link);
        QCOMPARE(clock.quiet(), quiet);
    }

    // Late bytes dropped by the handshake's clear, then no answer: the wait
    // for the answer to LINK_SOH ends with one jump.
    void silentControllerTimesOutAfterDroppedBytes()
    {
        EmulatorLink link;
        QVERIFY(link.ok());
        SoakClock clock(link);
        link.emulator().sendUnasked(kLateRecord);
        link.faults().silent = true;
        Watchdog watchdog;
        watchdog.arm(10000);
        clock.startTransfer();
        QCOMPARE(comm::LinkHandshake(comm::CMD_READ_INPUTS), comm::Handshake::TimedOut);
        watchdog.disarm();
        QCOMPARE(clock.jumps(), 1);
        QCOMPARE(link.boxes.texts(), QStringList{testsupport::texts::kNotConnected});
    }
};

QTEST_MAIN(TestSoakClock)
#include "test_soak_clock.moc"
