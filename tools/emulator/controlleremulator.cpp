#include "controlleremulator.h"

#include "link/controlbytes.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace emu {

using namespace comm;

namespace {

std::uint8_t checksumOf(const QByteArray& data)
{
    unsigned sum = 0;
    for (char c : data)
        sum = (sum + std::uint8_t(c)) & 0xFFu;
    return std::uint8_t((0u - sum) & 0xFFu);
}

void appendLe32(QByteArray& out, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        out.append(char((v >> (8 * k)) & 0xFFu));
}

std::uint32_t le32(const QByteArray& d, int at)
{
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k)
        v |= std::uint32_t(std::uint8_t(d[at + k])) << (8 * k);
    return v;
}

QByteArray word(int w)
{
    QByteArray out;
    out.append(char(w & 0xFF)).append(char((w >> 8) & 0xFF)).append(char(LINK_STX));
    return out;
}

} // namespace

ControllerEmulator::ControllerEmulator(int axisCount, Contents contents, QObject* parent)
    : QObject(parent), m_state(std::clamp(axisCount, 1, 4), contents)
{
    m_line.setReceiver([this](std::uint8_t b) { feed(b); });
}

ControllerEmulator::~ControllerEmulator()
{
    dropLine();
}

bool ControllerEmulator::start()
{
    return m_line.start();
}

void ControllerEmulator::dropLine()
{
    m_line.drop();
    resetExchange();
}

void ControllerEmulator::sendUnasked(const QByteArray& bytes)
{
    m_line.sendNow(bytes);
}

void ControllerEmulator::resetExchange()
{
    m_awaitCode = false;
    m_steps.clear();
    m_acc.clear();
}

bool ControllerEmulator::inExchange() const
{
    return m_awaitCode || !m_steps.empty() || !m_acc.isEmpty();
}

void ControllerEmulator::answer(QByteArray bytes)
{
    if (!m_faults.strayBytes.isEmpty()) {
        bytes.prepend(m_faults.strayBytes);
        m_faults.strayBytes.clear();
    }
    m_line.send(bytes, m_faults.replyDelayMs);
}

