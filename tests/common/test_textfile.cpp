// Text files as the system keeps them, and the file numbers their readers
// and writers hold.

#include "common/filenumbers.h"
#include "common/textfile.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace common;

class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void readLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QList<QByteArray>{"a", "b"};
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << QList<QByteArray>{"a", "b"};
        QTest::newRow("no final line end") << QByteArray("a\r\nb") << QList<QByteArray>{"a", "b"};
        QTest::newRow("mixed") << QByteArray("a\nb\r\nc") << QList<QByteArray>{"a", "b", "c"};
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QList<QByteArray>{"", "", "x"};
        QTest::newRow("lone CR stays in the line") << QByteArray("a\rb\n") << QList<QByteArray>{"a\rb"};
        QTest::newRow("empty file") << QByteArray() << QList<QByteArray>{};
        QTest::newRow("bytes above 127 unchanged")
            << QByteArray("P000 = \xB5\xFF\r\n") << QList<QByteArray>{"P000 = \xB5\xFF"};
    }
    void readLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<QByteArray>, lines);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.dat"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        const auto got = readTextLines(path);
        QVERIFY(ok(got));
        QCOMPARE(value(got), lines);
    }

    void readMissingFile()
    {
        QTemporaryDir dir;
        const auto missing = readTextLines(dir.filePath(QStringLiteral("none.dat")));
        QVERIFY(!ok(missing));
        QCOMPARE(error(missing).number, err::FileNotFound);
        const auto noFolder = readTextLines(dir.filePath(QStringLiteral("no/such/f.dat")));
        QVERIFY(!ok(noFolder));
        QCOMPARE(error(noFolder).number, err::PathNotFound);
    }

    void writeEndsEveryLineWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("w.dat"));
        QVERIFY(!writeTextLines(path, QList<QByteArray>{"000 MVE P001", "", "[EOF]"}));
        QCOMPARE(value(readFileBytes(path)), QByteArray("000 MVE P001\r\n\r\n[EOF]\r\n"));
        // Text lines go out one byte per character.
        QVERIFY(!writeTextLines(path, QStringList{QString::fromLatin1("\xB5")}));
        QCOMPARE(value(readFileBytes(path)), QByteArray("\xB5\r\n"));
    }

    // A save that cannot be completed (here: the file size limit is hit
    // half-way) reports the error and leaves the old file as it was.
    void failedSaveLeavesOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keep.dat"));
        QVERIFY(!writeTextLines(path, QList<QByteArray>{"old"}));
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit small = saved;
        small.rlim_cur = 4096;
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        const auto e = writeTextLines(path, QList<QByteArray>(2000, QByteArray(40, 'x')));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(e.has_value());
        QCOMPARE(e->number, err::DiskFull);
        QCOMPARE(value(readFileBytes(path)), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.dat")});
    }

    void writeIntoMissingFolderFails()
    {
        QTemporaryDir dir;
        const auto e = writeTextLines(dir.filePath(QStringLiteral("no/f.dat")), QList<QByteArray>{"x"});
        QVERIFY(e.has_value());
        QCOMPARE(e->number, err::PathNotFound);
    }

    void fileNumbers()
    {
        {
            FileNumber reader(FileNumber::Reader);
            QVERIFY(reader.claimed());
            QVERIFY(FileNumber::inUse(FileNumber::Reader));
            // A second reader while the first still reads: error 55.
            FileNumber second(FileNumber::Reader);
            QVERIFY(!second.claimed());
            // A writer holds its own number.
            FileNumber writer(FileNumber::Writer);
            QVERIFY(writer.claimed());
        }
        QVERIFY(!FileNumber::inUse(FileNumber::Reader));
        QVERIFY(!FileNumber::inUse(FileNumber::Writer));
        FileNumber held(FileNumber::Reader);
        FileNumber::close(FileNumber::Reader); // what a reader meeting error 55 does
        QVERIFY(!FileNumber::inUse(FileNumber::Reader));
        FileNumber next(FileNumber::Reader);
        QVERIFY(next.claimed());
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
