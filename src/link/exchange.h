#pragma once
// What every transfer is built from beyond the single procedures: data
// blocks and the encoding of values inside blocks. One exchange at a time
// and the report of a silent failure: operatorexchange.h.

#include <array>
#include <cstdint>
#include <functional>

namespace comm {

// Told after each data byte of a block: the bytes written so far minus one
// when sending (0 .. n - 1), the bytes taken so far when receiving (1 .. n).
// Transfer windows move their progress bars with it.
using ByteProgress = std::function<void(int)>;

// Sends n data bytes through g_TxBuf and the trailer; true when the
// controller answers LINK_EOT. With `onByte` each byte is written and
// reported in turn; without, all go in one write.
bool sendBlock(const std::uint8_t* data, int n, const ByteProgress& onByte = {});

enum class BlockRecv {
    Accepted, // checksum good, LINK_EOT written, the bytes are in `into`
    Refused,  // LINK_DLE written: wrong checksum, or more bytes than fit
    Failed,   // a byte did not come or the trailer was bad; nothing written
};

// Receives an n-byte block into `into` and answers it. When n exceeds
// `capacity` every byte and the trailer are still taken and summed, so the
// link stays in step, but at most `capacity` bytes are stored and the block
// is refused. A refusal is noted in the running OperatorExchange report unless
// `report` is false (the status read stays silent).
BlockRecv recvBlock(int n, std::uint8_t* into, int capacity, bool report = true, const ByteProgress& onByte = {});

// Takes an n-byte block only to stay in step with the line: every byte and
// the trailer are read and summed, nothing is stored, and a complete block is
// refused (LINK_DLE) whatever its checksum. For a length the receiver will
// not use. Noted in the running report like any refusal.
BlockRecv discardBlock(int n, bool report = true);

// The checksum byte that makes the data bytes and itself add up to 0 mod 256.
std::uint8_t blockChecksum(const std::uint8_t* data, int n);

// 32-bit two's complement, low byte first.
std::array<std::uint8_t, 4> encodeValue32(std::int32_t v);
// b0 + 256*b1 + 65536*b2, negative (bits 24..31 set) when bit 7 of b3 is set.
std::int32_t decodeValue24(const std::uint8_t* b);

} // namespace comm
