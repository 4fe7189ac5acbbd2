#include "boxcheck.h"

#include "common/numbers.h"
#include "common/texts.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace params {

namespace {

constexpr Range kNone{1, 0};

bool inRange(Range r, double x)
{
    return x >= r.lo && x <= r.hi;
}

std::optional<double> hexValue(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    double v = 0;
    for (QChar c : text) {
        const int d = QStringView(u"0123456789abcdef").indexOf(c.toLower());
        if (d < 0)
            return std::nullopt;
        v = v * 16 + d; // very long texts grow past every bound, never wrap
    }
    return v;
}

} // namespace

BoxVerdict checkBoxText(const BoxRule& rule, QStringView text)
{
    BoxVerdict out;
    if (text.isEmpty())
        return out;
    double x = 0;
    std::optional<double> parsed;
    switch (rule.test) {
    case NumberTest::Decimal:
        parsed = common::numericValue(text);
        break;
    case NumberTest::Hexadecimal:
        parsed = hexValue(text);
        break;
    case NumberTest::None:
        parsed = common::Val(text);
        break;
    }
    if (!parsed) {
        out.kind = BoxVerdict::Kind::NotNumber;
        out.message = rule.notNumberMessage ? *rule.notNumberMessage : QString();
        out.resetToZero = true;
        return out;
    }
    x = *parsed;
    const double rounded = std::isfinite(x) ? common::roundHalfEven(x) : x;
    const double tested = rule.rangeOnRounded ? rounded : x;
    if (!inRange(rule.accepted, tested) && !inRange(rule.alsoAccepted, tested)) {
        out.kind = BoxVerdict::Kind::OutOfRange;
        out.message = QString::fromUtf8(rule.rangeMessage);
        out.resetToZero = rule.onRefused == OnRefused::ResetToZero;
        return out;
    }
    out.kind = BoxVerdict::Kind::Store;
    out.value = (rule.storeRounded ? rounded : x) * rule.scale;
    return out;
}

namespace {

const QString kHexNotNumber = QStringLiteral(" 16 진수 값을 넣어주십시요.");
const QString kDecNotNumber = QStringLiteral(" 정수를 입력하십시요");

constexpr BoxRule hexBox(double hi, const char* message)
{
    return {.test = NumberTest::Hexadecimal,
            .notNumberMessage = &kHexNotNumber,
            .accepted = {0, hi},
            .alsoAccepted = kNone,
            .rangeMessage = message,
            .onRefused = OnRefused::ResetToZero,
            .rangeOnRounded = false,
            .storeRounded = true,
            .scale = 1};
}
constexpr BoxRule decBox(double hi, const char* message)
{
    return {.test = NumberTest::Decimal,
            .notNumberMessage = &kDecNotNumber,
            .accepted = {0, hi},
            .alsoAccepted = kNone,
            .rangeMessage = message,
            .onRefused = OnRefused::ResetToZero,
            .rangeOnRounded = false,
            .storeRounded = true,
            .scale = 1};
}

// The S/W groups: no not-a-number check; a refused text stays as typed.
constexpr BoxRule swGroup(Range r, const char* message, Range also = kNone)
{
    return {.test = NumberTest::None,
            .notNumberMessage = nullptr,
            .accepted = r,
            .alsoAccepted = also,
            .rangeMessage = message,
            .onRefused = OnRefused::LeaveText,
            .rangeOnRounded = false,
            .storeRounded = false,
            .scale = 1};
}
constexpr BoxRule hundredths(BoxRule r)
{
    r.scale = 100;
    return r;
}

constexpr BoxRule kSwPosition = swGroup({-21470000, 21470000}, " -21470000.00 ~ 21470000.00 사이의 값을 입력하십시요.");
constexpr BoxRule kSwErr = swGroup({0, 100000}, " 0 ~ 100000.00 사이의 값을 입력하십시요.");
constexpr BoxRule kSwVel = swGroup({0, 30000}, " 0 ~ 30000.00 사이의 값을 입력하십시요.");
constexpr BoxRule kSwGear = swGroup({0, 900000}, " 0 ~ 900000.00 사이의 값을 입력하십시요.");
constexpr BoxRule kSwAcc = swGroup({0, 200}, " 0 ~ 200 사이의 값을 입력하십시요.");
constexpr BoxRule kSwRatio = swGroup({0, 100}, " 0 ~ 100 사이의 값을 입력하십시요.");
constexpr BoxRule kSwSpeed = swGroup({0, 5000}, " 0 ~ 5000 사이의 값을 입력하십시요.");
constexpr BoxRule kSwJlock = swGroup({1, 16}, " 1 ~ 16, 21 ~ 36 사이의 값을 입력하십시요.", {21, 36});

// Fields 0 to 6 are held in hundredths of the number typed.
constexpr BoxRule kSwBoxes[18] = {
    hundredths(kSwPosition), // CR
    hundredths(kSwPosition), // LL
    hundredths(kSwPosition), // UL
    hundredths(kSwPosition), // OFF
    hundredths(kSwErr),      // ERR
    hundredths(kSwVel),      // VEL
    hundredths(kSwGear),     // GEB
    kSwGear,                 // GEA
    kSwAcc,                  // ACC
    kSwAcc,                  // DCC
    kSwGear,                 // INP
    kSwRatio,                // PUL
    kSwSpeed,                // C_VEL
    kSwSpeed,                // F_VEL
    kSwAcc,                  // Z_ACC
    kSwAcc,                  // P_ACC
    kSwRatio,                // RATIO
    kSwJlock,                // JLOCK
};

} // namespace

// MSPD accepts 0 although its message names 1 to 100.
constexpr BoxRule kSysBoxes[6] = {
    hexBox(0xFFFFFF, " 000000H ~ FFFFFFH 까지 입력하십시요."), // PSIG
    hexBox(0xFFFFFF, " 000000H ~ FFFFFFH 까지 입력하십시요."), // ESIG
    hexBox(0xF, " 0H ~ FH 까지 입력하십시요."),                // ZRNO
    decBox(999999, " 000000 ~ 999999 까지 입력하십시요."),     // BRON
    decBox(999999, " 000000 ~ 999999 까지 입력하십시요."),     // BROF
    decBox(100, " 1 ~ 100 까지 입력하십시요."),                // MSPD
};

// A refused gain stays as typed; a negative gain gets the same message.
constexpr BoxRule kGainBox{.test = NumberTest::Decimal,
                           .notNumberMessage = &common::texts::kNotNumber,
                           .accepted = {0, 32000},
                           .alsoAccepted = kNone,
                           .rangeMessage = "Gain 숫자값이 너무 큽니다",
                           .onRefused = OnRefused::LeaveText,
                           .rangeOnRounded = true,
                           .storeRounded = true,
                           .scale = 1};

const BoxRule& swBoxRule(int field)
{
    return kSwBoxes[field];
}

} // namespace params
