// The number boxes of the system, gain and S/W windows: what a text stores,
// which message it shows and what text it leaves; the typing limits, which
// never cut a text the program shows.

#include "parahelp.h"

#include "support/operatortexts.h"
#include "support/seams.h"

#include <QtTest>

using namespace paratest;

namespace {

using testsupport::texts::kNotNumber;

constexpr double kHeld = 42; // what a field holds before the text is typed

QLineEdit* boxOf(int set, int index)
{
    switch (set) {
    case Sys:
        return params::frmSysPara::instance().txtSys[std::size_t(index)];
    case Gain:
        return params::frmGain::instance().txtax1Gain[std::size_t(index)];
    default:
        return params::frmSw::instance().txtSw[std::size_t(index)];
    }
}

// The value behind box `index` of the window (S/W: of the edited axis 1).
double heldOf(int set, int index)
{
    switch (set) {
    case Sys:
        return params::g_SysPara[std::size_t(13 + index)];
    case Gain:
        return params::g_GainPara[std::size_t(index / 10)][std::size_t(index % 10)];
    default:
        return params::g_SwPara[1][std::size_t(index)];
    }
}

void setHeld(int set, int index, double v)
{
    switch (set) {
    case Sys:
        params::g_SysPara[std::size_t(13 + index)] = std::int32_t(v);
        break;
    case Gain:
        params::g_GainPara[std::size_t(index / 10)][std::size_t(index % 10)] = std::int32_t(v);
        break;
    default:
        params::g_SwPara[1][std::size_t(index)] = v;
        break;
    }
}

} // namespace

