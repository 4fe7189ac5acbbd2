// One rule for every operator-started exchange, in every window: a click
// served inside another exchange's wait does nothing and shows nothing, even
// with the port closed; alone with the port closed it tells exactly that,
// once; and the pressed control is given back.

#include "app/frmmain.h"
#include "common/events.h"
#include "link/moddef.h"
#include "link/serialportcontrol.h"
#include "link/operatorexchange.h"
#include "params/parawindows.h"
#include "points/frmloc.h"
#include "points/frmsft.h"
#include "programs/frmfile.h"
#include "support/seams.h"
#include "support/operatortexts.h"

#include <QAbstractButton>
#include <QtTest>

namespace {

using testsupport::texts::kPortClosed;

common::Form& windowNamed(const QString& name)
{
    if (name == u"frmGain")
        return params::frmGain::instance();
    if (name == u"frmSysPara")
        return params::frmSysPara::instance();
    if (name == u"frmLoc")
        return points::frmLoc::instance();
    if (name == u"frmSft")
        return points::frmSft::instance();
    if (name == u"frmFile")
        return programs::frmFile::instance();
    return app::frmMain::instance();
}
} // namespace

class TestOperatorExchange : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::SettingsStore store;
        app::frmMain::instance().Load();
        comm::g_AxisCount = 4;
    }

    void clickWithThePortClosed_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("insideAWait");
        const struct {
            const char* row;
            const char* window;
            const char* control;
        } clicks[] = {
            {"console SERVO ON", "frmMain", "cmdSvOn_0"},
            {"console output switch", "frmMain", "chkIoOutput_8"},
            {"console Error Check", "frmMain", "cmderr"},
            {"gain receive", "frmGain", "cmdRcv"},
            {"system transmit", "frmSysPara", "cmdTrans"},
            {"location send", "frmLoc", "cmdLocTrans_0"},
            {"location receive", "frmLoc", "cmdLocReceive_0"},
            {"location transmit File Open", "frmLoc", "cmdLocTrans_3"},
            {"location receive File Open", "frmLoc", "cmdLocReceive_3"},
            {"location receive File Save", "frmLoc", "cmdLocReceive_4"},
            {"shift transmit File Open", "frmSft", "cmdSftLocTrans_2"},
            {"shift receive File Open", "frmSft", "cmdSftLocReceive_2"},
            {"shift receive File Save", "frmSft", "cmdSftLocReceive_3"},
            {"program send", "frmFile", "cmdFileTrans_0"},
            {"all programs received", "frmFile", "cmdFileReceive_1"},
        };
        for (const auto& c : clicks) {
            QTest::addRow("%s, alone: port closed", c.row) << c.window << c.control << false;
            QTest::addRow("%s, inside another wait: nothing", c.row) << c.window << c.control << true;
        }
    }
    void clickWithThePortClosed()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(bool, insideAWait);
        common::Form& w = windowNamed(window);
        if (&w != &app::frmMain::instance())
            w.Show();
        auto* button = w.findChild<QAbstractButton*>(control);
        QVERIFY2(button, qPrintable(control));
        comm::SerialPortControl::MSComm1().setPortOpen(false);
        testsupport::MessageRecorder boxes;
        testsupport::FileDialogAnswers dialogs;
        {
            std::optional<comm::OperatorExchange> running;
            std::optional<common::EventServeScope> served;
            if (insideAWait) {
                running.emplace();
                served.emplace();
            }
            button->click();
        }
        QCOMPARE(boxes.texts(), insideAWait ? QStringList{} : QStringList{kPortClosed});
        QCOMPARE(dialogs.requests.size(), 0);
        QVERIFY(button->isEnabled());
        QVERIFY(!comm::OperatorExchange::running());
        QVERIFY(!comm::g_LinkBusy);
        if (&w != &app::frmMain::instance())
            QVERIFY(w.Unload());
    }
};

QTEST_MAIN(TestOperatorExchange)
#include "test_operatorexchange.moc"
