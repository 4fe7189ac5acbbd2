// The pendant window's modes, ESC and ENT, the keypad in every mode, the
// hidden program panel and the Trans menu.

#include "tpfixture.h"

#include "common/colors.h"
#include "points/frmloc.h"
#include "points/frmsft.h"
#include "programs/frmfile.h"
#include "support/seams.h"

using namespace tptest;
using pendant::frmTP;

namespace {
constexpr int kNarrow = 4080 / 15;

QStringList shownControls()
{
    QStringList out;
    const frmTP& w = tp();
    const QList<std::pair<const char*, QWidget*>> controls{
        {"mainFrame", w.mainFrame}, {"LOCGrid", w.LOCGrid}, {"Grid", w.Grid}, {"PRGFrame", w.PRGFrame},
        {"TextGrid", w.TextGrid},   {"ENT", w.ENT},         {"ENT1", w.ENT1}};
    for (const auto& [name, widget] : controls)
        if (!widget->isHidden())
            out << QString::fromLatin1(name);
    return out;
}
} // namespace

class TestTpModes : public QObject {
    Q_OBJECT
private:
    QWidget mainStandIn;
    testsupport::MessageRecorder boxes;

private slots:
    void initTestCase() { common::setMainWindow(&mainStandIn); }
    void init() { QVERIFY(openFresh()); }
    void cleanup()
    {
        points::frmLoc::instance().Unload();
        points::frmSft::instance().Unload();
        QVERIFY(boxes.boxes.isEmpty());
    }

