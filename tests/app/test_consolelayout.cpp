// How the main window sets out its console: the frames "I/O Output", "Input"
// and "RUN/ZR" from top to bottom; each display two rows of 16 boxes with a
// wider gap after the eighth, "00" and "15" above the ends of the upper row,
// "16" and "31" below the ends of the lower; "PROGRAM" beside its box.

#include "app/frmmain.h"
#include "support/layoutcheck.h"
#include "support/seams.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QtTest>

using app::frmMain;
using testsupport::inside;
using testsupport::rectIn;
using testsupport::textRectIn;

namespace {

QGroupBox* frameTitled(QWidget& w, const QString& title)
{
    for (QGroupBox* f : w.findChildren<QGroupBox*>())
        if (f->title() == title)
            return f;
    return nullptr;
}

QLabel* labelIn(QWidget* frame, const QString& text)
{
    for (QLabel* l : frame->findChildren<QLabel*>())
        if (l->text() == text)
            return l;
    return nullptr;
}

} // namespace

class TestConsoleLayout : public QObject {
    Q_OBJECT
    testsupport::SettingsStore m_store;

private slots:
    void initTestCase() { frmMain::instance().Show(); }
    void cleanupTestCase() { frmMain::instance().Unload(); }

    void framesTopToBottom()
    {
        frmMain& m = frmMain::instance();
        int lastBottom = -1;
        for (const char* title : {"I/O Output", "Input", "RUN/ZR"}) {
            QGroupBox* f = frameTitled(m, QString::fromLatin1(title));
            QVERIFY2(f, title);
            const QRect r = rectIn(f, &m);
            QVERIFY2(r.top() > lastBottom, title);
            lastBottom = r.bottom();
        }
        QVERIFY(inside(m.txtRunPrgNo, frameTitled(m, QStringLiteral("RUN/ZR"))));
    }

    void displayRows_data()
    {
        QTest::addColumn<QString>("frame");
        QTest::newRow("outputs") << "I/O Output";
        QTest::newRow("inputs") << "Input";
    }
    void displayRows()
    {
        QFETCH(QString, frame);
        frmMain& m = frmMain::instance();
        QGroupBox* f = frameTitled(m, frame);
        QVERIFY(f);
        const auto& boxes = frame == QLatin1String("Input") ? m.chkIoInput : m.chkIoOutput;
        auto at = [&](int n) { return rectIn(boxes[std::size_t(n)], &m); };
        for (int n = 0; n < 32; ++n) {
            QVERIFY(inside(boxes[std::size_t(n)], f));
            if (n % 16) {
                QCOMPARE(at(n).top(), at(n - 1).top());
                QVERIFY(at(n).left() > at(n - 1).right());
            }
            if (n >= 16) {
                QCOMPARE(at(n).left(), at(n - 16).left());
                QVERIFY(at(n).top() > at(n - 16).bottom());
            }
        }
        const int usualGap = at(7).left() - at(6).right();
        QVERIFY(at(8).left() - at(7).right() > usualGap);
        struct End {
            const char* text;
            int box;
            bool above;
        };
        for (const End& e : {End{"00", 0, true}, End{"15", 15, true}, End{"16", 16, false}, End{"31", 31, false}}) {
            QLabel* l = labelIn(f, QString::fromLatin1(e.text));
            QVERIFY2(l, e.text);
            const QRect t = textRectIn(l, &m);
            const QRect b = at(e.box);
            QVERIFY2(e.above ? t.bottom() < b.top() : t.top() > b.bottom(), e.text);
            // Over the row's end: the text overlaps its box's column.
            QVERIFY2(t.left() <= b.right() && t.right() >= b.left(), e.text);
        }
    }

    void programLabelBesideItsBox()
    {
        frmMain& m = frmMain::instance();
        QLabel* l = labelIn(frameTitled(m, QStringLiteral("RUN/ZR")), QStringLiteral("PROGRAM"));
        QVERIFY(l);
        const QRect t = textRectIn(l, &m);
        const QRect b = rectIn(m.txtRunPrgNo, &m);
        QVERIFY(t.right() < b.left() && b.left() - t.right() <= testsupport::kNearby);
        QVERIFY(std::abs(t.center().y() - b.center().y()) <= 1);
    }
};

QTEST_MAIN(TestConsoleLayout)
#include "test_consolelayout.moc"
