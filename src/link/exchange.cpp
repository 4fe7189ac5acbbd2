#include "exchange.h"

#include "moderror.h"
#include "modlib.h"

#include "common/events.h"

namespace comm {

namespace {
int g_guardCount = 0;
int g_guardDepth = -1;

int g_reportCount = 0;
bool g_reportFailure = false;
} // namespace

ExchangeGuard::ExchangeGuard() : m_owned(false)
{
    const int depth = common::eventServeDepth();
    if (g_guardCount == 0) {
        g_guardDepth = depth;
        m_owned = true;
    } else if (depth == g_guardDepth) {
        m_owned = true;
    }
    if (m_owned)
        ++g_guardCount;
}

ExchangeGuard::~ExchangeGuard()
{
    if (m_owned && --g_guardCount == 0)
        g_guardDepth = -1;
}

bool ExchangeGuard::busy() { return g_guardCount > 0; }

bool ExchangeGuard::mayUseLink() { return g_guardCount == 0 || common::eventServeDepth() == g_guardDepth; }

TransferReport::TransferReport() : m_outermost(g_reportCount == 0)
{
    if (m_outermost)
        g_reportFailure = false;
    ++g_reportCount;
}

TransferReport::~TransferReport()
{
    finish();
    --g_reportCount;
}

void TransferReport::finish()
{
    if (m_finished || !m_outermost)
        return;
    m_finished = true;
    if (g_reportFailure) {
        g_reportFailure = false;
        ShowLinkError(0);
    }
}

bool TransferReport::failureNoted() const { return g_reportFailure; }

void TransferReport::noteSilentFailure()
{
    if (g_reportCount > 0)
        g_reportFailure = true;
}

bool sendBlock(const std::uint8_t* data, int n, const ByteProgress& onByte)
{
    unsigned sum = 0;
    for (int i = 0; i < n; ++i) {
        g_TxBuf = data[i];
        sum = (sum + g_TxBuf) & 0xFFu;
        SendTxByte();
        if (onByte)
            onByte(i);
    }
    return SendBlockEnd(std::uint8_t((0u - sum) & 0xFFu));
}

BlockRecv recvBlock(int n, std::uint8_t* into, int capacity, bool report, const ByteProgress& onByte)
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
    if (n > capacity || n < 0 || ((sum + unsigned(g_RxChk)) & 0xFFu) != 0) {
        writeByte(LINK_DLE);
        if (report)
            TransferReport::noteSilentFailure();
        return BlockRecv::Refused;
    }
    writeByte(LINK_EOT);
    return BlockRecv::Accepted;
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
