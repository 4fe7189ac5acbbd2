// The parameter digit editor: the parameter and arithmetic commands and SET.
// Its "." key drops the field's first digit; the rows of ADD, SUB, OR, AND,
// MUL and SET are built on the line's operation word, one place earlier for OR.

#include "digitkeys.h"
#include "pendant/digits/digitedit.h"

#include <QtTest>

using namespace pendant::digits;

class TestParaDigit : public QObject {
    Q_OBJECT
private slots:
    // Line and TEMP_COMMAND before, the keys pressed in turn (by their
    // characters), the line after each key. No row sets TEMP_COMMAND.
    void keysShiftIntoTheField_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("after");
        const auto row = [](const char* name, const char* line, const char* temp, const char* keys, QStringList after) {
            QTest::newRow(name) << QString::fromLatin1(line) << QString::fromLatin1(temp) << QString::fromLatin1(keys)
                                << after;
        };
        row("ACC value, . drops the first digit, - nothing", "ACC 2 015", "ACC 2", "5.-",
            {"ACC 2 155", "ACC 2 055", "ACC 2 055"});
        row("DCC value", "DCC 3 000", "DCC 3", "4", {"DCC 3 004"});
        row("SPD register", "SPD 1 R05", "SPD 1", "3", {"SPD 1 R53"});
        row("SPD indirect", "SPD 1 *05", "SPD 1", "0", {"SPD 1 *50"});
        row("SPD value", "SPD 1 012", "SPD 1", "7", {"SPD 1 127"});
        row("TSPD register", "TSPD R05", "", "1", {"TSPD R51"});
        row("TSPD indirect", "TSPD *05", "", "1", {"TSPD *51"});
        row("TSPD value, no range", "TSPD 100", "", "0", {"TSPD 000"});
        row("INP six digits", "INP 000000", "", "1", {"INP 000001"});
        row("INP .", "INP 123456", "", ".", {"INP 023456"});
        row("READ point .", "READ P123", "", ".", {"READ P023"});
        row("READ shift . on a leading 0", "READ S07", "", ".", {"READ S07"});
        row("READ shift", "READ S07", "", "1", {"READ S71"});
        row("WRITE point", "WRITE P009", "", "9", {"WRITE P099"});
        // Operation words.
        row("ADD first register", "ADD R05", "", "7", {"ADD R57"});
        row("OR first register one place earlier", "OR R05", "", "7", {"OR R57"});
        row("SET first indirect", "SET *03", "", "1", {"SET *31"});
        row("SUB first indirect", "SUB *01", "", "2", {"SUB *12"});
        row("ADD register", "ADD R05 R12", "ADD R05", "7", {"ADD R05 R27"});
        row("ADD F register", "ADD R05 F01", "ADD R05", "4", {"ADD R05 F14"});
        row("ADD hex", "ADD R05 012h", "ADD R05", "34", {"ADD R05 123h", "ADD R05 234h"});
        row("ADD hex ., letters kept as text", "ADD R05 12Ah", "ADD R05", ".", {"ADD R05 02Ah"});
        row("ADD lead from TEMP", "ADD R05 R12", "ADD R07", "3", {"ADD R07 R23"});
        row("AND four digits", "AND R01 0000", "AND R01", "5", {"AND R01 0005"});
        row("MUL register after indirect", "MUL *02 R03", "MUL *02", "4", {"MUL *02 R34"});
        row("SET F register", "SET R01 F00", "SET R01", "9", {"SET R01 F09"});
        row("SUB indirect after indirect", "SUB *01 *02", "SUB *01", "3", {"SUB *01 *23"});
        row("AND hex after indirect", "AND *01 00Fh", "AND *01", "1", {"AND *01 0F1h"});
        row("MUL F register after indirect", "MUL *01 F02", "MUL *01", "3", {"MUL *01 F23"});
        row("SUB four digits after indirect", "SUB *01 0009", "SUB *01", "9", {"SUB *01 0099"});
        row("OR register", "OR *12 R05", "OR *12", "6", {"OR *12 R56"});
        row("OR hex", "OR *12 123h", "OR *12", "4", {"OR *12 234h"});
        row("OR four digits", "OR *12 0000", "OR *12", "12", {"OR *12 0001", "OR *12 0012"});
        row("OR F register", "OR R01 F02", "OR R01", "3", {"OR R01 F23"});
        row("OR indirect .", "OR *12 *34", "OR *12", ".", {"OR *12 *04"});
        row("OR indirect first", "OR *05", "", "1", {"OR *51"});
        row("OR register after register", "OR R01 R02", "OR R01", "3", {"OR R01 R23"});
        row("OR hex after register", "OR R01 00Ah", "OR R01", "1", {"OR R01 0A1h"});
        row("OR four digits after register", "OR R01 0001", "OR R01", "2", {"OR R01 0012"});
        row("OR indirect after register", "OR R01 *02", "OR R01", "3", {"OR R01 *23"});
        row("OR F register after indirect", "OR *01 F02", "OR *01", "3", {"OR *01 F23"});
        // INC, DEC, ADF, SUF, MUF.
        row("INC indirect", "INC *05", "", "2", {"INC *52"});
        row("INC register", "INC R05", "", "2", {"INC R52"});
        row("DEC register", "DEC R99", "", "0", {"DEC R90"});
        row("DEC indirect", "DEC *99", "", "0", {"DEC *90"});
        row("ADF F register", "ADF F03", "", "1", {"ADF F31"});
        row("SUF indirect", "SUF *03", "", "1", {"SUF *31"});
        row("MUF F register", "MUF F03", "", "1", {"MUF F31"});
        row("MUF register second", "MUF *03 R11", "MUF *03", "9", {"MUF *03 R19"});
        row("MUF F register .", "MUF *03 F15", "MUF *03", ".", {"MUF *03 F05"});
        row("ADF F after F", "ADF F01 F02", "ADF F01", "3", {"ADF F01 F23"});
        row("SUF indirect after F", "SUF F01 *02", "SUF F01", "3", {"SUF F01 *23"});
        row("ADF register after indirect", "ADF *01 R02", "ADF *01", "3", {"ADF *01 R23"});
    }
    void keysShiftIntoTheField()
    {
        QFETCH(QString, line);
        QFETCH(QString, temp);
        QFETCH(QString, keys);
        QFETCH(QStringList, after);
        QCOMPARE(after.size(), keys.size());
        const QString tempBefore = temp;
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const DigitEdit e = editParaDigit(line, temp, keyIndex(keys[i]));
            QVERIFY(e.written);
            EnterParaDigit(line, temp, keyIndex(keys[i]));
            QCOMPARE(line, after[i]);
            QCOMPARE(e.line, line);
        }
        QCOMPARE(temp, tempBefore);
    }

    // TEMP_COMMAND stands in for the leading part only when it has its length
    // and the line's command word; otherwise the line's own lead is kept.
    void staleTempCommandDoesNotWipeTheLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("after");
        QTest::newRow("ACC, empty TEMP") << "ACC 2 015"
                                         << ""
                                         << "ACC 2 153";
        QTest::newRow("DCC, ACC TEMP") << "DCC 3 000"
                                       << "ACC 3"
                                       << "DCC 3 003";
        QTest::newRow("SPD, other axis in TEMP") << "SPD 1 R05"
                                                 << "SPD 2"
                                                 << "SPD 2 R53";
        QTest::newRow("ADD, empty TEMP") << "ADD R05 R12"
                                         << ""
                                         << "ADD R05 R23";
        QTest::newRow("ADD, OR TEMP") << "ADD R05 R12"
                                      << "OR R05"
                                      << "ADD R05 R23";
        QTest::newRow("SUB, ADD TEMP") << "SUB R05 0012"
                                       << "ADD R05"
                                       << "SUB R05 0123";
        QTest::newRow("OR, three-letter TEMP") << "OR *12 R05"
                                               << "OR *12 "
                                               << "OR *12 R53";
        QTest::newRow("MUF, ADF TEMP") << "MUF *03 R11"
                                       << "ADF *03"
                                       << "MUF *03 R13";
    }
    void staleTempCommandDoesNotWipeTheLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, temp);
        QFETCH(QString, after);
        const QString tempBefore = temp;
        EnterParaDigit(line, temp, keyIndex(u'3'));
        QCOMPARE(line, after);
        QCOMPARE(temp, tempBefore);
    }

    void linesWithoutRowStayUnchanged_data()
    {
        QTest::addColumn<QString>("line");
        for (const char* l :
             {"",          "WRITE APOS", "WRITE IN",   "ACC 2",       "SPD 3",       "ADD R5",  "ADD",      "OR",
              "OR R5",     "ORR05",      "INC R5",     "ADF R01",     "DEC R01 R02", "VEL 100", "READ P12", "TSPD 1000",
              "INP 12345", "add R05",    "SET R05 R1", "ADD R05 12h", "MVE P000",    "MA P001"})
            QTest::newRow(l) << QString::fromLatin1(l);
    }
    void linesWithoutRowStayUnchanged()
    {
        QFETCH(QString, line);
        for (int key = 0; key < 12; ++key) {
            QString text = line;
            QString temp = QStringLiteral("kept");
            QVERIFY(!editParaDigit(text, temp, key).written);
            EnterParaDigit(text, temp, key);
            QCOMPARE(text, line);
            QCOMPARE(temp, QStringLiteral("kept"));
        }
    }

    void loneSurrogateMatchesNoRow()
    {
        QString line = QStringLiteral("ADD R05 0") + QChar(0xDBFF) + QStringLiteral("1h");
        QString temp = QStringLiteral("ADD R05");
        EnterParaDigit(line, temp, keyIndex(u'2'));
        QCOMPARE(line, QStringLiteral("ADD R05 0") + QChar(0xDBFF) + QStringLiteral("1h"));
    }

    void keysOffTheKeypadDoNothing()
    {
        for (int key : {-1, 12, 32767}) {
            QString line = QStringLiteral("TSPD 123");
            QString temp = QStringLiteral("kept");
            QVERIFY(!editParaDigit(line, temp, key).written);
            EnterParaDigit(line, temp, key);
            QCOMPARE(line, QStringLiteral("TSPD 123"));
            QCOMPARE(temp, QStringLiteral("kept"));
        }
    }

    // The keys 1..9 are the indices 0..8 and 0 is index 9; "." (index 10)
    // drops the first digit, "-" (index 11) carries nothing.
    void keyCharacters()
    {
        for (int key = 0; key < 9; ++key)
            QCOMPARE(editParaDigit(u"INP 000000", u"", key).line, QStringLiteral("INP 00000%1").arg(key + 1));
        QCOMPARE(editParaDigit(u"INP 000001", u"", 9).line, QStringLiteral("INP 000010"));
        QCOMPARE(editParaDigit(u"INP 900001", u"", 10).line, QStringLiteral("INP 000001"));
        QCOMPARE(editParaDigit(u"INP 900001", u"", 11).line, QStringLiteral("INP 900001"));
    }
};

QTEST_GUILESS_MAIN(TestParaDigit)
#include "test_paradigit.moc"
