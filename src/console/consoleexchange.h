#pragma once
// The exchanges of the operator console, without a widget: the connect
// request, the command exchanges, output switching, the bare stop and run
// reset bytes, and the status read with its decoding. The main window calls
// them and paints what they return.

#include "link/modlib.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace console {

enum class ConnectAnswer {
    Connected, // LINK_DC1: the ring is emptied for the first exchange
    NoAnswer,  // nothing came within kConnectWait (or the port failed)
    Refused,   // another byte came
};

// Writes LINK_ENQ on the open port and waits for the controller's answer.
// Only the last byte of the notification that ends the wait decides.
ConnectAnswer connectController();

// The disconnect command; true when the controller echoed it.
bool disconnectController();

enum class CommandResult {
    Done,            // echoed, and the word was answered LINK_SYN
    HandshakeFailed, // answered with the abort word only; a time-out has told itself
    WordRefused,     // the word went unanswered or was refused
    NotOwned,        // the link was another exchange's: nothing written, nothing shown
};

// Handshake `code`, then `word` with its answer awaited `answerWait`
// seconds. `echoed` runs between the handshake and the word.
CommandResult commandExchange(std::int16_t code, std::int32_t word = 0, double answerWait = comm::kByteWait,
                              const std::function<void()>& echoed = {});

// The console's commands without a number of their own: each one command
// exchange with the word 0.
enum class ConsoleCommand { ServoOn, ServoOff, AlarmReset, IoAllOn, IoAllOff, ZeroReturn };
CommandResult sendCommand(ConsoleCommand command);

// RUN of program `program`; `started` runs once the controller echoed.
CommandResult runProgram(std::int32_t program, const std::function<void()>& started);

// The outputs 0..7 belong to the controller.
inline constexpr int kFirstSwitchedOutput = 8;
inline constexpr int kLastOutput = 31;

// Switches output `output` (8..31) on or off; outputs below 8 send nothing
// and give Done.
CommandResult setOutput(int output, bool on);

// Stop and run reset are bare bytes: no handshake, no answer.
void stopRun();
void resetRun();

// One bank of 32 I/O points, bit n point n.
struct IoBits {
    std::uint32_t bits = 0;
    bool on(int n) const { return n >= 0 && n < 32 && ((bits >> n) & 1u) != 0; }
};

// Named outputs of the status read.
inline constexpr int kAlarmOutput = 0;
inline constexpr int kServoOutput = 2;

// The two halves of the status read, each after a pause of kStatusPauseMs:
// the bank, or nothing when the read failed (a failed exchange is told with
// the link error box, a refused block is not).
inline constexpr int kStatusPauseMs = 400;
std::optional<IoBits> readOutputs();
std::optional<IoBits> readInputs();

// The bank from the two words of a status block (low word points 0..15).
IoBits ioBitsOf(std::int32_t lo, std::int32_t hi);

} // namespace console
