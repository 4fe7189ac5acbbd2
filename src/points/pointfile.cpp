#include "pointfile.h"

#include "common/filenumbers.h"
#include "common/msgbox.h"
#include "common/numbers.h"
#include "common/rterror.h"
#include "common/textfile.h"
#include "common/textread.h"

#include <algorithm>
#include <new>
#include <vector>

namespace points {

using common::RtError;
namespace err = common::err;

namespace {

constexpr int kBadFileName = 52;

RtError badFileName()
{
    return RtError::of(kBadFileName, QStringLiteral("Bad file name or number"));
}

// How a failing line is named in the message: its first seven characters.
QString lineHead(const QByteArray& line)
{
    qsizetype i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return QString::fromLatin1(line.mid(i, 7));
}

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QString pointLabel(Table t, int no)
{
    const TableDesc& d = desc(t);
    const QString number = d.digits == 3 ? common::format000(no) : common::format00(no);
    return QChar::fromLatin1(d.label) + number + QStringLiteral(" = ");
}

QString pointLine(Table t, int no, const LocPoint& p)
{
    QString line = pointLabel(t, no);
    for (std::size_t a = 0; a < p.ax.size(); ++a) {
        if (a > 0)
            line += u' ';
        line += common::formatHundredths(p.ax[a]);
    }
    return line;
}

std::optional<LocPoint> parsePointLine(QStringView line)
{
    const qsizetype eq = line.indexOf(u'=');
    qsizetype i = eq < 0 ? 0 : eq + 1;
    LocPoint p;
    for (std::size_t a = 0; a < p.ax.size(); ++a) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        const qsizetype start = i;
        while (i < line.size() && !isSeparator(line[i]))
            ++i;
        const auto hundredths = common::toInt32(common::leadingNumber(line.mid(start, i - start)) * 100.0);
        if (!hundredths)
            return std::nullopt;
        p.ax[a] = *hundredths;
    }
    return p;
}

std::optional<QString> writePointFile(Table t, const QString& fileName)
{
    if (fileName.isEmpty())
        return badFileName().text();
    const common::FileNumber number(common::FileNumber::Writer);
    // The old file stays as it was unless every line was written.
    common::SafeSave file(fileName);
    if (const auto e = file.open())
        return e->text() + fileName;
    const auto rows = entries(t);
    for (int p = 0; p < int(rows.size()); ++p) {
        const QByteArray line = pointLine(t, p, rows[std::size_t(p)]).toLatin1() + "\r\n";
        if (const auto e = file.write(line))
            return e->text() + pointLabel(t, p);
    }
    if (const auto e = file.commit())
        return e->text() + fileName;
    return std::nullopt;
}

std::optional<QString> readPointFile(Table t, const QString& fileName)
{
    if (fileName.isEmpty())
        return badFileName().text();
    const auto rows = entries(t);
    try {
        // Only the lines of the table are read, and all of them before a
        // point changes: a file refused as no text changes nothing.
        common::Expected<QList<QByteArray>> read = RtError{};
        {
            const common::FileNumber number(common::FileNumber::Reader);
            if (!number.claimed())
                return RtError::of(err::FileAlreadyOpen).text() + fileName;
            read = common::readTextLines(fileName, qsizetype(rows.size()));
        }
        if (!common::ok(read))
            return common::error(read).text() + fileName;
        const QList<QByteArray>& lines = common::value(read);
        if (lines.isEmpty())
            return RtError::of(err::InputPastEndOfFile).text() + fileName;
        std::vector<LocPoint> points;
        points.reserve(rows.size());
        std::optional<QString> failure;
        for (qsizetype i = 0; i < qsizetype(rows.size()); ++i) {
            if (i >= lines.size()) {
                failure = RtError::of(err::InputPastEndOfFile).text() + lineHead(lines.last());
                break;
            }
            // A point is replaced only when all four of its values convert.
            const auto point = parsePointLine(QString::fromLatin1(lines[i]));
            if (!point) {
                failure = RtError::of(err::Overflow).text() + lineHead(lines[i]);
                break;
            }
            points.push_back(*point);
        }
        std::copy(points.begin(), points.end(), rows.begin());
        return failure;
    } catch (const std::bad_alloc&) {
        return RtError::of(err::OutOfMemory).text() + fileName;
    }
}

namespace {
void tell(const std::optional<QString>& failure)
{
    if (failure)
        common::MsgBox(*failure);
}
} // namespace

void savePointFile(Table t, const QString& fileName)
{
    tell(writePointFile(t, fileName));
}
void loadPointFile(Table t, const QString& fileName)
{
    tell(readPointFile(t, fileName));
}
void SaveLocFile(const QString& fileName)
{
    savePointFile(Table::Loc, fileName);
}
void SaveSftFile(const QString& fileName)
{
    savePointFile(Table::Sft, fileName);
}
void LoadLocFile(const QString& fileName)
{
    loadPointFile(Table::Loc, fileName);
}
void LoadSftFile(const QString& fileName)
{
    loadPointFile(Table::Sft, fileName);
}

} // namespace points
