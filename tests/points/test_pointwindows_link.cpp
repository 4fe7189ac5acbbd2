// The location and shift windows with the port open on the controller
// emulator: what each button sends or receives, the checks made before a
// transfer, the file buttons and their dialogs, the point numbers the two
// windows share, and the window that will not close while its run goes on.

#include "points/frmloc.h"
#include "points/frmsft.h"
#include "points/pointfile.h"
#include "points/pointtables.h"

#include "link/controlbytes.h"
#include "link/operatorexchange.h"
#include "support/emulink.h"
#include "support/operatortexts.h"
#include "support/strayfiles.h"
#include "support/testfiles.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using points::frmLoc;
using points::frmSft;
using testsupport::EmulatorLink;

namespace {

using testsupport::readAll;
using testsupport::texts::kNoSaveName;

const QString kLocRange = QStringLiteral(" 0 ~ 999 까지 입력하십시요.");
const QString kEndBeforeStart = QStringLiteral(" End Loc 는 Start Loc 보다 커야 합니다.");

using Values = std::array<std::int32_t, 4>;

QStringList texts(const std::array<QLineEdit*, 4>& boxes)
{
    QStringList out;
    for (QLineEdit* b : boxes)
        out << b->text();
    return out;
}

} // namespace

class TestPointWindowsLink : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init()
    {
        for (auto& p : points::g_LocData)
            p = {};
        for (auto& p : points::g_SftData)
            p = {};
        points::g_TransLocNo = 0;
        points::g_RcvLocNo = 0;
    }

    void cleanup()
    {
        frmLoc::instance().Unload();
        frmSft::instance().Unload();
    }

    void transferChecks_data()
    {
        QTest::addColumn<bool>("trans");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("points"); // exchanged
        for (bool trans : {true, false}) {
            const char* side = trans ? "send" : "receive";
            QTest::addRow("%s: one point", side) << trans << 0 << "7"
                                                 << "0" << QStringList{} << 1;
            QTest::addRow("%s: a negative point is refused", side) << trans << 0 << "-5"
                                                                   << "0" << QStringList{kLocRange} << 0;
            QTest::addRow("%s: an empty point box is refused", side) << trans << 0 << ""
                                                                     << "0" << QStringList{kLocRange} << 0;
            QTest::addRow("%s: a range of one", side) << trans << 1 << "7"
                                                      << "7" << QStringList{} << 1;
            QTest::addRow("%s: a range of three", side) << trans << 1 << "7"
                                                        << "9" << QStringList{} << 3;
            QTest::addRow("%s: the end before the start", side) << trans << 1 << "8"
                                                                << "7" << QStringList{kEndBeforeStart} << 0;
            QTest::addRow("%s: rounded numbers are compared", side) << trans << 1 << "8"
                                                                    << "7.5" << QStringList{} << 1;
            QTest::addRow("%s: a range ending below 0", side) << trans << 1 << "0"
                                                              << "-1" << QStringList{kLocRange} << 0;
        }
    }
    void transferChecks()
    {
        QFETCH(bool, trans);
        QFETCH(int, button);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QStringList, messages);
        QFETCH(int, points);
        EmulatorLink link(4);
        QVERIFY(link.ok());
        frmLoc& w = frmLoc::instance();
        w.Show();
        auto& boxes = trans ? w.txtLocTrans : w.txtLocReceive;
        boxes[0]->setText(start);
        boxes[1]->setText(end);
        link.boxes.clear();
        QTest::mouseClick(trans ? w.cmdLocTrans[std::size_t(button)] : w.cmdLocReceive[std::size_t(button)],
                          Qt::LeftButton);
        QCOMPARE(link.boxes.texts(), messages);
        const std::int16_t code = trans ? comm::CMD_LOC_TRANS : comm::CMD_LOC_RECV;
        QTest::qWait(20);
        QTRY_COMPARE(link.state().completed[std::size_t(code)], points);
        if (points == 0)
            QCOMPARE(link.trace(), QString());
        QVERIFY((trans ? w.cmdLocTrans[std::size_t(button)] : w.cmdLocReceive[std::size_t(button)])->isEnabled());
        QCOMPARE((trans ? w.ProgressBarLocTrans : w.ProgressBarLocReceive)->value(), 0);
    }

    void singleTransmitAndReceiveThroughTheWindow()
    {
        EmulatorLink link(2);
        QVERIFY(link.ok());
        frmLoc& w = frmLoc::instance();
        w.Show();
        points::g_LocData[7].ax = {700, -7, 0, 0};
        QList<int> bar;
        connect(w.ProgressBarLocTrans, &QProgressBar::valueChanged, this, [&](int v) { bar << v; });
        w.txtLocTrans[0]->setText(QStringLiteral("7"));
        w.cmdLocTrans_Click(0);
        QCOMPARE(int(points::g_TransLocNo), 7);
        QCOMPARE(link.state().loc[7], (Values{700, -7, 0, 0}));
        QCOMPARE(bar, (QList<int>{1, 2, 3, 4, 5, 6, 7, 0})); // each byte, then back to 0
        QCOMPARE(w.ProgressBarLocTrans->maximum(), 8);
        disconnect(w.ProgressBarLocTrans, nullptr, this, nullptr);

        link.state().loc[12] = {1250, -300, 99, 99};
        w.txtRcvLocVal[2]->setText(QStringLiteral("5.55"));
        w.txtRcvLocVal[3]->setText(QStringLiteral("6.66"));
        w.txtLocReceive[0]->setText(QStringLiteral("12"));
        w.cmdLocReceive_Click(0);
        QCOMPARE(int(points::g_RcvLocNo), 12);
        QCOMPARE(texts(w.txtRcvLocVal), (QStringList{"12.50", "-3.00", "5.55", "6.66"}));
        QCOMPARE(w.ProgressBarLocReceive->value(), 0);
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void wholeShiftTableThroughTheWindow()
    {
        EmulatorLink link(3);
        QVERIFY(link.ok());
        frmSft& w = frmSft::instance();
        w.Show();
        for (int p = 0; p < 100; ++p)
            link.state().sft[std::size_t(p)] = {p, 2 * p, 3 * p, 0};
        w.cmdSftLocReceive_Click(1);
        for (int p = 0; p < 100; ++p)
            QCOMPARE(points::g_SftData[std::size_t(p)].ax, (Values{p, 2 * p, 3 * p, 0}));
        for (auto& p : points::g_SftData)
            p.ax[0] = -p.ax[0];
        w.cmdSftLocTrans_Click(1);
        QCOMPARE(link.state().sft[99], (Values{-99, 198, 297, 0}));
        QCOMPARE(w.ProgressBarSftLocTrans->value(), 0);
        QCOMPARE(w.ProgressBarSftLocReceive->value(), 0);
        QCOMPARE(w.ProgressBarSftLocTrans->maximum(), 100);
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    void shiftSinglePointsAreSharedWithTheLocationWindow()
    {
        EmulatorLink link(2);
        QVERIFY(link.ok());
        points::g_LocData[45].ax = {4500, 1, 2, 3};
        points::g_LocData[12].ax = {1200, 0, 0, 0};
        frmSft& s = frmSft::instance();
        s.Show();
        s.txtSftLocTrans[0]->setText(QStringLiteral("45"));
        s.cmdSftLocTrans_Click(0);
        s.txtSftLocReceive[0]->setText(QStringLiteral("12"));
        s.cmdSftLocReceive_Click(0);
        QCOMPARE(link.state().completed[comm::CMD_SFT_TRANS], 1);
        QTRY_COMPARE(link.state().completed[comm::CMD_SFT_RECV], 1); // the PC's answer ends it
        QVERIFY(s.Unload());
        frmLoc& w = frmLoc::instance();
        w.Show();
        QCOMPARE(w.txtLocTrans[0]->text(), QStringLiteral("45"));
        QCOMPARE(texts(w.txtTransLocVal), (QStringList{"45.00", "0.01", "0.00", "0.00"}));
        QCOMPARE(w.txtLocReceive[0]->text(), QStringLiteral("12"));
        QCOMPARE(w.txtRcvLocVal[0]->text(), QStringLiteral("12.00"));
    }

    void locationFileButtons()
    {
        EmulatorLink link(2);
        QVERIFY(link.ok());
        testsupport::FileDialogAnswers dialogs;
        frmLoc& w = frmLoc::instance();
        w.Show();
        const QString saved = m_dir.filePath(QStringLiteral("ZELLOC.dat"));

        // "File Save" needs a name first.
        w.cmdLocReceive_Click(4);
        QCOMPARE(link.boxes.texts(), QStringList{kNoSaveName});
        link.boxes.clear();

        // Receive side "File Open" only names the file to save to.
        dialogs.names << saved;
        w.cmdLocReceive_Click(3);
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].title, QStringLiteral("LOC FILE SAVE"));
        QCOMPARE(dialogs.requests[0].mode, common::FileDialogRequest::Mode::Save);
        QCOMPARE(dialogs.requests[0].filter, QStringLiteral("ZELLOC.dat|ZELLOC.dat|모든파일(*.*)|*.*"));
        QCOMPARE(w.txtLocReceiveFile->text(), saved);
        QVERIFY(!QFile::exists(saved));

        points::g_LocData[0].ax = {100, 200, 300, 400};
        w.cmdLocReceive_Click(4);
        QVERIFY(readAll(saved).startsWith("P000 = 1.00 2.00 3.00 4.00\r\nP001 = 0.00 0.00 0.00 0.00\r\n"));

        // Transmit side "File Open" loads and shows point 0.
        points::g_LocData[0].ax = {};
        w.txtLocTrans[0]->setText(QStringLiteral("5"));
        dialogs.names << saved;
        w.cmdLocTrans_Click(3);
        QCOMPARE(dialogs.requests[1].title, QStringLiteral("LOC FILE OPEN"));
        QCOMPARE(dialogs.requests[1].mode, common::FileDialogRequest::Mode::Open);
        QCOMPARE(w.txtLocTransFile->text(), saved);
        QCOMPARE(w.txtLocTrans[0]->text(), QStringLiteral("0"));
        QCOMPARE(texts(w.txtTransLocVal), (QStringList{"1.00", "2.00", "0.00", "0.00"})); // a 2-axis controller
        QCOMPARE(points::g_LocData[0].ax, (Values{100, 200, 300, 400}));

        // Cancelled: nothing changes.
        w.cmdLocTrans_Click(3);
        w.cmdLocReceive_Click(3);
        QCOMPARE(w.txtLocTransFile->text(), saved);
        QCOMPARE(w.txtLocReceiveFile->text(), saved);
        QVERIFY(w.cmdLocTrans[3]->isEnabled());
        QVERIFY(w.cmdLocReceive[3]->isEnabled());

        // A failed load is told, and point 0 is still shown.
        const QString missing = m_dir.filePath(QStringLiteral("none.dat"));
        w.txtLocTrans[0]->setText(QStringLiteral("5"));
        dialogs.names << missing;
        w.cmdLocTrans_Click(3);
        QCOMPARE(link.boxes.texts(), QStringList{QStringLiteral("File not found") + missing});
        QCOMPARE(w.txtLocTrans[0]->text(), QStringLiteral("0"));
        QCOMPARE(w.txtTransLocVal[0]->text(), QStringLiteral("1.00"));
        QCOMPARE(link.trace(), QString()); // files never touch the line
    }

    void shiftFileButtonsAndTheDialogTitle()
    {
        EmulatorLink link(4);
        QVERIFY(link.ok());
        testsupport::FileDialogAnswers dialogs;
        frmSft& w = frmSft::instance();
        w.Show();
        const QString file = m_dir.filePath(QStringLiteral("ZELSFT.dat"));
        points::g_SftData[7].ax = {0, 125, -50, 0};
        w.txtSftLocReceiveFile->setText(file);
        w.cmdSftLocReceive_Click(3);
        QCOMPARE(readAll(file).split('\n').value(7), QByteArray("S07 = 0.00 1.25 -0.50 0.00\r"));

        // The transmit side sets no title: the dialog's last one, or none.
        w.cmdSftLocTrans_Click(2);
        dialogs.names << file;
        w.cmdSftLocReceive_Click(2);
        points::g_SftData[7].ax = {};
        dialogs.names << file;
        w.cmdSftLocTrans_Click(2);
        QCOMPARE(points::g_SftData[7].ax, (Values{0, 125, -50, 0}));
        QCOMPARE(w.txtSftLocTransFile->text(), file);
        QVERIFY(w.Unload());
        w.Show();
        w.cmdSftLocTrans_Click(2);
        QStringList titles;
        for (const auto& r : dialogs.requests)
            titles << r.title;
        QCOMPARE(titles, (QStringList{"", "SFT LOC FILE OPEN", "SFT LOC FILE OPEN", ""}));
        QCOMPARE(dialogs.requests[1].mode, common::FileDialogRequest::Mode::Save);
        QCOMPARE(dialogs.requests[1].filter, QStringLiteral("ZELSFT.dat|ZELSFT.dat|모든파일(*.*)|*.*"));
        QVERIFY(link.boxes.boxes.isEmpty());
    }

    // A file button served inside a running exchange's wait does nothing and
    // shows nothing: no dialog nested in the wait, no file read into the
    // table being sent, no file written; the run ends as it would alone.
    void fileButtonsInsideARunningExchange_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::newRow("location transmit File Open") << "frmLoc"
                                                     << "cmdLocTrans_3";
        QTest::newRow("location receive File Open") << "frmLoc"
                                                    << "cmdLocReceive_3";
        QTest::newRow("location receive File Save") << "frmLoc"
                                                    << "cmdLocReceive_4";
        QTest::newRow("shift transmit File Open") << "frmSft"
                                                  << "cmdSftLocTrans_2";
        QTest::newRow("shift receive File Open") << "frmSft"
                                                 << "cmdSftLocReceive_2";
        QTest::newRow("shift receive File Save") << "frmSft"
                                                 << "cmdSftLocReceive_3";
    }
    void fileButtonsInsideARunningExchange()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        const bool loc = window == u"frmLoc";
        EmulatorLink link(4);
        QVERIFY(link.ok());
        link.faults().replyDelayMs = 50;
        testsupport::FileDialogAnswers dialogs;
        const QString load = m_dir.filePath(QStringLiteral("inside-load.dat"));
        const QString save = m_dir.filePath(QStringLiteral("inside-save.dat"));
        QFile::remove(save);
        testsupport::writeFile(load, loc ? "P000 = 9.00 9.00 9.00 9.00\r\n" : "S00 = 9.00 9.00 9.00 9.00\r\n");
        dialogs.names << load;
        const Values sent{100, 200, 300, 400};
        points::LocPoint& point0 = loc ? points::g_LocData[0] : points::g_SftData[0];
        point0.ax = sent;

        common::Form& w = loc ? static_cast<common::Form&>(frmLoc::instance()) : frmSft::instance();
        w.Show();
        auto* receiveFile = w.findChild<QLineEdit*>(loc ? "txtLocReceiveFile" : "txtSftLocReceiveFile");
        auto* transFile = w.findChild<QLineEdit*>(loc ? "txtLocTransFile" : "txtSftLocTransFile");
        auto* run = w.findChild<QPushButton*>(loc ? "cmdLocTrans_0" : "cmdSftLocTrans_0");
        auto* file = w.findChild<QPushButton*>(button);
        QVERIFY(receiveFile && transFile && run && file);
        receiveFile->setText(save);
        const QString transName = transFile->text();

        bool servedInsideTheRun = false;
        QTimer::singleShot(0, &w, [&] {
            servedInsideTheRun = comm::OperatorExchange::running();
            file->click();
        });
        run->click();

        QVERIFY(servedInsideTheRun);
        QCOMPARE(dialogs.requests.size(), 0);
        QCOMPARE(link.boxes.texts(), QStringList{});
        QVERIFY(!QFile::exists(save));
        QCOMPARE(transFile->text(), transName);
        QCOMPARE(receiveFile->text(), save);
        QVERIFY(file->isEnabled());
        QVERIFY(run->isEnabled());
        QCOMPARE(point0.ax, sent);
        const std::int16_t code = loc ? comm::CMD_LOC_TRANS : comm::CMD_SFT_TRANS;
        QTRY_COMPARE(link.state().completed[std::size_t(code)], 1);
        QCOMPARE(loc ? link.state().loc[0] : link.state().sft[0], sent);
    }

    // A file chosen by mistake in the transmit side's "File Open": one box
    // with the refusal and the name, at once; the table stays as it was.
    void fileOpenOfAStrayFile_data() { testsupport::addStrayRows(); }
    void fileOpenOfAStrayFile()
    {
        QFETCH(testsupport::Stray, stray);
        QFETCH(int, number);
        EmulatorLink link(4);
        QVERIFY(link.ok());
        testsupport::StrayFiles strays;
        QVERIFY(strays.ready());
        testsupport::FileDialogAnswers dialogs;
        frmLoc& w = frmLoc::instance();
        w.Show();
        points::g_LocData[0].ax = {100, 200, 300, 400};
        dialogs.names << strays.path(stray);
        QElapsedTimer clock;
        clock.start();
        w.cmdLocTrans_Click(3);
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(link.boxes.texts(), QStringList{common::RtError::of(number).text() + strays.path(stray)});
        QCOMPARE(points::g_LocData[0].ax, (Values{100, 200, 300, 400}));
        QVERIFY(w.cmdLocTrans[3]->isEnabled());
    }

    void theWindowStaysOpenWhileItsRunGoesOn()
    {
        EmulatorLink link(4);
        QVERIFY(link.ok());
        frmLoc& w = frmLoc::instance();
        w.Show();
        bool unloaded = true;
        bool buttonEnabled = true;
        int sendsDuringRun = -1;
        // Served by the run's first wait.
        QTimer::singleShot(0, &w, [&] {
            unloaded = w.Unload();
            buttonEnabled = w.cmdLocReceive[2]->isEnabled();
            w.txtLocTrans[0]->setText(QStringLiteral("3"));
            w.cmdLocTrans_Click(0); // a second exchange is not started
            w.cmdLocTrans_Click(2);
            sendsDuringRun = link.state().completed[comm::CMD_LOC_TRANS];
        });
        w.cmdLocReceive_Click(2);
        QVERIFY(!unloaded);
        QVERIFY(!buttonEnabled);
        QCOMPARE(sendsDuringRun, 0);
        QCOMPARE(link.state().completed[comm::CMD_LOC_TRANS], 0);
        QTRY_COMPARE(link.state().blocksAcceptedByPc, 1000);
        QVERIFY(w.isLoaded());
        QVERIFY(w.cmdLocReceive[2]->isEnabled());
        QVERIFY(w.Unload());
        QVERIFY(link.boxes.boxes.isEmpty());
    }
};

QTEST_MAIN(TestPointWindowsLink)
#include "test_pointwindows_link.moc"
