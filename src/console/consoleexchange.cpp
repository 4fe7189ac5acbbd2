#include "consoleexchange.h"

#include "common/events.h"
#include "link/exchange.h"
#include "link/moddef.h"
#include "link/moderror.h"

namespace console {

using namespace comm;

ConnectAnswer connectController()
{
    g_RxEvent = false;
    writeByte(LINK_ENQ);
    const double deadline = common::clockSeconds() + kConnectWait;
    while (common::clockSeconds() < deadline && !lineLost()) {
        common::waitEvents(50);
        if (g_RxEvent)
            break;
    }
    if (!g_RxEvent)
        return ConnectAnswer::NoAnswer;
    g_RxEvent = false;
    if (g_InBytes.isEmpty() || std::uint8_t(g_InBytes[0]) != LINK_DC1)
        return ConnectAnswer::Refused;
    g_RxTail = 0;
    g_RxHead = 0;
    return ConnectAnswer::Connected;
}

bool disconnectController()
{
    g_RxEvent = false;
    return LinkHandshake(CMD_DISCONNECT) == Handshake::Echoed;
}

CommandResult commandExchange(std::int16_t code, std::int32_t word, double answerWait,
                              const std::function<void()>& echoed)
{
    switch (LinkHandshake(code)) {
    case Handshake::Echoed:
        break;
    case Handshake::NotOwned:
        return CommandResult::NotOwned;
    case Handshake::WrongEcho:
    case Handshake::TimedOut:
        SendWordOrAbort(1, 0);
        return CommandResult::HandshakeFailed;
    }
    if (echoed)
        echoed();
    return SendWordOrAbort(0, word, answerWait) ? CommandResult::Done : CommandResult::WordRefused;
}

namespace {
struct CommandRow {
    ConsoleCommand command;
    std::int16_t code;
    double answerWait;
};

// Servo on and zero return may be answered only once the motion is under way.
constexpr CommandRow kCommands[] = {
    {ConsoleCommand::ServoOn, CMD_SERVO_ON, kMotionAnswerWait}, {ConsoleCommand::ServoOff, CMD_SERVO_OFF, kByteWait},
    {ConsoleCommand::AlarmReset, CMD_ALARM_RESET, kByteWait},   {ConsoleCommand::IoAllOn, CMD_IO_ALL_ON, kByteWait},
    {ConsoleCommand::IoAllOff, CMD_IO_ALL_OFF, kByteWait},      {ConsoleCommand::ZeroReturn, CMD_ZR, kMotionAnswerWait},
};
} // namespace

CommandResult sendCommand(ConsoleCommand command)
{
    for (const CommandRow& row : kCommands)
        if (row.command == command)
            return commandExchange(row.code, 0, row.answerWait);
    return CommandResult::HandshakeFailed;
}

CommandResult runProgram(std::int32_t program, const std::function<void()>& started)
{
    return commandExchange(CMD_RUN, program, kMotionAnswerWait, started);
}

CommandResult setOutput(int output, bool on)
{
    if (output < kFirstSwitchedOutput || output > kLastOutput)
        return CommandResult::Done;
    return commandExchange(CMD_SET_OUTPUT, 0, kByteWait, [output, on] {
        // The controller numbers the switched outputs from 1.
        writeByte(std::uint8_t(output - 7));
        writeByte(on ? 1 : 0);
    });
}

void stopRun()
{
    writeByte(LINK_DLE);
}

void resetRun()
{
    writeByte(LINK_CAN);
}

IoBits ioBitsOf(std::int32_t lo, std::int32_t hi)
{
    return IoBits{(std::uint32_t(lo) & 0xFFFFu) | ((std::uint32_t(hi) & 0xFFFFu) << 16)};
}

namespace {
std::optional<IoBits> readBank(std::int16_t which)
{
    common::Sleep(kStatusPauseMs);
    if (!ReadIoStatus(which))
        return std::nullopt;
    return which == 1 ? ioBitsOf(g_InLo, g_InHi) : ioBitsOf(g_OutLo, g_OutHi);
}
} // namespace

std::optional<IoBits> readOutputs()
{
    return readBank(2);
}

std::optional<IoBits> readInputs()
{
    return readBank(1);
}

} // namespace console
