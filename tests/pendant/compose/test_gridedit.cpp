// Line editing of the program grid: for the lines, the selection and the
// buffer before copy, cut, del or INS, the lines, their numbers, the buffer
// and the current row after; and the grid's limit of 256 rows.

#include "pendant/compose/gridedit.h"

#include <QtTest>

using pendant::compose::GridRow;
using pendant::compose::PanelState;
using pendant::compose::ProgramGrid;

namespace {

const GridRow kHeader{QString(), QStringLiteral("PROG1.PRG")};
const QString kStale = QStringLiteral("x"); // a number no renumbering writes

// "a|b|[EOF]": the lines below the header, each with a stale number.
ProgramGrid grid(const QString& lines, int row, int rowSel)
{
    ProgramGrid g;
    g.rows.push_back(kHeader);
    for (const QString& text : lines.split(u'|'))
        g.rows.push_back({kStale, text});
    g.Row = row;
    g.RowSel = rowSel;
    return g;
}

QString linesOf(const ProgramGrid& g)
{
    QStringList lines;
    for (std::size_t r = 1; r < g.rows.size(); ++r)
        lines << g.rows[r].text;
    return lines.join(u'|');
}

// "000|001|..." when renumbered up to the end mark (or the last row); the
// stale numbers otherwise.
QString numbersOf(const ProgramGrid& g)
{
    QStringList numbers;
    for (std::size_t r = 1; r < g.rows.size(); ++r)
        numbers << g.rows[r].number;
    return numbers.join(u'|');
}

QString renumbered(int count)
{
    QStringList numbers;
    for (int i = 0; i < count; ++i)
        numbers << QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
    return numbers.join(u'|');
}

QString stale(int count)
{
    return QStringList(qsizetype(count), kStale).join(u'|');
}

// Lines joined by "|" as buffer lines, each ended by CR LF.
QString buf(const QString& lines)
{
    QString b;
    for (const QString& l : lines.split(u'|'))
        b += l + QStringLiteral("\r\n");
    return b;
}

const QString kOld = QStringLiteral("MVE P001\r\n");

void apply(const QString& op, ProgramGrid& g, PanelState& s)
{
    if (op == u"copy")
        pendant::compose::copyLines(g, s);
    else if (op == u"cut")
        pendant::compose::cutLines(g, s);
    else if (op == u"del")
        pendant::compose::deleteLines(g);
    else if (op == u"ins")
        pendant::compose::insertLines(g, s);
}

void row(const char* name, const char* op, const QString& lines, int r, int rowSel, const QString& buffer,
         const QString& linesAfter, const QString& bufferAfter, int rowAfter, bool renumbers = true)
{
    const int count = int(linesAfter.split(u'|').size());
    QTest::newRow(name) << QString::fromLatin1(op) << lines << r << rowSel << buffer << linesAfter
                        << (renumbers ? renumbered(count) : stale(count)) << bufferAfter << rowAfter;
}

} // namespace

class TestGridEdit : public QObject {
    Q_OBJECT
private slots:
    void edit_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowSel");
        QTest::addColumn<QString>("buffer");
        QTest::addColumn<QString>("linesAfter");
        QTest::addColumn<QString>("numbersAfter");
        QTest::addColumn<QString>("bufferAfter");
        QTest::addColumn<int>("rowAfter");

        const QString abc = QStringLiteral("a|b|c|[EOF]");
        // copy: replaces the buffer, leaves the grid and its numbers.
        row("copy one row", "copy", abc, 2, 2, kOld, abc, buf("b"), 2, false);
        row("copy three rows", "copy", abc, 1, 3, kOld, abc, buf("a|b|c"), 1, false);
        row("copy upward: empty buffer", "copy", abc, 3, 1, kOld, abc, "", 3, false);
        row("copy on [EOF]: empty buffer", "copy", abc, 4, 4, kOld, abc, "", 4, false);
        row("copy stops in front of [EOF]", "copy", abc, 2, 4, kOld, abc, buf("b|c"), 2, false);
        row("copy an empty row", "copy", "a||[EOF]", 2, 2, kOld, "a||[EOF]", "\r\n", 2, false);

