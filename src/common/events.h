#pragma once
// Serving pending window events from inside an operation, the clock the waits
// measure with, and the blocking pause. Clock and pause can be replaced by
// tests so that time-outs do not make the suite slow.

#include <functional>

namespace common {

// Runs the main event loop (QCoreApplication::exec) until endEventLoops().
// An end asked for before it is forgotten, as Qt forgets an exit() then.
int runEventLoops();

// Ends the event loops with `code` (QCoreApplication::exit) and marks the
// program as ending: from now on every loop of the program's own (a modal
// window's, a wait's) ends as Qt's own loops do, and no window opens.
void endEventLoops(int code);
bool eventLoopsEnding();
// Forgets an end asked for: runEventLoops() does as the loop starts, and so
// do tests that end the program and then go on with it.
void forgetEventLoopsEnd();

// Serves the pending events once and returns (never blocks).
void DoEvents();

// Blocks until an event arrives or `maxMs` has passed, then serves the
// pending events. A wait for the controller costs no CPU this way.
void waitEvents(int maxMs);

// How deeply the program is inside code that serves events (waits, message
// boxes, modal dialogs). An exchange started at a deeper level than a running
// one was started from one of those served events.
int eventServeDepth();

class EventServeScope {
public:
    EventServeScope();
    ~EventServeScope();
    EventServeScope(const EventServeScope&) = delete;
    EventServeScope& operator=(const EventServeScope&) = delete;
};

// Monotonic seconds.
double clockSeconds();
void setClock(std::function<double()> clock); // empty: the real clock

// Blocking pause: no events are served meanwhile.
void Sleep(int ms);
void setSleep(std::function<void(int)> sleep); // empty: the real pause

} // namespace common