void ControllerEmulator::feed(std::uint8_t b)
{
    if (m_faults.dropLineNow) {
        m_faults.dropLineNow = false;
        dropLine();
        return;
    }
    if (m_faults.silent)
        return;
    const qint64 now = m_line.nowMs();
    if (inExchange() && now - std::max(m_lastByteMs, m_line.lastSentMs()) > m_exchangeTimeoutMs) {
        // The PC gave up on the exchange long ago: this byte starts afresh.
        ++m_state.protocolErrors;
        resetExchange();
    }
    m_lastByteMs = now;

    if (m_awaitCode) {
        commandCode(b);
        return;
    }
    if (m_steps.empty()) {
        idleByte(b);
        return;
    }

    auto stepDone = [this] {
        if (m_steps.empty())
            finishExchange(m_code);
        else
            runControllerSteps();
    };

    Step& s = m_steps.front();
    switch (s.kind) {
    case StepKind::PcWord: {
        m_acc.append(char(b));
        if (m_acc.size() < 3)
            return;
        const int w = std::uint8_t(m_acc[0]) + 256 * std::uint8_t(m_acc[1]);
        const std::uint8_t end = std::uint8_t(m_acc[2]);
        m_acc.clear();
        if (end == LINK_DLE) {
            ++m_state.aborts;
            resetExchange();
            return;
        }
        if (end != LINK_STX) {
            ++m_state.protocolErrors;
            resetExchange();
            return;
        }
        Step step = std::move(s);
        m_steps.pop_front();
        if (m_faults.refuseWord || !step.done(w, {})) {
            resetExchange();
            answer(QByteArray(1, char(kWordRefused)));
            return;
        }
        answer(QByteArray(1, char(LINK_SYN)));
        stepDone();
        return;
    }
    case StepKind::PcByte: {
        Step step = std::move(s);
        m_steps.pop_front();
        step.done(b, {});
        stepDone();
        return;
    }
    case StepKind::PcBlock: {
        m_acc.append(char(b));
        if (m_acc.size() < s.length + 2)
            return;
        const QByteArray data = m_acc.left(s.length);
        const std::uint8_t chk = std::uint8_t(m_acc[s.length]);
        const std::uint8_t end = std::uint8_t(m_acc[s.length + 1]);
        m_acc.clear();
        if (end != LINK_ETX)
            ++m_state.protocolErrors;
        const bool take = end == LINK_ETX && chk == checksumOf(data) && !m_faults.refuseBlock;
        Step step = std::move(s);
        m_steps.pop_front();
        if (!take) {
            resetExchange();
            answer(QByteArray(1, char(LINK_DLE)));
            return;
        }
        step.done(0, data);
        answer(QByteArray(1, char(LINK_EOT)));
        stepDone();
        return;
    }
    case StepKind::AwaitSyn:
        if (b != LINK_SYN) {
            ++m_state.protocolErrors;
            resetExchange();
            idleByte(b);
            return;
        }
        m_steps.pop_front();
        stepDone();
        return;
    case StepKind::AwaitAnswer:
        if (b == LINK_EOT) {
            ++m_state.blocksAcceptedByPc;
            m_steps.pop_front();
            stepDone();
        } else if (b == LINK_DLE) {
            ++m_state.blocksRefusedByPc;
            resetExchange();
        } else {
            // The PC did not answer the block (it found the trailer bad):
            // the byte belongs to whatever comes next.
            ++m_state.protocolErrors;
            resetExchange();
            idleByte(b);
        }
        return;
    case StepKind::CtrlWord:
    case StepKind::CtrlBlock:
        // Sent as soon as they come to the front; never waiting here.
        ++m_state.protocolErrors;
        resetExchange();
        idleByte(b);
        return;
    }
}

void ControllerEmulator::idleByte(std::uint8_t b)
{
    switch (b) {
    case LINK_ENQ:
        ++m_state.connects;
        answer(m_faults.connectAnswer.value_or(QByteArray(1, char(LINK_DC1))));
        break;
    case LINK_SOH:
        m_awaitCode = true;
        answer(QByteArray(1, char(m_state.sohAnswer)));
        break;
    case LINK_DLE:
        ++m_state.stops;
        break;
    case LINK_CAN:
        ++m_state.runResets;
        break;
    default:
        ++m_state.protocolErrors;
        break;
    }
}

void ControllerEmulator::commandCode(std::uint8_t code)
{
    m_awaitCode = false;
    if (m_faults.silentAfterSoh)
        return;
    m_lastCommand = code;
    m_code = code;
    const std::uint8_t echo = m_faults.wrongEcho ? m_faults.wrongEchoByte.value_or(std::uint8_t(code + 1)) : code;
    answer(QByteArray(1, char(echo)));
    planCommand(code);
    runControllerSteps();
}

void ControllerEmulator::finishExchange(std::uint8_t code)
{
    if (code < m_state.completed.size())
        ++m_state.completed[code];
}

void ControllerEmulator::pushPcWord(std::function<bool(int)> done)
{
    Step s(StepKind::PcWord);
    s.done = [done = std::move(done)](int w, const QByteArray&) { return done(w); };
    m_steps.push_back(std::move(s));
}

void ControllerEmulator::pushPcBlock(int length, std::function<void(const QByteArray&)> done)
{
    Step s(StepKind::PcBlock);
    s.length = length;
    s.done = [done = std::move(done)](int, const QByteArray& d) {
        done(d);
        return true;
    };
    m_steps.push_back(std::move(s));
}

void ControllerEmulator::pushCtrlBlock(const QByteArray& data)
{
    Step s(StepKind::CtrlBlock);
    s.data = data;
    m_steps.push_back(std::move(s));
}

