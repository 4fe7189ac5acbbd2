// Checks over every row of both digit tables: each template is well formed,
// its own lines are decided by its own row (so no earlier row shadows it),
// its field is the last operand run of the template, and the row rebuilds its
// lines in the same shape, so that key after key edits the same field.

#include "common/linetemplate.h"
#include "pendant/digits/digitedit.h"
#include "pendant/digits/digitrow.h"
#include "programs/cmdwords.h"
#include "common/strings.h"

#include <QtTest>

#include <functional>
#include <set>
#include <string>

using namespace pendant::digits;

namespace {

using common::toQString;

// One template of one row, as the editor matches it.
struct Entry {
    const DigitRow* row;
    int index;       // in its table
    QString pattern; // the operation word put in front for the operation block
    QString op;
    int shift; // how far positions move for a two-letter operation word
    bool para;
    QString name() const { return QStringLiteral("%1 \"%2\"").arg(toQString(row->trace), pattern); }
};

std::vector<Entry> entries()
{
    std::vector<Entry> out;
    const auto add = [&](std::span<const DigitRow> table, bool para) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            const DigitRow& r = table[i];
            for (std::string_view t : r.templates) {
                if (t.empty())
                    break;
                if (r.block == 2) {
                    for (std::string_view w : programs::kOperationWords) {
                        const QString op = toQString(w);
                        out.push_back({&r, int(i), op + toQString(t), op, int(op.size()) - 3, para});
                    }
                } else {
                    out.push_back({&r, int(i), toQString(t), QString(), 0, para});
                }
            }
        }
    };
    add(cmdDigitTable(), false);
    add(paraDigitTable(), true);
    return out;
}

// A typical line of the template ("#" as 0, "?" as A, "*" as a zero run of
// the field's width) and, per character, what the template put there: '#',
// '?', '*' or 'L' for a literal.
struct Sample {
    QString line;
    QString kinds;
};

Sample sample(const Entry& e)
{
    Sample s;
    const QString& p = e.pattern;
    for (qsizetype i = 0; i < p.size(); ++i) {
        if (p.mid(i, 3) == u"[*]") {
            s.line += u'*';
            s.kinds += u'L';
            i += 2;
        } else if (p[i] == u'#') {
            s.line += u'0';
            s.kinds += u'#';
        } else if (p[i] == u'?') {
            s.line += u'A';
            s.kinds += u'?';
        } else if (p[i] == u'*') {
            s.line += QString(e.row->field.width, u'0');
            s.kinds += QString(e.row->field.width, u'*');
        } else {
            s.line += p[i];
            s.kinds += u'L';
        }
    }
    return s;
}

int rowFor(const Entry& e, QStringView line)
{
    return e.para ? paraDigitRowFor(line) : cmdDigitRowFor(line);
}

DigitEdit edit(const Entry& e, QStringView line, QStringView temp, int key)
{
    return e.para ? editParaDigit(line, temp, key) : editCmdDigit(line, temp, key);
}

int leadLength(const Entry& e)
{
    return e.row->leadLength + e.shift;
}

} // namespace

class TestDigitTables : public QObject {
    Q_OBJECT
private slots:
    void tablesHoldEveryRowOnce()
    {
        const auto count = [](std::span<const DigitRow> table, int block) {
            int rows = 0, templates = 0;
            for (const DigitRow& r : table) {
                if (block >= 0 && r.block != block)
                    continue;
                ++rows;
                for (std::string_view t : r.templates)
                    templates += t.empty() ? 0 : 1;
            }
            return std::pair{rows, templates};
        };
        QCOMPARE(count(cmdDigitTable(), -1), (std::pair{193, 252}));
        QCOMPARE(count(paraDigitTable(), -1), (std::pair{36, 52}));
        QCOMPARE(count(paraDigitTable(), 1), (std::pair{11, 12}));
        QCOMPARE(count(paraDigitTable(), 2), (std::pair{12, 12}));
        QCOMPARE(count(paraDigitTable(), 3), (std::pair{13, 28}));

        // The blocks follow one another, and every row can be found by its tag.
        int lastBlock = 0;
        for (const DigitRow& r : paraDigitTable()) {
            QVERIFY(r.block >= lastBlock && r.block >= 1 && r.block <= 3);
            lastBlock = r.block;
        }
        for (auto table : {cmdDigitTable(), paraDigitTable()}) {
            std::set<std::string_view> tags;
            for (const DigitRow& r : table) {
                QVERIFY(!r.trace.empty());
                QVERIFY2(tags.insert(r.trace).second, r.trace.data());
                QVERIFY(!r.templates[0].empty());
            }
        }
    }

