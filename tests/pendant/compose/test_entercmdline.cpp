// The ENT check on the panel's state: for a state before, a line and an axis
// count, the message handed back to show (if any) and the whole state after: the state
// strings, the line, the buffer, the soft-key captions and the keypad.

#include "pendant/compose/entercmdline.h"

#include <QtTest>

#include <optional>

using pendant::compose::PanelState;

Q_DECLARE_METATYPE(pendant::compose::PanelState)

namespace {

// The buffer already holds a line, so that a commit is seen to append.
const QString kEarlier = QStringLiteral("MVE P001\r\n");
// Six captions from earlier keys, so that a step is seen to empty the ones it does not set.
const QStringList kLetters{"A", "B", "C", "D", "E", "F"};

PanelState panel(const QString& text, const QString& stateCommand, const QString& temp, const QStringList& captions,
                 bool keypad, const QString& statePara = QStringLiteral("ON"), const QString& buffer = kEarlier)
{
    PanelState s;
    s.Text = text;
    s.STATE_COMMAND = stateCommand;
    s.TEMP_COMMAND = temp;
    for (qsizetype i = 0; i < captions.size(); ++i)
        s.P[std::size_t(i)] = captions[i];
    pendant::compose::setKeypadEnabled(s, keypad);
    s.STATE_PARA = statePara;
    s.TextCOPY = buffer;
    return s;
}

// The first operand typed after the command word's soft key: keypad on, digits to the editors.
PanelState typed(const QString& line, const QString& word)
{
    return panel(line, word, QString(), kLetters, true);
}

// A further operand typed after a step and a soft key.
PanelState further(const QString& line, const QString& state, const QString& temp, const QStringList& captions)
{
    return panel(line, state, temp, captions, true);
}

// What the commit leaves: the line after the earlier buffer, everything else reset; the keypad as it was.
PanelState committed(const PanelState& before)
{
    return panel(QString(), QString(), QString(), {}, before.cm[0], QStringLiteral("OFF"),
                 before.TextCOPY + before.Text + QStringLiteral("\r\n"));
}

// What a step leaves: the line kept and stored, keypad off, the row's captions only.
PanelState stepped(const PanelState& before, const QString& state, const QStringList& captions)
{
    return panel(before.Text, state, before.Text, captions, false, before.STATE_PARA, before.TextCOPY);
}

void row(const char* name, const PanelState& before, int axes, const QString& message, const PanelState& after)
{
    QTest::newRow(name) << before << axes << message << after;
}
void commits(const char* name, const PanelState& before, int axes = 4)
{
    row(name, before, axes, QString(), committed(before));
}
void steps(const char* name, const PanelState& before, const QString& state, const QStringList& captions, int axes = 4)
{
    row(name, before, axes, QString(), stepped(before, state, captions));
}
void shows(const char* name, const PanelState& before, const QString& message, int axes = 4)
{
    row(name, before, axes, message, before);
}
void ignores(const char* name, const PanelState& before, int axes = 4)
{
    row(name, before, axes, QString(), before);
}

const QStringList kRegCaptions{"REG", "R(R)", "0~9"};
const QStringList kSignalCaptions{"0~9", "(-)"};
const QStringList kOpCaptions{"REG", "R(R)", "FREG", "HEX", "0~9"};
const QStringList kComparators{">", "<", "=", "!="};

} // namespace

