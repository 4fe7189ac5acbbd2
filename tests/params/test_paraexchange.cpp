// The parameter blocks on the line against the controller emulator: every
// set sent and received for 2 and 4 axes with its length word and checksum,
// the window refreshed after a good receive, and a failed exchange with the
// boxes the operator then sees (each way of failing is in test_paraservice).

#include "parahelp.h"

#include "support/emulink.h"
#include "support/operatortexts.h"
#include "support/testfiles.h"

#include <QTimer>
#include <QtTest>

using namespace paratest;
using testsupport::EmulatorLink;

namespace {

using testsupport::bytes;
using testsupport::hex;
using testsupport::texts::kLinkError0;
using testsupport::texts::kNotConnected;

QString zeros(int n)
{
    return hex(QByteArray(n, '\0'));
}

// A block of `size` zero bytes with the given "offset=hex bytes" edits.
QByteArray block(int size, const QStringList& edits)
{
    QByteArray b(size, '\0');
    for (const QString& e : edits) {
        const QByteArray v = bytes(e.section(u'=', 1).toLatin1());
        b.replace(e.section(u'=', 0, 0).toInt(), v.size(), v);
    }
    return b;
}

QByteArray* controllerBlock(EmulatorLink& link, int set)
{
    emu::State& s = link.state();
    QByteArray* blocks[] = {&s.sysBlock, &s.gainBlock, &s.axisBlock, &s.swBlock, &s.lmtBlock};
    return blocks[set];
}

// Opens the window as the operator would: the system set from its start-up
// load, the others from their opening with no file (their defaults).
params::ParaForm& openWindow(int set)
{
    if (set == Sys)
        params::LoadSysParaFile();
    params::ParaForm& w = windowOf(set);
    w.Show();
    return w;
}

} // namespace

