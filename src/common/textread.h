#pragma once
// Text files as the readers read them: regular files only, record by record.
// A name the operator chose by mistake (a folder, a FIFO, a device such as
// /dev/zero or a terminal, a socket) is refused before a byte is read, and
// nothing waits in the open: a FIFO without a writer or a terminal never
// freezes the window. The records come from pieces of the file, so that a
// reader stops where it has what it needs and neither a huge file nor an
// endless line costs memory; a file that is no text (a NUL byte in what is
// read, or a UTF-16 byte order mark at its start) is refused as well.

#include "rterror.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QIODevice>
#include <QList>
#include <QString>

#include <optional>

namespace common {

// Opens `file` on `path` for reading when the path names a regular file
// (links followed). A folder gives error 75, any other kind of file 54; a
// failed look or open the system's cause (53, 76, 70, ...).
std::optional<RtError> openForReading(QFile& file, const QString& path);

// The records of a text file, one at a time: a record is a line (ended by
// CR LF or a lone LF; a last line without its end counts, nothing after a
// final line end does) or, with `commas`, also the piece before a comma (the
// piece after a last comma counts). One byte per character.
class LineReader {
public:
    static constexpr qint64 kReadChunk = 64 * 1024;
    // A record keeps its first kKept bytes, far more than any reader looks
    // at, so that an overlong line costs no memory.
    static constexpr qsizetype kKept = 256;

    struct Options {
        bool commas = false;
        bool dropLeadingBlanks = false; // blanks and tabs in front of a record
        QByteArrayView mark;            // looked for in every record, letter case aside
    };

    explicit LineReader(QIODevice& in) : LineReader(in, Options{}) {}
    LineReader(QIODevice& in, Options options) : m_in(in), m_options(options) {}

    // The next record; nullopt at the end of the file, when a read fails
    // (failed()) or when the file shows it is no text (notText()). A record
    // cut by such a stop is not delivered.
    std::optional<QByteArray> next();

    bool failed() const { return m_failed; }
    bool notText() const { return m_notText; }
    // At the end: true when the file is empty or its last line has its end.
    bool endsWithLineEnd() const { return m_atLineStart; }
    // Where the mark first stands in the last record (counted in the
    // record's bytes, whole, before anything is dropped); -1 when nowhere.
    qsizetype markAt() const { return m_markAt; }
    // Whether the mark stands anywhere in the rest of the file, read up to
    // the mark or to the end, in pieces; false also when the reading stops
    // (failed(), notText()) before it.
    bool markAhead();

private:
    bool fill();
    void stopAsNoText();
    void lookForMark(QByteArrayView piece, qsizetype before);

    QIODevice& m_in;
    Options m_options;
    QByteArray m_buf;
    qsizetype m_pos = 0;
    bool m_failed = false;
    bool m_notText = false;
    bool m_atEnd = false;
    bool m_firstRead = true;
    bool m_lineOpen = false;   // a byte of the line was read since its start
    bool m_atLineStart = true; // the last byte read ended a line (or none was read)
    qsizetype m_markAt = -1;
    QByteArray m_markTail; // the record's last bytes, for a mark across two pieces
};

// The first `most` records of the file at `path` (or of `in`). Fails with
// the open's refusal, 57 when a read fails, 54 when the file is no text and
// 7 when memory runs out.
Expected<QList<QByteArray>> readTextLines(const QString& path, qsizetype most, LineReader::Options options = {});
Expected<QList<QByteArray>> readTextLines(QIODevice& in, qsizetype most, LineReader::Options options = {});

} // namespace common
