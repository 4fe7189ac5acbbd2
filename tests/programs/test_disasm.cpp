// Step words back into program lines: the step prefix, the default line, the
// lines with only the prefix, and the lister's own spellings (two blanks
// before an operand without "-", INP and VEL without leading zeros, F and OF
// as "#0.00", hexadecimal widths with "H" or "h"); and every form listed and
// assembled again.

#include "programs/assembler.h"
#include "programs/cmdwords.h"
#include "programs/lister.h"

#include <QtTest>

#include <vector>

namespace {

struct Row {
    int step;
    quint32 word;
    const char* line;
};

const char* const kDash = "----------------";

// clang-format off
const Row kRows[] = {
    // Prefix, default line, end mark.
    {0, 0x01201400, "000 MVE P(*05)"}, {255, 0x26000000, "255 STOP"}, {5, 0x00000000, kDash},
    {1, 0x15000000, kDash}, {1, 0x20FFFFFF, kDash}, {1, 0x7F000000, kDash}, {1, 0xC0000000, kDash},
    {3, 0x80000000, "003 [EOF]"}, {3, 0x80000001, kDash},
    // Selector values without a form give the prefix alone.
    {12, 0x01300000, "012 "}, {12, 0x08200000, "012 "}, {12, 0x21050000, "012 "},
    {12, 0x03300402, "012 "}, {12, 0x07300000, "012 "}, {12, 0x10300000, "012 "}, {12, 0x24030000, "012 "},
    {12, 0x33050000, "012 "}, {12, 0x34040500, "012 "}, {12, 0x35021000, "012 "}, {12, 0x37020000, "012 "},
    {12, 0x45200000, "012 "}, {12, 0x47300000, "012 "}, {12, 0x51500000, "012 "}, {12, 0x58300000, "012 "},
    {12, 0x63030000, "012 "},
    // Motion.
    {0, 0x011FA000, "000 MVE P1000"}, {0, 0x02001400, "000 MVS P(R05)"}, {0, 0x11100800, "000 UP P002"},
    {0, 0x12200400, "000 MVL P(*01)"}, {0, 0x07101C00, "000 SFT S07"}, {0, 0x07001C00, "000 SFT S(R07)"},
    {0, 0x07201C00, "000 SFT S(*07)"},
    {0, 0x03500402, "000 MA P001 002"}, {0, 0x04201407, "000 MC R05 *07"}, {0, 0x05C01407, "000 CR *05 R07"},
    {0, 0x063E83E7, "000 AR P1000 999"}, {0, 0x08502803, "000 MF P010 -03"}, {0, 0x09001403, "000 MB R05 03"},
    {0, 0x0A501401, "000 SF S05 -01"}, {0, 0x0B801410, "000 SB *05 16"},
    {0, 0x0C808007, "000 PM 002 *07"}, {0, 0x0D59270F, "000 PS 100 9999"}, {0, 0x0C000005, "000 PM 000 R05"},
    {0, 0x0E00080C, "000 DRP R02 CH"}, {0, 0x0E10040F, "000 DRP P001 FH"}, {0, 0x0F20140A, "000 DRS *05 AH"},
    {0, 0x0F101401, "000 DRS S05 1H"},
    {0, 0x10018C00, "000 SPL R99"}, {0, 0x10102800, "000 SPL 10"}, {0, 0x13101400, "000 VMP 005"},
    {0, 0x14201400, "000 VMN *05"},
    // Program flow.
    {0, 0x2141010A, "000 IF R01 = 0AH"}, {0, 0x2151010A, "000 IF *01 = 0AH"}, {0, 0x21A1030A, "000 IF F03 < 0Ah"},
    {0, 0x21B1030A, "000 IF F03 < 0Ah"}, {0, 0x21C00102, "000 IF R01 != R02"}, {0, 0x21020105, "000 IF R01 > 005"},
    {0, 0x21530506, "000 IF *05 = *06"}, {0, 0x21A40304, "000 IF F03 < F04"},
    {0, 0x22320000, "000 GOT L50"}, {0, 0x23000005, "000 DLY 000005"}, {0, 0x23FFFFFF, "000 DLY 16777215"},
    {0, 0x24000503, "000 JMP L05 R03"}, {0, 0x240101FF, "000 JMP L01 255"}, {0, 0x24020203, "000 JMP L02 *03"},
    {0, 0x250F0000, "000 HOME 0FH"}, {0, 0x25FF0000, "000 HOME FFH"},
    {0, 0x27200000, "000 CALL PRG32"}, {0, 0x28000000, "000 RET"}, {0, 0x29000000, "000 RETC"},
    // I/O.
    {0, 0x31010500, "000 SIGB -05"}, {0, 0x31001800, "000 SIGB 24"}, {0, 0x32050100, "000 SIGI R05 1"},
    {0, 0x3301020F, "000 SIGO 2 0FH"}, {0, 0x33000105, "000 SIGO 1 R05"}, {0, 0x330201FF, "000 SIGO 1 255"},
    {0, 0x33030000, "000 SIGO AON"}, {0, 0x33040000, "000 SIGO AOFF"},
    {0, 0x34110307, "000 JB -03 PRG07"}, {0, 0x3400050A, "000 JB  05 L10"}, {0, 0x34020518, "000 JB  05 24"},
    {0, 0x34030518, "000 JB  05 -24"},
    {0, 0x35001000, "000 WAIT  16"}, {0, 0x35011000, "000 WAIT -16"},
    {0, 0x36150064, "000 TMS -01 0100"}, {0, 0x36030064, "000 TMS  03 0100"}, {0, 0x3624270F, "000 TMS -16 9999"},
    {0, 0x36140064, "000 TMS  20 0100"}, {0, 0x36010000, "000 TMS  01 0000"}, {0, 0x36000064, "000 TMS  00 0100"},
    {0, 0x36250064, "000 TMS -17 0100"},
    {0, 0x37010000, "000 PWR ON"}, {0, 0x37000000, "000 PWR OFF"},
    {0, 0x38010203, "000 SM 01 02 03"}, {0, 0x39050200, "000 RUN PRG05 2"},
    {0, 0x3A0A00FF, "000 SA  00FFh 010"}, {0, 0x3A8A00FF, "000 SA -00FFh 010"}, {0, 0x3AE4FFFF, "000 SA -FFFFh 100"},
    // Parameters.
    {0, 0x41026400, "000 ACC 2 100"}, {0, 0x42010000, "000 DCC 1 000"},
    {0, 0x43000405, "000 SPD 1 R05"}, {0, 0x43100C32, "000 SPD 3 050"}, {0, 0x43200805, "000 SPD 2 *05"},
    {0, 0x44000000, "000 INP 0"}, {0, 0x440DBBA0, "000 INP 900000"}, {0, 0x44000007, "000 INP 7"},
    {0, 0x450FA000, "000 READ P1000"}, {0, 0x45118C00, "000 READ S99"},
    {0, 0x460FA000, "000 WRITE P1000"}, {0, 0x46100000, "000 WRITE APOS"}, {0, 0x46200000, "000 WRITE IN"},
    {0, 0x46300000, "000 WRITE OUT"},
    {0, 0x47103200, "000 TSPD 050"}, {0, 0x47000500, "000 TSPD R05"}, {0, 0x47200500, "000 TSPD *05"},
    {0, 0x48100000, "000 VEL 1 "}, {0, 0x48107530, "000 VEL 1 30000"}, {0, 0x48400009, "000 VEL 4 9"},
    // Functions and definitions.
    {0, 0x511010FF, "000 ADD R01 0FFH"}, {0, 0x52201FFF, "000 SUB R01 4095"}, {0, 0x53001002, "000 OR R01 R02"},
    {0, 0x54801002, "000 AND *01 R02"}, {0, 0x57301002, "000 MUL R01 *02"}, {0, 0x61C02003, "000 SET *02 F03"},
    {0, 0x55050000, "000 INC R05"}, {0, 0x56050100, "000 DEC *05"},
    {0, 0x58201002, "000 ADF F01 R02"}, {0, 0x59001002, "000 SUF F01 F02"}, {0, 0x5A901002, "000 MUF *01 *02"},
    {0, 0x62050000, "000 L05"},
    {0, 0x6301020A, "000 INT 2 L10"}, {0, 0x63000100, "000 INT 1 OFF"}, {0, 0x6302031F, "000 INT 3 PRG31"},
    {0, 0x64201400, "000 HERC P(*05)"}, {0, 0x65100400, "000 HERA P001"}, {0, 0x66010000, "000 CCLR 1"},
    {0, 0x67010203, "000 LP 01 02 03"}, {0, 0x68636363, "000 LS 99 99 99"},
    {0, 0x693804E2, "000 F03 -12.50"}, {0, 0x69380000, "000 F03 0.00"}, {0, 0x6957FFFF, "000 F05 5242.87"},
    {0, 0x69F00005, "000 F15 0.05"}, {0, 0x6C100032, "000 OF1 0.50"}, {0, 0x6C480064, "000 OF4 -1.00"},
    {0, 0x6A020304, "000 LAP F02 3 04"}, {0, 0x6B000100, "000 LAS F00 1 00"}, {0, 0x6D010101, "000 LEP F01 1 01"},
    {0, 0x6E0F0463, "000 LES F15 4 99"},
};
// clang-format on

// A field the lister picks a form by, and the values of it that the encoders
// write; its other values are read as one of those, or have no line.
struct Selector {
    int hi;
    int lo;
    quint32 firstWritten;
    quint32 lastWritten;
};

// Operands that the encoders write as 0 for some values of the first
// selector (SIGO AON and AOFF, INT n OFF, WRITE APOS, IN and OUT).
struct Cleared {
    quint32 from = 1;
    quint32 to = 0;
    quint32 mask = 0;
};

// One form of the lister: its opcodes, the other fields at values the
// encoders write for every selector value, and its selectors.
struct ListForm {
    const char* words;
    std::vector<quint32> opcodes;
    quint32 operands;
    std::vector<Selector> selectors;
    Cleared cleared = {};
};

// clang-format off
const ListForm kForms[] = {
    {"MVE MVS UP MVL HERC HERA", {0x01, 0x02, 0x11, 0x12, 0x64, 0x65}, 5u << 10, {{21, 20, 0, 2}}},
    {"SFT", {0x07}, 5u << 10, {{21, 20, 0, 2}}},
    {"MA MC CR", {0x03, 0x04, 0x05}, 5u << 10 | 5, {{23, 22, 0, 2}, {21, 20, 0, 2}}},
    {"AR", {0x06}, 5u << 12 | 5, {}},
    {"MF MB SF SB", {0x08, 0x09, 0x0A, 0x0B}, 5u << 10 | 5, {{23, 22, 0, 2}, {21, 20, 0, 1}}},
    {"PM PS", {0x0C, 0x0D}, 5u << 14 | 5, {{23, 22, 0, 2}}},
    {"DRP DRS", {0x0E, 0x0F}, 5u << 10 | 5, {{21, 20, 0, 2}}},
    {"SPL VMP VMN", {0x10, 0x13, 0x14}, 5u << 10, {{21, 20, 0, 2}}},
    {"IF", {0x21}, 3u << 8 | 5, {{23, 22, 0, 3}, {21, 20, 0, 2}, {19, 16, 0, 4}}},
    {"GOT", {0x22}, 5u << 16, {}},
    {"DLY", {0x23}, 100, {}},
    {"JMP", {0x24}, 5u << 8 | 5, {{23, 16, 0, 2}}},
    {"HOME", {0x25}, 0x0Fu << 16, {}},
    {"STOP RET RETC", {0x26, 0x28, 0x29}, 0, {}},
    {"CALL", {0x27}, 5u << 16, {}},
    {"SIGB", {0x31}, 5u << 8, {{16, 16, 0, 1}}},
    {"SIGI", {0x32}, 5u << 16 | 1u << 8, {}},
    {"SIGO", {0x33}, 2u << 8 | 5, {{23, 16, 0, 4}}, {3, 4, 0xFFFF}},
    {"JB", {0x34}, 5u << 8 | 5, {{20, 20, 0, 1}, {19, 16, 0, 3}}},
    {"WAIT", {0x35}, 5u << 8, {{23, 16, 0, 1}}},
    {"TMS", {0x36}, 100, {{23, 16, 1, 36}}},
    {"PWR", {0x37}, 0, {{23, 16, 0, 1}}},
    {"SM LP LS", {0x38, 0x67, 0x68}, 0x050607, {}},
    {"RUN", {0x39}, 5u << 16 | 2u << 8, {}},
    {"SA", {0x3A}, 10u << 16 | 0xFF, {{23, 23, 0, 1}}},
    {"ACC DCC", {0x41, 0x42}, 2u << 16 | 100u << 8, {}},
    {"SPD", {0x43}, 1u << 10 | 5, {{21, 20, 0, 2}}},
    {"INP", {0x44}, 900000, {}},
    {"READ", {0x45}, 5u << 10, {{21, 20, 0, 1}}},
    {"WRITE", {0x46}, 5u << 10, {{21, 20, 0, 3}}, {1, 3, 0x3FFu << 10}},
    {"TSPD", {0x47}, 5u << 8, {{21, 20, 0, 2}}},
    {"VEL", {0x48}, 1u << 20 | 100, {}},
    {"ADD SUB OR AND MUL SET", {0x51, 0x52, 0x53, 0x54, 0x57, 0x61}, 5u << 12 | 5, {{23, 23, 0, 1}, {22, 20, 0, 4}}},
    {"INC DEC", {0x55, 0x56}, 5u << 16, {{8, 8, 0, 1}}},
    {"ADF SUF MUF", {0x58, 0x59, 0x5A}, 5u << 12 | 5, {{23, 23, 0, 1}, {22, 20, 0, 2}}},
    {"L", {0x62}, 5u << 16, {}},
    {"INT", {0x63}, 2u << 8 | 5, {{23, 16, 0, 2}}, {0, 0, 0xFF}},
    {"CCLR", {0x66}, 1u << 16, {}},
    {"F", {0x69}, 5u << 20 | 1250, {{19, 19, 0, 1}}},
    {"OF", {0x6C}, 2u << 20 | 1250, {{19, 19, 0, 1}}},
    {"LAP LAS LEP LES", {0x6A, 0x6B, 0x6D, 0x6E}, 2u << 16 | 3u << 8 | 4, {}},
    {"[EOF]", {0x80}, 0, {}},
};
// clang-format on

} // namespace

