#include "exchange.h"

#include "moderror.h"
#include "modlib.h"
#include "operatorexchange.h"

#include "common/events.h"

#include <algorithm>
#include <vector>

namespace comm {

bool sendBlock(const std::uint8_t* data, int n, const ByteProgress& onByte)
{
    if (onByte) {
        // A progress bar follows the bytes as they are written.
        for (int i = 0; i < n; ++i) {
            g_TxBuf = data[i];
            SendTxByte();
            onByte(i);
        }
        return SendBlockEnd(blockChecksum(data, n));
    }
    // Otherwise one write for the data bytes and the trailer: a write per
    // byte costs the PC more than the line's own time at high rates.
    std::vector<std::uint8_t> out(data, data + std::max(n, 0));
    out.push_back(blockChecksum(data, n));
    out.push_back(LINK_ETX);
    writeBytes(out.data(), int(out.size()));
    return blockAnswered();
}

namespace {
BlockRecv receiveBlock(int n, std::uint8_t* into, int capacity, bool refuse, bool report, const ByteProgress& onByte)
{
    unsigned sum = 0;
    for (int i = 0; i < n; ++i) {
        if (!waitRxByte())
            return BlockRecv::Failed;
        const std::uint8_t b = std::uint8_t(RxGetByte());
        if (i < capacity)
            into[i] = b;
        sum = (sum + b) & 0xFFu;
        if (onByte)
            onByte(i + 1);
        common::DoEvents();
    }
    if (!RecvBlockEnd())
        return BlockRecv::Failed;
    if (refuse || n > capacity || n < 0 || ((sum + unsigned(g_RxChk)) & 0xFFu) != 0) {
        writeByte(LINK_DLE);
        if (report)
            OperatorExchange::noteSilentFailure();
        return BlockRecv::Refused;
    }
    writeByte(LINK_EOT);
    return BlockRecv::Accepted;
}
} // namespace

BlockRecv recvBlock(int n, std::uint8_t* into, int capacity, bool report, const ByteProgress& onByte)
{
    return receiveBlock(n, into, capacity, false, report, onByte);
}

BlockRecv discardBlock(int n, bool report)
{
    return receiveBlock(n, nullptr, 0, true, report, {});
}

std::uint8_t blockChecksum(const std::uint8_t* data, int n)
{
    unsigned sum = 0;
    for (int i = 0; i < n; ++i)
        sum = (sum + data[i]) & 0xFFu;
    return std::uint8_t((0u - sum) & 0xFFu);
}

std::array<std::uint8_t, 4> encodeValue32(std::int32_t v)
{
    const auto u = std::uint32_t(v);
    return {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
}

std::int32_t decodeValue24(const std::uint8_t* b)
{
    std::uint32_t u = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16);
    if (b[3] & 0x80)
        u |= 0xFF000000u;
    return std::int32_t(u);
}

} // namespace comm
