// The assembler on any program file, as a transmit reads it: AsmPrgFile over
// the file, and each of its records through assembleLine. A record gives a
// comment, a word of its command's opcode that the lister writes back under
// that command as a line that assembles to the same word, or a known
// message; an assembly that succeeds leaves a
// header and an image ending in the end mark (1026 bytes for the link), one
// that fails has told why and leaves the program's header alone.

#include "support/fuzzsupport.h"
#include "support/knowntexts.h"

#include "common/rterror.h"
#include "common/strings.h"
#include "programs/assembler.h"
#include "programs/cmdwords.h"
#include "programs/lister.h"
#include "programs/prgimage.h"
#include "programs/programfiles.h"
#include "programs/tokens.h"
#include "support/seams.h"

using namespace programs;

namespace {

constexpr StepWord kMark = 0x0BADF00D;
constexpr std::int32_t kHeaderMark = -9;

const QStringList kMessageSources = {QStringLiteral("src/programs/encoders.cpp"),
                                     QStringLiteral("src/programs/assembler.cpp")};

bool knownMessage(const QString& text, const QString& path)
{
    if (fuzz::isLiteralOf(text, kMessageSources))
        return true;
    // The failures that name the file (a NUL byte: no text).
    for (int number : {common::err::Overflow, common::err::InputPastEndOfFile, common::err::BadFileMode})
        if (text == common::RtError::of(number).text() + path)
            return true;
    return false;
}

void checkRecord(const QString& record, int axes)
{
    const AsmLine line = assembleLine(record, axes);
    switch (line.outcome) {
    case AsmLine::Outcome::Comment:
        FUZZ_CHECK(line.tokens.comment && line.message.isEmpty());
        return;
    case AsmLine::Outcome::Word: {
        FUZZ_CHECK(line.message.isEmpty());
        FUZZ_CHECK(line.cmdIndex >= 0 && line.cmdIndex < kCmdWordCount);
        FUZZ_CHECK(opcodeField(line.word) == opcodeOf(line.cmdIndex));
        const QString listed = DisasmStep(0, line.word);
        if (line.cmdIndex == cmd::Empty) {
            FUZZ_CHECK(line.word == kEmptyStep && listed == QStringLiteral("----------------"));
            return;
        }
        const auto& word = kCmdWords[std::size_t(line.cmdIndex)].word;
        const QString head = QStringLiteral("000 ") + common::toQString(word);
        const QString detail = QStringLiteral("\"%1\" gives %2, listed \"%3\"")
                                   .arg(record)
                                   .arg(line.word, 8, 16, QLatin1Char('0'))
                                   .arg(listed);
        FUZZ_CHECK_MSG(listed.startsWith(head) && listed.size() > 4, detail);
        // A program received into its file and sent back is the same
        // program: the listed line assembles to the same word. Only what the
        // forms do not show may go: the number after INT n OFF ("anything
        // else is OFF") and the sign of an F or OF value that lists as 0.00.
        const AsmLine again = assembleLine(listed, axes);
        StepWord expected = line.word;
        const StepWord opcode = line.word >> 24;
        if (opcode == 0x63 && ((line.word >> 16) & 0xFF) == 0)
            expected &= ~StepWord(0xFF);
        if ((opcode == 0x69 || opcode == 0x6C) && (line.word & 0x7FFFF) == 0)
            expected &= ~StepWord(1u << 19);
        const QString back = QStringLiteral(", which assembles to %1 %2 \"%3\"")
                                 .arg(int(again.outcome))
                                 .arg(again.word, 8, 16, QLatin1Char('0'))
                                 .arg(again.message);
        FUZZ_CHECK_MSG(again.outcome == AsmLine::Outcome::Word && again.word == expected, detail + back);
        return;
    }
    case AsmLine::Outcome::Rejected:
    case AsmLine::Outcome::NoSuchWord:
    case AsmLine::Outcome::Overflow:
        FUZZ_CHECK(line.word == 0);
        FUZZ_CHECK_MSG(line.outcome == AsmLine::Outcome::Overflow
                           ? line.message == common::RtError::of(common::err::Overflow).text()
                           : fuzz::isLiteralOf(line.message, kMessageSources),
                       QStringLiteral("\"%1\" gives the message \"%2\"").arg(record, line.message));
        return;
    }
    FUZZ_CHECK(!"an outcome of its own");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const bool ready = [] {
        fuzz::initApp();
        InitCmdWords();
        return true;
    }();
    (void)ready;
    const int axes = 2 + data[0] % 3;
    const auto n = std::int16_t((data[0] / 3) % 32);
    const QByteArray file = fuzz::bytesOf(data, size, 1);

    const QStringList records = splitRecords(file);
    for (qsizetype i = 0; i < records.size() && i < 300; ++i)
        checkRecord(records[i], axes);

    const QString path = fuzz::writeRunFile(QStringLiteral("prg.dat"), file);
    testsupport::MessageRecorder boxes;
    g_PrgImage.fill(kMark);
    g_PrgHdrUsed.fill(kHeaderMark);
    g_PrgHdrLines.fill(kHeaderMark);

    const bool ok = AsmPrgFile(n, path, axes);

    FUZZ_CHECK(g_PrgImage[kPrgSteps] == kMark);
    for (int k = 0; k < kPrgNumbers; ++k)
        if (k != n)
            FUZZ_CHECK(g_PrgHdrUsed[std::size_t(k)] == kHeaderMark && g_PrgHdrLines[std::size_t(k)] == kHeaderMark);
    for (const auto& b : boxes.boxes)
        FUZZ_CHECK_MSG(knownMessage(b.text, path), b.text);
    FUZZ_CHECK(g_PrgWordCount >= 0 && g_PrgWordCount <= kPrgSteps);
    for (int k = g_PrgWordCount; k < kPrgSteps; ++k)
        FUZZ_CHECK(g_PrgImage[std::size_t(k)] == kEmptyStep);
    if (ok) {
        FUZZ_CHECK(g_PrgWordCount >= 1 && g_PrgImage[std::size_t(g_PrgWordCount - 1)] == kEofWord);
        for (int k = 0; k + 1 < g_PrgWordCount; ++k)
            FUZZ_CHECK(g_PrgImage[std::size_t(k)] != kEofWord);
        FUZZ_CHECK(g_PrgHdrUsed[std::size_t(n)] == 0 || g_PrgHdrUsed[std::size_t(n)] == 1);
        FUZZ_CHECK(g_PrgHdrLines[std::size_t(n)] >= g_PrgWordCount - 1 && g_PrgHdrLines[std::size_t(n)] < 2000);
        const QByteArray image = packPrgImage(modulePrgImage(n));
        FUZZ_CHECK(image.size() == kPrgImageBytes);
        FUZZ_CHECK(unpackPrgImage(image).steps[std::size_t(g_PrgWordCount - 1)] == kEofWord);
    } else {
        FUZZ_CHECK(!boxes.boxes.isEmpty());
        FUZZ_CHECK(g_PrgHdrUsed[std::size_t(n)] == kHeaderMark && g_PrgHdrLines[std::size_t(n)] == kHeaderMark);
    }
    return 0;
}
