// How the location and shift windows set out their controls: the transmit
// frame above the receive frame; in each, the file-name row, the point
// numbers, the values and the progress bar from top to bottom, the buttons
// in a column at the right; every label beside and level with its box.

#include "points/frmloc.h"
#include "points/frmsft.h"

#include "support/layoutcheck.h"

#include <QGroupBox>
#include <QPushButton>
#include <QtTest>

using namespace testsupport;

namespace {

common::Form& windowNamed(const QString& name)
{
    if (name == QLatin1String("frmLoc"))
        return points::frmLoc::instance();
    return points::frmSft::instance();
}

struct Side {
    const char* frame;
    const char* caption;
    QStringList rowsTopToBottom; // one control of each row
    QStringList buttons;
    QList<QPair<QString, QString>> labelled; // label, box
};

QList<Side> sidesOf(const QString& window)
{
    if (window == QLatin1String("frmLoc"))
        return {
            {"fraLoc",
             "LOC Trans (PC -> ZEL)",
             {"txtLocTransFile", "txtLocTrans_0", "txtTransLocVal_0", "ProgressBarLocTrans"},
             {"cmdLocTrans_0", "cmdLocTrans_1", "cmdLocTrans_2", "cmdLocTrans_3"},
             {{"Label1_12", "txtLocTransFile"},
              {"Label1_0", "txtLocTrans_0"},
              {"Label1_1", "txtLocTrans_1"},
              {"Label1_9", "txtTransLocVal_0"},
              {"Label1_8", "txtTransLocVal_1"},
              {"Label1_7", "txtTransLocVal_2"},
              {"Label1_6", "txtTransLocVal_3"}}},
            {"Frame1",
             "LOC Receive (ZEL -> PC)",
             {"txtLocReceiveFile", "txtLocReceive_0", "txtRcvLocVal_0", "ProgressBarLocReceive"},
             {"cmdLocReceive_0", "cmdLocReceive_1", "cmdLocReceive_2", "cmdLocReceive_3", "cmdLocReceive_4"},
             {{"Label1_13", "txtLocReceiveFile"},
              {"Label1_11", "txtLocReceive_0"},
              {"Label1_10", "txtLocReceive_1"},
              {"Label1_2", "txtRcvLocVal_0"},
              {"Label1_3", "txtRcvLocVal_1"},
              {"Label1_4", "txtRcvLocVal_2"},
              {"Label1_5", "txtRcvLocVal_3"}}},
        };
    return {
        {"fraSftTrans",
         "SFT LOC Trans (PC -> ZEL)",
         {"txtSftLocTransFile", "txtSftLocTrans_0", "ProgressBarSftLocTrans"},
         {"cmdSftLocTrans_0", "cmdSftLocTrans_1", "cmdSftLocTrans_2"},
         {{"Label1_2", "txtSftLocTransFile"}, {"Label1_0", "txtSftLocTrans_0"}, {"Label1_1", "txtSftLocTrans_1"}}},
        {"fraSftReceive",
         "SFT LOC Receive (ZEL -> PC)",
         {"txtSftLocReceiveFile", "txtSftLocReceive_0", "ProgressBarSftLocReceive"},
         {"cmdSftLocReceive_0", "cmdSftLocReceive_1", "cmdSftLocReceive_2", "cmdSftLocReceive_3"},
         {{"Label1_5", "txtSftLocReceiveFile"},
          {"Label1_3", "txtSftLocReceive_0"},
          {"Label1_4", "txtSftLocReceive_1"}}},
    };
}

} // namespace

class TestPointLayout : public QObject {
    Q_OBJECT
private slots:
    void arrangement_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("locations") << "frmLoc";
        QTest::newRow("shifts") << "frmSft";
    }
    void arrangement()
    {
        QFETCH(QString, window);
        common::Form& w = windowNamed(window);
        w.Show();
        QRect previousFrame;
        for (const Side& side : sidesOf(window)) {
            auto* frame = w.findChild<QGroupBox*>(QLatin1String(side.frame));
            QVERIFY2(frame, side.frame);
            QCOMPARE(frame->title(), QString::fromLatin1(side.caption));
            const QRect f = rectIn(frame, &w);
            if (!previousFrame.isNull())
                QVERIFY2(f.top() > previousFrame.bottom(), side.frame); // transmit above receive
            previousFrame = f;

            int lastBottom = -1;
            int rightmost = 0;
            for (const QString& name : side.rowsTopToBottom) {
                QWidget* c = control(w, name);
                QVERIFY2(c && inside(c, frame), qPrintable(name));
                const QRect r = rectIn(c, &w);
                QVERIFY2(r.top() > lastBottom, qPrintable(name));
                lastBottom = r.bottom();
                rightmost = std::max(rightmost, r.right());
            }
            QRect previous;
            for (const QString& name : side.buttons) {
                auto* b = qobject_cast<QPushButton*>(control(w, name));
                QVERIFY2(b && inside(b, frame), qPrintable(name));
                const QRect r = rectIn(b, &w);
                QVERIFY2(r.left() > rightmost, qPrintable(name));
                if (!previous.isNull()) {
                    QCOMPARE(r.left(), previous.left());
                    QVERIFY2(r.top() > previous.bottom(), qPrintable(name));
                }
                previous = r;
            }
            for (const auto& [label, box] : side.labelled) {
                QVERIFY2(inside(control(w, label), frame), qPrintable(label));
                const QString fault = besideAndLevel(w, label, box);
                QVERIFY2(fault.isEmpty(), qPrintable(fault));
            }
        }
        QVERIFY(w.Unload());
    }
};

QTEST_MAIN(TestPointLayout)
#include "test_pointlayout.moc"