class TestParaBoxes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        params::InitParaNames();
        freshStart();
        // S/W boxes edit axis 1 here, so that the axis is seen to count.
        params::frmSw::instance().Show();
        params::frmSw::instance().cmdAxSel_Click(1);
        params::frmGain::instance().Show();
        params::frmSysPara::instance().Show();
    }

    void typedText_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("left");
        const QStringList none;
        const double kept = kHeld;
        const QStringList hexNotNumber{" 16 진수 값을 넣어주십시요."};
        const QStringList notWhole{" 정수를 입력하십시요"};
        const QStringList mspdRange{" 1 ~ 100 까지 입력하십시요."};
        QTest::newRow("sys empty: nothing") << int(Sys) << 5 << "" << kept << none << "";
        QTest::newRow("sys MSPD 0 accepted") << int(Sys) << 5 << "0" << 0.0 << none << "0";
        QTest::newRow("sys MSPD 100") << int(Sys) << 5 << "100" << 100.0 << none << "100";
        QTest::newRow("sys MSPD 101: range, box 0") << int(Sys) << 5 << "101" << 0.0 << mspdRange << "0";
        QTest::newRow("sys MSPD too big for 32 bits") << int(Sys) << 5 << "1e12" << 0.0 << mspdRange << "0";
        QTest::newRow("sys MSPD -1") << int(Sys) << 5 << "-1" << 0.0 << mspdRange << "0";
        QTest::newRow("sys MSPD too big for a double: range") << int(Sys) << 5 << "1e400" << 0.0 << mspdRange << "0";
        QTest::newRow("sys PSIG G: not hex, box 0") << int(Sys) << 0 << "G" << 0.0 << hexNotNumber << "0";
        QTest::newRow("sys PSIG ff stays ff") << int(Sys) << 0 << "ff" << 255.0 << none << "ff";
        QTest::newRow("sys PSIG FFFFFF") << int(Sys) << 0 << "FFFFFF" << 16777215.0 << none << "FFFFFF";
        QTest::newRow("sys ESIG 1000000: range")
            << int(Sys) << 1 << "1000000" << 0.0 << QStringList{" 000000H ~ FFFFFFH 까지 입력하십시요."} << "0";
        QTest::newRow("sys ZRNO 10 is 16: range")
            << int(Sys) << 2 << "10" << 0.0 << QStringList{" 0H ~ FH 까지 입력하십시요."} << "0";
        QTest::newRow("sys ZRNO a") << int(Sys) << 2 << "a" << 10.0 << none << "a";
        QTest::newRow("sys BRON 12.5 stores 12") << int(Sys) << 3 << "12.5" << 12.0 << none << "12.5";
        QTest::newRow("sys BRON 13.5 stores 14") << int(Sys) << 3 << "13.5" << 14.0 << none << "13.5";
        QTest::newRow("sys BRON letters") << int(Sys) << 3 << "abc" << 0.0 << notWhole << "0";
        QTest::newRow("sys BROF 999999") << int(Sys) << 4 << "999999" << 999999.0 << none << "999999";
        QTest::newRow("sys BROF 999999.4 is above")
            << int(Sys) << 4 << "999999.4" << 0.0 << QStringList{" 000000 ~ 999999 까지 입력하십시요."} << "0";

        const QStringList gainRange{"Gain 숫자값이 너무 큽니다"};
        QTest::newRow("gain 32000") << int(Gain) << 0 << "32000" << 32000.0 << none << "32000";
        QTest::newRow("gain 32001: text stays") << int(Gain) << 13 << "32001" << kept << gainRange << "32001";
        QTest::newRow("gain -1: same message") << int(Gain) << 5 << "-1" << kept << gainRange << "-1";
        QTest::newRow("gain 0.5 holds 0") << int(Gain) << 1 << "0.5" << 0.0 << none << "0.5";
        QTest::newRow("gain 1.5 holds 2") << int(Gain) << 1 << "1.5" << 2.0 << none << "1.5";
        QTest::newRow("gain too big for 32 bits") << int(Gain) << 2 << "9e99" << kept << gainRange << "9e99";
        QTest::newRow("gain too big for a double: held kept")
            << int(Gain) << 2 << "1e400" << kept << gainRange << "1e400";
        QTest::newRow("gain letters: box 0, holds 0")
            << int(Gain) << 31 << "abc" << 0.0 << QStringList{kNotNumber} << "0";

        const QStringList errRange{" 0 ~ 100000.00 사이의 값을 입력하십시요."};
        const QStringList posRange{" -21470000.00 ~ 21470000.00 사이의 값을 입력하십시요."};
        const QStringList gearRange{" 0 ~ 900000.00 사이의 값을 입력하십시요."};
        const QStringList jlockRange{" 1 ~ 16, 21 ~ 36 사이의 값을 입력하십시요."};
        QTest::newRow("S/W ERR 100000 held x 100") << int(Sw) << 4 << "100000" << 10000000.0 << none << "100000";
        QTest::newRow("S/W ERR 100000.01: text stays")
            << int(Sw) << 4 << "100000.01" << kept << errRange << "100000.01";
        QTest::newRow("S/W CR -21470000") << int(Sw) << 0 << "-21470000" << -2147000000.0 << none << "-21470000";
        QTest::newRow("S/W CR -21470000.01") << int(Sw) << 0 << "-21470000.01" << kept << posRange << "-21470000.01";
        QTest::newRow("S/W UL 12.345 unrounded") << int(Sw) << 2 << "12.345" << 1234.5 << none << "12.345";
        QTest::newRow("S/W VEL letters hold 0") << int(Sw) << 5 << "abc" << 0.0 << none << "abc";
        QTest::newRow("S/W VEL leading number") << int(Sw) << 5 << "12x" << 1200.0 << none << "12x";
        QTest::newRow("S/W GEB 900000 held x 100") << int(Sw) << 6 << "900000" << 90000000.0 << none << "900000";
        QTest::newRow("S/W GEA 900000 as typed") << int(Sw) << 7 << "900000" << 900000.0 << none << "900000";
        QTest::newRow("S/W INP 900001") << int(Sw) << 10 << "900001" << kept << gearRange << "900001";
        QTest::newRow("S/W ACC 200") << int(Sw) << 8 << "200" << 200.0 << none << "200";
        QTest::newRow("S/W P_ACC 201") << int(Sw) << 15 << "201" << kept
                                       << QStringList{" 0 ~ 200 사이의 값을 입력하십시요."} << "201";
        QTest::newRow("S/W RATIO 101") << int(Sw) << 16 << "101" << kept
                                       << QStringList{" 0 ~ 100 사이의 값을 입력하십시요."} << "101";
        QTest::newRow("S/W F_VEL 5001") << int(Sw) << 13 << "5001" << kept
                                        << QStringList{" 0 ~ 5000 사이의 값을 입력하십시요."} << "5001";
        QTest::newRow("S/W too big for a double")
            << int(Sw) << 9 << "1e400" << kept << QStringList{" 0 ~ 200 사이의 값을 입력하십시요."} << "1e400";
        QTest::newRow("S/W JLOCK 1") << int(Sw) << 17 << "1" << 1.0 << none << "1";
        QTest::newRow("S/W JLOCK 16") << int(Sw) << 17 << "16" << 16.0 << none << "16";
        QTest::newRow("S/W JLOCK 21") << int(Sw) << 17 << "21" << 21.0 << none << "21";
        QTest::newRow("S/W JLOCK 36") << int(Sw) << 17 << "36" << 36.0 << none << "36";
        QTest::newRow("S/W JLOCK 0") << int(Sw) << 17 << "0" << kept << jlockRange << "0";
        QTest::newRow("S/W JLOCK 16.5") << int(Sw) << 17 << "16.5" << kept << jlockRange << "16.5";
        QTest::newRow("S/W JLOCK 20.9") << int(Sw) << 17 << "20.9" << kept << jlockRange << "20.9";
        QTest::newRow("S/W JLOCK 37") << int(Sw) << 17 << "37" << kept << jlockRange << "37";
        QTest::newRow("S/W JLOCK letters count as 0") << int(Sw) << 17 << "x" << kept << jlockRange << "x";
    }
    void typedText()
    {
        QFETCH(int, set);
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        QFETCH(QStringList, messages);
        QFETCH(QString, left);
        QLineEdit* b = boxOf(set, box);
        {
            const QSignalBlocker quiet(b);
            b->setText(QStringLiteral("start"));
        }
        setHeld(set, box, kHeld);
        testsupport::MessageRecorder boxes;
        b->setText(typed);
        QCOMPARE(heldOf(set, box), stored);
        QCOMPARE(boxes.texts(), messages);
        QCOMPARE(b->text(), left);
    }

    void typingIsLimitedTextShownIsNot_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("sys PSIG six characters") << int(Sys) << 0 << "1234567"
                                                 << "123456";
        QTest::newRow("sys BROF six characters") << int(Sys) << 4 << "1234567"
                                                 << "123456";
        QTest::newRow("sys MSPD no limit") << int(Sys) << 5 << "00000001"
                                           << "00000001";
        QTest::newRow("gain five characters") << int(Gain) << 7 << "123456"
                                              << "12345";
        QTest::newRow("S/W no limit") << int(Sw) << 3 << "12345678"
                                      << "12345678";
    }
    void typingIsLimitedTextShownIsNot()
    {
        QFETCH(int, set);
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        testsupport::MessageRecorder boxes;
        QLineEdit* b = boxOf(set, box);
        b->clear();
        QTest::keyClicks(b, typed);
        QCOMPARE(b->text(), left);
    }

    void gainShowsLongHeldValueInFull()
    {
        testsupport::MessageRecorder boxes;
        params::frmGain& w = params::frmGain::instance();
        params::g_GainPara[0][3] = 100000;
        w.UpdateGaButton();
        QCOMPARE(w.txtax1Gain[3]->text(), QStringLiteral("100000"));
        QCOMPARE(params::g_GainPara[0][3], 100000); // refused by the check, never cut
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Gain 숫자값이 너무 큽니다")});
        // Still editable: taking a character off is allowed.
        w.txtax1Gain[3]->setFocus();
        w.txtax1Gain[3]->end(false);
        QTest::keyClick(w.txtax1Gain[3], Qt::Key_Backspace);
        QCOMPARE(w.txtax1Gain[3]->text(), QStringLiteral("10000"));
        QCOMPARE(params::g_GainPara[0][3], 10000);
    }
};

QTEST_MAIN(TestParaBoxes)
#include "test_paraboxes.moc"
