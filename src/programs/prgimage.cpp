#include "prgimage.h"

#include <algorithm>

namespace programs {

std::array<StepWord, kPrgSteps + 1> g_PrgImage{};
std::array<std::int32_t, kPrgNumbers> g_PrgHdrUsed{};
std::array<std::int32_t, kPrgNumbers> g_PrgHdrLines{};
std::int16_t g_PrgWordCount = 0;
QString g_PrgLine;

QByteArray packPrgImage(const PrgImage& image)
{
    QByteArray out(kPrgImageBytes, '\0');
    out[0] = char(image.hdrUsed);
    out[1] = char(image.hdrLines);
    for (int k = 0; k < kPrgSteps; ++k) {
        const StepWord w = image.steps[std::size_t(k)];
        for (int b = 0; b < 4; ++b)
            out[2 + 4 * k + b] = char((w >> (8 * b)) & 0xFFu);
    }
    return out;
}

PrgImage unpackPrgImage(QByteArrayView bytes)
{
    auto byteAt = [&](qsizetype i) -> std::uint32_t { return i < bytes.size() ? std::uint8_t(bytes[i]) : 0u; };
    PrgImage image;
    image.hdrUsed = std::uint8_t(byteAt(0));
    image.hdrLines = std::uint8_t(byteAt(1));
    for (int k = 0; k < kPrgSteps; ++k) {
        StepWord w = 0;
        for (int b = 0; b < 4; ++b)
            w |= byteAt(2 + 4 * k + b) << (8 * b);
        image.steps[std::size_t(k)] = w;
    }
    return image;
}

namespace {
bool validNumber(int n)
{
    return n >= 0 && n < kPrgNumbers;
}
std::uint8_t headerByte(std::int32_t v)
{
    return std::uint8_t(std::clamp(v, 0, 255));
}
} // namespace

PrgImage modulePrgImage(int n)
{
    PrgImage image;
    if (validNumber(n)) {
        image.hdrUsed = headerByte(g_PrgHdrUsed[std::size_t(n)]);
        image.hdrLines = headerByte(g_PrgHdrLines[std::size_t(n)]);
    }
    std::copy_n(g_PrgImage.begin(), kPrgSteps, image.steps.begin());
    return image;
}

void setModulePrgImage(int n, const PrgImage& image)
{
    if (validNumber(n)) {
        g_PrgHdrUsed[std::size_t(n)] = image.hdrUsed;
        g_PrgHdrLines[std::size_t(n)] = image.hdrLines;
    }
    std::copy(image.steps.begin(), image.steps.end(), g_PrgImage.begin());
}

} // namespace programs
