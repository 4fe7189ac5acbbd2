#include "parafile.h"

#include "common/filenumbers.h"
#include "common/numbers.h"
#include "common/textfile.h"
#include "common/textread.h"

#include <cmath>
#include <new>

namespace params {

namespace {
// Each token's scan looks at no more than this many characters.
constexpr int kTokenScan = 21;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

int scanStart(QStringView record)
{
    const auto eq = record.indexOf(u'=');
    return eq < 0 ? 0 : int(eq) + 1;
}
} // namespace

QString printParaNumber(double v)
{
    // Fifteen significant digits, no trailing zeros, no zero before the
    // point: 1250, 1234.5, .5.
    QString digits = QString::number(std::fabs(v), 'g', 15);
    if (digits.startsWith(QStringLiteral("0.")))
        digits.remove(0, 1);
    return (v < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits + u' ';
}

QStringList paraFileLines(const ParaSet& set)
{
    QStringList lines;
    for (int f = 0; f < set.fileLines; ++f) {
        QStringList values;
        for (int a = 0; a < storedAxes(set); ++a)
            values << printParaNumber(set.value(a, f));
        lines << set.label(f) + values.join(u' ');
    }
    return lines;
}

QString systemToken(QStringView record)
{
    QString token;
    const int start = scanStart(record);
    const int end = std::min(int(record.size()), start + kTokenScan);
    for (int i = start; i < end; ++i)
        if (!isBlank(record[i]))
            token += record[i];
    return token;
}

std::array<QString, 4> axisTokens(QStringView record)
{
    std::array<QString, 4> tokens;
    int pos = scanStart(record);
    const int n = int(record.size());
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        const int limit = std::min(n, pos + kTokenScan);
        while (pos < limit) {
            const QChar c = record[pos];
            if (isBlank(c)) {
                // The first three tokens end at the blank after their text;
                // the fourth takes every further character.
                if (t < 3 && !tokens[t].isEmpty())
                    break;
            } else {
                tokens[t] += c;
            }
            ++pos;
        }
    }
    return tokens;
}

std::optional<double> tokenValue(const QString& token, ValueKind kind)
{
    const auto v = common::numericValue(token);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    if (kind == ValueKind::Real)
        return v;
    const auto w = common::toInt32(*v);
    if (!w)
        return std::nullopt;
    return double(*w);
}

ReadOutcome readParaFile(const QString& path, int lines, int columns, ValueKind kind, const StoreValue& store)
{
    common::FileNumber file(common::FileNumber::Reader);
    if (!file.claimed()) {
        common::FileNumber::close(common::FileNumber::Reader);
        return ReadOutcome::AlreadyOpen;
    }
    if (path.isEmpty()) // an empty box names no file
        return ReadOutcome::Failed;
    try {
        // Only the field records are read, all before a value is stored: a
        // file that is no text gives nothing of itself to the set.
        const auto content =
            common::readTextLines(path, lines, {.commas = true, .dropLeadingBlanks = false, .mark = {}});
        if (!common::ok(content))
            return ReadOutcome::Failed;
        const QList<QByteArray>& records = common::value(content);
        for (int line = 0; line < lines; ++line) {
            if (line >= records.size())
                return ReadOutcome::Failed;
            const QString record = QString::fromLatin1(records[line]);
            std::array<QString, 4> tokens;
            if (columns == 1)
                tokens[0] = systemToken(record);
            else
                tokens = axisTokens(record);
            for (int col = 0; col < columns && col < int(tokens.size()); ++col) {
                const auto v = tokenValue(tokens[std::size_t(col)], kind);
                if (!v)
                    return ReadOutcome::Failed;
                store(line, col, *v);
            }
        }
        return ReadOutcome::Read;
    } catch (const std::bad_alloc&) {
        return ReadOutcome::Failed;
    }
}

ReadOutcome loadParaSet(const ParaSet& set, const QString& path)
{
    const ReadOutcome outcome = readParaFile(path, set.fileLines, storedAxes(set), set.kind,
                                             [&set](int line, int axis, double v) { set.setValue(axis, line, v); });
    if (outcome == ReadOutcome::Failed && set.loadFailure == LoadFailure::Defaults)
        applyDefaults(set);
    return outcome;
}

std::optional<common::RtError> saveParaSet(const ParaSet& set, const QString& path)
{
    common::FileNumber file(common::FileNumber::Writer);
    if (!file.claimed())
        return common::RtError::of(common::err::FileAlreadyOpen);
    return common::writeTextLines(path, paraFileLines(set));
}

} // namespace params
