#pragma once
// Number text as the operator and the files write it: the leading number of a
// text, the numeric test, half-to-even rounding and the fixed formats. Nothing
// here depends on the locale.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace common {

// The leading number of a text: optional sign, digits, optional "." and
// decimals, optional exponent (e/E). Blanks, tabs and line feeds anywhere are
// skipped; the number ends at the first other character; no number gives 0;
// a magnitude too large for a double gives an infinity of its sign.
double Val(QStringView text);

// The leading number as the point tables read it: Val's forms, "D" as well
// as "E" before the exponent, and "&H" or "&O" before hexadecimal or octal
// digits (a value without sign); blanks and tabs are skipped, a line end is
// not.
double leadingNumber(QStringView text);

// Numeric text: blanks around it aside, an optional sign, digits with at most
// one decimal point and at least one digit, and an optional exponent. The
// empty text is not numeric. The same test serves every box and field.
bool IsNumeric(QStringView text);

// The numeric value of a numeric text (nullopt when the text is not numeric);
// a magnitude too large for a double gives an infinity of its sign.
std::optional<double> numericValue(QStringView text);

// Half to even, as every conversion of text to a whole number rounds.
double roundHalfEven(double v);

// Whole number of v rounded half to even, or nullopt when it does not fit.
std::optional<std::int16_t> toInt16(double v);
std::optional<std::int32_t> toInt32(double v);

// Formats: "00", "000" (a negative number gets "-" before the zero-filled
// magnitude), "#0.00" of a value held in hundredths, "#0.00" of a double, and
// upper-case hexadecimal zero-filled to at least `width` digits.
QString format00(std::int64_t n);
QString format000(std::int64_t n);
QString formatHundredths(std::int64_t hundredths);
QString formatFixed2(double v);
QString formatHex(std::uint64_t v, int width = 1);

// A whole number as plain decimal text ("-" for negative, no padding).
QString formatInt(std::int64_t n);

} // namespace common