void ControllerEmulator::pushParamRecv(const QByteArray& block)
{
    const int length = m_faults.announcedLength.value_or(int(block.size())) & 0xFFFF;
    QByteArray data = block.left(length);
    if (data.size() < length)
        data.append(QByteArray(length - data.size(), '\0'));
    Step w(StepKind::CtrlWord);
    w.data = word(length);
    m_steps.push_back(std::move(w));
    pushCtrlBlock(data);
}

void ControllerEmulator::pushParamTrans(QByteArray& block)
{
    QByteArray* target = &block;
    pushPcWord([this, target](int length) {
        // The largest block the link knows is 1026 bytes; a length past a
        // few times that is a broken word, not a parameter set.
        if (length <= 0 || length > 4096)
            return false;
        pushPcBlock(length, [target](const QByteArray& d) { *target = d; });
        return true;
    });
}

namespace {
// The parameter sets: each is received and sent whole as one block.
struct ParamCommand {
    std::uint8_t recvCode;
    std::uint8_t transCode;
    QByteArray State::*block;
};
constexpr ParamCommand kParamCommands[] = {
    {CMD_SYS_RECV, CMD_SYS_TRANS, &State::sysBlock},    {CMD_GAIN_RECV, CMD_GAIN_TRANS, &State::gainBlock},
    {CMD_AXIS_RECV, CMD_AXIS_TRANS, &State::axisBlock}, {CMD_SW_RECV, CMD_SW_TRANS, &State::swBlock},
    {CMD_LMT_RECV, CMD_LMT_TRANS, &State::lmtBlock},
};
} // namespace

bool ControllerEmulator::planParamCommand(std::uint8_t code)
{
    for (const ParamCommand& c : kParamCommands) {
        if (code == c.recvCode)
            pushParamRecv(m_state.*c.block);
        else if (code == c.transCode)
            pushParamTrans(m_state.*c.block);
        else
            continue;
        return true;
    }
    return false;
}

