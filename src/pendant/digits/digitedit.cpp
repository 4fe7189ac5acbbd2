#include "pendant/digits/digitedit.h"

#include "common/linetemplate.h"
#include "common/strings.h"
#include "pendant/digits/digitrow.h"
#include "programs/cmdwords.h"

#include <QList>

#include <algorithm>
#include <span>
#include <string>
#include <utility>

namespace pendant::digits {

namespace {

// Positions count characters, as the matcher does, so that a character
// outside the basic plane is never split into halves.
using Chars = std::u32string;

bool hasLoneSurrogate(QStringView s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (s[i].isSurrogate())
            return true;
    }
    return false;
}

Chars toChars(QStringView s)
{
    const QList<uint> u = s.toUcs4();
    return Chars(u.begin(), u.end());
}

QString fromChars(std::u32string_view s)
{
    return QString::fromUcs4(s.data(), qsizetype(s.size()));
}

// Up to n characters from the 1-based position start; fewer or none where the
// line ends sooner.
Chars mid(const Chars& t, int start, int n)
{
    const std::size_t from = std::size_t(start - 1);
    return from < t.size() ? t.substr(from, std::size_t(n)) : Chars();
}

Chars left(const Chars& t, int n)
{
    return t.substr(0, std::size_t(n));
}

// The leading capital letters: "F" of "F05", "OF" of "OF1", "ADD" of "ADD R05".
Chars commandWord(const Chars& t)
{
    std::size_t n = 0;
    while (n < t.size() && t[n] >= U'A' && t[n] <= U'Z')
        ++n;
    return t.substr(0, n);
}

// TEMP_COMMAND stands in for the first k characters of the line only when it
// has their length and the line's command word; a stale or empty value would
// otherwise wipe the operands in front of the field.
bool isLeadingPart(QStringView temp, const Chars& line, int k)
{
    if (hasLoneSurrogate(temp))
        return false;
    const Chars t = toChars(temp);
    return t.size() == std::size_t(k) && commandWord(t) == commandWord(line);
}

bool rowMatches(const DigitRow& row, QStringView line, QStringView op)
{
    for (std::string_view tmpl : row.templates) {
        if (tmpl.empty())
            break;
        if (common::matchesTemplate(line, op.toString() + common::toQString(tmpl)))
            return true;
    }
    return false;
}

struct Found {
    int row = -1;
    QString op; // the operation word of a block-2 row
};

Found findCmdRow(QStringView line)
{
    if (hasLoneSurrogate(line))
        return {};
    const auto table = cmdDigitTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (rowMatches(table[i], line, {}))
            return {int(i), {}};
    return {};
}

int firstInBlock(std::span<const DigitRow> table, int block, QStringView line, QStringView op)
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].block == block && rowMatches(table[i], line, op))
            return int(i);
    return -1;
}

// Block 1, then by the line's first three characters either the operation
// block or block 3; a line of an operation word never reaches block 3.
Found findParaRow(QStringView line)
{
    if (hasLoneSurrogate(line))
        return {};
    const auto table = paraDigitTable();
    if (const int i = firstInBlock(table, 1, line, {}); i >= 0)
        return {i, {}};
    if (const QString op = programs::operationWordOf(line); !op.isEmpty())
        return {firstInBlock(table, 2, line, op), op};
    return {firstInBlock(table, 3, line, {}), {}};
}

DigitEdit applyRow(const DigitRow& row, QStringView line, QStringView temp, std::string_view d, QStringView op)
{
    const Chars t = toChars(line);
    // Operation-block positions are given for a three-letter word.
    const int shift = row.block == 2 ? int(op.size()) - 3 : 0;
    const DigitField& f = row.field;
    const int start = f.start + shift;
    const int k = row.leadLength + shift;

    DigitEdit out{QString(), temp.toString(), true};
    const QString text = common::toQString(row.text);
    QString lead;
    switch (row.lead) {
    case LeadKind::Fixed:
        lead = text;
        break;
    case LeadKind::Word:
        lead = op.toString() + text;
        break;
    case LeadKind::CutStored:
        out.tempCommand = fromChars(left(t, k));
        lead = out.tempCommand + text;
        break;
    case LeadKind::Held:
        lead = (isLeadingPart(temp, t, k) ? temp.toString() : fromChars(left(t, k))) + text;
        break;
    case LeadKind::Cut:
        lead = fromChars(left(t, k)) + text;
        break;
    }

    Chars field;
    switch (f.shape) {
    case FieldShape::Plain:
        field = mid(t, start, f.width);
        break;
    case FieldShape::Decimal:
        field = mid(t, start, f.width) + mid(t, f.fracStart + shift, f.fracWidth);
        break;
    case FieldShape::ToParen: {
        const std::size_t from = std::min(std::size_t(start - 1), t.size());
        const std::size_t close = t.find(U')', from);
        field = t.substr(from, close == Chars::npos ? Chars::npos : close - from);
        break;
    }
    }

    // The field is text, never a number: shift the key's character in at the
    // right and right-justify with zeros, so hexadecimal letters and any
    // character a "?" admitted stay as typed.
    const std::size_t w = std::size_t(f.shiftedWidth());
    Chars shifted = field + Chars(d.begin(), d.end());
    if (shifted.size() > w)
        shifted.erase(0, shifted.size() - w);
    if (d == ".")
        shifted.pop_back(); // the point ends the number: what stood before it is kept, right-justified
    if (shifted.size() < w)
        shifted.insert(0, w - shifted.size(), U'0');
    if (f.shape == FieldShape::Decimal)
        shifted.insert(std::size_t(f.width), 1, U'.');

    out.line = lead + fromChars(shifted) + common::toQString(row.suffix);
    return out;
}

DigitEdit unchanged(QStringView line, QStringView temp)
{
    return {line.toString(), temp.toString(), false};
}

} // namespace

int cmdDigitRowFor(QStringView line)
{
    return findCmdRow(line).row;
}

int paraDigitRowFor(QStringView line)
{
    return findParaRow(line).row;
}

DigitEdit editCmdDigit(QStringView line, QStringView tempCommand, int key)
{
    if (key < 0 || key >= int(kCmdKeyChars.size()))
        return unchanged(line, tempCommand);
    const Found found = findCmdRow(line);
    if (found.row < 0)
        return unchanged(line, tempCommand);
    return applyRow(cmdDigitTable()[std::size_t(found.row)], line, tempCommand, kCmdKeyChars[std::size_t(key)], {});
}

DigitEdit editParaDigit(QStringView line, QStringView tempCommand, int key)
{
    if (key < 0 || key >= int(kParaKeyChars.size()))
        return unchanged(line, tempCommand);
    const Found found = findParaRow(line);
    if (found.row < 0)
        return unchanged(line, tempCommand);
    return applyRow(paraDigitTable()[std::size_t(found.row)], line, tempCommand, kParaKeyChars[std::size_t(key)],
                    found.op);
}

void EnterCmdDigit(QString& Text, QString& TEMP_COMMAND, int Index)
{
    DigitEdit e = editCmdDigit(Text, TEMP_COMMAND, Index);
    if (!e.written)
        return;
    TEMP_COMMAND = std::move(e.tempCommand);
    Text = std::move(e.line);
}

void EnterParaDigit(QString& Text, QString& TEMP_COMMAND, int Index)
{
    DigitEdit e = editParaDigit(Text, TEMP_COMMAND, Index);
    if (!e.written)
        return;
    TEMP_COMMAND = std::move(e.tempCommand);
    Text = std::move(e.line);
}

} // namespace pendant::digits
