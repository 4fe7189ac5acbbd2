// The two digit editors of the pendant. The command editor shifts each digit
// key into the last operand field of the line; the parameter editor serves
// the parameter and arithmetic commands and SET, its "." key drops the
// field's first digit, and the rows of ADD, SUB, OR, AND, MUL and SET are
// built on the line's operation word, one place earlier for OR. A key
// without a row, or an index off the keypad, changes nothing.

#include "digitkeys.h"
#include "pendant/digits/digitedit.h"

#include <QtTest>

using namespace pendant::digits;

namespace {

enum class Editor { Cmd, Para };

DigitEdit edit(Editor e, QStringView line, QStringView temp, int key)
{
    return e == Editor::Cmd ? editCmdDigit(line, temp, key) : editParaDigit(line, temp, key);
}

void enter(Editor e, QString& line, QString& temp, int key)
{
    if (e == Editor::Cmd)
        EnterCmdDigit(line, temp, key);
    else
        EnterParaDigit(line, temp, key);
}

QString withChar(const char* before, char32_t c, const char* after = "")
{
    return QString::fromLatin1(before) + QString::fromUcs4(&c, 1) + QString::fromLatin1(after);
}

} // namespace

Q_DECLARE_METATYPE(Editor)

class TestDigitEdit : public QObject {
    Q_OBJECT
private slots:
    // Line and TEMP_COMMAND before, the keys pressed in turn (by their
    // characters), the line after each key and TEMP_COMMAND at the end. No
    // row of the parameter editor sets TEMP_COMMAND.
    void keysShiftIntoTheField_data()
    {
        QTest::addColumn<Editor>("editor");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("tempAfter");
        const auto cmd = [](const char* name, const char* line, const char* temp, const char* keys, QStringList after,
                            const char* tempAfter) {
            QTest::newRow(qPrintable(QStringLiteral("cmd: ") + QString::fromLatin1(name)))
                << Editor::Cmd << QString::fromLatin1(line) << QString::fromLatin1(temp) << QString::fromLatin1(keys)
                << after << QString::fromLatin1(tempAfter);
        };
        const auto para = [](const char* name, const char* line, const char* temp, const char* keys,
                             QStringList after) {
            QTest::newRow(qPrintable(QStringLiteral("para: ") + QString::fromLatin1(name)))
                << Editor::Para << QString::fromLatin1(line) << QString::fromLatin1(temp) << QString::fromLatin1(keys)
                << after << QString::fromLatin1(temp);
        };
        // Point moves; the register point's run grows, shrinks and ends at the first ")".
        cmd("MVE point", "MVE P000", "", "1234", {"MVE P001", "MVE P012", "MVE P123", "MVE P234"}, "");
        cmd("MVS register point", "MVS P(R00)", "", "123", {"MVS P(R01)", "MVS P(R12)", "MVS P(R23)"}, "");
        cmd("HERC indirect point", "HERC P(*07)", "", "5", {"HERC P(*75)"}, "");
        cmd("HERA register point", "HERA P(R09)", "", "1", {"HERA P(R91)"}, "");
        cmd("HERA point", "HERA P005", "", "3", {"HERA P053"}, "");
        cmd("MVL indirect run of one", "MVL P(*1)", "", "2", {"MVL P(*12)"}, "");
        cmd("short run grows", "MVE P(R5)", "", "7", {"MVE P(R57)"}, "");
        cmd("empty run grows", "MVE P(R)", "", "7", {"MVE P(R07)"}, "");
        cmd("empty run, no character: zero filled", "MVE P(R)", "", ".", {"MVE P(R00)"}, "");
        cmd("long run keeps its last two", "MVE P(R123)", "", "4", {"MVE P(R34)"}, "");
        cmd("long run, no character", "MVE P(R123)", "", ".", {"MVE P(R23)"}, "");
        cmd("text after the first ) is dropped", "MVE P(R12)x)", "", "3", {"MVE P(R23)"}, "");
        cmd("long point cut to three", "MVE P12345", "", "6", {"MVE P236"}, "");
        cmd("missing point grows", "MVE P", "", "5", {"MVE P005"}, "");
        // MA takes any character in its operand places.
        cmd("MA . and - write the line back", "MA P012", "", ".-", {"MA P012", "MA P012"}, "");
        cmd("MA key 0", "MA P012", "", "0", {"MA P120"}, "");
        cmd("MA register kept in second operand", "MA P001 R05", "", "7", {"MA P001 R57"}, "MA P001");
        cmd("MA number after register", "MA R01 000", "", "98", {"MA R01 009", "MA R01 098"}, "MA R01");
        cmd("MA cut replaces stale TEMP", "MA R02 *00", "MA R01", "3", {"MA R02 *03"}, "MA R02");
        cmd("MA after indirect register", "MA *05 000", "", "1", {"MA *05 001"}, "MA *05");
        cmd("MA letter in point shifted out", "MA PX01", "", "2", {"MA P012"}, "");
        cmd("MA letter in second operand", "MA P001 RX5", "", "7", {"MA P001 R57"}, "MA P001");
        // MC, CR, AR, SFT.
        cmd("MC register after point", "MC P123 R45", "", "7", {"MC P123 R57"}, "MC P123");
        cmd("MC number after indirect", "MC *07 000", "", "5", {"MC *07 005"}, "MC *07");
        cmd("CR register, TEMP untouched", "CR R05", "kept", "0", {"CR R50"}, "kept");
        cmd("CR indirect after indirect", "CR *12 *00", "", "3", {"CR *12 *03"}, "CR *12");
        cmd("AR number after point", "AR P123 045", "", "6", {"AR P123 456"}, "AR P123");
        cmd("SFT by register", "SFT S(R05)", "", "3", {"SFT S(R53)"}, "");
        cmd("SFT indirect", "SFT S(*07)", "", "1", {"SFT S(*71)"}, "");
        cmd("SFT direct", "SFT S42", "", "9", {"SFT S29"}, "");
        cmd("SFT no character, TEMP untouched", "SFT S(R05)", "kept", "-", {"SFT S(R05)"}, "kept");
        cmd("MC second operand, empty TEMP", "MC R05 R00", "", "4", {"MC R05 R04"}, "MC R05");
        cmd("MC second operand, other TEMP", "MC R05 R00", "CR P001", "4", {"MC R05 R04"}, "MC R05");
        cmd("MC no character still stores", "MC R05 R00", "", ".", {"MC R05 R00"}, "MC R05");
        // MF, MB, SF, SB: the signal's "-" stays.
        cmd("MF point", "MF P000", "", "1234", {"MF P001", "MF P012", "MF P123", "MF P234"}, "");
        cmd("SB indirect", "SB *07", "", "0", {"SB *70"}, "");
        cmd("SF shift", "SF S12", "", "5", {"SF S25"}, "");
        cmd("SF inverted signal, no range", "SF S05 -00", "", "160", {"SF S05 -01", "SF S05 -16", "SF S05 -60"},
            "SF S05");
        cmd("MB signal, any TEMP", "MB R12 05", "junk", "9", {"MB R12 59"}, "MB R12");
        cmd("MF signal after indirect", "MF *05 05", "", "3", {"MF *05 53"}, "MF *05");
        cmd("MF no character stores the point line", "MF P123 -07", "", ".-", {"MF P123 -07", "MF P123 -07"},
            "MF P123");
        cmd("MB inverted signal after point", "MB P123 -05", "", "1", {"MB P123 -51"}, "MB P123");
        cmd("SB signal after shift", "SB S01 07", "", "2", {"SB S01 72"}, "SB S01");
        cmd("SFT is not SF", "SFT S12", "", "3", {"SFT S23"}, "");
        // PM .. VMN; the one-place hexadecimal field of DRP and DRS is replaced.
        cmd("PS number", "PS 000", "", "100", {"PS 001", "PS 010", "PS 100"}, "");
        cmd("PM four digits", "PM 100 0000", "", "10005",
            {"PM 100 0001", "PM 100 0010", "PM 100 0100", "PM 100 1000", "PM 100 0005"}, "PM 100");
        cmd("PS register, any TEMP", "PS 050 R00", "junk", "7", {"PS 050 R07"}, "PS 050");
        cmd("PM indirect", "PM 001 *07", "", "3", {"PM 001 *73"}, "PM 001");
        cmd("DRP hex replaced", "DRP R05 0h", "", "73", {"DRP R05 7h", "DRP R05 3h"}, "DRP R05");
        cmd("DRP hex after point", "DRP P123 Ah", "", "9", {"DRP P123 9h"}, "DRP P123");
        cmd("DRS hex letter replaced", "DRS S12 Fh", "", "0", {"DRS S12 0h"}, "DRS S12");
        cmd("DRS any character replaced", "DRS R01 Zh", "", "4", {"DRS R01 4h"}, "DRS R01");
        cmd("DRS no character keeps the letter", "DRS *07 5h", "", ".", {"DRS *07 5h"}, "DRS *07");
        cmd("DRP first operands", "DRP *01", "", "5", {"DRP *15"}, "");
        cmd("DRP point", "DRP P001", "", "2", {"DRP P012"}, "");
        cmd("VMP no character", "VMP R05", "kept", "-", {"VMP R05"}, "kept");
        cmd("SPL number", "SPL 00", "", "12", {"SPL 01", "SPL 12"}, "");
        cmd("SPL register", "SPL R07", "", "1", {"SPL R71"}, "");
        cmd("VMN number, no range", "VMN 000", "", "1005", {"VMN 001", "VMN 010", "VMN 100", "VMN 005"}, "");
        cmd("VMN indirect", "VMN *01", "", "2", {"VMN *12"}, "");
        cmd("UP point", "UP P000", "", "4", {"UP P004"}, "");
        cmd("DRS shift", "DRS S00", "", "9", {"DRS S09"}, "");
        // Program flow.
        cmd("IF register", "IF R07", "", "5", {"IF R75"}, "");
        cmd("IF F register", "IF F15", "", "7", {"IF F57"}, "");
        cmd("IF indirect", "IF *03", "", "4", {"IF *34"}, "");
        cmd("IF < register", "IF R05 < R07", "", "3", {"IF R05 < R73"}, "IF R05 <");
        cmd("IF != register", "IF R05 != R07", "", "3", {"IF R05 != R73"}, "IF R05 !=");
        cmd("IF = number", "IF F02 = 123", "", "4", {"IF F02 = 234"}, "IF F02 =");
        cmd("IF != number", "IF F02 != 123", "", "4", {"IF F02 != 234"}, "IF F02 !=");
        cmd("IF = F register", "IF *01 = F02", "", "9", {"IF *01 = F29"}, "IF *01 =");
        cmd("IF != indirect", "IF F01 != *02", "", "3", {"IF F01 != *23"}, "IF F01 !=");
        cmd("IF > hex", "IF R05 > 12h", "", "34", {"IF R05 > 23h", "IF R05 > 34h"}, "IF R05 >");
        cmd("IF != hex letter shifts left", "IF R01 != 0Ah", "", "1", {"IF R01 != A1h"}, "IF R01 !=");
        cmd("IF no character stores the comparison", "IF R05 > R07", "", ".-", {"IF R05 > R07", "IF R05 > R07"},
            "IF R05 >");
        cmd("HOME hex", "HOME 00h", "", "78", {"HOME 07h", "HOME 78h"}, "");
        cmd("DLY six digits", "DLY 000000", "", "1", {"DLY 000001"}, "");
        cmd("DLY oldest drops", "DLY 100000", "", "5", {"DLY 000005"}, "");
        cmd("JMP number after label", "JMP L05 000", "", "9", {"JMP L05 009"}, "JMP L05");
        cmd("JMP register after label", "JMP L01 R02", "", "3", {"JMP L01 R23"}, "JMP L01");
        cmd("JMP indirect after label", "JMP L01 *02", "", "3", {"JMP L01 *23"}, "JMP L01");
        cmd("JMP label", "JMP L00", "", "4", {"JMP L04"}, "");
        cmd("CALL program", "CALL PRG31", "", "2", {"CALL PRG12"}, "");
        cmd("GOT key 0", "GOT L12", "", "0", {"GOT L20"}, "");
        // Signal and I/O commands: later operands are built on TEMP_COMMAND.
        cmd("SIGB inverted", "SIGB -00", "", "123", {"SIGB -01", "SIGB -12", "SIGB -23"}, "");
        cmd("SIGB - does not invert", "SIGB 05", "", "-", {"SIGB 05"}, "");
        cmd("SIGB no range", "SIGB 00", "", "99", {"SIGB 09", "SIGB 99"}, "");
        cmd("SIGI register", "SIGI R00", "", "5", {"SIGI R05"}, "");
        cmd("SIGO hex", "SIGO 2 00h", "SIGO 2", "47", {"SIGO 2 04h", "SIGO 2 47h"}, "SIGO 2");
        cmd("SIGO register", "SIGO 2 R00", "SIGO 2", "1", {"SIGO 2 R01"}, "SIGO 2");
        cmd("SIGO number", "SIGO 2 000", "SIGO 2", "1", {"SIGO 2 001"}, "SIGO 2");
        cmd("JB program", "JB 05 PRG00", "JB 05", "3", {"JB 05 PRG03"}, "JB 05");
        cmd("JB inverted after inverted", "JB -05 -00", "JB -05", "7", {"JB -05 -07"}, "JB -05");
        cmd("JB signal after signal", "JB 05 00", "JB 05", "1", {"JB 05 01"}, "JB 05");
        cmd("JB inverted after signal", "JB 05 -00", "JB 05", "1", {"JB 05 -01"}, "JB 05");
        cmd("JB label after inverted", "JB -05 L00", "JB -05", "1", {"JB -05 L01"}, "JB -05");
        cmd("JB program after inverted", "JB -05 PRG00", "JB -05", "1", {"JB -05 PRG01"}, "JB -05");
        cmd("JB signal after inverted", "JB -05 00", "JB -05", "1", {"JB -05 01"}, "JB -05");
        cmd("JB first signal", "JB 00", "", "1", {"JB 01"}, "");
        cmd("JB first inverted", "JB -00", "", "1", {"JB -01"}, "");
        cmd("JB lead from TEMP", "JB 07 L00", "JB 05", "3", {"JB 05 L03"}, "JB 05");
        cmd("WAIT inverted", "WAIT -00", "", "1", {"WAIT -01"}, "");
        cmd("WAIT signal", "WAIT 00", "", "1", {"WAIT 01"}, "");
        cmd("TMS signal", "TMS 00", "", "3", {"TMS 03"}, "");
        cmd("TMS inverted", "TMS -00", "", "3", {"TMS -03"}, "");
        cmd("TMS time after inverted", "TMS -07 0001", "TMS -07", "25", {"TMS -07 0012", "TMS -07 0125"}, "TMS -07");
        cmd("TMS time after signal", "TMS 05 0001", "TMS 05", "2", {"TMS 05 0012"}, "TMS 05");
        cmd("SM first", "SM 00", "", "5", {"SM 05"}, "");
        cmd("SM second", "SM 05 00", "SM 05", "7", {"SM 05 07"}, "SM 05");
        cmd("SM third", "SM 05 07 00", "SM 05 07", "9", {"SM 05 07 09"}, "SM 05 07");
        cmd("LP first", "LP 00", "", "1", {"LP 01"}, "");
        cmd("LP second", "LP 01 00", "LP 01", "2", {"LP 01 02"}, "LP 01");
        cmd("LP third", "LP 01 02 00", "LP 01 02", "3", {"LP 01 02 03"}, "LP 01 02");
        cmd("LS first", "LS 00", "", "1", {"LS 01"}, "");
        cmd("LS second", "LS 03 00", "LS 03", "4", {"LS 03 04"}, "LS 03");
        cmd("LS third", "LS 03 04 00", "LS 03 04", "1", {"LS 03 04 01"}, "LS 03 04");
        cmd("SA hex", "SA 0012h", "", "3", {"SA 0123h"}, "");
        cmd("SA inverted hex letter shifts", "SA -00F0h", "", "1", {"SA -0F01h"}, "");
        cmd("SA number", "SA 00FFh 000", "SA 00FFh", "7", {"SA 00FFh 007"}, "SA 00FFh");
        cmd("SA number after inverted", "SA -00FFh 000", "SA -00FFh", "7", {"SA -00FFh 007"}, "SA -00FFh");
        cmd("RUN program", "RUN PRG00", "", "5", {"RUN PRG05"}, "");
        cmd("RUN one-wide keeps newest", "RUN PRG05 0", "RUN PRG05", "34", {"RUN PRG05 3", "RUN PRG05 4"}, "RUN PRG05");
        // Definition commands.
        cmd("L label", "L05", "", "70.-", {"L57", "L70", "L70", "L70"}, "");
        cmd("INT one-wide", "INT 1", "", "30", {"INT 3", "INT 0"}, "");
        cmd("INT label", "INT 2 L05", "INT 2", "3", {"INT 2 L53"}, "INT 2");
        cmd("INT program", "INT 2 PRG05", "INT 2", "1", {"INT 2 PRG51"}, "INT 2");
        cmd("INT lead from TEMP", "INT 2 L05", "INT 3", "1", {"INT 3 L51"}, "INT 3");
        cmd("F register", "F00", "", "12", {"F01", "F12"}, "");
        cmd("OF axis one-wide", "OF1", "", "3", {"OF3"}, "");
        cmd("F value", "F05 0000.00", "F05", "125", {"F05 0000.01", "F05 0000.12", "F05 0001.25"}, "F05");
        cmd("F value across the point", "F05 0012.34", "F05", "509", {"F05 0123.45", "F05 1234.50", "F05 2345.09"},
            "F05");
        cmd("F negative value", "F05 -0000.00", "F05", "7", {"F05 -0000.07"}, "F05");
        cmd("F value, oldest drops", "F05 9999.99", "F05", "1", {"F05 9999.91"}, "F05");
        cmd("F value . and - change nothing", "F05 0001.25", "F05", ".-", {"F05 0001.25", "F05 0001.25"}, "F05");
        cmd("F negative . and -", "F05 -0000.07", "F05", ".-", {"F05 -0000.07", "F05 -0000.07"}, "F05");
        cmd("F lead from TEMP", "F05 0000.00", "F07", "1", {"F07 0000.01"}, "F07");
        cmd("OF negative value", "OF2 -0000.05", "OF2", "7", {"OF2 -0000.57"}, "OF2");
        cmd("OF value", "OF1 0000.00", "OF1", "12", {"OF1 0000.01", "OF1 0000.12"}, "OF1");
        cmd("LAP F register", "LAP F00", "kept", "5", {"LAP F05"}, "kept");
        cmd("LAS axis one-wide", "LAS F05 1", "kept", "3", {"LAS F05 3"}, "kept");
        cmd("LEP number", "LEP F05 3 00", "kept", "4", {"LEP F05 3 04"}, "kept");
        cmd("LES number", "LES F05 3 04", "LES F05 3", "2", {"LES F05 3 42"}, "LES F05 3");
        cmd("LAx lead from the line", "LAP F05 3 04", "LES F09 1", "2", {"LAP F05 3 42"}, "LES F09 1");

        para("ACC value, . drops the first digit, - nothing", "ACC 2 015", "ACC 2", "5.-",
             {"ACC 2 155", "ACC 2 055", "ACC 2 055"});
        para("DCC value", "DCC 3 000", "DCC 3", "4", {"DCC 3 004"});
        para("SPD register", "SPD 1 R05", "SPD 1", "3", {"SPD 1 R53"});
        para("SPD indirect", "SPD 1 *05", "SPD 1", "0", {"SPD 1 *50"});
        para("SPD value", "SPD 1 012", "SPD 1", "7", {"SPD 1 127"});
        para("TSPD register", "TSPD R05", "", "1", {"TSPD R51"});
        para("TSPD indirect", "TSPD *05", "", "1", {"TSPD *51"});
        para("TSPD value, no range", "TSPD 100", "", "0", {"TSPD 000"});
        para("INP six digits", "INP 000000", "", "1", {"INP 000001"});
        para("INP .", "INP 123456", "", ".", {"INP 023456"});
        para("READ point .", "READ P123", "", ".", {"READ P023"});
        para("READ shift . on a leading 0", "READ S07", "", ".", {"READ S07"});
        para("READ shift", "READ S07", "", "1", {"READ S71"});
        para("WRITE point", "WRITE P009", "", "9", {"WRITE P099"});
        // Operation words.
        para("ADD first register", "ADD R05", "", "7", {"ADD R57"});
        para("OR first register one place earlier", "OR R05", "", "7", {"OR R57"});
        para("SET first indirect", "SET *03", "", "1", {"SET *31"});
        para("SUB first indirect", "SUB *01", "", "2", {"SUB *12"});
        para("ADD register", "ADD R05 R12", "ADD R05", "7", {"ADD R05 R27"});
        para("ADD F register", "ADD R05 F01", "ADD R05", "4", {"ADD R05 F14"});
        para("ADD hex", "ADD R05 012h", "ADD R05", "34", {"ADD R05 123h", "ADD R05 234h"});
        para("ADD hex ., letters kept as text", "ADD R05 12Ah", "ADD R05", ".", {"ADD R05 02Ah"});
        para("ADD lead from TEMP", "ADD R05 R12", "ADD R07", "3", {"ADD R07 R23"});
        para("AND four digits", "AND R01 0000", "AND R01", "5", {"AND R01 0005"});
        para("MUL register after indirect", "MUL *02 R03", "MUL *02", "4", {"MUL *02 R34"});
        para("SET F register", "SET R01 F00", "SET R01", "9", {"SET R01 F09"});
        para("SUB indirect after indirect", "SUB *01 *02", "SUB *01", "3", {"SUB *01 *23"});
        para("AND hex after indirect", "AND *01 00Fh", "AND *01", "1", {"AND *01 0F1h"});
        para("MUL F register after indirect", "MUL *01 F02", "MUL *01", "3", {"MUL *01 F23"});
        para("SUB four digits after indirect", "SUB *01 0009", "SUB *01", "9", {"SUB *01 0099"});
        para("OR register", "OR *12 R05", "OR *12", "6", {"OR *12 R56"});
        para("OR hex", "OR *12 123h", "OR *12", "4", {"OR *12 234h"});
        para("OR four digits", "OR *12 0000", "OR *12", "12", {"OR *12 0001", "OR *12 0012"});
        para("OR F register", "OR R01 F02", "OR R01", "3", {"OR R01 F23"});
        para("OR indirect .", "OR *12 *34", "OR *12", ".", {"OR *12 *04"});
        para("OR indirect first", "OR *05", "", "1", {"OR *51"});
        para("OR register after register", "OR R01 R02", "OR R01", "3", {"OR R01 R23"});
        para("OR hex after register", "OR R01 00Ah", "OR R01", "1", {"OR R01 0A1h"});
        para("OR four digits after register", "OR R01 0001", "OR R01", "2", {"OR R01 0012"});
        para("OR indirect after register", "OR R01 *02", "OR R01", "3", {"OR R01 *23"});
        para("OR F register after indirect", "OR *01 F02", "OR *01", "3", {"OR *01 F23"});
        // INC, DEC, ADF, SUF, MUF.
        para("INC indirect", "INC *05", "", "2", {"INC *52"});
        para("INC register", "INC R05", "", "2", {"INC R52"});
        para("DEC register", "DEC R99", "", "0", {"DEC R90"});
        para("DEC indirect", "DEC *99", "", "0", {"DEC *90"});
        para("ADF F register", "ADF F03", "", "1", {"ADF F31"});
        para("SUF indirect", "SUF *03", "", "1", {"SUF *31"});
        para("MUF F register", "MUF F03", "", "1", {"MUF F31"});
        para("MUF register second", "MUF *03 R11", "MUF *03", "9", {"MUF *03 R19"});
        para("MUF F register .", "MUF *03 F15", "MUF *03", ".", {"MUF *03 F05"});
        para("ADF F after F", "ADF F01 F02", "ADF F01", "3", {"ADF F01 F23"});
        para("SUF indirect after F", "SUF F01 *02", "SUF F01", "3", {"SUF F01 *23"});
        para("ADF register after indirect", "ADF *01 R02", "ADF *01", "3", {"ADF *01 R23"});
    }
    void keysShiftIntoTheField()
    {
        QFETCH(Editor, editor);
        QFETCH(QString, line);
        QFETCH(QString, temp);
        QFETCH(QString, keys);
        QFETCH(QStringList, after);
        QFETCH(QString, tempAfter);
        QCOMPARE(after.size(), keys.size());
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const DigitEdit e = edit(editor, line, temp, keyIndex(keys[i]));
            QVERIFY(e.written);
            enter(editor, line, temp, keyIndex(keys[i]));
            QCOMPARE(line, after[i]);
            QCOMPARE(e.line, line);
            if (editor == Editor::Cmd)
                QCOMPARE(e.tempCommand, temp);
        }
        QCOMPARE(temp, tempAfter);
    }

    // TEMP_COMMAND stands in for the leading part only when it has its length
    // and the line's command word; otherwise the line's own lead is kept.
    void staleTempCommandDoesNotWipeTheLine_data()
    {
        QTest::addColumn<Editor>("editor");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("after");
        QTest::newRow("cmd: JB, empty TEMP") << Editor::Cmd << "JB 07 L00"
                                             << ""
                                             << "JB 07 L03";
        QTest::newRow("cmd: JB, TEMP of another command") << Editor::Cmd << "JB 07 L00"
                                                          << "SIGO 2"
                                                          << "JB 07 L03";
        QTest::newRow("cmd: JB, TEMP of other length") << Editor::Cmd << "JB 07 L00"
                                                       << "JB -05"
                                                       << "JB 07 L03";
        QTest::newRow("cmd: SIGO, empty TEMP") << Editor::Cmd << "SIGO 2 00h"
                                               << ""
                                               << "SIGO 2 03h";
        QTest::newRow("cmd: SIGO, other digit in TEMP") << Editor::Cmd << "SIGO 2 00h"
                                                        << "SIGO 3"
                                                        << "SIGO 3 03h";
        QTest::newRow("cmd: TMS, plain TEMP for the inverted line") << Editor::Cmd << "TMS -07 0001"
                                                                    << "TMS 07"
                                                                    << "TMS -07 0013";
        QTest::newRow("cmd: SM third, TEMP of the second step") << Editor::Cmd << "SM 05 07 00"
                                                                << "SM 05"
                                                                << "SM 05 07 03";
        QTest::newRow("cmd: INT, empty TEMP") << Editor::Cmd << "INT 2 L05"
                                              << ""
                                              << "INT 2 L53";
        QTest::newRow("cmd: F, empty TEMP") << Editor::Cmd << "F05 0000.00"
                                            << ""
                                            << "F05 0000.03";
        QTest::newRow("cmd: F, OF TEMP") << Editor::Cmd << "F05 0012.34"
                                         << "OF1"
                                         << "F05 0123.43";
        QTest::newRow("cmd: OF, F TEMP") << Editor::Cmd << "OF2 -0000.05"
                                         << "F05"
                                         << "OF2 -0000.53";
        QTest::newRow("para: ACC, empty TEMP") << Editor::Para << "ACC 2 015"
                                               << ""
                                               << "ACC 2 153";
        QTest::newRow("para: DCC, ACC TEMP") << Editor::Para << "DCC 3 000"
                                             << "ACC 3"
                                             << "DCC 3 003";
        QTest::newRow("para: SPD, other axis in TEMP") << Editor::Para << "SPD 1 R05"
                                                       << "SPD 2"
                                                       << "SPD 2 R53";
        QTest::newRow("para: ADD, empty TEMP") << Editor::Para << "ADD R05 R12"
                                               << ""
                                               << "ADD R05 R23";
        QTest::newRow("para: ADD, OR TEMP") << Editor::Para << "ADD R05 R12"
                                            << "OR R05"
                                            << "ADD R05 R23";
        QTest::newRow("para: SUB, ADD TEMP") << Editor::Para << "SUB R05 0012"
                                             << "ADD R05"
                                             << "SUB R05 0123";
        QTest::newRow("para: OR, three-letter TEMP") << Editor::Para << "OR *12 R05"
                                                     << "OR *12 "
                                                     << "OR *12 R53";
        QTest::newRow("para: MUF, ADF TEMP") << Editor::Para << "MUF *03 R11"
                                             << "ADF *03"
                                             << "MUF *03 R13";
    }
    void staleTempCommandDoesNotWipeTheLine()
    {
        QFETCH(Editor, editor);
        QFETCH(QString, line);
        QFETCH(QString, temp);
        QFETCH(QString, after);
        const QString tempBefore = temp;
        enter(editor, line, temp, keyIndex(u'3'));
        QCOMPARE(line, after);
        QCOMPARE(temp, tempBefore);
    }

    void linesWithoutRowStayUnchanged_data()
    {
        QTest::addColumn<Editor>("editor");
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
            QTest::newRow(qPrintable(QStringLiteral("cmd: ") + QString::fromLatin1(l)))
                << Editor::Cmd << QString::fromLatin1(l);
        for (const char* l :
             {"",          "WRITE APOS", "WRITE IN",   "ACC 2",       "SPD 3",       "ADD R5",  "ADD",      "OR",
              "OR R5",     "ORR05",      "INC R5",     "ADF R01",     "DEC R01 R02", "VEL 100", "READ P12", "TSPD 1000",
              "INP 12345", "add R05",    "SET R05 R1", "ADD R05 12h", "MVE P000",    "MA P001"})
            QTest::newRow(qPrintable(QStringLiteral("para: ") + QString::fromLatin1(l)))
                << Editor::Para << QString::fromLatin1(l);
    }
    void linesWithoutRowStayUnchanged()
    {
        QFETCH(Editor, editor);
        QFETCH(QString, line);
        for (int key = 0; key < 12; ++key) {
            QString text = line;
            QString temp = QStringLiteral("kept");
            QVERIFY(!edit(editor, text, temp, key).written);
            enter(editor, text, temp, key);
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

        line = QStringLiteral("ADD R05 0") + QChar(0xDBFF) + QStringLiteral("1h");
        temp = QStringLiteral("ADD R05");
        EnterParaDigit(line, temp, keyIndex(u'2'));
        QCOMPARE(line, QStringLiteral("ADD R05 0") + QChar(0xDBFF) + QStringLiteral("1h"));
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
        QTest::addColumn<Editor>("editor");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("key");
        for (int key : {-1, 12, 32767}) {
            QTest::addRow("cmd: %d", key) << Editor::Cmd << QStringLiteral("MA P001 R05") << key;
            QTest::addRow("para: %d", key) << Editor::Para << QStringLiteral("TSPD 123") << key;
        }
    }
    void keysOffTheKeypadDoNothing()
    {
        QFETCH(Editor, editor);
        QFETCH(QString, line);
        QFETCH(int, key);
        QString text = line;
        QString temp = QStringLiteral("kept");
        QVERIFY(!edit(editor, text, temp, key).written);
        enter(editor, text, temp, key);
        QCOMPARE(text, line);
        QCOMPARE(temp, QStringLiteral("kept"));
    }

    // The keys 1..9 are the indices 0..8 and 0 is index 9. "-" (index 11)
    // carries nothing; "." (index 10) carries nothing for the command editor
    // and drops the first digit for the parameter editor.
    void keyCharacters_data()
    {
        QTest::addColumn<Editor>("editor");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        for (int key = 0; key < 9; ++key) {
            QTest::addRow("cmd: key %d", key)
                << Editor::Cmd << QStringLiteral("DLY 000000") << key << QStringLiteral("DLY 00000%1").arg(key + 1);
            QTest::addRow("para: key %d", key)
                << Editor::Para << QStringLiteral("INP 000000") << key << QStringLiteral("INP 00000%1").arg(key + 1);
        }
        QTest::newRow("cmd: 0") << Editor::Cmd << QStringLiteral("DLY 000001") << 9 << QStringLiteral("DLY 000010");
        QTest::newRow("cmd: .") << Editor::Cmd << QStringLiteral("DLY 000001") << 10 << QStringLiteral("DLY 000001");
        QTest::newRow("cmd: -") << Editor::Cmd << QStringLiteral("DLY 000001") << 11 << QStringLiteral("DLY 000001");
        QTest::newRow("para: 0") << Editor::Para << QStringLiteral("INP 000001") << 9 << QStringLiteral("INP 000010");
        QTest::newRow("para: .") << Editor::Para << QStringLiteral("INP 900001") << 10 << QStringLiteral("INP 000001");
        QTest::newRow("para: -") << Editor::Para << QStringLiteral("INP 900001") << 11 << QStringLiteral("INP 900001");
    }
    void keyCharacters()
    {
        QFETCH(Editor, editor);
        QFETCH(QString, line);
        QFETCH(int, key);
        QFETCH(QString, after);
        QCOMPARE(edit(editor, line, u"", key).line, after);
    }
};

QTEST_GUILESS_MAIN(TestDigitEdit)
#include "test_digitedit.moc"
