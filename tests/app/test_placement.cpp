// Where every window opens on a 1280x800 screen: centred with its real size
// at every opening, the first one included, and wholly on the screen. With
// ZEL_GRAB_DIR set, each window is also saved there as a picture.

#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "common/events.h"
#include "link/moddef.h"
#include "params/parawindows.h"
#include "pendant/frmtp.h"
#include "points/frmloc.h"
#include "points/frmsft.h"
#include "programs/frmdir.h"
#include "programs/frmfile.h"
#include "support/seams.h"

#include <QDir>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
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
            // Unloading the start-up or the main window ends the program:
            // each opening is the program's start afresh.
            common::forgetEventLoopsEnd();
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

    // The folder chooser belongs to the FILE window that opened it: in front
    // of it, centred on it wherever it stands (kept on the screen), and with
    // a file list that shows a program file name whole beside its scroll bar.
    void folderChooserOpensOverTheFileWindow_data()
    {
        QTest::addColumn<bool>("receiveSide");
        QTest::addColumn<QPoint>("fileWindowAt"); // (-1, -1): where it opens
        QTest::addColumn<bool>("centred");
        QTest::newRow("send side, FILE window where it opens") << false << QPoint(-1, -1) << true;
        QTest::newRow("receive side, FILE window moved") << true << QPoint(90, 70) << true;
        QTest::newRow("FILE window in the screen's corner: on the screen") << false << QPoint(0, 0) << false;
    }
    void folderChooserOpensOverTheFileWindow()
    {
        QFETCH(bool, receiveSide);
        QFETCH(QPoint, fileWindowAt);
        QFETCH(bool, centred);
        QTemporaryDir folder;
        for (int n = 0; n <= 31; ++n) {
            QFile file(folder.filePath(QStringLiteral("ZEVAZA%1.dat").arg(n, 2, 10, QLatin1Char('0'))));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString here = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        programs::frmFile& f = programs::frmFile::instance();
        programs::frmdir& d = programs::frmdir::instance();
        d.Unload(); // its lists start at the current folder
        f.Show();
        if (fileWindowAt != QPoint(-1, -1))
            f.move(fileWindowAt);
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            const QSize opened = d.size();
            const auto cancel = qScopeGuard([&d, opened] { // also after a failed check
                d.CancelButton_Click();
                d.resize(opened);
            });
            QVERIFY(d.isVisible());
            QCOMPARE(d.parentWidget(), &f);
            QVERIFY(d.windowHandle() && d.windowHandle()->transientParent() == f.windowHandle());
            const QRect g = d.frameGeometry();
            QVERIFY(QGuiApplication::primaryScreen()->geometry().contains(g));
            if (centred) {
                const QPoint off = g.center() - f.frameGeometry().center();
                QVERIFY2(off.manhattanLength() <= 2,
                         qPrintable(QStringLiteral("off by %1,%2").arg(off.x()).arg(off.y())));
            }
            QVERIFY(!d.File1->findItems(QStringLiteral("ZEVAZA00.dat"), Qt::MatchExactly).isEmpty());
            // As it opens, and narrowed by the operator as far as it goes.
            for (const bool narrowed : {false, true}) {
                if (narrowed)
                    d.resize(1, d.height());
                QTRY_VERIFY(d.File1->verticalScrollBar()->isVisible());
                const int need = d.File1->sizeHintForColumn(0);
                const int have = d.File1->viewport()->width();
                QVERIFY2(need <= have,
                         qPrintable(QStringLiteral("narrowed %1: %2 wide in %3").arg(narrowed).arg(need).arg(have)));
                QVERIFY(!d.File1->horizontalScrollBar()->isVisible());
                grab(d, narrowed ? QStringLiteral("-narrowed") : QStringLiteral("-over-frmFile"));
            }
        });
        if (receiveSide)
            f.cmdFileReceiveOpen_Click();
        else
            f.cmdFileTransOpen_Click();
        QVERIFY(ran);
        d.Unload();
        QVERIFY(f.Unload());
        QVERIFY(QDir::setCurrent(here));
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
