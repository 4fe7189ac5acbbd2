#include "events.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace common {

namespace {
int serveDepth = 0;
bool ending = false;

std::function<double()>& clockOverride()
{
    static std::function<double()> c;
    return c;
}

std::function<void(int)>& sleepOverride()
{
    static std::function<void(int)> s;
    return s;
}
} // namespace

int runEventLoops()
{
    forgetEventLoopsEnd();
    return QCoreApplication::exec();
}

void endEventLoops(int code)
{
    ending = true;
    QCoreApplication::exit(code);
}

bool eventLoopsEnding()
{
    return ending;
}

void forgetEventLoopsEnd()
{
    ending = false;
}

EventServeScope::EventServeScope()
{
    ++serveDepth;
}
EventServeScope::~EventServeScope()
{
    --serveDepth;
}
int eventServeDepth()
{
    return serveDepth;
}

void DoEvents()
{
    EventServeScope serving;
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void waitEvents(int maxMs)
{
    EventServeScope serving;
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(maxMs < 0 ? 0 : maxMs);
    // Returns after the first batch of events; the timer bounds the block.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

double clockSeconds()
{
    if (clockOverride())
        return clockOverride()();
    static QElapsedTimer t = [] {
        QElapsedTimer e;
        e.start();
        return e;
    }();
    return double(t.nsecsElapsed()) / 1e9;
}

void setClock(std::function<double()> clock)
{
    clockOverride() = std::move(clock);
}

void Sleep(int ms)
{
    if (sleepOverride()) {
        sleepOverride()(ms);
        return;
    }
    QThread::msleep(ms);
}

void setSleep(std::function<void(int)> sleep)
{
    sleepOverride() = std::move(sleep);
}

} // namespace common
