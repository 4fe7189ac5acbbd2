// The folder chooser: the folder strings that follow its folder list, the
// path box that a file click or the receive number fills, what OK and Cancel
// copy, the lists it keeps between openings, and a drive that cannot be read.

#include "programs/folders.h"
#include "programs/frmdir.h"
#include "programs/frmfile.h"

#include "support/seams.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace programs;

namespace {

const QString kDriveUnreadable = QStringLiteral(" 드라이브를 읽을 수 없습니다.");

QStringList itemTexts(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text().trimmed();
    return out;
}

QListWidgetItem* itemNamed(QListWidget* list, const QString& text)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == text)
            return list->item(i);
    return nullptr;
}

// Moves the folder list as the operator does: the entry made current, Enter.
void openFolder(const QString& name)
{
    DirListBox* dir = frmdir::instance().Dir1;
    QListWidgetItem* item = itemNamed(dir, name);
    QVERIFY2(item, qPrintable(name));
    dir->setCurrentItem(item);
    QTest::keyClick(dir, Qt::Key_Return);
}

void clickFile(const QString& name)
{
    FileListBox* files = frmdir::instance().File1;
    QListWidgetItem* item = itemNamed(files, name);
    QVERIFY2(item, qPrintable(name));
    files->setCurrentItem(item);
    emit files->itemClicked(item);
}

// Runs `inside` while the chooser is shown modal by `open`, then returns.
void whileShown(const std::function<void()>& open, const std::function<void()>& inside)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        QVERIFY(frmdir::instance().isVisible());
        inside();
        if (frmdir::instance().isVisible())
            frmdir::instance().CancelButton_Click();
    });
    open();
    QVERIFY(ran);
    QVERIFY(!frmdir::instance().isVisible());
}

} // namespace

class TestFrmDir : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_prg;

    frmFile& f() { return frmFile::instance(); }
    frmdir& d() { return frmdir::instance(); }