        // cut: appends, takes out, removes every empty line, renumbers.
        row("cut two rows", "cut", abc, 2, 3, kOld, "a|[EOF]", kOld + buf("b|c"), 2);
        row("cut stops in front of [EOF]", "cut", abc, 2, 4, kOld, "a|[EOF]", kOld + buf("b|c"), 2);
        row("cut every line", "cut", abc, 1, 3, "", "[EOF]", buf("a|b|c"), 1);
        row("cut the last line: the current row stays on its number", "cut", abc, 3, 4, "", "a|b|[EOF]", buf("c"), 3);
        row("cut on [EOF] below an empty line: the current row stays within the grid", "cut", "a||[EOF]", 3, 3, kOld,
            "a|[EOF]", kOld, 2);
        row("cut also removes empty lines outside the range", "cut", "|a||b|[EOF]", 2, 2, "", "b|[EOF]", buf("a"), 2);
        row("cut upward: no line taken, empty lines still go", "cut", "a||b|[EOF]", 3, 1, kOld, "a|b|[EOF]", kOld, 3);
        row("cut on [EOF]: renumbers only", "cut", abc, 4, 4, kOld, abc, kOld, 4);
        row("cut an empty row adds an empty buffer line", "cut", "a||[EOF]", 2, 2, "", "a|[EOF]", "\r\n", 2);
        row("cut without [EOF]: scans to the last row", "cut", "a||b", 1, 1, "", "b", buf("a"), 1);
        // A grid needs one row under its fixed one: the only line below the header stays, emptied.
        row("cut the only line of a grid without [EOF]", "cut", "a", 1, 1, "", "", buf("a"), 1);
        row("cut without [EOF], empty lines only", "cut", "||", 1, 3, "", "", buf("||"), 1);

        // del: as cut, the buffer untouched.
        row("del two rows", "del", abc, 2, 3, kOld, "a|[EOF]", kOld, 2);
        row("del stops in front of [EOF]", "del", abc, 1, 4, kOld, "[EOF]", kOld, 1);
        row("del upward: empty lines still go", "del", "||a|[EOF]", 3, 2, kOld, "a|[EOF]", kOld, 2);
        row("del the only line of a grid without [EOF]", "del", "a", 1, 1, kOld, "", kOld, 1);

