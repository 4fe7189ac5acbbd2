// Points on the line against the controller emulator: the exact bytes of one
// point each way, runs over a range and a whole table with a failure in the
// middle, the progress each run shows, and the calls that must not touch the
// line at all.

#include "points/pointexchange.h"
#include "points/pointtables.h"

#include "common/events.h"
#include "link/exchange.h"
#include "link/moddef.h"
#include "link/operatorexchange.h"
#include "support/emulink.h"
#include "support/operatortexts.h"
#include "support/testfiles.h"

#include <QtTest>

#include <functional>
#include <optional>

using points::LocPoint;
using points::Table;
using testsupport::EmulatorLink;

Q_DECLARE_METATYPE(points::Table)

namespace {

using testsupport::hex;
using testsupport::texts::kLinkError0;
using testsupport::texts::kNotConnected;

using Values = std::array<std::int32_t, 4>;

// The progress a run shows, as "max n" and values; a hook runs on every value
// (the value before each point of a run), where a test changes the line.
struct ProgressRecorder : points::Progress {
    QStringList steps;
    std::function<void(int)> onValue;
    void setMaximum(int max) override { steps << QStringLiteral("max %1").arg(max); }
    void setValue(int value) override
    {
        steps << QString::number(value);
        if (onValue)
            onValue(value);
    }
};

QStringList counting(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}

void clearTables()
{
    for (auto& p : points::g_LocData)
        p = {};
    for (auto& p : points::g_SftData)
        p = {};
}

} // namespace

