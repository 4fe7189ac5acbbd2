#include "parablock.h"

#include "common/numbers.h"
#include "link/exchange.h"

namespace params {

std::optional<std::array<std::uint8_t, 4>> encodeParaValue(ValueBytes bytes, double v)
{
    switch (bytes) {
    case ValueBytes::TwosComplement:
        return comm::encodeValue32(std::int32_t(v));
    case ValueBytes::Low24ThenZero: {
        auto b = comm::encodeValue32(std::int32_t(v));
        b[3] = 0;
        return b;
    }
    case ValueBytes::LowByteThenZeros: {
        const auto b = comm::encodeValue32(std::int32_t(v));
        return std::array<std::uint8_t, 4>{b[0], 0, 0, 0};
    }
    case ValueBytes::RoundedTwosComplement:
        if (const auto w = common::toInt32(v))
            return comm::encodeValue32(*w);
        return std::nullopt;
    }
    return std::nullopt;
}

std::variant<std::vector<std::uint8_t>, BlockRefusal> encodeParaBlock(const ParaSet& set, int axes)
{
    std::vector<std::uint8_t> block;
    block.reserve(std::size_t(axes * set.fields * 4));
    for (int a = 0; a < axes; ++a) {
        for (int f = 0; f < set.fields; ++f) {
            const auto b = encodeParaValue(set.bytes, set.value(a, f));
            if (!b)
                return BlockRefusal{a, f};
            block.insert(block.end(), b->begin(), b->end());
        }
    }
    return block;
}

void unpackParaBlock(const ParaSet& set, const std::uint8_t* data)
{
    for (int a = 0; a < blockAxes(set); ++a)
        for (int f = 0; f < set.fields; ++f)
            set.setValue(a, f, comm::decodeValue24(data + std::size_t((a * set.fields + f) * 4)));
}

} // namespace params