        // INS: the lines go in front of the current row, which stays on its line.
        row("ins two lines in the middle", "ins", "a|b|[EOF]", 2, 2, buf("x|y"), "a|x|y|b|[EOF]", "", 4);
        row("ins at the top", "ins", "a|b|[EOF]", 1, 1, buf("x|y"), "x|y|a|b|[EOF]", "", 3);
        row("ins on [EOF]: at the end", "ins", "a|b|[EOF]", 3, 3, buf("x|y"), "a|b|x|y|[EOF]", "", 5);
        row("ins into an empty program", "ins", "[EOF]", 1, 1, buf("x"), "x|[EOF]", "", 2);
        row("ins with a selection: the current row decides", "ins", "a|b|[EOF]", 1, 3, buf("x"), "x|a|b|[EOF]", "", 2);
        row("ins an empty line last", "ins", "a|[EOF]", 1, 1, buf("x|"), "x||a|[EOF]", "", 3);
        row("ins an empty line first: lines above stay", "ins", "a|b|[EOF]", 3, 3, buf("|x"), "a|b||x|[EOF]", "", 5);
        row("ins with an empty buffer: nothing, not even numbers", "ins", abc, 2, 2, "", abc, "", 2, false);
        // Text after the last CR LF is a line of its own, so nothing copied is lost.
        row("ins text after the last CR LF", "ins", "a|[EOF]", 1, 1, "x\r\ny", "x|y|a|[EOF]", "", 3);
        row("ins a buffer without CR LF", "ins", "a|[EOF]", 2, 2, "x", "a|x|[EOF]", "", 3);
        // A program without an end mark keeps its last line; a new end mark follows it.
        row("ins into a grid without [EOF]", "ins", "a|b", 2, 2, buf("x"), "a|x|b|[EOF]", "", 3);
        row("ins on the last line of a grid without [EOF]", "ins", "a|b", 2, 2, buf("x|y"), "a|x|y|b|[EOF]", "", 4);
        row("ins over an empty last row", "ins", "a|", 1, 1, buf("x"), "x|a|[EOF]", "", 2);
    }
    void edit()
    {
        QFETCH(QString, op);
        QFETCH(QString, lines);
        QFETCH(int, row);
        QFETCH(int, rowSel);
        QFETCH(QString, buffer);
        ProgramGrid g = grid(lines, row, rowSel);
        PanelState s;
        s.TextCOPY = buffer;
        apply(op, g, s);
        QTEST(linesOf(g), "linesAfter");
        QTEST(numbersOf(g), "numbersAfter");
        QTEST(s.TextCOPY, "bufferAfter");
        QTEST(g.Row, "rowAfter");
        QCOMPARE(g.rows.front(), kHeader);
    }

    void twoCutsKeepBothInOrder()
    {
        ProgramGrid g = grid("a|b|c|[EOF]", 1, 1);
        PanelState s;
        pendant::compose::cutLines(g, s);
        g.Row = g.RowSel = 2; // now "c"
        pendant::compose::cutLines(g, s);
        QCOMPARE(linesOf(g), QStringLiteral("b|[EOF]"));
        QCOMPARE(s.TextCOPY, buf("a|c"));
    }

    void cutThenInsertRestores()
    {
        ProgramGrid g = grid("a|b|c|d|[EOF]", 2, 3);
        PanelState s;
        pendant::compose::cutLines(g, s);
        g.Row = g.RowSel = 2; // "d"
        pendant::compose::insertLines(g, s);
        QCOMPARE(linesOf(g), QStringLiteral("a|b|c|d|[EOF]"));
        QCOMPARE(numbersOf(g), renumbered(5));
        QCOMPARE(g.Row, 4);
        QVERIFY(s.TextCOPY.isEmpty());
    }

    void rowLimit_data()
    {
        QTest::addColumn<int>("lines");    // lines before the end mark
        QTest::addColumn<bool>("endMark"); // the grid ends with "[EOF]"
        QTest::addColumn<QString>("buffer");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<QString>("bufferAfter");

        QTest::newRow("255 rows, three lines: the first only") << 253 << true << buf("x|y|z") << 256 << buf("y|z");
        QTest::newRow("254 rows, three lines: two") << 252 << true << buf("x|y|z") << 256 << buf("z");
        QTest::newRow("256 rows: nothing") << 254 << true << buf("x") << 256 << buf("x");
        QTest::newRow("255 rows, the last line without CR LF") << 253 << true << QStringLiteral("x") << 256 << "";
        QTest::newRow("no [EOF], 254 rows: one line and the end mark") << 253 << false << buf("x|y") << 256 << buf("y");
        QTest::newRow("no [EOF], 255 rows: no room for line and end mark")
            << 254 << false << buf("x") << 255 << buf("x");
    }
    void rowLimit()
    {
        QFETCH(int, lines);
        QFETCH(bool, endMark);
        QFETCH(QString, buffer);
        QStringList texts;
        for (int i = 0; i < lines; ++i)
            texts << QStringLiteral("L%1").arg(i);
        if (endMark)
            texts << QStringLiteral("[EOF]");
        ProgramGrid g = grid(texts.join(u'|'), 1, 1);
        PanelState s;
        s.TextCOPY = buffer;
        pendant::compose::insertLines(g, s);
        QTEST(int(g.rows.size()), "rowsAfter");
        QTEST(s.TextCOPY, "bufferAfter");
        QCOMPARE(g.rows.back().text,
                 endMark || g.rows.size() > std::size_t(lines) + 1 ? QStringLiteral("[EOF]") : texts.back());
        QVERIFY(int(g.rows.size()) <= pendant::compose::kMaxProgramRows);
        // A second INS at the limit does nothing.
        const ProgramGrid before = g;
        const QString rest = s.TextCOPY;
        pendant::compose::insertLines(g, s);
        QVERIFY(g == before);
        QCOMPARE(s.TextCOPY, rest);
    }
};

QTEST_GUILESS_MAIN(TestGridEdit)
#include "test_gridedit.moc"
