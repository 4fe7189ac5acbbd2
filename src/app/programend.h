#pragma once
// How the program starts and ends: the start-up window, then the event loop
// until the program's own quit or until SIGTERM, SIGINT or SIGHUP, which end
// it the same way; whichever way, the serial port is let go before the
// program is gone, also when a library ends it with exit().

#include <functional>

namespace app {

// Starts the program as the operator meets it and returns its exit code.
// `started` runs once everything is in place, just before the event loop
// (tests drive the program from there). A signal that ended the program is
// raised again once the port is closed, so that whoever started the program
// learns how it ended.
int runProgram(int argc, char** argv, const std::function<void()>& started = {});

} // namespace app