class TestDisasm : public QObject {
    Q_OBJECT
private slots:
    void wordGivesLine_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<quint32>("word");
        QTest::addColumn<QString>("line");
        for (const Row& r : kRows)
            QTest::addRow("%03d %08X", r.step, r.word) << r.step << r.word << QString::fromLatin1(r.line);
    }
    void wordGivesLine()
    {
        QFETCH(int, step);
        QFETCH(quint32, word);
        QFETCH(QString, line);
        QCOMPARE(programs::DisasmStep(step, word), line);
    }

    void initTestCase() { programs::InitCmdWords(); }

    // A received program goes back from its file as it came: every word of
    // every form, each selector at each of its values that the encoders
    // write, lists as a line that assembles to the same word. A value that no
    // encoder writes is either read as one that they do (a selector of 3 read
    // as indirect: the line gives the word that reads the same), or lists as
    // the step alone and stops the sending with its message, or is refused
    // with its limit (TMS codes 0 and above 36); never another reading.
    void everyFormListsBackToItsWord_data()
    {
        QTest::addColumn<int>("form");
        for (int i = 0; i < int(std::size(kForms)); ++i)
            QTest::newRow(kForms[i].words) << i;
    }
    void everyFormListsBackToItsWord()
    {
        QFETCH(int, form);
        const ListForm& f = kForms[form];
        const QString noSuchWord = QStringLiteral("해당 명령어가 없습니다");
        int combinations = 1;
        for (const Selector& sel : f.selectors)
            combinations <<= sel.hi - sel.lo + 1;
        QStringList broken;
        for (const quint32 opcode : f.opcodes) {
            for (int c = 0; c < combinations; ++c) {
                quint32 word = opcode << 24;
                quint32 operands = f.operands;
                bool written = true;
                int rest = c;
                for (std::size_t k = 0; k < f.selectors.size(); ++k) {
                    const Selector& sel = f.selectors[k];
                    const int width = sel.hi - sel.lo + 1;
                    const quint32 v = quint32(rest) & ((1u << width) - 1);
                    rest >>= width;
                    word |= v << sel.lo;
                    written = written && v >= sel.firstWritten && v <= sel.lastWritten;
                    if (k == 0 && v >= f.cleared.from && v <= f.cleared.to)
                        operands &= ~f.cleared.mask;
                }
                word |= operands;
                const QString listed = programs::DisasmStep(12, word);
                const programs::AsmLine again = programs::assembleLine(listed, 4);
                using Outcome = programs::AsmLine::Outcome;
                bool ok = again.outcome == Outcome::Word && again.word == word;
                if (!written) {
                    const bool sameReading =
                        again.outcome == Outcome::Word && programs::DisasmStep(12, again.word) == listed;
                    const bool stepAlone = listed == QStringLiteral("012 ") && again.outcome == Outcome::NoSuchWord &&
                                           again.message == noSuchWord;
                    const bool refused = again.outcome == Outcome::Rejected && !again.message.isEmpty();
                    ok = sameReading || stepAlone || refused;
                }
                if (!ok)
                    broken << QStringLiteral("%1 lists as \"%2\", which gives %3 \"%4\"")
                                  .arg(word, 8, 16, QLatin1Char('0'))
                                  .arg(listed)
                                  .arg(again.word, 8, 16, QLatin1Char('0'))
                                  .arg(again.message);
            }
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken.mid(0, 20).join(u'\n')));
    }

    // The table above holds every opcode that has a line form.
    void everyListedOpcodeHasAForm()
    {
        QStringList missing;
        for (quint32 opcode = 0; opcode < 256; ++opcode) {
            if (programs::DisasmStep(0, opcode << 24) == QLatin1String(kDash))
                continue;
            bool found = false;
            for (const ListForm& f : kForms)
                found = found || std::find(f.opcodes.begin(), f.opcodes.end(), opcode) != f.opcodes.end();
            if (!found)
                missing << QString::number(opcode, 16);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
    }

    void moduleVariablesInAndOut()
    {
        programs::g_PrgStep = 7;
        programs::g_PrgWord = 0x80000000u;
        programs::DisasmStep();
        QCOMPARE(programs::g_PrgLine, QStringLiteral("007 [EOF]"));
    }

    // The file's lines stop after the first end mark; without one all 256.
    void fileLinesEndAtEndMark()
    {
        std::array<programs::StepWord, 256> steps{};
        steps[0] = 0x01100400;
        steps[1] = 0x23000064;
        steps[3] = 0x80000000;
        steps[4] = 0x26000000;
        QCOMPARE(programs::prgFileLines(steps), (QStringList{"000 MVE P001", "001 DLY 000100", kDash, "003 [EOF]"}));
        steps[3] = 0;
        const QStringList all = programs::prgFileLines(steps);
        QCOMPARE(all.size(), 256);
        QCOMPARE(all[4], QStringLiteral("004 STOP"));
        QCOMPARE(all[255], QString::fromLatin1(kDash));
    }
};

QTEST_GUILESS_MAIN(TestDisasm)
#include "test_disasm.moc"
