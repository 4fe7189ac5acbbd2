// The program-file writer: the file chosen for a program, the bytes written
// (CR LF on every line, up to the end mark), and the error box of a failed
// write.

#include "programs/folders.h"
#include "programs/prgimage.h"
#include "programs/prgwriter.h"
#include "programs/programfiles.h"

#include "common/filenumbers.h"
#include "common/rterror.h"
#include "support/savefaults.h"
#include "support/seams.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace programs;

namespace {

using testsupport::readAll;

void setImage(std::initializer_list<StepWord> steps)
{
    g_PrgImage.fill(0);
    std::copy(steps.begin(), steps.end(), g_PrgImage.begin());
}

const QByteArray kSmallProgram = "000 MVE P001\r\n001 DLY 000100\r\n----------------\r\n003 [EOF]\r\n";

} // namespace

class TestPrgWriter : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void init()
    {
        save_directory = m_dir.path();
        setImage({0x01100400, 0x23000064, 0, 0x80000000, 0x26000000});
    }

    void defaultNames_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("name");
        QTest::newRow("folder case kept")
            << QStringLiteral("/data/Prg") << 5 << QStringLiteral("/data/Prg/ZEVAZA05.dat");
        QTest::newRow("empty folder: working directory") << QString() << 7 << QStringLiteral("ZEVAZA07.dat");
        QTest::newRow("root") << QStringLiteral("/") << 31 << QStringLiteral("/ZEVAZA31.dat");
    }
    void defaultNames()
    {
        QFETCH(QString, folder);
        QFETCH(int, n);
        QFETCH(QString, name);
        QCOMPARE(defaultPrgFile(folder, n), name);
    }

    // A run, or a box holding only the folder, writes the default file; a box
    // naming a file writes that file. Folder names keep their case.
    void fileChosen_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("box"); // relative to the folder; "." is the folder itself
        QTest::addColumn<QString>("written");
        QTest::newRow("run over all programs") << true << QStringLiteral("other.dat") << QStringLiteral("ZEVAZA05.dat");
        QTest::newRow("box holds the folder") << false << QStringLiteral(".") << QStringLiteral("ZEVAZA05.dat");
        QTest::newRow("box names a file") << false << QStringLiteral("mine.dat") << QStringLiteral("mine.dat");
    }
    void fileChosen()
    {
        QFETCH(bool, all);
        QFETCH(QString, box);
        QFETCH(QString, written);
        testsupport::MessageRecorder rec;
        const QString boxText = box == u"." ? save_directory : m_dir.filePath(box);
        QVERIFY(SavePrgText(5, all, boxText));
        QCOMPARE(readAll(m_dir.filePath(written)), kSmallProgram);
        QVERIFY(rec.boxes.isEmpty());
        QFile::remove(m_dir.filePath(written));
    }

    void boxInOtherCaseIsAnotherName()
    {
        testsupport::MessageRecorder rec;
        save_directory = m_dir.filePath(QStringLiteral("prg"));
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("prg")));
        QVERIFY(SavePrgText(2, false, m_dir.filePath(QStringLiteral("PRG"))));
        QCOMPARE(readAll(m_dir.filePath(QStringLiteral("PRG"))), kSmallProgram);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("prg/ZEVAZA02.dat"))));
    }

    void imageWithoutEndMarkGives256Lines()
    {
        testsupport::MessageRecorder rec;
        setImage({0x26000000});
        QVERIFY(SavePrgText(1, true, QString()));
        const QByteArray bytes = readAll(defaultPrgFile(save_directory, 1));
        QCOMPARE(bytes.count("\r\n"), 256);
        QCOMPARE(bytes.count('\n'), 256);
        QVERIFY(bytes.startsWith("000 STOP\r\n----------------\r\n"));
        QVERIFY(bytes.endsWith("----------------\r\n"));
    }

    void endMarkFirstGivesOneLine()
    {
        testsupport::MessageRecorder rec;
        setImage({0x80000000, 0x26000000});
        QVERIFY(SavePrgText(0, true, QString()));
        QCOMPARE(readAll(defaultPrgFile(save_directory, 0)), QByteArray("000 [EOF]\r\n"));
    }

    void existingFileReplaced()
    {
        testsupport::MessageRecorder rec;
        const QString path = defaultPrgFile(save_directory, 9);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(5000, 'x'));
        }
        QVERIFY(SavePrgText(9, true, QString()));
        QCOMPARE(readAll(path), kSmallProgram);
    }

    void failedWriteShowsErrorBox()
    {
        testsupport::MessageRecorder rec;
        save_directory = m_dir.filePath(QStringLiteral("no/such/folder"));
        QVERIFY(!SavePrgText(3, true, QString()));
        QCOMPARE(rec.boxes.size(), 1);
        const common::RtError e = common::RtError::of(common::err::PathNotFound);
        QCOMPARE(rec.boxes[0].title, QStringLiteral("Error"));
        QCOMPARE(rec.boxes[0].buttons, common::MsgButtons::Ok);
        QCOMPARE(rec.boxes[0].icon, common::MsgIcon::None);
        QCOMPARE(rec.boxes[0].text, QStringLiteral("오류 #  76이(가) ") + e.source +
                                        QStringLiteral("에 의해 생성되었습니다.\r") + e.description);
        QVERIFY(!common::FileNumber::inUse(common::FileNumber::Writer));
    }

    // A received program that cannot be written whole (the file size limit,
    // a full disk, a file that cannot be written) shows its error box with
    // the real cause and leaves the program's old file byte for byte.
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<int>("number");
        QTest::newRow("file size limit") << "limit" << 61;
        QTest::newRow("full disk") << "full" << 61;
        QTest::newRow("read-only filesystem") << "read-only" << 70;
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(QString, cause);
        QFETCH(int, number);
        testsupport::SmallDisk disk(16);
        if (cause != u"limit") {
            if (!disk.ready())
                QSKIP(qPrintable(disk.reason()));
            save_directory = disk.folder();
        }
        const QString path = defaultPrgFile(save_directory, 6);
        const QByteArray old = QByteArray("000 STOP\r\n").repeated(40) + "040 [EOF]\r\n";
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(old), old.size());
        }
        testsupport::MessageRecorder rec;
        if (cause == u"limit") {
            testsupport::FileSizeLimit limit(20);
            QVERIFY(limit.ready());
            QVERIFY(!SavePrgText(6, true, QString()));
        } else {
            QVERIFY(cause == u"full" ? disk.fill() : disk.makeReadOnly());
            QVERIFY(!SavePrgText(6, true, QString()));
        }
        const common::RtError e = common::RtError::of(number);
        QCOMPARE(rec.texts(), QStringList{QStringLiteral("오류 #  %1이(가) ").arg(number) + e.source +
                                          QStringLiteral("에 의해 생성되었습니다.\r") + e.description});
        QCOMPARE(readAll(path), old);
        QVERIFY(!common::FileNumber::inUse(common::FileNumber::Writer));
    }

    // A writer's number found held fails with 55 and is closed, so the next
    // program is written.
    void heldWriterNumberIsClosed()
    {
        testsupport::MessageRecorder rec;
        auto* held = new common::FileNumber(common::FileNumber::Writer);
        QVERIFY(!SavePrgText(4, true, QString()));
        QCOMPARE(rec.boxes.size(), 1);
        QVERIFY(rec.boxes[0].text.startsWith(QStringLiteral("오류 #  55이(가) ")));
        QVERIFY(!QFile::exists(defaultPrgFile(save_directory, 4)));
        QVERIFY(!common::FileNumber::inUse(common::FileNumber::Writer));
        QVERIFY(SavePrgText(4, true, QString()));
        QCOMPARE(readAll(defaultPrgFile(save_directory, 4)), kSmallProgram);
        delete held;
    }

    void errorTextSignBlank_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("positive: two blanks")
            << 53 << QStringLiteral("오류 #  53이(가) App에 의해 생성되었습니다.\rGone");
        QTest::newRow("negative: minus") << -7 << QStringLiteral("오류 # -7이(가) App에 의해 생성되었습니다.\rGone");
    }
    void errorTextSignBlank()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(writerErrorText(common::RtError{number, QStringLiteral("App"), QStringLiteral("Gone")}), text);
    }
};

QTEST_GUILESS_MAIN(TestPrgWriter)
#include "test_prgwriter.moc"