    void everyTemplateIsWellFormed()
    {
        for (const Entry& e : entries()) {
            // A "[" or "]" outside "[*]" would be a typo for the literal asterisk.
            QString rest = e.pattern;
            rest.remove(QStringLiteral("[*]"));
            QVERIFY2(!rest.contains(u'[') && !rest.contains(u']'), qPrintable(e.name()));
            const common::LineTemplate t(e.pattern);
            QVERIFY2(t.matches(t.simplestLine()), qPrintable(e.name()));
            QVERIFY2(t.matches(sample(e).line), qPrintable(e.name()));
        }
    }

    void everyTemplatesLinesAreDecidedByItsOwnRow()
    {
        for (const Entry& e : entries()) {
            const common::LineTemplate t(e.pattern);
            QVERIFY2(rowFor(e, t.simplestLine()) == e.index,
                     qPrintable(e.name() + QStringLiteral(" simplest ") + t.simplestLine()));
            QVERIFY2(rowFor(e, sample(e).line) == e.index,
                     qPrintable(e.name() + QStringLiteral(" sample ") + sample(e).line));
        }
    }

    void fieldsAreTheLastOperandRunOfTheirTemplate()
    {
        for (const Entry& e : entries()) {
            const Sample s = sample(e);
            const DigitField& f = e.row->field;
            const auto isOperand = [&](qsizetype i) { return s.kinds[i] != u'L'; };
            // The field's places, 0-based.
            std::vector<qsizetype> places;
            for (int i = 0; i < f.width; ++i)
                places.push_back(f.start + e.shift - 1 + i);
            for (int i = 0; i < f.fracWidth; ++i)
                places.push_back(f.fracStart + e.shift - 1 + i);
            // Every operand place from the field's first on belongs to the field.
            std::vector<qsizetype> expected;
            for (qsizetype i = places.front(); i < s.kinds.size(); ++i)
                if (isOperand(i))
                    expected.push_back(i);
            QVERIFY2(places == expected, qPrintable(e.name()));
            QVERIFY2(places.front() == 0 || !isOperand(places.front() - 1), qPrintable(e.name()));
            QCOMPARE(s.line.mid(places.back() + 1), toQString(e.row->suffix));
            if (f.shape == FieldShape::Decimal)
                QCOMPARE(s.line.mid(f.start + e.shift - 1 + f.width, f.fracStart - f.start - f.width),
                         QStringLiteral("."));
            if (f.shape == FieldShape::ToParen)
                QVERIFY2(s.kinds[places.front()] == u'*' && s.line.endsWith(u')'), qPrintable(e.name()));
        }
    }

    // What stands in front of the field (literal, word, cut or TEMP_COMMAND
    // and separator) rebuilds the line exactly; only cut-and-stored rows set
    // TEMP_COMMAND.
    void theKeyWithoutCharacterRebuildsTheLine()
    {
        const int noChar = 11; // "-" carries no character in either editor
        for (const Entry& e : entries()) {
            const QString line = sample(e).line;
            const QString lead = line.left(leadLength(e));
            const QString temp = e.row->lead == LeadKind::Held ? lead : QStringLiteral("earlier");
            const DigitEdit out = edit(e, line, temp, noChar);
            QVERIFY2(out.written, qPrintable(e.name()));
            QVERIFY2(out.line == line, qPrintable(e.name() + QStringLiteral(" gave ") + out.line));
            QCOMPARE(out.tempCommand, e.row->lead == LeadKind::CutStored ? lead : temp);
        }
    }

    void aDigitKeepsTheLineOnItsRow()
    {
        const int seven = 6;
        for (const Entry& e : entries()) {
            const QString line = sample(e).line;
            const QString temp = e.row->lead == LeadKind::Held ? line.left(leadLength(e)) : QString();
            const DigitEdit out = edit(e, line, temp, seven);
            QVERIFY2(out.line.size() == line.size(), qPrintable(e.name() + QStringLiteral(" gave ") + out.line));
            QVERIFY2(rowFor(e, out.line) == e.index, qPrintable(e.name() + QStringLiteral(" gave ") + out.line));
            const DigitField& f = e.row->field;
            const int last = f.shape == FieldShape::Decimal ? f.fracStart + f.fracWidth : f.start + f.width;
            QVERIFY2(out.line[last + e.shift - 2] == u'7', qPrintable(e.name() + QStringLiteral(" gave ") + out.line));
        }
    }
};

QTEST_GUILESS_MAIN(TestDigitTables)
#include "test_digittables.moc"
