#pragma once
// Parameter sets between the PC and the controller: the receive of a set's
// block into g_RxData and the transmit of a set for a number of axes. No
// widgets; the set's window refreshes itself after a good receive.

#include "paraset.h"

namespace params {

// What a receive does with the block length the controller announces.
enum class AnnouncedLength {
    Take,        // stored into g_RxData (a block longer than g_RxData is still refused by its size)
    RefuseWhole, // every byte taken and summed, LINK_DLE answered, nothing stored
};

// A length from the set's own length up is taken; a shorter block would
// leave the set's later fields decoding stale bytes, so it is refused whole.
AnnouncedLength announcedLengthRule(const ParaSet& set, int announced);

// The set's receive exchange. True when the block was accepted into
// g_RxData. A failed step is told with the link error box (code 0); a
// refused block is noted in the running OperatorExchange report.
bool receiveParaBlock(const ParaSet& set);

// The set's transmit exchange for `axes` axes, with the values as they stand
// when the block goes (the operator may edit while the link waits). A
// failed step, or a value that can no longer travel, is told with the link
// error box (code 0).
void transmitParaBlock(const ParaSet& set, int axes);

} // namespace params
