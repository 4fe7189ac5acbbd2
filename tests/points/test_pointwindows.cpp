// The location and shift windows without a controller: their controls and
// captions, the checks of their number and value boxes, what a load brings
// back, and that every button refuses to act while the port is closed.

#include "points/frmloc.h"
#include "points/frmsft.h"
#include "points/pointtables.h"

#include "common/form.h"
#include "common/msgbox.h"
#include "link/moddef.h"
#include "link/moderror.h"
#include "link/serialportcontrol.h"
#include "support/seams.h"
#include "support/operatortexts.h"

#include <QtTest>

using points::frmLoc;
using points::frmSft;

namespace {

using testsupport::texts::kNotNumber;

const QString kShiftRange = QStringLiteral(" 0 ~ 99 까지 입력하십시요.");

template <typename W> W* child(QWidget& window, const QString& name)
{
    return window.findChild<W*>(name);
}

QLineEdit* box(QWidget& window, const QString& name)
{
    return child<QLineEdit>(window, name);
}

// Types into a box as the operator does, one key at a time.
void type(QLineEdit* b, const QString& keys)
{
    QTest::keyClicks(b, keys);
}

void clear(QLineEdit* b)
{
    b->setFocus();
    b->selectAll();
    QTest::keyClick(b, Qt::Key_Backspace);
}

} // namespace

class TestPointWindows : public QObject {
    Q_OBJECT
    QWidget m_main;

private slots:
    void initTestCase()
    {
        comm::InitErrMsgs();
        common::setMainWindow(&m_main);
        QVERIFY(!comm::SerialPortControl::MSComm1().PortOpen());
    }

    void init()
    {
        comm::g_AxisCount = 4;
        points::g_TransLocNo = 0;
        points::g_RcvLocNo = 0;
        for (auto& p : points::g_LocData)
            p = {};
    }

    void cleanup()
    {
        frmLoc::instance().Unload();
        frmSft::instance().Unload();
    }

