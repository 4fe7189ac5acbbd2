// The soft keys: for a state before (as a menu word or an ENT step leaves
// it), a key and an axis count, the whole panel state after.

#include "panelcheck.h"
#include "pendant/compose/softkeys.h"
#include "common/strings.h"

using panelcheck::Panel;
using pendant::compose::PanelState;

namespace {

const QStringList kReg{"REG", "R(R)", "0~9"};
const QStringList kSignal{"0~9", "(-)"};
const QStringList kLetters{"A", "B", "C", "D", "E", "F"};
const QStringList kRight{"REG", "R(R)", "0~9", "HEX", "FREG"};
const QStringList kOperation{"REG", "R(R)", "FREG", "HEX", "0~9"};

// As the menu leaves a word with captions: the word alone, keypad off.
Panel chosen(const QString& word, const QStringList& captions)
{
    return Panel().line(word).command(word).para("OFF").keypad(false).keys(captions);
}
// As the ENT check's step leaves the line: stored, keypad off.
Panel stepped(const QString& state, const QString& line, const QStringList& captions)
{
    return Panel().line(line).command(state).temp(line).para("ON").keypad(false).keys(captions);
}
// Letter keys up, the line holding a hexadecimal field.
Panel lettersUp(const QString& state, const QString& temp, const QString& line)
{
    return Panel().line(line).command(state).temp(temp).lit().keys(kLetters);
}

void row(const char* name, const Panel& before, int key, const Panel& after, int axes = 4)
{
    QTest::newRow(name) << PanelState(before) << key << axes << PanelState(after);
}
// The key writes `line`; nothing else but the keypad and STATE_PARA changes.
void writes(const char* name, const Panel& before, int key, const QString& line, int axes = 4)
{
    row(name, before, key, Panel(before).lit().line(line), axes);
}
// The key writes `line` and turns the six keys into letters.
void writesHex(const char* name, const Panel& before, int key, const QString& line)
{
    row(name, before, key, Panel(before).lit().line(line).keys(kLetters));
}
// A letter key: the line and the digits kept.
void enters(const char* name, const Panel& before, int key, const QString& line, const QString& digits)
{
    row(name, before, key, Panel(before).lit().line(line).hex(digits));
}

} // namespace

