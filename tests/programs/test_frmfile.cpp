// The program-transfer window: its controls, the number boxes' change
// handling (also when the program sets them), the checks made before a
// transfer, transfers through its buttons against the controller emulator,
// the window held while a transfer runs, and what it keeps between openings.

#include "programs/folders.h"
#include "programs/frmdir.h"
#include "programs/frmfile.h"
#include "programs/prgimage.h"

#include "common/colors.h"
#include "link/controlbytes.h"
#include "link/moderror.h"
#include "link/serialportcontrol.h"
#include "support/emulink.h"
#include "support/operatortexts.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

using namespace programs;
using testsupport::EmulatorLink;

namespace {

using testsupport::readAll;
using testsupport::writeFile;
using testsupport::texts::kNoSaveName;
using testsupport::texts::kNotNumber;
using testsupport::texts::kPortClosed;

const QString kNoTransName = QStringLiteral("File Open 메뉴에서 전송할 화일명을 입력하십시요.");

QByteArray dlyImage(int n)
{
    PrgImage image;
    image.hdrUsed = 1;
    image.hdrLines = 1;
    image.steps[0] = 0x23000000u + StepWord(n);
    image.steps[1] = kEofWord;
    return packPrgImage(image);
}

QByteArray dlyFile(int n)
{
    return QStringLiteral("000 DLY %1\r\n001 [EOF]\r\n").arg(n, 6, 10, QChar(u'0')).toLatin1();
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

} // namespace

class TestFrmFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QWidget m_main;

    frmFile& w() { return frmFile::instance(); }

    QString inDir(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        comm::InitErrMsgs();
        common::setMainWindow(&m_main);
    }

    void init()
    {
        save_directory = m_dir.path();
        open_directory = m_dir.path();
        where_clicked.clear();
        g_RecvFileNo = 0;
        g_TransFileNo = 0;
        w().Show();
        w().txtFileReceive[0]->setText(QString());
        w().txtFileTrans[0]->setText(QString());
    }

    void cleanup()
    {
        QVERIFY(w().Unload());
        frmdir::instance().Unload();
    }

