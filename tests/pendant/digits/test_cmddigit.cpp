// The command digit editor: each digit key shifts into the last operand field
// of the line; a key without a row, or an index off the keypad, changes
// nothing.

#include "digitkeys.h"
#include "pendant/digits/digitedit.h"

#include <QtTest>

using namespace pendant::digits;

namespace {
QString withChar(const char* before, char32_t c, const char* after = "")
{
    return QString::fromLatin1(before) + QString::fromUcs4(&c, 1) + QString::fromLatin1(after);
}
} // namespace

class TestCmdDigit : public QObject {
    Q_OBJECT
private slots:
    // Line and TEMP_COMMAND before, the keys pressed in turn (by their
    // characters), the line after each key and TEMP_COMMAND at the end.
    void keysShiftIntoTheField_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("tempAfter");
        const auto row = [](const char* name, const char* line, const char* temp, const char* keys, QStringList after,
                            const char* tempAfter) {
            QTest::newRow(name) << QString::fromLatin1(line) << QString::fromLatin1(temp) << QString::fromLatin1(keys)
                                << after << QString::fromLatin1(tempAfter);
        };
        // Point moves; the register point's run grows, shrinks and ends at the first ")".
        row("MVE point", "MVE P000", "", "1234", {"MVE P001", "MVE P012", "MVE P123", "MVE P234"}, "");
        row("MVS register point", "MVS P(R00)", "", "123", {"MVS P(R01)", "MVS P(R12)", "MVS P(R23)"}, "");
        row("HERC indirect point", "HERC P(*07)", "", "5", {"HERC P(*75)"}, "");
        row("HERA register point", "HERA P(R09)", "", "1", {"HERA P(R91)"}, "");
        row("HERA point", "HERA P005", "", "3", {"HERA P053"}, "");
        row("MVL indirect run of one", "MVL P(*1)", "", "2", {"MVL P(*12)"}, "");
        row("short run grows", "MVE P(R5)", "", "7", {"MVE P(R57)"}, "");
        row("empty run grows", "MVE P(R)", "", "7", {"MVE P(R07)"}, "");
        row("empty run, no character: zero filled", "MVE P(R)", "", ".", {"MVE P(R00)"}, "");
        row("long run keeps its last two", "MVE P(R123)", "", "4", {"MVE P(R34)"}, "");
        row("long run, no character", "MVE P(R123)", "", ".", {"MVE P(R23)"}, "");
        row("text after the first ) is dropped", "MVE P(R12)x)", "", "3", {"MVE P(R23)"}, "");
        row("long point cut to three", "MVE P12345", "", "6", {"MVE P236"}, "");
        row("missing point grows", "MVE P", "", "5", {"MVE P005"}, "");
        // MA takes any character in its operand places.
        row("MA . and - write the line back", "MA P012", "", ".-", {"MA P012", "MA P012"}, "");
        row("MA key 0", "MA P012", "", "0", {"MA P120"}, "");
        row("MA register kept in second operand", "MA P001 R05", "", "7", {"MA P001 R57"}, "MA P001");
        row("MA number after register", "MA R01 000", "", "98", {"MA R01 009", "MA R01 098"}, "MA R01");
        row("MA cut replaces stale TEMP", "MA R02 *00", "MA R01", "3", {"MA R02 *03"}, "MA R02");
        row("MA after indirect register", "MA *05 000", "", "1", {"MA *05 001"}, "MA *05");
        row("MA letter in point shifted out", "MA PX01", "", "2", {"MA P012"}, "");
        row("MA letter in second operand", "MA P001 RX5", "", "7", {"MA P001 R57"}, "MA P001");
        // MC, CR, AR, SFT.
        row("MC register after point", "MC P123 R45", "", "7", {"MC P123 R57"}, "MC P123");
        row("MC number after indirect", "MC *07 000", "", "5", {"MC *07 005"}, "MC *07");
        row("CR register, TEMP untouched", "CR R05", "kept", "0", {"CR R50"}, "kept");
        row("CR indirect after indirect", "CR *12 *00", "", "3", {"CR *12 *03"}, "CR *12");
        row("AR number after point", "AR P123 045", "", "6", {"AR P123 456"}, "AR P123");
        row("SFT by register", "SFT S(R05)", "", "3", {"SFT S(R53)"}, "");
        row("SFT indirect", "SFT S(*07)", "", "1", {"SFT S(*71)"}, "");
        row("SFT direct", "SFT S42", "", "9", {"SFT S29"}, "");
        row("SFT no character, TEMP untouched", "SFT S(R05)", "kept", "-", {"SFT S(R05)"}, "kept");
        row("MC second operand, empty TEMP", "MC R05 R00", "", "4", {"MC R05 R04"}, "MC R05");
        row("MC second operand, other TEMP", "MC R05 R00", "CR P001", "4", {"MC R05 R04"}, "MC R05");
        row("MC no character still stores", "MC R05 R00", "", ".", {"MC R05 R00"}, "MC R05");
        // MF, MB, SF, SB: the signal's "-" stays.
        row("MF point", "MF P000", "", "1234", {"MF P001", "MF P012", "MF P123", "MF P234"}, "");
        row("SB indirect", "SB *07", "", "0", {"SB *70"}, "");
        row("SF shift", "SF S12", "", "5", {"SF S25"}, "");
        row("SF inverted signal, no range", "SF S05 -00", "", "160", {"SF S05 -01", "SF S05 -16", "SF S05 -60"},
            "SF S05");
        row("MB signal, any TEMP", "MB R12 05", "junk", "9", {"MB R12 59"}, "MB R12");
        row("MF signal after indirect", "MF *05 05", "", "3", {"MF *05 53"}, "MF *05");
        row("MF no character stores the point line", "MF P123 -07", "", ".-", {"MF P123 -07", "MF P123 -07"},
            "MF P123");
        row("MB inverted signal after point", "MB P123 -05", "", "1", {"MB P123 -51"}, "MB P123");
        row("SB signal after shift", "SB S01 07", "", "2", {"SB S01 72"}, "SB S01");
        row("SFT is not SF", "SFT S12", "", "3", {"SFT S23"}, "");
        // PM .. VMN; the one-place hexadecimal field of DRP and DRS is replaced.
        row("PS number", "PS 000", "", "100", {"PS 001", "PS 010", "PS 100"}, "");
        row("PM four digits", "PM 100 0000", "", "10005",
            {"PM 100 0001", "PM 100 0010", "PM 100 0100", "PM 100 1000", "PM 100 0005"}, "PM 100");
        row("PS register, any TEMP", "PS 050 R00", "junk", "7", {"PS 050 R07"}, "PS 050");
        row("PM indirect", "PM 001 *07", "", "3", {"PM 001 *73"}, "PM 001");
        row("DRP hex replaced", "DRP R05 0h", "", "73", {"DRP R05 7h", "DRP R05 3h"}, "DRP R05");
        row("DRP hex after point", "DRP P123 Ah", "", "9", {"DRP P123 9h"}, "DRP P123");
        row("DRS hex letter replaced", "DRS S12 Fh", "", "0", {"DRS S12 0h"}, "DRS S12");
        row("DRS any character replaced", "DRS R01 Zh", "", "4", {"DRS R01 4h"}, "DRS R01");
        row("DRS no character keeps the letter", "DRS *07 5h", "", ".", {"DRS *07 5h"}, "DRS *07");
        row("DRP first operands", "DRP *01", "", "5", {"DRP *15"}, "");
        row("DRP point", "DRP P001", "", "2", {"DRP P012"}, "");
        row("VMP no character", "VMP R05", "kept", "-", {"VMP R05"}, "kept");
        row("SPL number", "SPL 00", "", "12", {"SPL 01", "SPL 12"}, "");
        row("SPL register", "SPL R07", "", "1", {"SPL R71"}, "");
        row("VMN number, no range", "VMN 000", "", "1005", {"VMN 001", "VMN 010", "VMN 100", "VMN 005"}, "");
        row("VMN indirect", "VMN *01", "", "2", {"VMN *12"}, "");
        row("UP point", "UP P000", "", "4", {"UP P004"}, "");
        row("DRS shift", "DRS S00", "", "9", {"DRS S09"}, "");
        // Program flow.
        row("IF register", "IF R07", "", "5", {"IF R75"}, "");
        row("IF F register", "IF F15", "", "7", {"IF F57"}, "");
        row("IF indirect", "IF *03", "", "4", {"IF *34"}, "");
        row("IF < register", "IF R05 < R07", "", "3", {"IF R05 < R73"}, "IF R05 <");
        row("IF != register", "IF R05 != R07", "", "3", {"IF R05 != R73"}, "IF R05 !=");
        row("IF = number", "IF F02 = 123", "", "4", {"IF F02 = 234"}, "IF F02 =");
        row("IF != number", "IF F02 != 123", "", "4", {"IF F02 != 234"}, "IF F02 !=");
        row("IF = F register", "IF *01 = F02", "", "9", {"IF *01 = F29"}, "IF *01 =");
        row("IF != indirect", "IF F01 != *02", "", "3", {"IF F01 != *23"}, "IF F01 !=");
        row("IF > hex", "IF R05 > 12h", "", "34", {"IF R05 > 23h", "IF R05 > 34h"}, "IF R05 >");
        row("IF != hex letter shifts left", "IF R01 != 0Ah", "", "1", {"IF R01 != A1h"}, "IF R01 !=");
        row("IF no character stores the comparison", "IF R05 > R07", "", ".-", {"IF R05 > R07", "IF R05 > R07"},
            "IF R05 >");
        row("HOME hex", "HOME 00h", "", "78", {"HOME 07h", "HOME 78h"}, "");
        row("DLY six digits", "DLY 000000", "", "1", {"DLY 000001"}, "");
        row("DLY oldest drops", "DLY 100000", "", "5", {"DLY 000005"}, "");
        row("JMP number after label", "JMP L05 000", "", "9", {"JMP L05 009"}, "JMP L05");
        row("JMP register after label", "JMP L01 R02", "", "3", {"JMP L01 R23"}, "JMP L01");
        row("JMP indirect after label", "JMP L01 *02", "", "3", {"JMP L01 *23"}, "JMP L01");
        row("JMP label", "JMP L00", "", "4", {"JMP L04"}, "");
        row("CALL program", "CALL PRG31", "", "2", {"CALL PRG12"}, "");
        row("GOT key 0", "GOT L12", "", "0", {"GOT L20"}, "");
        // Signal and I/O commands: later operands are built on TEMP_COMMAND.
        row("SIGB inverted", "SIGB -00", "", "123", {"SIGB -01", "SIGB -12", "SIGB -23"}, "");
        row("SIGB - does not invert", "SIGB 05", "", "-", {"SIGB 05"}, "");
        row("SIGB no range", "SIGB 00", "", "99", {"SIGB 09", "SIGB 99"}, "");
        row("SIGI register", "SIGI R00", "", "5", {"SIGI R05"}, "");
        row("SIGO hex", "SIGO 2 00h", "SIGO 2", "47", {"SIGO 2 04h", "SIGO 2 47h"}, "SIGO 2");
        row("SIGO register", "SIGO 2 R00", "SIGO 2", "1", {"SIGO 2 R01"}, "SIGO 2");
        row("SIGO number", "SIGO 2 000", "SIGO 2", "1", {"SIGO 2 001"}, "SIGO 2");
        row("JB program", "JB 05 PRG00", "JB 05", "3", {"JB 05 PRG03"}, "JB 05");
        row("JB inverted after inverted", "JB -05 -00", "JB -05", "7", {"JB -05 -07"}, "JB -05");
        row("JB signal after signal", "JB 05 00", "JB 05", "1", {"JB 05 01"}, "JB 05");
        row("JB inverted after signal", "JB 05 -00", "JB 05", "1", {"JB 05 -01"}, "JB 05");
        row("JB label after inverted", "JB -05 L00", "JB -05", "1", {"JB -05 L01"}, "JB -05");
        row("JB program after inverted", "JB -05 PRG00", "JB -05", "1", {"JB -05 PRG01"}, "JB -05");
        row("JB signal after inverted", "JB -05 00", "JB -05", "1", {"JB -05 01"}, "JB -05");
        row("JB first signal", "JB 00", "", "1", {"JB 01"}, "");
        row("JB first inverted", "JB -00", "", "1", {"JB -01"}, "");
        row("JB lead from TEMP", "JB 07 L00", "JB 05", "3", {"JB 05 L03"}, "JB 05");
        row("WAIT inverted", "WAIT -00", "", "1", {"WAIT -01"}, "");
        row("WAIT signal", "WAIT 00", "", "1", {"WAIT 01"}, "");
        row("TMS signal", "TMS 00", "", "3", {"TMS 03"}, "");
        row("TMS inverted", "TMS -00", "", "3", {"TMS -03"}, "");
        row("TMS time after inverted", "TMS -07 0001", "TMS -07", "25", {"TMS -07 0012", "TMS -07 0125"}, "TMS -07");
        row("TMS time after signal", "TMS 05 0001", "TMS 05", "2", {"TMS 05 0012"}, "TMS 05");
        row("SM first", "SM 00", "", "5", {"SM 05"}, "");
        row("SM second", "SM 05 00", "SM 05", "7", {"SM 05 07"}, "SM 05");
        row("SM third", "SM 05 07 00", "SM 05 07", "9", {"SM 05 07 09"}, "SM 05 07");
        row("LP first", "LP 00", "", "1", {"LP 01"}, "");
        row("LP second", "LP 01 00", "LP 01", "2", {"LP 01 02"}, "LP 01");
        row("LP third", "LP 01 02 00", "LP 01 02", "3", {"LP 01 02 03"}, "LP 01 02");
        row("LS first", "LS 00", "", "1", {"LS 01"}, "");
        row("LS second", "LS 03 00", "LS 03", "4", {"LS 03 04"}, "LS 03");
        row("LS third", "LS 03 04 00", "LS 03 04", "1", {"LS 03 04 01"}, "LS 03 04");
        row("SA hex", "SA 0012h", "", "3", {"SA 0123h"}, "");
        row("SA inverted hex letter shifts", "SA -00F0h", "", "1", {"SA -0F01h"}, "");
        row("SA number", "SA 00FFh 000", "SA 00FFh", "7", {"SA 00FFh 007"}, "SA 00FFh");
        row("SA number after inverted", "SA -00FFh 000", "SA -00FFh", "7", {"SA -00FFh 007"}, "SA -00FFh");
        row("RUN program", "RUN PRG00", "", "5", {"RUN PRG05"}, "");
        row("RUN one-wide keeps newest", "RUN PRG05 0", "RUN PRG05", "34", {"RUN PRG05 3", "RUN PRG05 4"}, "RUN PRG05");
        // Definition commands.
        row("L label", "L05", "", "70.-", {"L57", "L70", "L70", "L70"}, "");
        row("INT one-wide", "INT 1", "", "30", {"INT 3", "INT 0"}, "");
        row("INT label", "INT 2 L05", "INT 2", "3", {"INT 2 L53"}, "INT 2");
        row("INT program", "INT 2 PRG05", "INT 2", "1", {"INT 2 PRG51"}, "INT 2");
        row("INT lead from TEMP", "INT 2 L05", "INT 3", "1", {"INT 3 L51"}, "INT 3");
        row("F register", "F00", "", "12", {"F01", "F12"}, "");
        row("OF axis one-wide", "OF1", "", "3", {"OF3"}, "");
        row("F value", "F05 0000.00", "F05", "125", {"F05 0000.01", "F05 0000.12", "F05 0001.25"}, "F05");
        row("F value across the point", "F05 0012.34", "F05", "509", {"F05 0123.45", "F05 1234.50", "F05 2345.09"},
            "F05");
        row("F negative value", "F05 -0000.00", "F05", "7", {"F05 -0000.07"}, "F05");
        row("F value, oldest drops", "F05 9999.99", "F05", "1", {"F05 9999.91"}, "F05");
        row("F value . and - change nothing", "F05 0001.25", "F05", ".-", {"F05 0001.25", "F05 0001.25"}, "F05");
        row("F negative . and -", "F05 -0000.07", "F05", ".-", {"F05 -0000.07", "F05 -0000.07"}, "F05");
        row("F lead from TEMP", "F05 0000.00", "F07", "1", {"F07 0000.01"}, "F07");
        row("OF negative value", "OF2 -0000.05", "OF2", "7", {"OF2 -0000.57"}, "OF2");
        row("OF value", "OF1 0000.00", "OF1", "12", {"OF1 0000.01", "OF1 0000.12"}, "OF1");
        row("LAP F register", "LAP F00", "kept", "5", {"LAP F05"}, "kept");
        row("LAS axis one-wide", "LAS F05 1", "kept", "3", {"LAS F05 3"}, "kept");
        row("LEP number", "LEP F05 3 00", "kept", "4", {"LEP F05 3 04"}, "kept");
        row("LES number", "LES F05 3 04", "LES F05 3", "2", {"LES F05 3 42"}, "LES F05 3");
        row("LAx lead from the line", "LAP F05 3 04", "LES F09 1", "2", {"LAP F05 3 42"}, "LES F09 1");
    }
    void keysShiftIntoTheField()
    {
        QFETCH(QString, line);
        QFETCH(QString, temp);
        QFETCH(QString, keys);
        QFETCH(QStringList, after);
        QFETCH(QString, tempAfter);
        QCOMPARE(after.size(), keys.size());
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const DigitEdit e = editCmdDigit(line, temp, keyIndex(keys[i]));
            QVERIFY(e.written);
            EnterCmdDigit(line, temp, keyIndex(keys[i]));
            QCOMPARE(line, after[i]);
            QCOMPARE(e.line, line);
            QCOMPARE(e.tempCommand, temp);
        }
        QCOMPARE(temp, tempAfter);
    }

    // TEMP_COMMAND stands in for the leading part only when it has its length
    // and the line's command word; otherwise the line's own lead is kept.
    void staleTempCommandDoesNotWipeTheLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("after");
        QTest::newRow("JB, empty TEMP") << "JB 07 L00"
                                        << ""
                                        << "JB 07 L03";
        QTest::newRow("JB, TEMP of another command") << "JB 07 L00"
                                                     << "SIGO 2"
                                                     << "JB 07 L03";
        QTest::newRow("JB, TEMP of other length") << "JB 07 L00"
                                                  << "JB -05"
                                                  << "JB 07 L03";
        QTest::newRow("SIGO, empty TEMP") << "SIGO 2 00h"
                                          << ""
                                          << "SIGO 2 03h";
        QTest::newRow("SIGO, other digit in TEMP") << "SIGO 2 00h"
                                                   << "SIGO 3"
                                                   << "SIGO 3 03h";
        QTest::newRow("TMS, plain TEMP for the inverted line") << "TMS -07 0001"
                                                               << "TMS 07"
                                                               << "TMS -07 0013";
        QTest::newRow("SM third, TEMP of the second step") << "SM 05 07 00"
                                                           << "SM 05"
                                                           << "SM 05 07 03";
        QTest::newRow("INT, empty TEMP") << "INT 2 L05"
                                         << ""
                                         << "INT 2 L53";
        QTest::newRow("F, empty TEMP") << "F05 0000.00"
                                       << ""
                                       << "F05 0000.03";
        QTest::newRow("F, OF TEMP") << "F05 0012.34"
                                    << "OF1"
                                    << "F05 0123.43";
        QTest::newRow("OF, F TEMP") << "OF2 -0000.05"
                                    << "F05"
                                    << "OF2 -0000.53";
    }
    void staleTempCommandDoesNotWipeTheLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, temp);
        QFETCH(QString, after);
        const QString tempBefore = temp;
        EnterCmdDigit(line, temp, keyIndex(u'3'));
        QCOMPARE(line, after);
        QCOMPARE(temp, tempBefore);
    }

    void linesWithoutRowStayUnchanged_data()
    {
        QTest::addColumn<QString>("line");
        for (const char* l : {"",          "MA P01",         "MA P001 R0",  "MVE",         "MVE p001",
                              "MC",        "MC P12",         "MC P1234",    "MC Pa23",     "MC R05 R5",
                              "MC P(R05)", "AR R05",         "AR P123 R05", "SFT S(R5)",   "SFT S(R123)",
                              "SFT S5",    "SFT S(R05) R00", "MF S12",      "SF P123",     "MF P(R12)",
                              "MF R12 -5", "MF R12 005",     "MF R12-05",   "MF R1A",      "mf R12",
                              "PM",        "PM 05",          "PM 0050",     "PM 005 R5",   "PM 005 00000",
                              "PM R05",    "DRP S12",        "DRS P123",    "DRP 005",     "DRP R05 00h",
                              "DRP R05 0", "DRP R05 0h 1",   "SPL 005",     "SPL R05 R00", "UP R05",
                              "UP P00",    "VMP 05",         "VMN P001",    "VMP R0A",     "pm 005",
                              "IF R05 >",  "IF R5",          "JMP L05 R0",  "STOP",        "SIGO 2",
                              "SIGO AON",  "SIGI R05 1",     "PWR ON",      "INT 2 OFF",   "CCLR 1",
                              "F05 12.50", "LAP F05 1 2",    "ACC 2 015",   "ADD R05"})
            QTest::newRow(l) << QString::fromLatin1(l);
    }
    void linesWithoutRowStayUnchanged()
    {
        QFETCH(QString, line);
        for (int key = 0; key < 12; ++key) {
            QString text = line;
            QString temp = QStringLiteral("kept");
            const DigitEdit e = editCmdDigit(text, temp, key);
            QVERIFY(!e.written);
            EnterCmdDigit(text, temp, key);
            QCOMPARE(text, line);
            QCOMPARE(temp, QStringLiteral("kept"));
        }
    }

    // A lone surrogate code unit matches nothing, not even a "?" place.
    void loneSurrogateMatchesNoRow()
    {
        QString line = QStringLiteral("MA P01") + QChar(0xD800);
        QString temp;
        EnterCmdDigit(line, temp, keyIndex(u'2'));
        QCOMPARE(line, QStringLiteral("MA P01") + QChar(0xD800));
        line = QStringLiteral("MA R") + QChar(0xDC00) + QStringLiteral("1 000");
        QVERIFY(!editCmdDigit(line, temp, keyIndex(u'2')).written);
    }

    // Places count characters, so a character outside the basic plane is
    // shifted whole and never split into a lone half.
    void charactersOutsideTheBasicPlaneStayWhole()
    {
        QString line = withChar("MA P01", 0x1F600);
        QString temp;
        EnterCmdDigit(line, temp, keyIndex(u'2'));
        QCOMPARE(line, withChar("MA P1", 0x1F600, "2"));
        line = withChar("MA R", 0x1F600, "1 000");
        EnterCmdDigit(line, temp, keyIndex(u'4'));
        QCOMPARE(line, withChar("MA R", 0x1F600, "1 004"));
        QCOMPARE(temp, withChar("MA R", 0x1F600, "1"));
    }

    void keysOffTheKeypadDoNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("-1") << -1;
        QTest::newRow("12") << 12;
        QTest::newRow("32767") << 32767;
    }
    void keysOffTheKeypadDoNothing()
    {
        QFETCH(int, key);
        QString line = QStringLiteral("MA P001 R05");
        QString temp = QStringLiteral("kept");
        QVERIFY(!editCmdDigit(line, temp, key).written);
        EnterCmdDigit(line, temp, key);
        QCOMPARE(line, QStringLiteral("MA P001 R05"));
        QCOMPARE(temp, QStringLiteral("kept"));
    }

    // The keys 1..9 are the indices 0..8 and 0 is index 9; "." and "-" carry
    // no character here.
    void keyCharacters()
    {
        for (int key = 0; key < 9; ++key)
            QCOMPARE(editCmdDigit(u"DLY 000000", u"", key).line, QStringLiteral("DLY 00000%1").arg(key + 1));
        QCOMPARE(editCmdDigit(u"DLY 000001", u"", 9).line, QStringLiteral("DLY 000010"));
        QCOMPARE(editCmdDigit(u"DLY 000001", u"", 10).line, QStringLiteral("DLY 000001"));
        QCOMPARE(editCmdDigit(u"DLY 000001", u"", 11).line, QStringLiteral("DLY 000001"));
    }
};

QTEST_GUILESS_MAIN(TestCmdDigit)
#include "test_cmddigit.moc"
