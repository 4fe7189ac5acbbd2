// The pendant's own reading and writing of point and program files: text in,
// text out, nothing converted.

#include "common/filedialog.h"
#include "pendant/tpfiles.h"
#include "support/strayfiles.h"
#include "support/testfiles.h"

#include <QRegularExpression>
#include <QtTest>

using namespace pendant;

namespace {
QByteArray lines(int n, const QByteArray& line, const QByteArray& end = "\r\n")
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += line + end;
    return out;
}
} // namespace

class TestTpFiles : public QObject {
    Q_OBJECT
private slots:
    void splitsPointLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("fixedColumn");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("written line") << "P012 = 12.50 -3.00 0.00 0.05" << 8
                                      << QStringList{"12.50", "-3.00", "0.00", "0.05"};
        QTest::newRow("two values, two empty") << "P001 = 1 2" << 8 << QStringList{"1", "2", "", ""};
        QTest::newRow("no blanks round =: values start after it")
            << "P001=1 2 3 4" << 8 << QStringList{"1", "2", "3", "4"};
        QTest::newRow("tabs and runs of blanks")
            << "S07 =\t0.00  1.25\t\t-0.50 0.00" << 7 << QStringList{"0.00", "1.25", "-0.50", "0.00"};
        QTest::newRow("a fifth value is ignored") << "P001 = 1 2 3 4 5" << 8 << QStringList{"1", "2", "3", "4"};
        QTest::newRow("25 blanks before the values")
            << "P001 =" + QString(25, u' ') + "1 2 3 4" << 8 << QStringList{"1", "2", "3", "4"};
        QTest::newRow("text kept as text")
            << "P001 = 0.125 x 12abc 1e2" << 8 << QStringList{"0.125", "x", "12abc", "1e2"};
        QTest::newRow("no =: the fixed column of a location")
            << "P001 1.5 2 3 4" << 8 << QStringList{"5", "2", "3", "4"};
        QTest::newRow("no =: the fixed column of a shift") << "S01 1.5 2 3 4" << 7 << QStringList{"5", "2", "3", "4"};
        QTest::newRow("no = and shorter than the column") << "P1" << 8 << QStringList{"", "", "", ""};
        QTest::newRow("empty line") << "" << 8 << QStringList{"", "", "", ""};
    }
    void splitsPointLines()
    {
        QFETCH(QString, line);
        QFETCH(int, fixedColumn);
        QFETCH(QStringList, values);
        const PointCells got = splitPointValues(line, fixedColumn);
        QCOMPARE(QStringList(got.begin(), got.end()), values);
    }

    void pointFileNeedsItsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("sft");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<QString>("lastValue"); // value 1 of the last entry
        QTest::newRow("1000 lines") << lines(1000, "P000 = 7 0 0 0") << false << true << "7";
        QTest::newRow("1000 lines, no end on the last")
            << lines(1000, "P000 = 7 0 0 0").chopped(2) << false << true << "7";
        QTest::newRow("999 lines: an empty 1000th") << lines(999, "P000 = 7 0 0 0") << false << true << "";
        QTest::newRow("998 lines fail") << lines(998, "P000 = 7 0 0 0") << false << false << "";
        QTest::newRow("lone LF ends lines") << lines(1000, "P000 = 7 0 0 0", "\n") << false << true << "7";
        QTest::newRow("1001st line ignored") << lines(1000, "P000 = 7 0 0 0") + "P1000 = 9 9 9 9\r\n"
                                             << false << true << "7";
        QTest::newRow("empty file fails") << QByteArray() << false << false << "";
        QTest::newRow("100 shift lines") << lines(100, "S00 = 3 0 0 0") << true << true << "3";
        QTest::newRow("98 shift lines fail") << lines(98, "S00 = 3 0 0 0") << true << false << "";
    }
    void pointFileNeedsItsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, sft);
        QFETCH(bool, loads);
        QFETCH(QString, lastValue);
        const TpFileKind& kind = sft ? kSftFile : kLocFile;
        const auto cells = parsePointFile(bytes, kind);
        QCOMPARE(common::ok(cells), loads);
        if (!loads) {
            QCOMPARE(common::error(cells).number, common::err::InputPastEndOfFile);
            return;
        }
        QCOMPARE(common::value(cells).size(), kind.lines);
        QCOMPARE(common::value(cells).last()[0], lastValue);
    }

    void semicolonEndsAPointLine()
    {
        const QByteArray bytes = "P000 = 1 2 3 4 ; comment 9\r\nP001 = 5;6 7 8\r\n" + lines(998, "");
        const auto cells = parsePointFile(bytes, kLocFile);
        QVERIFY(common::ok(cells));
        const PointCells p0 = common::value(cells)[0];
        const PointCells p1 = common::value(cells)[1];
        QCOMPARE(QStringList(p0.begin(), p0.end()), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(QStringList(p1.begin(), p1.end()), (QStringList{"5", "", "", ""}));
    }

    void writesPointLines()
    {
        QList<PointCells> cells(3);
        cells[0] = {"12.50", "-3.00", "0.00", "0.05"};
        cells[1] = {"1", "", "x", "-1234.50"}; // text as it stands; empty as 0.00
        cells[2] = {"0.00", "0.00", "0.00", "0.00"};
        QCOMPARE(
            pointFileLines(cells, kLocFile),
            (QStringList{"P000 = 12.50 -3.00 0.00 0.05", "P001 = 1 0.00 x -1234.50", "P002 = 0.00 0.00 0.00 0.00"}));
        QCOMPARE(pointFileLines(cells, kSftFile).at(2), QStringLiteral("S02 = 0.00 0.00 0.00 0.00"));
    }

    void readsProgramFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("two lines") << QByteArray("000 MVE P001\r\n001 [EOF]\r\n") << QStringList{"MVE P001", "[EOF]"};
        QTest::newRow("lower-case end mark")
            << QByteArray("000 MVE P001\r\n001 [eof]\r\n") << QStringList{"MVE P001", "[eof]"};
        QTest::newRow("lines after the end mark dropped")
            << QByteArray("000 STOP\r\n001 [EOF]\r\n002 RET\r\n") << QStringList{"STOP", "[EOF]"};
        QTest::newRow("text after the end mark dropped") << QByteArray("000 [EOF] ; done\r\n") << QStringList{"[EOF]"};
        QTest::newRow("no end mark: one empty line") << QByteArray("000 MVE P001\r\n001 STOP\r\n") << QStringList{""};
        QTest::newRow("comment cut") << QByteArray("000 MVE P001 ; start\r\n001 [EOF]\r\n")
                                     << QStringList{"MVE P001 ", "[EOF]"};
        QTest::newRow("renumbered, 20 characters from column 5")
            << QByteArray("017 MVE P001 123456789012345\r\n5 x\r\n---\r\n002 [EOF]")
            << QStringList{"MVE P001 12345678901", "", "", "[EOF]"};
        QTest::newRow("lone LF ends lines")
            << QByteArray("000 MVE P001\n001 [EOF]\n") << QStringList{"MVE P001", "[EOF]"};
        QTest::newRow("empty file") << QByteArray() << QStringList{""};
        QTest::newRow("a line starting with the end mark comes after the last")
            << QByteArray("000 MVE P001\r\n[EOF]\r\n") << QStringList{"MVE P001"};
        QTest::newRow("the end mark past the 256 characters kept of its line")
            << "000 STOP ;" + QByteArray(300, ' ') + "[EOF]\r\n001 RET\r\n"
            << QStringList{"STOP "};
        QTest::newRow("a NUL byte after the end mark is not read")
            << QByteArray("000 [EOF]\r\n") + '\0' << QStringList{"[EOF]"};
        QTest::newRow("a UTF-8 mark counts as three characters") << QByteArray("\xEF\xBB\xBF"
                                                                               "000 STOP\r\n001 [EOF]")
                                                                 << QStringList{"00 STOP", "[EOF]"};
    }
    void readsProgramFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, commands);
        const auto read = parseProgramFile(bytes);
        QVERIFY(common::ok(read));
        QCOMPARE(common::value(read), commands);
    }

    // Past the 255 lines the grid takes, whether an "[EOF]" comes anywhere
    // still decides: without one the program is one empty line.
    void programOfMoreThan255LinesKeepsTheFirst255_data()
    {
        QTest::addColumn<QByteArray>("after"); // what follows 300 lines of 000 STOP
        QTest::addColumn<int>("count");
        QTest::newRow("[EOF] at the end") << QByteArray("300 [EOF]\r\n") << 255;
        QTest::newRow("[eof] far behind") << QByteArray(200000, ' ') + "[eof]" << 255;
        QTest::newRow("no [EOF]") << QByteArray("300 RET\r\n") << 1;
    }
    void programOfMoreThan255LinesKeepsTheFirst255()
    {
        QFETCH(QByteArray, after);
        QFETCH(int, count);
        const auto read = parseProgramFile(lines(300, "000 STOP") + after);
        QVERIFY(common::ok(read));
        const QStringList& commands = common::value(read);
        QCOMPARE(commands.size(), count);
        QCOMPARE(commands.first(), count == 1 ? QString() : QStringLiteral("STOP"));
        QVERIFY(!commands.contains(QStringLiteral("[EOF]")));
    }

    // What is no text is refused where a reader meets it, whatever mode:
    // a UTF-16 start, a NUL byte in what it reads.
    void noTextIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("program");
        QTest::addColumn<bool>("refused");
        const QByteArray points = lines(1000, "P000 = 7 0 0 0");
        QTest::newRow("points, UTF-16") << QByteArray("\xFF\xFE") + points << false << true;
        QTest::newRow("points, a NUL in the 1000th line") << points.chopped(3) + '\0' << false << true;
        QTest::newRow("points, a NUL after the 1000th line") << points + '\0' << false << false;
        QTest::newRow("program, UTF-16 big end first") << QByteArray("\xFE\xFF\0"
                                                                     "0")
                                                       << true << true;
        QTest::newRow("program, a NUL before the end mark") << QByteArray("000 STOP\r\n") + '\0' + "001 [EOF]\r\n"
                                                            << true << true;
        QTest::newRow("program, a NUL where no end mark comes") << lines(300, "000 STOP") + '\0' << true << true;
    }
    void noTextIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, program);
        QFETCH(bool, refused);
        const common::RtError none;
        const auto points = parsePointFile(bytes, kLocFile);
        const auto commands = parseProgramFile(bytes);
        const common::RtError& why = program ? (common::ok(commands) ? none : common::error(commands))
                                             : (common::ok(points) ? none : common::error(points));
        QCOMPARE(why.number, refused ? common::err::BadFileMode : 0);
    }

    // A failed read changes nothing: it is told as the device's error.
    void failedReadIsADeviceError()
    {
        testsupport::FailingDevice points(lines(1000, "P000 = 7 0 0 0"), 100);
        testsupport::FailingDevice program("000 STOP\r\n001 [EOF]\r\n", 12);
        QVERIFY(points.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        QVERIFY(program.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        QCOMPARE(common::error(parsePointFile(points, kLocFile)).number, common::err::DeviceIo);
        QCOMPARE(common::error(parseProgramFile(program)).number, common::err::DeviceIo);
    }

    // A file chosen by mistake: the box's text names it, at once.
    void strayFilesAreNamed_data() { testsupport::addStrayRows(); }
    void strayFilesAreNamed()
    {
        QFETCH(testsupport::Stray, stray);
        QFETCH(int, number);
        testsupport::StrayFiles strays(lines(1000, "P000 = 7 0 0 0"));
        QVERIFY(strays.ready());
        const QString path = strays.path(stray);
        const QString told = common::RtError::of(number).text() + path;
        QElapsedTimer clock;
        clock.start();
        const Opened<QList<PointCells>> points = openPointFile(path, kLocFile);
        const Opened<QStringList> program = openProgramFile(path);
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(std::get<QString>(points), told);
        QCOMPARE(std::get<QString>(program), told);
    }

    // Other failures show the system's text alone, as before.
    void otherFailuresAreNotNamed()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("none.dat"));
        const QString shortFile = dir.filePath(QStringLiteral("short.dat"));
        testsupport::writeFile(shortFile, lines(10, "P000 = 7 0 0 0"));
        QCOMPARE(std::get<QString>(openPointFile(missing, kLocFile)), QStringLiteral("File not found"));
        QCOMPARE(std::get<QString>(openProgramFile(missing)), QStringLiteral("File not found"));
        QCOMPARE(std::get<QString>(openPointFile(shortFile, kLocFile)), QStringLiteral("Input past end of file"));
    }

    void writesProgramLines_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("up to the end mark") << QStringList{"000", "001", "002"} << QStringList{"MVE P001", "[EOF]", "x"}
                                            << QStringList{"000 MVE P001", "001 [EOF]"};
        QTest::newRow("end mark compared exactly: every row")
            << QStringList{"000", "001"} << QStringList{"MVE P001", "[eof]"}
            << QStringList{"000 MVE P001", "001 [eof]"};
        QTest::newRow("empty line") << QStringList{"000"} << QStringList{""} << QStringList{"000 "};
    }
    void writesProgramLines()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, commands);
        QFETCH(QStringList, lines);
        QCOMPARE(programFileLines(steps, commands), lines);
    }

    void programLinesStopAt255()
    {
        const QStringList steps(300, QStringLiteral("000"));
        const QStringList commands(300, QStringLiteral("STOP"));
        QCOMPARE(programFileLines(steps, commands).size(), 255);
    }

    void filtersAlsoOfferOtherLetterCases_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("name");
        QTest::newRow("LOC upper") << QString::fromUtf8(kLocFile.filter) << "ZELLOC.DAT";
        QTest::newRow("LOC as the point window names it") << QString::fromUtf8(kLocFile.filter) << "ZELLOC.dat";
        QTest::newRow("LOC lower") << QString::fromUtf8(kLocFile.filter) << "zelloc.dat";
        QTest::newRow("SFT") << QString::fromUtf8(kSftFile.filter) << "ZELSFT.dat";
        QTest::newRow("PRG") << QString::fromUtf8(kPrgFile.filter) << "ZEVAZA07.DAT";
    }
    void filtersAlsoOfferOtherLetterCases()
    {
        QFETCH(QString, filter);
        QFETCH(QString, name);
        const QString first = common::qtNameFilters(filter).first();
        const QString glob = first.section(u'(', 1).chopped(1);
        QVERIFY2(QRegularExpression(QRegularExpression::wildcardToRegularExpression(glob)).match(name).hasMatch(),
                 qPrintable(glob));
    }

    void pendantFileEndsWithAnEmptyLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ZELSFT.dat"));
        QVERIFY(!writeTpFile(path, {QStringLiteral("S00 = 0.00 0.00 0.00 0.00")}));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("S00 = 0.00 0.00 0.00 0.00\r\n\r\n"));
    }
};

QTEST_MAIN(TestTpFiles)
#include "test_tpfiles.moc"
