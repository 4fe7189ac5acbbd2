#include "textread.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

RtError notRegular(mode_t mode)
{
    return RtError::of(S_ISDIR(mode) ? err::PathFileAccess : err::BadFileMode);
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool sameCaseless(const char* a, QByteArrayView b)
{
    for (qsizetype i = 0; i < b.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

// The first place of `mark` in `hay`, ASCII letter case aside; -1 when none.
qsizetype findCaseless(QByteArrayView hay, QByteArrayView mark)
{
    const qsizetype last = hay.size() - mark.size();
    const char first = mark.front();
    const bool letter = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
    for (qsizetype i = 0; i <= last; ++i) {
        if (!letter) {
            // A first byte without letter case is found at memory speed.
            const void* at = std::memchr(hay.data() + i, first, std::size_t(last - i + 1));
            if (at == nullptr)
                return -1;
            i = static_cast<const char*>(at) - hay.data();
        }
        if (sameCaseless(hay.data() + i, mark))
            return i;
    }
    return -1;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isUtf16Mark(const QByteArray& head)
{
    return head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF");
}

} // namespace

std::optional<RtError> openForReading(QFile& file, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // Looked at before the open: opening a device can wait or act on it.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return RtError::fromReadErrno(errno, path);
    if (!S_ISREG(st.st_mode))
        return notRegular(st.st_mode);
    // What stands at the name may change between the look and the open: the
    // open does not wait, and the file opened is looked at again.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return RtError::fromReadErrno(errno, path);
    const bool looked = ::fstat(fd, &st) == 0;
    if (!looked || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return looked ? notRegular(st.st_mode) : RtError::of(err::DeviceIo);
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return RtError::of(err::DeviceIo);
    }
    return std::nullopt;
}

bool LineReader::fill()
{
    if (m_atEnd)
        return false;
    m_buf.resize(kReadChunk);
    const qint64 got = m_in.read(m_buf.data(), kReadChunk);
    m_pos = 0;
    if (got <= 0) {
        m_failed = got < 0;
        m_atEnd = true;
        m_buf.clear();
        return false;
    }
    m_buf.resize(got);
    // A file of one byte holds no mark of two.
    if (m_firstRead && isUtf16Mark(m_buf)) {
        stopAsNoText();
        return false;
    }
    m_firstRead = false;
    return true;
}

void LineReader::stopAsNoText()
{
    m_notText = true;
    m_atEnd = true;
    m_buf.clear();
    m_pos = 0;
}

void LineReader::lookForMark(QByteArrayView piece, qsizetype before)
{
    const QByteArrayView mark = m_options.mark;
    const qsizetype tail = mark.size() - 1;
    if (!m_markTail.isEmpty()) {
        // A mark begun at the end of the previous piece.
        const QByteArray joint = QByteArray(m_markTail).append(piece.first(std::min(piece.size(), tail)));
        if (const qsizetype at = findCaseless(joint, mark); at >= 0) {
            m_markAt = before - m_markTail.size() + at;
            return;
        }
    }
    if (const qsizetype at = findCaseless(piece, mark); at >= 0) {
        m_markAt = before + at;
        return;
    }
    m_markTail = piece.size() >= tail ? piece.last(tail).toByteArray() : m_markTail.append(piece).right(tail);
}

std::optional<QByteArray> LineReader::next()
{
    QByteArray record;
    bool started = false;    // a byte of this record (or its end) was read
    bool keptCrLast = false; // the last byte read was a CR, and kept
    bool leading = m_options.dropLeadingBlanks;
    qsizetype before = 0; // bytes of the record in the pieces before this one
    m_markAt = -1;
    m_markTail.clear();
    for (;;) {
        if (m_pos >= m_buf.size() && !fill())
            break;
        const QByteArrayView rest(m_buf.constData() + m_pos, m_buf.size() - m_pos);
        qsizetype len = rest.indexOf('\n');
        if (m_options.commas) {
            const qsizetype comma = rest.first(len < 0 ? rest.size() : len).indexOf(',');
            if (comma >= 0)
                len = comma;
        }
        const bool ends = len >= 0;
        const QByteArrayView piece = rest.first(ends ? len : rest.size());
        started = true;
        if (piece.contains('\0')) {
            stopAsNoText();
            return std::nullopt;
        }
        if (!m_options.mark.isEmpty() && m_markAt < 0)
            lookForMark(piece, before);
        qsizetype i = 0;
        if (leading) {
            while (i < piece.size() && isBlank(piece[i]))
                ++i;
            leading = i == piece.size();
        }
        if (i < piece.size()) {
            const qsizetype take = std::min(piece.size() - i, kKept - record.size());
            record.append(piece.data() + i, take);
            keptCrLast = take == piece.size() - i && piece.back() == '\r';
        }
        if (!piece.isEmpty()) {
            m_lineOpen = true;
            m_atLineStart = false;
        }
        before += piece.size();
        m_pos += piece.size();
        if (!ends)
            continue;
        ++m_pos;
        if (rest[piece.size()] == ',') {
            m_lineOpen = true;
            m_atLineStart = false;
            return record;
        }
        // CR LF ends the line as a lone LF does.
        if (keptCrLast)
            record.chop(1);
        m_lineOpen = false;
        m_atLineStart = true;
        return record;
    }
    if (m_failed || m_notText)
        return std::nullopt;
    if (started || m_lineOpen) {
        m_lineOpen = false;
        return record;
    }
    return std::nullopt;
}

bool LineReader::markAhead()
{
    m_markAt = -1;
    m_markTail.clear();
    if (m_options.mark.isEmpty())
        return false;
    qsizetype before = 0;
    for (;;) {
        if (m_pos >= m_buf.size() && !fill())
            return false;
        const QByteArrayView rest(m_buf.constData() + m_pos, m_buf.size() - m_pos);
        const qsizetype nul = rest.indexOf('\0');
        lookForMark(nul < 0 ? rest : rest.first(nul), before);
        if (m_markAt >= 0)
            return true;
        if (nul >= 0) {
            stopAsNoText();
            return false;
        }
        before += rest.size();
        m_pos = m_buf.size();
    }
}

Expected<QList<QByteArray>> readTextLines(QIODevice& in, qsizetype most, LineReader::Options options)
{
    try {
        LineReader reader(in, options);
        QList<QByteArray> lines;
        while (lines.size() < most) {
            std::optional<QByteArray> line = reader.next();
            if (!line)
                break;
            lines.append(std::move(*line));
        }
        if (reader.failed())
            return RtError::of(err::DeviceIo);
        if (reader.notText())
            return RtError::of(err::BadFileMode);
        return lines;
    } catch (const std::bad_alloc&) {
        return RtError::of(err::OutOfMemory);
    }
}

Expected<QList<QByteArray>> readTextLines(const QString& path, qsizetype most, LineReader::Options options)
{
    QFile in;
    if (const auto e = openForReading(in, path))
        return *e;
    return readTextLines(in, most, options);
}

} // namespace common
