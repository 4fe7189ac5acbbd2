#include "encoders.h"

#include "cmdwords.h"

#include "common/numbers.h"
#include "common/rterror.h"

#include <string_view>

namespace programs {

namespace {

// A failed check ends the encoding of the line with the word's text; a value
// too large for its field ends it as a run-time overflow, which ends the whole
// assembly. Neither leaves encodeStep.
struct Rejected {
    const char* message;
};
struct FieldOverflow {};

// Character `place` (from 1) of a token; the null character past its end.
QChar at(const QString& tok, int place)
{
    return place >= 1 && place <= tok.size() ? tok[place - 1] : QChar();
}
bool isDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}
// Rnn or *nn: a register operand.
bool isReg(QChar first)
{
    return first == u'R' || first == u'*';
}
// Fnn: an F register operand ("F" and a digit).
bool isFReg(const QString& tok)
{
    return at(tok, 1) == u'F' && isDigit(at(tok, 2));
}
// One of the characters at places a..b is "H": a hexadecimal operand.
bool hMarked(const QString& tok, int a, int b)
{
    for (int p = a; p <= b; ++p) {
        if (at(tok, p) == u'H')
            return true;
    }
    return false;
}

std::int64_t num(const QString& tok)
{
    return OperandNum(tok, false);
}
std::int64_t numSigned(const QString& tok)
{
    return OperandNum(tok, true);
}
std::int64_t hex(const QString& tok)
{
    const auto v = HexOperandVal(tok);
    if (!v)
        throw FieldOverflow{};
    return *v;
}

void check(std::int64_t v, std::int64_t lo, std::int64_t hi, const char* message)
{
    if (v < lo || v > hi)
        throw Rejected{message};
}

// Places v into [hi-lo]: v times the field's place value must fit a signed
// 32-bit number, else the assembly ends as a run-time overflow; the product
// is cut to the field's bits. Computed in 64 bits so that the overflow is
// seen, not risked.
StepWord put(std::int64_t v, int hi, int lo)
{
    constexpr std::int64_t kLimit = std::int64_t(1) << 40; // far beyond any field, no 64-bit overflow
    if (v > kLimit || v < -kLimit)
        throw FieldOverflow{};
    const std::int64_t product = v * (std::int64_t(1) << lo);
    if (product > INT32_MAX || product < INT32_MIN)
        throw FieldOverflow{};
    const int width = hi - lo + 1;
    const std::uint32_t mask = (width >= 32 ? ~0u : (1u << width) - 1u) << lo;
    return std::uint32_t(std::int32_t(product)) & mask;
}

// The per-word parts of an encoder shared by several words.
struct EncArgs {
    char letter = 0;      // the letter of the direct form: P or S
    std::int64_t min = 0; // range of the direct value (or of the register of F, OF)
    std::int64_t max = 0;
    int hi = 19; // the value field of SPL, VMP, VMN, TSPD
    int lo = 10;
    const char* direct = nullptr; // message of the direct range
    const char* reg = nullptr;    // message of the register range
    const char* other = nullptr;  // syntax, signal or axis message
};

using Encode = StepWord (*)(const PrgTokens&, const EncArgs&, int axisCount);

struct EncoderRow {
    std::string_view word;
    Encode encode;
    EncArgs args;
};

// The form selector of an operand by its first character: 0 the register
// "Rnn", 2 the indirect "*nn", 1 anything else (the direct value).
int operandForm(QChar first)
{
    return first == u'R' ? 0 : first == u'*' ? 2 : 1;
}

// --- words without operands -------------------------------------------------

StepWord noOperand(const PrgTokens&, const EncArgs&, int)
{
    return 0;
}

// --- motion ------------------------------------------------------------------

// MVE, MVS, UP, MVL, SFT: Pnnn, P(Rnn), P(*nn). The number is placed before it
// is checked, so a huge one is an overflow rather than a range message. Only
// the second character picks the form.
StepWord pointMove(const PrgTokens& t, const EncArgs& a, int)
{
    const QString& op1 = t.op[0];
    const std::int64_t v = num(op1);
    const StepWord w = put(v, 19, 10);
    if (at(op1, 2) == u'(') {
        check(v, 0, 99, a.reg);
        const bool indirect = at(op1, 1) == QChar(a.letter) && at(op1, 3) == u'*';
        return w | put(indirect ? 2 : 0, 21, 20);
    }
    if (isDigit(at(op1, 2))) {
        check(v, 0, a.max, a.direct);
        return w | put(1, 21, 20);
    }
    throw Rejected{a.other};
}

// SPL, VMP, VMN, TSPD: nn, Rnn, *nn, placed before the checks.
StepWord valueOrReg(const PrgTokens& t, const EncArgs& a, int)
{
    const QString& op1 = t.op[0];
    const std::int64_t v = num(op1);
    const StepWord w = put(v, a.hi, a.lo);
    const QChar f = at(op1, 1);
    if (isReg(f)) {
        check(v, 0, 99, a.reg);
        return w | put(operandForm(f), 21, 20);
    }
    if (isDigit(f)) {
        check(v, 0, a.max, a.direct);
        return w | put(1, 21, 20);
    }
    throw Rejected{a.other};
}

// MA, MC, CR: Pnnn|Rnn|*nn then nnn|Rnn|*nn. All three show the MA texts.
StepWord moveTwo(const PrgTokens& t, const EncArgs&, int)
{
    const QString &op1 = t.op[0], &op2 = t.op[1];
    const std::int64_t x = num(op1), y = num(op2);
    const QChar f1 = at(op1, 1), f2 = at(op2, 1);
    if (isReg(f1))
        check(x, 0, 99, "MA1-MAX_REG_LMT_OVER");
    else
        check(x, 0, 1000, "MA1-MAX_LOC_LMT_OVER");
    if (isReg(f2))
        check(y, 0, 99, "MA2-MAX_REG_LMT_OVER");
    else
        check(y, 0, 1000, "MA2-MAX_LOC_LMT_OVER");
    int first = 0;
    if (f1 == u'R')
        first = 0;
    else if (f1 == u'P')
        first = 1;
    else if (f1 == u'*')
        first = 2;
    else
        throw Rejected{"71"}; // a first operand of no form: the message is the bare number
    const int second = operandForm(f2);
    return put(first, 23, 22) | put(second, 21, 20) | put(x, 19, 10) | put(y, 9, 0);
}

// AR: Pnnn nnn. No character is tested.
StepWord arc(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t x = num(t.op[0]), y = num(t.op[1]);
    check(x, 0, 1000, "AR1-MAX_LOC_LMT_OVER");
    check(y, 0, 999, "AR2-MAX_ARC_LMT_OVER");
    return put(x, 23, 12) | put(y, 11, 0);
}

// MF, MB (P), SF, SB (S): point, register or indirect, then a signal, "-"
// for the inverted one.
StepWord moveToSignal(const PrgTokens& t, const EncArgs& a, int)
{
    const QString& op1 = t.op[0];
    const std::int64_t x = num(op1);
    std::int64_t s = numSigned(t.op[1]);
    const bool inverted = s < 0;
    if (inverted)
        s = -s;
    const QChar f1 = at(op1, 1);
    if (f1 == QChar(a.letter))
        check(x, 0, a.max, a.direct);
    else
        check(x, 0, 99, a.reg);
    check(s, 1, 16, a.other);
    const int sel = f1 == QChar(a.letter) ? 1 : f1 == u'*' ? 2 : 0;
    return put(sel, 23, 22) | put(inverted, 20, 20) | put(x, 19, 10) | put(s, 9, 0);
}

// PM, PS: nnn then nnnn|Rnn|*nn. PS shows the PM texts.
StepWord pallet(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t x = num(t.op[0]), y = num(t.op[1]);
    const QChar f2 = at(t.op[1], 1);
    check(x, 1, 100, "PM-MAX_PAL_LMT_OVER");
    if (isReg(f2))
        check(y, 0, 99, "PM2-MAX_REG_LMT_OVER");
    else
        check(y, 0, 9999, "PM2-MAX_PAL_LMT_OVER");
    const int sel = operandForm(f2);
    return put(sel, 23, 22) | put(x, 21, 14) | put(y, 13, 0);
}

// The axis mask of DRP and DRS: a digit stands for itself, A..F for "10".."15",
// the rest is dropped, and the text is read as a decimal number (CH is 12).
std::int64_t axisMask(const QString& tok)
{
    std::int64_t m = 0;
    auto append = [&m](int digit) { m = m < (std::int64_t(1) << 50) ? m * 10 + digit : m; };
    for (int p = 1; p <= 9 && p <= tok.size(); ++p) {
        const QChar ch = at(tok, p);
        if (isDigit(ch)) {
            append(ch.unicode() - '0');
        } else if (ch >= u'A' && ch <= u'F') {
            append(1);
            append(ch.unicode() - 'A');
        }
    }
    return m;
}

// DRP, DRS: point (shift), register or indirect, then the axis mask xH. DRS
// shows the DRP texts for the register and the mask.
StepWord drive(const PrgTokens& t, const EncArgs& a, int)
{
    const std::int64_t x = num(t.op[0]);
    const std::int64_t m = axisMask(t.op[1]);
    const QChar f1 = at(t.op[0], 1);
    if (!isReg(f1))
        check(x, 0, a.max, a.direct);
    else
        check(x, 0, 99, "DRP-MAX_REG_LMT_OVER");
    check(m, 1, 15, "DRP-MAX_AXIS_LMT_OVER");
    const int sel = operandForm(f1);
    return put(sel, 21, 20) | put(x, 19, 10) | put(m, 9, 0);
}

// --- program flow --------------------------------------------------------------

// IF left comparison right: left Rnn|*nn|Fnn, right nnn|xxH|Rnn|*nn|Fnn.
StepWord ifCompare(const PrgTokens& t, const EncArgs&, int)
{
    const QString &op1 = t.op[0], &op2 = t.op[1], &op3 = t.op[2];
    const std::int64_t l = num(op1);
    const bool hexRight = hMarked(op3, 2, 3);
    const std::int64_t r = hexRight ? hex(op3) : num(op3);
    const QChar cmp = at(op2, 1), f1 = at(op1, 1), f3 = at(op3, 1);
    const int cmpSel = cmp == u'=' ? 1 : cmp == u'<' ? 2 : cmp == u'!' ? 3 : 0;
    const int left = f1 == u'*' ? 1 : f1 == u'F' ? 2 : 0;
    const int right = f3 == u'*' ? 3 : isFReg(op3) ? 4 : f3 == u'R' ? 0 : hexRight ? 1 : 2;
    if (f1 == u'F')
        check(l, 0, 15, "MAX_FREG_LMT_OVER");
    if (!isReg(f1))
        check(r, 0, 255, "IF_SYNTEX_ERR");
    else
        check(l, 0, 99, "MAX_REG_LMT_OVER");
    // A left operand of any other letter is stored and listed as Rnn.
    if (!isReg(f1) && f1 != u'F')
        check(l, 0, 99, "MAX_REG_LMT_OVER");
    if (isReg(f3))
        check(r, 0, 99, "MAX_REG_LMT_OVER");
    else if (isFReg(op3))
        check(r, 0, 15, "MAX_FREG_LMT_OVER");
    else
        check(r, 0, 255, "MAX_HEX_LMT_OVER");
    return put(cmpSel, 23, 22) | put(left, 21, 20) | put(right, 19, 16) | put(l, 15, 8) | put(r, 7, 0);
}

StepWord gotoLabel(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t v = num(t.op[0]);
    if (at(t.op[0], 1) != u'L')
        throw Rejected{"GOT sysntex error"};
    check(v, 0, 50, "LEVEL 번호가 큼");
    return put(v, 23, 16);
}

StepWord delay(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t v = num(t.op[0]);
    check(v, 0, 999999, "DLY Dara error");
    return put(v, 23, 0);
}

// JMP Lnn then nnn|Rnn|*nn. The label's letter is not tested.
StepWord jump(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t x = num(t.op[0]), y = num(t.op[1]);
    const QChar f2 = at(t.op[1], 1);
    check(x, 0, 50, "JMP-MAX_LABEL_LMT_OVER");
    if (isReg(f2))
        check(y, 0, 99, "JMP-MAX_REG_LMT_OVER");
    else
        check(y, 0, 255, "JMP-MAX_JMP_LMT_OVER");
    const int kind = operandForm(f2);
    return put(kind, 23, 16) | put(x, 15, 8) | put(y, 7, 0);
}

// HOME xxH: no check; the field keeps the low 8 bits, and 8000h or more does
// not fit the placement at all.
StepWord home(const PrgTokens& t, const EncArgs&, int)
{
    return put(hex(t.op[0]), 23, 16);
}

StepWord call(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t v = num(t.op[0]);
    check(v, 0, 32, "FILE 번호가 큼");
    return put(v, 23, 16);
}

// --- I/O -----------------------------------------------------------------------

// SIGB, WAIT: nn or -nn.
StepWord signal(const PrgTokens& t, const EncArgs& a, int)
{
    std::int64_t s = numSigned(t.op[0]);
    const bool inverted = s < 0;
    if (inverted)
        s = -s;
    check(s, 1, a.max, a.other);
    return put(inverted, 16, 16) | put(s, 15, 8);
}

// SIGI Rnn n; shows JMP texts.
StepWord signalIn(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t x = num(t.op[0]), y = num(t.op[1]);
    check(x, 0, 99, "JMP-MAX_REG_LMT_OVER");
    check(y, 1, 2, "JMP-MAX_IN_PORT_LMT_OVER");
    return put(x, 23, 16) | put(y, 11, 8);
}

// SIGO n nnn|xxH|Rnn, AON, AOFF.
StepWord signalOut(const PrgTokens& t, const EncArgs&, int)
{
    const QString &op1 = t.op[0], &op2 = t.op[1];
    const std::int64_t p = num(op1);
    const QChar f1 = at(op1, 1), f2 = at(op2, 1);
    const bool hexValue = f2 != u'R' && hMarked(op2, 2, 3);
    std::int64_t v = hexValue ? hex(op2) : num(op2);
    int kind = hexValue ? 1 : 0;
    if (f1 == u'A' && at(op1, 3) == u'N') {
        kind = 3;
        v = 0;
    } else if (f1 == u'A' && at(op1, 3) == u'F') {
        kind = 4;
        v = 0;
    } else if (f1 == u'A') {
        // Neither AON nor AOFF: no port the controller knows, and no line
        // the lister could write for it.
        throw Rejected{"SIGO-MAX_OUT_PORT_LMT_OVER"};
    } else if (f2 != u'R' && !hexValue) {
        kind = 2;
    }
    if (f1 != u'A') {
        check(p, 1, 3, "SIGO-MAX_OUT_PORT_LMT_OVER");
        if (f2 == u'R')
            check(v, 0, 99, "SIGO-MAX_REG_LMT_OVER");
        else
            check(v, 0, 255, "SIGO-MAX_HEX_LMT_OVER");
    }
    const std::int64_t port = kind == 3 || kind == 4 ? 0 : p;
    return put(kind, 23, 16) | put(port, 15, 8) | put(v, 7, 0);
}

// JB nn|-nn then Lnn|PRGnn|nn|-nn.
StepWord jumpOnSignal(const PrgTokens& t, const EncArgs&, int)
{
    std::int64_t s = numSigned(t.op[0]);
    std::int64_t v = numSigned(t.op[1]);
    const bool inverted = s < 0;
    if (inverted)
        s = -s;
    const QChar f2 = at(t.op[1], 1);
    int kind = 2;
    if (f2 != u'P' && f2 != u'L') {
        kind = v < 0 ? 3 : 2;
        if (v < 0)
            v = -v;
    }
    check(s, 1, 16, "JB-MAX_SIG_LMT_OVER");
    if (f2 == u'P') {
        check(v, 0, 31, "JB-MAX_FILE_LMT_OVER");
        kind = 1;
    } else if (f2 == u'L') {
        check(v, 0, 50, "JB-MAX_LABEL_LMT_OVER");
        kind = 0;
    } else {
        check(v, 1, 24, "JB-MAX_SIG_LMT_OVER");
    }
    return put(inverted, 20, 20) | put(kind, 19, 16) | put(s, 15, 8) | put(v, 7, 0);
}

// TMS nn|-nn nnnn: the inverted signal -nn is coded 20 + nn, so a plain
// signal above 20 gives the same code (as the controller expects).
StepWord timedSignal(const PrgTokens& t, const EncArgs&, int)
{
    std::int64_t s = numSigned(t.op[0]);
    if (s < 0)
        s = 20 - s;
    const std::int64_t v = num(t.op[1]);
    check(s, 1, 36, "TMS-MAX_SIG_LMT_OVER");
    check(v, 0, 9999, "TMS-MAX_TMS_LMT_OVER");
    return put(s, 23, 16) | put(v, 15, 0);
}

// PWR ON|OFF: anything but ?FF is ON.
StepWord power(const PrgTokens& t, const EncArgs&, int)
{
    const bool off = at(t.op[0], 2) == u'F' && at(t.op[0], 3) == u'F';
    return put(off ? 0 : 1, 16, 16);
}

StepWord runTask(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t x = num(t.op[0]), y = num(t.op[1]);
    check(x, 0, 32, "FILE 번호가 큼");
    check(y, 0, 4, "TASK 번호가 큼");
    return put(x, 23, 16) | put(y, 15, 8);
}

// SA xxxxH nnn, -xxxxH nnn. The mask must fit its 16 bits: a larger one would
// overwrite the number and the opcode.
StepWord signalArray(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t h = hex(t.op[0]);
    const std::int64_t n = num(t.op[1]);
    const bool minus = at(t.op[0], 1) == u'-';
    check(n, 1, 100, "SAR-MAX_SAR_LMT_OVER");
    check(h, 0, 0xFFFF, "SA-MAX_HEX_LMT_OVER");
    return put(minus, 23, 23) | put(n, 22, 16) | put(h, 15, 0);
}

// --- parameters ----------------------------------------------------------------

// ACC, DCC n nnn.
StepWord accel(const PrgTokens& t, const EncArgs& a, int)
{
    const std::int64_t ax = num(t.op[0]), v = num(t.op[1]);
    check(ax, 1, 4, a.other);
    check(v, 0, 200, "ACCDCC-MAX_ACCDCC_LMT_OVER");
    return put(ax, 19, 16) | put(v, 15, 8);
}

// SPD n nnn|Rnn|*nn: the axis goes up to the controller's axis count.
StepWord speed(const PrgTokens& t, const EncArgs&, int axisCount)
{
    const std::int64_t ax = num(t.op[0]), v = num(t.op[1]);
    const QChar f2 = at(t.op[1], 1);
    check(ax, 1, axisCount, "AX_NUM_ERR");
    int sel = 1;
    if (isReg(f2)) {
        check(v, 0, 99, "REG 번호가 큼");
        sel = operandForm(f2);
    } else {
        check(v, 0, 100, "SPD 번호가 큼");
    }
    return put(sel, 21, 20) | put(ax, 19, 10) | put(v, 9, 0);
}

StepWord inPosition(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t v = num(t.op[0]);
    check(v, 0, 900000, "IN-POSITION 값 큼");
    return put(v, 23, 0);
}

// READ Pnnn|Snn, checked like WRITE so that a number never loses its high bits.
StepWord readPoint(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t n = num(t.op[0]);
    const bool shift = at(t.op[0], 1) == u'S';
    check(n, 0, shift ? 99 : 1000, "MAX_LOC_LMT_OVER");
    return put(shift, 20, 20) | put(n, 19, 10);
}

// WRITE Pnnn|APOS|IN|OUT, told apart by the first two characters.
StepWord writePoint(const PrgTokens& t, const EncArgs&, int)
{
    const QString& op1 = t.op[0];
    const QStringView two = QStringView(op1).left(2);
    if (two == u"AP")
        return put(1, 21, 20);
    if (two == u"IN")
        return put(2, 21, 20);
    if (two == u"OU")
        return put(3, 21, 20);
    const std::int64_t n = num(op1);
    check(n, 0, 1000, "MAX_LOC_LMT_OVER");
    return put(n, 19, 10);
}

StepWord velocity(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t ax = num(t.op[0]), v = num(t.op[1]);
    check(ax, 1, 4, "VEL-MAX_AXIS_LMT_OVER");
    check(v, 1, 30000, "VEL-MAX_VEL_LMT_OVER");
    return put(ax, 23, 20) | put(v, 18, 0);
}

// --- functions and definitions -------------------------------------------------

// ADD, SUB, OR, AND, MUL, SET: Rnn|*nn then Rnn|xxxH|nnnn|*nn|Fnn. All show
// the ADD text for registers.
StepWord registerArith(const PrgTokens& t, const EncArgs&, int)
{
    const QString &op1 = t.op[0], &op2 = t.op[1];
    const std::int64_t x = num(op1);
    const bool hexValue = hMarked(op2, 2, 4);
    const std::int64_t v = hexValue ? hex(op2) : num(op2);
    const QChar f2 = at(op2, 1);
    const int kind = f2 == u'*' ? 3 : isFReg(op2) ? 4 : f2 == u'R' ? 0 : hexValue ? 1 : 2;
    check(x, 0, 99, "ADD-MAX_REG_LMT_OVER");
    if (isReg(f2))
        check(v, 0, 99, "ADD-MAX_REG_LMT_OVER");
    else if (isFReg(op2))
        check(v, 0, 15, "MAX_FREG_LMT_OVER");
    else
        check(v, 0, 4095, "MAX_ISET_LMT_OVER");
    return put(at(op1, 1) == u'*', 23, 23) | put(kind, 22, 20) | put(x, 19, 12) | put(v, 11, 0);
}

// INC, DEC Rnn|*nn.
StepWord incDec(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t n = num(t.op[0]);
    check(n, 0, 99, "MAX_REG_LMT_OVER");
    return put(n, 23, 16) | put(at(t.op[0], 1) == u'*', 8, 8);
}

// ADF, SUF, MUF Fnn|*nn then Fnn|*nn|Rnn.
StepWord fRegArith(const PrgTokens& t, const EncArgs&, int)
{
    const QString &op1 = t.op[0], &op2 = t.op[1];
    const std::int64_t x = num(op1), v = num(op2);
    const QChar f1 = at(op1, 1), f2 = at(op2, 1);
    const int kind = f2 == u'*' ? 1 : f2 == u'R' ? 2 : 0;
    // Any first character but "*", and any second operand but a register,
    // is stored as an F register and listed so: it must be one.
    if (f1 == u'*')
        check(x, 0, 99, "MAX_REG_LMT_OVER");
    else
        check(x, 0, 15, "MAX_FREG_LMT_OVER");
    if (isReg(f2))
        check(v, 0, 99, "MAX_REG_LMT_OVER");
    else
        check(v, 0, 15, "MAX_FREG_LMT_OVER");
    return put(f1 == u'*', 23, 23) | put(kind, 21, 20) | put(x, 19, 12) | put(v, 11, 0);
}

// L: the fused token L05, or the token after L written apart.
StepWord label(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t n = num(t.op[0]);
    check(n, 0, 50, "MAX_LABEL_LMT_OVER");
    return put(n, 23, 16);
}

// INT n Lnn|PRGnn|OFF.
StepWord interrupt(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t i = num(t.op[0]), v = num(t.op[1]);
    const QChar f2 = at(t.op[1], 1);
    check(i, 1, 3, "MAX_INT_LMT_OVER");
    int kind = 0;
    if (f2 == u'L') {
        check(v, 0, 50, "MAX_LABEL_LMT_OVER");
        kind = 1;
    } else if (f2 == u'P') {
        check(v, 0, 31, "MAX_FILE_LMT_OVER");
        kind = 2;
    }
    return put(kind, 23, 16) | put(i, 11, 8) | put(v, 7, 0);
}

// HERC, HERA: like MVE, but every form without "(" is the direct one. Both
// show the HERC texts.
StepWord here(const PrgTokens& t, const EncArgs&, int)
{
    const QString& op1 = t.op[0];
    const std::int64_t n = num(op1);
    int sel = 1;
    if (at(op1, 2) != u'(') {
        check(n, 0, 1000, "HERC MAX_LOC_LMT_OVER");
    } else {
        check(n, 0, 99, "HERC MAX_REG_LMT_OVER");
        sel = at(op1, 3) == u'*' ? 2 : 0;
    }
    return put(sel, 21, 20) | put(n, 19, 10);
}

StepWord counterClear(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t ax = num(t.op[0]);
    check(ax, 1, 4, "CCLR-MAX_AXIS_LMT_OVER");
    return put(ax, 23, 16);
}

// SM, LP, LS nn nn nn.
StepWord threeRegs(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t a = num(t.op[0]), b = num(t.op[1]), c = num(t.op[2]);
    check(a, 0, 99, "MAX_REG_LMT_OVER");
    check(b, 0, 99, "MAX_REG_LMT_OVER");
    check(c, 0, 99, "MAX_REG_LMT_OVER");
    return put(a, 23, 16) | put(b, 15, 8) | put(c, 7, 0);
}

// LAP, LAS, LEP, LES Fnn n nn.
StepWord fRegAxisReg(const PrgTokens& t, const EncArgs&, int)
{
    const std::int64_t f = num(t.op[0]), ax = num(t.op[1]), r = num(t.op[2]);
    check(f, 0, 15, "MAX_FREG_LMT_OVER");
    check(ax, 1, 4, "MAX_AXIS_LMT_OVER");
    check(r, 0, 99, "MAX_REG_LMT_OVER");
    return put(f, 23, 16) | put(ax, 15, 8) | put(r, 7, 0);
}

// F and OF: the register (axis) is the digits of the fused command token, the
// value has two decimals rounded half to even, sign in bit 19 and magnitude in
// [18-0]. A magnitude beyond the field is refused, not cut.
StepWord setFixed(const PrgTokens& t, const EncArgs& a, int)
{
    constexpr std::int64_t kMaxHundredths = (std::int64_t(1) << 19) - 1; // 5242.87
    const double v = common::Val(t.op[0]);
    const auto rounded = common::toInt32(v * 100.0);
    if (!rounded)
        throw FieldOverflow{};
    const bool negative = v < 0;
    const std::int64_t m = negative ? -std::int64_t(*rounded) : std::int64_t(*rounded);
    QString digits;
    for (const QChar ch : QStringView(t.cmd).left(kTokenLength)) {
        if (isDigit(ch))
            digits += ch;
    }
    const std::int64_t r = std::int64_t(common::Val(digits));
    check(r, a.min, a.max, a.other);
    check(m, 0, kMaxHundredths, " -5242.87 ~ 5242.87 사이의 값을 입력하십시요.");
    return put(r, 23, 20) | put(negative, 19, 19) | put(m, 18, 0);
}

// One row per command word in CmdIndex order.
// clang-format off
constexpr std::array<EncoderRow, kCmdWordCount> kEncoders{{
    {"$", noOperand, {}},
    {"MVE", pointMove, {.letter = 'P', .max = 1000, .direct = "LOC 번호 초과", .reg = "REG 번호 초과", .other = "MVE 명령어 Syntex Error"}},
    {"MVS", pointMove, {.letter = 'P', .max = 1000, .direct = "LOC 번호 초과", .reg = "REG 번호 초과", .other = "MVS 명령어 Syntex Error"}},
    {"MA", moveTwo, {}},
    {"MC", moveTwo, {}},
    {"CR", moveTwo, {}},
    {"AR", arc, {}},
    {"SFT", pointMove, {.letter = 'S', .max = 99, .direct = "SFT 번호 초과", .reg = "REG 번호 초과", .other = "SFT 명령어 Syntex Error"}},
    {"MF", moveToSignal, {.letter = 'P', .max = 1000, .direct = "MF-MAX_LOC_LMT_OVER", .reg = "MF-MAX_REG_LMT_OVER", .other = "MF-MAX_SIG_LMT_OVER"}},
    {"MB", moveToSignal, {.letter = 'P', .max = 1000, .direct = "MF-MAX_LOC_LMT_OVER", .reg = "MF-MAX_REG_LMT_OVER", .other = "MF-MAX_SIG_LMT_OVER"}},
    {"SF", moveToSignal, {.letter = 'S', .max = 99, .direct = "SF-MAX_SFT_LMT_OVER", .reg = "SF-MAX_REG_LMT_OVER", .other = "SF-MAX_SIG_LMT_OVER"}},
    {"SB", moveToSignal, {.letter = 'S', .max = 99, .direct = "SF-MAX_SFT_LMT_OVER", .reg = "SF-MAX_REG_LMT_OVER", .other = "SF-MAX_SIG_LMT_OVER"}},
    {"PM", pallet, {}},
    {"PS", pallet, {}},
    {"DRP", drive, {.max = 1000, .direct = "DRP-MAX_LOC_LMT_OVER"}},
    {"DRS", drive, {.max = 99, .direct = "DRS-MAX_SFT_LMT_OVER"}},
    {"SPL", valueOrReg, {.max = 10, .hi = 19, .lo = 10, .direct = "SPL 번호가 큼", .reg = "REG 번호가 큼", .other = "SPL 명령어 Syntex Error"}},
    {"UP", pointMove, {.letter = 'P', .max = 1000, .direct = "LOC 번호 초과", .reg = "REG 번호 초과", .other = "UP 명령어 Syntex Error"}},
    {"MVL", pointMove, {.letter = 'P', .max = 1000, .direct = "LOC 번호 초과", .reg = "REG 번호 초과", .other = "MVL 명령어 Syntex Error"}},
    {"VMP", valueOrReg, {.max = 100, .hi = 19, .lo = 10, .direct = "SPD 번호가 큼", .reg = "REG 번호가 큼", .other = "VMP 명령어 Syntex Error"}},
    {"VMN", valueOrReg, {.max = 100, .hi = 19, .lo = 10, .direct = "SPD 번호가 큼", .reg = "REG 번호가 큼", .other = "VMN 명령어 Syntex Error"}},
    {"IF", ifCompare, {}},
    {"GOT", gotoLabel, {}},
    {"DLY", delay, {}},
    {"JMP", jump, {}},
    {"HOME", home, {}},
    {"STOP", noOperand, {}},
    {"CALL", call, {}},
    {"RET", noOperand, {}},
    {"RETC", noOperand, {}},
    {"SIGB", signal, {.max = 24, .other = "출력신호값 OVER"}},
    {"SIGI", signalIn, {}},
    {"SIGO", signalOut, {}},
    {"JB", jumpOnSignal, {}},
    {"WAIT", signal, {.max = 16, .other = "WAIT 입력신호값 OVER"}},
    {"TMS", timedSignal, {}},
    {"PWR", power, {}},
    {"SM", threeRegs, {}},
    {"RUN", runTask, {}},
    {"SA", signalArray, {}},
    {"ACC", accel, {.other = "ACC-MAX_AXIS_LMT_OVER"}},
    {"DCC", accel, {.other = "DCC-MAX_AXIS_LMT_OVER"}},
    {"SPD", speed, {}},
    {"INP", inPosition, {}},
    {"READ", readPoint, {}},
    {"WRITE", writePoint, {}},
    {"TSPD", valueOrReg, {.max = 100, .hi = 15, .lo = 8, .direct = "SPD 번호가 큼", .reg = "REG 번호가 큼", .other = "TSPD 명령어 Syntex Error"}},
    {"VEL", velocity, {}},
    {"ADD", registerArith, {}},
    {"SUB", registerArith, {}},
    {"OR", registerArith, {}},
    {"AND", registerArith, {}},
    {"INC", incDec, {}},
    {"DEC", incDec, {}},
    {"MUL", registerArith, {}},
    {"ADF", fRegArith, {}},
    {"SUF", fRegArith, {}},
    {"MUF", fRegArith, {}},
    {"SET", registerArith, {}},
    {"L", label, {}},
    {"INT", interrupt, {}},
    {"HERC", here, {}},
    {"HERA", here, {}},
    {"CCLR", counterClear, {}},
    {"LP", threeRegs, {}},
    {"LS", threeRegs, {}},
    {"F", setFixed, {.min = 0, .max = 15, .other = "FSET COMM REG. 번호 초과"}},
    {"LAP", fRegAxisReg, {}},
    {"LAS", fRegAxisReg, {}},
    {"OF", setFixed, {.min = 1, .max = 4, .other = "MAX AXIS LIMIT"}},
    {"LEP", fRegAxisReg, {}},
    {"LES", fRegAxisReg, {}},
    {"[EOF]", noOperand, {}},
}};
// clang-format on

constexpr bool rowsFollowCmdWords()
{
    for (std::size_t k = 0; k < kEncoders.size(); ++k) {
        if (kEncoders[k].word != kCmdWords[k].word)
            return false;
    }
    return true;
}
static_assert(rowsFollowCmdWords(), "one encoder row per command word, in CmdIndex order");

} // namespace

Encoded encodeStep(int cmdIndex, const PrgTokens& tokens, int axisCount)
{
    if (cmdIndex < 0 || cmdIndex >= kCmdWordCount)
        return {Encoded::Kind::Rejected, 0, QString()};
    const EncoderRow& row = kEncoders[std::size_t(cmdIndex)];
    try {
        const StepWord fields = row.encode(tokens, row.args, axisCount);
        return {Encoded::Kind::Word, (StepWord(opcodeOf(cmdIndex)) << 24) | fields, QString()};
    } catch (const Rejected& r) {
        return {Encoded::Kind::Rejected, 0, QString::fromUtf8(r.message)};
    } catch (const FieldOverflow&) {
        return {Encoded::Kind::Overflow, 0, common::RtError::of(common::err::Overflow).text()};
    }
}

} // namespace programs