    void controlsAsDesigned()
    {
        QCOMPARE(w().objectName(), QStringLiteral("frmFile"));
        QCOMPARE(w().windowTitle(), QStringLiteral("FILE Trans / Receive"));
        auto caption = [&](const char* name) { return w().findChild<QAbstractButton*>(QLatin1String(name))->text(); };
        QCOMPARE(caption("cmdFileTrans_0"), QStringLiteral("Trans"));
        QCOMPARE(caption("cmdFileTrans_1"), QStringLiteral("ALL Trans"));
        QCOMPARE(caption("cmdFileReceive_0"), QStringLiteral("Receive "));
        QCOMPARE(caption("cmdFileReceive_1"), QStringLiteral("ALL Receive"));
        QCOMPARE(caption("cmdFileTransOpen"), QStringLiteral("File Open"));
        QCOMPARE(caption("cmdFileReceiveOpen"), QStringLiteral("File Open"));
        QCOMPARE(w().findChild<QGroupBox*>("fraFileTrans")->title(), QStringLiteral("FILE Trans (PC ▶ ZEL)"));
        QCOMPARE(w().findChild<QGroupBox*>("fraFileReceive")->title(), QStringLiteral("FILE Receive (ZEL ▶ PC)"));
        const QStringList labels{"PC File Name", "ZEL File #", "ZEL File #", "PC File Name"};
        for (int i = 2; i <= 5; ++i)
            QCOMPARE(w().findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i))->text(), labels[i - 2]);
        for (const char* side : {"txtFileTrans", "txtFileReceive"}) {
            auto* file = w().findChild<QLineEdit*>(QStringLiteral("%1_0").arg(QLatin1String(side)));
            auto* number = w().findChild<QLineEdit*>(QStringLiteral("%1_1").arg(QLatin1String(side)));
            QVERIFY(!file->isEnabled());
            QCOMPARE(number->text(), QStringLiteral("0"));
            QCOMPARE(number->maxLength(), 2);
            QCOMPARE(number->alignment(), Qt::AlignCenter);
            QCOMPARE(common::backColor(number), 0x00FFFF00u);
        }
        for (const char* bar : {"ProgressBarTrans", "ProgressBarReceive"}) {
            auto* b = w().findChild<QProgressBar*>(QLatin1String(bar));
            QCOMPARE(b->minimum(), 0);
            QCOMPARE(b->maximum(), 256);
            QCOMPARE(b->value(), 0);
        }
    }

    // Texts set one after another into a number box (typing runs the same
    // handling): what the box holds, the number taken, the file proposed.
    void numberBoxes_data()
    {
        QTest::addColumn<bool>("trans");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("proposed"); // receive side: the file box, relative to the folder
        for (bool trans : {false, true}) {
            const char* side = trans ? "send" : "receive";
            QTest::addRow("%s: 3", side) << trans << QStringList{"3"} << "3" << 3 << QStringList{}
                                         << (trans ? "" : "ZEVAZA03.dat");
            QTest::addRow("%s: 3 then 32 is set back silently", side)
                << trans << QStringList{"3", "32"} << "3" << 3 << QStringList{} << (trans ? "" : "ZEVAZA03.dat");
            QTest::addRow("%s: a minus sign alone", side) << trans << QStringList{"7", "-"} << "0" << 0
                                                          << QStringList{kNotNumber} << (trans ? "" : "ZEVAZA00.dat");
            QTest::addRow("%s: -1 is set back silently", side)
                << trans << QStringList{"7", "-1"} << "7" << 7 << QStringList{} << (trans ? "" : "ZEVAZA07.dat");
            QTest::addRow("%s: an empty box is left alone", side)
                << trans << QStringList{"7", ""} << "" << 7 << QStringList{} << (trans ? "" : "ZEVAZA07.dat");
            QTest::addRow("%s: a letter", side)
                << trans << QStringList{"x"} << "0" << 0 << QStringList{kNotNumber} << (trans ? "" : "ZEVAZA00.dat");
            QTest::addRow("%s: 1. is program 1", side)
                << trans << QStringList{"1."} << "1." << 1 << QStringList{} << (trans ? "" : "ZEVAZA01.dat");
            QTest::addRow("%s: .5 rounds half to even: program 0 and its file", side)
                << trans << QStringList{"9", ".5"} << ".5" << 0 << QStringList{} << (trans ? "" : "ZEVAZA00.dat");
        }
    }
    void numberBoxes()
    {
        QFETCH(bool, trans);
        QFETCH(QStringList, texts);
        QFETCH(QString, box);
        QFETCH(int, number);
        QFETCH(QStringList, messages);
        QFETCH(QString, proposed);
        testsupport::MessageRecorder rec;
        QLineEdit* b = trans ? w().txtFileTrans[1] : w().txtFileReceive[1];
        for (const QString& t : texts)
            b->setText(t);
        QCOMPARE(b->text(), box);
        QCOMPARE(int(trans ? g_TransFileNo : g_RecvFileNo), number);
        QCOMPARE(rec.texts(), messages);
        if (trans) {
            QCOMPARE(w().txtFileTrans[0]->text(), QString()); // the send side leaves its file alone
        } else {
            QCOMPARE(w().txtFileReceive[0]->text(), inDir(proposed));
            QCOMPARE(frmdir::instance().Text1->text(), inDir(proposed));
        }
    }

    void aThirdCharacterCannotBeTyped()
    {
        w().txtFileReceive[1]->clear();
        QTest::keyClicks(w().txtFileReceive[1], QStringLiteral("123"));
        QCOMPARE(w().txtFileReceive[1]->text(), QStringLiteral("12"));
        QCOMPARE(int(g_RecvFileNo), 12);
    }

    // Before a transfer: the port, then the file-name box (both buttons of a
    // side), then for ALL Trans every default file. Nothing reaches the line.
    void checksBeforeATransfer_data()
    {
        QTest::addColumn<bool>("portOpen");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("fileBoxFilled");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("fifth"); // what stands in place of ZEVAZA05.dat: "", "fifo" or "folder"
        for (const char* b : {"cmdFileTrans_0", "cmdFileTrans_1", "cmdFileReceive_0", "cmdFileReceive_1"}) {
            QTest::addRow("%s: port closed", b)
                << false << QString::fromLatin1(b) << true << QStringList{kPortClosed} << "";
            const bool trans = QByteArray(b).startsWith("cmdFileTrans");
            QTest::addRow("%s: no file name", b)
                << true << QString::fromLatin1(b) << false << QStringList{trans ? kNoTransName : kNoSaveName} << "";
        }
        QTest::addRow("ALL Trans: ZEVAZA05.dat missing")
            << true << "cmdFileTrans_1" << true << QStringList{QStringLiteral("File not found") + "<missing 5>"} << "";
        QTest::addRow("ALL Trans: ZEVAZA05.dat a FIFO")
            << true << "cmdFileTrans_1" << true << QStringList{QStringLiteral("Bad file mode") + "<missing 5>"}
            << "fifo";
        QTest::addRow("ALL Trans: ZEVAZA05.dat a folder")
            << true << "cmdFileTrans_1" << true << QStringList{QStringLiteral("Path/File access error") + "<missing 5>"}
            << "folder";
    }
    void checksBeforeATransfer()
    {
        QFETCH(bool, portOpen);
        QFETCH(QString, button);
        QFETCH(bool, fileBoxFilled);
        QFETCH(QStringList, messages);
        QFETCH(QString, fifth);
        EmulatorLink link(4);
        QVERIFY(link.ok());
        if (!portOpen)
            comm::SerialPortControl::MSComm1().setPortOpen(false);
        for (int n = 0; n < 32; ++n)
            if (n != 5)
                writeFile(defaultPrgFile(open_directory, n), dlyFile(n));
        const QString five = defaultPrgFile(open_directory, 5);
        QFile::remove(five);
        if (fifth == u"fifo")
            QVERIFY(::mkfifo(QFile::encodeName(five).constData(), 0600) == 0);
        else if (fifth == u"folder")
            QVERIFY(QDir().mkdir(five));
        if (fileBoxFilled) {
            w().txtFileTrans[0]->setText(m_dir.path());
            w().txtFileReceive[0]->setText(inDir("in.dat"));
        }
        auto* b = w().findChild<QPushButton*>(button);
        QTest::mouseClick(b, Qt::LeftButton);
        messages.replaceInStrings(QStringLiteral("<missing 5>"), defaultPrgFile(open_directory, 5));
        QCOMPARE(link.boxes.texts(), messages);
        link.settleTrace(QString());
        QCOMPARE(link.trace(), QString());
        QVERIFY(b->isEnabled());
        QVERIFY(!QFile::exists(inDir("in.dat")));
        if (fifth == u"folder")
            QVERIFY(QDir().rmdir(five));
        else
            QFile::remove(five);
    }

    // Program 3 into the file the number box proposed, and program 7 sent
    // from the default file of a box that holds only the chosen folder.
    void singleTransfersThroughTheButtons()
    {
        EmulatorLink link(4);
        QVERIFY(link.ok());
        putProgram(link, 3, dlyImage(3));
        QList<int> recvBar;
        connect(w().ProgressBarReceive, &QProgressBar::valueChanged, this, [&](int v) { recvBar << v; });
        w().txtFileReceive[1]->setText(QStringLiteral("3"));
        QCOMPARE(w().txtFileReceive[0]->text(), inDir("ZEVAZA03.dat"));
        QTest::mouseClick(w().cmdFileReceive[0], Qt::LeftButton);
        QCOMPARE(readAll(inDir("ZEVAZA03.dat")), dlyFile(3));
        QCOMPARE(recvBar.size(), 256); // 1..255, then 0
        QCOMPARE(recvBar.last(), 0);
        disconnect(w().ProgressBarReceive, nullptr, this, nullptr);

        writeFile(inDir("ZEVAZA07.dat"), dlyFile(7));
        w().txtFileTrans[0]->setText(m_dir.path());
        w().txtFileTrans[1]->setText(QStringLiteral("7"));
        QTest::mouseClick(w().cmdFileTrans[0], Qt::LeftButton);
        QCOMPARE(controllerProgram(link, 7), dlyImage(7));
        QCOMPARE(w().ProgressBarTrans->value(), 0);
        QVERIFY(link.boxes.boxes.isEmpty());
        for (QPushButton* b : {w().cmdFileReceive[0], w().cmdFileTrans[0]})
            QVERIFY(b->isEnabled());
    }

    // A run sets the number box to each program in turn; program 0's header
    // is its own even though the box showed "0" already.
    void allReceiveAndAllTrans()
    {
        EmulatorLink link(4);
        QVERIFY(link.ok());
        for (int n = 0; n < 32; ++n)
            putProgram(link, n, dlyImage(n));
        g_RecvFileNo = 9;
        g_PrgHdrLines.fill(-1);
        w().txtFileReceive[0]->setText(inDir("ignored.dat"));
        QStringList shown;
        connect(w().txtFileReceive[1], &QLineEdit::textChanged, this, [&](const QString& t) { shown << t; });
        QTest::mouseClick(w().cmdFileReceive[1], Qt::LeftButton);
        disconnect(w().txtFileReceive[1], nullptr, this, nullptr);
        QCOMPARE(shown.size(), 31); // "1".."31": "0" was there already
        QCOMPARE(w().txtFileReceive[1]->text(), QStringLiteral("31"));
        QCOMPARE(int(g_RecvFileNo), 31);
        for (int n = 0; n < 32; ++n) {
            QCOMPARE(readAll(defaultPrgFile(save_directory, n)), dlyFile(n));
            QCOMPARE(g_PrgHdrLines[std::size_t(n)], 1);
        }
        QVERIFY(!QFile::exists(inDir("ignored.dat")));

        for (auto& p : link.state().programs)
            p.fill(0);
        w().txtFileTrans[0]->setText(QStringLiteral("anything"));
        QTest::mouseClick(w().cmdFileTrans[1], Qt::LeftButton);
        for (int n = 0; n < 32; ++n)
            QCOMPARE(controllerProgram(link, n), dlyImage(n));
        QCOMPARE(w().txtFileTrans[1]->text(), QStringLiteral("31"));
        QCOMPARE(int(g_TransFileNo), 31);
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    // While a transfer waits, the window's transfer controls are disabled,
    // a second transfer does not start and the window does not close.
    void theWindowHoldsWhileATransferRuns()
    {
        EmulatorLink link(4);
        QVERIFY(link.ok());
        link.faults().replyDelayMs = 30;
        w().txtFileReceive[0]->setText(inDir("one.dat"));
        bool unloaded = true;
        QList<bool> enabled;
        int sendsStarted = -1;
        QTimer::singleShot(0, &w(), [&] {
            unloaded = w().Unload();
            for (QWidget* c : std::initializer_list<QWidget*>{
                     w().cmdFileTrans[0], w().cmdFileTrans[1], w().cmdFileReceive[0], w().cmdFileReceive[1],
                     w().cmdFileTransOpen, w().cmdFileReceiveOpen, w().txtFileTrans[1], w().txtFileReceive[1]})
                enabled << c->isEnabled();
            w().txtFileTrans[0]->setText(m_dir.path());
            writeFile(inDir("ZEVAZA00.dat"), dlyFile(0));
            w().cmdFileTrans_Click(0); // served inside the receive's wait: does nothing
            sendsStarted = link.state().completed[comm::CMD_PRG_TRANS];
        });
        w().cmdFileReceive_Click(0);
        QVERIFY(!unloaded);
        QCOMPARE(enabled, QList<bool>(8, false));
        QCOMPARE(sendsStarted, 0);
        QCOMPARE(readAll(inDir("one.dat")).count("----------------\r\n"), 256); // the controller's empty program 0
        QTest::qWait(100);
        QCOMPARE(link.state().completed[comm::CMD_PRG_TRANS], 0);
        QVERIFY(w().cmdFileReceive[0]->isEnabled());
        QVERIFY(w().txtFileReceive[1]->isEnabled());
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    // The file names come back at the next opening, the number boxes and
    // bars start over, and the main window is disabled while it is open.
    void whatTheWindowKeepsBetweenOpenings()
    {
        QVERIFY(w().Unload());
        w().Show();
        common::disableMainWindowFor(&w());
        QVERIFY(!m_main.isEnabled());
        w().txtFileReceive[0]->setText(inDir("r.dat"));
        w().txtFileTrans[0]->setText(inDir("t.dat"));
        w().txtFileReceive[1]->setText(QStringLiteral("12"));
        w().txtFileTrans[1]->setText(QStringLiteral("13"));
        w().txtFileReceive[0]->setText(inDir("r.dat"));
        w().ProgressBarTrans->setValue(100);
        QVERIFY(w().Unload());
        QVERIFY(m_main.isEnabled());
        QVERIFY(!w().isVisible());

        w().Show();
        QCOMPARE(w().txtFileReceive[0]->text(), inDir("r.dat"));
        QCOMPARE(w().txtFileTrans[0]->text(), inDir("t.dat"));
        QCOMPARE(w().txtFileReceive[1]->text(), QStringLiteral("0"));
        QCOMPARE(w().txtFileTrans[1]->text(), QStringLiteral("0"));
        QCOMPARE(w().ProgressBarTrans->value(), 0);
        // An out-of-range number before any valid one goes back to the number
        // accepted before the window closed.
        w().txtFileTrans[1]->setText(QStringLiteral("40"));
        QCOMPARE(w().txtFileTrans[1]->text(), QStringLiteral("13"));
    }
};

QTEST_MAIN(TestFrmFile)
#include "test_frmfile.moc"
