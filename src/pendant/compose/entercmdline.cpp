#include "entercmdline.h"

#include "common/numbers.h"
#include "common/strings.h"
#include "programs/cmdwords.h"

#include <QList>

#include <algorithm>

namespace pendant::compose {

namespace {

bool hasControlCharacter(QStringView line)
{
    return std::any_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x20; });
}

// Characters start..start+length-1 (from 1), counted as the templates count
// them (one per code point), cut at the line's end.
QString fieldText(QStringView line, int start, int length)
{
    const QList<uint> points = line.toUcs4();
    const qsizetype from = std::max(0, start - 1);
    if (from >= points.size())
        return {};
    const qsizetype n = std::min<qsizetype>(length, points.size() - from);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData() + from), n);
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

void setCaptions(PanelState& s, const QStringList& captions)
{
    for (qsizetype i = 0; i < captions.size() && i < qsizetype(s.P.size()); ++i)
        s.P[std::size_t(i)] = captions[i];
}

} // namespace

Decision decideLine(QStringView line)
{
    if (hasControlCharacter(line))
        return {};
    const QString op = programs::operationWordOf(line);
    bool inBlock = false;
    for (const LineRule& rule : lineRules()) {
        if (rule.operationBlock) {
            if (op.isEmpty())
                continue;
            inBlock = true;
        } else if (inBlock) {
            // A line that begins with an operation word is decided in the block or not at all.
            return {};
        }
        for (const LineForm& form : rule.forms) {
            if (rule.operationBlock && form.opWord != op)
                continue;
            if (form.tpl.matches(line))
                return {&rule, &form};
        }
    }
    return {};
}

bool fieldPasses(QStringView line, const FieldTest& field, int fieldShift, int axisCount)
{
    if (field.start == 0)
        return true;
    const QString f = fieldText(line, field.start + fieldShift, field.length);
    const double upper = field.upper == kAxisCount ? axisCount : field.upper;
    double v = 0;
    if (field.kind == FieldKind::Hex) {
        if (f.isEmpty() || !std::all_of(f.begin(), f.end(), isHexDigit))
            return false;
        v = double(f.toULongLong(nullptr, 16));
    } else {
        const std::optional<double> n = common::numericValue(f);
        if (!n)
            return false;
        v = *n;
    }
    return field.lower <= v && v <= upper;
}

void ClearSoftKeys(PanelState& s)
{
    for (QString& caption : s.P)
        caption.clear();
}

void CommitLine(PanelState& s, const QString& line)
{
    s.TextCOPY += line + QStringLiteral("\r\n");
    s.Text.clear();
    s.STATE_PARA = QStringLiteral("OFF");
    ClearSoftKeys(s);
    s.TEMP_COMMAND.clear();
    s.STATE_COMMAND.clear();
}

std::optional<QString> EnterCmdLine(PanelState& s, int axisCount)
{
    const QString line = s.Text;
    const Decision d = decideLine(line);
    if (!d)
        return std::nullopt;
    const LineRule& rule = *d.rule;
    if (!fieldPasses(line, rule.field, d.form->fieldShift, axisCount))
        return rule.message;
    switch (rule.outcome) {
    case Outcome::Commit:
        CommitLine(s, line);
        break;
    case Outcome::Step:
    case Outcome::StepOpWord:
    case Outcome::StepKeepState:
        setKeypadEnabled(s, false);
        if (rule.outcome == Outcome::Step) {
            s.STATE_COMMAND = rule.state;
        } else if (rule.outcome == Outcome::StepOpWord) {
            // The line's word: an operation word ("OR" without its blank) or ADF, SUF, MUF.
            const QString op = programs::operationWordOf(line);
            s.STATE_COMMAND = (op.isEmpty() ? line.left(3) : op) + QStringLiteral("_1");
        }
        s.TEMP_COMMAND = line;
        ClearSoftKeys(s);
        setCaptions(s, rule.captions);
        break;
    case Outcome::StepAppend:
        s.STATE_COMMAND = rule.state;
        s.TEMP_COMMAND = line;
        ClearSoftKeys(s);
        s.Text = line + rule.append;
        break;
    case Outcome::Append:
        s.TEMP_COMMAND = line;
        s.Text = line + rule.append;
        break;
    }
    return std::nullopt;
}

} // namespace pendant::compose
