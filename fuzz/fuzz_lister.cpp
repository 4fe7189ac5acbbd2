// The lister on any step and word: always exactly one line, either the
// sixteen hyphens or the three-digit step, a blank and, when the word has a
// form, its command word (under the word's opcode) and printable operands.
// A listed line names a command the assembler knows.

#include "support/fuzzsupport.h"
#include "common/strings.h"

#include "programs/assembler.h"
#include "programs/cmdwords.h"
#include "programs/lister.h"
#include "programs/prgimage.h"

#include <QRegularExpression>

#include <cstring>

using namespace programs;

namespace {

const QString kDash = QStringLiteral("----------------");

QString wordOf(std::uint32_t opcode)
{
    for (const CmdWordRow& row : kCmdWords)
        if (row.opcode == opcode && row.group != CmdGroup::None)
            return common::toQString(row.word);
    return opcode == 0x80 ? QStringLiteral("[EOF]") : QString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    const int step = data[0];
    StepWord w = 0;
    std::memcpy(&w, data + 1, 4);

    const QString line = DisasmStep(step, w);
    g_PrgStep = std::int16_t(step);
    g_PrgWord = w;
    DisasmStep();
    FUZZ_CHECK(g_PrgLine == line);
    FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
    for (const QChar c : line)
        FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() < 0x7F);
    const QString detail = QStringLiteral("%1 %2: \"%3\"").arg(step).arg(w, 8, 16, QLatin1Char('0')).arg(line);
    if (line == kDash)
        return 0;
    static const QRegularExpression prefix(QStringLiteral("^[0-9]{3} "));
    FUZZ_CHECK_MSG(prefix.match(line).hasMatch(), detail);
    FUZZ_CHECK_MSG(line.left(3) == QStringLiteral("%1").arg(step, 3, 10, QLatin1Char('0')), detail);
    const QString text = line.mid(4);
    if (text.isEmpty())
        return 0; // a selector without a form: the step alone
    const QString word = wordOf(opcodeField(w));
    FUZZ_CHECK_MSG(!word.isEmpty() && text.startsWith(word), detail);
    FUZZ_CHECK_MSG(text.size() <= 40, detail);

    // A received program's line is sent again from its file: the assembler
    // must know its command (it may refuse values that only the controller
    // could have written).
    const AsmLine again = assembleLine(line, 4);
    FUZZ_CHECK_MSG(again.outcome != AsmLine::Outcome::NoSuchWord && again.outcome != AsmLine::Outcome::Comment,
                   detail + QStringLiteral(" is no command"));
    return 0;
}
