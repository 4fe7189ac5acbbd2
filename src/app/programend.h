#pragma once
// How the program ends: its event loop runs until the program's own quit or
// until SIGTERM, SIGINT or SIGHUP, which end it the same way; whichever way,
// the serial port is let go before the program is gone.

namespace app {

// Runs the event loop of the started program and returns its exit code. A
// signal that ended it is raised again once the port is closed, so that
// whoever started the program learns how it ended.
int runUntilEnd();

} // namespace app
