#include "tokens.h"

#include "common/numbers.h"

#include <QBuffer>

#include <limits>

namespace programs {

QStringList splitRecords(const QByteArray& fileBytes)
{
    QByteArray bytes = fileBytes;
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    RecordReader reader(in);
    QStringList records;
    while (const auto r = reader.next())
        records.append(*r);
    return records;
}

std::optional<QString> RecordReader::next()
{
    const std::optional<QByteArray> record = m_lines.next();
    if (!record)
        return std::nullopt;
    return QString::fromLatin1(*record);
}

namespace {

bool isLetterStart(QChar ch)
{
    return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z') || ch == u'[';
}
bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}
bool endsToken(QChar ch)
{
    return ch == u' ' || ch == u'\r' || ch == u',' || ch == u'\t';
}

// Walks one record by 1-based columns as the file format counts them.
class RecordScan {
public:
    explicit RecordScan(QStringView r) : m_rec(r) {}

    // The character of a column; the null character beyond the record.
    QChar at(int col) const { return col >= 1 && col <= m_rec.size() ? m_rec[col - 1] : QChar(); }

    void findStart()
    {
        for (m_c = 1; m_c <= kRecordColumns; ++m_c) {
            if (isLetterStart(at(m_c)))
                return;
        }
    }

    // Up to 10 columns, none beyond 80. A column beyond the record's end adds
    // nothing but still counts.
    QString readToken()
    {
        QString tok;
        for (int n = 0; n < kTokenLength && m_c <= kRecordColumns; ++n, ++m_c) {
            if (m_c > m_rec.size())
                continue;
            const QChar ch = m_rec[m_c - 1];
            if (endsToken(ch))
                break;
            tok += (ch >= u'a' && ch <= u'z') ? QChar(ch.unicode() - 'a' + 'A') : ch;
        }
        return tok;
    }

    void skip(bool commas)
    {
        while (m_c <= kRecordColumns && (isBlank(at(m_c)) || (commas && at(m_c) == u',')))
            ++m_c;
    }

    // The character where the skip ended is ";" or CR: no further operands.
    bool operandsEnd() const
    {
        const QChar ch = m_c <= kRecordColumns ? at(m_c) : QChar();
        return ch == u';' || ch == u'\r';
    }

    bool started() const { return m_c <= kRecordColumns; }

private:
    QStringView m_rec;
    int m_c = 1;
};

} // namespace

PrgTokens cutRecord(QStringView record)
{
    PrgTokens t;
    RecordScan scan(record);
    if (scan.at(1) == u';') {
        t.comment = true;
        return t;
    }
    scan.findStart();
    t.noLetter = !scan.started();
    t.cmd = scan.readToken();
    scan.skip(false);
    if (scan.operandsEnd())
        return t;
    for (std::size_t i = 0; i < t.op.size(); ++i) {
        if (i > 0) {
            scan.skip(true);
            if (scan.operandsEnd())
                break;
        }
        t.op[i] = scan.readToken();
    }
    return t;
}

std::int32_t OperandNum(QStringView tok, bool allowMinus)
{
    QString taken;
    for (qsizetype i = 0; i < tok.size() && i < 9; ++i) {
        const QChar ch = tok[i];
        if ((ch >= u'0' && ch <= u'9') || (allowMinus && ch == u'-'))
            taken += ch;
    }
    // At most nine characters: the value always fits.
    return std::int32_t(common::Val(taken));
}

std::optional<std::int32_t> HexOperandVal(QStringView tok)
{
    std::int64_t v = 0;
    for (qsizetype i = 0; i < tok.size() && i < 9; ++i) {
        const QChar ch = tok[i];
        if (ch == u'H')
            break;
        if (i > 0) {
            v *= 16;
            if (v > std::numeric_limits<std::int32_t>::max())
                return std::nullopt;
        }
        if (ch >= u'0' && ch <= u'9')
            v += ch.unicode() - '0';
        else if (ch >= u'A' && ch <= u'F')
            v += ch.unicode() - 'A' + 10;
    }
    return std::int32_t(v);
}

} // namespace programs
