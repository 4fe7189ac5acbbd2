#pragma once
// The link procedures: single bytes, acknowledged words, block trailers and
// the status exchange. None raises; each reports success as true or false and
// the caller decides what the operator sees.

#include "controlbytes.h"
#include "moddef.h"

#include <cstdint>

namespace comm {

// Waits, all in seconds of a monotonic clock.
inline constexpr double kHandshakeWait = 7.0;     // each of the two handshake answers
inline constexpr double kConnectWait = 5.0;       // the answer to LINK_ENQ
inline constexpr double kByteWait = 10.0;         // any other byte from the controller
inline constexpr double kMotionAnswerWait = 60.0; // the word after a command that starts motion

// The receive notification: moves every waiting byte into the ring.
void MSComm1_OnComm();
// Connects MSComm1's notification to MSComm1_OnComm (once).
void attachReceiveNotification();

// Empties the ring and drops every byte the port has received but not yet
// delivered: Qt's buffer and the device's pending input, so that only bytes
// sent after this call reach the ring.
void clearRxRing();

// No answer can come any more: the port is closed or failed, or the program
// ends. Every wait for the controller ends at once then.
bool lineLost();

// Waits until the ring holds a byte. False when `limit` seconds pass without
// one, or at once when the line is lost or the ring overflowed.
bool waitRxByte(double limit = kByteWait);

void SendTxByte();
bool RxAvail();
std::int16_t RxGetByte();

// How a handshake ended. A time-out has told the operator itself; a wrong
// echo has not, and the caller decides what is shown. NotOwned is no failure
// of the link: the caller writes nothing more and shows nothing.
enum class Handshake {
    Echoed,    // the controller echoed the command code
    WrongEcho, // another byte came back
    TimedOut,  // one of the two answers did not come; "not connected" was shown
    NotOwned,  // another exchange holds the link: nothing was written
};

Handshake LinkHandshake(std::int16_t code);
bool SendWordAck(std::int32_t w, double limit = kByteWait);
bool RecvWordAck();
bool SendZeroWord(std::int16_t abort, double limit = kByteWait);
bool SendWordOrAbort(std::int16_t abort, std::int32_t w, double limit = kByteWait);
bool SendBlockEnd(std::uint8_t chk);
bool RecvBlockEnd();
bool ReadIoStatus(std::int16_t which);

// Writes one byte through g_TxBuf.
inline void writeByte(std::uint8_t b)
{
    g_TxBuf = b;
    SendTxByte();
}

// Writes n bytes in order as one piece: the same bytes on the line as n
// writeByte calls, handed over at once. g_TxBuf ends holding the last.
void writeBytes(const std::uint8_t* bytes, int n);

// The controller's answer to a block just written: true on LINK_EOT.
bool blockAnswered();

} // namespace comm
