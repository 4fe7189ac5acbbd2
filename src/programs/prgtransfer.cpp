#include "prgtransfer.h"

#include "folders.h"
#include "prgimage.h"
#include "programfiles.h"

#include "link/exchange.h"
#include "link/moddef.h"
#include "link/moderror.h"
#include "link/modlib.h"
#include "link/operatorexchange.h"

#include "common/filenumbers.h"
#include "common/rterror.h"
#include "common/textread.h"

#include <QFile>

namespace programs {

std::int16_t g_RecvFileNo = 0;
std::int16_t g_TransFileNo = 0;

namespace {

// After one program: a run goes on with the next one or stops.
enum class Then { Next, Stop };

bool validProgram(int n)
{
    return n >= 0 && n <= kLastProgram;
}

// A handshake that timed out has shown its message; a wrong echo has not and
// is told when the transfer ends. A link held by another exchange ends the
// run without a word.
Then handshakeFailed(comm::Handshake h)
{
    if (h == comm::Handshake::NotOwned)
        return Then::Stop;
    if (h == comm::Handshake::WrongEcho)
        comm::OperatorExchange::noteSilentFailure();
    return Then::Next;
}

Then recvOne(int n, bool all, const QString& fileBox, PrgTransferView* view)
{
    if (const comm::Handshake h = comm::LinkHandshake(comm::CMD_PRG_RECV); h != comm::Handshake::Echoed)
        return handshakeFailed(h);
    comm::g_BlockLen = kPrgImageBytes;
    if (!comm::SendWordAck(n)) {
        comm::ShowLinkError(0);
        return Then::Stop;
    }
    switch (comm::recvBlock(kPrgImageBytes, comm::g_RxData.data(), comm::kRxDataSize)) {
    case comm::BlockRecv::Failed:
        comm::ShowLinkError(0);
        return Then::Stop;
    case comm::BlockRecv::Refused:
        // Answered LINK_DLE; the report tells of it when the transfer ends.
        return Then::Next;
    case comm::BlockRecv::Accepted:
        break;
    }
    UnpackPrgImage(view);
    // The writer shows its own box; the run goes on either way.
    SavePrgText(std::int16_t(n), all, fileBox);
    return Then::Next;
}

Then transOne(int n, bool all, const QString& fileBox, PrgTransferView* view)
{
    if (!AsmPrgFile(std::int16_t(n), chosenPrgFile(open_directory, n, all, fileBox), comm::g_AxisCount))
        return Then::Next; // the assembler has told why
    if (const comm::Handshake h = comm::LinkHandshake(comm::CMD_PRG_TRANS); h != comm::Handshake::Echoed)
        return handshakeFailed(h);
    if (!comm::SendWordAck(n)) {
        comm::OperatorExchange::noteSilentFailure();
        return Then::Next;
    }
    const QByteArray block = packPrgImage(modulePrgImage(n));
    // The bar shows step s before its four bytes go: after byte 1 + 4s.
    const comm::ByteProgress onByte = [view](int i) {
        if (view && (i - 1) % 4 == 0 && (i - 1) / 4 < kPrgSteps)
            view->setTransBar((i - 1) / 4);
    };
    const bool accepted =
        comm::sendBlock(reinterpret_cast<const std::uint8_t*>(block.constData()), kPrgImageBytes, onByte);
    if (view)
        view->setTransBar(0);
    if (!accepted) {
        comm::ShowLinkError(0);
        return Then::Stop;
    }
    return Then::Next;
}

} // namespace

QString checkDefaultPrgFiles(const QString& folder)
{
    for (int n = 0; n <= kLastProgram; ++n) {
        const QString path = defaultPrgFile(folder, n);
        const common::FileNumber number(common::FileNumber::Reader);
        if (!number.claimed())
            return common::RtError::of(common::err::FileAlreadyOpen).text() + path;
        QFile file;
        if (const auto e = common::openForReading(file, path))
            return e->text() + path;
    }
    return {};
}

void UnpackPrgImage(PrgTransferView* view)
{
    const PrgImage image = unpackPrgImage(QByteArrayView(comm::g_RxData.data(), kPrgImageBytes));
    if (validProgram(g_RecvFileNo)) {
        g_PrgHdrUsed[std::size_t(g_RecvFileNo)] = image.hdrUsed;
        g_PrgHdrLines[std::size_t(g_RecvFileNo)] = image.hdrLines;
    }
    for (int j = 0; j < kPrgSteps; ++j) {
        if (view)
            view->setRecvBar(j);
        g_PrgImage[std::size_t(j)] = image.steps[std::size_t(j)];
    }
    if (view)
        view->setRecvBar(0);
}

void RecvPrgFile(std::int16_t all, PrgTransferView* view)
{
    if (!all && !validProgram(g_RecvFileNo))
        return;
    const comm::OperatorExchange exchange;
    if (!exchange)
        return;
    const int first = all ? 0 : g_RecvFileNo;
    const int last = all ? kLastProgram : g_RecvFileNo;
    for (int n = first; n <= last; ++n) {
        if (all) {
            if (view)
                view->showRecvNumber(n);
            // Taken here once: the header entries and the file are those of n
            // even when the box already showed n and its handling did not run.
            g_RecvFileNo = std::int16_t(n);
        }
        const QString fileBox = view ? view->recvFileBox() : QString();
        if (recvOne(n, all, fileBox, view) == Then::Stop)
            break;
    }
}

void TransPrgFile(std::int16_t all, PrgTransferView* view)
{
    if (!all && !validProgram(g_TransFileNo))
        return;
    const comm::OperatorExchange exchange;
    if (!exchange)
        return;
    const int first = all ? 0 : g_TransFileNo;
    const int last = all ? kLastProgram : g_TransFileNo;
    for (int n = first; n <= last; ++n) {
        if (all) {
            if (view)
                view->showTransNumber(n);
            g_TransFileNo = std::int16_t(n);
        }
        const QString fileBox = view ? view->transFileBox() : QString();
        if (transOne(n, all, fileBox, view) == Then::Stop)
            break;
    }
}

} // namespace programs
