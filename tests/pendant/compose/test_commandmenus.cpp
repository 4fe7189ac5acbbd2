// The command-word menus: for a state before, a word and an axis count, the
// whole panel state after; and that every captioned first operand, and every
// operand an ENT step captions, has a soft key behind its caption.

#include "panelcheck.h"
#include "pendant/compose/commandmenus.h"
#include "pendant/compose/entercmdline.h"
#include "pendant/compose/softkeys.h"
#include "common/strings.h"

using panelcheck::Panel;
using pendant::compose::PanelState;

namespace {

const QStringList kReg{"REG", "R(R)", "0~9"};

// The window as loaded: nothing chosen yet.
Panel fresh()
{
    return Panel().para("OFF").keypad(true);
}
// A soft key has put an operand into the line and digits were typed.
Panel afterSoftKey()
{
    return Panel().line("MA R05").command("MA").lit().keys(kReg);
}
// The ENT check has stepped MA R05.
Panel afterStep()
{
    return Panel().line("MA R05").command("MA_1").temp("MA R05").para("ON").keypad(false).keys(kReg);
}
// Letter captions from an earlier hexadecimal entry.
Panel afterLetters()
{
    return Panel().line("SA 00ABh").command("SA").lit().keys({"A", "B", "C", "D", "E", "F"}).hex("00AB");
}

// What a word with soft-key captions leaves.
Panel offered(Panel before, const QString& word, const QStringList& captions)
{
    return before.line(word).command(word).para("OFF").keypad(false).keys(captions);
}
// What a direct entry leaves.
Panel direct(Panel before, const QString& word, const QString& line)
{
    return before.line(line).command(word).para("ON").keypad(true).keys({});
}
// What a word without operands leaves.
Panel alone(Panel before, const QString& word)
{
    return before.line(word).command(word).para("OFF").keypad(true).keys({});
}

void row(const char* name, const Panel& before, const QString& word, int axes, const Panel& after)
{
    QTest::newRow(name) << PanelState(before) << word << axes << PanelState(after);
}

} // namespace

class TestCommandMenus : public QObject {
    Q_OBJECT
private slots:
    void chooseWord_data()
    {
        QTest::addColumn<PanelState>("before");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("axes");
        QTest::addColumn<PanelState>("after");

        // Captions for the first operand.
        row("MVE", fresh(), "MVE", 4, offered(fresh(), "MVE", kReg));
        row("AR: one caption", fresh(), "AR", 4, offered(fresh(), "AR", {"0~9"}));
        row("PM: one caption", fresh(), "PM", 4, offered(fresh(), "PM", {"0~9"}));
        row("SFT", fresh(), "SFT", 4, offered(fresh(), "SFT", kReg));
        row("IF", fresh(), "IF", 4, offered(fresh(), "IF", {"REG", "R(R)", "FREG"}));
        row("GOT", fresh(), "GOT", 4, offered(fresh(), "GOT", {"L00"}));
        row("HOME", fresh(), "HOME", 4, offered(fresh(), "HOME", {"HEX"}));
        row("SIGB", fresh(), "SIGB", 4, offered(fresh(), "SIGB", {"0~9", "(-)"}));
        row("SIGI: only P(0)", fresh(), "SIGI", 4, offered(fresh(), "SIGI", {"REG"}));
        row("SIGO: five keys, P(5) empty", fresh(), "SIGO", 4,
            offered(fresh(), "SIGO", {"1", "2", "3", "AON", "AOFF"}));
        row("PWR", fresh(), "PWR", 4, offered(fresh(), "PWR", {"ON", "OFF"}));
        row("RUN: only P(0)", fresh(), "RUN", 4, offered(fresh(), "RUN", {"PRG"}));
        row("SA", fresh(), "SA", 4, offered(fresh(), "SA", {"HEX", "(-)"}));
        row("READ", fresh(), "READ", 4, offered(fresh(), "READ", {"LOC", "SFT"}));
        row("WRITE", fresh(), "WRITE", 4, offered(fresh(), "WRITE", {"LOC", "APOS", "IN", "OUT"}));
        row("TSPD", fresh(), "TSPD", 4, offered(fresh(), "TSPD", kReg));
        row("OR", fresh(), "OR", 4, offered(fresh(), "OR", {"REG", "R(R)"}));
        row("MUF", fresh(), "MUF", 4, offered(fresh(), "MUF", {"FREG", "F(F)"}));
        row("SET", fresh(), "SET", 4, offered(fresh(), "SET", {"REG", "R(R)"}));
        row("HERA", fresh(), "HERA", 4, offered(fresh(), "HERA", kReg));

        // One key per axis, as many as the controller has.
        row("ACC, 2 axes", fresh(), "ACC", 2, offered(fresh(), "ACC", {"1AX", "2AX"}));
        row("DCC, 3 axes", fresh(), "DCC", 3, offered(fresh(), "DCC", {"1AX", "2AX", "3AX"}));
        row("SPD, 4 axes", fresh(), "SPD", 4, offered(fresh(), "SPD", {"1AX", "2AX", "3AX", "4AX"}));
        row("CCLR, 2 axes", fresh(), "CCLR", 2, offered(fresh(), "CCLR", {"1AX", "2AX"}));
        row("OF, 3 axes", fresh(), "OF", 3, offered(fresh(), "OF", {"1AX", "2AX", "3AX"}));

        // The whole template at once.
        row("SM", fresh(), "SM", 4, direct(fresh(), "SM", "SM 00"));
        row("INP", fresh(), "INP", 4, direct(fresh(), "INP", "INP 000000"));
        row("L", fresh(), "L", 4, direct(fresh(), "L", "L00"));
        row("INT", fresh(), "INT", 4, direct(fresh(), "INT", "INT 1"));
        row("LP", fresh(), "LP", 4, direct(fresh(), "LP", "LP 00"));
        row("LS", fresh(), "LS", 4, direct(fresh(), "LS", "LS 00"));
        row("F", fresh(), "F", 4, direct(fresh(), "F", "F00"));
        row("LAP", fresh(), "LAP", 4, direct(fresh(), "LAP", "LAP F00"));
        row("LAS", fresh(), "LAS", 4, direct(fresh(), "LAS", "LAS F00"));
        row("LEP", fresh(), "LEP", 4, direct(fresh(), "LEP", "LEP F00"));
        row("LES", fresh(), "LES", 4, direct(fresh(), "LES", "LES F00"));

        // No operand.
        row("STOP", fresh(), "STOP", 4, alone(fresh(), "STOP"));
        row("RET", afterStep(), "RET", 4, alone(afterStep(), "RET"));
        row("RETC", afterSoftKey(), "RETC", 4, alone(afterSoftKey(), "RETC"));

        // A word starts a new line whatever the entry held; TEMP_COMMAND and the buffer stay.
        row("MVE after a soft key", afterSoftKey(), "MVE", 4, offered(afterSoftKey(), "MVE", kReg));
        row("MVE after an ENT step keeps TEMP_COMMAND", afterStep(), "MVE", 4, offered(afterStep(), "MVE", kReg));
        row("SIGI after letter captions empties the other five", afterLetters(), "SIGI", 4,
            offered(afterLetters(), "SIGI", {"REG"}));
        row("ACC after letter captions, 2 axes", afterLetters(), "ACC", 2,
            offered(afterLetters(), "ACC", {"1AX", "2AX"}));
        row("L after an ENT step", afterStep(), "L", 4, direct(afterStep(), "L", "L00"));
        row("a caption no row names: the word alone, keypad off", afterSoftKey(), "mve", 4,
            offered(afterSoftKey(), "mve", {}));
    }
    void chooseWord()
    {
        QFETCH(PanelState, before);
        QFETCH(QString, word);
        QFETCH(int, axes);
        QFETCH(PanelState, after);
        PanelState s = before;
        pendant::compose::chooseCommandWord(s, word, axes);
        COMPARE_PANEL(s, after);
    }

