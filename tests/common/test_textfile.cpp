// Text files as the system keeps them, and the file numbers their readers
// and writers hold.

#include "common/filenumbers.h"
#include "common/textfile.h"
#include "common/textread.h"
#include "support/savefaults.h"
#include "support/strayfiles.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace common;

namespace {

// What the stand-in for fsync is to fail a folder's sync with, and what it
// saw when the folder holding the saved file's name was synced.
struct FolderSync {
    QString file;
    QByteArray content; // what the file holds once the save is done
    int code = 0;       // 0: the real fsync
    bool ofTheFolder = false;
    bool fileInPlace = false;
};
FolderSync g_folderSync;

int fsyncFailingOnFolders(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode))
        return ::fsync(fd);
    const QByteArray folder = QFile::encodeName(QFileInfo(g_folderSync.file).absolutePath());
    struct stat want {};
    if (::stat(folder.constData(), &want) == 0 && want.st_dev == st.st_dev && want.st_ino == st.st_ino) {
        g_folderSync.ofTheFolder = true;
        g_folderSync.fileInPlace = testsupport::readAll(g_folderSync.file) == g_folderSync.content;
    }
    if (g_folderSync.code == 0)
        return ::fsync(fd);
    errno = g_folderSync.code;
    return -1;
}

