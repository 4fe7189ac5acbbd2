#include "tpfiles.h"

#include "common/numbers.h"
#include "common/textread.h"

#include <QBuffer>
#include <QFile>

#include <new>

namespace pendant {

namespace {

constexpr int kMaxProgramLines = 255;
const QString kEof = QStringLiteral("[EOF]");
constexpr QByteArrayView kEofMark = "[EOF]";

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString cutAtSemicolon(const QString& line)
{
    const qsizetype semi = line.indexOf(u';');
    return semi < 0 ? line : line.left(semi);
}

PointCells pointCells(const QByteArray& line, const TpFileKind& kind)
{
    return splitPointValues(cutAtSemicolon(QString::fromLatin1(line)), kind.valueColumn);
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

common::Expected<QList<PointCells>> parsePointFile(QIODevice& in, const TpFileKind& kind)
{
    common::LineReader lines(in);
    QList<PointCells> cells;
    cells.reserve(kind.lines);
    while (cells.size() < kind.lines) {
        const std::optional<QByteArray> line = lines.next();
        if (!line)
            break;
        cells.append(pointCells(*line, kind));
    }
    if (lines.failed())
        return common::RtError::of(common::err::DeviceIo);
    if (lines.notText())
        return common::RtError::of(common::err::BadFileMode);
    // The file is taken with a line end added: after its last line end (or in
    // an empty file) that makes one more, empty line.
    if (cells.size() < kind.lines && lines.endsWithLineEnd())
        cells.append(pointCells({}, kind));
    if (cells.size() < kind.lines)
        return common::RtError::of(common::err::InputPastEndOfFile);
    return cells;
}

common::Expected<QList<PointCells>> parsePointFile(const QByteArray& bytes, const TpFileKind& kind)
{
    QByteArray copy = bytes;
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    return parsePointFile(in, kind);
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

common::Expected<QStringList> parseProgramFile(QIODevice& in)
{
    common::LineReader lines(in, {.commas = false, .dropLeadingBlanks = false, .mark = kEofMark});
    QStringList commands;
    bool marked = false;
    while (commands.size() < kMaxProgramLines) {
        const std::optional<QByteArray> line = lines.next();
        if (!line)
            break;
        const qsizetype mark = lines.markAt();
        // The text is cut just after the end mark: the line holding it is the
        // last, and a line that starts with it (the first aside) is not taken.
        marked = mark >= 0;
        if (marked && mark == 0 && !commands.isEmpty())
            break;
        const QByteArray text = marked ? line->left(mark + kEofMark.size()) : *line;
        commands.append(cutAtSemicolon(QString::fromLatin1(text)).mid(4, 20));
        if (marked)
            break;
    }
    // Past the lines the grid takes, only whether the mark comes still counts.
    if (!marked && commands.size() == kMaxProgramLines)
        marked = lines.markAhead();
    if (lines.failed())
        return common::RtError::of(common::err::DeviceIo);
    if (lines.notText())
        return common::RtError::of(common::err::BadFileMode);
    // Without the mark the text is cut after four characters: one empty line.
    if (!marked)
        return QStringList{QString()};
    return commands;
}

common::Expected<QStringList> parseProgramFile(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    return parseProgramFile(in);
}

namespace {

template <typename T, typename Parse> Opened<T> openFile(const QString& path, Parse parse)
{
    try {
        QFile in;
        const std::optional<common::RtError> refused = common::openForReading(in, path);
        const common::Expected<T> read = refused ? common::Expected<T>(*refused) : parse(in);
        if (common::ok(read))
            return common::value(read);
        const common::RtError& why = common::error(read);
        if (why.number == common::err::BadFileMode || why.number == common::err::PathFileAccess)
            return why.text() + path;
        return why.text();
    } catch (const std::bad_alloc&) {
        return common::RtError::of(common::err::OutOfMemory).text();
    }
}

} // namespace

Opened<QList<PointCells>> openPointFile(const QString& path, const TpFileKind& kind)
{
    return openFile<QList<PointCells>>(path, [&kind](QIODevice& in) { return parsePointFile(in, kind); });
}

Opened<QStringList> openProgramFile(const QString& path)
{
    return openFile<QStringList>(path, [](QIODevice& in) { return parseProgramFile(in); });
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
