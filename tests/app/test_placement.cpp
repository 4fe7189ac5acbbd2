// Where every window opens on a 1280x800 screen: centred with its real size
// at every opening, the first one included, and wholly on the screen. With
// ZEL_GRAB_DIR set, each window is also saved there as a picture.

#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "link/moddef.h"
#include "params/parawindows.h"
#include "pendant/frmtp.h"
#include "points/frmloc.h"
#include "points/frmsft.h"
#include "programs/frmdir.h"
#include "programs/frmfile.h"
#include "support/seams.h"

#include <QDir>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

struct Window {
    const char* name;
    std::function<common::Form&()> form;
    bool centred;
};

const QList<Window>& windows()
{
    static const QList<Window> list = {
        {"frmSplash", []() -> common::Form& { return app::frmSplash::instance(); }, true},
        {"frmMain", []() -> common::Form& { return app::frmMain::instance(); }, true},
        {"frmSysPara", []() -> common::Form& { return params::frmSysPara::instance(); }, true},
        {"frmGain", []() -> common::Form& { return params::frmGain::instance(); }, true},
        {"frmAxis", []() -> common::Form& { return params::frmAxis::instance(); }, true},
        {"frmSw", []() -> common::Form& { return params::frmSw::instance(); }, true},
        {"frmLmt", []() -> common::Form& { return params::frmLmt::instance(); }, true},
        {"frmFile", []() -> common::Form& { return programs::frmFile::instance(); }, true},
        {"frmLoc", []() -> common::Form& { return points::frmLoc::instance(); }, true},
        {"frmSft", []() -> common::Form& { return points::frmSft::instance(); }, true},
        {"frmTP", []() -> common::Form& { return pendant::frmTP::instance(); }, false},
        {"frmdir", []() -> common::Form& { return programs::frmdir::instance(); }, false},
    };
    return list;
}

void grab(QWidget& w, const QString& suffix)
{
    const QString dir = qEnvironmentVariable("ZEL_GRAB_DIR");
    if (!dir.isEmpty())
        w.grab().save(QDir(dir).filePath(w.objectName() + suffix + QStringLiteral(".png")));
}

} // namespace

class TestPlacement : public QObject {
    Q_OBJECT
    testsupport::SettingsStore m_store;
    testsupport::MessageRecorder m_boxes;

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1280, 800));
        comm::g_AxisCount = 4;
    }

    void everyWindowOpensCentredAndOnTheScreen_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < windows().size(); ++i)
            QTest::newRow(windows()[i].name) << i;
    }
    void everyWindowOpensCentredAndOnTheScreen()
    {
        QFETCH(int, index);
        const Window& entry = windows()[index];
        common::Form& w = entry.form();
        QCOMPARE(w.objectName(), QString::fromLatin1(entry.name));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        for (int opening = 1; opening <= 2; ++opening) {
            w.Show();
            QVERIFY(w.isVisible());
            if (opening == 1)
                grab(w, QString());
            const QRect g = w.frameGeometry();
            QVERIFY2(screen.contains(g), qPrintable(QStringLiteral("opening %1 at %2,%3 %4x%5")
                                                        .arg(opening)
                                                        .arg(g.x())
                                                        .arg(g.y())
                                                        .arg(g.width())
                                                        .arg(g.height())));
            if (entry.centred) {
                QCOMPARE(g.x(), (screen.width() - g.width()) / 2);
                QCOMPARE(g.y(), (screen.height() - g.height()) / 2);
            }
            QVERIFY(w.Unload());
        }
    }

    // The main window cannot be narrowed until its menu bar folds items
    // into an overflow button.
    void mainWindowKeepsItsWholeMenuBar()
    {
        app::frmMain& m = app::frmMain::instance();
        m.Show();
        m.resize(100, m.height());
        QCoreApplication::processEvents();
        QVERIFY(m.width() >= m.menuBar->sizeHint().width());
        auto* more = m.menuBar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(!more || !more->isVisible());
        for (QAction* a : m.menuBar->actions())
            QVERIFY2(!m.menuBar->actionGeometry(a).isEmpty(), qPrintable(a->text()));
        QVERIFY(m.Unload());
    }
};

QTEST_MAIN(TestPlacement)
#include "test_placement.moc"
