#include "textfile.h"

#include <QFile>
#include <QSaveFile>

namespace common {

Expected<QByteArray> readFileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return RtError::fromFile(f, path, false);
    QByteArray all = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return RtError::fromFile(f, path, false);
    return all;
}

QList<QByteArray> splitLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes[i] == '\n') {
            qsizetype end = i;
            if (end > start && bytes[end - 1] == '\r')
                --end;
            lines.append(bytes.mid(start, end - start));
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(bytes.mid(start));
    return lines;
}

Expected<QList<QByteArray>> readTextLines(const QString& path)
{
    auto bytes = readFileBytes(path);
    if (!ok(bytes))
        return error(bytes);
    return splitLines(value(bytes));
}

std::optional<RtError> writeTextLines(const QString& path, const QList<QByteArray>& lines)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return RtError::fromFile(f, path, true);
    QByteArray all;
    for (const QByteArray& line : lines) {
        all += line;
        all += "\r\n";
    }
    if (f.write(all) != all.size()) {
        // A short write without an error code is the disk (or the file size
        // limit) running out.
        RtError e = f.error() == QFileDevice::NoError ? RtError::of(err::DiskFull) : RtError::fromFile(f, path, true);
        f.cancelWriting();
        return e;
    }
    if (!f.commit())
        return RtError::fromFile(f, path, true);
    return std::nullopt;
}

std::optional<RtError> writeTextLines(const QString& path, const QStringList& lines)
{
    QList<QByteArray> bytes;
    bytes.reserve(lines.size());
    for (const QString& l : lines)
        bytes.append(l.toLatin1());
    return writeTextLines(path, bytes);
}

QStringList toLatin1Lines(const QList<QByteArray>& lines)
{
    QStringList out;
    out.reserve(lines.size());
    for (const QByteArray& l : lines)
        out.append(QString::fromLatin1(l));
    return out;
}

} // namespace common
