// The parameter exchanges without a window, against the controller
// emulator: which announced lengths are taken, a refused or failed receive
// leaving g_RxData alone, and a transmit sending the values as they stand.

#include "link/exchange.h"
#include "link/moddef.h"
#include "link/operatorexchange.h"
#include "params/parablock.h"
#include "params/paraexchange.h"
#include "params/paraset.h"
#include "support/emulink.h"
#include "support/operatortexts.h"
#include "support/testfiles.h"

#include <QtTest>

using testsupport::EmulatorLink;

namespace {

using testsupport::hex;
using testsupport::texts::kLinkError0;
} // namespace

class TestParaService : public QObject {
    Q_OBJECT
private slots:
    void announcedLengths_data()
    {
        QTest::addColumn<int>("announced");
        QTest::addColumn<int>("rule");
        // The gain set for 2 axes is 80 bytes.
        QTest::newRow("0 bytes: refused whole") << 0 << int(params::AnnouncedLength::RefuseWhole);
        QTest::newRow("one byte short: refused whole") << 79 << int(params::AnnouncedLength::RefuseWhole);
        QTest::newRow("the set's own length: taken") << 80 << int(params::AnnouncedLength::Take);
        QTest::newRow("longer: taken") << 160 << int(params::AnnouncedLength::Take);
        QTest::newRow("beyond g_RxData: taken, refused by its size") << 1200 << int(params::AnnouncedLength::Take);
    }
    void announcedLengths()
    {
        QFETCH(int, announced);
        QFETCH(int, rule);
        comm::g_AxisCount = 2;
        QCOMPARE(int(params::announcedLengthRule(params::kGainSet, announced)), rule);
    }

    // Blocks the PC refuses: every byte and the trailer are taken, 10 is
    // answered, g_RxData is left alone and the running report has it.
    void refusedBlocks_data()
    {
        QTest::addColumn<bool>("badChecksum");
        QTest::addColumn<int>("announced"); // 0: the block's own length
        QTest::addColumn<QString>("wireStart");
        QTest::newRow("wrong checksum") << true << 0 << "controller 09 50 00 02";
        QTest::newRow("shorter than the set") << false << 40 << "controller 09 28 00 02";
        QTest::newRow("longer than the buffer") << false << 1200 << "controller 09 B0 04 02";
    }
    void refusedBlocks()
    {
        QFETCH(bool, badChecksum);
        QFETCH(int, announced);
        QFETCH(QString, wireStart);
        EmulatorLink link(2);
        QVERIFY(link.ok());
        link.state().gainBlock = QByteArray(80, '\x05');
        link.faults().badChecksum = badChecksum;
        if (announced)
            link.faults().announcedLength = announced;
        // As a real line trickles them: a block longer than the ring arrives
        // while the PC takes its bytes.
        link.emulator().setPacing(64, 2);
        comm::g_RxData.fill(0xAA);
        {
            const comm::OperatorExchange report;
            QVERIFY(!params::receiveParaBlock(params::kGainSet));
            QVERIFY(comm::OperatorExchange::failureNoted());
            QVERIFY(link.boxes.boxes.isEmpty());
        }
        QVERIFY(link.trace().contains(wireStart));
        QTRY_VERIFY2(link.trace().endsWith(QStringLiteral("; PC 10")), qPrintable(link.trace().right(200)));
        QCOMPARE(link.state().blocksRefusedByPc, 1);
        QCOMPARE(link.boxes.texts(), QStringList{kLinkError0});
        if (!badChecksum && announced < 80)
            QVERIFY(
                std::all_of(comm::g_RxData.begin(), comm::g_RxData.end(), [](std::uint8_t b) { return b == 0xAA; }));
    }

    void longerBlockWithinTheBufferIsTaken()
    {
        EmulatorLink link(2);
        QVERIFY(link.ok());
        QByteArray sent(48, '\0');
        sent[20] = 1;
        sent[44] = 1;
        link.state().lmtBlock = sent;
        link.faults().announcedLength = 60;
        QVERIFY(params::receiveParaBlock(params::kLmtSet));
        QTRY_VERIFY(link.trace().endsWith(QStringLiteral("; PC 04")));
        QCOMPARE(hex(comm::g_RxData.data(), 60), hex(sent + QByteArray(12, '\0')));
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void failedSteps_data()
    {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("boxes");
        const QStringList code0{kLinkError0};
        QTest::newRow("receive, wrong echo") << true << "wrongEcho" << code0;
        QTest::newRow("receive, bad trailer") << true << "badTrailer" << code0;
        QTest::newRow("transmit, wrong echo") << false << "wrongEcho" << code0;
        QTest::newRow("transmit, length word refused") << false << "refuseWord" << code0;
        QTest::newRow("transmit, block refused") << false << "refuseBlock" << code0;
    }
    void failedSteps()
    {
        QFETCH(bool, receive);
        QFETCH(QString, fault);
        QFETCH(QStringList, boxes);
        EmulatorLink link(2);
        QVERIFY(link.ok());
        link.faults().wrongEcho = fault == u"wrongEcho";
        link.faults().badTrailer = fault == u"badTrailer";
        link.faults().refuseWord = fault == u"refuseWord";
        link.faults().refuseBlock = fault == u"refuseBlock";
        if (receive)
            QVERIFY(!params::receiveParaBlock(params::kSwSet));
        else
            params::transmitParaBlock(params::kSwSet, 2);
        QCOMPARE(link.boxes.texts(), boxes);
    }

    // The block goes with the values as they stand when the length word has
    // been answered.
    void transmitTakesTheValuesWhenTheBlockGoes()
    {
        EmulatorLink link(2);
        QVERIFY(link.ok());
        comm::g_AxisCount = 2;
        for (auto& axis : params::g_LmtPara)
            axis.fill(0);
        link.faults().replyDelayMs = 100;
        QTimer::singleShot(20, [] { params::g_LmtPara[1][0] = 7; });
        params::transmitParaBlock(params::kLmtSet, 2);
        QTRY_VERIFY(link.trace().endsWith(QStringLiteral("controller 04")));
        QCOMPARE(hex(link.state().lmtBlock.mid(24, 4)), QStringLiteral("07 00 00 00"));
        QVERIFY(link.boxes.boxes.isEmpty());
    }
};

QTEST_MAIN(TestParaService)
#include "test_paraservice.moc"