    void sameWordTwiceIsOnce()
    {
        for (const pendant::compose::CommandWord& w : pendant::compose::kCommandWords) {
            const QString word = common::toQString(w.word);
            PanelState once = afterStep();
            pendant::compose::chooseCommandWord(once, word, 3);
            PanelState twice = once;
            pendant::compose::chooseCommandWord(twice, word, 3);
            QVERIFY2(once == twice, qPrintable(word));
        }
    }

    // Every caption a menu word or an ENT step puts on a soft key stands for
    // a template that the key writes after the line's base.
    void everyOfferedCaptionHasItsKey()
    {
        auto check = [](const QString& state, const QString& base, const QStringList& captions) {
            for (qsizetype k = 0; k < captions.size(); ++k) {
                Panel p = Panel().command(state).temp(base).line(base).para("OFF").keypad(false).keys(captions);
                PanelState s = p;
                pendant::compose::pressSoftKey(s, int(k), 4);
                const QString what = state + QStringLiteral(" key ") + QString::number(k);
                QVERIFY2(s.Text.size() > base.size() && s.Text.startsWith(base), qPrintable(what));
            }
        };
        for (const pendant::compose::CommandWord& w : pendant::compose::kCommandWords) {
            const QString word = common::toQString(w.word);
            PanelState s;
            pendant::compose::chooseCommandWord(s, word, 4);
            QStringList captions = panelcheck::captionsOf(s);
            captions.removeAll(QString());
            check(word, word, captions);
        }
        for (const pendant::compose::LineRule& rule : pendant::compose::lineRules()) {
            if (rule.captions.isEmpty())
                continue;
            QStringList states;
            if (rule.outcome == pendant::compose::Outcome::StepOpWord) {
                // The line's own word: the block's word, or the template's (ADF SUF MUF).
                for (const pendant::compose::LineForm& f : rule.forms)
                    states << (f.opWord.isEmpty() ? f.tpl.pattern().section(u' ', 0, 0) : f.opWord) +
                                  QStringLiteral("_1");
            } else if (rule.outcome == pendant::compose::Outcome::StepKeepState) {
                states << QStringLiteral("INT");
            } else {
                states << rule.state;
            }
            states.removeDuplicates();
            for (const QString& state : states)
                check(state, QStringLiteral("X 1"), rule.captions);
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandMenus)
#include "test_commandmenus.moc"
