#pragma once
// What the emulated controller holds: its programs, points, parameter sets,
// inputs and outputs, and the counts the tests read. A controller fresh from
// the factory holds the PC program's default parameters for its axis count
// and a small sample (program 0 and the first few points); an empty one
// holds zeros everywhere.

#include <QByteArray>

#include <array>
#include <cstdint>

namespace emu {

enum class Contents {
    Sample, // default parameters for the axis count, program 0, the first points
    Empty,  // zeros everywhere (only the parameter blocks' lengths follow the axis count)
};

struct State {
    explicit State(int axes, Contents contents = Contents::Sample);

    int axisCount;
    std::uint8_t sohAnswer = 0x00; // the answer to LINK_SOH: any byte will do
    std::uint32_t inputs = 0;      // bit n = input n
    std::uint32_t outputs = 0;     // bit n = output n (bit 0 alarm, bit 2 servo on)
    std::int16_t errCode = 0;
    std::int16_t errValue = 0;
    std::array<std::array<std::uint8_t, 1026>, 32> programs{}; // program images as sent
    std::array<std::array<std::int32_t, 4>, 1000> loc{};
    std::array<std::array<std::int32_t, 4>, 100> sft{};
    // The five parameter blocks, whatever the PC last sent: 76 bytes for the
    // system set, axisCount * 40, 44, 72 and 24 bytes for the per-axis sets.
    QByteArray sysBlock, gainBlock, axisBlock, swBlock, lmtBlock;

    int lastRunProgram = -1;
    int lastOutputNumber = -1; // output number of the last output switch (the byte sent + 7)
    int lastOutputState = -1;
    int stops = 0;     // bare LINK_DLE outside an exchange
    int runResets = 0; // bare LINK_CAN outside an exchange
    int connects = 0;  // LINK_ENQ
    int aborts = 0;    // PC words ended by LINK_DLE
    // Exchanges that ran to their end, by command code.
    std::array<int, 37> completed{};
    // PC answers to the controller's blocks.
    int blocksAcceptedByPc = 0;
    int blocksRefusedByPc = 0;
    // Bytes that did not fit the exchange (unknown codes, stray bytes, a
    // word not ended by STX or DLE, an exchange abandoned half-way).
    int protocolErrors = 0;
};

// The sample's program 0 as step words, "[EOF]" last, and the points it
// gives the first location and shift points (axes past the axis count 0).
inline constexpr std::array<std::uint32_t, 5> kSampleProgram = {
    0x01100400u, // MVE P001
    0x23000064u, // DLY 100
    0x01100800u, // MVE P002
    0x02100C00u, // MVS P003
    0x80000000u, // [EOF]
};
inline constexpr int kSamplePoints = 4;
std::array<std::int32_t, 4> samplePoint(int n, int axes);

} // namespace emu
