// The pendant window as the operator sees it: the keypad in three columns
// and four rows, ESC and ENT beside the last row, the two mode keys side by
// side above the keypad, and every caption inside its key.

#include "tpfixture.h"

#include <QPushButton>
#include <QStyle>

using tptest::tp;

class TestTpLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(tptest::openFresh()); }

    void keypadInColumnsAndRows()
    {
        for (int k = 0; k < 12; ++k) {
            const QRect r = tp().cm[std::size_t(k)]->geometry();
            const QRect first = tp().cm[std::size_t(k % 3)]->geometry();
            const QRect rowStart = tp().cm[std::size_t(k - k % 3)]->geometry();
            QCOMPARE(r.left(), first.left());
            QCOMPARE(r.top(), rowStart.top());
            if (k % 3)
                QVERIFY(r.left() > tp().cm[std::size_t(k - 1)]->geometry().right());
            if (k >= 3)
                QVERIFY(r.top() > tp().cm[std::size_t(k - 3)]->geometry().bottom());
        }
        const QRect last = tp().cm[11]->geometry();
        QCOMPARE(tp().ESC->geometry().top(), last.top());
        QVERIFY(tp().ESC->geometry().left() > last.right());
        QCOMPARE(tp().ENT->geometry().top(), last.top());
        QVERIFY(tp().ENT->geometry().left() > tp().ESC->geometry().right());
        const QRect loc = tp().button[tptest::LocKey]->geometry();
        const QRect sft = tp().button[tptest::SftKey]->geometry();
        QCOMPARE(loc.top(), sft.top());
        QVERIFY(sft.left() > loc.right());
        QVERIFY(loc.bottom() < tp().cm[0]->geometry().top());
    }

    // "4 PARA" and "5 FUNC" once ran into the key's border.
    void everyCaptionInsideItsKey()
    {
        int checked = 0;
        for (QPushButton* b : tp().clientArea->findChildren<QPushButton*>()) {
            if (b->text().isEmpty())
                continue;
            const int frame = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
            const int room = b->width() - 2 * frame;
            const int text = b->fontMetrics().horizontalAdvance(b->text());
            QVERIFY2(text < room, qPrintable(QStringLiteral("%1 \"%2\": caption %3 px, key %4 px inside its border")
                                                 .arg(b->objectName(), b->text())
                                                 .arg(text)
                                                 .arg(room)));
            QVERIFY2(b->fontMetrics().height() <= b->height() - 2 * frame, qPrintable(b->objectName()));
            ++checked;
        }
        QVERIFY(checked >= 16);
    }
};

QTEST_MAIN(TestTpLayout)
#include "test_tplayout.moc"
