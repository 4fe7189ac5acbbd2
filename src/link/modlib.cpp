#include "modlib.h"

#include "exchange.h"
#include "moderror.h"
#include "serialportcontrol.h"
#include "operatorexchange.h"

#include "common/events.h"
#include "common/msgbox.h"
#include "common/texts.h"

#include <algorithm>

namespace comm {

std::int16_t g_AxisCount = 0;
std::uint8_t g_TxBuf = 0;
std::array<std::uint8_t, kRingSlots + 1> g_RxRing{};
std::int16_t g_RxHead = 0;
std::int16_t g_RxTail = 0;
bool rxOverflow = false;
QByteArray g_InBytes;
bool g_RxEvent = false;
std::array<std::uint8_t, kRxDataSize> g_RxData{};
std::int16_t g_BlockLen = 0;
std::int16_t g_RxChk = 0;
std::array<std::int32_t, 4> g_BytePlace{};
bool g_LinkBusy = false;
std::int32_t g_InLo = 0;
std::int32_t g_InHi = 0;
std::int32_t g_OutLo = 0;
std::int32_t g_OutHi = 0;

namespace {
inline std::int16_t nextSlot(std::int16_t i)
{
    return i >= kRingSlots - 1 ? 0 : std::int16_t(i + 1);
}

// The longest block the poll of a wait sleeps between looks at the clock.
constexpr double kWakeSeconds = 0.05;

bool lineBroken()
{
    return lineLost() || rxOverflow;
}
} // namespace

bool lineLost()
{
    const SerialPortControl& port = SerialPortControl::MSComm1();
    return !port.PortOpen() || port.failed() || common::eventLoopsEnding();
}

void initBytePlace()
{
    g_BytePlace = {1, 256, 65536, 16777216};
}

void MSComm1_OnComm()
{
    SerialPortControl& port = SerialPortControl::MSComm1();
    if (port.CommEvent() != SerialPortControl::comEvReceive)
        return;
    port.InputLen = 1;
    while (port.InBufferCount() != 0) {
        g_InBytes = port.Input();
        if (g_InBytes.isEmpty())
            break;
        const std::int16_t next = nextSlot(g_RxHead);
        if (next == g_RxTail) {
            // A full ring would read as empty: refuse the byte and fail the
            // running receive instead of losing data silently.
            rxOverflow = true;
            continue;
        }
        g_RxRing[std::size_t(g_RxHead)] = std::uint8_t(g_InBytes[0]);
        g_RxHead = next;
    }
    g_RxEvent = true;
}

void attachReceiveNotification()
{
    static bool attached = false;
    if (attached)
        return;
    attached = true;
    QObject::connect(&SerialPortControl::MSComm1(), &SerialPortControl::OnComm, &SerialPortControl::MSComm1(),
                     [] { MSComm1_OnComm(); });
}

void clearRxRing()
{
    SerialPortControl::MSComm1().ClearInput();
    g_RxTail = 0;
    g_RxHead = 0;
    rxOverflow = false;
}

bool waitRxByte(double limit)
{
    const double deadline = common::clockSeconds() + limit;
    for (;;) {
        // After an overflow the bytes in the ring are no longer the line's
        // whole stream: fail rather than read past the lost ones.
        if (rxOverflow)
            return false;
        if (RxAvail())
            return true;
        if (lineBroken())
            return false;
        const double left = deadline - common::clockSeconds();
        if (left <= 0)
            return RxAvail();
        common::waitEvents(int(std::min(left, kWakeSeconds) * 1000.0) + 1);
    }
}

void SendTxByte()
{
    SerialPortControl::MSComm1().Output(g_TxBuf);
}

void writeBytes(const std::uint8_t* bytes, int n)
{
    if (n <= 0)
        return;
    g_TxBuf = bytes[n - 1];
    SerialPortControl::MSComm1().Output(bytes, n);
}

bool RxAvail()
{
    return g_RxHead != g_RxTail;
}

std::int16_t RxGetByte()
{
    if (!RxAvail())
        return 0;
    const std::int16_t b = g_RxRing[std::size_t(g_RxTail)];
    g_RxTail = nextSlot(g_RxTail);
    return b;
}

Handshake LinkHandshake(std::int16_t code)
{
    // Backstop of the one-exchange rule: a handshake from inside another
    // exchange's wait writes nothing.
    if (!OperatorExchange::mayUseLink())
        return Handshake::NotOwned;
    // Late bytes of an earlier exchange must not pass for this one's answers.
    clearRxRing();
    writeByte(LINK_SOH);
    if (!waitRxByte(kHandshakeWait)) {
        common::MsgBox(common::texts::kNotConnected);
        return Handshake::TimedOut;
    }
    RxGetByte();
    writeByte(std::uint8_t(code));
    if (!waitRxByte(kHandshakeWait)) {
        common::MsgBox(common::texts::kNotConnected);
        return Handshake::TimedOut;
    }
    return RxGetByte() == code ? Handshake::Echoed : Handshake::WrongEcho;
}

bool SendWordOrAbort(std::int16_t abort, std::int32_t w, double limit)
{
    const std::uint8_t word[3] = {std::uint8_t(w & 0xFF), std::uint8_t((w >> 8) & 0xFF),
                                  abort != 0 ? LINK_DLE : LINK_STX};
    writeBytes(word, 3);
    if (abort != 0)
        return true;
    if (!waitRxByte(limit))
        return false;
    return RxGetByte() == LINK_SYN;
}

bool SendZeroWord(std::int16_t abort, double limit)
{
    return SendWordOrAbort(abort, 0, limit);
}

bool SendWordAck(std::int32_t w, double limit)
{
    return SendWordOrAbort(0, w, limit);
}

bool RecvWordAck()
{
    if (!waitRxByte())
        return false;
    const std::int16_t lo = RxGetByte();
    if (!waitRxByte())
        return false;
    const std::int16_t hi = RxGetByte();
    if (!waitRxByte())
        return false;
    if (RxGetByte() != LINK_STX)
        return false;
    writeByte(LINK_SYN);
    // A word of 32768 or more does not fit: it reads as negative, and every
    // receiver refuses a length outside what it can take.
    g_BlockLen = std::int16_t(std::uint16_t(lo + 256 * hi));
    return true;
}

bool SendBlockEnd(std::uint8_t chk)
{
    const std::uint8_t trailer[2] = {chk, LINK_ETX};
    writeBytes(trailer, 2);
    return blockAnswered();
}

bool blockAnswered()
{
    if (!waitRxByte())
        return false;
    return RxGetByte() == LINK_EOT;
}

bool RecvBlockEnd()
{
    if (!waitRxByte())
        return false;
    g_RxChk = RxGetByte();
    if (!waitRxByte())
        return false;
    return RxGetByte() == LINK_ETX;
}

bool ReadIoStatus(std::int16_t which)
{
    const std::int16_t code = which == 1 ? CMD_READ_INPUTS : CMD_READ_OUTPUTS;
    if (const Handshake h = LinkHandshake(code); h != Handshake::Echoed) {
        if (h != Handshake::NotOwned)
            ShowLinkError(0);
        return false;
    }
    std::array<std::uint8_t, 4> b{};
    switch (recvBlock(4, b.data(), 4, false)) {
    case BlockRecv::Failed:
        ShowLinkError(0);
        return false;
    case BlockRecv::Refused:
        return false;
    case BlockRecv::Accepted:
        break;
    }
    const std::int32_t lo = b[0] + 256 * b[1];
    const std::int32_t hi = b[2] + 256 * b[3];
    if (which == 1) {
        g_InLo = lo;
        g_InHi = hi;
    } else {
        g_OutLo = lo;
        g_OutHi = hi;
    }
    return true;
}

} // namespace comm
