// Assembling a whole program file: records and their numbers (comments
// counted in HdrLines, lines cut at commas), the end mark and the header, the
// 256-step and 2000-record limits, the failures that end the assembly and
// what they leave, and the image bytes that go to the controller.

#include "programs/assembler.h"
#include "programs/prgimage.h"
#include "programs/programfiles.h"
#include "programs/tokens.h"

#include "common/filenumbers.h"
#include "common/rterror.h"
#include "support/seams.h"
#include "support/strayfiles.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace programs;
using testsupport::FailingDevice;

namespace {

constexpr StepWord kMve001 = 0x01100400;
constexpr StepWord kStop = 0x26000000;
constexpr std::int16_t kPrg = 7;

QString repeated(const QString& line, int n)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += line;
    return s;
}

// Marks what an assembly must leave alone.
void fillModuleWithMarks()
{
    g_PrgImage.fill(0x0BADF00D);
    g_PrgHdrUsed[kPrg] = 77;
    g_PrgHdrLines[kPrg] = 88;
    g_PrgWordCount = 99;
}

std::uint8_t checksum(const QByteArray& bytes)
{
    unsigned sum = 0;
    for (char b : bytes)
        sum += std::uint8_t(b);
    return std::uint8_t(0x100 - (sum & 0xFF));
}

} // namespace

class TestAsmFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    QString write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("prg%1.dat").arg(m_files++));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void init() { fillModuleWithMarks(); }

    // A completed assembly: its words, the header of its program number, and
    // the rest of the image cleared.
    void completedPrograms_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<quint32>>("steps");
        QTest::addColumn<int>("hdrUsed");
        QTest::addColumn<int>("hdrLines");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("[EOF] first") << QByteArray("[EOF]\r\n") << QList<quint32>{0x80000000} << 0 << 0
                                     << QStringList{};
        QTest::newRow("as the writer writes it")
            << QByteArray("000 MVE P001\r\n001 STOP\r\n002 [EOF]\r\n") << QList<quint32>{kMve001, kStop, 0x80000000}
            << 1 << 2 << QStringList{};
        QTest::newRow("a comment before it is counted")
            << QByteArray(";note\r\n000 MVE P001\r\n001 STOP\r\n002 [EOF]\r\n")
            << QList<quint32>{kMve001, kStop, 0x80000000} << 1 << 3 << QStringList{};
        QTest::newRow("three comments, two steps")
            << QByteArray(";a\n;b\n;c\nMVE P001\nSTOP\n[EOF]\n") << QList<quint32>{kMve001, kStop, 0x80000000} << 1 << 5
            << QStringList{};
        QTest::newRow("an indented comment is a comment too")
            << QByteArray("   ; note\r\nSTOP\r\n[EOF]") << QList<quint32>{kStop, 0x80000000} << 1 << 2 << QStringList{};
        QTest::newRow("lower case, lone LF, no final line end")
            << QByteArray("mve p001\nstop\n[eof]") << QList<quint32>{kMve001, kStop, 0x80000000} << 1 << 2
            << QStringList{};
        QTest::newRow("a comma cuts a line into two counted records")
            << QByteArray("MVE P001,STOP\r\n[EOF]\r\n") << QList<quint32>{kMve001, kStop, 0x80000000} << 1 << 2
            << QStringList{};
        QTest::newRow("a refused line shows its text and adds no word")
            << QByteArray("MVE P1001\r\nSTOP\r\n[EOF]\r\n") << QList<quint32>{kStop, 0x80000000} << 1 << 2
            << QStringList{QStringLiteral("LOC 번호 초과")};
        QTest::newRow("an empty step received earlier goes back as word 0")
            << QByteArray("000 MVE P001\r\n----------------\r\n002 [EOF]\r\n") << QList<quint32>{kMve001, 0, 0x80000000}
            << 1 << 2 << QStringList{};
        QTest::newRow("what follows [EOF] is not read")
            << QByteArray("[EOF]\r\nGARBAGE\r\n") + '\0' << QList<quint32>{0x80000000} << 0 << 0 << QStringList{};
    }
    void completedPrograms()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<quint32>, steps);
        QFETCH(int, hdrUsed);
        QFETCH(int, hdrLines);
        QFETCH(QStringList, boxes);
        testsupport::MessageRecorder rec;
        QVERIFY(AsmPrgFile(kPrg, write(file), 4));
        QCOMPARE(rec.texts(), boxes);
        QCOMPARE(g_PrgHdrUsed[kPrg], hdrUsed);
        QCOMPARE(g_PrgHdrLines[kPrg], hdrLines);
        QCOMPARE(int(g_PrgWordCount), int(steps.size()));
        for (int k = 0; k < 256; ++k)
            QCOMPARE(g_PrgImage[std::size_t(k)], k < steps.size() ? steps[k] : 0u);
        QCOMPARE(g_PrgImage[256], 0x0BADF00Du); // the slot past the image is not part of it
        QVERIFY(!common::FileNumber::inUse(common::FileNumber::Reader));
    }

    // Failures after the file was opened: the message, False, the words so
    // far kept, the header of the program untouched, the file closed.
    void failedAssemblies_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("box"); // "%1" stands for the file's name
        QTest::addColumn<QList<quint32>>("kept");
        QTest::newRow("a blank line") << QByteArray("MVE P001\r\n\r\n[EOF]\r\n")
                                      << QStringLiteral("해당 명령어가 없습니다") << QList<quint32>{kMve001};
        QTest::newRow("the second record of MA P001,P002")
            << QByteArray("MA P001,P002\r\n[EOF]\r\n") << QStringLiteral("해당 명령어가 없습니다")
            << QList<quint32>{0x03500400};
        QTest::newRow("no [EOF]: the end of the file")
            << repeated(QStringLiteral("STOP\r\n"), 10).toLatin1()
            << common::RtError::of(common::err::InputPastEndOfFile).text() + QStringLiteral("%1")
            << QList<quint32>(10, kStop);
        QTest::newRow("a value too large for its field ends the assembly")
            << QByteArray("MVE P001\r\nMVE P9999999\r\nSTOP\r\n[EOF]\r\n")
            << common::RtError::of(common::err::Overflow).text() + QStringLiteral("%1") << QList<quint32>{kMve001};
        QTest::newRow("2000 records without [EOF]") << repeated(QStringLiteral(";\r\n"), 2000).toLatin1()
                                                    << QStringLiteral(" [EOF] 이 없습니다.") << QList<quint32>{};
        QTest::newRow("a NUL byte: no text")
            << QByteArray("MVE P001\r\nSTOP") + '\0' + "\r\n[EOF]\r\n"
            << common::RtError::of(common::err::BadFileMode).text() + QStringLiteral("%1") << QList<quint32>{kMve001};
        QTest::newRow("256 steps and [EOF]")
            << (repeated(QStringLiteral("STOP\r\n"), 256) + QStringLiteral("[EOF]\r\n")).toLatin1()
            << QStringLiteral(" 스텝 수가 256 을 넘습니다.") << QList<quint32>(256, kStop);
    }
    void failedAssemblies()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, box);
        QFETCH(QList<quint32>, kept);
        testsupport::MessageRecorder rec;
        const QString path = write(file);
        QVERIFY(!AsmPrgFile(kPrg, path, 4));
        QCOMPARE(rec.texts(), QStringList{box.contains(u"%1") ? box.arg(path) : box});
        QCOMPARE(g_PrgHdrUsed[kPrg], 77);
        QCOMPARE(g_PrgHdrLines[kPrg], 88);
        QCOMPARE(int(g_PrgWordCount), int(kept.size()));
        for (int k = 0; k < 256; ++k)
            QCOMPARE(g_PrgImage[std::size_t(k)], k < kept.size() ? kept[k] : 0u);
        QVERIFY(!common::FileNumber::inUse(common::FileNumber::Reader));
    }

    void stepLimit()
    {
        testsupport::MessageRecorder rec;
        QVERIFY(AsmPrgFile(kPrg, write((repeated(QStringLiteral("STOP\r\n"), 255) + "[EOF]\r\n").toLatin1()), 4));
        QCOMPARE(g_PrgImage[254], kStop);
        QCOMPARE(g_PrgImage[255], 0x80000000u);
        QCOMPARE(g_PrgHdrLines[kPrg], 255);
        QVERIFY(rec.boxes.isEmpty());
    }

    // A file that cannot be opened changes nothing.
    void unopenedFileChangesNothing()
    {
        testsupport::MessageRecorder rec;
        const QString missing = m_dir.filePath(QStringLiteral("ZEVAZA31.dat"));
        QVERIFY(!AsmPrgFile(kPrg, missing, 4));
        QCOMPARE(rec.texts(), QStringList{common::RtError::of(common::err::FileNotFound).text() + missing});
        QCOMPARE(int(g_PrgWordCount), 99);
        QCOMPARE(g_PrgImage[0], 0x0BADF00Du);

        rec.clear();
        const QString path = write("[EOF]\r\n");
        {
            common::FileNumber held(common::FileNumber::Reader);
            QVERIFY(!AsmPrgFile(kPrg, path, 4));
        }
        QCOMPARE(rec.texts(), QStringList{common::RtError::of(common::err::FileAlreadyOpen).text() + path});
        QCOMPARE(g_PrgImage[0], 0x0BADF00Du);
        QCOMPARE(g_PrgHdrUsed[kPrg], 77);
    }

    // A file chosen by mistake ends the assembly at once with its refusal and
    // the file's name; the header stays, and nothing waits.
    void strayFileIsRefused_data() { testsupport::addStrayRows(); }
    void strayFileIsRefused()
    {
        QFETCH(testsupport::Stray, stray);
        QFETCH(int, number);
        testsupport::StrayFiles strays("000 STOP\r\n001 [EOF]\r\n");
        QVERIFY(strays.ready());
        testsupport::MessageRecorder rec;
        const QString path = strays.path(stray);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!AsmPrgFile(kPrg, path, 4));
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(rec.texts(), QStringList{common::RtError::of(number).text() + path});
        QCOMPARE(g_PrgHdrUsed[kPrg], 77);
        QCOMPARE(g_PrgHdrLines[kPrg], 88);
        // A file that opens has its image cleared; one refused at the open not.
        const bool opened = stray == testsupport::Stray::Sparse || stray == testsupport::Stray::Utf16;
        QCOMPARE(int(g_PrgWordCount), opened ? 0 : 99);
        QVERIFY(!common::FileNumber::inUse(common::FileNumber::Reader));
    }

    // SPD's bound is the axis count the caller passes.
    void axisCountBoundsSpd()
    {
        testsupport::MessageRecorder rec;
        const QString path = write("SPD 3 050\r\n[EOF]\r\n");
        QVERIFY(AsmPrgFile(kPrg, path, 2));
        QCOMPARE(rec.texts(), QStringList{QStringLiteral("AX_NUM_ERR")});
        QCOMPARE(g_PrgImage[0], 0x80000000u);
        rec.clear();
        QVERIFY(AsmPrgFile(kPrg, path, 4));
        QVERIFY(rec.boxes.isEmpty());
        QCOMPARE(g_PrgImage[0], 0x43100C32u);
    }

    // The last record's tokens stay in the module.
    void tokensOfLastRecordKept()
    {
        testsupport::MessageRecorder rec;
        QVERIFY(AsmPrgFile(kPrg, write("SM 01 02 03 04\r\n[EOF]\r\n"), 4));
        QCOMPARE(g_TokCmd, QStringLiteral("[EOF]"));
        QCOMPARE(g_PrgLine, QStringLiteral("[EOF]"));
        QVERIFY(g_TokOp1.isEmpty());
    }

    // The bytes of a small program as they go over the link, and their sum.
    void imageBytesAndChecksum()
    {
        testsupport::MessageRecorder rec;
        QVERIFY(AsmPrgFile(kPrg, write("; pick\r\nMVE P001\r\nSTOP\r\n[EOF]\r\n"), 4));
        const QByteArray bytes = packPrgImage(modulePrgImage(kPrg));
        QCOMPARE(bytes.size(), 1026);
        QCOMPARE(bytes.left(14).toHex(' '), QByteArray("01 03 00 04 10 01 00 00 00 26 00 00 00 80"));
        QCOMPARE(bytes.mid(14), QByteArray(1012, '\0'));
        QCOMPARE(int(checksum(bytes)), 0x41); // 256 - (1+3+4+16+1+38+128)
    }

    // The file is read record by record and no further than the last record
    // the assembly looks at ("[EOF]" or the 2000th record): at most one read
    // of the reader's size past it, however much stands behind.
    void readsNoFurtherThanItsLastRecord_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("[EOF] first") << QByteArray("[EOF]\r\n") << true << QStringList{};
        QTest::newRow("2000 records without [EOF]") << repeated(QStringLiteral(";\r\n"), 2000).toLatin1() << false
                                                    << QStringList{QStringLiteral(" [EOF] 이 없습니다.")};
    }
    void readsNoFurtherThanItsLastRecord()
    {
        QFETCH(QByteArray, head);
        QFETCH(bool, completed);
        QFETCH(QStringList, boxes);
        QByteArray bytes = head + repeated(QStringLiteral("STOP\r\n"), 200000).toLatin1();
        QBuffer in(&bytes);
        QVERIFY(in.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        testsupport::MessageRecorder rec;
        QCOMPARE(AsmPrgFile(kPrg, in, QStringLiteral("ZEVAZA07.dat"), 4), completed);
        QCOMPARE(rec.texts(), boxes);
        QVERIFY2(in.pos() <= head.size() + RecordReader::kReadChunk,
                 qPrintable(QStringLiteral("%1 of %2 bytes read").arg(in.pos()).arg(bytes.size())));
    }

    // A read that fails delivers nothing of the record it cuts: the assembly
    // ends False with the read error and the file's name, keeping the words
    // of the whole records before it, never a word or a message of the cut
    // one, and never a success from a cut "[EOF]" line.
    void readErrorMidRecord_data()
    {
        QTest::addColumn<int>("failAfter");
        QTest::addColumn<QList<quint32>>("kept");
        constexpr quint32 kMve100 = 0x01119000;
        QTest::newRow("at once") << 0 << QList<quint32>{};
        QTest::newRow("000 MV") << 6 << QList<quint32>{};
        QTest::newRow("000 MVE P1") << 10 << QList<quint32>{};
        QTest::newRow("000 MVE P100 and its CR") << 13 << QList<quint32>{};
        QTest::newRow("after the first line") << 14 << QList<quint32>{kMve100};
        QTest::newRow("STOP before its comma") << 18 << QList<quint32>{kMve100};
        QTest::newRow("after the comma") << 19 << QList<quint32>{kMve100, kStop};
        QTest::newRow("002 [EO") << 32 << QList<quint32>{kMve100, kStop, kStop};
        QTest::newRow("002 [EOF] without its line end") << 34 << QList<quint32>{kMve100, kStop, kStop};
        QTest::newRow("002 [EOF] and its CR") << 35 << QList<quint32>{kMve100, kStop, kStop};
    }
    void readErrorMidRecord()
    {
        QFETCH(int, failAfter);
        QFETCH(QList<quint32>, kept);
        const QByteArray file("000 MVE P100\r\nSTOP,STOP\r\n002 [EOF]\r\n");
        const QString name = QStringLiteral("ZEVAZA07.dat");
        FailingDevice in(file, failAfter);
        QVERIFY(in.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        testsupport::MessageRecorder rec;
        QVERIFY(!AsmPrgFile(kPrg, in, name, 4));
        QCOMPARE(rec.texts(), QStringList{common::RtError::of(common::err::DeviceIo).text() + name});
        QCOMPARE(g_PrgHdrUsed[kPrg], 77);
        QCOMPARE(g_PrgHdrLines[kPrg], 88);
        QCOMPARE(int(g_PrgWordCount), int(kept.size()));
        for (int k = 0; k < 256; ++k)
            QCOMPARE(g_PrgImage[std::size_t(k)], k < kept.size() ? kept[k] : 0u);

        // Failing only after the last line end, the same file completes.
        FailingDevice whole(file, file.size());
        QVERIFY(whole.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        rec.clear();
        QVERIFY(AsmPrgFile(kPrg, whole, name, 4));
        QVERIFY(rec.boxes.isEmpty());
        QCOMPARE(int(g_PrgWordCount), 4);
    }

    // Records as the file holds them: lines cut at commas, blanks in front
    // dropped, one byte per character; only the first 256 characters of a
    // record are kept (no rule looks past column 80).
    void recordsOfAFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("lines and commas") << QByteArray("a,b\r\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("a comma last on a line") << QByteArray("a,\r\n") << QStringList{"a", ""};
        QTest::newRow("a comma last in the file") << QByteArray("a,") << QStringList{"a", ""};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""};
        QTest::newRow("blanks and tabs in front") << QByteArray(" \t x ,  y\n") << QStringList{"x ", "y"};
        QTest::newRow("lone CR stays") << QByteArray("a\rb\nc\r") << QStringList{"a\rb", "c\r"};
        QTest::newRow("CR before a comma stays") << QByteArray("a\r,b\r\n") << QStringList{"a\r", "b"};
        QTest::newRow("bytes above 127") << QByteArray("\xB5\xFF\n") << QStringList{QString::fromLatin1("\xB5\xFF")};
        QTest::newRow("an overlong record keeps 256 characters")
            << QByteArray(300, 'x') + "\r\nSTOP" << QStringList{QString(256, u'x'), "STOP"};
        // The CR ends one read of the file, its LF begins the next.
        QByteArray crossing;
        QStringList crossingRecords;
        while (crossing.size() + 6 <= RecordReader::kReadChunk - 1) {
            crossing += "STOP\r\n";
            crossingRecords << "STOP";
        }
        const qsizetype pad = RecordReader::kReadChunk - 1 - crossing.size();
        crossing += QByteArray(pad, 'x') + "\r\nSTOP";
        crossingRecords << QString(pad, u'x') << "STOP";
        QTest::newRow("a CR LF across a read") << crossing << crossingRecords;
    }
    void recordsOfAFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, records);
        QCOMPARE(splitRecords(file), records);
    }

    // More than 255 records before [EOF]: the record number is kept, the
    // image carries 255.
    void longHeaderCarriedAs255()
    {
        testsupport::MessageRecorder rec;
        QVERIFY(AsmPrgFile(kPrg, write((repeated(QStringLiteral(";\r\n"), 300) + "[EOF]\r\n").toLatin1()), 4));
        QCOMPARE(g_PrgHdrLines[kPrg], 300);
        QCOMPARE(int(std::uint8_t(packPrgImage(modulePrgImage(kPrg))[1])), 255);
    }
};

QTEST_GUILESS_MAIN(TestAsmFile)
#include "test_asmfile.moc"
