// Composing program lines in the pendant window's hidden program panel, as
// the operator would: a menu frame from the keypad, a command word, soft
// keys, digits, ENT, and INS into the program grid; and the four
// line-editing keys on the grid.

#include "pendant/compose/commandmenus.h"
#include "pendant/tpfixture.h"
#include "support/seams.h"

#include <algorithm>

using namespace tptest;

namespace {

// The keypad's index for a digit.
int digitKey(QChar d)
{
    return d == u'0' ? 9 : d.digitValue() - 1;
}

void typeDigits(const QString& digits)
{
    for (QChar d : digits)
        pressKeys({digitKey(d)});
}

// The program panel and its frames are hidden: their buttons are clicked directly.
void click(QPushButton* b)
{
    b->click();
}

QPushButton* word(const QList<QPushButton*>& menu, const QString& caption)
{
    for (QPushButton* b : menu) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

QStringList programLines()
{
    QStringList lines;
    for (int r = 1; r < tp().Grid->rows(); ++r)
        lines << tp().Grid->textMatrix(r, 0) + u' ' + tp().Grid->textMatrix(r, 1);
    return lines;
}

void setProgram(const QStringList& lines)
{
    tp().Grid->setRows(int(lines.size()) + 1);
    for (int i = 0; i < lines.size(); ++i) {
        tp().Grid->setTextMatrix(i + 1, 0, QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        tp().Grid->setTextMatrix(i + 1, 1, lines[i]);
    }
}

// Presses one step of a composition: a keypad digit string, ENT, or the soft
// key that carries the caption.
bool press(const QString& step)
{
    if (step == u"ENT") {
        click(tp().ENT1);
        return true;
    }
    if (!step.isEmpty() && std::all_of(step.begin(), step.end(), [](QChar c) { return c.isDigit(); })) {
        typeDigits(step);
        return true;
    }
    for (QPushButton* p : tp().P) {
        if (p->text() == step) {
            click(p);
            return true;
        }
    }
    return false;
}

} // namespace

class TestTpCompose : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(openFresh());
        selectPrg();
    }

    void everyMenuButtonIsAKnownWord()
    {
        for (const QList<QPushButton*>* menu :
             {&tp().cmMOT, &tp().cmPRG, &tp().cmIO, &tp().cmPARA, &tp().cmFUNC, &tp().cmDEF}) {
            QVERIFY(!menu->isEmpty());
            for (QPushButton* b : *menu)
                QVERIFY2(pendant::compose::findCommandWord(b->text()), qPrintable(b->objectName()));
        }
    }

    void composeTwoLinesAndInsertThem()
    {
        testsupport::MessageRecorder boxes;

        // IF R05 != ABh: PRG frame, IF, REG, 0 5, ENT, "!=", HEX, A, B, ENT.
        pressKeys({1});
        QVERIFY(!tp().Frame[1]->isHidden());
        click(word(tp().cmPRG, "IF"));
        QCOMPARE(tp().P[0]->text(), QStringLiteral("REG"));
        QVERIFY(!tp().cm[9]->isEnabled());
        click(tp().P[0]);
        QCOMPARE(tp().Text->text(), QStringLiteral("IF R00"));
        QVERIFY(tp().cm[9]->isEnabled());
        typeDigits("05");
        QCOMPARE(tp().Text->text(), QStringLiteral("IF R05"));
        click(tp().ENT1);
        QCOMPARE(tp().STATE_COMMAND(), QStringLiteral("IF_1"));
        QCOMPARE(tp().P[3]->text(), QStringLiteral("!="));
        click(tp().P[3]);
        QCOMPARE(tp().STATE_COMMAND(), QStringLiteral("IF_2"));
        QCOMPARE(tp().P[3]->text(), QStringLiteral("HEX"));
        click(tp().P[3]);
        QCOMPARE(tp().Text->text(), QStringLiteral("IF R05 != 00h"));
        QCOMPARE(tp().P[0]->text(), QStringLiteral("A"));
        click(tp().P[0]);
        click(tp().P[1]);
        QCOMPARE(tp().Text->text(), QStringLiteral("IF R05 != ABh"));
        click(tp().ENT1);
        QCOMPARE(tp().Text->text(), QString());
        QCOMPARE(tp().panel().TextCOPY, QStringLiteral("IF R05 != ABh\r\n"));

        // MA R05 100: MOT frame, MA, REG, 0 5, ENT, 0~9, 1 0 0, ENT.
        pressKeys({0});
        click(word(tp().cmMOT, "MA"));
        click(tp().P[0]);
        typeDigits("05");
        click(tp().ENT1);
        QCOMPARE(tp().STATE_COMMAND(), QStringLiteral("MA_1"));
        QCOMPARE(tp().P[2]->text(), QStringLiteral("0~9"));
        click(tp().P[2]);
        QCOMPARE(tp().Text->text(), QStringLiteral("MA R05 000"));
        typeDigits("100");
        QCOMPARE(tp().Text->text(), QStringLiteral("MA R05 100"));
        click(tp().ENT1);
        QCOMPARE(tp().panel().TextCOPY, QStringLiteral("IF R05 != ABh\r\nMA R05 100\r\n"));
        QCOMPARE(tp().TextCOPY->toPlainText(), QStringLiteral("IF R05 != ABh\nMA R05 100\n"));
        QVERIFY(boxes.boxes.isEmpty());

        click(tp().INS);
        QCOMPARE(programLines(), (QStringList{"000 IF R05 != ABh", "001 MA R05 100", "002 [EOF]"}));
        QCOMPARE(tp().Grid->row(), 3);
        QVERIFY(tp().panel().TextCOPY.isEmpty());
        QCOMPARE(tp().TextCOPY->toPlainText(), QString());
    }

