// The real file dialog behind the seam: "Files of type" reads the filter's
// descriptions only, and a description still offers its file in any case.

#include "common/filedialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// The names the dialog's list shows, once its folder has been read.
QStringList listedNames(QFileDialog* dlg)
{
    auto* view = dlg->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (!view || !view->model())
        return {};
    QStringList out;
    const QModelIndex root = view->rootIndex();
    for (int i = 0; i < view->model()->rowCount(root); ++i)
        out << view->model()->index(i, 0, root).data().toString();
    out.sort();
    return out;
}

} // namespace

class TestFileDialog : public QObject {
    Q_OBJECT
private slots:
    void filesOfTypeShowsDescriptions_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("present"); // on disk, matched by the first filter
        QTest::newRow("system parameters") << "ZELSYS.dat|ZELSYS.dat|모든파일(*.*)|*.*"
                                           << "ZELSYS.dat"
                                           << "zelsys.DAT";
        QTest::newRow("locations") << "ZELLOC.dat|ZELLOC.dat|모든파일(*.*)|*.*"
                                   << "ZELLOC.dat"
                                   << "ZELLOC.DAT";
        QTest::newRow("pendant programs") << "ZEVAZA*.dat|ZEVAZA*.dat|모든파일(*.*)|*.*"
                                          << "ZEVAZA*.dat"
                                          << "zevaza07.Dat";
        QTest::newRow("pendant shifts") << "ZELSFT.DAT|ZELSFT.DAT|모든파일(*.*)|*.*"
                                        << "ZELSFT.DAT"
                                        << "ZELSFT.dat";
    }
    void filesOfTypeShowsDescriptions()
    {
        QFETCH(QString, filter);
        QFETCH(QString, first);
        QFETCH(QString, present);
        QTemporaryDir dir;
        for (const QString& name : {present, QStringLiteral("other.txt")}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        common::FileDialogRequest r;
        r.title = QStringLiteral("Open");
        r.filter = filter;
        r.initialDir = dir.path();

        QStringList types;
        QString chosenType;
        QStringList listed;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            seen = true;
            auto* combo = dlg->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(combo);
            for (int i = 0; i < combo->count(); ++i)
                types << combo->itemText(i);
            chosenType = combo->currentText();
            QTRY_VERIFY_WITH_TIMEOUT(!listedNames(dlg).isEmpty(), 5000);
            listed = listedNames(dlg);
            dlg->reject();
        });
        common::RtError cancelled;
        QVERIFY(!common::showFileDialog(r, &cancelled));
        QVERIFY(seen);
        QCOMPARE(cancelled.number, common::err::DialogCancelled);
        QCOMPARE(types, (QStringList{first, QStringLiteral("모든파일(*.*)")}));
        QCOMPARE(chosenType, first);
        QCOMPARE(listed, QStringList{present});
    }
};

QTEST_MAIN(TestFileDialog)
#include "test_filedialog.moc"