struct SyncStandIn {
    SyncStandIn() { setSyncCall(fsyncFailingOnFolders); }
    ~SyncStandIn() { setSyncCall(nullptr); }
};

} // namespace

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
        const auto got = readTextLines(path, 1000);
        QVERIFY(ok(got));
        QCOMPARE(value(got), lines);
    }

    // The records of a file read in pieces: lines, and with commas the
    // pieces of a line; 256 bytes of each kept.
    void recordsOfAFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("commas");
        QTest::addColumn<QList<QByteArray>>("records");
        QTest::addColumn<bool>("lineEndLast");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << false << QList<QByteArray>{"a", "b"} << true;
        QTest::newRow("no final line end") << QByteArray("a\nb") << false << QList<QByteArray>{"a", "b"} << false;
        QTest::newRow("empty file") << QByteArray() << false << QList<QByteArray>{} << true;
        QTest::newRow("a comma is text") << QByteArray(" a,b\r\n") << false << QList<QByteArray>{" a,b"} << true;
        QTest::newRow("commas cut, blanks stay")
            << QByteArray(" a, b\r\nc,") << true << QList<QByteArray>{" a", " b", "c", ""} << false;
        QTest::newRow("CR before a comma stays")
            << QByteArray("a\r,b\r\n") << true << QList<QByteArray>{"a\r", "b"} << true;
        QTest::newRow("a UTF-8 mark is read as it stands")
            << QByteArray("\xEF\xBB\xBFP000\r\n") << false << QList<QByteArray>{"\xEF\xBB\xBFP000"} << true;
        QTest::newRow("an overlong line keeps 256 bytes")
            << QByteArray(300, 'x') + "\r\ny" << false << QList<QByteArray>{QByteArray(256, 'x'), "y"} << false;
        QTest::newRow("the CR of a line of 255 is no part of it")
            << QByteArray(255, 'x') + "\r\n"
            << false << QList<QByteArray>{QByteArray(255, 'x')} << true;
        QTest::newRow("a line of 256 keeps no CR") << QByteArray(256, 'x') + "\r\n"
                                                   << false << QList<QByteArray>{QByteArray(256, 'x')} << true;
        // The CR ends one piece of the file, its LF begins the next.
        QByteArray crossing;
        QList<QByteArray> crossingLines;
        while (crossing.size() + 6 <= common::LineReader::kReadChunk - 1) {
            crossing += "abcd\r\n";
            crossingLines << "abcd";
        }
        const qsizetype pad = common::LineReader::kReadChunk - 1 - crossing.size();
        crossing += QByteArray(pad, 'x') + "\r\nz";
        crossingLines << QByteArray(pad, 'x') << "z";
        QTest::newRow("a CR LF across two pieces") << crossing << false << crossingLines << false;
    }
    void recordsOfAFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, commas);
        QFETCH(QList<QByteArray>, records);
        QFETCH(bool, lineEndLast);
        QBuffer in(&content);
        QVERIFY(in.open(QIODevice::ReadOnly));
        common::LineReader reader(in, {.commas = commas, .dropLeadingBlanks = false, .mark = {}});
        QList<QByteArray> got;
        while (const auto r = reader.next())
            got.append(*r);
        QCOMPARE(got, records);
        QVERIFY(!reader.failed() && !reader.notText());
        QCOMPARE(reader.endsWithLineEnd(), lineEndLast);
    }

    // A reader that has what it needs reads no further than the piece that
    // held it; a huge file or a line without an end costs no more memory.
    void readsNoFurtherThanItNeeds()
    {
        QByteArray content = "a\r\nb\r\n" + QByteArray(4 * common::LineReader::kReadChunk, 'x');
        QBuffer in(&content);
        QVERIFY(in.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        const auto lines = common::readTextLines(in, 2);
        QVERIFY(common::ok(lines));
        QCOMPARE(common::value(lines), (QList<QByteArray>{"a", "b"}));
        QCOMPARE(in.pos(), common::LineReader::kReadChunk);
    }

    // A file that is no text is refused where the reader meets it: a UTF-16
    // byte order mark at the start, a NUL byte in what it reads. What it
    // does not read does not count.
    void refusesWhatIsNoText_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("most");
        QTest::addColumn<int>("number"); // 0: read
        QTest::newRow("UTF-16, little end first") << QByteArray("\xFF\xFEP\0\r\0\n\0", 8) << 5 << 54;
        QTest::newRow("UTF-16, big end first") << QByteArray("\xFE\xFF\0P", 4) << 5 << 54;
        QTest::newRow("a mark alone") << QByteArray("\xFF\xFE") << 5 << 54;
        QTest::newRow("the same bytes later are text") << QByteArray("P\xFF\xFE\r\n") << 5 << 0;
        QTest::newRow("a NUL in the first line") << QByteArray("P0\0 = 1\r\n", 9) << 5 << 54;
        QTest::newRow("a NUL in a line past 256 bytes") << QByteArray(300, 'x') + '\0' << 5 << 54;
        QTest::newRow("a NUL after the lines read") << QByteArray("a\r\nb\r\n\0", 7) << 2 << 0;
        QTest::newRow("a NUL pieces later")
            << "a\r\n" + QByteArray(3 * common::LineReader::kReadChunk, 'x') + '\0' << 5 << 54;
    }
    void refusesWhatIsNoText()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, most);
        QFETCH(int, number);
        QBuffer in(&content);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const auto lines = common::readTextLines(in, most);
        QCOMPARE(common::ok(lines) ? 0 : common::error(lines).number, number);
    }

    // A read that fails delivers nothing of the record it cut.
    void failedReadEndsTheRecords()
    {
        testsupport::FailingDevice in("a\r\nbc\r\n", 5);
        QVERIFY(in.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        common::LineReader reader(in);
        QCOMPARE(reader.next(), std::optional<QByteArray>("a"));
        QCOMPARE(reader.next(), std::optional<QByteArray>());
        QVERIFY(reader.failed());
        testsupport::FailingDevice again("a\r\nbc\r\n", 5);
        QVERIFY(again.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        const auto lines = common::readTextLines(again, 5);
        QCOMPARE(common::error(lines).number, err::DeviceIo);
    }

    // The mark a reader looks for in each line, letter case aside, wherever
    // it stands in the line, and in the rest of the file at once.
    void findsTheMark_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<int>>("marks"); // per line
        QTest::addColumn<bool>("ahead");       // after the first line
        QTest::newRow("none") << QByteArray("000 STOP\r\n001 RET\r\n") << QList<int>{-1, -1} << false;
        QTest::newRow("upper and lower case") << QByteArray("[EOF]\r\n1 [eOf] [EOF]\r\n") << QList<int>{0, 2} << true;
        QTest::newRow("half a mark") << QByteArray("[EO\r\nF]\r\n") << QList<int>{-1, -1} << false;
        QTest::newRow("past the bytes kept") << QByteArray(400, ' ') + "[EOF]\r\nx" << QList<int>{400, -1} << false;
        const qsizetype pad = common::LineReader::kReadChunk - 3;
        QTest::newRow("across two pieces") << QByteArray(pad, ' ') + "[EOF]" << QList<int>{int(pad)} << false;
        QTest::newRow("far ahead") << "x\r\n" + QByteArray(pad, ' ') + "[Eof]\r\n" << QList<int>{-1, int(pad)} << true;
        QTest::newRow("ahead, behind a NUL") << QByteArray("x\r\n\0[EOF]\r\n", 11) << QList<int>{-1} << false;
    }
    void findsTheMark()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<int>, marks);
        QFETCH(bool, ahead);
        for (const bool lookAhead : {false, true}) {
            QBuffer in(&content);
            QVERIFY(in.open(QIODevice::ReadOnly));
            common::LineReader reader(in, {.commas = false, .dropLeadingBlanks = false, .mark = "[EOF]"});
            if (lookAhead) {
                QVERIFY(reader.next().has_value());
                QCOMPARE(reader.markAhead(), ahead);
                continue;
            }
            QList<int> got;
            while (reader.next())
                got.append(int(reader.markAt()));
            QCOMPARE(got, marks);
        }
    }

    // The readers' files of every kind: each refused at once.
    void refusesStrayFiles_data() { testsupport::addStrayRows(); }
    void refusesStrayFiles()
    {
        QFETCH(testsupport::Stray, stray);
        QFETCH(int, number);
        testsupport::StrayFiles strays;
        QVERIFY(strays.ready());
        QElapsedTimer clock;
        clock.start();
        const auto lines = common::readTextLines(strays.path(stray), 1000);
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(!common::ok(lines));
        QCOMPARE(common::error(lines).number, number);
    }

    void readMissingFile()
    {
        QTemporaryDir dir;
        const auto missing = readTextLines(dir.filePath(QStringLiteral("none.dat")), 1);
        QVERIFY(!ok(missing));
        QCOMPARE(error(missing).number, err::FileNotFound);
        const auto noFolder = readTextLines(dir.filePath(QStringLiteral("no/such/f.dat")), 1);
        QVERIFY(!ok(noFolder));
        QCOMPARE(error(noFolder).number, err::PathNotFound);
    }

    // Only a regular file is opened; whatever else stands at the name is
    // refused at once, before a byte is read, and nothing waits.
    void opensOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("number"); // 0: opened
        QTest::newRow("a file") << "file" << 0;
        QTest::newRow("a link to a file") << "link" << 0;
        QTest::newRow("a FIFO") << "fifo" << int(err::BadFileMode);
        QTest::newRow("/dev/zero") << "/dev/zero" << int(err::BadFileMode);
        QTest::newRow("/dev/urandom") << "/dev/urandom" << int(err::BadFileMode);
        QTest::newRow("a terminal") << "terminal" << int(err::BadFileMode);
        QTest::newRow("a socket") << "socket" << int(err::BadFileMode);
        QTest::newRow("a folder") << "folder" << int(err::PathFileAccess);
        QTest::newRow("a missing file") << "none.dat" << int(err::FileNotFound);
        QTest::newRow("a missing folder") << "no/such/f.dat" << int(err::PathNotFound);
        QTest::newRow("a file taken for a folder") << "file/f.dat" << int(err::PathNotFound);
        QTest::newRow("a link to itself") << "loop" << int(err::FileNotFound);
    }
    void opensOnlyRegularFiles()
    {
        QFETCH(QString, what);
        QFETCH(int, number);
        testsupport::StrayFiles strays;
        QVERIFY(strays.ready());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("file"));
        testsupport::writeFile(file, "x\r\n");
        QVERIFY(QFile::link(file, dir.filePath(QStringLiteral("link"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("loop")), dir.filePath(QStringLiteral("loop"))));
        QString path = what.startsWith(u'/') ? what : dir.filePath(what);
        int terminal = -1;
        int socket = -1;
        if (what == u"fifo") {
            path = strays.path(testsupport::Stray::Fifo);
        } else if (what == u"folder") {
            path = strays.path(testsupport::Stray::Folder);
        } else if (what == u"terminal") {
            terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
            QVERIFY(terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0);
            path = QString::fromLocal8Bit(::ptsname(terminal));
        } else if (what == u"socket") {
            socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un at{};
            at.sun_family = AF_UNIX;
            const QByteArray name = QFile::encodeName(path);
            QVERIFY(socket >= 0 && name.size() < qsizetype(sizeof(at.sun_path)));
            std::memcpy(at.sun_path, name.constData(), std::size_t(name.size()));
            QVERIFY(::bind(socket, reinterpret_cast<const sockaddr*>(&at), sizeof(at)) == 0);
        }
        QElapsedTimer clock;
        clock.start();
        QFile f;
        const std::optional<RtError> e = openForReading(f, path);
        QVERIFY(clock.elapsed() < 1000);
        if (terminal >= 0)
            ::close(terminal);
        if (socket >= 0)
            ::close(socket);
        QCOMPARE(e ? e->number : 0, number);
        QCOMPARE(f.isOpen(), number == 0);
        if (number == 0)
            QCOMPARE(f.readAll(), QByteArray("x\r\n"));
        else
            QCOMPARE(e->text(), RtError::of(number).text());
    }

    void writeEndsEveryLineWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("w.dat"));
        QVERIFY(!writeTextLines(path, QList<QByteArray>{"000 MVE P001", "", "[EOF]"}));
        QCOMPARE(testsupport::readAll(path), QByteArray("000 MVE P001\r\n\r\n[EOF]\r\n"));
        // Text lines go out one byte per character.
        QVERIFY(!writeTextLines(path, QStringList{QString::fromLatin1("\xB5")}));
        QCOMPARE(testsupport::readAll(path), QByteArray("\xB5\r\n"));
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
        QCOMPARE(testsupport::readAll(path), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.dat")});
    }

    // Where the last of the data only leaves the write buffer at the end
    // (a few KB), the failure comes from that last flush; larger data fails
    // on the way. Either way: the error, the old file as it was, no stray file.
    void saveThatCannotCompleteKeepsOldFile_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<int>("lines");
        QTest::newRow("size limit, last flush") << false << 150;
        QTest::newRow("size limit, on the way") << false << 2000;
        QTest::newRow("full disk, last flush") << true << 150;
        QTest::newRow("full disk, on the way") << true << 2000;
    }
    void saveThatCannotCompleteKeepsOldFile()
    {
        QFETCH(bool, fullDisk);
        QFETCH(int, lines);
        const QByteArray old = QByteArray(3000, 'o') + "\r\n";
        std::optional<RtError> e;
        QString path;
        QStringList names;
        if (fullDisk) {
            testsupport::SmallDisk disk(16);
            if (!disk.ready())
                QSKIP(qPrintable(disk.reason()));
            path = disk.path(QStringLiteral("keep.dat"));
            QVERIFY(!writeTextLines(path, QList<QByteArray>{old.chopped(2)}));
            QVERIFY(disk.fill());
            e = writeTextLines(path, QList<QByteArray>(lines, QByteArray(40, 'x')));
            QCOMPARE(testsupport::readAll(path), old);
            names = disk.names();
        } else {
            QTemporaryDir dir;
            path = dir.filePath(QStringLiteral("keep.dat"));
            QVERIFY(!writeTextLines(path, QList<QByteArray>{old.chopped(2)}));
            {
                testsupport::FileSizeLimit limit(4096);
                QVERIFY(limit.ready());
                e = writeTextLines(path, QList<QByteArray>(lines, QByteArray(40, 'x')));
            }
            QCOMPARE(testsupport::readAll(path), old);
            names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        }
        QVERIFY(e.has_value());
        QCOMPARE(e->number, err::DiskFull);
        QCOMPARE(e->text(), QStringLiteral("Disk full"));
        QCOMPARE(names, QStringList{QStringLiteral("keep.dat")});
    }

    // The cause shown is the real one: a full disk only when it is full.
    void saveErrorNamesItsCause_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("file without write access") << "read-only" << 70 << "Permission denied";
        QTest::newRow("name of a folder") << "folder" << 75 << "Path/File access error";
        QTest::newRow("folder that does not exist") << "no folder" << 76 << "Path not found";
        QTest::newRow("full disk") << "full" << 61 << "Disk full";
    }
    void saveErrorNamesItsCause()
    {
        QFETCH(QString, what);
        QFETCH(int, number);
        QFETCH(QString, text);
        testsupport::SmallDisk disk(16);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("f.dat"));
        const QByteArray old("old\r\n");
        const bool needsDisk = what == u"full" || (what == u"read-only" && ::geteuid() == 0);
        if (needsDisk) {
            if (!disk.ready())
                QSKIP(qPrintable(disk.reason()));
            path = disk.path(QStringLiteral("f.dat"));
        }
        if (what != u"no folder" && what != u"folder")
            QVERIFY(!writeTextLines(path, QList<QByteArray>{"old"}));
        if (what == u"read-only") {
            // Root writes any file whatever its mode: there the file stands
            // on a filesystem mounted read-only.
            if (::geteuid() == 0)
                QVERIFY(disk.makeReadOnly());
            else
                QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        } else if (what == u"folder") {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("f.dat")));
        } else if (what == u"no folder") {
            path = dir.filePath(QStringLiteral("none/f.dat"));
        } else if (what == u"full") {
            QVERIFY(disk.fill());
        }
        const auto e = writeTextLines(path, QList<QByteArray>{"new"});
        QVERIFY(e.has_value());
        QCOMPARE(e->number, number);
        QCOMPARE(e->text(), text);
        if (what == u"read-only" || what == u"full")
            QCOMPARE(testsupport::readAll(path), old);
    }

    // The system's code of a failed call, as the save and the read tell it:
    // a refused permission, a read error and a folder each their own.
    void errorFromSystemCode_data()
    {
        QTest::addColumn<bool>("saving");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("number");
        QTest::newRow("save: no space left") << true << ENOSPC << 61;
        QTest::newRow("save: file too large") << true << EFBIG << 61;
        QTest::newRow("save: quota") << true << EDQUOT << 61;
        QTest::newRow("save: access") << true << EACCES << 70;
        QTest::newRow("save: read-only filesystem") << true << EROFS << 70;
        QTest::newRow("save: is a folder") << true << EISDIR << 75;
        QTest::newRow("save: input/output") << true << EIO << 57;
        QTest::newRow("read: access") << false << EACCES << 70;
        QTest::newRow("read: not permitted") << false << EPERM << 70;
        QTest::newRow("read: input/output") << false << EIO << 57;
        QTest::newRow("read: is a folder") << false << EISDIR << 75;
        QTest::newRow("read: name too long") << false << ENAMETOOLONG << 75;
        QTest::newRow("read: no such file") << false << ENOENT << 53;
        QTest::newRow("read: no device") << false << ENXIO << 54;
        QTest::newRow("read: too many open files") << false << EMFILE << 67;
        QTest::newRow("read: out of memory") << false << ENOMEM << 7;
    }
    void errorFromSystemCode()
    {
        QFETCH(bool, saving);
        QFETCH(int, code);
        QFETCH(int, number);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.dat"));
        QCOMPARE((saving ? RtError::fromSaveErrno(code, path) : RtError::fromReadErrno(code, path)).number, number);
    }

    // The folder that holds the file's name is synced once the new file has
    // taken the old one's place, so that a power cut cannot undo a save told
    // as done. A sync the device fails is told, with the new file in place;
    // a folder that cannot be synced at all is no failure.
    void folderSyncedAfterNewFileTookItsPlace_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("viaLink");
        QTest::addColumn<QString>("told"); // "" when the save succeeds
        QTest::newRow("synced") << 0 << false << "";
        QTest::newRow("device error") << EIO << false << "Device I/O error";
        QTest::newRow("no space on the device") << ENOSPC << false << "Disk full";
        QTest::newRow("folder that cannot be synced") << EINVAL << false << "";
        QTest::newRow("link to a file in another folder") << EIO << true << "Device I/O error";
    }
    void folderSyncedAfterNewFileTookItsPlace()
    {
        QFETCH(int, code);
        QFETCH(bool, viaLink);
        QFETCH(QString, told);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("real")));
        const QString file = dir.filePath(QStringLiteral("real/f.dat"));
        QVERIFY(!writeTextLines(file, QList<QByteArray>{"old"}));
        QString saved = file;
        if (viaLink) {
            saved = dir.filePath(QStringLiteral("link.dat"));
            QVERIFY(QFile::link(file, saved));
        }
        g_folderSync = {file, "new\r\n", code};
        std::optional<RtError> e;
        {
            SyncStandIn standIn;
            e = writeTextLines(saved, QList<QByteArray>{"new"});
        }
        QCOMPARE(e ? e->text() : QString(), told);
        QVERIFY(g_folderSync.ofTheFolder);
        QVERIFY(g_folderSync.fileInPlace);
        QCOMPARE(testsupport::readAll(file), QByteArray("new\r\n"));
        QCOMPARE(QDir(dir.filePath(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("f.dat")});
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
