#include "form.h"

#include "events.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QSet>

namespace common {

namespace {
QList<Form*>& loadOrder()
{
    static QList<Form*> l;
    return l;
}
} // namespace

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) {}

void Form::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    loadOrder().removeAll(this);
    loadOrder().append(this);
    Form_Load();
}

void Form::Show()
{
    // Nothing opens while the program ends.
    if (eventLoopsEnding())
        return;
    Load();
    if (!m_loaded) // the load handler may have unloaded the window again
        return;
    show();
    raise();
    activateWindow();
}

void Form::ShowModal()
{
    if (eventLoopsEnding())
        return;
    Load();
    if (!m_loaded)
        return;
    m_modal = true;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    EventServeScope serving;
    QEventLoop loop;
    QPointer<Form> self(this);
    // Like Qt's own modal loops, this one ends when the program ends.
    while (self && m_loaded && isVisible() && !eventLoopsEnding())
        loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (self) {
        m_modal = false;
        setWindowModality(Qt::NonModal);
    }
}

bool Form::Unload()
{
    if (!m_loaded)
        return true;
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        return false;
    m_loaded = false;
    loadOrder().removeAll(this);
    hide();
    return true;
}

QList<Form*> Form::loadedForms()
{
    return loadOrder();
}

void Form::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // A window not shown yet has not been laid out: give it the size its
    // first showing would, so that it is centred with its real size.
    ensurePolished();
    if (layout())
        layout()->activate();
    if (!isVisible() && !testAttribute(Qt::WA_Resized))
        adjustSize();
    const QRect area = screen->geometry();
    const QSize size = frameGeometry().size();
    move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

void Form::closeEvent(QCloseEvent* e)
{
    if (Unload())
        e->accept();
    else
        e->ignore();
}

namespace {
QPointer<QWidget>& mainWindow()
{
    static QPointer<QWidget> w;
    return w;
}
QSet<QWidget*>& holders()
{
    static QSet<QWidget*> h;
    return h;
}
void applyMainWindowState()
{
    if (mainWindow())
        mainWindow()->setEnabled(holders().isEmpty());
}
} // namespace

void setMainWindow(QWidget* main)
{
    mainWindow() = main;
    applyMainWindowState();
}

void disableMainWindowFor(QWidget* holder)
{
    holders().insert(holder);
    applyMainWindowState();
}

void enableMainWindowFor(QWidget* holder)
{
    holders().remove(holder);
    applyMainWindowState();
}

bool mainWindowHeldDisabled()
{
    return !holders().isEmpty();
}

} // namespace common
