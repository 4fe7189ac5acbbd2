// Open and Save of the pendant window in its three modes, with files written
// and read by the point windows' own file procedures.

#include "tpfixture.h"

#include "points/pointfile.h"
#include "points/pointtables.h"
#include "support/savefaults.h"
#include "support/seams.h"
#include "support/strayfiles.h"
#include "support/testfiles.h"

#include <QTemporaryDir>

using namespace tptest;

namespace {

using testsupport::readAll;
using testsupport::writeFile;

QStringList pointRow(int row)
{
    QStringList out;
    for (int c = 1; c <= 4; ++c)
        out << tp().LOCGrid->textMatrix(row, c);
    return out;
}

QStringList programRows()
{
    QStringList out;
    for (int r = 1; r < tp().Grid->rows(); ++r)
        out << tp().Grid->textMatrix(r, 0) + u'|' + tp().Grid->textMatrix(r, 1);
    return out;
}

} // namespace

class TestTpFileCmds : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

private slots:
    void init()
    {
        QVERIFY(openFresh());
        points::g_LocData = {};
        points::g_SftData = {};
    }

    void dialogPerModeAndRememberedName_data()
    {
        QTest::addColumn<int>("modeKey");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("openTitle");
        QTest::addColumn<QString>("saveTitle");
        QTest::newRow("PRG") << int(PrgKey) << "ZEVAZA*.dat|ZEVAZA*.dat|모든파일(*.*)|*.*"
                             << "Program File 열기"
                             << "Program File 저장";
        QTest::newRow("LOC") << int(LocKey) << "ZELLOC.DAT|ZELLOC.DAT|모든파일(*.*)|*.*"
                             << "LOC File 열기"
                             << "LOC File 저장";
        QTest::newRow("SFT") << int(SftKey) << "ZELSFT.DAT|ZELSFT.DAT|모든파일(*.*)|*.*"
                             << "SFT File 열기"
                             << "SFT File 저장";
    }
    void dialogPerModeAndRememberedName()
    {
        QFETCH(int, modeKey);
        QFETCH(QString, filter);
        QFETCH(QString, openTitle);
        QFETCH(QString, saveTitle);
        testsupport::MessageRecorder boxes;
        testsupport::FileDialogAnswers dialogs;
        if (modeKey == PrgKey)
            selectPrg();
        else
            clickModeKey(modeKey);
        const QString name = file("remembered.dat");
        dialogs.names = {name, QString()};
        tp().mnuSave_Click();
        tp().mnuOpen_Click(); // cancelled: ends without a word
        QCOMPARE(dialogs.requests.size(), 2);
        QCOMPARE(dialogs.requests[0].mode, common::FileDialogRequest::Mode::Save);
        QCOMPARE(dialogs.requests[0].title, saveTitle);
        QCOMPARE(dialogs.requests[0].filter, filter);
        QCOMPARE(dialogs.requests[1].mode, common::FileDialogRequest::Mode::Open);
        QCOMPARE(dialogs.requests[1].title, openTitle);
        QCOMPARE(dialogs.requests[1].fileName, name);
        QVERIFY(boxes.boxes.isEmpty());
    }

    void idleWindowOpensAndSavesNothing()
    {
        testsupport::FileDialogAnswers dialogs;
        tp().mnuOpen->trigger();
        tp().mnuSave->trigger();
        QVERIFY(dialogs.requests.isEmpty());
    }

    // A Save that cannot be completed tells why and leaves the old file as
    // it was (a shift file is small enough to fail only at its last flush).
    void saveThatCannotCompleteKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("loc");
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("locations, file size limit") << true << false;
        QTest::newRow("shifts, file size limit") << false << false;
        QTest::newRow("locations, full disk") << true << true;
        QTest::newRow("shifts, full disk") << false << true;
    }
    void saveThatCannotCompleteKeepsTheOldFile()
    {
        QFETCH(bool, loc);
        QFETCH(bool, fullDisk);
        testsupport::SmallDisk disk(48);
        if (fullDisk && !disk.ready())
            QSKIP(qPrintable(disk.reason()));
        testsupport::FileDialogAnswers dialogs;
        testsupport::MessageRecorder boxes;
        clickModeKey(loc ? LocKey : SftKey);
        const QString path = fullDisk ? disk.path(QStringLiteral("points.dat")) : file("limit.dat");
        dialogs.names = {path, path};
        tp().mnuSave_Click();
        const QByteArray old = readAll(path);
        QVERIFY(old.size() > 1000);
        tp().LOCGrid->setTextMatrix(1, 1, QStringLiteral("5.00"));
        if (fullDisk) {
            QVERIFY(disk.fill());
            tp().mnuSave_Click();
        } else {
            testsupport::FileSizeLimit limit(1000);
            QVERIFY(limit.ready());
            tp().mnuSave_Click();
        }
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Disk full")});
        QCOMPARE(readAll(path), old);
    }

    void savedZeroGridOpensAgain()
    {
        testsupport::FileDialogAnswers dialogs;
        clickModeKey(LocKey);
        const QString path = file("ZELLOC.dat");
        dialogs.names = {path, path};
        tp().mnuSave_Click();
        QByteArray expected;
        for (int i = 0; i < 1000; ++i)
            expected += QStringLiteral("P%1 = 0.00 0.00 0.00 0.00\r\n").arg(i, 3, 10, QChar(u'0')).toLatin1();
        QCOMPARE(readAll(path), expected + "\r\n");
        tp().LOCGrid->setTextMatrix(999, 2, QStringLiteral("5"));
        tp().mnuOpen_Click();
        QCOMPARE(pointRow(999), (QStringList{"0.00", "0.00", "0.00", "0.00"}));
    }

    void fileOfThePointWindowsOpensAsWritten_data()
    {
        QTest::addColumn<int>("modeKey");
        QTest::newRow("LOC") << int(LocKey);
        QTest::newRow("SFT") << int(SftKey);
    }
    void fileOfThePointWindowsOpensAsWritten()
    {
        QFETCH(int, modeKey);
        testsupport::MessageRecorder boxes;
        testsupport::FileDialogAnswers dialogs;
        const bool loc = modeKey == LocKey;
        const points::Table table = loc ? points::Table::Loc : points::Table::Sft;
        points::entries(table)[12].ax = {1250, -300, 0, 5};
        points::entries(table)[loc ? 999 : 99].ax = {-2147483647 - 1, 2147483647, -5, 100};
        const QString path = file(loc ? "ZELLOC.dat" : "ZELSFT.dat");
        QVERIFY(!points::writePointFile(table, path));
        clickModeKey(modeKey);
        dialogs.names = {path};
        tp().mnuOpen_Click();
        QCOMPARE(pointRow(13), (QStringList{"12.50", "-3.00", "0.00", "0.05"}));
        QCOMPARE(pointRow(loc ? 1000 : 100), (QStringList{"-21474836.48", "21474836.47", "-0.05", "1.00"}));
        QCOMPARE(pointRow(1), (QStringList{"0.00", "0.00", "0.00", "0.00"}));
        QVERIFY(boxes.boxes.isEmpty());
    }

    void pendantFileLoadsInThePointWindows_data()
    {
        QTest::addColumn<int>("modeKey");
        QTest::newRow("LOC") << int(LocKey);
        QTest::newRow("SFT") << int(SftKey);
    }
    void pendantFileLoadsInThePointWindows()
    {
        QFETCH(int, modeKey);
        testsupport::MessageRecorder boxes;
        testsupport::FileDialogAnswers dialogs;
        const bool loc = modeKey == LocKey;
        clickModeKey(modeKey);
        // Typed as the operator types them: four values on one point.
        tp().LOCGrid->setCurrent(8, 1);
        for (const char* v : {"-1234.5", "12.5", "0.05", "21474836.47"}) {
            tp().LOCGrid_KeyPress(' ');
            tp().TextGrid->setText(QString::fromLatin1(v));
            QTest::keyClick(tp().TextGrid, Qt::Key_Return);
        }
        tp().LOCGrid->setTextMatrix(3, 2, QString()); // an empty cell is written as 0.00
        const QString path = file("pendant.dat");
        dialogs.names = {path};
        tp().mnuSave_Click();
        const points::Table table = loc ? points::Table::Loc : points::Table::Sft;
        points::entries(table)[2].ax = {9, 9, 9, 9};
        QVERIFY(!points::readPointFile(table, path));
        QCOMPARE(points::entries(table)[7].ax, (std::array<std::int32_t, 4>{-123450, 1250, 5, 2147483647}));
        QCOMPARE(points::entries(table)[2].ax, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
        QVERIFY(boxes.boxes.isEmpty());
    }

    void shortPointFileFailsAndKeepsTheGrid_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("loads");
        QTest::newRow("999 lines: P999 empty") << 999 << true;
        QTest::newRow("998 lines fail") << 998 << false;
    }
    void shortPointFileFailsAndKeepsTheGrid()
    {
        QFETCH(int, lines);
        QFETCH(bool, loads);
        testsupport::MessageRecorder boxes;
        testsupport::FileDialogAnswers dialogs;
        clickModeKey(LocKey);
        tp().LOCGrid->setTextMatrix(1000, 1, QStringLiteral("8.00"));
        QByteArray bytes;
        for (int i = 0; i < lines; ++i)
            bytes += "P000 = 1 2 3 4\r\n";
        const QString path = file("short.dat");
        writeFile(path, bytes);
        dialogs.names = {path};
        tp().mnuOpen_Click();
        if (loads) {
            QVERIFY(boxes.boxes.isEmpty());
            QCOMPARE(pointRow(1), (QStringList{"1", "2", "3", "4"}));
            QCOMPARE(pointRow(1000), (QStringList{"", "", "", ""}));
        } else {
            QCOMPARE(boxes.texts(), QStringList{common::RtError::of(common::err::InputPastEndOfFile).text()});
            QCOMPARE(pointRow(1), (QStringList{"0.00", "0.00", "0.00", "0.00"}));
            QCOMPARE(pointRow(1000).first(), QStringLiteral("8.00"));
        }
    }

    void openedTextIsKeptAsText()
    {
        testsupport::FileDialogAnswers dialogs;
        clickModeKey(SftKey);
        QByteArray bytes = "S00 = 1 2\r\nS01=1 2 3 4\r\nS02 = 1 2 3 4 ; comment\r\nS03 = abc 1e1 +5 007\r\n";
        for (int i = 4; i < 100; ++i)
            bytes += "S99 = 0.00 0.00 0.00 0.00\r\n";
        const QString path = file("ZELSFT.DAT");
        writeFile(path, bytes);
        dialogs.names = {path, file("back.dat")};
        tp().mnuOpen_Click();
        QCOMPARE(pointRow(1), (QStringList{"1", "2", "", ""}));
        QCOMPARE(pointRow(2), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(pointRow(3), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(pointRow(4), (QStringList{"abc", "1e1", "+5", "007"}));
        tp().mnuSave_Click(); // written back as read
        QVERIFY(readAll(file("back.dat"))
                    .startsWith("S00 = 1 2 0.00 0.00\r\nS01 = 1 2 3 4\r\nS02 = 1 2 3 4\r\n"
                                "S03 = abc 1e1 +5 007\r\n"));
    }

    void fileFailuresShowTheSystemsText()
    {
        testsupport::MessageRecorder boxes;
        testsupport::FileDialogAnswers dialogs;
        clickModeKey(LocKey);
        dialogs.names = {file("missing.dat"), file("no/such/folder/ZELLOC.dat")};
        tp().mnuOpen_Click();
        tp().mnuSave_Click();
        QCOMPARE(boxes.texts(), (QStringList{common::RtError::of(common::err::FileNotFound).text(),
                                             common::RtError::of(common::err::PathNotFound).text()}));
        QCOMPARE(boxes.boxes[0].title, common::kAppTitle);
        QCOMPARE(pointRow(1), (QStringList{"0.00", "0.00", "0.00", "0.00"}));
    }

    // A file chosen by mistake, in each mode: one box with the refusal and
    // the file's name, at once; the grid stays as it was.
    void strayFileLeavesTheGrid_data()
    {
        QTest::addColumn<int>("modeKey");
        QTest::addColumn<testsupport::Stray>("stray");
        QTest::addColumn<int>("number");
        for (const int key : {int(LocKey), int(SftKey), int(PrgKey)}) {
            const char* name = key == LocKey ? "LOC" : key == SftKey ? "SFT" : "PRG";
            const auto row = [key, name](const char* what, testsupport::Stray s, int number) {
                QTest::addRow("%s, %s", name, what) << key << s << number;
            };
            row("a FIFO", testsupport::Stray::Fifo, common::err::BadFileMode);
            row("/dev/zero", testsupport::Stray::DevZero, common::err::BadFileMode);
            row("a 2 GB sparse file", testsupport::Stray::Sparse, common::err::BadFileMode);
            row("a UTF-16 file", testsupport::Stray::Utf16, common::err::BadFileMode);
            row("a folder", testsupport::Stray::Folder, common::err::PathFileAccess);
        }
    }
    void strayFileLeavesTheGrid()
    {
        QFETCH(int, modeKey);
        QFETCH(testsupport::Stray, stray);
        QFETCH(int, number);
        testsupport::MessageRecorder boxes;
        testsupport::FileDialogAnswers dialogs;
        QByteArray good;
        for (int i = 0; i < 1000; ++i)
            good += "P000 = 1 2 3 4\r\n";
        testsupport::StrayFiles strays(modeKey == PrgKey ? QByteArray("000 STOP\r\n001 [EOF]\r\n") : good);
        QVERIFY(strays.ready());
        if (modeKey == PrgKey)
            selectPrg();
        else
            clickModeKey(modeKey);
        tp().LOCGrid->setTextMatrix(1, 1, QStringLiteral("8.00"));
        const QStringList pointsBefore = pointRow(1);
        const QStringList programBefore = programRows();
        const QString gridName = tp().Grid->textMatrix(0, 1);
        dialogs.names = {strays.path(stray)};
        QElapsedTimer clock;
        clock.start();
        tp().mnuOpen_Click();
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(boxes.texts(), QStringList{common::RtError::of(number).text() + strays.path(stray)});
        QCOMPARE(pointRow(1), pointsBefore);
        QCOMPARE(pointRow(1).first(), QStringLiteral("8.00"));
        QCOMPARE(programRows(), programBefore);
        QCOMPARE(tp().Grid->textMatrix(0, 1), gridName);
    }

    void programOpensIntoTheProgramGrid_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("two lines") << QByteArray("000 MVE P001\r\n001 [EOF]\r\n")
                                   << QStringList{"000|MVE P001", "001|[EOF]"}
                                   << QByteArray("000 MVE P001\r\n001 [EOF]\r\n\r\n");
        QTest::newRow("renumbered, comment cut") << QByteArray("005 MVE P001 ; go\r\n009 STOP\r\n010 [EOF]\r\n")
                                                 << QStringList{"000|MVE P001 ", "001|STOP", "002|[EOF]"}
                                                 << QByteArray("000 MVE P001 \r\n001 STOP\r\n002 [EOF]\r\n\r\n");
        // Without an "[EOF]" row every row is written.
        QTest::newRow("lower-case end mark")
            << QByteArray("000 MVE P001\r\n001 [eof]\r\n") << QStringList{"000|MVE P001", "001|[eof]"}
            << QByteArray("000 MVE P001\r\n001 [eof]\r\n\r\n");
        QTest::newRow("no end mark") << QByteArray("000 MVE P001\r\n") << QStringList{"000|"}
                                     << QByteArray("000 \r\n\r\n");
    }
    void programOpensIntoTheProgramGrid()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        QFETCH(QByteArray, saved);
        testsupport::MessageRecorder boxes;
        testsupport::FileDialogAnswers dialogs;
        selectPrg();
        const QString path = file("ZEVAZA00.dat");
        writeFile(path, bytes);
        dialogs.names = {path, file("ZEVAZA01.dat")};
        tp().mnuOpen_Click();
        QCOMPARE(tp().Grid->textMatrix(0, 1), path);
        QCOMPARE(programRows(), rows);
        tp().mnuSave_Click();
        QCOMPARE(readAll(file("ZEVAZA01.dat")), saved);
        QVERIFY(boxes.boxes.isEmpty());
    }

    void longProgramKeeps255Lines()
    {
        testsupport::FileDialogAnswers dialogs;
        selectPrg();
        QByteArray bytes;
        for (int i = 0; i < 300; ++i)
            bytes += "000 STOP\r\n";
        bytes += "300 [EOF]\r\n";
        writeFile(file("long.dat"), bytes);
        dialogs.names = {file("long.dat"), file("long2.dat")};
        tp().mnuOpen_Click();
        QCOMPARE(tp().Grid->rows(), 256);
        QCOMPARE(tp().Grid->textMatrix(255, 0), QStringLiteral("254"));
        tp().mnuSave_Click();
        QCOMPARE(readAll(file("long2.dat")).count("\r\n"), 256); // 255 lines and the empty one
    }

    void loadedWindowStartsWithAnEmptyProgram()
    {
        testsupport::FileDialogAnswers dialogs;
        selectPrg();
        dialogs.names = {file("empty.dat")};
        tp().mnuSave_Click();
        QCOMPARE(readAll(file("empty.dat")), QByteArray("000 [EOF]\r\n\r\n"));
    }
};

QTEST_MAIN(TestTpFileCmds)
#include "test_tpfilecmds.moc"
