// The parameter windows without the controller: the start-up load of the
// system set, what each window's opening does to its set, the remembered file
// names, AXES and the axis count, row choices and the axis selector, the
// file buttons and the dialog, and the file-name box's load.

#include "parahelp.h"

#include "params/parafile.h"

#include "common/form.h"
#include "common/textfile.h"
#include "link/moderror.h"
#include "link/serialportcontrol.h"
#include "support/seams.h"
#include "support/testfiles.h"
#include "support/operatortexts.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace paratest;
using common::color::ButtonFace;
using common::color::Yellow;
using testsupport::texts::kNoSaveName;
using testsupport::texts::kPortClosed;

class TestParaWindows : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A file of the set saved from the given values ("axis:field=value").
    QString savedFile(int set, const QString& name, const QString& values)
    {
        const params::ParaSet& s = setOf(set);
        QList<double> kept;
        for (int a = 0; a < params::storedAxes(s); ++a)
            for (int f = 0; f < s.fields; ++f)
                kept << s.value(a, f);
        for (const QString& item : values.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList af = item.section(u'=', 0, 0).split(u':');
            s.setValue(af[0].toInt(), af[1].toInt(), item.section(u'=', 1).toDouble());
        }
        const QString file = path(name);
        common::writeTextLines(file, params::paraFileLines(s));
        int i = 0;
        for (int a = 0; a < params::storedAxes(s); ++a)
            for (int f = 0; f < s.fields; ++f)
                s.setValue(a, f, kept[i++]);
        return file;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        params::InitParaNames();
        comm::SerialPortControl::MSComm1().setPortOpen(false);
    }
    void init() { freshStart(0, 4); }

    void startUpLoadPutsSystemDefaultsInPlaceHidden()
    {
        testsupport::MessageRecorder boxes;
        freshStart(9, 3);
        params::LoadSysParaFile();
        auto& w = params::frmSysPara::instance();
        QVERIFY(w.isLoaded());
        QVERIFY(!w.isVisible());
        QCOMPARE(mismatches(params::kSysSet, QStringLiteral("0:0=1 0:1=0 0:2=1 0:3=1 0:4=1 0:5=0 0:6=1 0:12=0 "
                                                            "0:13=0 0:16=0 0:17=0 0:18=10")),
                 QString());
        QCOMPARE(int(comm::g_AxisCount), 3);
        // Refreshed after the load: the box shows the MSPD a transmit sends.
        QCOMPARE(w.txtSys[5]->text(), QStringLiteral("10"));
        QCOMPARE(w.txtSys[0]->text(), QStringLiteral("0"));
        QCOMPARE(colourOf(w, "cmdAxes_1"), Yellow);
        QCOMPARE(colourOf(w, "cmdAxes_0"), ButtonFace);
        QCOMPARE(colourOf(w, "cmdZrAx_1"), Yellow);
        QVERIFY(boxes.boxes.isEmpty());
        // The menu then shows the loaded window without opening it again.
        params::g_SysPara[params::sys::MSPD] = 55;
        w.Show();
        QCOMPARE(params::g_SysPara[params::sys::MSPD], 55);
    }

    void systemOpeningForcesFiveValues()
    {
        auto& w = params::frmSysPara::instance();
        params::g_SysPara[params::sys::MSPD] = 20;
        w.Show();
        w.cmdArch_Click(2);
        w.cmdZrAx_Click(7);
        params::g_SysPara[params::sys::BRON] = 300;
        QVERIFY(w.Unload());
        w.Show();
        QCOMPARE(mismatches(params::kSysSet, QStringLiteral("0:0=2 0:2=1 0:3=1 0:4=1 0:6=1 0:16=300 0:18=20")),
                 QString());
        QCOMPARE(colourOf(w, "cmdArch_1"), Yellow);
        QCOMPARE(colourOf(w, "cmdArch_2"), ButtonFace); // a fresh window: only what Update paints
        QCOMPARE(colourOf(w, "cmdZrAx_7"), ButtonFace);
        QCOMPARE(w.txtSys[3]->text(), QStringLiteral("300"));
    }

    void systemRememberedFileReplacesForcedValues()
    {
        auto& w = params::frmSysPara::instance();
        const QString file = savedFile(Sys, "sys.dat", "0:0=2 0:2=3 0:6=0 0:13=255");
        w.Show();
        w.setFileName(file);
        QCOMPARE(w.txtSys[0]->text(), QStringLiteral("FF"));
        QVERIFY(w.Unload());
        QCOMPARE(w.m_ParaFileName, file);
        params::g_SysPara[params::sys::ARCH] = 0;
        w.Show();
        QCOMPARE(w.txtSysFileName->text(), file);
        QCOMPARE(mismatches(params::kSysSet, QStringLiteral("0:0=2 0:2=3 0:6=0 0:13=255")), QString());
        QCOMPARE(colourOf(w, "cmdArch_3"), Yellow);
        QCOMPARE(colourOf(w, "cmdArch_1"), ButtonFace);
    }

    void axesSetsTheAxisCount_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("axes");
        QTest::addColumn<int>("axisCount");
        QTest::newRow("click 4 AXES") << "click" << 2 << 4;
        QTest::newRow("click 2 AXES") << "click" << 0 << 2;
        QTest::newRow("file with AXES 1") << "file" << 1 << 3;
        QTest::newRow("file with AXES 7: kept, count unchanged") << "file" << 7 << 4;
        QTest::newRow("file with AXES -1: kept, count unchanged") << "file" << -1 << 4;
    }
    void axesSetsTheAxisCount()
    {
        QFETCH(QString, how);
        QFETCH(int, axes);
        QFETCH(int, axisCount);
        auto& w = params::frmSysPara::instance();
        w.Show();
        QCOMPARE(int(comm::g_AxisCount), 4);
        if (how == u"click") {
            QTest::mouseClick(button(w, QStringLiteral("cmdAxes_%1").arg(axes)), Qt::LeftButton);
        } else {
            testsupport::FileDialogAnswers dialog;
            dialog.names << savedFile(Sys, "axes.dat", QStringLiteral("0:0=%1").arg(axes));
            w.cmdSave_Click(0);
        }
        QCOMPARE(params::g_SysPara[0], axes);
        QCOMPARE(int(comm::g_AxisCount), axisCount);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(colourOf(w, QStringLiteral("cmdAxes_%1").arg(i)), i == axes ? Yellow : ButtonFace);
    }

    void gainOpeningShowsControllerAxesOnly()
    {
        testsupport::MessageRecorder boxes;
        comm::g_AxisCount = 3;
        auto& w = params::frmGain::instance();
        params::g_GainPara[0][0] = 555;
        w.Show();
        // No remembered name: the opening takes the defaults.
        QCOMPARE(mismatches(params::kGainSet, QStringLiteral("0:0=100 2:0=100 3:0=0 2:4=3000 3:4=0")), QString());
        QCOMPARE(w.txtax1Gain[20]->text(), QStringLiteral("100"));
        QCOMPARE(w.txtax1Gain[24]->text(), QStringLiteral("3000"));
        QCOMPARE(w.txtax1Gain[30]->text(), QString());
        QVERIFY(w.fraAxis[2]->isEnabled());
        QVERIFY(!w.fraAxis[3]->isEnabled());
        QVERIFY(params::g_GainFormReady);
        QVERIFY(boxes.boxes.isEmpty());
    }

    void gainOpeningShowsHeldValuesSilently()
    {
        testsupport::MessageRecorder boxes;
        comm::g_AxisCount = 2;
        const QString file = savedFile(Gain, "gain.dat", "0:0=100000 1:3=-5 0:1=7");
        auto& w = params::frmGain::instance();
        w.m_ParaFileName = file;
        w.Show();
        QCOMPARE(w.txtax1Gain[0]->text(), QStringLiteral("100000"));
        QCOMPARE(w.txtax1Gain[13]->text(), QStringLiteral("-5"));
        QVERIFY(boxes.boxes.isEmpty());
        // Once the window is open a refresh checks each box whose text it
        // changes: one message per such box out of range.
        w.txtax1Gain[0]->setText(QStringLiteral("1"));
        w.txtax1Gain[13]->setText(QStringLiteral("2"));
        QVERIFY(boxes.boxes.isEmpty());
        w.txtGainParaFileName_Change();
        QCOMPARE(boxes.texts(), (QStringList{QStringLiteral("Gain 숫자값이 너무 큽니다"),
                                             QStringLiteral("Gain 숫자값이 너무 큽니다")}));
        QCOMPARE(params::g_GainPara[0][0], 100000);
        QCOMPARE(params::g_GainPara[1][3], -5);
    }

    void axisOpeningWithoutNameTakesDefaults()
    {
        auto& w = params::frmAxis::instance();
        w.Show();
        w.cmdMotor_Click(2);
        QCOMPARE(params::g_AxPara[0][0], 2);
        QVERIFY(w.Unload());
        w.Show();
        QCOMPARE(mismatches(params::kAxisSet, QStringLiteral("0:0=0 3:0=0 0:5=1 3:5=1 0:8=1 2:8=1 0:10=0")), QString());
        const char* yellow[] = {"cmdMotor_0", "cmdLoop_0", "cmdCont_0",  "cmdVolt_0",  "cmdStep_0",  "cmdCdir_1",
                                "cmdZdir_0",  "cmdCord_0", "cmdEndir_1", "cmdLmtck_0", "cmdInpos_0", "cmdAxSel_0"};
        for (const char* name : yellow)
            QCOMPARE(colourOf(w, name), Yellow);
        QCOMPARE(colourOf(w, "cmdMotor_2"), ButtonFace);
    }

    void axisOpeningWithRememberedFile()
    {
        auto& w = params::frmAxis::instance();
        const QString file = savedFile(Axis, "axis.dat", "0:0=1 2:3=1");
        w.m_ParaFileName = file;
        w.Show();
        QCOMPARE(mismatches(params::kAxisSet, QStringLiteral("0:0=1 2:3=1 0:5=0")), QString());
        w.cmdMotor_Click(2);
        QVERIFY(w.Unload());
        w.Show();
        QCOMPARE(params::g_AxPara[0][0], 1);
        // The remembered file deleted: the values the set had stay.
        w.cmdMotor_Click(2);
        QVERIFY(w.Unload());
        QFile::remove(file);
        w.Show();
        QCOMPARE(params::g_AxPara[0][0], 2);
        QCOMPARE(params::g_AxPara[2][3], 1);
    }

    void limitOpeningReplacesTheSet()
    {
        auto& w = params::frmLmt::instance();
        w.Show();
        QCOMPARE(mismatches(params::kLmtSet, QStringLiteral("0:0=1 3:3=1 0:4=0 3:5=0")), QString());
        w.cmdPosiLmt_Click(0);
        QCOMPARE(colourOf(w, "cmdPosiLmt_0"), Yellow);
        QCOMPARE(colourOf(w, "cmdPosiLmt_1"), ButtonFace);
        QVERIFY(w.Unload());
        w.Show();
        QCOMPARE(params::g_LmtPara[0][0], 1);
        QCOMPARE(colourOf(w, "cmdPosiLmt_1"), Yellow);
        QCOMPARE(colourOf(w, "cmdPosiLmt_0"), ButtonFace);
    }

    void swOpeningChecksWhatItShows()
    {
        testsupport::MessageRecorder boxes;
        auto& w = params::frmSw::instance();
        w.Show();
        QVERIFY(boxes.boxes.isEmpty()); // the defaults pass; JLOCK's box already shows "0"
        QCOMPARE(w.txtSw[1]->text(), QStringLiteral("-1000.00"));
        QCOMPARE(w.txtSw[7]->text(), QStringLiteral("2048"));
        w.txtSw[17]->setText(QStringLiteral("5"));
        QCOMPARE(params::g_SwPara[0][17], 5.0);
        // Loading the defaults while the box shows 5 shows JLOCK's message once.
        w.txtSwFileName_Change();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral(" 1 ~ 16, 21 ~ 36 사이의 값을 입력하십시요.")});
        QCOMPARE(params::g_SwPara[0][17], 0.0);
    }

    void swRefreshStoresWhatTheBoxShows()
    {
        auto& w = params::frmSw::instance();
        w.Show();
        params::g_SwPara[0][0] = 1234.567; // held finer than the box shows
        w.UpdateSwButton();
        QCOMPARE(w.txtSw[0]->text(), QStringLiteral("12.35"));
        QCOMPARE(params::g_SwPara[0][0], 1235.0);
    }

    void axisSelectorIsSharedAndBounded()
    {
        comm::g_AxisCount = 2;
        auto& axis = params::frmAxis::instance();
        axis.Show();
        params::g_AxPara[1][0] = 2;
        axis.cmdAxSel_Click(3);
        QCOMPARE(int(params::g_CurAxis), 0);
        QCOMPARE(colourOf(axis, "cmdAxSel_0"), Yellow);
        axis.cmdAxSel_Click(1);
        QCOMPARE(int(params::g_CurAxis), 1);
        QCOMPARE(colourOf(axis, "cmdAxSel_0"), ButtonFace);
        QCOMPARE(colourOf(axis, "cmdAxSel_1"), Yellow);
        // Axis 0's chosen MOTOR was painted neutral, axis 1's is shown.
        QCOMPARE(colourOf(axis, "cmdMotor_0"), ButtonFace);
        QCOMPARE(colourOf(axis, "cmdMotor_2"), Yellow);
        axis.cmdEndir_Click(0);
        QCOMPARE(params::g_AxPara[1][8], 0);
        QVERIFY(axis.Unload());

        // The S/W window opens on the same axis and edits it.
        auto& sw = params::frmSw::instance();
        sw.Show();
        QCOMPARE(colourOf(sw, "cmdAxSel_1"), Yellow);
        sw.txtSw[8]->setText(QStringLiteral("33"));
        QCOMPARE(params::g_SwPara[1][8], 33.0);
        QCOMPARE(params::g_SwPara[0][8], 20.0);
    }

    void endirPlusStandsLeft()
    {
        auto& w = params::frmAxis::instance();
        w.Show();
        w.layout()->activate();
        auto* plus = w.findChild<QPushButton*>(QStringLiteral("cmdEndir_1"));
        auto* minus = w.findChild<QPushButton*>(QStringLiteral("cmdEndir_0"));
        QCOMPARE(plus->text(), QStringLiteral("+"));
        QVERIFY(plus->geometry().x() < minus->geometry().x());
        auto* cdirPlus = w.findChild<QPushButton*>(QStringLiteral("cmdCdir_0"));
        QCOMPARE(cdirPlus->geometry().x(), plus->geometry().x());
        QTest::mouseClick(plus, Qt::LeftButton);
        QCOMPARE(params::g_AxPara[0][8], 1);
    }

    void valueWithoutButtonIsKeptAndPaintsNothing()
    {
        testsupport::MessageRecorder boxes;
        auto& w = params::frmLmt::instance();
        w.Show();
        QCOMPARE(colourOf(w, "cmdHomeLmt_1"), Yellow);
        w.setFileName(savedFile(Lmt, "seven.dat", "0:2=7"));
        QCOMPARE(params::g_LmtPara[0][2], 7);
        QCOMPARE(colourOf(w, "cmdHomeLmt_0"), ButtonFace);
        QCOMPARE(colourOf(w, "cmdHomeLmt_1"), ButtonFace);
        w.cmdHomeLmt_Click(0);
        QCOMPARE(params::g_LmtPara[0][2], 0);
        QCOMPARE(colourOf(w, "cmdHomeLmt_0"), Yellow);
    }

    void fileOpenCancelEndsSilently_data()
    {
        QTest::addColumn<int>("set");
        for (int i = Sys; i <= Lmt; ++i)
            QTest::newRow(setOf(i).window) << i;
    }
    void fileOpenCancelEndsSilently()
    {
        QFETCH(int, set);
        testsupport::MessageRecorder boxes;
        testsupport::FileDialogAnswers dialog;
        params::ParaForm& w = windowOf(set);
        w.Show();
        w.fileNameBox()->setText(QStringLiteral("typed.dat"));
        fillSet(setOf(set), 3);
        w.cmdSave_Click(0);
        QCOMPARE(dialog.requests.size(), 1);
        QCOMPARE(dialog.requests[0].title, QString::fromUtf8(setOf(set).dialogTitle));
        QCOMPARE(dialog.requests[0].filter, QString::fromUtf8(setOf(set).filter));
        QCOMPARE(w.fileNameBox()->text(), QStringLiteral("typed.dat"));
        QCOMPARE(mismatches(setOf(set), QStringLiteral("0:0=3 0:1=3")), QString());
        QVERIFY(boxes.boxes.isEmpty());
    }

    void fileOpenLoadsTheChosenFile()
    {
        testsupport::FileDialogAnswers dialog;
        auto& w = params::frmLmt::instance();
        w.Show();
        dialog.names << savedFile(Lmt, "ZELLMT.dat", "0:0=0 0:5=1");
        w.cmdSave_Click(0);
        QCOMPARE(w.txtLmtParaFileName->text(), path("ZELLMT.dat"));
        QCOMPARE(mismatches(params::kLmtSet, QStringLiteral("0:0=0 0:5=1 1:0=1")), QString());
        QCOMPARE(colourOf(w, "cmdSvOn_1"), Yellow);
        QCOMPARE(colourOf(w, "cmdPosiLmt_0"), Yellow);
    }

    void fileSaveNeedsAName()
    {
        testsupport::MessageRecorder boxes;
        auto& w = params::frmGain::instance();
        w.Show();
        w.cmdSave_Click(1);
        QCOMPARE(boxes.texts(), QStringList{kNoSaveName});
        const QString file = path("saved.dat");
        w.txtGainParaFileName->setText(file);
        boxes.clear();
        w.cmdSave_Click(1);
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(testsupport::readAll(file).startsWith("Pos P GAin =  100   100   100   100 \r\n"));
    }

    // The box loads when the program puts a name in or Enter is pressed,
    // never at each typed character (a half-typed name would reset the set).
    void fileNameBoxLoadsOnEnterNotWhileTyping()
    {
        auto& w = params::frmLmt::instance();
        w.Show();
        const QString file = savedFile(Lmt, "typed.dat", "0:0=0");
        w.cmdPosiLmt_Click(0);
        w.cmdNegiLmt_Click(0);
        w.txtLmtParaFileName->clear();
        QTest::keyClicks(w.txtLmtParaFileName, file);
        QCOMPARE(params::g_LmtPara[0][1], 0); // nothing loaded yet
        QTest::keyClick(w.txtLmtParaFileName, Qt::Key_Return);
        QCOMPARE(mismatches(params::kLmtSet, QStringLiteral("0:0=0 0:1=1")), QString());
    }

    void closingRemembersNameAndEnablesMainWindow()
    {
        QWidget main;
        common::setMainWindow(&main);
        auto& w = params::frmSw::instance();
        w.Show();
        common::disableMainWindowFor(&w);
        QVERIFY(!main.isEnabled());
        w.txtSwFileName->setText(QStringLiteral("remember.dat"));
        QVERIFY(w.Unload());
        QVERIFY(main.isEnabled());
        QCOMPARE(w.m_ParaFileName, QStringLiteral("remember.dat"));
        common::setMainWindow(nullptr);
    }

    void transferWithPortClosedShowsCodeOneOnly_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<bool>("receive");
        for (int i = Sys; i <= Lmt; ++i) {
            QTest::addRow("%s receive", setOf(i).window) << i << true;
            QTest::addRow("%s transmit", setOf(i).window) << i << false;
        }
    }
    void transferWithPortClosedShowsCodeOneOnly()
    {
        QFETCH(int, set);
        QFETCH(bool, receive);
        testsupport::MessageRecorder boxes;
        comm::InitErrMsgs();
        params::ParaForm& w = windowOf(set);
        w.Show();
        if (receive)
            w.cmdRcv_Click();
        else
            w.cmdTrans_Click();
        QCOMPARE(boxes.texts(), QStringList{kPortClosed});
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("ERROR"));
        QVERIFY(w.cmdRcv->isEnabled());
        QVERIFY(w.cmdTrans->isEnabled());
    }
};

QTEST_MAIN(TestParaWindows)
#include "test_parawindows.moc"
