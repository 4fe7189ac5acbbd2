#include "assembler.h"

#include "cmdwords.h"
#include "encoders.h"

#include "common/filenumbers.h"
#include "common/rterror.h"
#include "common/textread.h"

#include <QFile>

#include <algorithm>

namespace programs {

QString g_TokCmd;
QString g_TokOp1;
QString g_TokOp2;
QString g_TokOp3;
QString g_TokOp4;

namespace {

constexpr int kMaxRecords = 2000;
const char* const kNoSuchWord = "해당 명령어가 없습니다";
const char* const kTooManySteps = " 스텝 수가 256 을 넘습니다.";
const char* const kNoEof = " [EOF] 이 없습니다.";

bool isDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

// "$", or the writer's line of an empty step (sixteen hyphens), after an
// optional step number: both are the empty step, so that a received program
// holding one can be sent back.
bool isEmptyStepRecord(QStringView record)
{
    QStringView s = record.left(kRecordColumns);
    auto isSpace = [](QChar ch) { return ch == u' ' || ch == u'\t' || ch == u'\r'; };
    while (!s.isEmpty() && isSpace(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isSpace(s.back()))
        s.chop(1);
    while (!s.isEmpty() && isDigit(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isSpace(s.front()))
        s = s.mid(1);
    return s == u"$" || s == u"----------------";
}

// The command index of a record: the fused L, F and OF forms by their first
// characters, every other word by the look-up.
int commandIndex(PrgTokens& t, QStringView record)
{
    const QString& c = t.cmd;
    auto ch = [&c](int i) { return i < c.size() ? c[i] : QChar(); };
    if (t.noLetter && isEmptyStepRecord(record))
        return cmd::Empty;
    if (ch(0) == u'L' && isDigit(ch(1))) {
        t.op[0] = c; // L05 is label 05
        return cmd::L;
    }
    if (ch(0) == u'F' && isDigit(ch(1)))
        return cmd::F;
    if (ch(0) == u'O' && ch(1) == u'F' && isDigit(ch(2)))
        return cmd::OF;
    return cmdIndexOf(c);
}

// Tells why the assembly ends; its result is False.
bool fail(const Tell& tell, const QString& text)
{
    tell(text);
    return false;
}

void keepTokens(const PrgTokens& t)
{
    g_TokCmd = t.cmd;
    g_TokOp1 = t.op[0];
    g_TokOp2 = t.op[1];
    g_TokOp3 = t.op[2];
    g_TokOp4 = t.op[3];
}

} // namespace

AsmLine assembleLine(QStringView record, int axisCount)
{
    AsmLine line;
    line.tokens = cutRecord(record);
    if (line.tokens.comment)
        return line;
    line.cmdIndex = commandIndex(line.tokens, record);
    if (line.cmdIndex == kNoCmdWord) {
        line.outcome = AsmLine::Outcome::NoSuchWord;
        line.message = QString::fromUtf8(kNoSuchWord);
        return line;
    }
    const Encoded e = encodeStep(line.cmdIndex, line.tokens, axisCount);
    switch (e.kind) {
    case Encoded::Kind::Word:
        line.outcome = AsmLine::Outcome::Word;
        line.word = e.word;
        break;
    case Encoded::Kind::Rejected:
        line.outcome = AsmLine::Outcome::Rejected;
        line.message = e.message;
        break;
    case Encoded::Kind::Overflow:
        line.outcome = AsmLine::Outcome::Overflow;
        line.message = e.message;
        break;
    }
    return line;
}

bool AsmPrgFile(std::int16_t n, const QString& path, int axisCount, const Tell& tell)
{
    if (n < 0 || n >= kPrgNumbers)
        return false;
    common::FileNumber file(common::FileNumber::Reader);
    if (!file.claimed())
        return fail(tell, common::RtError::of(common::err::FileAlreadyOpen).text() + path);
    QFile in;
    if (const auto e = common::openForReading(in, path))
        return fail(tell, e->text() + path);
    return AsmPrgFile(n, in, path, axisCount, tell);
}

bool AsmPrgFile(std::int16_t n, QIODevice& in, const QString& path, int axisCount, const Tell& tell)
{
    if (n < 0 || n >= kPrgNumbers)
        return false;
    // Record by record: the file is read no further than the last record
    // the assembly looks at.
    RecordReader records(in);

    g_PrgWordCount = 0;
    std::fill_n(g_PrgImage.begin(), kPrgSteps, kEmptyStep);
    for (int i = 0; i < kMaxRecords; ++i) {
        if (g_PrgWordCount >= kPrgSteps)
            return fail(tell, QString::fromUtf8(kTooManySteps));
        keepTokens(PrgTokens{});
        const std::optional<QString> record = records.next();
        if (!record) {
            if (records.failed())
                return fail(tell, common::RtError::of(common::err::DeviceIo).text() + path);
            if (records.notText())
                return fail(tell, common::RtError::of(common::err::BadFileMode).text() + path);
            return fail(tell, common::RtError::of(common::err::InputPastEndOfFile).text() + path);
        }
        g_PrgLine = *record;
        const AsmLine line = assembleLine(g_PrgLine, axisCount);
        keepTokens(line.tokens);
        switch (line.outcome) {
        case AsmLine::Outcome::Comment:
            break;
        case AsmLine::Outcome::Rejected:
            tell(line.message);
            break;
        case AsmLine::Outcome::NoSuchWord:
            return fail(tell, line.message);
        case AsmLine::Outcome::Overflow:
            return fail(tell, line.message + path);
        case AsmLine::Outcome::Word:
            g_PrgImage[std::size_t(g_PrgWordCount)] = line.word;
            ++g_PrgWordCount;
            if (line.cmdIndex == cmd::Eof) {
                g_PrgHdrUsed[std::size_t(n)] = i == 0 ? 0 : 1;
                g_PrgHdrLines[std::size_t(n)] = i;
                return true;
            }
            break;
        }
    }
    return fail(tell, QString::fromUtf8(kNoEof));
}

} // namespace programs
