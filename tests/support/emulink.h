#pragma once
// A controller emulator on a pseudo-terminal with the program's own port
// open on it, as after the operator chose "Open(COM1)": every link procedure
// of a test talks to the emulator through the real serial-port class.

#include "emulator/controlleremulator.h"
#include "support/seams.h"

#include <functional>

namespace testsupport {

class EmulatorLink {
public:
    // The controller holds zeros everywhere unless told to hold its sample.
    explicit EmulatorLink(int axisCount = 4, emu::Contents contents = emu::Contents::Empty);
    ~EmulatorLink();
    EmulatorLink(const EmulatorLink&) = delete;
    EmulatorLink& operator=(const EmulatorLink&) = delete;

    // The emulator started and the port opened on it.
    bool ok() const { return m_ok; }

    emu::ControllerEmulator& emulator() { return m_emu; }
    emu::State& state() { return m_emu.state(); }
    emu::Faults& faults() { return m_emu.faults(); }
    QString trace() const { return m_emu.trace(); }

    // Serves events until the emulator has read `count` bytes from the PC
    // in all, or `ms` passed; true when they came. For checks after an
    // operation that writes without waiting for an answer.
    bool waitForPcBytes(int count, int ms = 2000);

    // Serves events until `now()` reads `expected` (or `ms` passed), then
    // while it stays so for `quietMs` more: a comparison that follows sees
    // the bytes that came late and any that came after them, with no fixed
    // pause that a loaded machine could outrun.
    void settle(const std::function<QString()>& now, const QString& expected, int quietMs = 50, int ms = 2000);
    // settle() on the line trace, and on the PC's bytes as hexadecimal.
    void settleTrace(const QString& expected, int quietMs = 50);
    void settlePcBytes(const QString& expectedHex, int quietMs = 50);

    // The port's device comes from here; the boxes the link shows land here
    // (use this recorder rather than a second one of the test's own).
    SettingsStore settings;
    MessageRecorder boxes;

private:
    emu::ControllerEmulator m_emu;
    bool m_ok = false;
};

} // namespace testsupport
