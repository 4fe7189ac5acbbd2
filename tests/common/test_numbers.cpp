// Number text as operators and files write it: the leading number, the
// numeric test, half-to-even rounding and the fixed formats, whatever the
// locale of the machine.

#include "common/numbers.h"

#include <QtTest>

#include <clocale>

using namespace common;

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "42" << 42.0;
        QTest::newRow("decimals, rest ignored") << "12.5abc" << 12.5;
        QTest::newRow("leading blanks and sign") << "  -3" << -3.0;
        QTest::newRow("blanks inside are skipped") << "1 2 3" << 123.0;
        QTest::newRow("tab and line feed skipped") << "\t4\n2" << 42.0;
        QTest::newRow("blank after the sign") << "- 5" << -5.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("negative exponent, rest ignored") << "1.5E-2x" << 0.015;
        QTest::newRow("exponent without digits ends the number") << "7e" << 7.0;
        QTest::newRow("comma ends the number") << "12,5" << 12.0;
        QTest::newRow("no number: 0") << "abc" << 0.0;
        QTest::newRow("empty: 0") << "" << 0.0;
        QTest::newRow("sign alone: 0") << "-" << 0.0;
        QTest::newRow("two signs: 0") << "--5" << 0.0;
        QTest::newRow("hex is not a number: 0") << "&H10" << 0.0;
        QTest::newRow("too large: infinite, refused by every range") << "1e400" << qInf();
        QTest::newRow("too large negative") << "-1e400" << -qInf();
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(Val(text), value);
    }

    // The point tables read "D" exponents and "&H"/"&O" radix forms too.
    void pointLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("hexadecimal") << "&H10" << 16.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("lower case") << "&hff" << 255.0;
        QTest::newRow("blanks inside hexadecimal") << " & H 1 0" << 16.0;
        QTest::newRow("octal ends at 8") << "&O178" << 15.0;
        QTest::newRow("hexadecimal ends at G") << "&H1G" << 1.0;
        QTest::newRow("other letter after &: 0") << "&X10" << 0.0;
        QTest::newRow("& alone: 0") << "&" << 0.0;
        QTest::newRow("exponent D") << "1D2" << 100.0;
        QTest::newRow("exponent d, negative") << "-2.5d-1" << -0.25;
        QTest::newRow("exponent E") << "1E2" << 100.0;
        QTest::newRow("D without digits ends the number") << "7D" << 7.0;
        QTest::newRow("Val's forms unchanged") << "  -1 2.5x" << -12.5;
        QTest::newRow("too large: infinite") << "1D400" << qInf();
        QTest::newRow("a line end is no blank") << "1\r5" << 1.0;
    }
    void pointLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(common::leadingNumber(text), value);
    }

    void numericTest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<double>("value");
        QTest::newRow("12") << "12" << true << 12.0;
        QTest::newRow("blanks around") << " 12 " << true << 12.0;
        QTest::newRow("-1.5") << "-1.5" << true << -1.5;
        QTest::newRow("+.5") << "+.5" << true << 0.5;
        QTest::newRow("5.") << "5." << true << 5.0;
        QTest::newRow("1e5") << "1e5" << true << 100000.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blank") << " " << false << 0.0;
        QTest::newRow("point alone") << "." << false << 0.0;
        QTest::newRow("blank inside") << "1 2" << false << 0.0;
        QTest::newRow("trailing letter") << "12a" << false << 0.0;
        QTest::newRow("exponent without digits") << "1e" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
        QTest::newRow("two signs") << "--1" << false << 0.0;
        QTest::newRow("C hex") << "0x10" << false << 0.0;
        QTest::newRow("too large for a double: numeric, infinite") << "1e400" << true << qInf();
        QTest::newRow("too large negative") << "-1e400" << true << -qInf();
    }
    void numericTest()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(double, value);
        QCOMPARE(IsNumeric(text), numeric);
        QCOMPARE(numericValue(text).value_or(0.0), value);
    }

    void halfToEven_data()
    {
        QTest::addColumn<double>("v");
        QTest::addColumn<double>("r");
        QTest::newRow("0.5 -> 0") << 0.5 << 0.0;
        QTest::newRow("1.5 -> 2") << 1.5 << 2.0;
        QTest::newRow("2.5 -> 2") << 2.5 << 2.0;
        QTest::newRow("3.5 -> 4") << 3.5 << 4.0;
        QTest::newRow("-1.5 -> -2") << -1.5 << -2.0;
        QTest::newRow("-2.5 -> -2") << -2.5 << -2.0;
        QTest::newRow("2.4999 -> 2") << 2.4999 << 2.0;
        QTest::newRow("2.5001 -> 3") << 2.5001 << 3.0;
    }
    void halfToEven()
    {
        QFETCH(double, v);
        QFETCH(double, r);
        QCOMPARE(roundHalfEven(v), r);
    }

    void wholeNumbers()
    {
        QCOMPARE(toInt16(32767.4), std::optional<std::int16_t>(32767));
        QCOMPARE(toInt16(32767.5), std::optional<std::int16_t>());
        QCOMPARE(toInt16(-32768.5), std::optional<std::int16_t>(-32768));
        QCOMPARE(toInt16(-32769), std::optional<std::int16_t>());
        QCOMPARE(toInt16(0.5), std::optional<std::int16_t>(0));
        QCOMPARE(toInt32(2147483647.0), std::optional<std::int32_t>(2147483647));
        QCOMPARE(toInt32(2147483647.5), std::optional<std::int32_t>());
        QCOMPARE(toInt32(-2147483648.0), std::optional<std::int32_t>(-2147483647 - 1));
        QCOMPARE(toInt32(std::numeric_limits<double>::quiet_NaN()), std::optional<std::int32_t>());
    }

    void formats_data()
    {
        QTest::addColumn<QString>("got");
        QTest::addColumn<QString>("want");
        QTest::newRow("00 of 5") << format00(5) << "05";
        QTest::newRow("00 of 0") << format00(0) << "00";
        QTest::newRow("00 of 123: wider") << format00(123) << "123";
        QTest::newRow("00 of -3") << format00(-3) << "-03";
        QTest::newRow("000 of 7") << format000(7) << "007";
        QTest::newRow("000 of -12") << format000(-12) << "-012";
        QTest::newRow("000 of 1000") << format000(1000) << "1000";
        QTest::newRow("#0.00 of 1250 hundredths") << formatHundredths(1250) << "12.50";
        QTest::newRow("#0.00 of -300 hundredths") << formatHundredths(-300) << "-3.00";
        QTest::newRow("#0.00 of 5 hundredths") << formatHundredths(5) << "0.05";
        QTest::newRow("#0.00 of -5 hundredths") << formatHundredths(-5) << "-0.05";
        QTest::newRow("#0.00 of 0") << formatHundredths(0) << "0.00";
        QTest::newRow("#0.00 of 2^31-1 hundredths") << formatHundredths(2147483647) << "21474836.47";
        QTest::newRow("#0.00 of 12.5") << formatFixed2(12.5) << "12.50";
        QTest::newRow("#0.00 of 0.125: half to even") << formatFixed2(0.125) << "0.12";
        QTest::newRow("#0.00 of 0.375: half to even") << formatFixed2(0.375) << "0.38";
        QTest::newRow("#0.00 of -1.5") << formatFixed2(-1.5) << "-1.50";
        QTest::newRow("#0.00 of -0.001: no minus zero") << formatFixed2(-0.001) << "0.00";
        QTest::newRow("hex of 255") << formatHex(255) << "FF";
        QTest::newRow("hex of 10, two digits") << formatHex(10, 2) << "0A";
        QTest::newRow("hex of 0") << formatHex(0) << "0";
        QTest::newRow("hex of 0xABC, four digits") << formatHex(0xABC, 4) << "0ABC";
        QTest::newRow("int -5") << formatInt(-5) << "-5";
    }
    void formats()
    {
        QFETCH(QString, got);
        QFETCH(QString, want);
        QCOMPARE(got, want);
    }

    // QCoreApplication takes the C locale from the environment; a machine
    // set to a comma-decimal language must read "12.50" all the same.
    void numbersIgnoreTheMachineLocale()
    {
        const char* old = std::setlocale(LC_ALL, nullptr);
        const std::string saved = old ? old : "C";
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8"))
            QSKIP("no comma-decimal locale on this machine");
        const double v = Val(u"12.50");
        const auto n = numericValue(u"-3.25");
        const QString f = formatFixed2(1.5);
        std::setlocale(LC_ALL, saved.c_str());
        QCOMPARE(v, 12.5);
        QCOMPARE(n.value_or(0), -3.25);
        QCOMPARE(f, QStringLiteral("1.50"));
    }
};

QTEST_APPLESS_MAIN(TestNumbers)
#include "test_numbers.moc"