    void locationLayout()
    {
        frmLoc& w = frmLoc::instance();
        w.Show();
        QCOMPARE(w.objectName(), QStringLiteral("frmLoc"));
        QCOMPARE(w.windowTitle(), QStringLiteral("LOCATION"));
        QCOMPARE(w.fraLoc->title(), QStringLiteral("LOC Trans (PC -> ZEL)"));
        QCOMPARE(w.Frame1->title(), QStringLiteral("LOC Receive (ZEL -> PC)"));
        const QStringList trans{"Trans", "Block Trans", "ALL Trans", "File Open"};
        for (int i = 0; i < trans.size(); ++i)
            QCOMPARE(child<QPushButton>(w, QStringLiteral("cmdLocTrans_%1").arg(i))->text(), trans[i]);
        const QStringList recv{"Receive", "Block Receive", "ALL Receive", "File Open", "File Save"};
        for (int i = 0; i < recv.size(); ++i)
            QCOMPARE(child<QPushButton>(w, QStringLiteral("cmdLocReceive_%1").arg(i))->text(), recv[i]);
        const QStringList labels{"Start LOC #", "End LOC #",   "LOC 1AX",   "2AX",      "3AX",
                                 "4AX",         "4AX",         "3AX",       "2AX",      "LOC 1AX",
                                 "End LOC #",   "Start LOC #", "File Name", "File Name"};
        for (int i = 0; i < labels.size(); ++i)
            QCOMPARE(child<QLabel>(w, QStringLiteral("Label1_%1").arg(i))->text(), labels[i]);
        // The labels stand in the frame of their side.
        QCOMPARE(w.Label1[12]->parent(), w.fraLoc);
        QCOMPARE(w.Label1[9]->parent(), w.fraLoc);
        QCOMPARE(w.Label1[13]->parent(), w.Frame1);
        QCOMPARE(w.Label1[2]->parent(), w.Frame1);
        for (const char* name : {"txtLocTrans_0", "txtLocTrans_1", "txtLocReceive_0", "txtLocReceive_1"}) {
            QLineEdit* b = box(w, QString::fromLatin1(name));
            QCOMPARE(b->text(), QStringLiteral("0"));
            QCOMPARE(b->maxLength(), 3);
            QCOMPARE(b->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        }
        for (int a = 0; a < 4; ++a)
            for (const char* name : {"txtTransLocVal_%1", "txtRcvLocVal_%1"}) {
                QLineEdit* b = box(w, QString::fromLatin1(name).arg(a));
                QCOMPARE(b->text(), QStringLiteral("0.00"));
                QCOMPARE(b->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
            }
        QVERIFY(box(w, QStringLiteral("txtLocTransFile"))->text().isEmpty());
        QVERIFY(box(w, QStringLiteral("txtLocReceiveFile"))->text().isEmpty());
        QVERIFY(child<QProgressBar>(w, QStringLiteral("ProgressBarLocTrans")));
        QVERIFY(child<QProgressBar>(w, QStringLiteral("ProgressBarLocReceive")));
        QCOMPARE(w.cmdDlgLoc->objectName(), QStringLiteral("cmdDlgLoc"));
        QCOMPARE(w.cmdDlgLoc->Filter, QStringLiteral("ZELLOC.dat|ZELLOC.dat|모든파일(*.*)|*.*"));
    }

    void shiftLayout()
    {
        frmSft& w = frmSft::instance();
        w.Show();
        QCOMPARE(w.objectName(), QStringLiteral("frmSft"));
        QCOMPARE(w.windowTitle(), QStringLiteral("SHIFT LOCATION"));
        QCOMPARE(w.fraSftTrans->title(), QStringLiteral("SFT LOC Trans (PC -> ZEL)"));
        QCOMPARE(w.fraSftReceive->title(), QStringLiteral("SFT LOC Receive (ZEL -> PC)"));
        const QStringList trans{"Trans", "ALL Trans", "File Open"};
        for (int i = 0; i < trans.size(); ++i)
            QCOMPARE(child<QPushButton>(w, QStringLiteral("cmdSftLocTrans_%1").arg(i))->text(), trans[i]);
        const QStringList recv{"Receive", "ALL Receive", "File Open", "File Save"};
        for (int i = 0; i < recv.size(); ++i)
            QCOMPARE(child<QPushButton>(w, QStringLiteral("cmdSftLocReceive_%1").arg(i))->text(), recv[i]);
        const QStringList labels{"Start Sft LOC #", "End Sft LOC #", "File Name",
                                 "Start Sft LOC #", "End Sft LOC #", "File Name"};
        for (int i = 0; i < labels.size(); ++i)
            QCOMPARE(child<QLabel>(w, QStringLiteral("Label1_%1").arg(i))->text(), labels[i]);
        QCOMPARE(w.Label1[2]->parent(), w.fraSftTrans);
        QCOMPARE(w.Label1[5]->parent(), w.fraSftReceive);
        for (const char* name : {"txtSftLocTrans_0", "txtSftLocTrans_1", "txtSftLocReceive_0", "txtSftLocReceive_1"}) {
            QLineEdit* b = box(w, QString::fromLatin1(name));
            QCOMPARE(b->text(), QStringLiteral("0"));
            QCOMPARE(b->maxLength(), 2);
        }
        QVERIFY(!w.findChild<QLineEdit*>(QStringLiteral("txtTransLocVal_0")));
        QVERIFY(child<QProgressBar>(w, QStringLiteral("ProgressBarSftLocTrans")));
        QVERIFY(child<QProgressBar>(w, QStringLiteral("ProgressBarSftLocReceive")));
        QCOMPARE(w.cmdDlgSftLoc->Filter, QStringLiteral("ZELSFT.dat|ZELSFT.dat|모든파일(*.*)|*.*"));
    }

    void everyButtonNeedsTheOpenPort_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        for (int i = 0; i < 4; ++i)
            QTest::addRow("frmLoc cmdLocTrans_%d", i) << "frmLoc" << QStringLiteral("cmdLocTrans_%1").arg(i);
        for (int i = 0; i < 5; ++i)
            QTest::addRow("frmLoc cmdLocReceive_%d", i) << "frmLoc" << QStringLiteral("cmdLocReceive_%1").arg(i);
        for (int i = 0; i < 3; ++i)
            QTest::addRow("frmSft cmdSftLocTrans_%d", i) << "frmSft" << QStringLiteral("cmdSftLocTrans_%1").arg(i);
        for (int i = 0; i < 4; ++i)
            QTest::addRow("frmSft cmdSftLocReceive_%d", i) << "frmSft" << QStringLiteral("cmdSftLocReceive_%1").arg(i);
    }
    void everyButtonNeedsTheOpenPort()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        points::PointWindow& w = window == QLatin1String("frmLoc")
                                     ? static_cast<points::PointWindow&>(frmLoc::instance())
                                     : frmSft::instance();
        w.Show();
        // A file name in the save box, so that "File Save" would write if it acted.
        for (QLineEdit* b : w.findChildren<QLineEdit*>())
            if (b->objectName().endsWith(QLatin1String("ReceiveFile")))
                b->setText(QDir::temp().filePath(QStringLiteral("zel-never-written.dat")));
        testsupport::MessageRecorder boxes;
        testsupport::FileDialogAnswers dialogs;
        QPushButton* b = child<QPushButton>(w, button);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(boxes.texts(), QStringList{comm::g_ErrMsg[1]});
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("ERROR"));
        QCOMPARE(boxes.boxes[0].buttons, common::MsgButtons::OkCancel);
        QVERIFY(dialogs.requests.isEmpty());
        QVERIFY(b->isEnabled());
        QVERIFY(!QFile::exists(QDir::temp().filePath(QStringLiteral("zel-never-written.dat"))));
    }

    void locationNumberBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("start"); // put there by the program first
        QTest::addColumn<QString>("keys");  // then typed at its end
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("preview"); // axis 1 shown on the box's side afterwards
        for (const char* side : {"txtLocTrans_0", "txtLocReceive_0"}) {
            const QString n = QString::fromLatin1(side);
            QTest::addRow("%s: a number previews its point", side) << n << ""
                                                                   << "12" << QStringList{} << "12"
                                                                   << "12.00";
            QTest::addRow("%s: a letter is refused and 0 previewed", side) << n << "3"
                                                                           << "x" << QStringList{kNotNumber} << "0"
                                                                           << "0.00";
            QTest::addRow("%s: a minus in an empty box is no number", side) << n << ""
                                                                            << "-" << QStringList{kNotNumber} << "0"
                                                                            << "0.00";
            QTest::addRow("%s: above 999 is left alone", side) << n << "1e3"
                                                               << "" << QStringList{} << "1e3"
                                                               << "3.00";
            QTest::addRow("%s: a half rounds to even", side) << n << ""
                                                             << "2.5" << QStringList{} << "2.5"
                                                             << "2.00";
        }
        QTest::newRow("the end box previews nothing") << "txtLocTrans_1"
                                                      << ""
                                                      << "7" << QStringList{} << "7"
                                                      << "3.00";
    }
    void locationNumberBoxes()
    {
        QFETCH(QString, name);
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QStringList, messages);
        QFETCH(QString, text);
        QFETCH(QString, preview);
        for (int p = 0; p < 1000; ++p)
            points::g_LocData[std::size_t(p)].ax = {p * 100, 0, 0, 0};
        points::g_TransLocNo = 3;
        points::g_RcvLocNo = 3;
        frmLoc& w = frmLoc::instance();
        w.Show();
        QLineEdit* b = box(w, name);
        testsupport::MessageRecorder boxes;
        b->setText(start);
        boxes.clear();
        type(b, keys);
        QCOMPARE(boxes.texts(), messages);
        QCOMPARE(b->text(), text);
        const bool trans = name.startsWith(QLatin1String("txtLocTrans"));
        QCOMPARE(box(w, trans ? QStringLiteral("txtTransLocVal_0") : QStringLiteral("txtRcvLocVal_0"))->text(),
                 preview);
    }

    void locationNegativeNumberIsLeftAlone()
    {
        points::g_LocData[5].ax = {500, 0, 0, 0};
        frmLoc& w = frmLoc::instance();
        w.Show();
        testsupport::MessageRecorder boxes;
        QLineEdit* b = w.txtLocTrans[0];
        b->setFocus();
        b->selectAll();
        type(b, QStringLiteral("5"));
        QCOMPARE(w.txtTransLocVal[0]->text(), QStringLiteral("5.00"));
        b->home(false);
        type(b, QStringLiteral("-"));
        QCOMPARE(b->text(), QStringLiteral("-5"));
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(w.txtTransLocVal[0]->text(), QStringLiteral("5.00")); // no preview of -5
    }

    void shiftNumberBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys"); // typed in front of the start text
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("after");
        for (const char* side : {"txtSftLocTrans_0", "txtSftLocTrans_1", "txtSftLocReceive_0", "txtSftLocReceive_1"}) {
            const QString n = QString::fromLatin1(side);
            QTest::addRow("%s: 99 is taken silently", side) << n << ""
                                                            << "99" << QStringList{} << "99";
            QTest::addRow("%s: a minus before 1 is out of range", side) << n << "1"
                                                                        << "-" << QStringList{kShiftRange} << "0";
            QTest::addRow("%s: a letter is no number", side) << n << ""
                                                             << "a" << QStringList{kNotNumber} << "0";
            QTest::addRow("%s: a lone minus is no number", side) << n << ""
                                                                 << "-" << QStringList{kNotNumber} << "0";
            QTest::addRow("%s: emptied is left alone", side) << n << ""
                                                             << "" << QStringList{} << "";
        }
    }
    void shiftNumberBoxes()
    {
        QFETCH(QString, name);
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QStringList, messages);
        QFETCH(QString, after);
        frmSft& w = frmSft::instance();
        w.Show();
        QLineEdit* b = box(w, name);
        testsupport::MessageRecorder boxes;
        b->setText(start);
        b->home(false);
        type(b, keys);
        QCOMPARE(boxes.texts(), messages);
        QCOMPARE(b->text(), after);
    }

    void typingAValueStoresEveryStep()
    {
        comm::g_AxisCount = 2;
        frmLoc& w = frmLoc::instance();
        w.Show();
        w.txtLocTrans[0]->setText(QStringLiteral("7"));
        QLineEdit* v = w.txtTransLocVal[3]; // axis 4: no transfer carries it, the table and the file do
        clear(v);
        QList<int> stored{points::g_LocData[7].ax[3]};
        for (QChar c : QStringLiteral("12.5")) {
            type(v, c);
            stored << points::g_LocData[7].ax[3];
        }
        QCOMPARE(stored, (QList<int>{0, 100, 1200, 1200, 1250}));
    }

    void valueEditsNeedAPointAndAValueThatFits_data()
    {
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("stored"); // in P007's axis 1 (P007 held 42)
        QTest::newRow("valid point") << "7"
                                     << "-1.25" << -125;
        QTest::newRow("point box empty") << ""
                                         << "3" << 42;
        QTest::newRow("negative point") << "-7"
                                        << "3" << 42;
        QTest::newRow("too large for 32 bits") << "7"
                                               << "21474837" << 42;
        QTest::newRow("largest that fits") << "7"
                                           << "21474836.47" << 2147483647;
        QTest::newRow("hexadecimal") << "7"
                                     << "&H10" << 1600;
        QTest::newRow("octal") << "7"
                               << "&O17" << 1500;
        QTest::newRow("exponent D") << "7"
                                    << "1D2" << 10000;
    }
    void valueEditsNeedAPointAndAValueThatFits()
    {
        QFETCH(QString, point);
        QFETCH(QString, value);
        QFETCH(int, stored);
        frmLoc& w = frmLoc::instance();
        w.Show();
        testsupport::MessageRecorder boxes;
        w.txtLocTrans[0]->setText(point);
        points::g_LocData[7].ax[0] = 42;
        for (auto& p : points::g_LocData) // nothing else may change
            if (&p != &points::g_LocData[7])
                p.ax[0] = 0;
        w.txtTransLocVal[0]->setText(value);
        QCOMPARE(points::g_LocData[7].ax[0], stored);
        for (std::size_t i = 0; i < points::g_LocData.size(); ++i)
            if (i != 7)
                QCOMPARE(points::g_LocData[i].ax[0], 0);
        QVERIFY(boxes.boxes.isEmpty());
    }

    void loadBringsBackTheSharedNumbersAndTheNames()
    {
        comm::g_AxisCount = 2;
        points::g_LocData[45].ax = {4500, -1, 7, 8};
        points::g_LocData[12].ax = {1200, 1201, 1202, 1203};
        frmLoc& w = frmLoc::instance();
        w.Show();
        w.txtLocTransFile->setText(QStringLiteral("in.dat"));
        w.txtLocReceiveFile->setText(QStringLiteral("out.dat"));
        w.txtTransLocVal[3]->setText(QStringLiteral("9.99")); // typed, gone after the reload
        QVERIFY(w.Unload());
        // A shift transmit of S45 and a receive of S12 meanwhile.
        points::g_TransLocNo = 45;
        points::g_RcvLocNo = 12;
        w.Show();
        QCOMPARE(w.txtLocTrans[0]->text(), QStringLiteral("45"));
        QCOMPARE(w.txtLocReceive[0]->text(), QStringLiteral("12"));
        const QStringList trans{w.txtTransLocVal[0]->text(), w.txtTransLocVal[1]->text(), w.txtTransLocVal[2]->text(),
                                w.txtTransLocVal[3]->text()};
        QCOMPARE(trans, (QStringList{"45.00", "-0.01", "0.00", "0.00"})); // axes after 2 keep "0.00"
        const QStringList recv{w.txtRcvLocVal[0]->text(), w.txtRcvLocVal[1]->text(), w.txtRcvLocVal[2]->text(),
                               w.txtRcvLocVal[3]->text()};
        QCOMPARE(recv, (QStringList{"12.00", "12.01", "0.00", "0.00"}));
        QCOMPARE(w.txtLocTransFile->text(), QStringLiteral("in.dat"));
        QCOMPARE(w.txtLocReceiveFile->text(), QStringLiteral("out.dat"));
        // Reopening stored nothing into the table.
        QCOMPARE(points::g_LocData[45].ax, (std::array<std::int32_t, 4>{4500, -1, 7, 8}));

        frmSft& s = frmSft::instance();
        s.Show();
        s.txtSftLocTransFile->setText(QStringLiteral("s-in.dat"));
        s.txtSftLocReceiveFile->setText(QStringLiteral("s-out.dat"));
        s.txtSftLocTrans[0]->setText(QStringLiteral("5"));
        QVERIFY(s.Unload());
        s.Show();
        QCOMPARE(s.txtSftLocTransFile->text(), QStringLiteral("s-in.dat"));
        QCOMPARE(s.txtSftLocReceiveFile->text(), QStringLiteral("s-out.dat"));
        QCOMPARE(s.txtSftLocTrans[0]->text(), QStringLiteral("0"));
    }

    void mainWindowIsEnabledWhenTheLastHolderCloses()
    {
        m_main.setEnabled(true);
        frmLoc::instance().Show();
        common::disableMainWindowFor(&frmLoc::instance());
        frmSft::instance().Show();
        common::disableMainWindowFor(&frmSft::instance());
        QVERIFY(!m_main.isEnabled());
        QVERIFY(frmLoc::instance().Unload());
        QVERIFY(!m_main.isEnabled());
        QVERIFY(frmSft::instance().close());
        QVERIFY(!frmSft::instance().isLoaded());
        QVERIFY(m_main.isEnabled());
    }
};

QTEST_MAIN(TestPointWindows)
#include "test_pointwindows.moc"
