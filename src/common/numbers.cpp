#include "numbers.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <stdlib.h>
#include <limits>
#include <string>

namespace common {

namespace {

bool isSkippedBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Parses [sign] digits [. digits] [e [sign] digits] from `s` starting at 0.
// Returns the characters consumed by the mantissa and exponent, building the
// plain C string in `out`. When `skipBlanks` is set, blanks inside are ignored.
int scanNumber(QStringView s, bool skipBlanks, std::string& out, bool& sawDigit, bool dExponent = false)
{
    int i = 0;
    const int n = int(s.size());
    auto skip = [&] {
        while (skipBlanks && i < n && isSkippedBlank(s[i]))
            ++i;
    };
    sawDigit = false;
    skip();
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        out += char(s[i].unicode());
        ++i;
    }
    skip();
    while (i < n) {
        if (isDigit(s[i])) {
            out += char(s[i].unicode());
            sawDigit = true;
            ++i;
        } else if (skipBlanks && isSkippedBlank(s[i])) {
            ++i;
        } else {
            break;
        }
    }
    if (i < n && s[i] == u'.') {
        out += '.';
        ++i;
        while (i < n) {
            if (isDigit(s[i])) {
                out += char(s[i].unicode());
                sawDigit = true;
                ++i;
            } else if (skipBlanks && isSkippedBlank(s[i])) {
                ++i;
            } else {
                break;
            }
        }
    }
    const auto isExponent = [&](QChar c) { return c == u'e' || c == u'E' || (dExponent && (c == u'd' || c == u'D')); };
    if (sawDigit && i < n && isExponent(s[i])) {
        int j = i + 1;
        std::string exp = "e";
        while (skipBlanks && j < n && isSkippedBlank(s[j]))
            ++j;
        if (j < n && (s[j] == u'+' || s[j] == u'-')) {
            exp += char(s[j].unicode());
            ++j;
        }
        bool expDigit = false;
        while (j < n) {
            if (isDigit(s[j])) {
                exp += char(s[j].unicode());
                expDigit = true;
                ++j;
            } else if (skipBlanks && isSkippedBlank(s[j])) {
                ++j;
            } else {
                break;
            }
        }
        if (expDigit) {
            out += exp;
            i = j;
        }
    }
    return i;
}

// strtod follows LC_NUMERIC, which QCoreApplication takes from the
// environment: a comma-decimal machine would read "12.50" as 12.
double cLocaleStrtod(const std::string& num)
{
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return ::strtod_l(num.c_str(), nullptr, c);
}

} // namespace

double Val(QStringView text)
{
    std::string num;
    bool sawDigit = false;
    scanNumber(text, true, num, sawDigit);
    if (!sawDigit)
        return 0.0;
    // A magnitude beyond a double reads as infinite, so that every caller's
    // range check refuses it instead of taking it as 0.
    return cLocaleStrtod(num);
}

double leadingNumber(QStringView whole)
{
    // Only blanks and tabs are skipped here: a line end ends the number.
    qsizetype end = 0;
    while (end < whole.size() && whole[end] != u'\r' && whole[end] != u'\n')
        ++end;
    const QStringView text = whole.left(end);
    const int n = int(text.size());
    int i = 0;
    const auto skip = [&] {
        while (i < n && isSkippedBlank(text[i]))
            ++i;
    };
    skip();
    if (i < n && text[i] == u'&') {
        ++i;
        skip();
        const QChar radixLetter = i < n ? text[i].toUpper() : QChar();
        const int radix = radixLetter == u'H' ? 16 : radixLetter == u'O' ? 8 : 0;
        if (radix == 0)
            return 0.0;
        ++i;
        double v = 0.0;
        for (; i < n; ++i) {
            if (isSkippedBlank(text[i]))
                continue;
            const char16_t c = QChar(text[i]).toUpper().unicode();
            const int d = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'A' && c <= u'F' ? c - u'A' + 10 : radix;
            if (d >= radix)
                break;
            v = v * radix + d;
        }
        return v;
    }
    std::string num;
    bool sawDigit = false;
    scanNumber(text, true, num, sawDigit, true);
    if (!sawDigit)
        return 0.0;
    return cLocaleStrtod(num);
}

std::optional<double> numericValue(QStringView text)
{
    int b = 0;
    int e = int(text.size());
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    const QStringView core = text.mid(b, e - b);
    if (core.isEmpty())
        return std::nullopt;
    std::string num;
    bool sawDigit = false;
    const int used = scanNumber(core, false, num, sawDigit);
    if (!sawDigit || used != core.size())
        return std::nullopt;
    // A magnitude beyond a double is numeric and infinite: every range
    // check then refuses it as out of range.
    return cLocaleStrtod(num);
}

bool IsNumeric(QStringView text)
{
    return numericValue(text).has_value();
}

double roundHalfEven(double v)
{
    // std::nearbyint follows the current rounding mode, which this program
    // never changes from round-to-nearest-even.
    return std::nearbyint(v);
}

std::optional<std::int16_t> toInt16(double v)
{
    const double r = roundHalfEven(v);
    if (!std::isfinite(r) || r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<std::int32_t> toInt32(double v)
{
    const double r = roundHalfEven(v);
    if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

namespace {
QString zeroFilled(std::int64_t n, int width)
{
    const bool neg = n < 0;
    const std::uint64_t mag = neg ? std::uint64_t(0) - std::uint64_t(n) : std::uint64_t(n);
    QString digits = QString::number(mag).rightJustified(width, u'0');
    return neg ? u'-' + digits : digits;
}
} // namespace

QString format00(std::int64_t n)
{
    return zeroFilled(n, 2);
}
QString format000(std::int64_t n)
{
    return zeroFilled(n, 3);
}

QString formatHundredths(std::int64_t hundredths)
{
    const bool neg = hundredths < 0;
    const std::uint64_t mag = neg ? std::uint64_t(0) - std::uint64_t(hundredths) : std::uint64_t(hundredths);
    QString s = QString::number(mag / 100) + u'.' + QString::number(mag % 100).rightJustified(2, u'0');
    return neg ? u'-' + s : s;
}

QString formatFixed2(double v)
{
    if (!std::isfinite(v))
        return QStringLiteral("0.00");
    const double h = roundHalfEven(v * 100.0);
    if (h == 0.0)
        return QStringLiteral("0.00");
    if (std::fabs(h) < 9.0e18)
        return formatHundredths(static_cast<std::int64_t>(h));
    return QString::number(v, 'f', 2);
}

QString formatHex(std::uint64_t v, int width)
{
    return QString::number(v, 16).toUpper().rightJustified(width, u'0');
}

QString formatInt(std::int64_t n)
{
    return QString::number(n);
}

} // namespace common
