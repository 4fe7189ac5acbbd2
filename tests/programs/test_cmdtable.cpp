// The command-word table and its look-up, the opcodes of the groups, and the
// bytes of a program image.

#include "programs/cmdwords.h"
#include "programs/prgimage.h"

#include <QtTest>

using namespace programs;

class TestCmdTable : public QObject {
    Q_OBJECT
private slots:
    void lookUp_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("lower case is no word") << QStringLiteral("mve") << 73;
        QTest::newRow("trailing blank is no word") << QStringLiteral("MVE ") << 73;
        QTest::newRow("empty text") << QString() << 73;
        QTest::newRow("[EOF]") << QStringLiteral("[EOF]") << 72;
        QTest::newRow("$") << QStringLiteral("$") << 0;
        QTest::newRow("MVE") << QStringLiteral("MVE") << 1;
        QTest::newRow("IF") << QStringLiteral("IF") << 21;
        QTest::newRow("SA") << QStringLiteral("SA") << 39;
        QTest::newRow("VEL") << QStringLiteral("VEL") << 47;
        QTest::newRow("SET") << QStringLiteral("SET") << 58;
        QTest::newRow("LES") << QStringLiteral("LES") << 71;
    }
    void lookUp()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        QCOMPARE(cmdIndexOf(text), index);
    }

    void tableFilledAtStartUp()
    {
        InitCmdWords();
        QCOMPARE(g_CmdWord[0], QStringLiteral("$"));
        QCOMPARE(g_CmdWord[1], QStringLiteral("MVE"));
        QCOMPARE(g_CmdWord[69], QStringLiteral("OF"));
        QCOMPARE(g_CmdWord[72], QStringLiteral("[EOF]"));
        QVERIFY(g_CmdWord[73].isEmpty());
        for (int k = 0; k < 73; ++k)
            QCOMPARE(cmdIndexOf(g_CmdWord[std::size_t(k)]), k);
    }

    // Opcodes run without gaps inside a group; the gaps between belong to no word.
    void opcodes_data()
    {
        QTest::addColumn<int>("opcode");
        QTest::addColumn<QString>("word");
        const std::pair<int, const char*> rows[] = {
            {0x14, "VMN"}, {0x15, ""},    {0x20, ""},    {0x21, "IF"},    {0x29, "RETC"}, {0x2A, ""},
            {0x3A, "SA"},  {0x3B, ""},    {0x48, "VEL"}, {0x49, ""},      {0x5A, "MUF"},  {0x60, ""},
            {0x6C, "OF"},  {0x6E, "LES"}, {0x6F, ""},    {0x80, "[EOF]"},
        };
        for (const auto& [op, word] : rows)
            QTest::addRow("%02X", op) << op << QString::fromLatin1(word);
    }
    void opcodes()
    {
        QFETCH(int, opcode);
        QFETCH(QString, word);
        QString found;
        for (int k = 0; k < kCmdWordCount; ++k) {
            if (opcodeOf(k) == opcode)
                found = QString::fromLatin1(kCmdWords[std::size_t(k)].word.data(),
                                            qsizetype(kCmdWords[std::size_t(k)].word.size()));
        }
        QCOMPARE(found, word);
    }

    // The first three characters decide; the two-letter OR needs its blank.
    void operationWord_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("word");
        QTest::newRow("OR R05") << QStringLiteral("OR R05") << QStringLiteral("OR");
        QTest::newRow("OR *12 234h") << QStringLiteral("OR *12 234h") << QStringLiteral("OR");
        QTest::newRow("bare OR") << QStringLiteral("OR") << QString();
        QTest::newRow("ORG") << QStringLiteral("ORG R05") << QString();
        QTest::newRow("ADD R05 R07") << QStringLiteral("ADD R05 R07") << QStringLiteral("ADD");
        QTest::newRow("bare SET") << QStringLiteral("SET") << QStringLiteral("SET");
        QTest::newRow("MUL") << QStringLiteral("MUL R01 4095") << QStringLiteral("MUL");
        QTest::newRow("MUF is none") << QStringLiteral("MUF F03") << QString();
        QTest::newRow("lower case") << QStringLiteral("add R05") << QString();
        QTest::newRow("leading blank") << QStringLiteral(" OR R05") << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void operationWord()
    {
        QFETCH(QString, line);
        QFETCH(QString, word);
        QCOMPARE(operationWordOf(line), word);
    }

    void imageBytesLowByteFirst()
    {
        PrgImage image;
        image.hdrUsed = 1;
        image.hdrLines = 2;
        image.steps[0] = 0x01100400;
        image.steps[1] = 0x80000000;
        image.steps[255] = 0xFF000001; // a word above the end mark keeps its bits
        const QByteArray bytes = packPrgImage(image);
        QCOMPARE(bytes.size(), 1026);
        QCOMPARE(bytes.left(10).toHex(' '), QByteArray("01 02 00 04 10 01 00 00 00 80"));
        QCOMPARE(bytes.mid(10, 1012), QByteArray(1012, '\0'));
        QCOMPARE(bytes.right(4).toHex(' '), QByteArray("01 00 00 ff"));
        const PrgImage back = unpackPrgImage(bytes);
        QCOMPARE(back.hdrUsed, image.hdrUsed);
        QCOMPARE(back.hdrLines, image.hdrLines);
        QVERIFY(back.steps == image.steps);
    }

    // The header is one byte: a record number above 255 goes as 255.
    void headerLinesCappedAtOneByte()
    {
        g_PrgHdrUsed[4] = 1;
        g_PrgHdrLines[4] = 300;
        QCOMPARE(int(modulePrgImage(4).hdrLines), 255);
        g_PrgHdrLines[4] = 254;
        QCOMPARE(int(modulePrgImage(4).hdrLines), 254);
    }

    void receivedImageIntoModule()
    {
        PrgImage image;
        image.hdrUsed = 1;
        image.hdrLines = 9;
        image.steps[0] = 0x26000000;
        image.steps[1] = 0x80000000;
        setModulePrgImage(3, image);
        QCOMPARE(g_PrgHdrUsed[3], 1);
        QCOMPARE(g_PrgHdrLines[3], 9);
        QCOMPARE(g_PrgImage[0], 0x26000000u);
        QCOMPARE(g_PrgImage[1], 0x80000000u);
        QCOMPARE(g_PrgImage[2], 0u);
    }
};

QTEST_GUILESS_MAIN(TestCmdTable)
#include "test_cmdtable.moc"
