#include "programend.h"

#include "frmsplash.h"

#include "common/events.h"
#include "common/qttranslations.h"
#include "link/serialportcontrol.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace app {

namespace {
constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The signal handler only writes the signal's number here; the event loop
// reads it and ends the program in order.
int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t endingSignal = 0;

void onEndSignal(int sig)
{
    const int saved = errno;
    endingSignal = sig;
    const char byte = char(sig);
    (void)!::write(signalPipe[1], &byte, 1);
    errno = saved;
}

void releasePort()
{
    comm::SerialPortControl::MSComm1().release();
}

// A signal that its starter ignores (nohup, a background job) stays ignored.
void catchEndSignals()
{
    struct sigaction caught {};
    caught.sa_handler = onEndSignal;
    sigemptyset(&caught.sa_mask);
    caught.sa_flags = SA_RESTART;
    for (const int sig : kEndSignals) {
        struct sigaction before {};
        if (::sigaction(sig, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            ::sigaction(sig, &caught, nullptr);
    }
}

int runUntilEnd()
{
    // Also when a library ends the program from inside the loop with exit()
    // (a display that went away). What the program built after this call
    // (its windows, the statics of Qt's painting) is gone by the time it
    // runs, which is why closing the port touches nothing but the port.
    std::atexit(releasePort);
    std::unique_ptr<QSocketNotifier> signalled;
    if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        signalled = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(signalled.get(), &QSocketNotifier::activated, [] {
            char byte;
            while (::read(signalPipe[0], &byte, 1) > 0) {
            }
            // The line is let go at once: an exchange that waits on it ends
            // now and writes nothing more, every loop unwinds and no window
            // opens on the way out.
            releasePort();
            endProgram();
        });
        catchEndSignals();
    }
    const int code = common::runEventLoops();
    releasePort();
    if (const int sig = endingSignal) {
        std::signal(sig, SIG_DFL);
        std::raise(sig);
    }
    return code;
}
} // namespace

int runProgram(int argc, char** argv, const std::function<void()>& started)
{
    QApplication application(argc, argv);
    common::loadQtTranslations();
    // Windows are hidden, never destroyed, when they unload: the program
    // ends when the start-up or the main window says so.
    application.setQuitOnLastWindowClosed(false);
    frmSplash::instance().Show();
    if (started)
        started();
    return runUntilEnd();
}

} // namespace app
