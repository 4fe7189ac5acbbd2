#pragma once
// Control bytes and command codes of the controller link. Command codes and
// control bytes share values (1 is both LINK_SOH and CMD_PRG_RECV): the link
// tells them apart by where they stand in an exchange, never by value.

#include <cstdint>

namespace comm {

inline constexpr std::uint8_t LINK_SOH = 0x01; // PC opens a command exchange
inline constexpr std::uint8_t LINK_STX = 0x02; // ends an acknowledged word
inline constexpr std::uint8_t LINK_ETX = 0x03; // ends a data block, after its checksum
inline constexpr std::uint8_t LINK_EOT = 0x04; // data block accepted
inline constexpr std::uint8_t LINK_ENQ = 0x05; // PC connect request
inline constexpr std::uint8_t LINK_DLE = 0x10; // abort word end / block refused / stop
inline constexpr std::uint8_t LINK_DC1 = 0x11; // controller accepts the connect
inline constexpr std::uint8_t LINK_SYN = 0x16; // acknowledged word accepted
inline constexpr std::uint8_t LINK_CAN = 0x18; // run reset

enum Cmd : std::int16_t {
    CMD_PRG_RECV = 1,
    CMD_PRG_TRANS = 2,
    CMD_LOC_RECV = 3,
    CMD_LOC_TRANS = 4,
    CMD_SFT_RECV = 5,
    CMD_SFT_TRANS = 6,
    CMD_SYS_RECV = 7,
    CMD_SYS_TRANS = 8,
    CMD_GAIN_RECV = 9,
    CMD_GAIN_TRANS = 10,
    CMD_AXIS_RECV = 11,
    CMD_AXIS_TRANS = 12,
    CMD_SW_RECV = 13,
    CMD_SW_TRANS = 14,
    CMD_LMT_RECV = 15,
    CMD_LMT_TRANS = 16,
    CMD_RUN = 21,
    CMD_ZR = 22,
    CMD_SERVO_ON = 23,
    CMD_SERVO_OFF = 24,
    CMD_IO_ALL_ON = 25,
    CMD_IO_ALL_OFF = 26,
    CMD_READ_INPUTS = 27,
    CMD_READ_OUTPUTS = 28,
    CMD_READ_ERROR = 31,
    CMD_ALARM_RESET = 32,
    CMD_SET_OUTPUT = 33,
    CMD_DISCONNECT = 36,
};

} // namespace comm
