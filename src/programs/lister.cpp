#include "lister.h"

#include "cmdwords.h"

#include "common/strings.h"
#include "common/numbers.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace programs {

std::int16_t g_PrgStep = 0;
StepWord g_PrgWord = 0;

namespace {

// A row's text after the step number; nullopt when a selector holds a value
// the row has no form for: then the line is the step number and its blank.
using Text = std::optional<QString>;

const QString kDashLine = QStringLiteral("----------------");

// Decimal zero-filled to at least `width` digits (D1, D2, D3, D4, D6).
QString dec(std::uint32_t v, int width)
{
    return QString::number(v).rightJustified(width, u'0');
}
// Upper-case hexadecimal zero-filled to at least `width` digits (H1..H4).
QString hex(std::uint32_t v, int width)
{
    return common::formatHex(v, width);
}
// "#0.00" of hundredths held as a magnitude in [18-0] and a sign in bit 19.
QString fixed(StepWord w)
{
    const std::int64_t m = field(w, 18, 0);
    return common::formatHundredths(field(w, 19, 19) ? -m : m);
}

// What a form selector of 3 means where the selector has room for it.
enum class FormThree { NoForm, Indirect };

// An operand by its form selector: 0 the register "Rnn", 1 the row's own
// direct text, 2 the indirect "*nn"; nullopt when the row has no form for
// the selector.
Text operand(std::uint32_t form, std::uint32_t v, const QString& direct, FormThree three = FormThree::NoForm)
{
    switch (form) {
    case 0:
        return "R" + dec(v, 2);
    case 1:
        return direct;
    case 2:
        return "*" + dec(v, 2);
    case 3:
        if (three == FormThree::Indirect)
            return "*" + dec(v, 2);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// `head` before the operand, or nullopt when the operand has no form.
Text after(const QString& head, const Text& operandText)
{
    return operandText ? Text(head + *operandText) : std::nullopt;
}

// Pnnn, P(Rnn), P(*nn) by [21-20] with the number in [19-10]; S as P with
// two digits.
Text pointOrShiftForm(StepWord w, char letter, int digits)
{
    const std::uint32_t form = field(w, 21, 20);
    const std::uint32_t n = field(w, 19, 10);
    const Text o = operand(form, n, dec(n, digits));
    if (!o)
        return std::nullopt;
    const QString l(QLatin1Char{letter});
    if (form == 1)
        return l + *o;
    return l + "(" + *o + ")";
}

Text pointForm(StepWord w)
{
    return pointOrShiftForm(w, 'P', 3);
}

Text shiftForm(StepWord w)
{
    return pointOrShiftForm(w, 'S', 2);
}

// The direct point or shift point of a first operand.
QString pointNumber(std::uint32_t n, char letter)
{
    return letter == 'S' ? "S" + dec(n, 2) : "P" + dec(n, 3);
}

// The first operand of MA, MC, CR, MF, MB, SF, SB by [23-22].
QString firstOperand(StepWord w, char letter)
{
    const std::uint32_t n = field(w, 19, 10);
    return *operand(field(w, 23, 22), n, pointNumber(n, letter), FormThree::Indirect);
}

struct ListArgs {
    char letter = 0; // P or S where a row writes either
    int width = 0;   // digits of the value where rows differ
};

using List = Text (*)(StepWord w, const QString& word, const ListArgs& a);

struct ListRow {
    std::uint8_t opcode;
    std::string_view word;
    List list;
    ListArgs args;
};

Text bare(StepWord, const QString& word, const ListArgs&)
{
    return word;
}

Text point(StepWord w, const QString& word, const ListArgs&)
{
    const Text p = pointForm(w);
    return p ? Text(word + " " + *p) : std::nullopt;
}

Text shift(StepWord w, const QString& word, const ListArgs&)
{
    const Text s = shiftForm(w);
    return s ? Text(word + " " + *s) : std::nullopt;
}

Text moveTwo(StepWord w, const QString& word, const ListArgs&)
{
    const std::uint32_t m = field(w, 9, 0);
    const QString head = word + " " + firstOperand(w, 'P') + " ";
    return after(head, operand(field(w, 21, 20), m, dec(m, 3)));
}

Text arc(StepWord w, const QString& word, const ListArgs&)
{
    return word + " P" + dec(field(w, 23, 12), 3) + " " + dec(field(w, 11, 0), 3);
}

Text moveToSignal(StepWord w, const QString& word, const ListArgs& a)
{
    const std::uint32_t s = field(w, 9, 0);
    const QString head = word + " " + firstOperand(w, a.letter);
    switch (field(w, 21, 20)) {
    case 0:
        return head + " " + dec(s, 2);
    case 1:
        return head + " -" + dec(s, 2);
    default:
        return std::nullopt;
    }
}

Text pallet(StepWord w, const QString& word, const ListArgs&)
{
    const std::uint32_t v = field(w, 13, 0);
    const QString head = word + " " + dec(field(w, 20, 14), 3) + " ";
    return after(head, operand(field(w, 23, 22), v, dec(v, 4), FormThree::Indirect));
}

Text drive(StepWord w, const QString& word, const ListArgs& a)
{
    const std::uint32_t n = field(w, 19, 10);
    const QString first = *operand(field(w, 21, 20), n, pointNumber(n, a.letter), FormThree::Indirect);
    return word + " " + first + " " + hex(field(w, 9, 0), 1) + "H";
}

Text valueOrReg(StepWord w, const QString& word, const ListArgs& a)
{
    const std::uint32_t n = field(w, 19, 10);
    return after(word + " ", operand(field(w, 21, 20), n, dec(n, a.width)));
}

Text ifCompare(StepWord w, const QString& word, const ListArgs&)
{
    static const char* const kLeft[] = {"R", "*", "F", "F"};
    static const char* const kCompare[] = {" > ", " = ", " < ", " != "};
    const std::uint32_t left = field(w, 21, 20);
    const std::uint32_t v = field(w, 7, 0);
    QString right;
    switch (field(w, 19, 16)) {
    case 0:
        right = "R" + dec(v, 2);
        break;
    case 1:
        right = hex(v, 2) + (left >= 2 ? "h" : "H");
        break; // "h" after an F left operand
    case 2:
        right = dec(v, 3);
        break;
    case 3:
        right = "*" + dec(v, 2);
        break;
    case 4:
        right = "F" + dec(v, 2);
        break;
    default:
        return std::nullopt;
    }
    return word + " " + kLeft[left] + dec(field(w, 15, 8), 2) + kCompare[field(w, 23, 22)] + right;
}

Text gotoLabel(StepWord w, const QString& word, const ListArgs&)
{
    return word + " L" + dec(field(w, 23, 16), 2);
}
Text delay(StepWord w, const QString& word, const ListArgs&)
{
    return word + " " + dec(field(w, 23, 0), 6);
}

Text jump(StepWord w, const QString& word, const ListArgs&)
{
    const QString head = word + " L" + dec(field(w, 15, 8), 2);
    const std::uint32_t v = field(w, 7, 0);
    return after(head + " ", operand(field(w, 23, 16), v, dec(v, 3)));
}

Text home(StepWord w, const QString& word, const ListArgs&)
{
    return word + " " + hex(field(w, 23, 16), 2) + "H";
}
Text call(StepWord w, const QString& word, const ListArgs&)
{
    return word + " PRG" + dec(field(w, 23, 16), 2);
}

Text signalOut(StepWord w, const QString& word, const ListArgs&) // SIGB
{
    return word + " " + (field(w, 23, 16) != 0 ? "-" : "") + dec(field(w, 15, 8), 2);
}

Text signalIn(StepWord w, const QString& word, const ListArgs&)
{
    return word + " R" + dec(field(w, 23, 16), 2) + " " + dec(field(w, 15, 8), 1);
}

Text portOut(StepWord w, const QString& word, const ListArgs&) // SIGO
{
    const QString head = word + " " + dec(field(w, 15, 8), 1);
    const std::uint32_t v = field(w, 7, 0);
    switch (field(w, 23, 16)) {
    case 0:
        return head + " R" + dec(v, 2);
    case 1:
        return head + " " + hex(v, 2) + "H";
    case 2:
        return head + " " + dec(v, 3);
    case 3:
        return word + " AON";
    case 4:
        return word + " AOFF";
    default:
        return std::nullopt;
    }
}

// JB, WAIT, TMS and SA put a second blank where the "-" of an inverted
// operand would stand.
Text jumpOnSignal(StepWord w, const QString& word, const ListArgs&)
{
    const QString head = word + (field(w, 23, 20) == 0 ? "  " : " -") + dec(field(w, 15, 8), 2);
    const std::uint32_t v = field(w, 7, 0);
    switch (field(w, 19, 16)) {
    case 0:
        return head + " L" + dec(v, 2);
    case 1:
        return head + " PRG" + dec(v, 2);
    case 2:
        return head + " " + dec(v, 2);
    case 3:
        return head + " -" + dec(v, 2);
    default:
        return std::nullopt;
    }
}

Text waitSignal(StepWord w, const QString& word, const ListArgs&)
{
    switch (field(w, 23, 16)) {
    case 0:
        return word + "  " + dec(field(w, 15, 8), 2);
    case 1:
        return word + " -" + dec(field(w, 15, 8), 2);
    default:
        return std::nullopt;
    }
}

Text timedSignal(StepWord w, const QString& word, const ListArgs&)
{
    const std::uint32_t c = field(w, 23, 16);
    const QString t = dec(field(w, 13, 0), 4);
    // Up to 20 the code is the signal as written; above it, 20 + the
    // inverted signal (a plain signal above 20 is coded the same).
    if (c <= 20)
        return word + "  " + dec(c, 2) + " " + t;
    return word + " -" + dec(c - 20, 2) + " " + t;
}

Text power(StepWord w, const QString& word, const ListArgs&)
{
    switch (field(w, 23, 16)) {
    case 0:
        return word + " OFF";
    case 1:
        return word + " ON";
    default:
        return std::nullopt;
    }
}

Text threeNumbers(StepWord w, const QString& word, const ListArgs&)
{
    return word + " " + dec(field(w, 23, 16), 2) + " " + dec(field(w, 15, 8), 2) + " " + dec(field(w, 7, 0), 2);
}

Text runTask(StepWord w, const QString& word, const ListArgs&)
{
    return word + " PRG" + dec(field(w, 23, 16), 2) + " " + dec(field(w, 15, 8), 1);
}

Text signalArray(StepWord w, const QString& word, const ListArgs&)
{
    return word + (field(w, 23, 23) == 0 ? "  " : " -") + hex(field(w, 15, 0), 4) + "h " + dec(field(w, 22, 16), 3);
}

Text accel(StepWord w, const QString& word, const ListArgs&)
{
    return word + " " + dec(field(w, 23, 16), 1) + " " + dec(field(w, 15, 8), 3);
}

Text speed(StepWord w, const QString& word, const ListArgs&)
{
    const QString head = word + " " + dec(field(w, 19, 10), 1) + " ";
    const std::uint32_t v = field(w, 9, 0);
    return after(head, operand(field(w, 21, 20), v, dec(v, 3), FormThree::Indirect));
}

Text inPosition(StepWord w, const QString& word, const ListArgs&)
{
    return word + " " + dec(field(w, 23, 0), 1);
}

Text readPoint(StepWord w, const QString& word, const ListArgs&)
{
    const std::uint32_t n = field(w, 19, 10);
    switch (field(w, 21, 20)) {
    case 0:
        return word + " P" + dec(n, 3);
    case 1:
        return word + " S" + dec(n, 2);
    default:
        return std::nullopt;
    }
}

Text writePoint(StepWord w, const QString& word, const ListArgs&)
{
    switch (field(w, 21, 20)) {
    case 0:
        return word + " P" + dec(field(w, 19, 10), 3);
    case 1:
        return word + " APOS";
    case 2:
        return word + " IN";
    default:
        return word + " OUT";
    }
}

Text tableSpeed(StepWord w, const QString& word, const ListArgs&) // TSPD
{
    const std::uint32_t v = field(w, 15, 8);
    return after(word + " ", operand(field(w, 21, 20), v, dec(v, 3)));
}

// The value 0 writes nothing after the blank.
Text velocity(StepWord w, const QString& word, const ListArgs&)
{
    const std::uint32_t v = field(w, 18, 0);
    return word + " " + dec(field(w, 23, 20), 1) + " " + (v == 0 ? QString() : QString::number(v));
}

Text registerArith(StepWord w, const QString& word, const ListArgs&)
{
    const QString head = word + " " + (field(w, 23, 23) == 0 ? "R" : "*") + dec(field(w, 19, 12), 2);
    const std::uint32_t v = field(w, 11, 0);
    switch (field(w, 22, 20)) {
    case 0:
        return head + " R" + dec(v, 2);
    case 1:
        return head + " " + hex(v, 3) + "H";
    case 2:
        return head + " " + dec(v, 4);
    case 3:
        return head + " *" + dec(v, 2);
    case 4:
        return head + " F" + dec(v, 2);
    default:
        return std::nullopt;
    }
}

Text incDec(StepWord w, const QString& word, const ListArgs&)
{
    return word + " " + (field(w, 15, 8) != 0 ? "*" : "R") + dec(field(w, 23, 16), 2);
}

Text fRegArith(StepWord w, const QString& word, const ListArgs&)
{
    const QString head = word + " " + (field(w, 23, 23) == 0 ? "F" : "*") + dec(field(w, 19, 12), 2);
    const std::uint32_t v = field(w, 11, 0);
    switch (field(w, 22, 20)) {
    case 0:
        return head + " F" + dec(v, 2);
    case 1:
        return head + " *" + dec(v, 2);
    case 2:
        return head + " R" + dec(v, 2);
    default:
        return std::nullopt;
    }
}

Text label(StepWord w, const QString& word, const ListArgs&)
{
    return word + dec(field(w, 23, 16), 2);
}

Text interrupt(StepWord w, const QString& word, const ListArgs&)
{
    const QString head = word + " " + dec(field(w, 15, 8), 1);
    switch (field(w, 23, 16)) {
    case 0:
        return head + " OFF";
    case 1:
        return head + " L" + dec(field(w, 7, 0), 2);
    case 2:
        return head + " PRG" + dec(field(w, 7, 0), 2);
    default:
        return std::nullopt;
    }
}

Text axisOnly(StepWord w, const QString& word, const ListArgs&)
{
    return word + " " + dec(field(w, 23, 16), 1);
}

// F03 -12.50, OF1 0.50: fused with the register (axis), value "#0.00".
Text setFixed(StepWord w, const QString& word, const ListArgs& a)
{
    return word + dec(field(w, 23, 20), a.width) + " " + fixed(w);
}

Text fRegAxisReg(StepWord w, const QString& word, const ListArgs&)
{
    return word + " F" + dec(field(w, 23, 16), 2) + " " + dec(field(w, 15, 8), 1) + " " + dec(field(w, 7, 0), 2);
}

// clang-format off
constexpr ListRow kListRows[] = {
    {0x01, "MVE", point, {}},
    {0x02, "MVS", point, {}},
    {0x03, "MA", moveTwo, {}},
    {0x04, "MC", moveTwo, {}},
    {0x05, "CR", moveTwo, {}},
    {0x06, "AR", arc, {}},
    {0x07, "SFT", shift, {}},
    {0x08, "MF", moveToSignal, {.letter = 'P'}},
    {0x09, "MB", moveToSignal, {.letter = 'P'}},
    {0x0A, "SF", moveToSignal, {.letter = 'S'}},
    {0x0B, "SB", moveToSignal, {.letter = 'S'}},
    {0x0C, "PM", pallet, {}},
    {0x0D, "PS", pallet, {}},
    {0x0E, "DRP", drive, {.letter = 'P'}},
    {0x0F, "DRS", drive, {.letter = 'S'}},
    {0x10, "SPL", valueOrReg, {.width = 2}},
    {0x11, "UP", point, {}},
    {0x12, "MVL", point, {}},
    {0x13, "VMP", valueOrReg, {.width = 3}},
    {0x14, "VMN", valueOrReg, {.width = 3}},
    {0x21, "IF", ifCompare, {}},
    {0x22, "GOT", gotoLabel, {}},
    {0x23, "DLY", delay, {}},
    {0x24, "JMP", jump, {}},
    {0x25, "HOME", home, {}},
    {0x26, "STOP", bare, {}},
    {0x27, "CALL", call, {}},
    {0x28, "RET", bare, {}},
    {0x29, "RETC", bare, {}},
    {0x31, "SIGB", signalOut, {}},
    {0x32, "SIGI", signalIn, {}},
    {0x33, "SIGO", portOut, {}},
    {0x34, "JB", jumpOnSignal, {}},
    {0x35, "WAIT", waitSignal, {}},
    {0x36, "TMS", timedSignal, {}},
    {0x37, "PWR", power, {}},
    {0x38, "SM", threeNumbers, {}},
    {0x39, "RUN", runTask, {}},
    {0x3A, "SA", signalArray, {}},
    {0x41, "ACC", accel, {}},
    {0x42, "DCC", accel, {}},
    {0x43, "SPD", speed, {}},
    {0x44, "INP", inPosition, {}},
    {0x45, "READ", readPoint, {}},
    {0x46, "WRITE", writePoint, {}},
    {0x47, "TSPD", tableSpeed, {}},
    {0x48, "VEL", velocity, {}},
    {0x51, "ADD", registerArith, {}},
    {0x52, "SUB", registerArith, {}},
    {0x53, "OR", registerArith, {}},
    {0x54, "AND", registerArith, {}},
    {0x55, "INC", incDec, {}},
    {0x56, "DEC", incDec, {}},
    {0x57, "MUL", registerArith, {}},
    {0x58, "ADF", fRegArith, {}},
    {0x59, "SUF", fRegArith, {}},
    {0x5A, "MUF", fRegArith, {}},
    {0x61, "SET", registerArith, {}},
    {0x62, "L", label, {}},
    {0x63, "INT", interrupt, {}},
    {0x64, "HERC", point, {}},
    {0x65, "HERA", point, {}},
    {0x66, "CCLR", axisOnly, {}},
    {0x67, "LP", threeNumbers, {}},
    {0x68, "LS", threeNumbers, {}},
    {0x69, "F", setFixed, {.width = 2}},
    {0x6A, "LAP", fRegAxisReg, {}},
    {0x6B, "LAS", fRegAxisReg, {}},
    {0x6C, "OF", setFixed, {.width = 1}},
    {0x6D, "LEP", fRegAxisReg, {}},
    {0x6E, "LES", fRegAxisReg, {}},
    {0x80, "[EOF]", bare, {}},
};
// clang-format on

// Every listed word is spelt as in the command table under its opcode.
constexpr bool rowsMatchCmdWords()
{
    for (const ListRow& row : kListRows) {
        bool found = false;
        for (const CmdWordRow& c : kCmdWords)
            found = found || (c.opcode == row.opcode && c.word == row.word);
        if (!found)
            return false;
    }
    return true;
}
static_assert(rowsMatchCmdWords());

// Row index by opcode; -1 for opcodes without a line form.
constexpr std::array<int, 256> kRowOfOpcode = [] {
    std::array<int, 256> index{};
    index.fill(-1);
    for (int i = 0; i < int(std::size(kListRows)); ++i)
        index[kListRows[i].opcode] = i;
    return index;
}();

} // namespace

QString DisasmStep(int step, StepWord word)
{
    // Only the end mark has bit 31 set; any other such word has no line form.
    if ((word & kEofWord) != 0 && word != kEofWord)
        return kDashLine;
    const int row = kRowOfOpcode[opcodeField(word)];
    if (row < 0)
        return kDashLine;
    const ListRow& r = kListRows[row];
    const QString prefix = common::format000(step) + u' ';
    const Text text = r.list(word, common::toQString(r.word), r.args);
    return text ? prefix + *text : prefix;
}

void DisasmStep()
{
    g_PrgLine = DisasmStep(g_PrgStep, g_PrgWord);
}

QStringList prgFileLines(std::span<const StepWord> steps)
{
    QStringList lines;
    const std::size_t n = std::min<std::size_t>(steps.size(), kPrgSteps);
    for (std::size_t i = 0; i < n; ++i) {
        lines.append(DisasmStep(int(i), steps[i]));
        if (steps[i] == kEofWord)
            break;
    }
    return lines;
}

} // namespace programs