class TestEnterCmdLine : public QObject {
    Q_OBJECT
private slots:
    void enterLine_data()
    {
        QTest::addColumn<PanelState>("before");
        QTest::addColumn<int>("axes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<PanelState>("after");

        // --- point motion
        commits("MVE P(R05) commits", typed("MVE P(R05)", "MVE"));
        commits("MVS P(R05) commits", typed("MVS P(R05)", "MVS"));
        commits("HERC P(*05) commits", typed("HERC P(*05)", "HERC"));
        commits("HERA P999 commits", typed("HERA P999", "HERA"));
        commits("MVL P([*] run) tests its first two: MVL P(*12x)", typed("MVL P(*12x)", "MVL"));
        shows("MVE P(R5): plain form, field (R5", typed("MVE P(R5)", "MVE"), "P000~P999");
        shows("MVS P(R5): register form, field 5)", typed("MVS P(R5)", "MVS"), "P(R00)~P(R99)");
        shows("MVS P(*5): indirect form, field 5)", typed("MVS P(*5)", "MVS"), "P(*00)~P(*99)");
        commits("MVS P(R123) tests 12", typed("MVS P(R123)", "MVS"));
        shows("MVE P(R123) is the plain form", typed("MVE P(R123)", "MVE"), "P000~P999");
        commits("MVS P12 commits", typed("MVS P12", "MVS"));
        commits("MVE P5: field cut at the line's end", typed("MVE P5", "MVE"));
        commits("MVS P1234 tests 123", typed("MVS P1234", "MVS"));
        shows("MVE PX: field X", typed("MVE PX", "MVE"), "P000~P999");
        ignores("MVS P matches no row", typed("MVS P", "MVS"));
        ignores("MVE alone matches no row", typed("MVE", "MVE"));
        ignores("mve P001: lower case matches no row", typed("mve P001", "MVE"));
        ignores("empty line", typed("", ""));
        steps("MA R00 steps", typed("MA R00", "MA"), "MA_1", kRegCaptions);
        steps("MA R99 steps", typed("MA R99", "MA"), "MA_1", kRegCaptions);
        steps("MA *05 steps", typed("MA *05", "MA"), "MA_1", kRegCaptions);
        steps("MA P999 steps", typed("MA P999", "MA"), "MA_1", kRegCaptions);
        steps("MA R 5: blank before the digit reads as 5", typed("MA R 5", "MA"), "MA_1", kRegCaptions);
        steps("MA R5 : blank after the digit", typed("MA R5 ", "MA"), "MA_1", kRegCaptions);
        steps("MA R+5: sign", typed("MA R+5", "MA"), "MA_1", kRegCaptions);
        steps("MA R.5: point at the start, 0.5 in range", typed("MA R.5", "MA"), "MA_1", kRegCaptions);
        steps("MA R5.: point at the end", typed("MA R5.", "MA"), "MA_1", kRegCaptions);
        shows("MA R-1 below range", typed("MA R-1", "MA"), "R00~99");
        shows("MA RAB letters", typed("MA RAB", "MA"), "R00~99");
        shows("MA R  blanks only", typed("MA R  ", "MA"), "R00~99");
        shows("MA *AB indirect", typed("MA *AB", "MA"), "*00~99");
        shows("MA PABC point", typed("MA PABC", "MA"), "P000~P999");
        ignores("MA R5 too short", typed("MA R5", "MA"));
        ignores("MA P12 too short", typed("MA P12", "MA"));
        ignores("MA P1000 too long", typed("MA P1000", "MA"));
        steps("MC R05 steps", typed("MC R05", "MC"), "MC_1", kRegCaptions);
        steps("CR P000 steps", typed("CR P000", "CR"), "CR_1", kRegCaptions);
        steps("AR P005 steps with one caption", typed("AR P005", "AR"), "AR_1", {"0~9"});
        commits("MA R05 100 commits", further("MA R05 100", "MA_1", "MA R05", kRegCaptions));
        shows("MA R05 101", further("MA R05 101", "MA_1", "MA R05", kRegCaptions), "001~100");
        shows("MA R05 000", further("MA R05 000", "MA_1", "MA R05", kRegCaptions), "001~100");
        shows("MA R05 R-1 keeps MA_1, MA R05 and the captions", further("MA R05 R-1", "MA_1", "MA R05", kRegCaptions),
              "R00~99");
        commits("MA P999 R99 commits", further("MA P999 R99", "MA_1", "MA P999", kRegCaptions));
        shows("MA *05 *AB", further("MA *05 *AB", "MA_1", "MA *05", kRegCaptions), "*00~99");
        commits("MC R05 000 commits (0..999)", further("MC R05 000", "MC_1", "MC R05", kRegCaptions));
        shows("MC P001 ABC", further("MC P001 ABC", "MC_1", "MC P001", kRegCaptions), "P000~P999");
        commits("CR R05 999 commits", further("CR R05 999", "CR_1", "CR R05", kRegCaptions));
        shows("AR P005 000", further("AR P005 000", "AR_1", "AR P005", {"0~9"}), "001~999");
        commits("AR P005 999 commits", further("AR P005 999", "AR_1", "AR P005", {"0~9"}));
        commits("SFT S99 commits", typed("SFT S99", "SFT"));
        commits("SFT S(R99) commits", typed("SFT S(R99)", "SFT"));
        shows("SFT S(RAB)", typed("SFT S(RAB)", "SFT"), "S(R00)~S(R99)");
        shows("SFT S(*AB)", typed("SFT S(*AB)", "SFT"), "S(*00)~S(*99)");
        shows("SFT SAB", typed("SFT SAB", "SFT"), "S00~S99");
        ignores("SFT S100 matches no row", typed("SFT S100", "SFT"));

        // --- shift and path motion
        steps("MF R05 steps with the signal captions", typed("MF R05", "MF"), "MF_1", kSignalCaptions);
        steps("MF *05 steps", typed("MF *05", "MF"), "MF_1", kSignalCaptions);
        steps("MF P999 steps", typed("MF P999", "MF"), "MF_1", kSignalCaptions);
        shows("MF RAB", typed("MF RAB", "MF"), "R00~99");
        ignores("MF P99 matches no row", typed("MF P99", "MF"));
        commits("MF R05 16 commits", further("MF R05 16", "MF_1", "MF R05", kSignalCaptions));
        commits("MF R05 -16 commits", further("MF R05 -16", "MF_1", "MF R05", kSignalCaptions));
        shows("MF R05 00", further("MF R05 00", "MF_1", "MF R05", kSignalCaptions), "01~16");
        shows("MF R05 17", further("MF R05 17", "MF_1", "MF R05", kSignalCaptions), "01~16");
        shows("MF R05 -00", further("MF R05 -00", "MF_1", "MF R05", kSignalCaptions), "-01~ -16");
        shows("MF R05 -17", further("MF R05 -17", "MF_1", "MF R05", kSignalCaptions), "-01~ -16");
        shows("MF R05 -1 is the plain form", further("MF R05 -1", "MF_1", "MF R05", kSignalCaptions), "01~16");
        commits("MF P001 -01 commits", further("MF P001 -01", "MF_1", "MF P001", kSignalCaptions));
        shows("MB *05 -17", further("MB *05 -17", "MB_1", "MB *05", kSignalCaptions), "-01~ -16");
        commits("MF R05 12 commits with STATE_COMMAND MF", typed("MF R05 12", "MF"));
        commits("MF R05 12 commits with STATE_COMMAND empty", typed("MF R05 12", ""));
        steps("MB R05 steps", typed("MB R05", "MB"), "MB_1", kSignalCaptions);
        steps("SF S99 steps", typed("SF S99", "SF"), "SF_1", kSignalCaptions);
        shows("SF SAB", typed("SF SAB", "SF"), "S00~S99");
        steps("SB S05 steps", typed("SB S05", "SB"), "SB_1", kSignalCaptions);
        commits("SF S05 -12 commits", further("SF S05 -12", "SF_1", "SF S05", kSignalCaptions));
        commits("SF S99 16 as a whole line", typed("SF S99 16", "SF"));
        shows("SB S99 00", further("SB S99 00", "SB_1", "SB S99", kSignalCaptions), "01~16");
        steps("PM 100 steps", typed("PM 100", "PM"), "PM_1", kRegCaptions);
        steps("PS 001 steps", typed("PS 001", "PS"), "PS_1", kRegCaptions);
        shows("PM 000", typed("PM 000", "PM"), "001~100");
        shows("PM 101", typed("PM 101", "PM"), "001~100");
        commits("PM 050 R99 commits", further("PM 050 R99", "PM_1", "PM 050", kRegCaptions));
        commits("PM 050 0000 commits", further("PM 050 0000", "PM_1", "PM 050", kRegCaptions));
        commits("PS 050 9999 commits", further("PS 050 9999", "PS_1", "PS 050", kRegCaptions));
        shows("PS 050 *AB", further("PS 050 *AB", "PS_1", "PS 050", kRegCaptions), "*00~99");
        steps("DRP R05 steps with 0h", typed("DRP R05", "DRP"), "DRP_1", {"0h"});
        steps("DRP P001 steps", typed("DRP P001", "DRP"), "DRP_1", {"0h"});
        steps("DRS S99 steps", typed("DRS S99", "DRS"), "DRS_1", {"0h"});
        shows("DRS SAB", typed("DRS SAB", "DRS"), "S00~S99");
        commits("DRP P001 0h commits", further("DRP P001 0h", "DRP_1", "DRP P001", kLetters));
        commits("DRS S99 Fh commits", further("DRS S99 Fh", "DRS_1", "DRS S99", kLetters));
        commits("DRP *05 Ah commits", further("DRP *05 Ah", "DRP_1", "DRP *05", kLetters));
        shows("DRP P001 Gh", further("DRP P001 Gh", "DRP_1", "DRP P001", kLetters), "0h~Fh");
        shows("DRP P001 ah: lower-case digit", further("DRP P001 ah", "DRP_1", "DRP P001", kLetters), "0h~Fh");
        ignores("DRP P001 FH: upper-case H", further("DRP P001 FH", "DRP_1", "DRP P001", kLetters));
        commits("SPL 10 commits", typed("SPL 10", "SPL"));
        commits("SPL R99 commits", typed("SPL R99", "SPL"));
        shows("SPL 00", typed("SPL 00", "SPL"), "01~10");
        shows("SPL 11", typed("SPL 11", "SPL"), "01~10");
        commits("UP P000 commits", typed("UP P000", "UP"));
        commits("UP P999 commits", typed("UP P999", "UP"));
        ignores("UP R05 matches no row", typed("UP R05", "UP"));
        commits("VMP 100 commits", typed("VMP 100", "VMP"));
        shows("VMN 000", typed("VMN 000", "VMN"), "001~100");
        shows("VMN *AB", typed("VMN *AB", "VMN"), "*00~99");

        // --- program flow
        steps("IF R05 steps with the comparators", typed("IF R05", "IF"), "IF_1", kComparators);
        steps("IF *05 steps", typed("IF *05", "IF"), "IF_1", kComparators);
        steps("IF F15 steps", typed("IF F15", "IF"), "IF_1", kComparators);
        shows("IF F16", typed("IF F16", "IF"), "F00~F15");
        ignores("IF R05 > ends with the comparison",
                further("IF R05 >", "IF_2", "IF R05 >", {"REG", "R(R)", "0~9", "HEX", "FREG"}));
        commits("IF R05 > F15 commits",
                further("IF R05 > F15", "IF_2", "IF R05 >", {"REG", "R(R)", "0~9", "HEX", "FREG"}));
        shows("IF R05 > F16", further("IF R05 > F16", "IF_2", "IF R05 >", {}), "F00~F15");
        shows("IF *05 != F16", further("IF *05 != F16", "IF_2", "IF *05 !=", {}), "F00~F15");
        commits("IF R05 != 0Ah reads from 11", further("IF R05 != 0Ah", "IF_2", "IF R05 !=", kLetters));
        shows("IF R05 > 0Gh", further("IF R05 > 0Gh", "IF_2", "IF R05 >", kLetters), "00h~FFh");
        commits("IF R05 > F0h is hexadecimal", further("IF R05 > F0h", "IF_2", "IF R05 >", kLetters));
        shows("IF R05 > 256", further("IF R05 > 256", "IF_2", "IF R05 >", {}), "000~255");
        commits("IF F05 = 255 commits", further("IF F05 = 255", "IF_2", "IF F05 =", {}));
        commits("IF *05 < *99 commits", further("IF *05 < *99", "IF_2", "IF *05 <", {}));
        shows("IF R05 != RAB", further("IF R05 != RAB", "IF_2", "IF R05 !=", {}), "R00~99");
        shows("IF R05 != *AB", further("IF R05 != *AB", "IF_2", "IF R05 !=", {}), "*00~99");
        shows("IF R05 != 256", further("IF R05 != 256", "IF_2", "IF R05 !=", {}), "000~255");
        commits("GOT L50 commits", typed("GOT L50", "GOT"));
        shows("GOT L51", typed("GOT L51", "GOT"), "L00~L50");
        shows("DLY 000000", typed("DLY 000000", "DLY"), "000001~999999");
        commits("DLY 999999 commits", typed("DLY 999999", "DLY"));
        steps("JMP L05 steps", typed("JMP L05", "JMP"), "JMP_1", kRegCaptions);
        shows("JMP L51 does not step", typed("JMP L51", "JMP"), "L00~L50");
        shows("JMP L05 256", further("JMP L05 256", "JMP_1", "JMP L05", kRegCaptions), "0~255");
        commits("JMP L05 255 commits", further("JMP L05 255", "JMP_1", "JMP L05", kRegCaptions));
        commits("JMP L05 *99 commits", further("JMP L05 *99", "JMP_1", "JMP L05", kRegCaptions));
        commits("HOME FFh commits", typed("HOME FFh", "HOME"));
        shows("HOME 0Gh", typed("HOME 0Gh", "HOME"), "00h~FFh");
        commits("STOP commits with the keypad on", panel("STOP", "STOP", "", {}, true, "OFF"));
        commits("RET commits", panel("RET", "RET", "", {}, true, "OFF"));
        commits("RETC commits", panel("RETC", "RETC", "", {}, true, "OFF"));
        ignores("STOP and a blank", panel("STOP ", "STOP", "", {}, true, "OFF"));
        commits("CALL PRG31 commits", typed("CALL PRG31", "CALL"));
        shows("CALL PRG32", typed("CALL PRG32", "CALL"), "00~31");

        // --- signals and I/O
        commits("SIGB 24 commits", typed("SIGB 24", "SIGB"));
        commits("SIGB -24 commits", typed("SIGB -24", "SIGB"));
        shows("SIGB 00", typed("SIGB 00", "SIGB"), "01~24");
        shows("SIGB -25", typed("SIGB -25", "SIGB"), "-01~ -24");
        steps("SIGI R05 steps", typed("SIGI R05", "SIGI"), "SIGI_1", {"1", "2"});
        commits("SIGI R05 2 commits", further("SIGI R05 2", "SIGI_1", "SIGI R05", {"1", "2"}));
        shows("SIGI R05 3", further("SIGI R05 3", "SIGI_1", "SIGI R05", {"1", "2"}), "1~2");
        steps("SIGO 2 steps", typed("SIGO 2", "SIGO"), "SIGO_1", {"REG", "HEX", "0~9"});
        shows("SIGO 4", typed("SIGO 4", "SIGO"), "1~3");
        commits("SIGO AON commits", typed("SIGO AON", "SIGO"));
        commits("SIGO AOFF commits", typed("SIGO AOFF", "SIGO"));
        commits("SIGO 2 ABh is hexadecimal", further("SIGO 2 ABh", "SIGO_1", "SIGO 2", kLetters));
        commits("SIGO 2 R05 commits", further("SIGO 2 R05", "SIGO_1", "SIGO 2", {"REG", "HEX", "0~9"}));
        commits("SIGO 2 255 commits", further("SIGO 2 255", "SIGO_1", "SIGO 2", {"REG", "HEX", "0~9"}));
        shows("SIGO 2 256", further("SIGO 2 256", "SIGO_1", "SIGO 2", {"REG", "HEX", "0~9"}), "000~255");
        steps("JB 16 steps", typed("JB 16", "JB"), "JB_1", {"L00", "PRG", "0~9", "(-)"});
        steps("JB -01 steps", typed("JB -01", "JB"), "JB_1", {"L00", "PRG", "0~9", "(-)"});
        shows("JB 17", typed("JB 17", "JB"), "01~16");
        shows("JB -17", typed("JB -17", "JB"), "-01~ -16");
        commits("JB 05 PRG31 commits", further("JB 05 PRG31", "JB_1", "JB 05", {}));
        commits("JB -05 L50 commits", further("JB -05 L50", "JB_1", "JB -05", {}));
        commits("JB 05 24 commits", further("JB 05 24", "JB_1", "JB 05", {}));
        commits("JB 05 -24 commits", further("JB 05 -24", "JB_1", "JB 05", {}));
        shows("JB 05 PRG32", further("JB 05 PRG32", "JB_1", "JB 05", {}), "PRG00~PRG31");
        shows("JB 05 -25", further("JB 05 -25", "JB_1", "JB 05", {}), "-01~ -24");
        shows("JB -05 L51", further("JB -05 L51", "JB_1", "JB -05", {}), "L00~L50");
        shows("JB -05 PRG32", further("JB -05 PRG32", "JB_1", "JB -05", {}), "PRG00~PRG31");
        shows("JB -05 25", further("JB -05 25", "JB_1", "JB -05", {}), "01~24");
        shows("JB 05 L51", further("JB 05 L51", "JB_1", "JB 05", {}), "L00~L50");
        shows("WAIT 00", typed("WAIT 00", "WAIT"), "01~16");
        commits("WAIT -16 commits", typed("WAIT -16", "WAIT"));
        {
            // TMS: the step appends the value's field and keeps the keypad and STATE_PARA.
            const PanelState before = typed("TMS 05", "TMS");
            PanelState after = panel("TMS 05 0001", "TMS_1", "TMS 05", {}, true);
            row("TMS 05 steps and appends 0001", before, 4, QString(), after);
            const PanelState minus = panel("TMS -05", "TMS", "", kLetters, false, "OFF");
            row("TMS -05 with the keypad off keeps it off", minus, 4, QString(),
                panel("TMS -05 0001", "TMS_1", "TMS -05", {}, false, "OFF"));
        }
        shows("TMS 17", typed("TMS 17", "TMS"), "01~16");
        shows("TMS -17", typed("TMS -17", "TMS"), "-01~ -16");
        shows("TMS 05 0000", panel("TMS 05 0000", "TMS_1", "TMS 05", {}, true), "0001~9999");
        commits("TMS 05 9999 commits", panel("TMS 05 9999", "TMS_1", "TMS 05", {}, true));
        shows("TMS -05 0000", panel("TMS -05 0000", "TMS_1", "TMS -05", {}, true), "0001~9999");
        commits("PWR ON commits", typed("PWR ON", "PWR"));
        commits("PWR OFF commits", typed("PWR OFF", "PWR"));
        row("SM 05 appends 00", panel("SM 05", "SM", "", {}, true), 4, QString(),
            panel("SM 05 00", "SM", "SM 05", {}, true));
        row("LP 05 07 appends 00", panel("LP 05 07", "LP", "LP 05", {}, true), 4, QString(),
            panel("LP 05 07 00", "LP", "LP 05 07", {}, true));
        shows("LS 05 AB", panel("LS 05 AB", "LS", "LS 05", {}, true), "R00~99");
        commits("SM 05 07 99 commits", panel("SM 05 07 99", "SM", "SM 05 07", {}, true));
        shows("SM 05 07 AB", panel("SM 05 07 AB", "SM", "SM 05 07", {}, true), "R00~99");
        ignores("LP 100 matches no row", panel("LP 100", "LP", "", {}, true));
        steps("SA FFFFh steps", typed("SA FFFFh", "SA"), "SA_1", {"0~9"});
        steps("SA 8000h steps", typed("SA 8000h", "SA"), "SA_1", {"0~9"});
        steps("SA -FFFFh steps", typed("SA -FFFFh", "SA"), "SA_1", {"0~9"});
        shows("SA 00G0h", typed("SA 00G0h", "SA"), "0000h~ FFFFh");
        shows("SA 0a00h: lower-case digit", typed("SA 0a00h", "SA"), "0000h~ FFFFh");
        shows("SA -00G0h", typed("SA -00G0h", "SA"), "-0000h~ -FFFFh");
        commits("SA 0A00h 100 commits", further("SA 0A00h 100", "SA_1", "SA 0A00h", {"0~9"}));
        shows("SA 0A00h 000", further("SA 0A00h 000", "SA_1", "SA 0A00h", {"0~9"}), "001~100");
        shows("SA -0A00h 101", further("SA -0A00h 101", "SA_1", "SA -0A00h", {"0~9"}), "001~100");
        steps("RUN PRG31 steps", typed("RUN PRG31", "RUN"), "RUN_1", {"0~9"});
        shows("RUN PRG32", typed("RUN PRG32", "RUN"), "PRG00~ PRG31");
        shows("RUN PRG05 0", further("RUN PRG05 0", "RUN_1", "RUN PRG05", {"0~9"}), "1~4");
        commits("RUN PRG05 4 commits", further("RUN PRG05 4", "RUN_1", "RUN PRG05", {"0~9"}));

        // --- parameters, with the axis bounds at 2, 3 and 4 axes
        steps("ACC 2 steps at 2 axes", typed("ACC 2", "ACC"), "ACC_1", {"0~9"}, 2);
        shows("ACC 3 at 2 axes", typed("ACC 3", "ACC"), "1~ 제어기축수", 2);
        steps("ACC 3 steps at 3 axes", typed("ACC 3", "ACC"), "ACC_1", {"0~9"}, 3);
        shows("ACC 4 at 3 axes", typed("ACC 4", "ACC"), "1~ 제어기축수", 3);
        steps("ACC 4 steps at 4 axes", typed("ACC 4", "ACC"), "ACC_1", {"0~9"}, 4);
        shows("ACC 5 at 4 axes", typed("ACC 5", "ACC"), "1~ 제어기축수", 4);
        shows("ACC 0 at 4 axes", typed("ACC 0", "ACC"), "1~ 제어기축수", 4);
        commits("ACC 1 200 commits", further("ACC 1 200", "ACC_1", "ACC 1", {"0~9"}));
        shows("ACC 1 201", further("ACC 1 201", "ACC_1", "ACC 1", {"0~9"}), "000~200");
        steps("DCC 3 steps at 3 axes", typed("DCC 3", "DCC"), "DCC_1", {"0~9"}, 3);
        shows("DCC 3 at 2 axes", typed("DCC 3", "DCC"), "1~ 제어기축수", 2);
        commits("DCC 2 000 commits", further("DCC 2 000", "DCC_1", "DCC 2", {"0~9"}));
        steps("SPD 2 steps", typed("SPD 2", "SPD"), "SPD_1", kRegCaptions, 2);
        shows("SPD 4 at 3 axes", typed("SPD 4", "SPD"), "1~ 제어기축수", 3);
        commits("SPD 2 R99 commits", further("SPD 2 R99", "SPD_1", "SPD 2", kRegCaptions));
        commits("SPD 2 *00 commits", further("SPD 2 *00", "SPD_1", "SPD 2", kRegCaptions));
        shows("SPD 2 000", further("SPD 2 000", "SPD_1", "SPD 2", kRegCaptions), "001~100");
        commits("SPD 2 100 commits", further("SPD 2 100", "SPD_1", "SPD 2", kRegCaptions));
        commits("TSPD 100 commits", typed("TSPD 100", "TSPD"));
        shows("TSPD 101", typed("TSPD 101", "TSPD"), "001~100");
        commits("TSPD R05 commits", typed("TSPD R05", "TSPD"));
        shows("TSPD *AB", typed("TSPD *AB", "TSPD"), "*00~99");
        commits("INP 900000 commits", panel("INP 900000", "INP", "", {}, true));
        shows("INP 900001", panel("INP 900001", "INP", "", {}, true), "000000~900000");
        commits("READ P999 commits", typed("READ P999", "READ"));
        commits("READ S99 commits", typed("READ S99", "READ"));
        ignores("READ S100 matches no row", typed("READ S100", "READ"));
        commits("WRITE P000 commits", typed("WRITE P000", "WRITE"));
        commits("WRITE APOS commits", typed("WRITE APOS", "WRITE"));
        commits("WRITE IN commits", typed("WRITE IN", "WRITE"));
        commits("WRITE OUT commits", typed("WRITE OUT", "WRITE"));
        ignores("WRITE INX matches no row", typed("WRITE INX", "WRITE"));
        ignores("VEL has no row", typed("VEL 1", "VEL"));

        // --- arithmetic and definitions
        steps("ADD R05 steps with five captions", typed("ADD R05", "ADD"), "ADD_1", kOpCaptions);
        steps("SUB *05 steps", typed("SUB *05", "SUB"), "SUB_1", kOpCaptions);
        steps("OR R05 steps to OR_1", typed("OR R05", "OR"), "OR_1", kOpCaptions);
        steps("AND R00 steps", typed("AND R00", "AND"), "AND_1", kOpCaptions);
        steps("MUL R99 steps", typed("MUL R99", "MUL"), "MUL_1", kOpCaptions);
        steps("SET R01 steps", typed("SET R01", "SET"), "SET_1", kOpCaptions);
        shows("ADD *5x shows the register message", typed("ADD *5x", "ADD"), "R00~99");
        shows("OR RAB reads from 5", typed("OR RAB", "OR"), "R00~99");
        commits("OR R05 R07 commits", further("OR R05 R07", "OR_1", "OR R05", kOpCaptions));
        commits("OR R05 0012 commits", further("OR R05 0012", "OR_1", "OR R05", kOpCaptions));
        shows("OR R05 F16 reads from 9", further("OR R05 F16", "OR_1", "OR R05", kOpCaptions), "F00~F15");
        shows("OR R05 4096 reads from 8", further("OR R05 4096", "OR_1", "OR R05", kOpCaptions), "0000~4095");
        shows("OR *05 G00h reads from 8", further("OR *05 G00h", "OR_1", "OR *05", kLetters), "000h~FFFh");
        commits("ADD R01 *05 commits", further("ADD R01 *05", "ADD_1", "ADD R01", kOpCaptions));
        shows("SET R01 F16", further("SET R01 F16", "SET_1", "SET R01", kOpCaptions), "F00~F15");
        commits("MUL R01 4095 commits", further("MUL R01 4095", "MUL_1", "MUL R01", kOpCaptions));
        shows("MUL R01 4096", further("MUL R01 4096", "MUL_1", "MUL R01", kOpCaptions), "0000~4095");
        commits("AND R01 FFFh commits", further("AND R01 FFFh", "AND_1", "AND R01", kLetters));
        shows("AND R01 G00h", further("AND R01 G00h", "AND_1", "AND R01", kLetters), "000h~FFFh");
        ignores("AND R01 FFFH: upper-case H", further("AND R01 FFFH", "AND_1", "AND R01", kLetters));
        commits("SUB *05 *99 commits", further("SUB *05 *99", "SUB_1", "SUB *05", kOpCaptions));
        commits("SET *05 F15 commits", further("SET *05 F15", "SET_1", "SET *05", kOpCaptions));
        ignores("ADD alone matches no row", typed("ADD", "ADD"));
        ignores("ADDR05 matches no row", typed("ADDR05", "ADD"));
        commits("INC R99 commits", typed("INC R99", "INC"));
        shows("DEC *AB", typed("DEC *AB", "DEC"), "*00~99");
        ignores("INC R100 matches no row", typed("INC R100", "INC"));
        steps("ADF *16 steps", typed("ADF *16", "ADF"), "ADF_1", {"FREG", "F(F)", "REG"});
        shows("ADF F16", typed("ADF F16", "ADF"), "F00~F15");
        steps("SUF F05 steps", typed("SUF F05", "SUF"), "SUF_1", {"FREG", "F(F)", "REG"});
        steps("MUF F15 steps", typed("MUF F15", "MUF"), "MUF_1", {"FREG", "F(F)", "REG"});
        commits("MUF F05 R99 commits", further("MUF F05 R99", "MUF_1", "MUF F05", {"FREG", "F(F)", "REG"}));
        shows("ADF *05 F16", further("ADF *05 F16", "ADF_1", "ADF *05", {}), "F00~F15");
        shows("SUF F05 *AB", further("SUF F05 *AB", "SUF_1", "SUF F05", {}), "*00~99");
        commits("L50 commits", panel("L50", "L", "", {}, true));
        shows("L51", panel("L51", "L", "", {}, true), "L00~L50");
        row("INT 1 steps and keeps STATE_COMMAND", panel("INT 1", "INT", "", {}, true), 4, QString(),
            panel("INT 1", "INT", "INT 1", {"LAB", "PRG", "OFF"}, false));
        shows("INT 0", panel("INT 0", "INT", "", {}, true), "1~3");
        shows("INT 4", panel("INT 4", "INT", "", {}, true), "1~3");
        commits("INT 2 PRG31 commits", further("INT 2 PRG31", "INT", "INT 2", {"LAB", "PRG", "OFF"}));
        shows("INT 2 PRG32", further("INT 2 PRG32", "INT", "INT 2", {"LAB", "PRG", "OFF"}), "PRG00~PRG31");
        commits("INT 2 L50 commits", further("INT 2 L50", "INT", "INT 2", {"LAB", "PRG", "OFF"}));
        commits("INT 2 OFF commits", further("INT 2 OFF", "INT", "INT 2", {"LAB", "PRG", "OFF"}));
        commits("INT 9 OFF commits: no field", further("INT 9 OFF", "INT", "INT 9", {"LAB", "PRG", "OFF"}));
        commits("CCLR 2 commits at 2 axes", typed("CCLR 2", "CCLR"), 2);
        shows("CCLR 3 at 2 axes", typed("CCLR 3", "CCLR"), "1~제어기축수", 2);
        commits("CCLR 3 commits at 3 axes", typed("CCLR 3", "CCLR"), 3);
        shows("CCLR 4 at 3 axes", typed("CCLR 4", "CCLR"), "1~제어기축수", 3);
        commits("CCLR 4 commits at 4 axes", typed("CCLR 4", "CCLR"), 4);
        shows("CCLR 0 at 4 axes", typed("CCLR 0", "CCLR"), "1~제어기축수", 4);
        steps("F15 steps", panel("F15", "F", "", {}, true), "F_1", kSignalCaptions);
        shows("F16", panel("F16", "F", "", {}, true), "F00~F15");
        commits("F15 -2200.00 commits", further("F15 -2200.00", "F_1", "F15", kSignalCaptions));
        commits("F15 2200.00 commits", further("F15 2200.00", "F_1", "F15", kSignalCaptions));
        shows("F15 2200.01", further("F15 2200.01", "F_1", "F15", kSignalCaptions), "+/- 0.00 ~ 2200.00");
        shows("F15 and a blank: empty value", further("F15 ", "F_1", "F15", kSignalCaptions), "+/- 0.00 ~ 2200.00");
        shows("F15 abc", further("F15 abc", "F_1", "F15", kSignalCaptions), "+/- 0.00 ~ 2200.00");
        commits("F05 0000.000001: ten characters checked, line kept whole",
                further("F05 0000.000001", "F_1", "F05", kSignalCaptions));
        steps("OF1 steps", typed("OF1", "OF"), "OF_1", kSignalCaptions, 2);
        steps("OF4 steps at 4 axes", typed("OF4", "OF"), "OF_1", kSignalCaptions, 4);
        shows("OF4 at 3 axes", typed("OF4", "OF"), "1~제어기축수", 3);
        shows("OF5", typed("OF5", "OF"), "1~제어기축수", 4);
        commits("OF1 -0000.50 commits", further("OF1 -0000.50", "OF_1", "OF1", kSignalCaptions));
        shows("OF1 2200.5", further("OF1 2200.5", "OF_1", "OF1", kSignalCaptions), "+/- 0.00 ~ 2200.00");
        shows("LAP F16", panel("LAP F16", "LAP", "", {}, true), "F00~F15");
        shows("LAP F05 5 at 4 axes", panel("LAP F05 5", "LAP", "LAP F05", {}, true), "1~제어기축수", 4);
        shows("LES F05 3 at 2 axes", panel("LES F05 3", "LES", "LES F05", {}, true), "1~제어기축수", 2);
        row("LEP F05 3 appends 00 at 3 axes", panel("LEP F05 3", "LEP", "LEP F05", {}, true), 3, QString(),
            panel("LEP F05 3 00", "LEP", "LEP F05 3", {}, true));
        shows("LAS F05 1 AB", panel("LAS F05 1 AB", "LAS", "LAS F05 1", {}, true), "R00~99");

        // --- lines that must never reach the buffer
        ignores("a line break inside a line", typed("MVE P001\r\nMVE P002", "MVE"));
        ignores("a tab in the field", typed("MA R\t5", "MA"));
        ignores("a control character under a run", further("F05 1\n2", "F_1", "F05", kSignalCaptions));
    }
    void enterLine()
    {
        QFETCH(PanelState, before);
        QFETCH(int, axes);
        QFETCH(QString, message);
        QFETCH(PanelState, after);
        PanelState s = before;
        const std::optional<QString> told = pendant::compose::EnterCmdLine(s, axes);
        QCOMPARE(told, message.isEmpty() ? std::nullopt : std::optional(message));
        QCOMPARE(s.STATE_COMMAND, after.STATE_COMMAND);
        QCOMPARE(s.TEMP_COMMAND, after.TEMP_COMMAND);
        QCOMPARE(s.STATE_PARA, after.STATE_PARA);
        QCOMPARE(s.Text, after.Text);
        QCOMPARE(s.TextCOPY, after.TextCOPY);
        for (std::size_t i = 0; i < s.P.size(); ++i)
            QCOMPARE(s.P[i], after.P[i]);
        QCOMPARE(s.cm, after.cm);
        QVERIFY(s == after);
    }

    // Several presses of ENT with only the digit keys (or nothing) between
    // them: each entry is the line the keys leave, then ENT.
    void chains_data()
    {
        QTest::addColumn<PanelState>("start");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("texts"); // Text after each ENT
        QTest::addColumn<QStringList>("temps"); // TEMP_COMMAND after each ENT
        QTest::addColumn<PanelState>("finish");

        QTest::newRow("SM three times") << panel("", "SM", "", {}, true)
                                        << QStringList{"SM 05", "SM 05 07", "SM 05 07 99"}
                                        << QStringList{"SM 05 00", "SM 05 07 00", ""}
                                        << QStringList{"SM 05", "SM 05 07", ""}
                                        << panel("", "", "", {}, true, "OFF", kEarlier + "SM 05 07 99\r\n");
        QTest::newRow("LAP: F register, axis, value")
            << panel("", "LAP", "", {}, true) << QStringList{"LAP F05", "LAP F05 2", "LAP F05 2 99"}
            << QStringList{"LAP F05 1", "LAP F05 2 00", ""} << QStringList{"LAP F05", "LAP F05 2", ""}
            << panel("", "", "", {}, true, "OFF", kEarlier + "LAP F05 2 99\r\n");
        QTest::newRow("TMS: signal then time")
            << panel("", "TMS", "", kLetters, true) << QStringList{"TMS 05", "TMS 05 0250"}
            << QStringList{"TMS 05 0001", ""} << QStringList{"TMS 05", ""}
            << panel("", "", "", {}, true, "OFF", kEarlier + "TMS 05 0250\r\n");
        QTest::newRow("ENT twice on PS 050 repeats the step")
            << panel("", "PS", "", kLetters, true) << QStringList{"PS 050", "PS 050"} << QStringList{"PS 050", "PS 050"}
            << QStringList{"PS 050", "PS 050"} << panel("PS 050", "PS_1", "PS 050", kRegCaptions, false);
        QTest::newRow("two commits keep both lines in order")
            << panel("", "", "", {}, true) << QStringList{"MVE P002", "GOT L07"} << QStringList{"", ""}
            << QStringList{"", ""} << panel("", "", "", {}, true, "OFF", kEarlier + "MVE P002\r\nGOT L07\r\n");
        QTest::newRow("a failed field between keeps the step")
            << panel("", "MA", "", kLetters, true) << QStringList{"MA R05", "MA R05 R-1", "MA R05 R99"}
            << QStringList{"MA R05", "MA R05 R-1", ""} << QStringList{"MA R05", "MA R05", ""}
            << panel("", "", "", {}, false, "OFF", kEarlier + "MA R05 R99\r\n");
        QTest::newRow("a second-operand line commits even on a stale state")
            << panel("", "MF", "", {}, true) << QStringList{"MF R05 12"} << QStringList{""} << QStringList{""}
            << panel("", "", "", {}, true, "OFF", kEarlier + "MF R05 12\r\n");
    }
    void chains()
    {
        QFETCH(PanelState, start);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, temps);
        QFETCH(PanelState, finish);
        PanelState s = start;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            s.Text = lines[i];
            pendant::compose::EnterCmdLine(s, 4);
            QCOMPARE(s.Text, texts[i]);
            QCOMPARE(s.TEMP_COMMAND, temps[i]);
        }
        QVERIFY(s == finish);
    }

    void failedFieldChangesNothingElse()
    {
        // A failing field changes nothing at all, the hexadecimal scratch included.
        PanelState s = further("ADD R01 G00h", "ADD_1", "ADD R01", kLetters);
        s.m_HexDigits = QStringLiteral("G00");
        const PanelState before = s;
        QCOMPARE(pendant::compose::EnterCmdLine(s, 4), std::optional(QStringLiteral("000h~FFFh")));
        QVERIFY(s == before);
    }
};

QTEST_GUILESS_MAIN(TestEnterCmdLine)
#include "test_entercmdline.moc"
