// How the program-transfer window and the folder chooser set out their
// controls. Transfer window: the sending frame above the receiving one; in
// each, the two labels over their boxes, the wide file-name box left of the
// number box, "File Open" and the progress bar under the file-name box, the
// single button above the all-programs button under the number box.
// Chooser: the path box across the top, folders left with the drives below
// them, files in the middle, OK above Cancel at the right.

#include "programs/frmdir.h"
#include "programs/frmfile.h"

#include "support/layoutcheck.h"

#include <QGroupBox>
#include <QtTest>

using namespace testsupport;
using programs::frmdir;
using programs::frmFile;

namespace {

bool above(const QRect& a, const QRect& b)
{
    return a.bottom() < b.top();
}
bool leftOf(const QRect& a, const QRect& b)
{
    return a.right() < b.left();
}
bool overlapsColumn(const QRect& a, const QRect& b)
{
    return a.left() <= b.right() && a.right() >= b.left();
}

} // namespace

class TestTransferLayout : public QObject {
    Q_OBJECT
private slots:
    void transferSides_data()
    {
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("names"); // file label, number label, file box, number box, open, bar, one, all
        QTest::newRow("sending") << "fraFileTrans"
                                 << "FILE Trans (PC ▶ ZEL)"
                                 << QStringList{"Label1_2",       "Label1_3",         "txtFileTrans_0",
                                                "txtFileTrans_1", "cmdFileTransOpen", "ProgressBarTrans",
                                                "cmdFileTrans_0", "cmdFileTrans_1"};
        QTest::newRow("receiving") << "fraFileReceive"
                                   << "FILE Receive (ZEL ▶ PC)"
                                   << QStringList{"Label1_5",         "Label1_4",           "txtFileReceive_0",
                                                  "txtFileReceive_1", "cmdFileReceiveOpen", "ProgressBarReceive",
                                                  "cmdFileReceive_0", "cmdFileReceive_1"};
    }
    void transferSides()
    {
        QFETCH(QString, frame);
        QFETCH(QString, caption);
        QFETCH(QStringList, names);
        frmFile& w = frmFile::instance();
        w.Show();
        auto* f = w.findChild<QGroupBox*>(frame);
        QVERIFY(f);
        QCOMPARE(f->title(), caption);
        QList<QRect> r;
        for (const QString& name : names) {
            QWidget* c = control(w, name);
            QVERIFY2(c && inside(c, f), qPrintable(name));
            r << rectIn(c, &w);
        }
        const QRect fileLabel = textRectIn(control(w, names[0]), &w),
                    numberLabel = textRectIn(control(w, names[1]), &w);
        const QRect fileBox = r[2], numberBox = r[3], open = r[4], bar = r[5], one = r[6], all = r[7];
        QVERIFY(above(fileLabel, fileBox) && overlapsColumn(fileLabel, fileBox));
        QVERIFY(above(numberLabel, numberBox) && overlapsColumn(numberLabel, numberBox));
        QVERIFY(leftOf(fileBox, numberBox));
        QVERIFY(fileBox.width() > 2 * numberBox.width());
        QVERIFY(above(fileBox, open) && overlapsColumn(open, fileBox) && leftOf(open, numberBox));
        QVERIFY(above(open, bar) && overlapsColumn(bar, fileBox) && leftOf(bar, numberBox));
        QVERIFY(above(numberBox, one) && overlapsColumn(one, numberBox));
        QVERIFY(above(one, all) && overlapsColumn(all, numberBox));
        if (frame == QLatin1String("fraFileReceive"))
            QVERIFY(above(rectIn(w.findChild<QGroupBox*>(QStringLiteral("fraFileTrans")), &w), rectIn(f, &w)));
        QVERIFY(w.Unload());
    }

    void chooser()
    {
        frmdir& d = frmdir::instance();
        d.Load();
        d.show();
        const QRect text = rectIn(d.Text1, &d), dirs = rectIn(d.Dir1, &d), files = rectIn(d.File1, &d),
                    drives = rectIn(d.Drive1, &d), ok = rectIn(d.OKButton, &d), cancel = rectIn(d.CancelButton, &d);
        for (const QRect& below : {dirs, files, drives, ok, cancel})
            QVERIFY(above(text, below));
        QVERIFY(text.width() > files.right() - dirs.left());
        QVERIFY(leftOf(dirs, files));
        QVERIFY(above(dirs, drives) && overlapsColumn(drives, dirs) && leftOf(drives, files));
        QVERIFY(leftOf(files, ok) && leftOf(files, cancel));
        QVERIFY(above(ok, cancel) && overlapsColumn(ok, cancel));
        d.Unload();
    }
};

QTEST_MAIN(TestTransferLayout)
#include "test_transferlayout.moc"