class TestParaExchange : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { params::InitParaNames(); }

    // The default set of each window sent, as the bytes on the line.
    void transmitDefaults_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("axes");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("axisBytes"); // one axis' data (the system set: all of it)
        QTest::addColumn<QString>("checksum");
        const QString sys4 = "02 00 00 00 " + zeros(4) + " 01 00 00 00 01 00 00 00 01 00 00 00 " + zeros(4) +
                             " 01 00 00 00 " + zeros(44) + " 0A 00 00 00";
        const QString sys2 = zeros(8) + u' ' + sys4.mid(24);
        const QString gain = "64 00 00 00 02 00 00 00 " + zeros(8) + " B8 0B 00 00 " + zeros(20);
        const QString axis = zeros(20) + " 01 00 00 00 " + zeros(8) + " 01 00 00 00 " + zeros(8);
        const QString sw = "00 00 00 00 60 79 FE FF A0 86 01 00 00 00 00 00 10 27 00 00 E0 93 04 00 D0 07 00 00 "
                           "00 08 00 00 14 00 00 00 14 00 00 00 64 00 00 00 00 00 00 00 64 00 00 00 14 00 00 00 "
                           "0A 00 00 00 14 00 00 00 01 00 00 00 00 00 00 00";
        const QString lmt = "01 00 00 00 01 00 00 00 01 00 00 00 01 00 00 00 " + zeros(8);
        QTest::newRow("system, 4 axes: AXES 2, MSPD 10") << int(Sys) << 4 << "08"
                                                         << "4C 00" << sys4 << "F0";
        QTest::newRow("system, 2 axes: AXES 0") << int(Sys) << 2 << "08"
                                                << "4C 00" << sys2 << "F2";
        QTest::newRow("gain, 2 axes") << int(Gain) << 2 << "0A"
                                      << "50 00" << gain << "AE";
        QTest::newRow("gain, 4 axes") << int(Gain) << 4 << "0A"
                                      << "A0 00" << gain << "5C";
        QTest::newRow("axis, 2 axes") << int(Axis) << 2 << "0C"
                                      << "58 00" << axis << "FC";
        QTest::newRow("axis, 4 axes") << int(Axis) << 4 << "0C"
                                      << "B0 00" << axis << "F8";
        QTest::newRow("S/W, 4 axes") << int(Sw) << 4 << "0E"
                                     << "20 01" << sw << "4C";
        QTest::newRow("S/W, 2 axes") << int(Sw) << 2 << "0E"
                                     << "90 00" << sw << "A6";
        QTest::newRow("limit, 4 axes") << int(Lmt) << 4 << "10"
                                       << "60 00" << lmt << "F0";
        QTest::newRow("limit, 2 axes") << int(Lmt) << 2 << "10"
                                       << "30 00" << lmt << "F8";
    }
    void transmitDefaults()
    {
        QFETCH(int, set);
        QFETCH(int, axes);
        QFETCH(QString, code);
        QFETCH(QString, word);
        QFETCH(QString, axisBytes);
        QFETCH(QString, checksum);
        EmulatorLink link(axes);
        QVERIFY(link.ok());
        freshStart(5, axes);
        params::ParaForm& w = openWindow(set);
        QTest::mouseClick(w.cmdTrans, Qt::LeftButton);
        QStringList data;
        for (int a = 0; a < (set == Sys ? 1 : axes); ++a)
            data << axisBytes;
        const QString blockHex = data.join(u' ');
        QCOMPARE(link.trace(), QStringLiteral("PC 01; controller 00; PC %1; controller %1; PC %2 02; controller 16; "
                                              "PC %3 %4 03; controller 04")
                                   .arg(code, word, blockHex, checksum));
        QCOMPARE(hex(*controllerBlock(link, set)), blockHex);
        QVERIFY(link.boxes.boxes.isEmpty());
        QVERIFY(w.cmdTrans->isEnabled());
    }

    void valuesTravelAsTheirSetSends_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("sent"); // the block's first bytes
        QTest::newRow("system -1") << int(Sys) << "0:0=-1"
                                   << "FF FF FF FF";
        QTest::newRow("system BRON 1000") << int(Sys) << "0:0=0 0:16=1000"
                                          << "00 00 00 00";
        QTest::newRow("gain -1 loses its sign byte") << int(Gain) << "0:0=-1"
                                                     << "FF FF FF 00";
        QTest::newRow("gain -256") << int(Gain) << "0:0=-256"
                                   << "00 FF FF 00";
        QTest::newRow("gain 100000") << int(Gain) << "0:0=100000"
                                     << "A0 86 01 00";
        QTest::newRow("gain 16777216 loses its high bits") << int(Gain) << "0:0=16777216"
                                                           << "00 00 00 00";
        QTest::newRow("axis 258: the low byte only") << int(Axis) << "0:0=258"
                                                     << "02 00 00 00";
        QTest::newRow("limit -1: the low byte only") << int(Lmt) << "0:0=-1"
                                                     << "FF 00 00 00";
        QTest::newRow("S/W 1234.5 rounds to even") << int(Sw) << "0:0=1234.5"
                                                   << "D2 04 00 00";
        QTest::newRow("S/W -0.4 goes as 0") << int(Sw) << "0:0=-0.4"
                                            << "00 00 00 00";
        QTest::newRow("S/W -2.5 goes as -2") << int(Sw) << "0:0=-2.5"
                                             << "FE FF FF FF";
        QTest::newRow("S/W -2147000000") << int(Sw) << "0:0=-2147000000"
                                         << "40 61 07 80";
    }
    void valuesTravelAsTheirSetSends()
    {
        QFETCH(int, set);
        QFETCH(QString, values);
        QFETCH(QString, sent);
        EmulatorLink link(2);
        QVERIFY(link.ok());
        freshStart(0, 2);
        params::ParaForm& w = openWindow(set);
        for (const QString& item : values.split(u' ')) {
            const QStringList af = item.section(u'=', 0, 0).split(u':');
            setOf(set).setValue(af[0].toInt(), af[1].toInt(), item.section(u'=', 1).toDouble());
        }
        w.cmdTrans_Click();
        QVERIFY(hex(*controllerBlock(link, set)).startsWith(sent));
        if (set == Sys && values.contains(u"0:16"))
            QCOMPARE(hex(controllerBlock(link, set)->mid(64, 4)), QStringLiteral("E8 03 00 00"));
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    // A good block from the controller: the values, the window refreshed, and
    // the axes the block does not carry left as they were (they hold 7).
    void receiveRefreshesTheWindow_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("axes");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("wire"); // code and length word
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("shown"); // "name=text" or "name=yellow/neutral"
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("system: AXES 1 makes 3 axes; a BROF of -1 is refused by its box")
            << int(Sys) << 4 << block(76, {"0=01", "8=03", "52=FF", "68=FF FF FF FF", "72=32"})
            << "07; controller 07 4C 00"
            << "0:0=1 0:2=3 0:13=255 0:17=0 0:18=50 0:6=0"
            << "txtSys_0=FF txtSys_5=50 txtSys_4=0 cmdArch_3=yellow cmdArch_1=neutral cmdAxes_1=yellow "
               "cmdAxes_2=neutral"
            << QStringList{" 000000 ~ 999999 까지 입력하십시요."};
        QTest::newRow("gain, 2 axes: b3 counts only by its bit 7")
            << int(Gain) << 2 << block(80, {"0=10 00 00 01", "76=FF FF FF FF"}) << "09; controller 09 50 00"
            << "0:0=16 1:9=-1 0:4=0 2:0=7 3:9=7"
            << "txtax1Gain_0=16 txtax1Gain_19=-1 txtax1Gain_20=" << QStringList{"Gain 숫자값이 너무 큽니다"};
        QTest::newRow("axis, 2 axes: the old choice painted neutral")
            << int(Axis) << 2 << block(88, {"0=02", "76=01", "44=01"}) << "0B; controller 0B 58 00"
            << "0:0=2 0:8=0 0:5=0 1:0=1 2:0=7 3:10=7"
            << "cmdMotor_2=yellow cmdMotor_0=neutral cmdEndir_0=yellow cmdEndir_1=neutral cmdCdir_0=yellow"
            << QStringList{};
        QTest::newRow("S/W, 4 axes: 24 bits and the sign")
            << int(Sw) << 4 << block(288, {"0=40 61 07 80", "284=00 00 00 80", "32=2C 01 00 00"})
            << "0D; controller 0D 20 01"
            << "0:0=-16293568 3:17=-16777216 0:8=300 0:17=0 1:0=0"
            << "txtSw_0=-162935.68 txtSw_8=300 txtSw_17=0" << QStringList{" 0 ~ 200 사이의 값을 입력하십시요."};
        QTest::newRow("limit, 3 axes: axis 4 stays")
            << int(Lmt) << 3 << block(72, {"68=01"}) << "0F; controller 0F 48 00"
            << "0:0=0 2:5=1 2:0=0 3:0=7"
            << "cmdPosiLmt_0=yellow cmdPosiLmt_1=neutral" << QStringList{};
    }
    void receiveRefreshesTheWindow()
    {
        QFETCH(int, set);
        QFETCH(int, axes);
        QFETCH(QByteArray, data);
        QFETCH(QString, wire);
        QFETCH(QString, values);
        QFETCH(QString, shown);
        QFETCH(QStringList, messages);
        EmulatorLink link(axes);
        QVERIFY(link.ok());
        freshStart(7, axes);
        params::ParaForm& w = openWindow(set);
        if (set != Sys)
            for (int a = axes; a < params::kMaxAxes; ++a)
                for (int f = 0; f < setOf(set).fields; ++f)
                    setOf(set).setValue(a, f, 7);
        *controllerBlock(link, set) = data;
        link.boxes.clear();
        QTest::mouseClick(w.cmdRcv, Qt::LeftButton);
        const QString trailer = hex(QByteArray(1, char(-[&] {
                                                   int s = 0;
                                                   for (char c : data)
                                                       s += std::uint8_t(c);
                                                   return s;
                                               }())));
        // The PC's answer ends the exchange: the emulator reads it a moment later.
        QTRY_COMPARE(link.trace(), QStringLiteral("PC 01; controller 00; PC %1 02; PC 16; controller %2 %3 03; PC 04")
                                       .arg(wire, hex(data), trailer));
        QCOMPARE(mismatches(setOf(set), values), QString());
        for (const QString& item : shown.split(u' ')) {
            const QString name = item.section(u'=', 0, 0);
            const QString want = item.section(u'=', 1);
            if (want == u"yellow" || want == u"neutral")
                QCOMPARE(colourOf(w, name), want == u"yellow" ? common::color::Yellow : common::color::ButtonFace);
            else
                QCOMPARE(w.findChild<QLineEdit*>(name)->text(), want);
        }
        QCOMPARE(link.boxes.texts(), messages);
        if (set == Sys)
            QCOMPARE(int(comm::g_AxisCount), 3);
        QVERIFY(w.cmdRcv->isEnabled());
    }

    // A block the PC refuses (every way of refusing is in the service's
    // table): the window keeps its values and the operator sees one box.
    void refusedBlocks()
    {
        EmulatorLink link(2);
        QVERIFY(link.ok());
        freshStart(0, 2);
        auto& w = params::frmGain::instance();
        w.Show();
        link.state().gainBlock = block(80, {"0=05"});
        link.faults().badChecksum = true;
        w.cmdRcv_Click();
        QVERIFY(link.trace().contains(QStringLiteral("controller 09 50 00 02")));
        QTRY_VERIFY2(link.trace().endsWith(QStringLiteral("; PC 10")), qPrintable(link.trace().right(200)));
        QCOMPARE(link.state().blocksRefusedByPc, 1);
        QCOMPARE(params::g_GainPara[0][0], 100);
        QCOMPARE(w.txtax1Gain[0]->text(), QStringLiteral("100"));
        QCOMPARE(link.boxes.texts(), QStringList{kLinkError0});
        QVERIFY(w.cmdRcv->isEnabled());
    }

    // Each step's failure is in the service's table; here the boxes the
    // window shows for a time-out, and for a failure once its block has
    // arrived or gone.
    void failedSteps_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<bool>("receive");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("boxes");
        const QStringList code0{kLinkError0};
        const QStringList timeOut{kNotConnected, kLinkError0};
        QTest::newRow("receive, no answer") << int(Sys) << true << "silent" << timeOut;
        QTest::newRow("transmit, no answer") << int(Gain) << false << "silent" << timeOut;
        QTest::newRow("receive, bad trailer") << int(Sw) << true << "badTrailer" << code0;
        QTest::newRow("transmit, block refused") << int(Sw) << false << "refuseBlock" << code0;
    }
    void failedSteps()
    {
        QFETCH(int, set);
        QFETCH(bool, receive);
        QFETCH(QString, fault);
        QFETCH(QStringList, boxes);
        EmulatorLink link(4);
        QVERIFY(link.ok());
        freshStart(0, 4);
        params::ParaForm& w = openWindow(set);
        const QList<double> before = [&] {
            QList<double> v;
            for (int f = 0; f < setOf(set).fields; ++f)
                v << setOf(set).value(0, f);
            return v;
        }();
        link.faults().silent = fault == u"silent";
        link.faults().badTrailer = fault == u"badTrailer";
        link.faults().refuseBlock = fault == u"refuseBlock";
        *controllerBlock(link, set) = QByteArray(set == Sys ? 76 : 4 * setOf(set).fields * 4, '\x01');
        link.boxes.clear();
        testsupport::FastClock clock;
        if (receive)
            w.cmdRcv_Click();
        else
            w.cmdTrans_Click();
        QCOMPARE(link.boxes.texts(), boxes);
        for (int f = 0; f < setOf(set).fields; ++f)
            QCOMPARE(setOf(set).value(0, f), before[f]);
        QVERIFY(w.cmdRcv->isEnabled());
        QVERIFY(w.cmdTrans->isEnabled());
    }

    void swValueTooLargeIsRefusedBeforeTheLine()
    {
        EmulatorLink link(2);
        QVERIFY(link.ok());
        freshStart(0, 2);
        auto& w = params::frmSw::instance();
        w.Show();
        params::g_SwPara[1][3] = 3e9;  // only a file can hold this
        params::g_SwPara[3][0] = 9e99; // not carried with 2 axes
        w.cmdTrans_Click();
        QCOMPARE(link.boxes.texts(),
                 QStringList{QStringLiteral(" -21470000.00 ~ 21470000.00 사이의 값을 입력하십시요.")});
        link.settleTrace(QString());
        QCOMPARE(link.trace(), QString());
    }

    // While an exchange waits: the pressed button is disabled (but the axis
    // window's), a further click does nothing and the window will not close.
    // A controller fresh from the factory holds the program's own defaults
    // for its axis count: the first receive of every set shows them, and the
    // system set's AXES keeps the axis count the operator chose.
    void factoryControllerHoldsTheDefaults_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("axes");
        QTest::newRow("system, 2 axes") << int(Sys) << 2;
        QTest::newRow("system, 3 axes") << int(Sys) << 3;
        QTest::newRow("system, 4 axes") << int(Sys) << 4;
        QTest::newRow("gain, 3 axes") << int(Gain) << 3;
        QTest::newRow("axis, 3 axes") << int(Axis) << 3;
        QTest::newRow("S/W, 3 axes") << int(Sw) << 3;
        QTest::newRow("limit, 3 axes") << int(Lmt) << 3;
        QTest::newRow("gain, 4 axes") << int(Gain) << 4;
        QTest::newRow("S/W, 2 axes") << int(Sw) << 2;
    }
    void factoryControllerHoldsTheDefaults()
    {
        QFETCH(int, set);
        QFETCH(int, axes);
        EmulatorLink link(axes, emu::Contents::Sample);
        QVERIFY(link.ok());
        freshStart(5, axes);
        const params::ParaSet& ps = setOf(set);
        params::applyDefaults(ps);
        const int carried = set == Sys ? 1 : axes;
        std::vector<double> want;
        for (int a = 0; a < carried; ++a)
            for (int f = 0; f < ps.fields; ++f)
                want.push_back(ps.value(a, f));
        fillSet(ps, 5);
        params::ParaForm& w = openWindow(set);
        fillSet(ps, 5); // the opening may have put defaults in place itself
        link.boxes.clear();
        QTest::mouseClick(w.cmdRcv, Qt::LeftButton);
        QTRY_COMPARE(link.state().blocksAcceptedByPc, 1);
        QVERIFY(link.boxes.boxes.isEmpty());
        std::vector<double> got;
        for (int a = 0; a < carried; ++a)
            for (int f = 0; f < ps.fields; ++f)
                got.push_back(ps.value(a, f));
        QCOMPARE(got, want);
        QCOMPARE(int(comm::g_AxisCount), axes);
        if (set == Sys) {
            QCOMPARE(params::g_SysPara[params::sys::AXES], axes - 2);
            for (int b = 0; b < 3; ++b)
                QCOMPARE(colourOf(w, QStringLiteral("cmdAxes_%1").arg(b)),
                         b == axes - 2 ? common::color::Yellow : common::color::ButtonFace);
        }
    }

    void oneExchangeAtATime_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<bool>("staysEnabled");
        QTest::newRow("axis window") << int(Axis) << true;
        QTest::newRow("gain window") << int(Gain) << false;
        QTest::newRow("system window") << int(Sys) << false;
    }
    void oneExchangeAtATime()
    {
        QFETCH(int, set);
        QFETCH(bool, staysEnabled);
        EmulatorLink link(2);
        QVERIFY(link.ok());
        freshStart(0, 2);
        params::ParaForm& w = openWindow(set);
        link.faults().replyDelayMs = 150;
        bool sawEnabled = !staysEnabled;
        bool closed = true;
        bool sawRunning = false;
        QTimer::singleShot(40, &w, [&] {
            sawEnabled = w.cmdRcv->isEnabled();
            sawRunning = w.exchangeRunning();
            w.cmdRcv_Click();
            w.cmdTrans_Click();
            closed = w.Unload();
        });
        w.cmdRcv_Click();
        QCOMPARE(sawEnabled, staysEnabled);
        QVERIFY(sawRunning);
        QVERIFY(!closed);
        QVERIFY(w.isLoaded());
        QCOMPARE(link.trace().count(QStringLiteral("PC 01;")), 1);
        QTRY_VERIFY(link.trace().endsWith(QStringLiteral("PC 04")));
        QVERIFY(link.boxes.boxes.isEmpty());
        QVERIFY(!w.exchangeRunning());
        QVERIFY(w.Unload());
    }
};

QTEST_MAIN(TestParaExchange)
#include "test_paraexchange.moc"