private slots:
    void initTestCase()
    {
        m_prg = m_dir.filePath(QStringLiteral("Prg"));
        QDir().mkpath(m_prg);
        QDir().mkpath(m_dir.filePath(QStringLiteral("Other")));
        for (const QString& name : {m_dir.filePath("a.dat"), m_dir.filePath("notes.txt"), m_prg + "/x.dat"}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void init()
    {
        where_clicked.clear();
        save_directory.clear();
        open_directory.clear();
        d().Unload();
        f().Show();
        f().txtFileReceive[0]->setText(QString());
        f().txtFileTrans[0]->setText(QString());
    }

    void cleanup()
    {
        d().Unload();
        QVERIFY(f().Unload());
    }

    void controlsAsDesigned()
    {
        d().Load();
        QCOMPARE(d().objectName(), QStringLiteral("frmdir"));
        QCOMPARE(d().windowTitle(), QStringLiteral("OPEN File or Directory"));
        QCOMPARE(d().OKButton->text(), QStringLiteral("확인"));
        QCOMPARE(d().CancelButton->text(), QStringLiteral("취소"));
        QCOMPARE(d().File1->Pattern, QStringLiteral("*.dat"));
        for (const char* name : {"Text1", "Dir1", "File1", "Drive1", "OKButton", "CancelButton"})
            QVERIFY(d().findChild<QWidget*>(QLatin1String(name)));
        QCOMPARE(d().Drive1->itemText(0), QStringLiteral("/"));
        // The lists start at the current folder: its ancestors, then its subfolders.
        QCOMPARE(d().Dir1->Path(), m_dir.path());
        const QStringList dirs = itemTexts(d().Dir1);
        QCOMPARE(dirs.first(), QStringLiteral("/"));
        QCOMPARE(dirs.mid(dirs.size() - 3), (QStringList{QFileInfo(m_dir.path()).fileName(), "Other", "Prg"}));
        QCOMPARE(itemTexts(d().File1), QStringList{"a.dat"});
    }

    // A link is listed as what it leads to: with the folders or the files,
    // or, leading to a device, in neither list.
    void linksListedAsWhatTheyLeadTo()
    {
        QTemporaryDir here;
        QVERIFY(here.isValid());
        QVERIFY(QDir(here.path()).mkdir(QStringLiteral("Prg")));
        QFile file(here.filePath(QStringLiteral("Prg/x.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(here.filePath(QStringLiteral("Prg")), here.filePath(QStringLiteral("Programs"))));
        QVERIFY(QFile::link(here.filePath(QStringLiteral("Prg/x.dat")), here.filePath(QStringLiteral("y.dat"))));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), here.filePath(QStringLiteral("usb-adapter"))));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), here.filePath(QStringLiteral("null.dat"))));
        d().Load();
        QVERIFY(d().Dir1->setPath(here.path()));
        const QStringList dirs = itemTexts(d().Dir1);
        QCOMPARE(dirs.mid(dirs.size() - 3), (QStringList{QFileInfo(here.path()).fileName(), "Prg", "Programs"}));
        QCOMPARE(itemTexts(d().File1), QStringList{"y.dat"});
    }

    // The receive side: the folder follows the list, the path box proposes
    // the default file of the receive number, a file click names that file
    // and OK puts the path box into the receive file-name box.
    void receiveSide()
    {
        f().txtFileReceive[1]->setText(QStringLiteral("7"));
        whileShown([&] { f().cmdFileReceiveOpen_Click(); },
                   [&] {
                       QCOMPARE(where_clicked, QStringLiteral("receive"));
                       QCOMPARE(save_directory, m_dir.path());
                       QCOMPARE(d().Text1->text(), m_dir.filePath("ZEVAZA07.dat"));
                       openFolder(QStringLiteral("Prg"));
                       QCOMPARE(save_directory, m_prg);
                       QCOMPARE(d().Text1->text(), m_prg + "/ZEVAZA07.dat");
                       QCOMPARE(itemTexts(d().File1), QStringList{"x.dat"});
                       clickFile(QStringLiteral("x.dat"));
                       QCOMPARE(d().Text1->text(), m_prg + "/x.dat");
                       QTest::mouseClick(d().OKButton, Qt::LeftButton);
                   });
        QCOMPARE(f().txtFileReceive[0]->text(), m_prg + "/x.dat");
        QVERIFY(f().txtFileTrans[0]->text().isEmpty());
        QVERIFY(open_directory.isEmpty());
    }

    // The sending side: OK without a file names the folder; Cancel copies
    // nothing, though the folder string has followed the list.
    void sendSide()
    {
        whileShown([&] { f().cmdFileTransOpen_Click(); },
                   [&] {
                       QCOMPARE(where_clicked, QStringLiteral("trans"));
                       QCOMPARE(open_directory, m_dir.path());
                       QCOMPARE(d().Text1->text(), m_dir.path()); // no file proposed
                       openFolder(QStringLiteral("Prg"));
                       QCOMPARE(open_directory, m_prg);
                       QCOMPARE(d().Text1->text(), m_prg);
                       QTest::mouseClick(d().OKButton, Qt::LeftButton);
                   });
        QCOMPARE(f().txtFileTrans[0]->text(), m_prg);

        // The lists stay where they were: OK only hid the chooser.
        whileShown([&] { f().cmdFileTransOpen_Click(); },
                   [&] {
                       QCOMPARE(d().Dir1->Path(), m_prg);
                       QCOMPARE(open_directory, m_prg);
                       openFolder(QFileInfo(m_dir.path()).fileName());
                       clickFile(QStringLiteral("a.dat"));
                       QCOMPARE(d().Text1->text(), m_dir.filePath("a.dat"));
                       QTest::mouseClick(d().CancelButton, Qt::LeftButton);
                   });
        QCOMPARE(f().txtFileTrans[0]->text(), m_prg);
        QCOMPARE(open_directory, m_dir.path());
        QVERIFY(save_directory.isEmpty());

        // Closed with its close box it is unloaded: the lists start over.
        whileShown([&] { f().cmdFileTransOpen_Click(); },
                   [&] {
                       openFolder(QStringLiteral("Prg"));
                       d().close();
                   });
        QVERIFY(!d().isLoaded());
        whileShown([&] { f().cmdFileTransOpen_Click(); }, [&] { QCOMPARE(d().Dir1->Path(), m_dir.path()); });
    }

    // Each showing lists the folder as it is then: a file written and a
    // folder made while the chooser was hidden are listed, removed ones not.
    void listsFollowTheFolderAtEveryShowing()
    {
        const QString later = m_prg + "/later.dat";
        const QString made = m_prg + "/Made";
        whileShown([&] { f().cmdFileTransOpen_Click(); },
                   [&] {
                       openFolder(QStringLiteral("Prg"));
                       QCOMPARE(itemTexts(d().File1), QStringList{"x.dat"});
                       QTest::mouseClick(d().OKButton, Qt::LeftButton);
                   });
        {
            QFile file(later);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir().mkpath(made));
        whileShown([&] { f().cmdFileTransOpen_Click(); },
                   [&] {
                       QCOMPARE(d().Dir1->Path(), m_prg);
                       QCOMPARE(itemTexts(d().File1), (QStringList{"later.dat", "x.dat"}));
                       QCOMPARE(itemTexts(d().Dir1).last(), QStringLiteral("Made"));
                       QTest::mouseClick(d().CancelButton, Qt::LeftButton);
                   });
        QVERIFY(QFile::remove(later));
        QVERIFY(QDir().rmdir(made));
        whileShown([&] { f().cmdFileTransOpen_Click(); },
                   [&] {
                       QCOMPARE(itemTexts(d().File1), QStringList{"x.dat"});
                       QCOMPARE(itemTexts(d().Dir1).last(), QStringLiteral("Prg"));
                       QTest::mouseClick(d().CancelButton, Qt::LeftButton);
                   });
        QCOMPARE(open_directory, m_prg);
    }

    // What the chooser's handlers do for each value of where_clicked; the
    // comparison is exact.
    void handlersFollowWhereClicked_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("save"); // after moving the list to Prg
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("text1"); // after clicking x.dat
        QTest::addColumn<bool>("okFillsReceive");
        QTest::addColumn<bool>("okFillsTrans");
        QTest::newRow("receive") << "receive"
                                 << "Prg"
                                 << ""
                                 << "Prg/x.dat" << true << false;
        QTest::newRow("trans") << "trans"
                               << ""
                               << "Prg"
                               << "Prg/x.dat" << false << true;
        QTest::newRow("Trans: case counts") << "Trans"
                                            << ""
                                            << ""
                                            << "Prg" << false << false;
        QTest::newRow("unset") << ""
                               << ""
                               << ""
                               << "Prg" << false << false;
    }
    void handlersFollowWhereClicked()
    {
        QFETCH(QString, where);
        QFETCH(QString, save);
        QFETCH(QString, open);
        QFETCH(QString, text1);
        QFETCH(bool, okFillsReceive);
        QFETCH(bool, okFillsTrans);
        auto full = [&](const QString& rel) { return rel.isEmpty() ? QString() : m_dir.filePath(rel); };
        d().Load();
        where_clicked = where;
        openFolder(QStringLiteral("Prg"));
        QCOMPARE(save_directory, full(save));
        QCOMPARE(open_directory, full(open));
        clickFile(QStringLiteral("x.dat"));
        QCOMPARE(d().Text1->text(), full(text1));
        d().OKButton_Click();
        // OK gives the path back only for a side the transfer window names.
        QCOMPARE(d().chosenPath(), okFillsReceive || okFillsTrans ? std::optional(full(text1)) : std::nullopt);
    }

    void aDriveThatCannotBeRead()
    {
        testsupport::MessageRecorder rec;
        where_clicked = QStringLiteral("trans");
        d().Load();
        const QString missing = m_dir.filePath(QStringLiteral("gone"));
        d().Drive1->addItem(missing);
        d().Drive1->setCurrentIndex(d().Drive1->count() - 1);
        QCOMPARE(rec.texts(), QStringList{kDriveUnreadable});
        QCOMPARE(d().Drive1->Drive(), missing);
        QCOMPARE(d().Dir1->Path(), m_dir.path());
        QCOMPARE(itemTexts(d().File1), QStringList{"a.dat"});
        QVERIFY(open_directory.isEmpty());

        // A readable one moves the lists to its root.
        rec.clear();
        d().Drive1->setCurrentIndex(0);
        QVERIFY(rec.boxes.isEmpty());
        QCOMPARE(d().Dir1->Path(), QStringLiteral("/"));
        QCOMPARE(open_directory, QStringLiteral("/"));
        QCOMPARE(defaultPrgFile(open_directory, 7), QStringLiteral("/ZEVAZA07.dat"));
    }
};

QTEST_MAIN(TestFrmDir)
#include "test_frmdir.moc"
