// How the five parameter windows set out their controls: the frames and
// their captions, which side the buttons stand on and in what order, and
// every label beside and level with what it names. Positions are compared
// with each other, never with fixed pixels.

#include "parahelp.h"
#include "support/layoutcheck.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace paratest;

using testsupport::besideAndLevel;
using testsupport::control;
using testsupport::inside;
using testsupport::rectIn;

class TestParaLayout : public QObject {
    Q_OBJECT

    params::ParaForm& opened(int set)
    {
        params::ParaForm& w = windowOf(set);
        w.Show();
        return w;
    }

private slots:
    void initTestCase() { params::InitParaNames(); }
    void init() { freshStart(0, 4); }
    void cleanup() { freshStart(0, 4); }

    // A column of buttons, top to bottom in the order given, at the right of
    // the window's rows; or a row of buttons, left to right, below them.
    void buttonsInOrder_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<bool>("column");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("beyond"); // the column stands right of it, the row below it
        const QStringList four{"cmdTrans", "cmdRcv", "cmdSave_0", "cmdSave_1"};
        const QStringList selectors{"cmdAxSel_0", "cmdAxSel_1", "cmdAxSel_2", "cmdAxSel_3"};
        QTest::newRow("system: column right of the frame") << int(Sys) << true << four << "fraSysPara";
        QTest::newRow("gain: along the bottom") << int(Gain) << false << four << "fraAxis_0";
        QTest::newRow("axis: column right of the rows") << int(Axis) << true << four << "cmdMotor_2";
        QTest::newRow("axis: selectors below the rows") << int(Axis) << false << selectors << "cmdInpos_0";
        QTest::newRow("S/W: selectors, then the four, right of the boxes")
            << int(Sw) << true << (selectors + four) << "txtSw_0";
        QTest::newRow("limit: column right of the rows") << int(Lmt) << true << four << "cmdPosiLmt_1";
        QTest::newRow("limit: selectors below the rows") << int(Lmt) << false << selectors << "cmdSvOn_0";
    }
    void buttonsInOrder()
    {
        QFETCH(int, set);
        QFETCH(bool, column);
        QFETCH(QStringList, names);
        QFETCH(QString, beyond);
        params::ParaForm& w = opened(set);
        QWidget* other = control(w, beyond);
        QVERIFY(other);
        const QRect o = rectIn(other, &w);
        QRect previous;
        for (const QString& name : names) {
            auto* b = qobject_cast<QPushButton*>(control(w, name));
            QVERIFY2(b, qPrintable(name));
            const QRect r = rectIn(b, &w);
            if (column) {
                QVERIFY2(r.left() > o.right(), qPrintable(name));
                if (!previous.isNull()) {
                    QCOMPARE(r.left(), previous.left());
                    QVERIFY2(r.top() > previous.bottom(), qPrintable(name));
                }
            } else {
                QVERIFY2(r.top() > o.bottom(), qPrintable(name));
                if (!previous.isNull()) {
                    QCOMPARE(r.center().y(), previous.center().y());
                    QVERIFY2(r.left() > previous.right(), qPrintable(name));
                }
            }
            previous = r;
        }
    }

    // Every label stands beside and level with its box or its row.
    void labelsBesideTheirBoxes_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("box");
        QTest::newRow("system file name") << int(Sys) << "sysLabel_19"
                                          << "txtSysFileName";
        QTest::newRow("gain file name") << int(Gain) << "GainLabel_10"
                                        << "txtGainParaFileName";
        QTest::newRow("axis file name") << int(Axis) << "Label1_0"
                                        << "txtAxisParaFileName";
        QTest::newRow("S/W file name") << int(Sw) << "Label1_18"
                                       << "txtSwFileName";
        QTest::newRow("limit file name") << int(Lmt) << "Label1_6"
                                         << "txtLmtParaFileName";
        QTest::newRow("system PSIG") << int(Sys) << "sysLabel_12"
                                     << "txtSys_0";
        QTest::newRow("system MSPD") << int(Sys) << "sysLabel_17"
                                     << "txtSys_5";
        QTest::newRow("system HEX unit") << int(Sys) << "txtSys_2"
                                         << "Label1_2";
        QTest::newRow("system msec unit") << int(Sys) << "txtSys_4"
                                          << "Label1_4";
        for (int k = 0; k < 18; ++k)
            QTest::addRow("S/W field %d", k)
                << int(Sw) << QStringLiteral("Label1_%1").arg(k) << QStringLiteral("txtSw_%1").arg(k);
    }
    void labelsBesideTheirBoxes()
    {
        QFETCH(int, set);
        QFETCH(QString, label);
        QFETCH(QString, box);
        params::ParaForm& w = opened(set);
        const QString fault = besideAndLevel(w, label, box);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }

    // The label of each row of choice buttons stands at its row's left.
    void rowLabelsBesideTheirRows_data()
    {
        QTest::addColumn<int>("set");
        for (int set : {int(Sys), int(Axis), int(Lmt)})
            QTest::newRow(setOf(set).window) << set;
    }
    void rowLabelsBesideTheirRows()
    {
        QFETCH(int, set);
        params::ParaForm& w = opened(set);
        int lastTop = -1;
        for (const params::ChoiceRow& row : setOf(set).rows) {
            const int n = int(row.captions.size());
            const QString leftmost = QStringLiteral("%1_%2").arg(row.name).arg(row.highestFirst ? n - 1 : 0);
            const QString fault = besideAndLevel(w, QString::fromLatin1(row.labelName), leftmost);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
            const int top = rectIn(control(w, leftmost), &w).top();
            QVERIFY2(top > lastTop, row.label); // rows top to bottom in field order
            lastTop = top;
        }
    }

    // The gain table: each row label level with its row of boxes in every
    // axis frame, the frames side by side from "1 AXIS" to "4 AXIS", the
    // position gains above the velocity gains.
    void gainLabelsLevelWithTheirRows()
    {
        params::frmGain& w = params::frmGain::instance();
        w.Show();
        for (int a = 0; a < 4; ++a) {
            QCOMPARE(w.fraAxis[std::size_t(a)]->title(), QStringLiteral("%1 AXIS").arg(a + 1));
            if (a > 0)
                QVERIFY(rectIn(w.fraAxis[std::size_t(a)], &w).left() >
                        rectIn(w.fraAxis[std::size_t(a - 1)], &w).right());
        }
        for (int k = 0; k < 10; ++k) {
            const QRect label = rectIn(w.GainLabel[std::size_t(k)], &w);
            QVERIFY2(label.right() < rectIn(w.fraAxis[0], &w).left(), qPrintable(QString::number(k)));
            for (int a = 0; a < 4; ++a) {
                QLineEdit* box = w.txtax1Gain[std::size_t(a * 10 + k)];
                QVERIFY(inside(box, w.fraAxis[std::size_t(a)]));
                QCOMPARE(label.center().y(), rectIn(box, &w).center().y());
            }
        }
        QVERIFY(rectIn(w.GainLabel[5], &w).top() - rectIn(w.GainLabel[4], &w).bottom() >
                rectIn(w.GainLabel[4], &w).top() - rectIn(w.GainLabel[3], &w).bottom());
        // Level also after the operator resizes the window.
        w.resize(w.width() + 120, w.height() + 90);
        QCoreApplication::processEvents();
        for (int k = 0; k < 10; ++k)
            QCOMPARE(rectIn(w.GainLabel[std::size_t(k)], &w).center().y(),
                     rectIn(w.txtax1Gain[std::size_t(k)], &w).center().y());
    }

    // The system frame holds the 19 rows and nothing else; the gain frame
    // holds the whole window.
    void framesAndWhatTheyHold()
    {
        params::frmSysPara& sys = params::frmSysPara::instance();
        sys.Show();
        auto* fra = sys.findChild<QGroupBox*>(QStringLiteral("fraSysPara"));
        QVERIFY(fra);
        QCOMPARE(fra->title(), QStringLiteral("System Parameter"));
        for (std::size_t r = 0; r < params::kSysSet.rows.size(); ++r) {
            QVERIFY(inside(control(sys, QString::fromLatin1(params::kSysSet.rows[r].labelName)), fra));
            for (QPushButton* b : sys.rowButtons(int(r)))
                QVERIFY(inside(b, fra));
        }
        for (int i = 0; i < 6; ++i) {
            QVERIFY(inside(sys.txtSys[std::size_t(i)], fra));
            QVERIFY(inside(control(sys, QStringLiteral("sysLabel_%1").arg(12 + i)), fra));
        }
        for (QWidget* outside : {static_cast<QWidget*>(sys.txtSysFileName), static_cast<QWidget*>(sys.cmdTrans),
                                 static_cast<QWidget*>(sys.cmdSave[1])})
            QVERIFY(!inside(outside, fra));

        params::frmGain& gain = params::frmGain::instance();
        gain.Show();
        auto* outer = gain.findChild<QGroupBox*>(QStringLiteral("fraGain"));
        QVERIFY(outer);
        QCOMPARE(outer->title(), QStringLiteral("Gain Parameter"));
        QCOMPARE(outer->parentWidget(), &gain);
        for (QWidget* child : gain.findChildren<QWidget*>())
            if (child != outer)
                QVERIFY2(inside(child, outer), qPrintable(child->objectName()));
    }
};

QTEST_MAIN(TestParaLayout)
#include "test_paralayout.moc"