void ControllerEmulator::planCommand(std::uint8_t code)
{
    State& st = m_state;
    const int axes = std::clamp(st.axisCount, 1, 4);
    auto pointBlock = [axes](const std::array<std::int32_t, 4>& p) {
        QByteArray out;
        for (int a = 0; a < axes; ++a)
            appendLe32(out, std::uint32_t(p[std::size_t(a)]));
        return out;
    };
    auto pointRecv = [this, pointBlock](auto& table) {
        pushPcWord([this, pointBlock, &table](int n) {
            if (n < 0 || n >= int(table.size()))
                return false;
            pushCtrlBlock(pointBlock(table[std::size_t(n)]));
            return true;
        });
    };
    auto pointTrans = [this, axes](auto& table) {
        pushPcWord([this, axes, &table](int n) {
            if (n < 0 || n >= int(table.size()))
                return false;
            pushPcBlock(axes * 4, [axes, &table, n](const QByteArray& d) {
                for (int a = 0; a < axes; ++a)
                    table[std::size_t(n)][std::size_t(a)] = std::int32_t(le32(d, 4 * a));
            });
            return true;
        });
    };
    auto consoleWord = [this](std::function<bool(int)> act) { pushPcWord(std::move(act)); };

    if (planParamCommand(code))
        return;
    switch (code) {
    case CMD_PRG_RECV:
        pushPcWord([this](int n) {
            if (n < 0 || n > 31)
                return false;
            const auto& img = m_state.programs[std::size_t(n)];
            pushCtrlBlock(QByteArray(reinterpret_cast<const char*>(img.data()), int(img.size())));
            return true;
        });
        break;
    case CMD_PRG_TRANS:
        pushPcWord([this](int n) {
            if (n < 0 || n > 31)
                return false;
            pushPcBlock(1026, [this, n](const QByteArray& d) {
                std::memcpy(m_state.programs[std::size_t(n)].data(), d.constData(), 1026);
            });
            return true;
        });
        break;
    case CMD_LOC_RECV:
        pointRecv(st.loc);
        break;
    case CMD_LOC_TRANS:
        pointTrans(st.loc);
        break;
    case CMD_SFT_RECV:
        pointRecv(st.sft);
        break;
    case CMD_SFT_TRANS:
        pointTrans(st.sft);
        break;
    case CMD_RUN:
        consoleWord([this](int n) {
            if (n < 0 || n > 31)
                return false;
            m_state.lastRunProgram = n;
            return true;
        });
        break;
    case CMD_ZR:
        consoleWord([](int) { return true; });
        break;
    case CMD_SERVO_ON:
        consoleWord([this](int) {
            m_state.outputs |= 1u << 2;
            return true;
        });
        break;
    case CMD_SERVO_OFF:
        consoleWord([this](int) {
            m_state.outputs &= ~(1u << 2);
            return true;
        });
        break;
    case CMD_IO_ALL_ON:
        consoleWord([this](int) {
            m_state.outputs |= 0xFFFFFF00u;
            return true;
        });
        break;
    case CMD_IO_ALL_OFF:
        consoleWord([this](int) {
            m_state.outputs &= 0x000000FFu;
            return true;
        });
        break;
    case CMD_ALARM_RESET:
        consoleWord([this](int) {
            m_state.outputs &= ~1u;
            return true;
        });
        break;
    case CMD_READ_INPUTS:
    case CMD_READ_OUTPUTS: {
        QByteArray b;
        appendLe32(b, code == CMD_READ_INPUTS ? st.inputs : st.outputs);
        pushCtrlBlock(b);
        break;
    }
    case CMD_READ_ERROR: {
        QByteArray b;
        const auto c = std::uint16_t(st.errCode);
        const auto v = std::uint16_t(st.errValue);
        b.append(char(c & 0xFF)).append(char(c >> 8)).append(char(v & 0xFF)).append(char(v >> 8));
        pushCtrlBlock(b);
        break;
    }
    case CMD_SET_OUTPUT: {
        // Two bare bytes (output number - 7, state), then the word 0.
        auto number = std::make_shared<int>(0);
        auto on = std::make_shared<int>(0);
        Step first(StepKind::PcByte);
        first.done = [number](int v, const QByteArray&) {
            *number = v;
            return true;
        };
        Step second(StepKind::PcByte);
        second.done = [on](int v, const QByteArray&) {
            *on = v;
            return true;
        };
        m_steps.push_back(std::move(first));
        m_steps.push_back(std::move(second));
        consoleWord([this, number, on](int) {
            if (*number < 1 || *number > 24)
                return false;
            m_state.lastOutputNumber = *number + 7;
            m_state.lastOutputState = *on;
            if (*on)
                m_state.outputs |= 1u << (*number + 7);
            else
                m_state.outputs &= ~(1u << (*number + 7));
            return true;
        });
        break;
    }
    case CMD_DISCONNECT:
        break;
    default:
        // Not a command of this controller: echoed, nothing follows.
        ++st.protocolErrors;
        return;
    }
    if (m_steps.empty())
        finishExchange(code);
}

void ControllerEmulator::runControllerSteps()
{
    if (m_steps.empty())
        return;
    Step& s = m_steps.front();
    if (s.kind == StepKind::CtrlWord) {
        answer(s.data);
        s.kind = StepKind::AwaitSyn;
    } else if (s.kind == StepKind::CtrlBlock) {
        QByteArray out = s.data;
        out.append(char(std::uint8_t(checksumOf(s.data) + (m_faults.badChecksum ? 1 : 0))));
        out.append(char(m_faults.badTrailer ? kBadTrailer : LINK_ETX));
        answer(out);
        if (m_faults.badTrailer)
            resetExchange(); // the PC answers no block it found broken
        else
            s.kind = StepKind::AwaitAnswer;
    }
}

} // namespace emu
