// Checks over the whole ENT table: every row is there, in order; every
// template is well formed; every field lies under the wildcards of each of
// its row's templates; and the simplest line of each template is decided by
// that template's own row, which catches rows in the wrong order and rows
// that shadow later ones.

#include "pendant/compose/entercmdline.h"
#include "pendant/compose/linerules.h"

#include <QRegularExpression>
#include <QtTest>

using namespace pendant::compose;

namespace {

// Each template's character positions: 'w' for "#" and "?", 's' for "*",
// 'l' for a literal (a "[*]" is one literal asterisk).
QString shapeOf(const QString& pattern)
{
    QString shape;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern.mid(i, 3) == u"[*]") {
            shape += u'l';
            i += 2;
        } else if (pattern[i] == u'#' || pattern[i] == u'?') {
            shape += u'w';
        } else if (pattern[i] == u'*') {
            shape += u's';
        } else {
            shape += u'l';
        }
    }
    return shape;
}

QString where(const LineRule& r, const LineForm& f)
{
    return QStringLiteral("%1 \"%2\"").arg(r.tag, f.tpl.pattern());
}

} // namespace

class TestLineRules : public QObject {
    Q_OBJECT
private slots:
    void everyRowInItsGroupsOrder()
    {
        // The tags number the rows of each group from 1; the groups follow
        // each other with 56, 66, 22, 37, 16 and 34 rows.
        const QList<int> groupSizes{56, 66, 22, 37, 16, 34};
        const QRegularExpression tagForm(QStringLiteral("^([A-Za-z]+)-([0-9]+)$"));
        QList<int> sizes;
        QSet<QString> tags;
        int expected = 1;
        for (const LineRule& r : lineRules()) {
            const QRegularExpressionMatch m = tagForm.match(r.tag);
            QVERIFY2(m.hasMatch(), qPrintable(r.tag));
            QVERIFY2(!tags.contains(r.tag), qPrintable(r.tag));
            tags.insert(r.tag);
            const int n = m.captured(2).toInt();
            if (n == 1 && expected != 1) {
                sizes << expected - 1;
                expected = 1;
            }
            QVERIFY2(n == expected, qPrintable(r.tag));
            ++expected;
            // The tag's word is the word its first template begins with.
            const QString word = m.captured(1);
            if (r.operationBlock)
                QCOMPARE(word, QStringLiteral("op"));
            else
                QVERIFY2(r.forms.front().tpl.pattern().startsWith(word), qPrintable(r.tag));
        }
        sizes << expected - 1;
        QCOMPARE(sizes, groupSizes);
    }

    void everyTemplateIsWellFormed()
    {
        for (const LineRule& r : lineRules()) {
            QVERIFY2(!r.forms.empty(), qPrintable(r.tag));
            for (const LineForm& f : r.forms) {
                const QString p = f.tpl.pattern();
                // No bracket stands outside a "[*]", no template is empty or blank at an end.
                QString rest = p;
                rest.remove(QStringLiteral("[*]"));
                QVERIFY2(!rest.contains(u'[') && !rest.contains(u']'), qPrintable(where(r, f)));
                QVERIFY2(!p.isEmpty() && p.trimmed() == p, qPrintable(where(r, f)));
                QVERIFY2(f.tpl.matches(f.tpl.simplestLine()), qPrintable(where(r, f)));
                // The operation block's templates begin with their word; the "OR" ones read one earlier.
                if (r.operationBlock) {
                    QVERIFY2(p.startsWith(f.opWord + u' '), qPrintable(where(r, f)));
                    QCOMPARE(f.fieldShift, f.opWord == u"OR" ? -1 : 0);
                } else {
                    QVERIFY(f.opWord.isEmpty());
                    QCOMPARE(f.fieldShift, 0);
                }
            }
        }
    }

    void everyRowIsComplete()
    {
        for (const LineRule& r : lineRules()) {
            const bool hasField = r.field.start != 0;
            // A row with a field has a message and a sensible range; one without has neither.
            QVERIFY2(hasField == !r.message.isEmpty(), qPrintable(r.tag));
            if (hasField) {
                QVERIFY2(r.field.length > 0, qPrintable(r.tag));
                QVERIFY2(r.field.upper == kAxisCount || r.field.lower <= r.field.upper, qPrintable(r.tag));
            }
            switch (r.outcome) {
            case Outcome::Step:
                QVERIFY2(r.state.endsWith(QStringLiteral("_1")), qPrintable(r.tag));
                Q_FALLTHROUGH();
            case Outcome::StepOpWord:
            case Outcome::StepKeepState:
                QVERIFY2(!r.captions.isEmpty() && r.captions.size() <= 6, qPrintable(r.tag));
                break;
            case Outcome::StepAppend:
            case Outcome::Append:
                QVERIFY2(r.append.startsWith(u' '), qPrintable(r.tag));
                QVERIFY2(r.captions.isEmpty(), qPrintable(r.tag));
                break;
            case Outcome::Commit:
                QVERIFY2(r.captions.isEmpty() && r.state.isEmpty(), qPrintable(r.tag));
                break;
            }
        }
    }

    void everyFieldLiesUnderWildcards()
    {
        for (const LineRule& r : lineRules()) {
            if (r.field.start == 0)
                continue;
            for (const LineForm& f : r.forms) {
                const QString shape = shapeOf(f.tpl.pattern());
                const int first = r.field.start + f.fieldShift - 1; // from 0
                const int last = first + r.field.length - 1;
                const int star = int(shape.indexOf(u's'));
                QCOMPARE(f.tpl.fixedPrefixLength(), star < 0 ? int(shape.size()) : star);
                if (star >= 0 && first >= star) {
                    // A field behind a run begins where the run does.
                    QVERIFY2(first == star, qPrintable(where(r, f)));
                    continue;
                }
                // Otherwise the field is one whole run of wildcards: no fixed
                // character inside it, none of its wildcards left outside.
                QVERIFY2(last < shape.size(), qPrintable(where(r, f)));
                for (int i = first; i <= last; ++i)
                    QVERIFY2(shape[i] == u'w' || shape[i] == u's', qPrintable(where(r, f)));
                if (first > 0)
                    QVERIFY2(shape[first - 1] == u'l', qPrintable(where(r, f)));
                if (last + 1 < shape.size() && shape[last] == u'w')
                    QVERIFY2(shape[last + 1] == u'l', qPrintable(where(r, f)));
            }
        }
    }

    void simplestLineOfEachTemplateIsDecidedByItsRow()
    {
        for (const LineRule& r : lineRules()) {
            for (const LineForm& f : r.forms) {
                const QString line = f.tpl.simplestLine();
                const Decision d = decideLine(line);
                QVERIFY2(d.rule == &r,
                         qPrintable(QStringLiteral("%1: \"%2\" decided by %3")
                                        .arg(where(r, f), line, d ? d.rule->tag : QStringLiteral("no row"))));
                QVERIFY2(d.form == &f, qPrintable(where(r, f)));
                // The same with digits under the wildcards before any run.
                QString digits = line;
                const QString shape = shapeOf(f.tpl.pattern());
                for (int i = 0; i < f.tpl.fixedPrefixLength(); ++i)
                    if (shape[i] == u'w')
                        digits[i] = u'0';
                QVERIFY2(decideLine(digits).rule == &r,
                         qPrintable(QStringLiteral("%1: \"%2\"").arg(where(r, f), digits)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestLineRules)
#include "test_linerules.moc"
