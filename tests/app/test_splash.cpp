// The start-up window: the model choice sets the axis count; OK opens the
// main window only after a choice; every other way out of the window ends
// the program.

#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "common/colors.h"
#include "common/events.h"
#include "link/moddef.h"
#include "support/seams.h"

#include <QTimer>
#include <QtTest>

#include <functional>

using app::frmMain;
using app::frmSplash;

namespace {
// Runs the event loop as the program does, with `action` done in it; the
// exit code, or -1 when the program is still running after `ms`.
int runProgram(const std::function<void()>& action, int ms)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    watchdog.start(ms);
    QTimer::singleShot(0, &watchdog, action);
    return common::runEventLoops();
}
} // namespace

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    // As in the program: unloaded windows are only hidden, and the program
    // ends when a window says so, not with the last window shown.
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        // Each case starts the program afresh, also after one that ended it.
        common::forgetEventLoopsEnd();
        comm::g_AxisCount = 0;
        frmSplash::instance().Show();
    }
    void cleanup()
    {
        frmSplash::instance().Unload();
        frmMain::instance().Unload();
    }

    void versionText() { QCOMPARE(frmSplash::instance().lblVersion->text(), QStringLiteral("Ver 4.0.0")); }

    // A task bar names the program though the window has no frame.
    void titledButFrameless()
    {
        QCOMPARE(frmSplash::instance().windowTitle(), QStringLiteral("Zel 통신프로그램"));
        QVERIFY(frmSplash::instance().windowFlags().testFlag(Qt::FramelessWindowHint));
    }

    void modelClicksSetAxisCountAndColour_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("axisCount");
        QTest::addColumn<int>("highlighted");
        QTest::newRow("K2") << QList<int>{0} << 2 << 0;
        QTest::newRow("K4") << QList<int>{2} << 4 << 2;
        QTest::newRow("K3 then K2: the last click counts") << QList<int>{1, 0} << 2 << 0;
    }
    void modelClicksSetAxisCountAndColour()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(int, axisCount);
        QFETCH(int, highlighted);
        auto& s = frmSplash::instance();
        for (int i : clicks)
            QTest::mouseClick(s.findChild<QPushButton*>(QStringLiteral("cmdSelZel_%1").arg(i)), Qt::LeftButton);
        QCOMPARE(int(comm::g_AxisCount), axisCount);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(common::backColor(s.cmdSelZel[std::size_t(i)]),
                     i == highlighted ? common::color::LightYellow : common::color::InfoBackground);
    }

    void okWithoutModelDoesNothing()
    {
        auto& s = frmSplash::instance();
        s.cmdSelZel_Click(3);
        QVERIFY(s.isLoaded());
        QVERIFY(!frmMain::instance().isLoaded());
    }

    void okAfterModelOpensMainWindow()
    {
        testsupport::MessageRecorder boxes;
        testsupport::SettingsStore store;
        auto& s = frmSplash::instance();
        s.cmdSelZel_Click(1);
        s.cmdSelZel_Click(3);
        QVERIFY(!s.isLoaded());
        QVERIFY(frmMain::instance().isLoaded());
        QVERIFY(frmMain::instance().isVisible());
        QCOMPARE(int(comm::g_AxisCount), 3);
        // OK paints the model buttons neutral as every click does.
        QCOMPARE(common::backColor(s.cmdSelZel[1]), common::color::InfoBackground);
        QVERIFY(boxes.boxes.isEmpty());
    }

    void cancelEndsProgram()
    {
        frmSplash::instance().cmdSelZel_Click(4);
        QVERIFY(!frmSplash::instance().isLoaded());
        QVERIFY(!frmMain::instance().isLoaded());
        QVERIFY(common::eventLoopsEnding());
    }

    void waysOutOfTheWindow_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("ends");
        QTest::newRow("window system's close") << "close" << true;
        QTest::newRow("close after a model choice") << "choose, close" << true;
        QTest::newRow("Cancel") << "cancel" << true;
        QTest::newRow("typed key") << "key" << true;
        QTest::newRow("OK goes on to the main window") << "choose, ok" << false;
    }
    void waysOutOfTheWindow()
    {
        QFETCH(QString, way);
        QFETCH(bool, ends);
        testsupport::MessageRecorder boxes;
        testsupport::SettingsStore store;
        auto& s = frmSplash::instance();
        const int code = runProgram(
            [&] {
                for (const QString& step : way.split(QStringLiteral(", "))) {
                    if (step == u"close")
                        s.close();
                    else if (step == u"choose")
                        s.cmdSelZel_Click(2);
                    else if (step == u"cancel")
                        s.cmdSelZel_Click(4);
                    else if (step == u"ok")
                        s.cmdSelZel_Click(3);
                    else if (step == u"key")
                        QTest::keyClick(&s, Qt::Key_Q);
                }
            },
            ends ? 5000 : 300);
        QCOMPARE(code, ends ? 0 : -1);
        QVERIFY(!s.isLoaded());
        QCOMPARE(frmMain::instance().isLoaded(), !ends);
    }

    void typedKeyEndsProgramAlsoOverAButton()
    {
        auto& s = frmSplash::instance();
        QPushButton* ok = s.cmdSelZel[3];
        QTest::keyClick(ok, Qt::Key_A);
        QVERIFY(!s.isLoaded());
    }

    void keyWithoutCharacterDoesNotEndProgram()
    {
        auto& s = frmSplash::instance();
        QTest::keyClick(s.cmdSelZel[0], Qt::Key_Shift);
        QVERIFY(s.isLoaded());
    }
};

QTEST_MAIN(TestSplash)
#include "test_splash.moc"
