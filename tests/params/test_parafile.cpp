// The parameter files: each set's file written line for line and read back,
// the reader's record and token rules, and what a load that fails leaves
// behind (the defaults, or for the axis set what was read; a file number
// already held is only closed).

#include "parahelp.h"

#include "params/parafile.h"

#include "common/filenumbers.h"
#include "support/savefaults.h"
#include "support/seams.h"
#include "support/strayfiles.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace paratest;
using params::ParaSet;

namespace {

// Values as "axis:field=value" and the file they give, line for line.
struct Sample {
    int set;
    int axisCount;
    const char* values;
    QStringList lines;
};

QList<Sample> samples()
{
    return {
        {Sys,
         4,
         "0:0=2 0:1=1 0:2=3 0:3=1 0:4=9 0:5=2 0:6=0 0:7=1 0:8=0 0:9=1 0:10=3 0:11=0 0:12=2 0:13=16777215 0:14=255 "
         "0:15=15 0:16=-5 0:17=77 0:18=10",
         {"AXES-------=  2 ", "SPIN-------=  1 ", "ARCH-------=  3 ", "UPAX-------=  1 ", "ZRAX-------=  9 ",
          "ZRIN-------=  2 ", "CSPD-------=  0 ", "JGIO-------=  1 ", "PSGF-------=  0 ", "ESGF-------=  1 ",
          "LOCK-------=  3 ", "BRKF-------=  0 ", "BRAX-------=  2 ", "PSIG-------=  16777215 ", "ESIG-------=  255 ",
          "ZRNO-------=  15 ", "BRON-------= -5 "}},
        {Gain,
         2,
         "0:0=100 1:0=100 0:1=2 1:1=2 0:4=3000 1:4=3000 2:5=32000 3:9=-1",
         {"Pos P GAin =  100   100   0   0 ", "Pos I GAin =  2   2   0   0 ", "Pos D GAin =  0   0   0   0 ",
          "Pos F GAin =  0   0   0   0 ", "Pos I Limit=  3000   3000   0   0 ", "Vel P GAin =  0   0   32000   0 ",
          "Vel I GAin =  0   0   0   0 ", "Vel D GAin =  0   0   0   0 ", "Vel F GAin =  0   0   0   0 ",
          "Vel I Limit=  0   0   0  -1 "}},
        {Axis,
         4,
         "1:0=2 0:5=1 1:5=1 2:5=1 3:5=1 0:8=1 1:8=1 2:8=1 3:8=1 3:10=1",
         {"MOTOR----- =  0   2   0   0 ", "LOOP------ =  0   0   0   0 ", "CONT------ =  0   0   0   0 ",
          "VOLT------ =  0   0   0   0 ", "STEP------ =  0   0   0   0 ", "CDIR------ =  1   1   1   1 ",
          "ZDIR------ =  0   0   0   0 ", "CORD------ =  0   0   0   0 ", "ENDIR----- =  1   1   1   1 ",
          "LMTCK----- =  0   0   0   0 ", "INPOS----- =  0   0   0   1 "}},
        {Sw,
         4,
         "0:0=1234.5 0:1=-100000 1:1=-100000 2:1=-100000 3:1=-100000 0:2=100000 1:2=100000 2:2=100000 3:2=100000 "
         "0:4=10000 1:4=10000 2:4=10000 3:4=10000 0:7=2048 1:7=0.5 2:7=2048 3:7=2048 0:16=1 1:16=1 2:16=-0.25 "
         "3:16=1 0:12=100 1:12=100 2:12=100 3:12=100",
         {"CR-------- =  1234.5   0   0   0 ", "LL-------- = -100000  -100000  -100000  -100000 ",
          "UL-------- =  100000   100000   100000   100000 ", "OFF------- =  0   0   0   0 ",
          "ERR------- =  10000   10000   10000   10000 ", "VEL------- =  0   0   0   0 ",
          "GEB------- =  0   0   0   0 ", "GEA------- =  2048   .5   2048   2048 ", "ACC------- =  0   0   0   0 ",
          "DCC------- =  0   0   0   0 ", "INP------- =  0   0   0   0 ", "PUL------- =  0   0   0   0 ",
          "C_VEL----- =  100   100   100   100 ", "F_VEL----- =  0   0   0   0 ", "Z_ACC----- =  0   0   0   0 ",
          "P_ACC----- =  0   0   0   0 ", "RATIO----- =  1   1  -.25   1 ", "JLOCK----- =  0   0   0   0 "}},
        {Lmt,
         4,
         "0:0=1 1:0=1 2:0=1 3:0=1 0:1=1 1:1=1 2:1=1 3:1=1 0:2=1 1:2=1 2:2=1 3:2=1 0:3=1 1:3=1 2:3=1 3:3=1 2:5=1",
         {"POSITIVE-- =  1   1   1   1 ", "NEGITIVE-- =  1   1   1   1 ", "HOME------ =  1   1   1   1 ",
          "SV_ERR---- =  1   1   1   1 ", "SV_RESET-- =  0   0   0   0 ", "SV_ON----- =  0   0   1   0 "}},
    };
}

void setValues(const ParaSet& set, const QString& values)
{
    for (const QString& item : values.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList af = item.section(u'=', 0, 0).split(u':');
        set.setValue(af[0].toInt(), af[1].toInt(), item.section(u'=', 1).toDouble());
    }
}

QByteArray crlf(const QStringList& lines)
{
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

} // namespace

class TestParaFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        params::InitParaNames();
    }
    void init() { freshStart(); }

    void labelsAreThirteenCharacters()
    {
        for (int i = Sys; i <= Lmt; ++i) {
            const ParaSet& set = setOf(i);
            for (int f = 0; f < set.fields; ++f) {
                const QString label = set.label(f);
                QCOMPARE(label.size(), 13);
                QCOMPARE(label[11], u'=');
                QCOMPARE(label[12], u' ');
            }
        }
    }

    void printedNumbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("printed");
        QTest::newRow("2") << 2.0 << " 2 ";
        QTest::newRow("negative") << -100000.0 << "-100000 ";
        QTest::newRow("zero") << 0.0 << " 0 ";
        QTest::newRow("fraction") << 1234.5 << " 1234.5 ";
        QTest::newRow("no zero before the point") << 0.5 << " .5 ";
        QTest::newRow("negative fraction") << -0.25 << "-.25 ";
        QTest::newRow("fifteen significant digits") << 114.99999999999999 << " 115 ";
        QTest::newRow("largest whole number") << 2147483647.0 << " 2147483647 ";
    }
    void printedNumbers()
    {
        QFETCH(double, value);
        QFETCH(QString, printed);
        QCOMPARE(params::printParaNumber(value), printed);
    }

    // Each set's file exactly as written, and the same values read back.
    void sampleFileWrittenAndReadBack_data()
    {
        QTest::addColumn<int>("sample");
        const char* names[] = {"system", "gain", "axis", "S/W", "limit"};
        for (int i = 0; i < samples().size(); ++i)
            QTest::newRow(names[i]) << i;
    }
    void sampleFileWrittenAndReadBack()
    {
        QFETCH(int, sample);
        const Sample s = samples()[sample];
        const ParaSet& set = setOf(s.set);
        params::ParaForm& w = windowOf(s.set);
        testsupport::MessageRecorder boxes;
        freshStart(0, s.axisCount);
        w.Load();
        fillSet(set, 0); // whatever the opening put in place
        setValues(set, QString::fromLatin1(s.values));
        const QString file = path(QStringLiteral("sample%1.dat").arg(sample));
        w.fileNameBox()->setText(file);
        w.saveParaFile();
        QCOMPARE(QString::fromLatin1(testsupport::readAll(file)), QString::fromLatin1(crlf(s.lines)));

        fillSet(set, 7);
        w.loadParaFile();
        if (s.set == Sys) {
            // BROF and MSPD are not in the file: the load leaves them.
            QCOMPARE(set.value(0, params::sys::BROF), 7.0);
            QCOMPARE(set.value(0, params::sys::MSPD), 7.0);
            setValues(set, QStringLiteral("0:17=77 0:18=10"));
        }
        QCOMPARE(mismatches(set, QString::fromLatin1(s.values)), QString());
        QVERIFY(boxes.boxes.isEmpty());
    }

    void axisRecordTokens_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("tokens");
        QTest::newRow("as written") << " Pos P GAin =  100   100   0   0 " << QStringList{"100", "100", "0", "0"};
        QTest::newRow("single blanks, no trailing blank")
            << "LL-------- = -5 -6 -7 -8" << QStringList{"-5", "-6", "-7", "-8"};
        QTest::newRow("a fifth value joins the fourth") << "PUL------- = 1 2 3 4 5" << QStringList{"1", "2", "3", "45"};
        QTest::newRow("tabs separate") << "X =\t1\t2\t3\t4" << QStringList{"1", "2", "3", "4"};
        QTest::newRow("no = : from the first character") << "5 6 7 8" << QStringList{"5", "6", "7", "8"};
        QTest::newRow("only the first = counts") << "A = 1 = 2 3 4" << QStringList{"1", "=", "2", "34"};
        QTest::newRow("three values: the fourth is empty") << "A = 1 2 3" << QStringList{"1", "2", "3", ""};
    }
    void axisRecordTokens()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, tokens);
        const auto t = params::axisTokens(record);
        QCOMPARE((QStringList{t[0], t[1], t[2], t[3]}), tokens);
    }

    void systemRecordToken_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("token");
        QTest::newRow("as written") << "AXES-------=  2 "
                                    << "2";
        QTest::newRow("blanks inside are dropped") << "AXES-------= 1 2"
                                                   << "12";
        QTest::newRow("21 characters after = at most") << "X=                    12345"
                                                       << "1";
        QTest::newRow("no =") << "  5"
                              << "5";
    }
    void systemRecordToken()
    {
        QFETCH(QString, record);
        QFETCH(QString, token);
        QCOMPARE(params::systemToken(record), token);
    }

    void tokenValues_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("real");
        QTest::addColumn<QString>("value"); // "" = a failure
        QTest::newRow("2.5 rounds to even") << "2.5" << false << "2";
        QTest::newRow("3.5 rounds to even") << "3.5" << false << "4";
        QTest::newRow("exponent") << "1e3" << false << "1000";
        QTest::newRow("letters fail") << "abc" << false << "";
        QTest::newRow("empty fails") << "" << false << "";
        QTest::newRow("past 32 bits fails") << "3000000000" << false << "";
        QTest::newRow("S/W keeps the fraction") << ".5" << true << "0.5";
        QTest::newRow("S/W 2.5") << "2.5" << true << "2.5";
        QTest::newRow("S/W letters fail") << "x1" << true << "";
    }
    void tokenValues()
    {
        QFETCH(QString, token);
        QFETCH(bool, real);
        QFETCH(QString, value);
        const auto v = params::tokenValue(token, real ? params::ValueKind::Real : params::ValueKind::Whole32);
        QCOMPARE(v ? QString::number(*v) : QString(), value);
    }

    // What a load leaves: "before" every value is 7; the file is given as
    // its content (or missing); `holdReader` keeps file number 1 held.
    void loadFailurePolicy_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("axisCount");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("holdReader");
        QTest::addColumn<QString>("after");
        const QByteArray none; // no file
        QTest::newRow("system, no file: defaults")
            << int(Sys) << 3 << none << false << "0:0=1 0:1=0 0:2=1 0:3=1 0:4=1 0:6=1 0:13=0 0:17=0 0:18=10";
        QTest::newRow("system, 16 lines: defaults")
            << int(Sys) << 4 << QByteArray("A= 1\r\n").repeated(16) << false << "0:0=2 0:1=0 0:18=10";
        QTest::newRow("system, comma record feeds the next field")
            << int(Sys) << 4 << QByteArray("A= 1\r\n").repeated(15) + "ZRNO-------=  1,5\r\nBRON-------=  3\r\n"
            << false << "0:0=1 0:14=1 0:15=1 0:16=5 0:17=7 0:18=7";
        QTest::newRow("system, a bad token: defaults")
            << int(Sys) << 2 << QByteArray("A= x\r\n").repeated(17) << false << "0:0=0 0:2=1 0:18=10";
        QTest::newRow("system, number 1 held: only closed") << int(Sys) << 4 << none << true << "0:0=7 0:18=7";
        QTest::newRow("gain, no file: defaults below the axis count")
            << int(Gain) << 3 << none << false << "0:0=100 2:0=100 3:0=0 2:1=2 3:1=0 1:4=3000 3:4=0 0:9=0";
        QTest::newRow("gain, 9 lines: defaults")
            << int(Gain) << 2 << QByteArray("G = 1 1 1 1\r\n").repeated(9) << false << "0:0=100 2:0=0 1:4=3000";
        QTest::newRow("gain, extra lines ignored, 2.5 gives 2")
            << int(Gain) << 2 << QByteArray("G = 2.5 1 1 1\r\n").repeated(12) << false << "0:0=2 3:9=1";
        QTest::newRow("gain, number 1 held: only closed") << int(Gain) << 2 << none << true << "0:0=7 3:9=7";
        QTest::newRow("axis, no file: keeps everything") << int(Axis) << 4 << none << false << "0:0=7 3:10=7";
        QTest::newRow("axis, a bad VOLT value keeps what was read")
            << int(Axis) << 4
            << QByteArray("M = 1 1 1 1\r\nL = 0 0 0 0\r\nC = 1 0 1 0\r\nV = 1 0 x 1\r\n") +
                   QByteArray("S = 1 1 1 1\r\n").repeated(7)
            << false << "0:0=1 3:0=1 0:1=0 2:2=1 3:2=0 0:3=1 1:3=0 2:3=7 3:3=7 0:4=7";
        QTest::newRow("axis, 10 lines: INPOS stays")
            << int(Axis) << 4 << QByteArray("A = 1 0 1 0\r\n").repeated(10) << false << "0:9=1 1:9=0 0:10=7 3:10=7";
        QTest::newRow("S/W, 17 lines: defaults") << int(Sw) << 2 << QByteArray("S = 1 1 1 1\r\n").repeated(17) << false
                                                 << "0:1=-100000 3:1=-100000 3:2=100000 0:7=2048 3:17=0 2:16=1";
        QTest::newRow("S/W, a line of three values: defaults")
            << int(Sw) << 4 << QByteArray("S = 1 1 1\r\n").repeated(18) << false << "0:0=0 0:5=300000 3:6=2000";
        QTest::newRow("S/W, fractions kept") << int(Sw) << 4 << QByteArray("S = .5 2.5 -1 1e2\r\n").repeated(18)
                                             << false << "0:0=0.5 1:0=2.5 2:17=-1 3:17=100";
        QTest::newRow("limit, five lines: defaults, the five read included")
            << int(Lmt) << 4 << QByteArray("L = 0 0 0 0\r\n").repeated(5) << false << "0:0=1 3:3=1 0:4=0 3:5=0";
        QTest::newRow("limit, labels are not compared")
            << int(Lmt) << 4 << QByteArray("WRONG = 0 1 0 1\r\n").repeated(6) << false << "0:0=0 1:0=1 3:5=1";
        QTest::newRow("limit, number 1 held: only closed") << int(Lmt) << 4 << none << true << "0:0=7 3:5=7";
    }
    void loadFailurePolicy()
    {
        QFETCH(int, set);
        QFETCH(int, axisCount);
        QFETCH(QByteArray, content);
        QFETCH(bool, holdReader);
        QFETCH(QString, after);
        testsupport::MessageRecorder boxes;
        params::ParaForm& w = windowOf(set);
        freshStart(0, axisCount);
        w.Load();
        const ParaSet& s = setOf(set);
        fillSet(s, 7);
        const QString file = path(QStringLiteral("load.dat"));
        QFile::remove(file);
        if (!content.isNull())
            testsupport::writeFile(file, content);
        w.fileNameBox()->setText(file);
        std::optional<common::FileNumber> held;
        if (holdReader)
            held.emplace(common::FileNumber::Reader);
        w.loadParaFile();
        QCOMPARE(mismatches(s, after), QString());
        QVERIFY(!common::FileNumber::inUse(common::FileNumber::Reader));
        QVERIFY(boxes.boxes.isEmpty());
    }

    // A file chosen by mistake, typed into the file-name box and Enter: the load fails
    // at once and silently, the set takes its defaults (the axis set keeps
    // its values), and nothing of the file is taken. So does a good file
    // with a NUL byte at the end of its last field line.
    void strayFileGivesTheDefaults_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("after");
        QTest::addColumn<testsupport::Stray>("stray");
        QTest::addColumn<bool>("nulLast"); // instead: the good file with a NUL in its last field line
        using testsupport::Stray;
        const QString sysDefaults = QStringLiteral("0:0=1 0:1=0 0:2=1 0:3=1 0:4=1 0:6=1 0:13=0 0:17=0 0:18=10");
        const QString axisKept = QStringLiteral("0:0=7 3:0=7 0:5=7 3:10=7");
        for (const auto& [set, after] : {std::pair{int(Sys), sysDefaults}, {int(Axis), axisKept}}) {
            const char* name = set == Sys ? "system" : "axis";
            QTest::addRow("%s, a FIFO", name) << set << after << Stray::Fifo << false;
            QTest::addRow("%s, /dev/zero", name) << set << after << Stray::DevZero << false;
            QTest::addRow("%s, a 2 GB sparse file", name) << set << after << Stray::Sparse << false;
            QTest::addRow("%s, a UTF-16 file", name) << set << after << Stray::Utf16 << false;
            QTest::addRow("%s, a folder", name) << set << after << Stray::Folder << false;
            QTest::addRow("%s, a NUL in the last field line", name) << set << after << Stray::Fifo << true;
        }
    }
    void strayFileGivesTheDefaults()
    {
        QFETCH(int, set);
        QFETCH(QString, after);
        QFETCH(testsupport::Stray, stray);
        QFETCH(bool, nulLast);
        const ParaSet& s = setOf(set);
        const QByteArray good = QByteArray(set == Sys ? "A= 1\r\n" : "A = 1 0 1 0\r\n").repeated(s.fileLines);
        testsupport::StrayFiles strays(good);
        QVERIFY(strays.ready());
        QString file = strays.path(stray);
        if (nulLast) {
            file = path(QStringLiteral("nul.dat"));
            // Past the characters a token's scan looks at: read, it would load.
            testsupport::writeFile(file, good.chopped(2) + QByteArray(30, ' ') + '\0' + "\r\n");
        }
        testsupport::MessageRecorder boxes;
        params::ParaForm& w = windowOf(set);
        freshStart(0, 3);
        w.Load();
        fillSet(s, 7);
        QElapsedTimer clock;
        clock.start();
        w.fileNameBox()->setText(file);
        QTest::keyClick(w.fileNameBox(), Qt::Key_Return);
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(mismatches(s, after), QString());
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(!common::FileNumber::inUse(common::FileNumber::Reader));
    }

    // A save whose last bytes cannot be written (the file size limit, a full
    // disk) says so with the file name and leaves the old file byte for byte.
    void saveThatCannotCompleteKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<bool>("fullDisk");
        for (int set = Sys; set <= Lmt; ++set) {
            QTest::addRow("set %d, file size limit", set) << set << false;
            QTest::addRow("set %d, full disk", set) << set << true;
        }
    }
    void saveThatCannotCompleteKeepsTheOldFile()
    {
        QFETCH(int, set);
        QFETCH(bool, fullDisk);
        testsupport::SmallDisk disk(16);
        if (fullDisk && !disk.ready())
            QSKIP(qPrintable(disk.reason()));
        freshStart(0, 4);
        params::ParaForm& w = windowOf(set);
        w.Load();
        const QString file = fullDisk ? disk.path(QStringLiteral("para.dat")) : path(QStringLiteral("limit.dat"));
        fillSet(setOf(set), 12345);
        w.fileNameBox()->setText(file);
        testsupport::MessageRecorder boxes;
        w.saveParaFile();
        QVERIFY(boxes.boxes.isEmpty());
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray old = f.readAll();
        f.close();
        QVERIFY(old.size() > 100);
        fillSet(setOf(set), 1);
        if (fullDisk) {
            QVERIFY(disk.fill());
            w.saveParaFile();
        } else {
            testsupport::FileSizeLimit limit(64);
            QVERIFY(limit.ready());
            w.saveParaFile();
        }
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Disk full") + file});
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), old);
    }

    void failedSaveSaysWhyWithTheFileName()
    {
        testsupport::MessageRecorder boxes;
        params::frmLmt& w = params::frmLmt::instance();
        w.Load();
        const QString missingFolder = path(QStringLiteral("no/such/folder/ZELLMT.dat"));
        w.txtLmtParaFileName->setText(missingFolder);
        w.saveParaFile();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Path not found") + missingFolder});
        QVERIFY(!QFile::exists(missingFolder));
    }
};

QTEST_MAIN(TestParaFile)
#include "test_parafile.moc"