class TestPointExchange : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        clearTables();
        points::g_TransLocNo = 0;
        points::g_RcvLocNo = 0;
    }

    void blockBytes_data()
    {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<int>("axes");
        QTest::addColumn<QString>("bytes");
        QTest::newRow("4 axes") << QList<int>{1250, -300, 0, 5} << 4
                                << "E2 04 00 00 D4 FE FF FF 00 00 00 00 05 00 00 00";
        QTest::newRow("-256 and -1") << QList<int>{-256, -1, 9, 9} << 2 << "00 FF FF FF FF FF FF FF";
        QTest::newRow("full 32 bits go out")
            << QList<int>{std::numeric_limits<std::int32_t>::min(), 0, 0, 0} << 1 << "00 00 00 80";
    }
    void blockBytes()
    {
        QFETCH(QList<int>, values);
        QFETCH(int, axes);
        QFETCH(QString, bytes);
        const LocPoint p{{values[0], values[1], values[2], values[3]}};
        QCOMPARE(hex(points::pointBlock(p, axes).data(), axes * 4), bytes);
    }

    void receivedValues_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("value");
        QTest::newRow("00 00 80 FF") << QByteArray::fromHex("000080FF") << -8388608;
        QTest::newRow("00 00 00 01: bits of b3 but bit 7 do not count") << QByteArray::fromHex("00000001") << 0;
        QTest::newRow("FF FF FF 7F") << QByteArray::fromHex("FFFFFF7F") << 16777215;
        QTest::newRow("FF FF FF 80") << QByteArray::fromHex("FFFFFF80") << -1;
    }
    void receivedValues()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, value);
        LocPoint p{{11, 22, 33, 44}};
        points::decodePointBlock(reinterpret_cast<const std::uint8_t*>(bytes.constData()), 1, p);
        QCOMPARE(p.ax, (Values{value, 22, 33, 44}));
    }

    void onePointOnTheWire_data()
    {
        QTest::addColumn<Table>("table");
        QTest::addColumn<bool>("send");
        QTest::addColumn<int>("axes");
        QTest::addColumn<int>("point");
        QTest::addColumn<QList<int>>("values_");
        QTest::addColumn<QString>("wire");
        const QList<int> p7{1250, -300, 0, 5};
        QTest::newRow("P007 sent, 4 axes") << Table::Loc << true << 4 << 7 << p7
                                           << "PC 01; controller 00; PC 04; controller 04; PC 07 00 02; controller 16; "
                                              "PC E2 04 00 00 D4 FE FF FF 00 00 00 00 05 00 00 00 45 03; controller 04";
        QTest::newRow("P007 received, 4 axes")
            << Table::Loc << false << 4 << 7 << p7
            << "PC 01; controller 00; PC 03; controller 03; PC 07 00 02; "
               "controller 16 E2 04 00 00 D4 FE FF FF 00 00 00 00 05 00 00 00 45 03; PC 04";
        QTest::newRow("P515 sent, 2 axes") << Table::Loc << true << 2 << 515 << p7
                                           << "PC 01; controller 00; PC 04; controller 04; PC 03 02 02; controller 16; "
                                              "PC E2 04 00 00 D4 FE FF FF 4A 03; controller 04";
        QTest::newRow("S05 sent, 2 axes, holding -1 and 300")
            << Table::Sft << true << 2 << 5 << QList<int>{-1, 300, 0, 0}
            << "PC 01; controller 00; PC 06; controller 06; PC 05 00 02; controller 16; "
               "PC FF FF FF FF 2C 01 00 00 D7 03; controller 04";
        QTest::newRow("S05 received, 2 axes") << Table::Sft << false << 2 << 5 << p7
                                              << "PC 01; controller 00; PC 05; controller 05; PC 05 00 02; "
                                                 "controller 16 E2 04 00 00 D4 FE FF FF 4A 03; PC 04";
    }
    void onePointOnTheWire()
    {
        QFETCH(Table, table);
        QFETCH(bool, send);
        QFETCH(int, axes);
        QFETCH(int, point);
        QFETCH(QList<int>, values_);
        QFETCH(QString, wire);
        EmulatorLink link(axes);
        QVERIFY(link.ok());
        const Values values{values_[0], values_[1], values_[2], values_[3]};
        const Values old{91, 92, 93, 94};
        auto& controller =
            table == Table::Loc ? link.state().loc[std::size_t(point)] : link.state().sft[std::size_t(point)];
        LocPoint& pc = points::entries(table)[std::size_t(point)];
        if (send) {
            pc.ax = values;
            controller = old;
            points::g_TransLocNo = std::int16_t(point);
            points::sendPoints(table, 0, 0, 0, nullptr);
        } else {
            controller = values;
            pc.ax = old;
            points::g_RcvLocNo = std::int16_t(point);
            QVERIFY(points::recvPoints(table, 0, 0, 0, nullptr));
        }
        QTRY_COMPARE_WITH_TIMEOUT(link.trace(), wire, 2000);
        QVERIFY(link.boxes.boxes.isEmpty());
        QCOMPARE(int(comm::g_BlockLen), axes * 4);
        // Only the first g_AxisCount values travel; the others keep theirs.
        Values expected = values;
        for (int a = axes; a < 4; ++a)
            expected[std::size_t(a)] = old[std::size_t(a)];
        QCOMPARE(send ? controller : pc.ax, expected);
    }

    void singlePointProgress_data()
    {
        QTest::addColumn<bool>("send");
        QTest::addColumn<int>("axes");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("send, 2 axes: 0, then each byte written")
            << true << 2 << QStringList{"0", "max 8"} + counting(0, 7);
        QTest::newRow("receive, 4 axes: each byte taken, then back to 0")
            << false << 4 << QStringList{"0", "max 16"} + counting(1, 16) + QStringList{"0"};
    }
    void singlePointProgress()
    {
        QFETCH(bool, send);
        QFETCH(int, axes);
        QFETCH(QStringList, steps);
        EmulatorLink link(axes);
        QVERIFY(link.ok());
        ProgressRecorder bar;
        points::g_TransLocNo = 3;
        points::g_RcvLocNo = 3;
        if (send)
            points::SendLocData(0, 0, 0, &bar);
        else
            points::RecvLocData(0, 0, 0, &bar);
        QCOMPARE(bar.steps, steps);
    }

    void singleSendWithFailedHandshake()
    {
        EmulatorLink link(4);
        QVERIFY(link.ok());
        link.faults().wrongEcho = true;
        ProgressRecorder bar;
        points::g_TransLocNo = 9;
        points::SendSftData(0, &bar);
        link.settleTrace(QStringLiteral("PC 01; controller 00; PC 06; controller 07"));
        QCOMPARE(link.trace(), QStringLiteral("PC 01; controller 00; PC 06; controller 07")); // no point number
        QCOMPARE(link.boxes.texts(), QStringList{kLinkError0});
        QCOMPARE(link.boxes.boxes[0].title, QStringLiteral("ERROR"));
        QCOMPARE(bar.steps, QStringList{"0"}); // the maximum is not changed
    }

    void singleReceiveWithWrongChecksumIsToldOnce()
    {
        EmulatorLink link(2);
        QVERIFY(link.ok());
        link.faults().badChecksum = true;
        link.state().sft[4] = {100, 200, 300, 400};
        points::g_SftData[4].ax = {1, 2, 3, 4};
        points::g_RcvLocNo = 4;
        QVERIFY(!points::RecvSftData(2)); // mode 2 of the shift table is the single point
        QTRY_COMPARE(link.state().blocksRefusedByPc, 1);
        QVERIFY(link.trace().endsWith(QLatin1String("PC 10")));
        QCOMPARE(points::g_SftData[4].ax, (Values{1, 2, 3, 4}));
        QCOMPARE(link.boxes.texts(), QStringList{kLinkError0});
    }

    void rangeSendStopsAtARefusedNumber()
    {
        EmulatorLink link(4);
        QVERIFY(link.ok());
        for (int p = 5; p <= 9; ++p)
            points::g_LocData[std::size_t(p)].ax = {p, p, p, p};
        ProgressRecorder bar;
        bar.onValue = [&](int v) { link.faults().refuseWord = v == 2; }; // point 7 is the third
        points::SendLocData(1, 5, 9, &bar);
        QCOMPARE(bar.steps, (QStringList{"0", "max 5", "0", "1", "2"}));
        QCOMPARE(link.state().loc[5], (Values{5, 5, 5, 5}));
        QCOMPARE(link.state().loc[6], (Values{6, 6, 6, 6}));
        for (int p = 7; p <= 9; ++p)
            QCOMPARE(link.state().loc[std::size_t(p)], (Values{}));
        QCOMPARE(link.state().completed[comm::CMD_LOC_TRANS], 2);
        QCOMPARE(link.boxes.texts(), QStringList{kLinkError0});
    }

    void rangeReceiveGoesOnAfterAWrongChecksum()
    {
        EmulatorLink link(4);
        QVERIFY(link.ok());
        for (int p = 5; p <= 9; ++p)
            link.state().loc[std::size_t(p)] = {p * 10, -p, 0, 1};
        points::g_LocData[7].ax = {77, 77, 77, 77};
        ProgressRecorder bar;
        bar.onValue = [&](int v) { link.faults().badChecksum = v == 2; };
        QVERIFY(points::RecvLocData(1, 5, 9, &bar));
        QCOMPARE(bar.steps, (QStringList{"0", "max 5"} + counting(0, 4) + QStringList{"0"}));
        QCOMPARE(points::g_LocData[7].ax, (Values{77, 77, 77, 77}));
        for (int p : {5, 6, 8, 9})
            QCOMPARE(points::g_LocData[std::size_t(p)].ax, (Values{p * 10, -p, 0, 1}));
        QCOMPARE(int(points::g_RcvLocNo), 9);
        QCOMPARE(link.state().blocksRefusedByPc, 1);
        QCOMPARE(link.boxes.texts(), QStringList{kLinkError0}); // once, at the end
    }

    // The axis count may change while a run goes on (the system window's
    // AXES row, a File Open): every point of the run is decoded with the
    // count its blocks were received for.
    void rangeReceiveKeepsItsAxisCount_data()
    {
        QTest::addColumn<int>("axes");
        QTest::addColumn<int>("changedTo");
        QTest::newRow("2 axes, then 4") << 2 << 4;
        QTest::newRow("4 axes, then 2") << 4 << 2;
        QTest::newRow("3 axes, then 1") << 3 << 1;
    }
    void rangeReceiveKeepsItsAxisCount()
    {
        QFETCH(int, axes);
        QFETCH(int, changedTo);
        EmulatorLink link(axes);
        QVERIFY(link.ok());
        for (int p = 0; p <= 9; ++p)
            link.state().loc[std::size_t(p)] = {p * 10, -p, p + 100, p + 200};
        for (auto& p : points::g_LocData)
            p.ax = {-7, -7, -7, -7};
        ProgressRecorder bar;
        bar.onValue = [&](int v) {
            if (v == 3)
                comm::g_AxisCount = std::int16_t(changedTo);
        };
        QVERIFY(points::RecvLocData(1, 0, 9, &bar));
        comm::g_AxisCount = std::int16_t(axes);
        QVERIFY(link.boxes.texts().isEmpty());
        for (int p = 0; p <= 9; ++p) {
            Values want{-7, -7, -7, -7};
            const Values sent{p * 10, -p, p + 100, p + 200};
            for (int a = 0; a < axes; ++a)
                want[std::size_t(a)] = sent[std::size_t(a)];
            QCOMPARE(points::g_LocData[std::size_t(p)].ax, want);
        }
    }

    void oneRangePointIsOnePointWithMaximumOne()
    {
        EmulatorLink link(3);
        QVERIFY(link.ok());
        points::g_LocData[5].ax = {1, 2, 3, 4};
        ProgressRecorder bar;
        points::SendLocData(1, 5, 5, &bar);
        QCOMPARE(bar.steps, (QStringList{"0", "max 1", "0"}));
        QCOMPARE(link.state().completed[comm::CMD_LOC_TRANS], 1);
        QCOMPARE(link.state().loc[5], (Values{1, 2, 3, 0}));
    }

    void wholeTableReceiveTimesOutAtPoint500()
    {
        EmulatorLink link(2);
        QVERIFY(link.ok());
        for (int p = 0; p < 1000; ++p)
            link.state().loc[std::size_t(p)] = {p, -p, 0, 0};
        for (auto& p : points::g_LocData)
            p.ax = {-7, -7, -7, -7};
        ProgressRecorder bar;
        std::optional<testsupport::FastClock> clock; // only the failing wait runs on it
        bar.onValue = [&](int v) {
            if (v == 500) {
                link.faults().silent = true;
                clock.emplace();
            }
        };
        QVERIFY(points::RecvLocData(2, 0, 0, &bar));
        QCOMPARE(link.boxes.texts(), (QStringList{kNotConnected, kLinkError0}));
        for (int p = 0; p < 500; ++p)
            QCOMPARE(points::g_LocData[std::size_t(p)].ax, (Values{p, -p, -7, -7}));
        for (int p = 500; p < 1000; ++p)
            QCOMPARE(points::g_LocData[std::size_t(p)].ax, (Values{-7, -7, -7, -7}));
        QCOMPARE(int(points::g_RcvLocNo), 500);
        QCOMPARE(bar.steps.first(), QStringLiteral("0"));
        QCOMPARE(bar.steps[1], QStringLiteral("max 1000"));
        QCOMPARE(bar.steps.mid(2), counting(0, 500) + QStringList{"0"});
    }

    void wholeTableReceiveWithOneWrongChecksum()
    {
        EmulatorLink link(4);
        QVERIFY(link.ok());
        for (int p = 0; p < 100; ++p)
            link.state().sft[std::size_t(p)] = {p, p, p, p};
        points::g_SftData[10].ax = {-1, -1, -1, -1};
        ProgressRecorder bar;
        bar.onValue = [&](int v) { link.faults().badChecksum = v == 10; };
        QVERIFY(points::RecvSftData(1, &bar));
        QCOMPARE(points::g_SftData[10].ax, (Values{-1, -1, -1, -1}));
        QCOMPARE(points::g_SftData[99].ax, (Values{99, 99, 99, 99}));
        QCOMPARE(int(points::g_RcvLocNo), 99);
        QCOMPARE(bar.steps.last(), QStringLiteral("0"));
        QCOMPARE(link.boxes.texts(), QStringList{kLinkError0});
        // The PC's answer to the last block may still be on its way.
        QTRY_COMPARE(link.state().blocksAcceptedByPc, 99);
        QCOMPARE(link.state().blocksRefusedByPc, 1);
    }

    // A controller fresh from the factory holds a few points of each table
    // with a value on every one of its axes.
    void factoryControllerHoldsTheFirstPoints()
    {
        EmulatorLink link(3, emu::Contents::Sample);
        QVERIFY(link.ok());
        QVERIFY(points::RecvLocData(2, 0, 0));
        QVERIFY(points::RecvSftData(1));
        for (const auto* table : {points::g_LocData.data(), points::g_SftData.data()}) {
            for (int p = 0; p < emu::kSamplePoints; ++p) {
                QCOMPARE(table[p].ax, (emu::samplePoint(p, 3)));
                for (int a = 0; a < 3; ++a)
                    QVERIFY(table[p].ax[std::size_t(a)] != 0);
                QCOMPARE(table[p].ax[3], 0);
            }
            QCOMPARE(table[emu::kSamplePoints].ax, (Values{0, 0, 0, 0}));
        }
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void wholeTableSend()
    {
        EmulatorLink link(4);
        QVERIFY(link.ok());
        for (int p = 0; p < 1000; ++p)
            points::g_LocData[std::size_t(p)].ax = {p, p - 500, -p, 16777215};
        ProgressRecorder bar;
        points::SendLocData(2, 0, 0, &bar);
        QCOMPARE(bar.steps, (QStringList{"0", "max 1000"} + counting(0, 999))); // the window puts it back to 0
        for (int p = 0; p < 1000; ++p)
            QCOMPARE(link.state().loc[std::size_t(p)], (Values{p, p - 500, -p, 16777215}));
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void refusedWithoutAWordOnTheLine_data()
    {
        QTest::addColumn<int>("call");
        QTest::newRow("single send of P1000") << 0;
        QTest::newRow("single receive of S100") << 1;
        QTest::newRow("range 8 to 7") << 2;
        QTest::newRow("range ending past P999") << 3;
        QTest::newRow("no model chosen") << 4;
        QTest::newRow("while another exchange waits") << 5;
    }
    void refusedWithoutAWordOnTheLine()
    {
        QFETCH(int, call);
        EmulatorLink link(4);
        QVERIFY(link.ok());
        ProgressRecorder bar;
        switch (call) {
        case 0:
            points::g_TransLocNo = 1000;
            points::SendLocData(0, 0, 0, &bar);
            break;
        case 1:
            points::g_RcvLocNo = 100;
            QVERIFY(!points::RecvSftData(0, &bar));
            break;
        case 2:
            points::SendLocData(1, 8, 7, &bar);
            break;
        case 3:
            QVERIFY(!points::RecvLocData(1, 990, 1000, &bar));
            break;
        case 4:
            comm::g_AxisCount = 0;
            points::SendLocData(2, 0, 0, &bar);
            break;
        case 5: {
            // An exchange is running; its wait serves the event that calls.
            const comm::OperatorExchange running;
            const common::EventServeScope served;
            points::SendSftData(1, &bar);
            QVERIFY(!points::RecvLocData(2, 0, 0, &bar));
            break;
        }
        }
        link.settleTrace(QString());
        QCOMPARE(link.trace(), QString());
        QVERIFY(bar.steps.isEmpty());
        QVERIFY(link.boxes.boxes.isEmpty());
    }
};

QTEST_MAIN(TestPointExchange)
#include "test_pointexchange.moc"
