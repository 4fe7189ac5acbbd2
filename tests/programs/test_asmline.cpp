// One program line into its step word, or the exact text the operator is
// shown: every command group and operand form, the ranges and their messages,
// the token rules, and the round trip through the lister.

#include "programs/assembler.h"
#include "programs/cmdwords.h"
#include "programs/lister.h"

#include "common/rterror.h"
#include "common/strings.h"

#include <QtTest>

using programs::AsmLine;
using programs::assembleLine;

namespace {

const qint64 kNoWord = -1;

struct Case {
    const char* line;
    int axes;
    qint64 word;         // kNoWord when the line is refused
    const char* message; // the box text when refused
};

const char* const kNoSuch = "해당 명령어가 없습니다";
const char* const kOverflow = "<overflow>";

Case w(const char* line, qint64 word, int axes = 4)
{
    return {line, axes, word, ""};
}
Case m(const char* line, const char* message, int axes = 4)
{
    return {line, axes, kNoWord, message};
}

// clang-format off
const Case kCases[] = {
    // Worked words of the language.
    w("MVE P(*05)", 0x01201400), w("MA P001 002", 0x03500402), w("IF R01 = 0AH", 0x2141010A),
    w("F05 -0001.50", 0x69580096), w("SA -00FFH 010", 0x3A8A00FF), w("MVE P(R05)", 0x01001400),
    w("SFT S07", 0x07101C00), w("MF P010 -03", 0x08502803), w("DRP R02 CH", 0x0E00080C),
    w("PM 002 *07", 0x0C808007), w("IF F03 < 0AH", 0x21A1030A), w("IF R01 = 100", 0x21420164),
    w("JMP L05 R03", 0x24000503), w("SIGB -05", 0x31010500), w("SIGO 2 0FH", 0x3301020F),
    w("SIGO AOFF", 0x33040000), w("JB -03 PRG07", 0x34110307), w("TMS -05 0100", 0x36190064),
    w("RUN PRG05 2", 0x39050200), w("ACC 2 100", 0x41026400), w("SPD 1 R05", 0x43000405),
    w("ADD R01 0FFH", 0x511010FF), w("SET *02 F03", 0x61C02003), w("ADF F01 R02", 0x58201002),
    w("INT 2 L10", 0x6301020A), w("LAP F02 3 04", 0x6A020304),

    // Words without operands; their operands are not read.
    w("STOP", 0x26000000), w("STOP 05", 0x26000000), w("RET", 0x28000000), w("RETC", 0x29000000),
    w("[EOF]", 0x80000000), w("002 [EOF]", 0x80000000),
    // The empty step, as "$" or the writer's sixteen hyphens.
    w("$", 0), w("005 $", 0), w("----------------", 0), w("003 ----------------", 0),
    m("", kNoSuch), m("   ", kNoSuch), m("-----", kNoSuch), m("MVEX P001", kNoSuch), m("P002", kNoSuch),

    // Token rules: the step number is skipped, lower case is upper-cased, TAB
    // separates, ";" after a blank ends the operands, inside a token it is a
    // character, commas separate operands, only columns 1..80 count, a
    // command token is cut after 10 characters.
    w("000 MVE P001", 0x01100400), w("mve p001", 0x01100400), w("MVE\tP001", 0x01100400),
    w("SM 01 02 ;03", 0x38010200), m("SM 01 02;03", "MAX_REG_LMT_OVER"), w("SM 01 02 03 04 05", 0x38010203),
    w("MA P001,P002", 0x03500402), w("MA P001", 0x03500400),
    w("F0000000001 0001.00", 0x69000064),

    // MVE, MVS, UP, MVL, SFT: the second character picks the form; the
    // number is placed before its check.
    w("MVE P1000", 0x011FA000), m("MVE P1001", "LOC 번호 초과"), m("MVE P(R100)", "REG 번호 초과"),
    w("MVE 001", 0x01100400), m("MVE PX01", "MVE 명령어 Syntex Error"), m("MVE P9999999", kOverflow),
    m("MVE P2097151", "LOC 번호 초과"), m("MVE P2097152", kOverflow), w("MVE S(*05)", 0x01001400),
    w("SFT S(*05)", 0x07201400), m("SFT S100", "SFT 번호 초과"), m("MVS X", "MVS 명령어 Syntex Error"),
    w("UP P002", 0x11100800), w("MVL P(*01)", 0x12200400), m("UP P", "UP 명령어 Syntex Error"),
    w("MVL P(R", 0x12000000), m("SFT SX", "SFT 명령어 Syntex Error"),
    // MA, MC, CR show the MA texts; an unknown first letter shows only 71.
    w("MA R05 *07", 0x03201407), m("MC P1001 002", "MA1-MAX_LOC_LMT_OVER"), m("CR R100 002", "MA1-MAX_REG_LMT_OVER"),
    m("MA P001 R100", "MA2-MAX_REG_LMT_OVER"), m("MA P001 1001", "MA2-MAX_LOC_LMT_OVER"), m("MA X001 002", "71"),
    w("AR P1000 999", 0x063E83E7), m("AR P1001 000", "AR1-MAX_LOC_LMT_OVER"), m("AR P001 1000", "AR2-MAX_ARC_LMT_OVER"),
    // MF, MB, SF, SB.
    m("MF P001 -17", "MF-MAX_SIG_LMT_OVER"), m("MF P001 00", "MF-MAX_SIG_LMT_OVER"), m("MB R100 01", "MF-MAX_REG_LMT_OVER"),
    m("MF P1001 01", "MF-MAX_LOC_LMT_OVER"), w("MF *05 16", 0x08801410), w("SF S05 -01", 0x0A501401),
    m("SB S100 01", "SF-MAX_SFT_LMT_OVER"), m("SF R100 01", "SF-MAX_REG_LMT_OVER"), m("SF S01 17", "SF-MAX_SIG_LMT_OVER"),
    // PM, PS.
    m("PM 000 0001", "PM-MAX_PAL_LMT_OVER"), w("PS 100 9999", 0x0D59270F), m("PM 001 R100", "PM2-MAX_REG_LMT_OVER"),
    m("PS 001 10000", "PM2-MAX_PAL_LMT_OVER"),
    // DRP, DRS: the mask's letters stand for "10".."15".
    m("DRP P001 0H", "DRP-MAX_AXIS_LMT_OVER"), w("DRP P001 FH", 0x0E10040F), w("DRP P001 11H", 0x0E10040B),
    m("DRP P001 FFH", "DRP-MAX_AXIS_LMT_OVER"), m("DRP P1001 1H", "DRP-MAX_LOC_LMT_OVER"),
    m("DRS S100 1H", "DRS-MAX_SFT_LMT_OVER"), m("DRS R100 1H", "DRP-MAX_REG_LMT_OVER"), w("DRS *05 0AH", 0x0F20140A),
    // SPL, VMP, VMN, TSPD.
    m("SPL 11", "SPL 번호가 큼"), w("SPL R99", 0x10018C00), m("SPL X1", "SPL 명령어 Syntex Error"),
    w("SPL *05", 0x10201400), w("SPL 10", 0x10102800), m("VMP 101", "SPD 번호가 큼"), m("VMN R100", "REG 번호가 큼"),
    m("VMP X", "VMP 명령어 Syntex Error"), w("VMN 100", 0x14119000), w("TSPD 050", 0x47103200),
    w("TSPD *05", 0x47200500), m("TSPD 101", "SPD 번호가 큼"), m("TSPD X1", "TSPD 명령어 Syntex Error"),
    m("TSPD 8388607", "SPD 번호가 큼"), m("TSPD 8388608", kOverflow),

    // IF.
    m("IF R01 > 256", "MAX_HEX_LMT_OVER"), m("IF F16 = 001", "MAX_FREG_LMT_OVER"), m("IF F01 = 300", "IF_SYNTEX_ERR"),
    w("IF R01 >= 005", 0x21020105), w("IF R01 != R02", 0x21C00102), w("IF *05 = *06", 0x21530506),
    m("IF R100 = 001", "MAX_REG_LMT_OVER"), m("IF R01 = R100", "MAX_REG_LMT_OVER"), m("IF R01 = F16", "MAX_FREG_LMT_OVER"),
    w("IF R01 = 0ah", 0x2141010A), w("IF F03 < F04", 0x21A40304),
    // GOT, DLY, JMP, HOME, CALL.
    m("GOT 05", "GOT sysntex error"), m("GOT L51", "LEVEL 번호가 큼"), w("GOT L50", 0x22320000),
    m("DLY 1000000", "DLY Dara error"), w("DLY 999999", 0x230F423F),
    m("JMP L51 001", "JMP-MAX_LABEL_LMT_OVER"), m("JMP L01 R100", "JMP-MAX_REG_LMT_OVER"),
    m("JMP L01 256", "JMP-MAX_JMP_LMT_OVER"), w("JMP L01 255", 0x240101FF), w("JMP L02 *03", 0x24020203),
    w("HOME FFH", 0x25FF0000), w("HOME 1FFH", 0x25FF0000), w("HOME 0FH", 0x250F0000), w("HOME 7FFFH", 0x25FF0000),
    m("HOME 8000H", kOverflow), m("HOME FFFFFFFFFH", kOverflow),
    w("CALL PRG32", 0x27200000), m("CALL PRG33", "FILE 번호가 큼"),

    // I/O words.
    w("SIGB 24", 0x31001800), m("SIGB 25", "출력신호값 OVER"), m("SIGB 00", "출력신호값 OVER"),
    w("WAIT -16", 0x35011000), m("WAIT 17", "WAIT 입력신호값 OVER"),
    w("SIGI R05 1", 0x32050100), m("SIGI R100 1", "JMP-MAX_REG_LMT_OVER"), m("SIGI R05 3", "JMP-MAX_IN_PORT_LMT_OVER"),
    m("SIGO 4 255", "SIGO-MAX_OUT_PORT_LMT_OVER"), m("SIGO 1 256", "SIGO-MAX_HEX_LMT_OVER"), w("SIGO 1 R05", 0x33000105),
    w("SIGO AON", 0x33030000), w("SIGO 1 255", 0x330201FF), m("SIGO 1 R100", "SIGO-MAX_REG_LMT_OVER"),
    w("SIGO 3 0fh", 0x3301030F),
    m("JB 05 L51", "JB-MAX_LABEL_LMT_OVER"), m("JB 05 PRG32", "JB-MAX_FILE_LMT_OVER"), m("JB 17 10", "JB-MAX_SIG_LMT_OVER"),
    w("JB 05 -24", 0x34030518), w("JB 05 24", 0x34020518), m("JB 05 25", "JB-MAX_SIG_LMT_OVER"), w("JB 05 L10", 0x3400050A),
    m("TMS 00 0100", "TMS-MAX_SIG_LMT_OVER"), w("TMS -16 9999", 0x3624270F), m("TMS -17 0000", "TMS-MAX_SIG_LMT_OVER"),
    w("TMS 25 0100", 0x36190064), m("TMS 01 10000", "TMS-MAX_TMS_LMT_OVER"),
    // Every code 1..36 is a signal, 20 included.
    w("TMS 20 0100", 0x36140064), w("TMS 19 0100", 0x36130064), w("TMS 21 0100", 0x36150064),
    m("TMS 37 0100", "TMS-MAX_SIG_LMT_OVER"),
    // A first operand "A..." is AON, AOFF or nothing the controller knows.
    m("SIGO A 255", "SIGO-MAX_OUT_PORT_LMT_OVER"), m("SIGO APOS 1", "SIGO-MAX_OUT_PORT_LMT_OVER"),
    // Operands stored as a register of the other kind must be one: IF's
    // left operand as Rnn, ADF's, SUF's and MUF's as Fnn.
    m("IF 100 = 001", "MAX_REG_LMT_OVER"), w("IF X05 = 001", 0x21420501),
    m("ADF P1000 F01", "MAX_FREG_LMT_OVER"), m("SUF F01 1000", "MAX_FREG_LMT_OVER"), w("MUF X05 15", 0x5A00500F),
    w("SIGO AONX 7", 0x33030000), w("SIGO A?F", 0x33040000),
    w("PWR ON", 0x37010000), w("PWR X", 0x37010000), w("PWR", 0x37010000), w("PWR OFF", 0x37000000),
    m("SM 100 00 00", "MAX_REG_LMT_OVER"),
    w("RUN PRG32 4", 0x39200400), m("RUN PRG33 0", "FILE 번호가 큼"), m("RUN PRG05 5", "TASK 번호가 큼"),
    m("SA 00FFH 000", "SAR-MAX_SAR_LMT_OVER"), w("SA -00FFH 100", 0x3AE400FF), w("SA FFFFH 001", 0x3A01FFFF),
    m("SA 10000H 010", "SA-MAX_HEX_LMT_OVER"), m("SA FFFFFFFFFH 001", kOverflow),

    // Parameter words; SPD's axis goes up to the axis count.
    m("ACC 5 100", "ACC-MAX_AXIS_LMT_OVER"), m("DCC 0 100", "DCC-MAX_AXIS_LMT_OVER"),
    m("ACC 1 201", "ACCDCC-MAX_ACCDCC_LMT_OVER"),
    m("SPD 3 050", "AX_NUM_ERR", 2), w("SPD 3 050", 0x43100C32, 4), w("SPD 3 050", 0x43100C32, 3),
    m("SPD 4 050", "AX_NUM_ERR", 3), w("SPD 2 *05", 0x43200805, 2), m("SPD 1 101", "SPD 번호가 큼"),
    m("SPD 1 R100", "REG 번호가 큼"),
    m("VEL 1 0", "VEL-MAX_VEL_LMT_OVER"), m("VEL 5 100", "VEL-MAX_AXIS_LMT_OVER"), w("VEL 1 30000", 0x48107530),
    m("INP 900001", "IN-POSITION 값 큼"), w("INP 900000", 0x440DBBA0), w("INP 0", 0x44000000),
    w("WRITE APOS", 0x46100000), w("WRITE IN", 0x46200000), w("WRITE OUT", 0x46300000),
    m("WRITE P1001", "MAX_LOC_LMT_OVER"), w("WRITE P1000", 0x460FA000),
    m("READ P2000", "MAX_LOC_LMT_OVER"), w("READ P1000", 0x450FA000), w("READ S99", 0x45118C00),
    m("READ S100", "MAX_LOC_LMT_OVER"),

    // Function words and SET.
    w("ADD R01 4095", 0x51201FFF), m("ADD R01 4096", "MAX_ISET_LMT_OVER"), w("ADD R01 FFFH", 0x51101FFF),
    m("SET R01 F16", "MAX_FREG_LMT_OVER"), m("SUB R100 R01", "ADD-MAX_REG_LMT_OVER"),
    m("OR R01 *100", "ADD-MAX_REG_LMT_OVER"), w("AND *01 R02", 0x54801002), w("MUL R01 *02", 0x57301002),
    w("INC R05", 0x55050000), w("DEC *05", 0x56050100), m("INC R100", "MAX_REG_LMT_OVER"),
    m("ADF *100 F01", "MAX_REG_LMT_OVER"), m("SUF F16 F01", "MAX_FREG_LMT_OVER"), w("MUF F01 *02", 0x5A101002),
    m("ADF F01 F16", "MAX_FREG_LMT_OVER"), m("ADF F01 R100", "MAX_REG_LMT_OVER"),

    // Definition words; L, F and OF fused with their first operand.
    w("L05", 0x62050000), w("L 05", 0x62050000), m("L51", "MAX_LABEL_LMT_OVER"),
    m("INT 4 L01", "MAX_INT_LMT_OVER"), w("INT 1 OFF", 0x63000100), m("INT 1 L51", "MAX_LABEL_LMT_OVER"),
    m("INT 3 PRG32", "MAX_FILE_LMT_OVER"), w("INT 3 PRG31", 0x6302031F),
    m("HERA P1001", "HERC MAX_LOC_LMT_OVER"), m("HERC P(R100)", "HERC MAX_REG_LMT_OVER"),
    w("HERC S(*05)", 0x64201400), w("HERC X001", 0x64100400),
    w("CCLR 1", 0x66010000), m("CCLR 5", "CCLR-MAX_AXIS_LMT_OVER"),
    w("LP 01 02 03", 0x67010203), m("LS 01 100 03", "MAX_REG_LMT_OVER"),
    m("LAP F02 5 04", "MAX_AXIS_LMT_OVER"), m("LAS F16 1 01", "MAX_FREG_LMT_OVER"),
    m("LEP F01 1 100", "MAX_REG_LMT_OVER"), w("LES F15 4 99", 0x6E0F0463),
    w("F05 -0.004", 0x69580000), m("F16 0001.00", "FSET COMM REG. 번호 초과"), m("OF5 0000.50", "MAX AXIS LIMIT"),
    m("OF0 0000.50", "MAX AXIS LIMIT"), w("OF1 0000.50", 0x6C100032), w("OF4 -0001.00", 0x6C480064),
    w("F 05 0012.34", 0x690001F4), w("F05 0.125", 0x6950000C), w("F05 0.375", 0x69500026),
    w("F05 5242.87", 0x6957FFFF), w("F05 -5242.87", 0x695FFFFF),
    m("F05 6000.00", " -5242.87 ~ 5242.87 사이의 값을 입력하십시요."),
    m("OF1 -5242.88", " -5242.87 ~ 5242.87 사이의 값을 입력하십시요."), m("F05 99999999", kOverflow),
};
// clang-format on

QString expectedMessage(const char* message)
{
    if (qstrcmp(message, kOverflow) == 0)
        return common::RtError::of(common::err::Overflow).text();
    return QString::fromUtf8(message);
}

AsmLine::Outcome expectedOutcome(const Case& c)
{
    if (c.word != kNoWord)
        return AsmLine::Outcome::Word;
    if (qstrcmp(c.message, kOverflow) == 0)
        return AsmLine::Outcome::Overflow;
    if (qstrcmp(c.message, kNoSuch) == 0)
        return AsmLine::Outcome::NoSuchWord;
    return AsmLine::Outcome::Rejected;
}

void addCaseColumns()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("axes");
    QTest::addColumn<qint64>("word");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("outcome");
}

} // namespace