    // The two-operand lines of the six operation words, from the menu key, the
    // word, soft keys, digits and ENT alone; the two-letter OR has every field
    // one place further left than the others.
    void composeOperationLines_data()
    {
        QTest::addColumn<int>("menu"); // keypad key of the menu frame
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("line");
        const int func = 4;
        const int def = 5;
        QTest::newRow("OR R05 R07") << func << "OR" << QStringList{"REG", "05", "ENT", "REG", "07"} << "OR R05 R07";
        QTest::newRow("OR R05 0012") << func << "OR" << QStringList{"REG", "05", "ENT", "0~9", "0012"} << "OR R05 0012";
        QTest::newRow("OR *12 234h") << func << "OR" << QStringList{"R(R)", "12", "ENT", "HEX", "1234"}
                                     << "OR *12 234h";
        QTest::newRow("OR *12 F15") << func << "OR" << QStringList{"R(R)", "12", "ENT", "FREG", "15"} << "OR *12 F15";
        QTest::newRow("ADD R05 F03") << func << "ADD" << QStringList{"REG", "05", "ENT", "FREG", "03"} << "ADD R05 F03";
        QTest::newRow("SUB *07 R10") << func << "SUB" << QStringList{"R(R)", "07", "ENT", "REG", "10"} << "SUB *07 R10";
        QTest::newRow("AND R01 123h") << func << "AND" << QStringList{"REG", "01", "ENT", "HEX", "123"}
                                      << "AND R01 123h";
        QTest::newRow("MUL R02 4095") << func << "MUL" << QStringList{"REG", "02", "ENT", "0~9", "4095"}
                                      << "MUL R02 4095";
        QTest::newRow("SET *03 *31") << def << "SET" << QStringList{"R(R)", "03", "ENT", "R(R)", "31"} << "SET *03 *31";
    }

    void composeOperationLines()
    {
        QFETCH(int, menu);
        QFETCH(QString, word);
        QFETCH(QStringList, steps);
        QFETCH(QString, line);
        testsupport::MessageRecorder boxes;

        pressKeys({menu});
        const QList<QPushButton*>& words = menu == 4 ? tp().cmFUNC : tp().cmDEF;
        QPushButton* w = ::word(words, word);
        QVERIFY(w);
        click(w);
        for (const QString& step : steps) {
            QVERIFY2(press(step), qPrintable(step));
            if (step == u"ENT")
                QCOMPARE(tp().STATE_COMMAND(), word + QStringLiteral("_1"));
        }
        QCOMPARE(tp().Text->text(), line);
        click(tp().ENT1);
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(tp().panel().TextCOPY, line + QStringLiteral("\r\n"));
        QCOMPARE(tp().Text->text(), QString());
        QCOMPARE(tp().STATE_COMMAND(), QString());
    }

    // A field that fails is told in a box of its text alone, OK and the
    // program's title, and the line stays as it was.
    void refusedFieldShowsItsMessageBox()
    {
        testsupport::MessageRecorder boxes;
        pressKeys({0});
        click(word(tp().cmMOT, "MA"));
        tp().panel().Text = QStringLiteral("MA R-1");
        click(tp().ENT1);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("R00~99"));
        QCOMPARE(boxes.boxes[0].title, common::kAppTitle);
        QCOMPARE(boxes.boxes[0].buttons, common::MsgButtons::Ok);
        QCOMPARE(boxes.boxes[0].icon, common::MsgIcon::None);
        QCOMPARE(tp().Text->text(), QStringLiteral("MA R-1"));
        QCOMPARE(tp().STATE_COMMAND(), QStringLiteral("MA"));
    }

    void lineEditingKeysWorkOnTheGrid()
    {
        setProgram({"MVE P001", "MVE P002", "MVE P003", "[EOF]"});
        tp().Grid->setRow(2);
        tp().Grid->setRowSel(3);
        click(tp().copy);
        QCOMPARE(tp().panel().TextCOPY, QStringLiteral("MVE P002\r\nMVE P003\r\n"));
        click(tp().cut);
        QCOMPARE(programLines(), (QStringList{"000 MVE P001", "001 [EOF]"}));
        QCOMPARE(tp().panel().TextCOPY, QStringLiteral("MVE P002\r\nMVE P003\r\nMVE P002\r\nMVE P003\r\n"));
        tp().Grid->setRow(1);
        click(tp().INS);
        QCOMPARE(programLines(), (QStringList{"000 MVE P002", "001 MVE P003", "002 MVE P002", "003 MVE P003",
                                              "004 MVE P001", "005 [EOF]"}));
        QCOMPARE(tp().Grid->row(), 5);
        QCOMPARE(tp().Grid->textMatrix(5, 1), QStringLiteral("MVE P001"));
        tp().Grid->setRow(1);
        tp().Grid->setRowSel(4);
        click(tp().del);
        QCOMPARE(programLines(), (QStringList{"000 MVE P001", "001 [EOF]"}));
        QVERIFY(tp().panel().TextCOPY.isEmpty());
        QCOMPARE(tp().Grid->cols(), 2);
    }
};

QTEST_MAIN(TestTpCompose)
#include "test_tpcompose.moc"
