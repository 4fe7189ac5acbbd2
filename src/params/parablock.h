#pragma once
// The data block of a parameter set on the link: four bytes per value, low
// byte first, axis 0's fields first; framed by the link as every block.

#include "paraset.h"

#include <array>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace params {

// The four bytes one value travels as, or nullopt when it cannot travel (an
// S/W value that does not fit 32 bits after rounding).
std::optional<std::array<std::uint8_t, 4>> encodeParaValue(ValueBytes bytes, double v);

// A value that cannot travel, found before anything is sent.
struct BlockRefusal {
    int axis;
    int field;
};

// The set's block for `axes` axes (blockAxes: the axis count).
std::variant<std::vector<std::uint8_t>, BlockRefusal> encodeParaBlock(const ParaSet& set, int axes);

// Decodes a received block into the set: the set's full size for the current
// axis count; axes at or above it stay as they were.
void unpackParaBlock(const ParaSet& set, const std::uint8_t* data);

} // namespace params
