#include "pointexchange.h"

#include "link/exchange.h"
#include "link/moddef.h"
#include "link/modlib.h"
#include "link/operatorexchange.h"

#include <optional>

namespace points {

namespace {

// The points a call covers; `single` runs show bytes, the others points.
struct Run {
    int first;
    int last;
    bool single;
};

std::optional<Run> runFor(Table t, std::int16_t mode, std::int16_t startNo, std::int16_t endNo, std::int16_t singleNo)
{
    const TableDesc& d = desc(t);
    if (mode == d.wholeMode)
        return Run{0, d.count - 1, false};
    if (mode == d.blockMode) {
        if (!validPoint(t, startNo) || !validPoint(t, endNo) || startNo > endNo)
            return std::nullopt;
        return Run{startNo, endNo, false};
    }
    if (!validPoint(t, singleNo))
        return std::nullopt;
    return Run{singleNo, singleNo, true};
}

// Every failure of a point is told once, when the call ends, with the link
// error box; the handshake has shown its own time-out message already.
void noteFailure()
{
    comm::OperatorExchange::noteSilentFailure();
}

bool failed()
{
    noteFailure();
    return false;
}

comm::ByteProgress byteProgress(Progress* bar)
{
    if (!bar)
        return {};
    return [bar](int value) { bar->setValue(value); };
}

bool sendPoint(Table t, int p, int n, Progress* byteBar)
{
    if (const comm::Handshake h = comm::LinkHandshake(desc(t).sendCode); h != comm::Handshake::Echoed)
        return h == comm::Handshake::NotOwned ? false : failed();
    comm::g_BlockLen = std::int16_t(n * 4);
    if (byteBar)
        byteBar->setMaximum(n * 4);
    if (!comm::SendWordAck(p))
        return failed();
    // The point as the table holds it now: the operator may edit during a run.
    const auto block = pointBlock(entries(t)[std::size_t(p)], n);
    if (!comm::sendBlock(block.data(), n * 4, byteProgress(byteBar)))
        return failed();
    return true;
}

void storeRecv(Table t, int n)
{
    if (!validPoint(t, g_RcvLocNo) || n == 0)
        return;
    decodePointBlock(comm::g_RxData.data(), n, entries(t)[std::size_t(g_RcvLocNo)]);
}

enum class PointRecv { Stored, Refused, Failed };

PointRecv recvFailed()
{
    noteFailure();
    return PointRecv::Failed;
}

PointRecv recvPoint(Table t, int n, Progress* byteBar)
{
    if (const comm::Handshake h = comm::LinkHandshake(desc(t).recvCode); h != comm::Handshake::Echoed)
        return h == comm::Handshake::NotOwned ? PointRecv::Failed : recvFailed();
    comm::g_BlockLen = std::int16_t(n * 4);
    if (byteBar)
        byteBar->setMaximum(n * 4);
    if (!comm::SendWordAck(g_RcvLocNo))
        return recvFailed();
    switch (comm::recvBlock(n * 4, comm::g_RxData.data(), comm::kRxDataSize, true, byteProgress(byteBar))) {
    case comm::BlockRecv::Failed:
        return recvFailed();
    case comm::BlockRecv::Refused:
        // The running report tells of it when the call ends; the run goes on.
        return PointRecv::Refused;
    case comm::BlockRecv::Accepted:
        break;
    }
    // The block was n axes long: decode it so, whatever the axis count
    // has become meanwhile.
    storeRecv(t, n);
    return PointRecv::Stored;
}

} // namespace

std::array<std::uint8_t, 16> pointBlock(const LocPoint& p, int n)
{
    std::array<std::uint8_t, 16> block{};
    for (int a = 0; a < n && a < 4; ++a) {
        const auto bytes = comm::encodeValue32(p.ax[std::size_t(a)]);
        for (int b = 0; b < 4; ++b)
            block[std::size_t(4 * a + b)] = bytes[std::size_t(b)];
    }
    return block;
}

void decodePointBlock(const std::uint8_t* bytes, int n, LocPoint& into)
{
    for (int a = 0; a < n && a < 4; ++a)
        into.ax[std::size_t(a)] = comm::decodeValue24(bytes + 4 * a);
}

void sendPoints(Table t, std::int16_t mode, std::int16_t startNo, std::int16_t endNo, Progress* bar)
{
    const auto run = runFor(t, mode, startNo, endNo, g_TransLocNo);
    const int n = comm::chosenModelAxes();
    if (!run || n == 0)
        return;
    const comm::OperatorExchange exchange;
    if (!exchange)
        return;
    if (bar) {
        bar->setValue(0);
        if (!run->single)
            bar->setMaximum(run->last - run->first + 1);
    }
    for (int p = run->first; p <= run->last; ++p) {
        if (bar && !run->single)
            bar->setValue(p - run->first);
        if (!sendPoint(t, p, n, run->single ? bar : nullptr))
            break;
    }
    // The send bar stays where it stands; the window puts it back.
}

bool recvPoints(Table t, std::int16_t mode, std::int16_t startNo, std::int16_t endNo, Progress* bar)
{
    const auto run = runFor(t, mode, startNo, endNo, g_RcvLocNo);
    const int n = comm::chosenModelAxes();
    if (!run || n == 0)
        return false;
    comm::OperatorExchange exchange;
    if (!exchange)
        return false;
    if (bar) {
        bar->setValue(0);
        if (!run->single)
            bar->setMaximum(run->last - run->first + 1);
    }
    bool stored = false;
    for (int p = run->first; p <= run->last; ++p) {
        if (!run->single) {
            if (bar)
                bar->setValue(p - run->first);
            g_RcvLocNo = std::int16_t(p);
        }
        const PointRecv r = recvPoint(t, n, run->single ? bar : nullptr);
        if (r == PointRecv::Stored)
            stored = true;
        else if (r == PointRecv::Failed)
            break;
    }
    exchange.finishReport();
    if (bar)
        bar->setValue(0);
    return stored;
}

void SendLocData(std::int16_t mode, std::int16_t startNo, std::int16_t endNo, Progress* bar)
{
    sendPoints(Table::Loc, mode, startNo, endNo, bar);
}

bool RecvLocData(std::int16_t mode, std::int16_t startNo, std::int16_t endNo, Progress* bar)
{
    return recvPoints(Table::Loc, mode, startNo, endNo, bar);
}

void SendSftData(std::int16_t mode, Progress* bar)
{
    sendPoints(Table::Sft, mode, 0, 0, bar);
}

bool RecvSftData(std::int16_t mode, Progress* bar)
{
    return recvPoints(Table::Sft, mode, 0, 0, bar);
}

void StoreRecvLoc()
{
    storeRecv(Table::Loc, comm::chosenModelAxes());
}
void StoreRecvSft()
{
    storeRecv(Table::Sft, comm::chosenModelAxes());
}

} // namespace points
