#include "tpfiles.h"

#include "common/numbers.h"

namespace pendant {

namespace {

constexpr int kMaxProgramLines = 255;
const QString kEof = QStringLiteral("[EOF]");

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString cutAtSemicolon(const QString& line)
{
    const qsizetype semi = line.indexOf(u';');
    return semi < 0 ? line : line.left(semi);
}

} // namespace

PointCells splitPointValues(QStringView line, int valueColumn)
{
    PointCells values;
    const qsizetype eq = line.indexOf(u'=');
    qsizetype pos = std::min(line.size(), eq >= 0 ? eq + 1 : qsizetype(valueColumn - 1));
    for (std::size_t k = 0; k < values.size(); ++k) {
        while (pos < line.size() && isSeparator(line[pos]))
            ++pos;
        const qsizetype start = pos;
        while (pos < line.size() && !isSeparator(line[pos]))
            ++pos;
        values[k] = line.mid(start, pos - start).toString();
    }
    return values;
}

common::Expected<QList<PointCells>> parsePointFile(const QByteArray& bytes, const TpFileKind& kind)
{
    // A final line without its end still counts, and a file whose last line
    // ends with CR LF gains an empty last line, as the end is added first.
    const QList<QByteArray> lines = common::splitLines(bytes + "\r\n");
    if (lines.size() < kind.lines)
        return common::RtError::of(common::err::InputPastEndOfFile);
    QList<PointCells> cells;
    cells.reserve(kind.lines);
    for (int i = 0; i < kind.lines; ++i)
        cells.append(splitPointValues(cutAtSemicolon(QString::fromLatin1(lines[i])), kind.valueColumn));
    return cells;
}

QStringList pointFileLines(const QList<PointCells>& cells, const TpFileKind& kind)
{
    QStringList out;
    out.reserve(cells.size());
    for (qsizetype i = 0; i < cells.size(); ++i) {
        QString line = QChar::fromLatin1(kind.label) + (kind.digits == 3 ? common::format000(i) : common::format00(i)) +
                       QStringLiteral(" =");
        for (const QString& v : cells[i])
            line += u' ' + (v.isEmpty() ? QStringLiteral("0.00") : v);
        out.append(line);
    }
    return out;
}

QStringList parseProgramFile(const QByteArray& bytes)
{
    QString s = QString::fromLatin1(bytes);
    const qsizetype eof = s.indexOf(kEof, 0, Qt::CaseInsensitive);
    // Cut just after the end mark (without one, after four characters).
    s = s.left(eof >= 0 ? eof + kEof.size() : 4) + QStringLiteral("\r\n");
    QStringList commands;
    qsizetype pos = 0;
    for (int n = 0; n < kMaxProgramLines; ++n) {
        const qsizetype lf = s.indexOf(u'\n', pos);
        if (lf < 0)
            break;
        qsizetype end = lf;
        if (end > pos && s[end - 1] == u'\r')
            --end;
        commands.append(cutAtSemicolon(s.mid(pos, end - pos)).mid(4, 20));
        pos = lf + 1;
        if (eof < 0 || pos >= eof) // the line reaching the end mark was the last
            break;
    }
    return commands;
}

QStringList programFileLines(const QStringList& steps, const QStringList& commands)
{
    QStringList out;
    const qsizetype rows = std::min(steps.size(), commands.size());
    for (qsizetype r = 0; r < rows && r < kMaxProgramLines; ++r) {
        out.append(steps[r] + u' ' + commands[r]);
        if (commands[r] == kEof)
            break;
    }
    return out;
}

std::optional<common::RtError> writeTpFile(const QString& path, QStringList lines)
{
    lines.append(QString());
    return common::writeTextLines(path, lines);
}

} // namespace pendant