class TestAsmLine : public QObject {
    Q_OBJECT
private slots:
    void lineGivesWordOrMessage_data()
    {
        addCaseColumns();
        int i = 0;
        for (const Case& c : kCases) {
            QTest::addRow("%d: %s @%d", i++, c.line, c.axes) << QString::fromUtf8(c.line) << c.axes << c.word
                                                             << expectedMessage(c.message) << int(expectedOutcome(c));
        }
    }
    void lineGivesWordOrMessage()
    {
        QFETCH(QString, line);
        QFETCH(int, axes);
        QFETCH(qint64, word);
        QFETCH(QString, message);
        QFETCH(int, outcome);
        const AsmLine got = assembleLine(line, axes);
        QCOMPARE(int(got.outcome), outcome);
        if (word != kNoWord) {
            QCOMPARE(QString::number(got.word, 16), QString::number(quint32(word), 16));
            QVERIFY(got.message.isEmpty());
        } else {
            QCOMPARE(got.message, message);
        }
    }

    void commentsAreSkipped_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("comment");
        QTest::newRow("; in column 1") << QStringLiteral(";MVE P001") << true;
        QTest::newRow("; alone") << QStringLiteral(";") << true;
        QTest::newRow("; after a blank is not a comment record") << QStringLiteral(" ;x") << false;
    }
    void commentsAreSkipped()
    {
        QFETCH(QString, line);
        QFETCH(bool, comment);
        QCOMPARE(assembleLine(line, 4).outcome == AsmLine::Outcome::Comment, comment);
    }

    // Every accepted line, listed and assembled again, gives the same word.
    void listedLineAssemblesToSameWord_data()
    {
        addCaseColumns();
        int i = 0;
        for (const Case& c : kCases) {
            // A negative zero keeps its sign bit in the word but lists as 0.00.
            if (c.word != kNoWord && qstrcmp(c.line, "F05 -0.004") != 0)
                QTest::addRow("%d: %s", i, c.line) << QString::fromUtf8(c.line) << c.axes << c.word << QString() << 0;
            ++i;
        }
    }
    void listedLineAssemblesToSameWord()
    {
        QFETCH(QString, line);
        QFETCH(int, axes);
        QFETCH(qint64, word);
        const QString listed = programs::DisasmStep(7, programs::StepWord(word));
        const AsmLine again = assembleLine(listed, axes);
        QCOMPARE(int(again.outcome), int(AsmLine::Outcome::Word));
        QCOMPARE(QString::number(again.word, 16), QString::number(quint32(word), 16));
    }

    // The same over lines built from every command word and a pool of
    // operands of every form, in range and out: whatever the assembler
    // accepts lists as a line that assembles to the same word. Only what the
    // forms do not show may go: the number after INT n OFF ("anything else
    // is OFF") and the sign of a value of F or OF that lists as 0.00.
    void everyAcceptedLineListsBackToItsWord()
    {
        programs::InitCmdWords();
        // clang-format off
        const QStringList pool = {
            "", "P001", "P1000", "P(R05)", "P(*07)", "S07", "S99", "S(R05)", "S(*05)", "R05", "R99", "*05",
            "F03", "F15", "L05", "L50", "PRG05", "PRG32", "00", "01", "05", "16", "19", "20", "21", "24", "36",
            "-05", "-16", "-20", "0FH", "FFH", "0FFH", "FFFFH", "-00FFH", "0ah", "100", "255", "0100", "9999",
            "999999", "0012.34", "-0001.50", "-0.004", "0.005", "AON", "AOFF", "A", "APOS", "IN", "OUT", "ON",
            "OFF", "=", "<", ">", "!=", ">=", "1", "2", "3", "4", "0", "X05"};
        const QStringList third = {"", "03", "R02", "F04", "0AH", "100", "99", "1", "*06", "4", "-01"};
        // clang-format on
        const QSet<QString> threeOperands = {"IF", "SM", "LP", "LS", "LAP", "LAS", "LEP", "LES"};
        const QSet<QString> fused = {"L", "F", "OF"};
        QSet<int> wordsSeen;
        QSet<programs::StepWord> brokenOpcodes;
        QStringList broken; // one line for each opcode that breaks
        int accepted = 0;
        for (const auto& row : programs::kCmdWords) {
            const QString word = common::toQString(row.word);
            const QStringList lastPool = threeOperands.contains(word) ? third
                                         : fused.contains(word)       ? QStringList{"", ""}
                                                                      : QStringList{""};
            for (const QString& a : pool) {
                for (const QString& b : pool) {
                    for (qsizetype k = 0; k < lastPool.size(); ++k) {
                        const QString& c = lastPool[k];
                        // L, F and OF also fused with their first operand.
                        const QString gap = fused.contains(word) && k == 1 ? "" : " ";
                        const QString line = (word + gap + a + u' ' + b + u' ' + c).trimmed();
                        const AsmLine first = assembleLine(line, 4);
                        if (first.outcome != AsmLine::Outcome::Word)
                            continue;
                        ++accepted;
                        wordsSeen.insert(first.cmdIndex);
                        const QString listed = programs::DisasmStep(0, first.word);
                        const AsmLine again = assembleLine(listed, 4);
                        programs::StepWord expected = first.word;
                        const auto opcode = first.word >> 24;
                        if (opcode == 0x63 && ((first.word >> 16) & 0xFF) == 0) // INT n OFF
                            expected &= ~programs::StepWord(0xFF);
                        if ((opcode == 0x69 || opcode == 0x6C) && (first.word & 0x7FFFF) == 0) // F, OF
                            expected &= ~programs::StepWord(1u << 19);
                        if ((again.outcome != AsmLine::Outcome::Word || again.word != expected) &&
                            !brokenOpcodes.contains(opcode)) {
                            brokenOpcodes.insert(opcode);
                            broken << (QStringLiteral("\"%1\" gives %2, lists as \"%3\", which gives %4 \"%5\"")
                                           .arg(line)
                                           .arg(first.word, 8, 16, QLatin1Char('0'))
                                           .arg(listed)
                                           .arg(again.word, 8, 16, QLatin1Char('0'))
                                           .arg(again.message));
                        }
                    }
                }
            }
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u'\n')));
        QStringList unseen;
        for (int i = 0; i < programs::kCmdWordCount; ++i)
            if (!wordsSeen.contains(i))
                unseen << QString::number(i);
        QVERIFY2(unseen.isEmpty(), qPrintable(unseen.join(u' ')));
        QVERIFY(accepted > 1000);
    }

    void tokensOfRecord_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("tokens");
        QTest::newRow("command and operands") << QStringLiteral("mve p001") << QStringList{"MVE", "P001", "", "", ""};
        QTest::newRow("fourth operand read, fifth not")
            << QStringLiteral("SM 1 2 3 4 5") << QStringList{"SM", "1", "2", "3", "4"};
        QTest::newRow("token cut after 10, the 11th begins operand 1")
            << QStringLiteral("ABCDEFGHIJKL X") << QStringList{"ABCDEFGHIJ", "KL", "X", "", ""};
        QTest::newRow("CR where a skip ends stops the operands")
            << QStringLiteral("MVE \r P001") << QStringList{"MVE", "", "", "", ""};
        QTest::newRow("commas skipped between operands")
            << QStringLiteral("MA P001 ,, P002") << QStringList{"MA", "P001", "P002", "", ""};
        QTest::newRow("; inside a token is a character")
            << QStringLiteral("MVE P001;X Y") << QStringList{"MVE", "P001;X", "Y", "", ""};
        QTest::newRow("a word in columns 78..80, its operand beyond 80")
            << QString(77, u' ') + QStringLiteral("MVE P001") << QStringList{"MVE", "", "", "", ""};
        QTest::newRow("a word cut at column 80")
            << QString(78, u' ') + QStringLiteral("MVE P001") << QStringList{"MV", "", "", "", ""};
        QTest::newRow("no letter: all empty") << QStringLiteral("123 456") << QStringList{"", "", "", "", ""};
    }
    void tokensOfRecord()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, tokens);
        const programs::PrgTokens t = programs::cutRecord(record);
        QCOMPARE((QStringList{t.cmd, t.op[0], t.op[1], t.op[2], t.op[3]}), tokens);
    }

    void operandNumbers_data()
    {
        QTest::addColumn<QString>("tok");
        QTest::addColumn<bool>("minus");
        QTest::addColumn<int>("value");
        QTest::newRow("P(R05)") << QStringLiteral("P(R05)") << false << 5;
        QTest::newRow("PRG12") << QStringLiteral("PRG12") << false << 12;
        QTest::newRow("R5X7") << QStringLiteral("R5X7") << false << 57;
        QTest::newRow("-16 with minus") << QStringLiteral("-16") << true << -16;
        QTest::newRow("-16 without minus") << QStringLiteral("-16") << false << 16;
        QTest::newRow("0-5 ends at the minus") << QStringLiteral("0-5") << true << 0;
        QTest::newRow("only nine characters") << QStringLiteral("1234567890") << false << 123456789;
        QTest::newRow("empty") << QString() << false << 0;
    }
    void operandNumbers()
    {
        QFETCH(QString, tok);
        QFETCH(bool, minus);
        QFETCH(int, value);
        QCOMPARE(programs::OperandNum(tok, minus), value);
    }

    void hexOperands_data()
    {
        QTest::addColumn<QString>("tok");
        QTest::addColumn<qint64>("value"); // -1: overflow
        QTest::newRow("0FH") << QStringLiteral("0FH") << qint64(15);
        QTest::newRow("-00FFH") << QStringLiteral("-00FFH") << qint64(255);
        QTest::newRow("FFFFH") << QStringLiteral("FFFFH") << qint64(65535);
        QTest::newRow("1-F") << QStringLiteral("1-F") << qint64(271);
        QTest::newRow("7FFFFFFF") << QStringLiteral("7FFFFFFF") << qint64(0x7FFFFFFF);
        QTest::newRow("80000000 overflows") << QStringLiteral("80000000") << qint64(-1);
    }
    void hexOperands()
    {
        QFETCH(QString, tok);
        QFETCH(qint64, value);
        const auto v = programs::HexOperandVal(tok);
        QCOMPARE(v ? qint64(*v) : qint64(-1), value);
    }
};

QTEST_GUILESS_MAIN(TestAsmLine)
#include "test_asmline.moc"
