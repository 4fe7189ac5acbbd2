// Values inside blocks (two's complement low byte first going out, 24 bits
// and a sign coming in), checksums, and the status read that stores the
// input and output masks.

#include "link/exchange.h"
#include "link/modlib.h"
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
} // namespace

class TestLinkValues : public QObject {
    Q_OBJECT
private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("value");
        QTest::newRow("00 00 00 80: lowest") << bytes("00 00 00 80") << -16777216;
        QTest::newRow("FF FF FF 7F: highest, bits of b3 but 7 ignored") << bytes("FF FF FF 7F") << 16777215;
        QTest::newRow("9C FF FF FF: -100") << bytes("9C FF FF FF") << -100;
        QTest::newRow("01 00 00 7F: 1") << bytes("01 00 00 7F") << 1;
        QTest::newRow("E2 04 00 00: 1250") << bytes("E2 04 00 00") << 1250;
        QTest::newRow("FF FF FF 80: -1") << bytes("FF FF FF 80") << -1;
        QTest::newRow("00 00 00 00: 0") << bytes("00 00 00 00") << 0;
    }
    void decode()
    {
        QFETCH(QByteArray, b);
        QFETCH(int, value);
        QCOMPARE(decodeValue24(reinterpret_cast<const std::uint8_t*>(b.constData())), value);
    }

    void encode_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("wire");
        QTest::newRow("-16 777 216") << -16777216 << "00 00 00 FF";
        QTest::newRow("16 777 215") << 16777215 << "FF FF FF 00";
        QTest::newRow("-100") << -100 << "9C FF FF FF";
        QTest::newRow("1250") << 1250 << "E2 04 00 00";
        QTest::newRow("int32 max") << 2147483647 << "FF FF FF 7F";
        QTest::newRow("int32 min") << int(-2147483647 - 1) << "00 00 00 80";
    }
    void encode()
    {
        QFETCH(int, value);
        QFETCH(QString, wire);
        const auto e = encodeValue32(value);
        QCOMPARE(hex(QByteArray(reinterpret_cast<const char*>(e.data()), 4)), wire);
    }

    // Every value of the received range survives a send and a receive.
    void rangeSurvivesRoundTrip()
    {
        for (std::int32_t v : {-16777216, -16777215, -65536, -256, -1, 0, 1, 255, 256, 65535, 65536, 16777215}) {
            const auto e = encodeValue32(v);
            QCOMPARE(decodeValue24(e.data()), v);
        }
    }

    void checksum_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("chk");
        QTest::newRow("05 00 00 80: 7B") << bytes("05 00 00 80") << 0x7B;
        QTest::newRow("47 00 00 00: B9") << bytes("47 00 00 00") << 0xB9;
        QTest::newRow("sum a multiple of 256: 00") << bytes("FF 01") << 0x00;
        QTest::newRow("no bytes: 00") << QByteArray() << 0x00;
        QTest::newRow("1026 bytes of FF: sum runs mod 256") << QByteArray(1026, '\xFF') << 0x02;
    }
    void checksum()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, chk);
        QCOMPARE(int(blockChecksum(reinterpret_cast<const std::uint8_t*>(data.constData()), int(data.size()))), chk);
    }

    void bytePlaces()
    {
        g_BytePlace = {};
        initBytePlace();
        QCOMPARE(g_BytePlace, (std::array<std::int32_t, 4>{1, 256, 65536, 16777216}));
    }

    // The status read, each outcome: the masks stored, the PC's answer and
    // what the operator sees.
    void statusRead_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("pcWrites");
        QTest::addColumn<int>("lo");
        QTest::addColumn<int>("hi");
        QTest::addColumn<QStringList>("boxes");
        const QStringList none;
        const QStringList linkError{kLinkError0};
        QTest::newRow("inputs FF FF 00 80: 65535 and 32768") << 1 << 0 << true << "01 1B 04" << 65535 << 32768 << none;
        QTest::newRow("outputs (which 2)") << 2 << 0 << true << "01 1C 04" << 65535 << 32768 << none;
        QTest::newRow("outputs (which 0 is outputs too)") << 0 << 0 << true << "01 1C 04" << 65535 << 32768 << none;
        QTest::newRow("bad checksum: DLE, no box, masks kept") << 1 << 1 << false << "01 1B 10" << -1 << -1 << none;
        QTest::newRow("bad trailer: link error box") << 1 << 2 << false << "01 1B" << -1 << -1 << linkError;
        QTest::newRow("wrong echo: link error box") << 1 << 3 << false << "01 1B" << -1 << -1 << linkError;
        QTest::newRow("no answer: time-out box, then link error box")
            << 1 << 4 << false << "01" << -1 << -1 << QStringList{kNotConnected, kLinkError0};
    }
    void statusRead()
    {
        QFETCH(int, which);
        QFETCH(int, fault);
        QFETCH(bool, result);
        QFETCH(QString, pcWrites);
        QFETCH(int, lo);
        QFETCH(int, hi);
        QFETCH(QStringList, boxes);
        EmulatorLink link;
        QVERIFY(link.ok());
        link.state().inputs = link.state().outputs = 0x8000FFFFu;
        link.faults().badChecksum = fault == 1;
        link.faults().badTrailer = fault == 2;
        link.faults().wrongEcho = fault == 3;
        link.faults().silent = fault == 4;
        testsupport::FastClock clock;
        g_InLo = g_InHi = g_OutLo = g_OutHi = -1;
        QCOMPARE(ReadIoStatus(std::int16_t(which)), result);
        link.settlePcBytes(pcWrites);
        QCOMPARE(hex(link.emulator().pcBytes()), pcWrites);
        QCOMPARE(int(which == 1 ? g_InLo : g_OutLo), lo);
        QCOMPARE(int(which == 1 ? g_InHi : g_OutHi), hi);
        QCOMPARE(int(which == 1 ? g_OutLo : g_InLo), -1);
        QCOMPARE(link.boxes.texts(), boxes);
    }
};

QTEST_MAIN(TestLinkValues)
#include "test_link_values.moc"