    void loadsIdleAndNarrow()
    {
        frmTP& w = tp();
        QCOMPARE(w.windowTitle(), QStringLiteral("TEACHING PENDANT"));
        QCOMPARE(w.width(), kNarrow);
        QCOMPARE(shownControls(), (QStringList{"mainFrame", "ENT"}));
        QCOMPARE(w.currentMode(), frmTP::Mode::Idle);
        QStringList captions;
        for (auto* b : w.button) {
            captions << b->text();
            QVERIFY(!b->isChecked());
            QCOMPARE(common::backColor(b), common::color::InfoBackground);
        }
        QCOMPARE(captions, (QStringList{"PRG", "LOC", "SFT", ""}));
        QVERIFY(w.button[0]->isHidden() && w.button[3]->isHidden());
        QCOMPARE(w.STATE_PARA(), QStringLiteral("OFF"));
        QCOMPARE(w.Grid->rows(), 2);
        QCOMPARE(w.Grid->textMatrix(1, 0), QStringLiteral("000"));
        QCOMPARE(w.Grid->textMatrix(1, 1), QStringLiteral("[EOF]"));
        QCOMPARE(w.Grid->colWidthPx(1), 2990 / 15);
        // The program panel lies outside the narrow window.
        QVERIFY(w.PRGFrame->geometry().left() >= 3960 / 15);
        QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("cm_2"))->text(), QStringLiteral(" 3   I/O"));
    }

    void idleWindowIgnoresEntAndKeypad()
    {
        pressKeys({0, 1, 10});
        QTest::mouseClick(tp().ENT, Qt::LeftButton);
        QCOMPARE(shownControls(), (QStringList{"mainFrame", "ENT"}));
        QCOMPARE(tp().TextGrid->text(), QStringLiteral("0.00"));
    }

    void modeKeySetsUpItsGrid_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("firstLabel");
        QTest::addColumn<QString>("lastLabel");
        QTest::newRow("LOC") << int(LocKey) << 1001 << "P000"
                             << "P999";
        QTest::newRow("SFT") << int(SftKey) << 101 << "S00"
                             << "S99";
    }
    void modeKeySetsUpItsGrid()
    {
        QFETCH(int, key);
        QFETCH(int, rows);
        QFETCH(QString, firstLabel);
        QFETCH(QString, lastLabel);
        clickModeKey(key);
        const pendant::CellGrid* g = tp().LOCGrid;
        QCOMPARE(shownControls(), (QStringList{"LOCGrid", "ENT"}));
        QCOMPARE(tp().width(), kNarrow);
        QCOMPARE(g->rows(), rows);
        QCOMPARE(g->cols(), 5);
        QCOMPARE(g->textMatrix(1, 0), firstLabel);
        QCOMPARE(g->textMatrix(rows - 1, 0), lastLabel);
        const QStringList header{"       ", "  1AXIS  ", "  2AXIS ", "  3AXIS ", "  4AXIS "};
        for (int c = 0; c < 5; ++c)
            QCOMPARE(g->textMatrix(0, c), header[c]);
        for (int r : {1, rows - 1})
            for (int c = 1; c <= 4; ++c)
                QCOMPARE(g->textMatrix(r, c), QStringLiteral("0.00"));
    }

    void sameModeAgainKeepsTheValues()
    {
        clickModeKey(LocKey);
        tp().LOCGrid->setTextMatrix(5, 2, QStringLiteral("12.50"));
        clickModeKey(LocKey);
        clickModeKey(SftKey, Qt::RightButton); // a release that selects nothing
        QCOMPARE(tp().currentMode(), frmTP::Mode::LOC);
        QCOMPARE(tp().LOCGrid->textMatrix(5, 2), QStringLiteral("12.50"));
        clickModeKey(SftKey); // another mode sets up afresh
        clickModeKey(LocKey);
        QCOMPARE(tp().LOCGrid->textMatrix(5, 2), QStringLiteral("0.00"));
    }

    void keyboardSelectionSetsUpTheMode()
    {
        tp().button[SftKey]->setFocus();
        QTest::keyClick(tp().button[SftKey], Qt::Key_Space);
        QCOMPARE(tp().currentMode(), frmTP::Mode::SFT);
        QCOMPARE(tp().LOCGrid->rows(), 101);
        QVERIFY(!tp().LOCGrid->isHidden());
    }

    void escLeavesPointModeAndItsEditor()
    {
        clickModeKey(LocKey);
        tp().LOCGrid->setTextMatrix(3, 1, QStringLiteral("7.00"));
        pressKeys({4});
        QVERIFY(!tp().TextGrid->isHidden());
        QTest::mouseClick(tp().ESC, Qt::LeftButton);
        QCOMPARE(tp().currentMode(), frmTP::Mode::Idle);
        QCOMPARE(shownControls(), (QStringList{"mainFrame", "ENT"}));
        QCOMPARE(tp().LOCGrid->textMatrix(1, 1), QStringLiteral("0.00")); // the editor was not committed
        clickModeKey(LocKey);                                             // values are not kept across modes
        QCOMPARE(tp().LOCGrid->textMatrix(3, 1), QStringLiteral("0.00"));
    }

    void escEnablesTheKeypad()
    {
        pendant::compose::setKeypadEnabled(tp().panel(), false);
        tp().showPanel();
        QVERIFY(!tp().cm[5]->isEnabled());
        tp().ESC_Click();
        for (auto* k : tp().cm)
            QVERIFY(k->isEnabled());
        QCOMPARE(tp().currentMode(), frmTP::Mode::Idle);
    }

    void keypadTypesIntoTheCellEditor_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("1 MOT, 2 PRG, ., 5 FUNC") << QList<int>{0, 1, 10, 4} << "12.5";
        QTest::newRow("a second . adds nothing") << QList<int>{0, 10, 10, 1} << "1.2";
        QTest::newRow("- adds nothing") << QList<int>{11, 2, 11} << "3";
        QTest::newRow("every digit once") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9} << "1234567890";
        QTest::newRow("digits after the point") << QList<int>{9, 10, 6, 7, 8} << "0.789";
        QTest::newRow(". first") << QList<int>{10, 3} << ".4";
    }
    void keypadTypesIntoTheCellEditor()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, text);
        clickModeKey(SftKey);
        tp().LOCGrid->setTextMatrix(1, 1, QStringLiteral("5.00"));
        pressKeys(keys);
        QVERIFY(!tp().TextGrid->isHidden());
        QCOMPARE(tp().TextGrid->text(), text); // opened empty, not with the cell's text
        const QRect cell = tp().LOCGrid->cellRect().translated(tp().LOCGrid->pos());
        QCOMPARE(tp().TextGrid->geometry(), cell);
    }

    void entWalksThroughAPointsValues_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("rowAfter");
        QTest::addColumn<int>("colAfter");
        QTest::newRow("LOC column 2 to 3") << int(LocKey) << 7 << 2 << 7 << 3;
        QTest::newRow("LOC column 4 to the next point") << int(LocKey) << 7 << 4 << 8 << 1;
        QTest::newRow("LOC last point stays") << int(LocKey) << 1000 << 4 << 1000 << 1;
        QTest::newRow("SFT last entry stays") << int(SftKey) << 100 << 4 << 100 << 1;
    }
    void entWalksThroughAPointsValues()
    {
        QFETCH(int, key);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, rowAfter);
        QFETCH(int, colAfter);
        clickModeKey(key);
        tp().LOCGrid->setCurrent(row, col);
        QTest::mouseClick(tp().ENT, Qt::LeftButton);
        QCOMPARE(tp().LOCGrid->row(), rowAfter);
        QCOMPARE(tp().LOCGrid->col(), colAfter);
    }

    void entCommitsTheKeypadValue()
    {
        clickModeKey(LocKey);
        tp().LOCGrid->setCurrent(2, 3);
        pressKeys({6, 10, 4});
        QTest::mouseClick(tp().ENT, Qt::LeftButton);
        QCOMPARE(tp().LOCGrid->textMatrix(2, 3), QStringLiteral("7.50"));
        QVERIFY(tp().TextGrid->isHidden());
        QCOMPARE(tp().LOCGrid->cellBackColorAt(2, 3), common::color::White);
        QCOMPARE(tp().LOCGrid->cellBackColorAt(2, 4), common::color::GridCurrent);
    }

    void programModeShowsNothingAndKeysChooseMenus()
    {
        selectPrg();
        QCOMPARE(tp().currentMode(), frmTP::Mode::PRG);
        QCOMPARE(shownControls(), (QStringList{"ENT"}));
        QCOMPARE(tp().width(), kNarrow);
        for (int k = 0; k < 6; ++k) {
            tp().cm_Click(k);
            for (int f = 0; f < 6; ++f)
                QCOMPARE(!tp().Frame[std::size_t(f)]->isHidden(), f == k);
        }
        tp().cm_Click(7); // keys 7 to 12 choose no menu
        QVERIFY(!tp().Frame[5]->isHidden());
    }

    void menuButtonsAreTheGroupsWords()
    {
        const frmTP& w = tp();
        QCOMPARE(w.cmMOT.size(), 20);
        QCOMPARE(w.cmPRG.size(), 9);
        QCOMPARE(w.cmIO.size(), 10);
        QCOMPARE(w.cmPARA.size(), 7); // without VEL
        QCOMPARE(w.cmFUNC.size(), 10);
        QCOMPARE(w.cmDEF.size(), 14);
        QCOMPARE(w.cmMOT[19]->text(), QStringLiteral("VMN"));
        QCOMPARE(w.cmPARA[6]->text(), QStringLiteral("TSPD"));
        QCOMPARE(w.cmDEF[13]->objectName(), QStringLiteral("cmDEF_13"));
        QCOMPARE(w.Frame[2]->title(), QStringLiteral("I/O"));
        QCOMPARE(w.INS->text(), QStringLiteral("◀ INS"));
    }

    void digitKeysGoToTheEditorOfTheShownMenu_data()
    {
        QTest::addColumn<int>("frame");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("MOT: command editor") << 0 << "MVE"
                                             << "MVE P000" << 4 << "MVE P005";
        QTest::newRow("PARA: parameter editor") << 3 << "INP"
                                                << "INP 000001" << 4 << "INP 000015";
        QTest::newRow("DEF: command editor") << 5 << "L"
                                             << "L00" << 4 << "L05";
        QTest::newRow("DEF with SET: parameter editor") << 5 << "SET"
                                                        << "SET R00" << 6 << "SET R07";
        QTest::newRow("no menu shown: nothing") << -1 << "MVE"
                                                << "MVE P000" << 4 << "MVE P000";
    }
    void digitKeysGoToTheEditorOfTheShownMenu()
    {
        QFETCH(int, frame);
        QFETCH(QString, command);
        QFETCH(QString, line);
        QFETCH(int, key);
        QFETCH(QString, after);
        selectPrg();
        for (auto* f : tp().Frame)
            f->hide();
        if (frame >= 0)
            tp().Frame[std::size_t(frame)]->show();
        pendant::compose::PanelState& s = tp().panel();
        s.STATE_PARA = QStringLiteral("ON");
        s.STATE_COMMAND = command;
        s.Text = line;
        tp().showPanel();
        tp().cm_Click(key);
        QCOMPARE(s.Text, after);
        QCOMPARE(tp().Text->text(), after);
        for (int f = 0; f < 6; ++f) // "ON" keys choose no menu
            QCOMPARE(!tp().Frame[std::size_t(f)]->isHidden(), f == frame);
    }

    void entOfThePanelChecksTheLine()
    {
        selectPrg();
        pendant::compose::PanelState& s = tp().panel();
        s.Text = QStringLiteral("STOP");
        tp().ENT1_Click();
        QCOMPARE(s.TextCOPY, QStringLiteral("STOP\r\n"));
        QCOMPARE(tp().Text->text(), QString());
        QVERIFY(tp().TextCOPY->toPlainText().startsWith(QStringLiteral("STOP")));
    }

    void escInProgramModeFirstEmptiesTheLine()
    {
        selectPrg();
        pendant::compose::PanelState& s = tp().panel();
        s.Text = QStringLiteral("MVE P001");
        s.STATE_PARA = QStringLiteral("ON");
        s.STATE_COMMAND = QStringLiteral("MVE");
        tp().showPanel();
        tp().ESC_Click();
        QCOMPARE(tp().currentMode(), frmTP::Mode::PRG);
        QCOMPARE(s.Text, QString());
        QCOMPARE(s.STATE_PARA, QStringLiteral("OFF"));
        QCOMPARE(s.STATE_COMMAND, QStringLiteral("MVE"));
        tp().ESC_Click();
        QCOMPARE(tp().currentMode(), frmTP::Mode::Idle);
        QCOMPARE(shownControls(), (QStringList{"mainFrame", "ENT"}));
    }

    void stateStringsSurviveAReload()
    {
        tp().STATE_COMMAND() = QStringLiteral("MA_1");
        tp().TEMP_COMMAND() = QStringLiteral("MA P001");
        tp().STATE_PARA() = QStringLiteral("ON");
        tp().panel().TextCOPY = QStringLiteral("STOP\r\n");
        QVERIFY(openFresh());
        QCOMPARE(tp().STATE_COMMAND(), QStringLiteral("MA_1"));
        QCOMPARE(tp().TEMP_COMMAND(), QStringLiteral("MA P001"));
        QCOMPARE(tp().STATE_PARA(), QStringLiteral("OFF"));
        QCOMPARE(tp().panel().TextCOPY, QString());
        tp().STATE_COMMAND().clear();
        tp().TEMP_COMMAND().clear();
    }

    void transOpensWindowsAndHoldsTheMainWindow()
    {
        QVERIFY(mainStandIn.isEnabled());
        tp().mnuLocTrans->trigger();
        QVERIFY(points::frmLoc::instance().isVisible());
        QVERIFY(!mainStandIn.isEnabled());
        tp().mnuSftTrans->trigger();
        QVERIFY(points::frmSft::instance().isVisible());
        tp().mnuFileTrans->trigger();
        QVERIFY(programs::frmFile::instance().isVisible());
        QVERIFY(tp().isEnabled());
        // Each one closing lets go of the main window; it waits for the last.
        points::frmLoc::instance().Unload();
        QVERIFY(!mainStandIn.isEnabled());
        programs::frmFile::instance().Unload();
        QVERIFY(!mainStandIn.isEnabled());
        points::frmSft::instance().Unload();
        QVERIFY(mainStandIn.isEnabled());
    }
};

QTEST_MAIN(TestTpModes)
#include "test_tpmodes.moc"
