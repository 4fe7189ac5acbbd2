#include "moderror.h"

#include "exchange.h"
#include "modlib.h"
#include "operatorexchange.h"

#include "common/msgbox.h"

namespace comm {

std::array<QString, 101> g_ErrMsg;

void InitErrMsgs()
{
    g_ErrMsg[0] = QStringLiteral("통신이상 발생");
    g_ErrMsg[1] = QStringLiteral("통신포트가 열려 있지 않습니다. 통신포트를 열고 다시 하십시오");
}

void ShowLinkError(std::int16_t code)
{
    const QString text = code >= 0 && code <= 100 ? g_ErrMsg[std::size_t(code)] : QString();
    common::MsgBox(text, common::MsgButtons::OkCancel, QStringLiteral("ERROR"));
}

namespace {

// One controller error text: fixed, or a prefix and suffix around the value.
struct CtrlErrorRow {
    std::int16_t code;
    const char* before;
    const char* after; // nullptr: the text is fixed and the value not shown
};

constexpr CtrlErrorRow kCtrlErrors[] = {
    {41, "Parameter Error 01 : GAIN VALUE ERROR, GAIN = 0 ~ 50000", nullptr},
    {42, "Parameter Error 02 : COUNTER LIMIT OVER", nullptr},
    {43, "Parameter Error 03 : LOWER LIMIT OVER, LL = -21470000.00", nullptr},
    {44, "Parameter Error 04 : UPPER LIMIT OVER, UL = +21470000.00", nullptr},
    {45, "Parameter Error 05 : ERROR LIMIT OVER, ERR = 100000.00", nullptr},
    {46, "Parameter Error 06 : VELO LIMIT OVER, VEL = 30000.00", nullptr},
    {47, "Parameter Error 07 : ACC LIMIT OVER, ACC = 200", nullptr},
    {48, "Parameter Error 08 : DCC LIMIT OVER, DCC = 200", nullptr},
    {49, "Parameter Error 09 : INPOS LIMIT OVER, INP = 900000", nullptr},
    {50, "Parameter Error 10 : GEAR LIMIT OVER, GEA = 1 ~ 900000", nullptr},
    {51, "Parameter Error 11 : GEAR LIMIT OVER, GEB = 0 ~ 900000", nullptr},
    {52, "Parameter Error 12 : PULSE LIMIT OVER, PUL = 100", nullptr},
    {53, "Parameter Error 13 : C_VEL LIMIT OVER, C_VEL = 5000", nullptr},
    {54, "Parameter Error 14 : F_VEL LIMIT OVER, F_VEL = 5000", nullptr},
    {55, "Parameter Error 15 : ZRACC LIMIT OVER, ZACC = 200", nullptr},
    {56, "Parameter Error 16 : PACC LIMIT OVER, PACC = 200", nullptr},
    {71, "System Error 01 :Backup battery Low Voltage", nullptr},
    {72, "System Error 02 : P", " LOC does not exist"},
    {73, "System Error 03 : S", " SFT does not exist"},
    {74, "System Error 04 : P", " LOC data S/W Limit Over"},
    {75, "System Error 05 : S", " SFT data S/W Limit Over"},
    {76, "System Error 06 : Circle Radius Limit Over", nullptr},
    {77, "System Error 07 : PRG", "File does not exist"},
    {78, "System Error 08 : ZERO RETURN is not done", nullptr},
    {79, "System Error 09 : ", " axis Curr-Pos Lower Limit Over"},
    {80, "System Error 10 : ", " axis Curr-Pos Upper Limit Over"},
    {81, "System Error 11 : ", " axis Tracking Error"},
    {82, "System Error 12 : ", " axis Servo Error"},
    {83, "System Error 13 : ", " axis Positive Limit ON"},
    {84, "System Error 14 : ", " axis Negative Limit ON"},
    {85, "System Error 15 : ", " axis Goal-Pos Move Error"},
    {86, "System Error 16 : L", " Not Found"},
    {87, "System Error 17 : CALL Stack Full", nullptr},
    {88, "System Error 18 : CALL Current File", nullptr},
    {89, "System Error 19 : RET Stack Empty", nullptr},
    {90, "System Error 20 : ", " axis Invalid Positive Sensor"},
    {91, "System Error 21 : ", " axis Invalid Nagative Sensor"},
    {92, "System Error 22 : ", " axis PWM OFF"},
    {93, "System Error 23 : IF FUNC. Max File Line Over", nullptr},
    {94, "System Error 24 : PC Communication Time Over", nullptr},
    {95, "System Error 25 : PC Communication Checksum Error", nullptr},
    {96, "System Error 26 : Emergency Switch ON!", nullptr},
    {97, "System Error 27 : PAL", " not define"},
    {98, "System Error 28 : PAL", " LOC does not define"},
    {99, "System Error 29 : SPL", " not define"},
    {111, "ChkSum Error 01 : PRG", " Crashed"},
    {112, "ChkSum Error 02 : P", " LOC Crash"},
    {113, "ChkSum Error 03 : S", " SFT Crash"},
    {114, "ChkSum Error 04 : System Parameter Crash", nullptr},
    {115, "ChkSum Error 05 : ", " ax Axis Parameter Crash"},
    {116, "ChkSum Error 06 : ", " ax Software Parameter Crash"},
    {117, "ChkSum Error 07 : ", " ax Limit Parameter Crash"},
    {118, "ChkSum Error 08 : ", " ax Gain Parameter Crash"},
    {119, "ChkSum Error 09 : MATRIX Info. Parameter crash", nullptr},
    {120, "ChkSum Error 10 : SPLINE Info. Parameter crash", nullptr},
};

const QString kAdvice = QStringLiteral("에러발생시 ALARM RESET 버튼을 누르고 에러에 대해 조치하십시요.");

} // namespace

QString CtrlErrorText(std::int16_t code, std::int16_t value)
{
    const QString v = QString::number(value);
    for (const CtrlErrorRow& row : kCtrlErrors) {
        if (row.code != code)
            continue;
        if (!row.after)
            return QString::fromUtf8(row.before);
        return QString::fromUtf8(row.before) + v + QString::fromUtf8(row.after);
    }
    return QStringLiteral("Error Code : ") + QString::number(code) + QStringLiteral(", Error Value : ") + v;
}

QString ctrlErrorMessage(std::int16_t code, std::int16_t value)
{
    return CtrlErrorText(code, value) + QStringLiteral("\r\n") + kAdvice;
}

void ReadCtrlError()
{
    // Error Check is operator-started: a refused record is told, not dropped.
    const OperatorExchange exchange;
    if (!exchange)
        return;
    if (const Handshake h = LinkHandshake(CMD_READ_ERROR); h != Handshake::Echoed) {
        if (h != Handshake::NotOwned)
            ShowLinkError(0);
        return;
    }
    std::array<std::uint8_t, 4> b{};
    if (recvBlock(4, b.data(), 4) != BlockRecv::Accepted) {
        if (!OperatorExchange::failureNoted())
            ShowLinkError(0);
        return;
    }
    // Each word as a signed 16-bit number; a high byte of 0x80 or more reads
    // as negative.
    const auto code = std::int16_t(std::uint16_t(b[0] | (b[1] << 8)));
    const auto value = std::int16_t(std::uint16_t(b[2] | (b[3] << 8)));
    common::MsgBox(ctrlErrorMessage(code, value));
}

} // namespace comm
