// The location and shift files: the exact bytes the saver writes, the rules
// by which a line is read back, and what the operator is told when a file
// cannot be written or read.

#include "points/pointfile.h"
#include "points/pointtables.h"

#include "common/filenumbers.h"
#include "common/msgbox.h"
#include "support/savefaults.h"
#include "support/seams.h"
#include "support/strayfiles.h"
#include "support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using points::LocPoint;
using points::Table;

Q_DECLARE_METATYPE(points::Table)

namespace {

using testsupport::readAll;
using testsupport::writeFile;

constexpr std::int32_t kOld = 7777; // what a point holds before a load

void fillTable(Table t, std::int32_t v)
{
    for (LocPoint& p : points::entries(t))
        p.ax = {v, v, v, v};
}

// The given lines, then well-formed lines up to `total` lines (CR LF each).
QByteArray fileOf(Table t, const QList<QByteArray>& first, int total, const char* end = "\r\n")
{
    QByteArray out;
    for (int i = 0; i < total; ++i) {
        out += i < first.size() ? first[i] : points::pointLabel(t, i).toLatin1() + "1.00 2.00 3.00 4.00";
        out += end;
    }
    return out;
}

QList<int> values(const LocPoint& p)
{
    return {p.ax[0], p.ax[1], p.ax[2], p.ax[3]};
}

} // namespace

class TestPointFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        fillTable(Table::Loc, 0);
        fillTable(Table::Sft, 0);
    }

    void savedFileBytes_data()
    {
        QTest::addColumn<Table>("table");
        QTest::addColumn<int>("point");
        QTest::addColumn<QList<int>>("hundredths");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("P012 with a negative and a small value")
            << Table::Loc << 12 << QList<int>{1250, -300, 0, 5} << QByteArray("P012 = 12.50 -3.00 0.00 0.05");
        QTest::newRow("extremes of 32 bits")
            << Table::Loc << 999 << QList<int>{std::numeric_limits<std::int32_t>::min(), -5, 2147483647, -100}
            << QByteArray("P999 = -21474836.48 -0.05 21474836.47 -1.00");
        QTest::newRow("S07") << Table::Sft << 7 << QList<int>{0, 125, -50, 0}
                             << QByteArray("S07 = 0.00 1.25 -0.50 0.00");
        QTest::newRow("S00 first line") << Table::Sft << 0 << QList<int>{100, 0, 0, 99999}
                                        << QByteArray("S00 = 1.00 0.00 0.00 999.99");
    }
    void savedFileBytes()
    {
        QFETCH(Table, table);
        QFETCH(int, point);
        QFETCH(QList<int>, hundredths);
        QFETCH(QByteArray, line);
        for (int a = 0; a < 4; ++a)
            points::entries(table)[std::size_t(point)].ax[std::size_t(a)] = hundredths[a];
        const QString file = path(QStringLiteral("saved.dat"));
        QCOMPARE(points::writePointFile(table, file), std::optional<QString>());

        const QByteArray bytes = readAll(file);
        const int count = points::desc(table).count;
        QVERIFY(bytes.endsWith("\r\n"));
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.size(), count + 1); // the piece after the last line end is empty
        for (int i = 0; i < count; ++i) {
            const QByteArray expected =
                i == point ? line + '\r' : points::pointLabel(table, i).toLatin1() + "0.00 0.00 0.00 0.00\r";
            QCOMPARE(lines[i], expected);
        }
        QCOMPARE(lines.first().left(4), table == Table::Loc ? QByteArray("P000") : QByteArray("S00 "));
    }

    void saveThenLoadGivesBackEveryValue_data()
    {
        QTest::addColumn<Table>("table");
        QTest::newRow("locations") << Table::Loc;
        QTest::newRow("shifts") << Table::Sft;
    }
    void saveThenLoadGivesBackEveryValue()
    {
        QFETCH(Table, table);
        auto rows = points::entries(table);
        std::uint32_t v = 0x80000000u;
        for (LocPoint& p : rows)
            for (auto& x : p.ax) {
                x = std::int32_t(v);
                v += 4294967u * 3u + 7u; // wraps through the whole range
            }
        rows[1].ax = {std::numeric_limits<std::int32_t>::max(), -1, 1, -99};
        const std::vector<LocPoint> before(rows.begin(), rows.end());
        const QString file = path(QStringLiteral("round.dat"));
        QCOMPARE(points::writePointFile(table, file), std::optional<QString>());
        fillTable(table, 0);
        QCOMPARE(points::readPointFile(table, file), std::optional<QString>());
        QVERIFY(std::equal(rows.begin(), rows.end(), before.begin()));
    }

    void readingRules_data()
    {
        QTest::addColumn<Table>("table");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QList<int>>>("expected"); // points 0, 1, ... after the load
        QTest::addColumn<int>("keptFrom");               // first point that keeps its old values (-1: none)
        QTest::addColumn<QString>("message");            // "%f" stands for the file name

        const int L = 1000;
        const QList<int> filler{100, 200, 300, 400};
        auto row = [&](const char* name, const QList<QByteArray>& first, const QList<QList<int>>& expected) {
            QTest::newRow(name) << Table::Loc << fileOf(Table::Loc, first, L) << expected << -1 << QString();
        };
        row("saved line", {"P000 = 12.50 -3.00 0.00 0.05"}, {{1250, -300, 0, 5}, filler});
        row("one value: the other three become 0", {"P000 = 1.5"}, {{150, 0, 0, 0}});
        row("no label", {"1 2 3 4"}, {{100, 200, 300, 400}});
        row("label without = is the first value", {"P000 1 2 3"}, {{0, 100, 200, 300}});
        row("halves to even, junk reads as its leading number", {"P000 = 0.125 0.375 x 12abc"}, {{12, 38, 0, 1200}});
        row("a fifth value is ignored", {"P000 = 1 2 3 4 5"}, {{100, 200, 300, 400}});
        row("no blanks around =", {"P001=1 2 3 4", "P001=5 6 7 8"}, {{100, 200, 300, 400}, {500, 600, 700, 800}});
        row("tabs and 25 blanks", {"P000 =                         1\t2 \t 3\t\t4"}, {{100, 200, 300, 400}});
        row("a comma is text, the next line keeps its point", {"P000 = 1,5 2 3 4", "P001 = 9 9 9 9"},
            {{100, 200, 300, 400}, {900, 900, 900, 900}});
        row("a quote is text", {"P000 = \"1 2\" 3 4"}, {{0, 200, 300, 400}});
        row("only the first = counts", {"P000 = 1 = 2 3"}, {{100, 0, 200, 300}});
        row("an exponent", {"P000 = 1E2 -2.5e-1"}, {{10000, -25, 0, 0}});
        row("hexadecimal, octal, exponent D and E", {"P000 = &H10 &O17 1D2 1E2"}, {{1600, 1500, 10000, 10000}});
        row("radix forms end at a digit they do not have", {"P000 = &hff &o19 &X5 -1d-1"}, {{25500, 100, 0, -10}});
        row("an empty line is a point", {"", "P001 = 1 1 1 1"}, {{0, 0, 0, 0}, {100, 100, 100, 100}});

        QTest::newRow("lines ended by LF alone")
            << Table::Loc << fileOf(Table::Loc, {"P000 = 1 2 3 4", "P001 = 5 6 7 8"}, L, "\n")
            << QList<QList<int>>{{100, 200, 300, 400}, {500, 600, 700, 800}} << -1 << QString();
        QTest::newRow("the last line without its end")
            << Table::Loc << fileOf(Table::Loc, {}, L).chopped(2) << QList<QList<int>>{filler} << -1 << QString();
        QTest::newRow("a 1001st line is ignored")
            << Table::Loc << fileOf(Table::Loc, {}, L) + "junk 99999999999\r\n" + QByteArray(70000, '\0')
            << QList<QList<int>>{filler} << -1 << QString();
        QTest::newRow("a NUL byte in the last line changes nothing")
            << Table::Loc << fileOf(Table::Loc, {}, L - 1) + "P999 = 1" + '\0' << QList<QList<int>>{} << 0
            << QStringLiteral("Bad file mode%f");
        QTest::newRow("a UTF-8 mark reads as text: the label's first value")
            << Table::Loc
            << fileOf(Table::Loc,
                      {"\xEF\xBB\xBF"
                       "1 2 3 4"},
                      L)
            << QList<QList<int>>{{0, 200, 300, 400}} << -1 << QString();
        QTest::newRow("short file loads its points and tells of the end")
            << Table::Loc << fileOf(Table::Loc, {}, 100) << QList<QList<int>>{filler} << 100
            << QStringLiteral("Input past end of file") + QStringLiteral("P099 = ");
        QTest::newRow("value too large stops at its line")
            << Table::Loc << fileOf(Table::Loc, {"P000 = 1 2 3 4", "P001 = 1 2 3 99999999"}, L)
            << QList<QList<int>>{{100, 200, 300, 400}} << 1 << QStringLiteral("OverflowP001 = ");
        QTest::newRow("empty file: the file name")
            << Table::Loc << QByteArray() << QList<QList<int>>{} << 0 << QStringLiteral("Input past end of file%f");

        QTest::newRow("shift line") << Table::Sft << fileOf(Table::Sft, {"S00 = 0.00 1.25 -0.50 0.00"}, 100)
                                    << QList<QList<int>>{{0, 125, -50, 0}, filler} << -1 << QString();
        QTest::newRow("short shift file") << Table::Sft << fileOf(Table::Sft, {}, 10) << QList<QList<int>>{filler} << 10
                                          << QStringLiteral("Input past end of fileS09 = 1"); // seven characters
        QTest::newRow("a 101st shift line is ignored")
            << Table::Sft << fileOf(Table::Sft, {}, 101) << QList<QList<int>>{filler} << -1 << QString();
    }
    void readingRules()
    {
        QFETCH(Table, table);
        QFETCH(QByteArray, content);
        QFETCH(QList<QList<int>>, expected);
        QFETCH(int, keptFrom);
        QFETCH(QString, message);
        fillTable(table, kOld);
        const QString file = path(QStringLiteral("read.dat"));
        writeFile(file, content);

        const auto told = points::readPointFile(table, file);
        QCOMPARE(told.value_or(QString()), QString(message).replace(QStringLiteral("%f"), file));
        const auto rows = points::entries(table);
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(values(rows[std::size_t(i)]), expected[i]);
        if (keptFrom >= 0)
            for (std::size_t i = std::size_t(keptFrom); i < rows.size(); ++i)
                QCOMPARE(values(rows[i]), (QList<int>{kOld, kOld, kOld, kOld}));
        else
            QCOMPARE(values(rows.back()), (QList<int>{100, 200, 300, 400}));
    }

    void failuresAreToldInOneBox_data()
    {
        QTest::addColumn<bool>("saving");
        QTest::addColumn<QString>("name"); // "%d" stands for the temporary folder
        QTest::addColumn<QString>("message");
        QTest::newRow("load of a missing file") << false << "%d/none.dat"
                                                << "File not found%d/none.dat";
        QTest::newRow("load with an empty name") << false << ""
                                                 << "Bad file name or number";
        QTest::newRow("save into a missing folder") << true << "%d/no/such.dat"
                                                    << "Path not found%d/no/such.dat";
        QTest::newRow("save with an empty name") << true << ""
                                                 << "Bad file name or number";
    }
    void failuresAreToldInOneBox()
    {
        QFETCH(bool, saving);
        QFETCH(QString, name);
        QFETCH(QString, message);
        name.replace(QStringLiteral("%d"), m_dir.path());
        message.replace(QStringLiteral("%d"), m_dir.path());
        fillTable(Table::Loc, kOld);
        testsupport::MessageRecorder boxes;
        if (saving)
            points::SaveLocFile(name);
        else
            points::LoadLocFile(name);
        QCOMPARE(boxes.texts(), QStringList{message});
        QCOMPARE(boxes.boxes[0].title, common::kAppTitle);
        QCOMPARE(boxes.boxes[0].buttons, common::MsgButtons::Ok);
        QCOMPARE(boxes.boxes[0].icon, common::MsgIcon::None);
        QCOMPARE(values(points::g_LocData[0]), (QList<int>{kOld, kOld, kOld, kOld}));
    }

    // A file chosen by mistake is refused at once with its name, and the
    // table stays as it was.
    void strayFileChangesNothing_data()
    {
        QTest::addColumn<Table>("table");
        QTest::addColumn<QByteArray>("goodFile"); // its UTF-16 copy is the stray one
        QTest::addColumn<testsupport::Stray>("stray");
        QTest::addColumn<int>("number");
        using testsupport::Stray;
        for (const Table t : {Table::Loc, Table::Sft}) {
            const auto row = [t](const char* what, Stray s, int number) {
                QTest::addRow("%s, %s", t == Table::Loc ? "locations" : "shifts", what)
                    << t << fileOf(t, {}, points::desc(t).count) << s << number;
            };
            row("a FIFO", Stray::Fifo, common::err::BadFileMode);
            row("/dev/zero", Stray::DevZero, common::err::BadFileMode);
            row("a 2 GB sparse file", Stray::Sparse, common::err::BadFileMode);
            row("a UTF-16 file", Stray::Utf16, common::err::BadFileMode);
            row("a folder", Stray::Folder, common::err::PathFileAccess);
        }
    }
    void strayFileChangesNothing()
    {
        QFETCH(Table, table);
        QFETCH(QByteArray, goodFile);
        QFETCH(testsupport::Stray, stray);
        QFETCH(int, number);
        testsupport::StrayFiles strays(goodFile);
        QVERIFY(strays.ready());
        fillTable(table, kOld);
        testsupport::MessageRecorder boxes;
        QElapsedTimer clock;
        clock.start();
        if (table == Table::Loc)
            points::LoadLocFile(strays.path(stray));
        else
            points::LoadSftFile(strays.path(stray));
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(boxes.texts(), QStringList{common::RtError::of(number).text() + strays.path(stray)});
        for (const LocPoint& p : points::entries(table))
            QCOMPARE(values(p), (QList<int>{kOld, kOld, kOld, kOld}));
        QVERIFY(!common::FileNumber::inUse(common::FileNumber::Reader));
    }

    void loadWhileAnotherReaderHoldsItsFile()
    {
        const QString file = path(QStringLiteral("held.dat"));
        writeFile(file, fileOf(Table::Sft, {}, 100));
        fillTable(Table::Sft, kOld);
        const common::FileNumber other(common::FileNumber::Reader);
        testsupport::MessageRecorder boxes;
        points::LoadSftFile(file);
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("File already open") + file});
        QCOMPARE(points::g_SftData[0].ax[0], kOld);
    }

    void successShowsNothingAndTouchesOnlyItsTable()
    {
        const QString file = path(QStringLiteral("ok.dat"));
        points::g_SftData[3].ax = {1, 2, 3, 4};
        testsupport::MessageRecorder boxes;
        points::SaveSftFile(file);
        fillTable(Table::Loc, kOld);
        points::g_SftData[3].ax = {};
        points::LoadSftFile(file);
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(values(points::g_SftData[3]), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(points::g_LocData[0].ax[0], kOld);
        QCOMPARE(points::g_SftData[100], LocPoint{}); // the entry no operation reaches
    }

    void failedSaveLeavesTheOldFile()
    {
        // A folder in place of the file: the save cannot replace it.
        const QString file = path(QStringLiteral("folder.dat"));
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.dat")));
        QVERIFY(points::writePointFile(Table::Loc, file).has_value());
        QVERIFY(QFileInfo(file).isDir());
    }

    // A location file of 30000 bytes saved again where it cannot be whole:
    // under a file size limit of 20000 the last of it fails only when the
    // write buffer is emptied at the end; on a full disk on the way. The
    // operator is told, and the old file stays byte for byte.
    void saveThatCannotCompleteKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("file size limit") << false;
        QTest::newRow("full disk") << true;
    }
    void saveThatCannotCompleteKeepsTheOldFile()
    {
        QFETCH(bool, fullDisk);
        testsupport::SmallDisk disk(48);
        if (fullDisk && !disk.ready())
            QSKIP(qPrintable(disk.reason()));
        const QString file = fullDisk ? disk.path(QStringLiteral("loc.dat")) : path(QStringLiteral("limit.dat"));
        for (LocPoint& p : points::g_LocData)
            p.ax = {1250, -300, 0, 5};
        QCOMPARE(points::writePointFile(Table::Loc, file), std::optional<QString>());
        const QByteArray old = readAll(file);
        QCOMPARE(old.size(), 30000);
        for (LocPoint& p : points::g_LocData)
            p.ax = {-1, -1, -1, -1};
        std::optional<QString> told;
        if (fullDisk) {
            QVERIFY(disk.fill());
            told = points::writePointFile(Table::Loc, file);
            QCOMPARE(disk.names(), QStringList{QStringLiteral("loc.dat")});
        } else {
            testsupport::FileSizeLimit limit(20000);
            QVERIFY(limit.ready());
            told = points::writePointFile(Table::Loc, file);
        }
        QVERIFY(told.has_value());
        // The lines are 32 bytes each: the first 512 fill the 16 KiB write
        // buffer, which the full disk refuses as P512 is written; the size
        // limit is only met at the end, with the file's name.
        QCOMPARE(*told, QStringLiteral("Disk full") + (fullDisk ? QStringLiteral("P512 = ") : file));
        QCOMPARE(readAll(file), old);
    }
};

QTEST_MAIN(TestPointFile)
#include "test_pointfile.moc"
