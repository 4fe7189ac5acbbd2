// Line templates: each wildcard, the literal asterisk, case, the empty line
// and characters beyond ASCII; then the matcher against an anchored regular
// expression built from the same template, on random lines.

#include "common/linetemplate.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

using common::LineTemplate;
using common::matchesTemplate;

namespace {

// The same template as an anchored regular expression; "." takes one code
// point in Qt's UTF-16 mode, like "?".
QRegularExpression toRegex(const QString& pattern)
{
    QString re;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (pattern.mid(i, 3) == u"[*]") {
            re += QStringLiteral("\\*");
            i += 2;
        } else if (c == u'#') {
            re += QStringLiteral("[0-9]");
        } else if (c == u'?') {
            re += u'.';
        } else if (c == u'*') {
            re += QStringLiteral(".*");
        } else if (c.isHighSurrogate() && i + 1 < pattern.size()) {
            re += QRegularExpression::escape(pattern.mid(i, 2));
            ++i;
        } else {
            re += QRegularExpression::escape(QString(c));
        }
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(re), QRegularExpression::DotMatchesEverythingOption);
}

const QString kEmoji = QString::fromUcs4(U"\U0001F600");

} // namespace

class TestLineTemplate : public QObject {
    Q_OBJECT
private slots:
    void matchTable_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("matches");
        // "#": one ASCII digit, nothing else
        QTest::newRow("# digit") << "R##"
                                 << "R07" << true;
        QTest::newRow("# letter") << "R##"
                                  << "R0x" << false;
        QTest::newRow("# blank") << "R##"
                                 << "R 7" << false;
        QTest::newRow("# sign") << "R##"
                                << "R-7" << false;
        QTest::newRow("# full-width digit") << "R##" << QStringLiteral("R0\uFF17") << false;
        QTest::newRow("# too short") << "R##"
                                     << "R0" << false;
        // "?": exactly one character of any kind
        QTest::newRow("? letter") << "MA R??"
                                  << "MA RAB" << true;
        QTest::newRow("? blank") << "MA R??"
                                 << "MA R 5" << true;
        QTest::newRow("? asterisk") << "MA R??"
                                    << "MA R**" << true;
        QTest::newRow("? Korean") << "?~?" << QStringLiteral("가~나") << true;
        QTest::newRow("? one Korean for two") << "??" << QStringLiteral("가") << false;
        QTest::newRow("? pair of surrogates is one character") << "a?b" << QString(u'a' + kEmoji + u'b') << true;
        QTest::newRow("? too few") << "MA R??"
                                   << "MA R5" << false;
        QTest::newRow("? too many") << "MA R??"
                                    << "MA R555" << false;
        // "*": any run, the empty run included
        QTest::newRow("* empty run") << "F?? *"
                                     << "F15 " << true;
        QTest::newRow("* long run") << "F?? *"
                                    << "F15 -2200.00 and more" << true;
        QTest::newRow("* needs what follows") << "MVS P(R*?)"
                                              << "MVS P(R)" << false;
        QTest::newRow("* then one") << "MVS P(R*?)"
                                    << "MVS P(R5)" << true;
        QTest::newRow("* then many") << "MVS P(R*?)"
                                     << "MVS P(R123)" << true;
        QTest::newRow("* backtracks over a literal") << "*ab"
                                                     << "aabab" << true;
        QTest::newRow("* alone on empty line") << "*"
                                               << "" << true;
        QTest::newRow("** on anything") << "**"
                                        << "xyz" << true;
        QTest::newRow("*? on empty line") << "*?"
                                          << "" << false;
        // "[*]": a literal asterisk, where "?" takes any character
        QTest::newRow("[*] asterisk") << "MA [*]??"
                                      << "MA *05" << true;
        QTest::newRow("[*] not a letter") << "MA [*]??"
                                          << "MA R05" << false;
        QTest::newRow("[*] is one character") << "[*]"
                                              << "**" << false;
        QTest::newRow("[*] not a run") << "[*]"
                                       << "" << false;
        QTest::newRow("[*] not the bracket text") << "[*]"
                                                  << "[*]" << false;
        QTest::newRow("? takes the asterisk too") << "MA ???"
                                                  << "MA *05" << true;
        QTest::newRow("lone [ is itself") << "[EOF]"
                                          << "[EOF]" << true;
        QTest::newRow("[ without *] is itself") << "[*"
                                                << "[x" << true;
        // every other character is itself, case-sensitive
        QTest::newRow("case: lower-case word") << "MVE P*?"
                                               << "mve P001" << false;
        QTest::newRow("case: lower-case h") << "DRP P??? ?h"
                                            << "DRP P001 FH" << false;
        QTest::newRow("literal Korean") << QStringLiteral("1~ 제어기축수") << QStringLiteral("1~ 제어기축수") << true;
        QTest::newRow("literal blank counts") << "STOP"
                                              << "STOP " << false;
        // the whole line
        QTest::newRow("prefix only") << "SM ??"
                                     << "SM 05 07" << false;
        QTest::newRow("empty line, empty template") << ""
                                                    << "" << true;
        QTest::newRow("empty line, word") << "STOP"
                                          << "" << false;
        QTest::newRow("empty line, ?") << "?"
                                       << "" << false;
        QTest::newRow("line feed under ?") << "a?b"
                                           << "a\nb" << true;
    }
    void matchTable()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, line);
        QFETCH(bool, matches);
        QCOMPARE(LineTemplate(pattern).matches(line), matches);
        QCOMPARE(matchesTemplate(line, pattern), matches);
    }

    void loneSurrogateMatchesNothing()
    {
        const QString lone = QString(u'a') + QChar(0xD800) + u'b';
        QVERIFY(!LineTemplate(u"a?b").matches(lone));
        QVERIFY(!LineTemplate(u"*").matches(lone));
    }

    void simplestLineMatchesItsTemplate_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("simplest");
        QTest::addColumn<int>("prefix");
        QTest::newRow("digits and any") << "MA R## ???"
                                        << "MA R00 AAA" << 10;
        QTest::newRow("literal asterisk") << "IF [*]?? != F??"
                                          << "IF *AA != FAA" << 13;
        QTest::newRow("run between") << "MVS P([*]*?)"
                                     << "MVS P(*A)" << 7;
        QTest::newRow("run at the end") << "OF? *"
                                        << "OFA " << 4;
        QTest::newRow("Korean literal") << QStringLiteral("가?") << QStringLiteral("가A") << 2;
    }
    void simplestLineMatchesItsTemplate()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, simplest);
        QFETCH(int, prefix);
        const LineTemplate t(pattern);
        QCOMPARE(t.simplestLine(), simplest);
        QVERIFY(t.matches(t.simplestLine()));
        QCOMPARE(t.fixedPrefixLength(), prefix);
        QCOMPARE(t.pattern(), pattern);
    }

    void agreesWithAnchoredRegex()
    {
        // Fixed seed: a failure names a template and a line that stay the same.
        QRandomGenerator rng(20240611);
        const QStringList tokens = QStringList{"#", "?", "*", "[*]", "A", "R", "0", "h", " ", "[", "]", "-"}
                                   << QStringLiteral("가") << kEmoji;
        const QStringList chars = QStringList{"0", "7", "A", "R", "h", " ", "*", "[", "]", "#", "?", "\n", "-"}
                                  << QStringLiteral("가") << kEmoji;
        auto pick = [&](const QStringList& from) { return from[int(rng.bounded(quint32(from.size())))]; };
        int matched = 0;
        for (int round = 0; round < 20000; ++round) {
            QString pattern;
            QString line;
            const int tokenCount = int(rng.bounded(7u));
            // Half the lines are written from the template, so that both answers occur often.
            const bool fromTemplate = round % 2 == 0;
            for (int i = 0; i < tokenCount; ++i) {
                const QString t = pick(tokens);
                pattern += t;
                if (!fromTemplate)
                    continue;
                if (t == u"#")
                    line += pick(QStringList{"0", "9", "x"});
                else if (t == u"?")
                    line += pick(chars);
                else if (t == u"*")
                    line += pick(chars).repeated(int(rng.bounded(3u)));
                else if (t == u"[*]")
                    line += pick(QStringList{"*", "*", "x"});
                else
                    line += t;
            }
            if (!fromTemplate) {
                const int n = int(rng.bounded(7u));
                for (int i = 0; i < n; ++i)
                    line += pick(chars);
            }
            const bool expected = toRegex(pattern).match(line).hasMatch();
            if (LineTemplate(pattern).matches(line) != expected)
                QFAIL(qPrintable(
                    QStringLiteral("template \"%1\", line \"%2\": the expression says %3")
                        .arg(pattern, line, expected ? QStringLiteral("match") : QStringLiteral("no match"))));
            matched += expected ? 1 : 0;
        }
        // Both answers were exercised in earnest.
        QVERIFY(matched > 2000);
        QVERIFY(matched < 18000);
    }
};

QTEST_GUILESS_MAIN(TestLineTemplate)
#include "test_linetemplate.moc"