class TestSoftKeys : public QObject {
    Q_OBJECT
private slots:
    void press_data()
    {
        QTest::addColumn<PanelState>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("axes");
        QTest::addColumn<PanelState>("after");

        // First operand, built on the word.
        writes("MVE key 0", chosen("MVE", kReg), 0, "MVE P(R00)");
        writes("MVS key 1", chosen("MVS", kReg), 1, "MVS P(*00)");
        writes("HERC key 2", chosen("HERC", kReg), 2, "HERC P000");
        writes("MA key 0", chosen("MA", kReg), 0, "MA R00");
        writes("MA key 1", chosen("MA", kReg), 1, "MA *00");
        writes("MA key 2", chosen("MA", kReg), 2, "MA P000");
        writes("MA key 2 after key 0 and digits: rebuilt from the word", Panel(chosen("MA", kReg)).lit().line("MA R05"),
               2, "MA P000");
        writes("MA key 0 after ESC emptied the line", Panel(chosen("MA", kReg)).line(""), 0, "MA R00");
        writes("DRP key 2", chosen("DRP", kReg), 2, "DRP P000");
        writes("SF key 2", chosen("SF", kReg), 2, "SF S00");
        writes("DRS key 0", chosen("DRS", kReg), 0, "DRS R00");
        writes("SFT key 0", chosen("SFT", kReg), 0, "SFT S(R00)");
        writes("SFT key 1", chosen("SFT", kReg), 1, "SFT S(*00)");
        writes("SFT key 2", chosen("SFT", kReg), 2, "SFT S00");
        writes("SPL key 2", chosen("SPL", kReg), 2, "SPL 00");
        writes("VMN key 2", chosen("VMN", kReg), 2, "VMN 000");
        writes("TSPD key 1", chosen("TSPD", kReg), 1, "TSPD *00");
        writes("IF key 2", chosen("IF", {"REG", "R(R)", "FREG"}), 2, "IF F00");
        writes("AR key 0", chosen("AR", {"0~9"}), 0, "AR P000");
        writes("UP key 0", chosen("UP", {"0~9"}), 0, "UP P000");
        writes("PS key 0", chosen("PS", {"0~9"}), 0, "PS 000");
        writes("DLY key 0", chosen("DLY", {"0~9"}), 0, "DLY 000000");
        writes("CALL key 0", chosen("CALL", {"0~9"}), 0, "CALL PRG00");
        writes("JMP key 0", chosen("JMP", {"L00"}), 0, "JMP L00");
        writesHex("HOME key 0: the whole line and the letters", chosen("HOME", {"HEX"}), 0, "HOME 00h");
        writes("TMS key 1", chosen("TMS", kSignal), 1, "TMS -00");
        writes("SIGI key 0", chosen("SIGI", {"REG"}), 0, "SIGI R00");
        writes("SIGO key 4", chosen("SIGO", {"1", "2", "3", "AON", "AOFF"}), 4, "SIGO AOFF");
        writes("PWR key 1", chosen("PWR", {"ON", "OFF"}), 1, "PWR OFF");
        writesHex("SA key 0", chosen("SA", {"HEX", "(-)"}), 0, "SA 0000h");
        writesHex("SA key 1", chosen("SA", {"HEX", "(-)"}), 1, "SA -0000h");
        writes("RUN key 0", chosen("RUN", {"PRG"}), 0, "RUN PRG00");
        writes("READ key 1", chosen("READ", {"LOC", "SFT"}), 1, "READ S00");
        writes("WRITE key 1", chosen("WRITE", {"LOC", "APOS", "IN", "OUT"}), 1, "WRITE APOS");
        writes("WRITE key 3", chosen("WRITE", {"LOC", "APOS", "IN", "OUT"}), 3, "WRITE OUT");
        writes("OR key 1", chosen("OR", {"REG", "R(R)"}), 1, "OR *00");
        writes("DEC key 0", chosen("DEC", {"REG", "R(R)"}), 0, "DEC R00");
        writes("SUF key 0", chosen("SUF", {"FREG", "F(F)"}), 0, "SUF F00");
        writes("CCLR key 0", chosen("CCLR", {"1AX", "2AX"}), 0, "CCLR 1", 2);
        writes("ACC key 2, 3 axes", chosen("ACC", {"1AX", "2AX", "3AX"}), 2, "ACC 3", 3);
        writes("SPD key 3, 4 axes", chosen("SPD", {"1AX", "2AX", "3AX", "4AX"}), 3, "SPD 4", 4);
        writes("OF key 0: fused with the word", chosen("OF", {"1AX", "2AX"}), 0, "OF1", 2);
        writes("OF key 3, 4 axes", chosen("OF", {"1AX", "2AX", "3AX", "4AX"}), 3, "OF4", 4);
        writes("ACC key 3 captioned for 4 axes, now 2: writes nothing", chosen("ACC", {"1AX", "2AX", "3AX", "4AX"}), 3,
               "ACC", 2);

        // Keys without a caption, and states no row names.
        row("ACC key 2 without caption, 2 axes: nothing at all", chosen("ACC", {"1AX", "2AX"}), 2,
            chosen("ACC", {"1AX", "2AX"}), 2);
        row("AR key 1 without caption", chosen("AR", {"0~9"}), 1, chosen("AR", {"0~9"}));
        row("STOP: no captions", Panel(chosen("STOP", {})).keypad(true), 0, Panel(chosen("STOP", {})).keypad(true));
        writes("a state no row names: keypad and STATE_PARA only", chosen("XYZ", {"REG"}), 0, "XYZ");
        writes("SIGO key 5 (no template): keypad and STATE_PARA only", chosen("SIGO", {"1", "2", "3", "4", "5", "6"}),
               5, "SIGO");

        // Further operands, built on TEMP_COMMAND.
        writes("MA_1 key 1", stepped("MA_1", "MA P001", kReg), 1, "MA P001 *00");
        writes("MA_1 key 2", stepped("MA_1", "MA R05", kReg), 2, "MA R05 000");
        writes("JMP_1 key 0", stepped("JMP_1", "JMP L01", kReg), 0, "JMP L01 R00");
        writes("MA_1 key 2 after ESC", Panel(stepped("MA_1", "MA R05", kReg)).line(""), 2, "MA R05 000");
        writes("PM_1 key 2", stepped("PM_1", "PM 050", kReg), 2, "PM 050 0000");
        writes("SA_1 key 0", stepped("SA_1", "SA 00FFh", {"0~9"}), 0, "SA 00FFh 000");
        writes("DCC_1 key 0", stepped("DCC_1", "DCC 2", {"0~9"}), 0, "DCC 2 000");
        writes("RUN_1 key 0", stepped("RUN_1", "RUN PRG05", {"0~9"}), 0, "RUN PRG05 0");
        writes("SB_1 key 1", stepped("SB_1", "SB S05", kSignal), 1, "SB S05 -00");
        writes("F_1 key 1", stepped("F_1", "F05", kSignal), 1, "F05 -0000.00");
        writes("OF_1 key 0", stepped("OF_1", "OF2", kSignal), 0, "OF2 0000.00");
        writes("SIGI_1 key 1", stepped("SIGI_1", "SIGI R05", {"1", "2"}), 1, "SIGI R05 2");
        writes("SIGO_1 key 0: operand key while P(0) reads REG", stepped("SIGO_1", "SIGO 1", {"REG", "HEX", "0~9"}), 0,
               "SIGO 1 R00");
        writesHex("SIGO_1 key 1", stepped("SIGO_1", "SIGO 1", {"REG", "HEX", "0~9"}), 1, "SIGO 1 00h");
        writes("JB_1 key 1", stepped("JB_1", "JB 05", {"L00", "PRG", "0~9", "(-)"}), 1, "JB 05 PRG00");
        writes("JB_1 key 3", stepped("JB_1", "JB 05", {"L00", "PRG", "0~9", "(-)"}), 3, "JB 05 -00");
        writes("INT key 2", stepped("INT", "INT 1", {"LAB", "PRG", "OFF"}), 2, "INT 1 OFF");
        writes("OR_1 key 4", stepped("OR_1", "OR R01", kOperation), 4, "OR R01 0000");
        writes("SET_1 key 2", stepped("SET_1", "SET R01", kOperation), 2, "SET R01 F00");
        writesHex("ADD_1 key 3", stepped("ADD_1", "ADD R01", kOperation), 3, "ADD R01 000h");
        writes("MUF_1 key 2", stepped("MUF_1", "MUF F01", {"FREG", "F(F)", "REG"}), 2, "MUF F01 R00");

        // IF: the comparator moves the entry to the right operand.
        const Panel if1 = stepped("IF_1", "IF R05", {">", "<", "=", "!="});
        row("IF_1 key 3", if1, 3, Panel(if1).lit().line("IF R05 !=").temp("IF R05 !=").command("IF_2").keys(kRight));
        row("IF_1 key 0", if1, 0, Panel(if1).lit().line("IF R05 >").temp("IF R05 >").command("IF_2").keys(kRight));
        const Panel if2 = Panel().line("IF R05 !=").command("IF_2").temp("IF R05 !=").lit().keys(kRight);
        writes("IF_2 key 1", if2, 1, "IF R05 != *00");
        writes("IF_2 key 2", if2, 2, "IF R05 != 000");
        writes("IF_2 key 4", if2, 4, "IF R05 != F00");
        writesHex("IF_2 key 3", if2, 3, "IF R05 != 00h");

        // Hexadecimal letters shift into the field before the first "h".
        enters("IF_2 A", lettersUp("IF_2", "IF R00 >", "IF R00 > 00h"), 0, "IF R00 > 0Ah", "0A");
        enters("IF_2 B", lettersUp("IF_2", "IF R00 >", "IF R00 > 0Ah"), 1, "IF R00 > ABh", "AB");
        enters("IF_2 C", lettersUp("IF_2", "IF R00 >", "IF R00 > ABh"), 2, "IF R00 > BCh", "BC");
        enters("IF_2 F: the sixth key", lettersUp("IF_2", "IF R00 >", "IF R00 > 12h"), 5, "IF R00 > 2Fh", "2F");
        enters("HOME F", lettersUp("HOME", "", "HOME 00h"), 5, "HOME 0Fh", "0F");
        enters("SIGO_1 E", lettersUp("SIGO_1", "SIGO 2", "SIGO 2 00h"), 4, "SIGO 2 0Eh", "0E");
        enters("SA A keeps the sign", lettersUp("SA", "", "SA -0000h"), 0, "SA -000Ah", "000A");
        enters("SA B keeps the sign", lettersUp("SA", "", "SA -000Ah"), 1, "SA -00ABh", "00AB");
        enters("SA letter on a line of neither SA form", lettersUp("SA", "", "SA 12340h"), 2, "SA 12340h", "");
        enters("SA C", lettersUp("SA", "", "SA 1234h"), 2, "SA 234Ch", "234C");
        enters("SA after ESC: the line stays empty", lettersUp("SA", "", ""), 0, "", "");
        enters("ADD_1 C", lettersUp("ADD_1", "ADD R01", "ADD R01 000h"), 2, "ADD R01 00Ch", "00C");
        enters("ADD_1 D", lettersUp("ADD_1", "ADD R01", "ADD R01 00Ch"), 3, "ADD R01 0CDh", "0CD");
        enters("ADD_1 E", lettersUp("ADD_1", "ADD R01", "ADD R01 0CDh"), 4, "ADD R01 CDEh", "CDE");
        enters("ADD_1 F", lettersUp("ADD_1", "ADD R01", "ADD R01 CDEh"), 5, "ADD R01 DEFh", "DEF");
        enters("MUL_1 digits typed in between", lettersUp("MUL_1", "MUL R01", "MUL R01 012h"), 0, "MUL R01 12Ah",
               "12A");
        writesHex("DRP_1 key 0 (0h)", stepped("DRP_1", "DRP P001", {"0h"}), 0, "DRP P001 0h");
        enters("DRP_1 E replaces the digit", lettersUp("DRP_1", "DRP P001", "DRP P001 0h"), 4, "DRP P001 Eh", "E");
        enters("DRS_1 A after ESC", lettersUp("DRS_1", "DRS S05", ""), 0, "DRS S05 Ah", "A");
        // A letter goes into the hexadecimal field before the first "h"; a line without that field (ESC
        // emptied it, or the "h" comes too early) has nowhere to take it and is left as it is.
        enters("IF_2 letter on an empty line", lettersUp("IF_2", "IF R00 >", ""), 0, "", "");
        enters("HOME letter on a line without h", lettersUp("HOME", "", "HOME 00"), 0, "HOME 00", "");
        enters("ADD_1 letter with two characters before h", lettersUp("ADD_1", "ADD R01", "0h"), 0, "0h", "");
    }
    void press()
    {
        QFETCH(PanelState, before);
        QFETCH(int, key);
        QFETCH(int, axes);
        QFETCH(PanelState, after);
        PanelState s = before;
        pendant::compose::pressSoftKey(s, key, axes);
        COMPARE_PANEL(s, after);
    }

    // One row per state: the first row naming a state would hide a later one.
    void noStateNamedTwice()
    {
        auto names = [](const auto& rows) {
            QStringList all;
            for (const auto& r : rows)
                all << common::toQString(r.states).split(u' ');
            return all;
        };
        for (const QStringList& all : {names(pendant::compose::kSoftKeyRows), names(pendant::compose::kLetterRows)}) {
            QStringList unique = all;
            unique.removeDuplicates();
            QCOMPARE(unique.size(), all.size());
        }
    }

    // A whole hexadecimal entry from the word on: HOME, the template, three letters.
    void hexEntryFromTheWord()
    {
        PanelState s = chosen("HOME", {"HEX"});
        for (int key : {0, 0, 1, 2})
            pendant::compose::pressSoftKey(s, key, 4);
        COMPARE_PANEL(s, Panel(chosen("HOME", kLetters)).lit().line("HOME BCh").hex("BC"));
    }
};

QTEST_GUILESS_MAIN(TestSoftKeys)
#include "test_softkeys.moc"
