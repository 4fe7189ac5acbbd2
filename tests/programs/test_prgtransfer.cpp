// Programs to and from the controller emulator: the bytes on the wire of a
// receive and a send, the files and images they leave, what every failing
// step shows and whether a run over all 32 programs goes on or stops, and
// the two progress bars.

#include "programs/assembler.h"
#include "programs/folders.h"
#include "programs/prgimage.h"
#include "programs/prgtransfer.h"
#include "programs/programfiles.h"

#include "common/rterror.h"
#include "link/controlbytes.h"
#include "link/moddef.h"
#include "link/serialportcontrol.h"
#include "support/emulink.h"
#include "support/operatortexts.h"
#include "support/strayfiles.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <optional>

using namespace programs;
using testsupport::EmulatorLink;

namespace {

using testsupport::hex;
using testsupport::readAll;
using testsupport::writeFile;
using testsupport::texts::kLinkError0;
using testsupport::texts::kNotConnected;

constexpr StepWord kMve001 = 0x01100400;
constexpr StepWord kDly100 = 0x23000064;

quint64 pcBytesWritten()
{
    return comm::SerialPortControl::MSComm1().bytesWritten();
}

// The window as the procedures see it: what they set, and how many bytes the
// PC had written at each move of a bar.
struct RecordingView : PrgTransferView {
    QString recvFile;
    QString transFile;
    QList<int> recvNumbers;
    QList<int> transNumbers;
    QList<int> recvBar;
    QList<int> transBar;
    QList<quint64> recvBarAtByte;
    QList<quint64> transBarAtByte;
    std::function<void(int)> beforeProgram; // told each program number of a run

