#include "paraexchange.h"

#include "parablock.h"

#include "link/exchange.h"
#include "link/moddef.h"
#include "link/moderror.h"
#include "link/modlib.h"

namespace params {

AnnouncedLength announcedLengthRule(const ParaSet& set, int announced)
{
    return announced >= blockLength(set) ? AnnouncedLength::Take : AnnouncedLength::RefuseWhole;
}

bool receiveParaBlock(const ParaSet& set)
{
    const comm::Handshake h = comm::LinkHandshake(set.recvCode);
    if (h == comm::Handshake::NotOwned)
        return false;
    if (h != comm::Handshake::Echoed || !comm::RecvWordAck()) {
        comm::ShowLinkError(0);
        return false;
    }
    const int announced = std::uint16_t(comm::g_BlockLen);
    const comm::BlockRecv r = announcedLengthRule(set, announced) == AnnouncedLength::Take
                                  ? comm::recvBlock(announced, comm::g_RxData.data(), comm::kRxDataSize)
                                  : comm::discardBlock(announced);
    switch (r) {
    case comm::BlockRecv::Failed:
        comm::ShowLinkError(0);
        return false;
    case comm::BlockRecv::Refused:
        return false; // the transfer report shows the link error box
    case comm::BlockRecv::Accepted:
        return true;
    }
    return false;
}

void transmitParaBlock(const ParaSet& set, int axes)
{
    const int length = axes * set.fields * 4;
    const comm::Handshake h = comm::LinkHandshake(set.transCode);
    if (h == comm::Handshake::NotOwned)
        return;
    if (h != comm::Handshake::Echoed || !comm::SendWordAck(length)) {
        comm::ShowLinkError(0);
        return;
    }
    const auto block = encodeParaBlock(set, axes);
    const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&block);
    if (!bytes || !comm::sendBlock(bytes->data(), int(bytes->size())))
        comm::ShowLinkError(0);
}

} // namespace params
