#pragma once
// What every transfer is built from beyond the single procedures: the guard
// that keeps to one exchange at a time, the report that tells the operator of
// a failure the exchange itself does not show, data blocks, and the encoding
// of values inside blocks.

#include <array>
#include <cstdint>
#include <functional>

namespace comm {

// One exchange at a time. Every operation that talks to the controller holds
// one for its whole length (a run over many items holds one for the run).
// A guard taken while another exchange waits (from an event that the running
// exchange served) is not owned: the operation must then do nothing and write
// nothing. Guards nest within one operation.
class ExchangeGuard {
public:
    ExchangeGuard();
    ~ExchangeGuard();
    ExchangeGuard(const ExchangeGuard&) = delete;
    ExchangeGuard& operator=(const ExchangeGuard&) = delete;

    explicit operator bool() const { return m_owned; }
    bool owned() const { return m_owned; }

    // An exchange is running.
    static bool busy();
    // The link may be used from here: no exchange runs, or the running one is
    // the caller's own.
    static bool mayUseLink();

private:
    bool m_owned;
};

// Tells the operator once, with the link error box (code 0), when an
// operator-started transfer or run failed without a word of its own (a block
// refused for its checksum, an unanswered number word). The outermost report
// collects; the box comes when it finishes.
class TransferReport {
public:
    TransferReport();
    ~TransferReport();
    TransferReport(const TransferReport&) = delete;
    TransferReport& operator=(const TransferReport&) = delete;

    // Shows the box now if a failure was noted (at most once).
    void finish();
    bool failureNoted() const;

    // Notes a silent failure into the running report; nothing without one.
    static void noteSilentFailure();

private:
    bool m_outermost;
    bool m_finished = false;
};

// Told after each data byte of a block: the bytes written so far minus one
// when sending (0 .. n - 1), the bytes taken so far when receiving (1 .. n).
// Transfer windows move their progress bars with it.
using ByteProgress = std::function<void(int)>;

// Sends n data bytes, each through g_TxBuf with its running sum, and the
// trailer; true when the controller answers LINK_EOT.
bool sendBlock(const std::uint8_t* data, int n, const ByteProgress& onByte = {});

enum class BlockRecv {
    Accepted, // checksum good, LINK_EOT written, the bytes are in `into`
    Refused,  // LINK_DLE written: wrong checksum, or more bytes than fit
    Failed,   // a byte did not come or the trailer was bad; nothing written
};

// Receives an n-byte block into `into` and answers it. When n exceeds
// `capacity` every byte and the trailer are still taken and summed, so the
// link stays in step, but at most `capacity` bytes are stored and the block
// is refused. A refusal is noted in the running TransferReport unless
// `report` is false (the status read stays silent).
BlockRecv recvBlock(int n, std::uint8_t* into, int capacity, bool report = true, const ByteProgress& onByte = {});

// The checksum byte that makes the data bytes and itself add up to 0 mod 256.
std::uint8_t blockChecksum(const std::uint8_t* data, int n);

// 32-bit two's complement, low byte first.
std::array<std::uint8_t, 4> encodeValue32(std::int32_t v);
// b0 + 256*b1 + 65536*b2, negative (bits 24..31 set) when bit 7 of b3 is set.
std::int32_t decodeValue24(const std::uint8_t* b);

} // namespace comm