    void showRecvNumber(int n) override
    {
        recvNumbers << n;
        if (beforeProgram)
            beforeProgram(n);
    }
    void showTransNumber(int n) override
    {
        transNumbers << n;
        if (beforeProgram)
            beforeProgram(n);
    }
    QString recvFileBox() const override { return recvFile; }
    QString transFileBox() const override { return transFile; }
    void setRecvBar(int v) override
    {
        recvBar << v;
        recvBarAtByte << pcBytesWritten();
    }
    void setTransBar(int v) override
    {
        transBar << v;
        transBarAtByte << pcBytesWritten();
    }
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

std::uint8_t checksumOf(const QByteArray& data)
{
    unsigned sum = 0;
    for (char b : data)
        sum += std::uint8_t(b);
    return std::uint8_t((0x100 - (sum & 0xFF)) & 0xFF);
}

QByteArray imageBytes(std::initializer_list<StepWord> steps, int hdrUsed, int hdrLines)
{
    PrgImage image;
    image.hdrUsed = std::uint8_t(hdrUsed);
    image.hdrLines = std::uint8_t(hdrLines);
    std::copy(steps.begin(), steps.end(), image.steps.begin());
    return packPrgImage(image);
}

void putProgram(EmulatorLink& link, int n, const QByteArray& image)
{
    std::copy(image.begin(), image.end(), reinterpret_cast<char*>(link.state().programs[std::size_t(n)].data()));
}

QByteArray controllerProgram(EmulatorLink& link, int n)
{
    const auto& p = link.state().programs[std::size_t(n)];
    return QByteArray(reinterpret_cast<const char*>(p.data()), int(p.size()));
}

QList<int> upTo255ThenZero()
{
    QList<int> l;
    for (int i = 0; i < 256; ++i)
        l << i;
    l << 0;
    return l;
}

// Switches one fault of the emulator on or off by its name.
void setFault(EmulatorLink& link, const QString& name, bool on)
{
    emu::Faults& f = link.faults();
    if (name == u"wrongEcho")
        f.wrongEcho = on;
    else if (name == u"silentAfterSoh")
        f.silentAfterSoh = on;
    else if (name == u"refuseWord")
        f.refuseWord = on;
    else if (name == u"badTrailer")
        f.badTrailer = on;
    else if (name == u"badChecksum")
        f.badChecksum = on;
    else if (name == u"refuseBlock")
        f.refuseBlock = on;
}

// DLY n, then [EOF]: a program each run can tell apart.
QByteArray numberedImage(int n)
{
    return imageBytes({0x23000000u + StepWord(n), kEofWord}, 1, 1);
}

QByteArray numberedFileText(int n)
{
    return QStringLiteral("000 DLY %1\r\n001 [EOF]\r\n").arg(n, 6, 10, QChar(u'0')).toLatin1();
}

} // namespace

class TestPrgTransfer : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        save_directory = m_dir.path();
        open_directory = m_dir.path();
        g_RecvFileNo = 0;
        g_TransFileNo = 0;
        g_PrgImage.fill(0);
        g_PrgHdrLines.fill(-1);
    }

    // Program 3 received into the file named in the receive box: the exact
    // exchange, the file's lines, the header entries and the bar, which runs
    // only after the PC has answered the block.
    void receiveOneProgram_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("hdrUsed");
        QTest::addColumn<int>("hdrLines");
        QTest::newRow("a small program") << imageBytes({kMve001, kDly100, 0, kEofWord, 0x26000000}, 1, 5)
                                         << QByteArray(
                                                "000 MVE P001\r\n001 DLY 000100\r\n----------------\r\n003 [EOF]\r\n")
                                         << 1 << 5;
        QByteArray allSet(1026, char(0xFF)); // sums far past 32767: taken modulo 256
        QByteArray lines;
        for (int i = 0; i < 256; ++i)
            lines += "----------------\r\n";
        QTest::newRow("every byte FF: no end word, 256 lines") << allSet << lines << 255 << 255;
        QTest::newRow("end mark first") << imageBytes({kEofWord}, 0, 0) << QByteArray("000 [EOF]\r\n") << 0 << 0;
    }
    void receiveOneProgram()
    {
        QFETCH(QByteArray, image);
        QFETCH(QByteArray, file);
        QFETCH(int, hdrUsed);
        QFETCH(int, hdrLines);
        EmulatorLink link(4);
        QVERIFY(link.ok());
        putProgram(link, 3, image);
        RecordingView view;
        view.recvFile = m_dir.filePath(QStringLiteral("mine.dat"));
        g_RecvFileNo = 3;
        const quint64 start = pcBytesWritten();
        RecvPrgFile(0, &view);

        const QString expected =
            QStringLiteral("PC 01; controller 00; PC 01; controller 01; PC 03 00 02; controller 16 ") +
            hex(image + bytes({checksumOf(image), 0x03})) + QStringLiteral("; PC 04");
        QTRY_COMPARE(link.trace(), expected);
        QCOMPARE(readAll(view.recvFile), file);
        QCOMPARE(g_PrgHdrUsed[3], hdrUsed);
        QCOMPARE(g_PrgHdrLines[3], hdrLines);
        QCOMPARE(g_PrgImage[0], unpackPrgImage(image).steps[0]);
        QCOMPARE(view.recvBar, upTo255ThenZero());
        QCOMPARE(view.recvBarAtByte.first() - start, quint64(6)); // the answer 04 went before the bar moved
        QVERIFY(view.transBar.isEmpty());
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    // A controller fresh from the factory holds a short program 0 that ends
    // in [EOF], which the assembler takes back to the same image.
    void factoryControllerHoldsProgramZero()
    {
        EmulatorLink link(4, emu::Contents::Sample);
        QVERIFY(link.ok());
        RecordingView view;
        view.recvFile = m_dir.filePath(QStringLiteral("sample.dat"));
        g_RecvFileNo = 0;
        RecvPrgFile(0, &view);
        QTRY_COMPARE(link.state().blocksAcceptedByPc, 1);
        QCOMPARE(readAll(view.recvFile),
                 QByteArray("000 MVE P001\r\n001 DLY 000100\r\n002 MVE P002\r\n003 MVS P003\r\n004 [EOF]\r\n"));
        QVERIFY(link.boxes.boxes.isEmpty());
        QVERIFY(AsmPrgFile(0, view.recvFile, 4));
        const auto& held = link.state().programs[0];
        QCOMPARE(packPrgImage(modulePrgImage(0)), QByteArray(reinterpret_cast<const char*>(held.data()), 1026));
    }

    void unpackedWordsKeepTheirBits_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<quint32>("step");
        QTest::newRow("FF FF FF FF") << bytes({0xFF, 0xFF, 0xFF, 0xFF}) << 0xFFFFFFFFu;
        QTest::newRow("the end mark") << bytes({0x00, 0x00, 0x00, 0x80}) << 0x80000000u;
        QTest::newRow("low byte first") << bytes({0x00, 0x04, 0x10, 0x01}) << kMve001;
    }
    void unpackedWordsKeepTheirBits()
    {
        QFETCH(QByteArray, word);
        QFETCH(quint32, step);
        comm::g_RxData.fill(0);
        comm::g_RxData[0] = 1;
        comm::g_RxData[1] = 9;
        std::copy(word.begin(), word.end(), comm::g_RxData.begin() + 2 + 4 * 255);
        g_RecvFileNo = 12;
        UnpackPrgImage();
        QCOMPARE(g_PrgImage[255], StepWord(step));
        QCOMPARE(g_PrgImage[0], 0u);
        QCOMPARE(g_PrgHdrUsed[12], 1);
        QCOMPARE(g_PrgHdrLines[12], 9);
    }

    // A program file assembled and sent as program 3: all 1026 bytes, the
    // steps after [EOF] as zeros, the checksum; the bar shows each step just
    // before its four bytes go.
    void sendOneProgram_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("one step and [EOF]")
            << QByteArray("000 MVE P001\r\n001 [EOF]\r\n") << imageBytes({kMve001, kEofWord}, 1, 1);
        QTest::newRow("three comments, two steps")
            << QByteArray(";a\r\n;b\r\n;c\r\nMVE P001\r\nDLY 000100\r\n[EOF]\r\n")
            << imageBytes({kMve001, kDly100, kEofWord}, 1, 5);
        QTest::newRow("more than 255 records before [EOF]: the header byte is 255")
            << QByteArray(QByteArray(";\r\n").repeated(300) + "[EOF]\r\n") << imageBytes({kEofWord}, 1, 255);
    }
    void sendOneProgram()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, image);
        EmulatorLink link(4);
        QVERIFY(link.ok());
        RecordingView view;
        view.transFile = m_dir.filePath(QStringLiteral("send.dat"));
        writeFile(view.transFile, file);
        g_TransFileNo = 3;
        const quint64 start = pcBytesWritten();
        TransPrgFile(0, &view);

        QCOMPARE(controllerProgram(link, 3), image);
        QCOMPARE(link.trace(),
                 QStringLiteral("PC 01; controller 00; PC 02; controller 02; PC 03 00 02; controller 16; PC ") +
                     hex(image + bytes({checksumOf(image), 0x03})) + QStringLiteral("; controller 04"));
        QCOMPARE(view.transBar, upTo255ThenZero());
        for (int s = 0; s < 256; ++s) // SOH, code, the word, the header, then 4 bytes a step
            QCOMPARE(view.transBarAtByte[s] - start, quint64(7 + 4 * s));
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    // Every failing step of a single transfer: what the operator sees, and
    // whether the program got through. Where the step itself shows nothing,
    // the transfer ends with the link error box.
    void singleTransferOutcomes_data()
    {
        QTest::addColumn<bool>("trans");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("traceEnd"); // the last groups on the line

        QTest::newRow("receive: handshake echo wrong")
            << false << "wrongEcho" << QStringList{kLinkError0} << "PC 01; controller 02";
        QTest::newRow("receive: handshake timed out")
            << false << "silentAfterSoh" << QStringList{kNotConnected} << "PC 01; controller 00; PC 01";
        QTest::newRow("receive: number word refused")
            << false << "refuseWord" << QStringList{kLinkError0} << "PC 03 00 02; controller 15";
        QTest::newRow("receive: block trailer bad") << false << "badTrailer" << QStringList{kLinkError0} << "00";
        QTest::newRow("receive: checksum wrong, refused")
            << false << "badChecksum" << QStringList{kLinkError0} << "03; PC 10";
        QTest::newRow("send: handshake echo wrong")
            << true << "wrongEcho" << QStringList{kLinkError0} << "PC 02; controller 03";
        QTest::newRow("send: handshake timed out")
            << true << "silentAfterSoh" << QStringList{kNotConnected} << "PC 01; controller 00; PC 02";
        QTest::newRow("send: number word refused")
            << true << "refuseWord" << QStringList{kLinkError0} << "PC 03 00 02; controller 15";
        QTest::newRow("send: block refused")
            << true << "refuseBlock" << QStringList{kLinkError0} << "03; controller 10";
    }
    void singleTransferOutcomes()
    {
        QFETCH(bool, trans);
        QFETCH(QString, fault);
        QFETCH(QStringList, boxes);
        QFETCH(QString, traceEnd);
        EmulatorLink link(4);
        QVERIFY(link.ok());
        std::optional<testsupport::FastClock> clock;
        if (fault == u"silentAfterSoh")
            clock.emplace();
        setFault(link, fault, true);
        RecordingView view;
        view.recvFile = m_dir.filePath(QStringLiteral("in.dat"));
        view.transFile = m_dir.filePath(QStringLiteral("out.dat"));
        writeFile(view.recvFile, "old\r\n");
        writeFile(view.transFile, numberedFileText(3));
        link.state().programs[3].fill(0xEE);
        if (trans) {
            g_TransFileNo = 3;
            TransPrgFile(0, &view);
        } else {
            g_RecvFileNo = 3;
            RecvPrgFile(0, &view);
        }
        QCOMPARE(link.boxes.texts(), boxes);
        QTRY_VERIFY2(link.trace().endsWith(traceEnd),
                     qPrintable(link.trace())); // the emulator reads the PC's last byte
        QCOMPARE(readAll(view.recvFile), QByteArray("old\r\n"));
        QCOMPARE(link.state().programs[3][0], std::uint8_t(0xEE));
        if (trans)
            QCOMPARE(view.transBar.isEmpty() ? 0 : view.transBar.last(), 0);
        else
            QVERIFY(view.recvBar.isEmpty());
    }

    // A file that cannot be opened, or one chosen by mistake, is told with
    // its name at once, and nothing goes to the controller.
    void aProgramThatDoesNotAssembleIsNotSent_data()
    {
        testsupport::addStrayRows();
        QTest::newRow("a missing file") << testsupport::Stray(-1) << int(common::err::FileNotFound);
    }
    void aProgramThatDoesNotAssembleIsNotSent()
    {
        QFETCH(testsupport::Stray, stray);
        QFETCH(int, number);
        EmulatorLink link(4);
        QVERIFY(link.ok());
        testsupport::StrayFiles strays("000 STOP\r\n001 [EOF]\r\n");
        QVERIFY(strays.ready());
        RecordingView view;
        view.transFile = int(stray) < 0 ? m_dir.filePath(QStringLiteral("missing.dat")) : strays.path(stray);
        g_TransFileNo = 3;
        QElapsedTimer clock;
        clock.start();
        TransPrgFile(0, &view);
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(link.boxes.texts(), QStringList{common::RtError::of(number).text() + view.transFile});
        link.settleTrace(QString());
        QCOMPARE(link.trace(), QString());
    }

    // A run over all 32 programs with program 5 failing: which failures stop
    // the run and which skip program 5 only, and what is shown (once).
    void runsOverAllPrograms_data()
    {
        QTest::addColumn<bool>("trans");
        QTest::addColumn<QString>("fault"); // applied to program 5 only
        QTest::addColumn<bool>("runGoesOn");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("receive: all good") << false << "" << true << QStringList{};
        QTest::newRow("receive: echo wrong for 5") << false << "wrongEcho" << true << QStringList{kLinkError0};
        QTest::newRow("receive: checksum wrong for 5") << false << "badChecksum" << true << QStringList{kLinkError0};
        QTest::newRow("receive: number word 5 refused") << false << "refuseWord" << false << QStringList{kLinkError0};
        QTest::newRow("receive: trailer of 5 bad") << false << "badTrailer" << false << QStringList{kLinkError0};
        QTest::newRow("send: all good") << true << "" << true << QStringList{};
        QTest::newRow("send: echo wrong for 5") << true << "wrongEcho" << true << QStringList{kLinkError0};
        QTest::newRow("send: number word 5 refused") << true << "refuseWord" << true << QStringList{kLinkError0};
        QTest::newRow("send: block 5 refused") << true << "refuseBlock" << false << QStringList{kLinkError0};
        QTest::newRow("send: file 5 does not assemble")
            << true << "noSuchWord" << true << QStringList{QStringLiteral("해당 명령어가 없습니다")};
    }
    void runsOverAllPrograms()
    {
        QFETCH(bool, trans);
        QFETCH(QString, fault);
        QFETCH(bool, runGoesOn);
        QFETCH(QStringList, boxes);
        EmulatorLink link(4);
        QVERIFY(link.ok());
        for (int n = 0; n < 32; ++n) {
            putProgram(link, n, numberedImage(n));
            writeFile(defaultPrgFile(open_directory, n),
                      n == 5 && fault == u"noSuchWord" ? QByteArray("XYZ\r\n[EOF]\r\n") : numberedFileText(n));
        }
        if (trans) {
            for (auto& p : link.state().programs)
                p.fill(0);
        } else {
            save_directory = m_dir.filePath(QStringLiteral("received"));
            QDir().mkpath(save_directory);
        }
        RecordingView view;
        view.recvFile = QStringLiteral("unused by a run");
        view.transFile = QStringLiteral("unused by a run");
        view.beforeProgram = [&](int n) {
            setFault(link, fault, n == 5);
            if (n == 6)
                link.emulator().resetExchange(); // it still waits for 5's word after a wrong echo
        };
        g_RecvFileNo = 17;
        if (trans)
            TransPrgFile(1, &view);
        else
            RecvPrgFile(1, &view);
        QCOMPARE(link.boxes.texts(), boxes);

        QList<int> asked;
        for (int n = 0; n < (runGoesOn ? 32 : 6); ++n)
            asked << n;
        QCOMPARE(trans ? view.transNumbers : view.recvNumbers, asked);
        for (int n = 0; n < 32; ++n) {
            const bool through = n < 5 || (n > 5 && runGoesOn) || (n == 5 && fault.isEmpty());
            if (trans)
                QCOMPARE(controllerProgram(link, n) == numberedImage(n), through);
            else
                QCOMPARE(readAll(defaultPrgFile(save_directory, n)),
                         through ? numberedFileText(n) : QByteArray("<missing>"));
        }
        if (!trans && runGoesOn) // each program's header is its own, 0 included
            QCOMPARE(g_PrgHdrLines[0], 1);
        QCOMPARE(trans ? view.transBar.last() : view.recvBar.last(), 0);
    }
};

QTEST_MAIN(TestPrgTransfer)
#include "test_prgtransfer.moc"
