#include "controlleremulator.h"

#include "link/controlbytes.h"

#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

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

bool setRaw(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return false;
    ::cfmakeraw(&t);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

} // namespace

State::State(int axes)
    : axisCount(axes), sysBlock(76, '\0'), gainBlock(axes * 40, '\0'), axisBlock(axes * 44, '\0'),
      swBlock(axes * 72, '\0'), lmtBlock(axes * 24, '\0')
{
}

ControllerEmulator::ControllerEmulator(int axisCount, QObject* parent)
    : QObject(parent), m_state(std::clamp(axisCount, 1, 4)), m_paceTimer(new QTimer(this)),
      m_delayTimer(new QTimer(this))
{
    m_delayTimer->setSingleShot(true);
    connect(m_delayTimer, &QTimer::timeout, this, &ControllerEmulator::onDelayTimer);
    m_paceTimer->setSingleShot(true);
    connect(m_paceTimer, &QTimer::timeout, this, &ControllerEmulator::onWritable);
    m_clock.start();
}

ControllerEmulator::~ControllerEmulator()
{
    dropLine();
}

bool ControllerEmulator::start()
{
    if (m_master >= 0)
        return true;
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return false;
    char name[128] = {};
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0) {
        ::close(master);
        return false;
    }
    // Holding the slave open keeps the master from reading a hang-up while
    // the program has its port closed. The hold is never read.
    const int hold = ::open(name, O_RDWR | O_NOCTTY);
    if (hold < 0 || !setRaw(hold)) {
        if (hold >= 0)
            ::close(hold);
        ::close(master);
        return false;
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    m_master = master;
    m_slaveHold = hold;
    m_slavePath = QString::fromLocal8Bit(name);
    m_readNotifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &ControllerEmulator::onReadable);
    m_writeNotifier = new QSocketNotifier(master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &ControllerEmulator::onWritable);
    return true;
}

void ControllerEmulator::dropLine()
{
    if (m_master < 0)
        return;
    for (QSocketNotifier* n : {m_readNotifier, m_writeNotifier}) {
        n->setEnabled(false);
        n->deleteLater();
    }
    m_readNotifier = m_writeNotifier = nullptr;
    ::close(m_master);
    ::close(m_slaveHold);
    m_master = m_slaveHold = -1;
    m_pending.clear();
    m_outBuf.clear();
    m_delayTimer->stop();
    m_paceTimer->stop();
    resetExchange();
}

void ControllerEmulator::setPacing(int bytes, int intervalMs)
{
    m_paceBytes = std::max(bytes, 0);
    m_paceMs = std::max(intervalMs, 0);
}

void ControllerEmulator::sendUnasked(const QByteArray& bytes)
{
    writeLine(bytes);
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

QString ControllerEmulator::trace() const
{
    QStringList groups;
    for (const TraceGroup& g : m_trace)
        groups << (g.fromPc ? QStringLiteral("PC ") : QStringLiteral("controller ")) +
                      QString::fromLatin1(g.bytes.toHex(' ').toUpper());
    return groups.join(QStringLiteral("; "));
}

QByteArray ControllerEmulator::pcBytes() const
{
    QByteArray out;
    for (const TraceGroup& g : m_trace)
        if (g.fromPc)
            out += g.bytes;
    return out;
}

QByteArray ControllerEmulator::controllerBytes() const
{
    QByteArray out;
    for (const TraceGroup& g : m_trace)
        if (!g.fromPc)
            out += g.bytes;
    return out;
}

void ControllerEmulator::record(bool fromPc, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    if (!m_trace.empty() && m_trace.back().fromPc == fromPc)
        m_trace.back().bytes += bytes;
    else
        m_trace.push_back({fromPc, bytes});
}

void ControllerEmulator::onReadable()
{
    char buf[4096];
    while (m_master >= 0) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (n <= 0) {
            // Nothing more can come: stop watching rather than spin.
            if (m_readNotifier)
                m_readNotifier->setEnabled(false);
            return;
        }
        for (ssize_t i = 0; i < n && m_master >= 0; ++i) {
            const auto b = std::uint8_t(buf[i]);
            record(true, QByteArray(1, char(b)));
            ++m_fromPc;
            feed(b);
        }
        // A short read took all there was; the notifier tells of more.
        if (n < ssize_t(sizeof buf))
            return;
    }
}

void ControllerEmulator::writeLine(const QByteArray& bytes)
{
    if (m_master < 0 || bytes.isEmpty())
        return;
    record(false, bytes);
    m_toPc += quint64(bytes.size());
    m_lastByteMs = m_clock.elapsed();
    m_outBuf += bytes;
    if (!m_paceTimer->isActive())
        onWritable();
}

void ControllerEmulator::onWritable()
{
    while (m_master >= 0 && !m_outBuf.isEmpty()) {
        const qsizetype chunk = m_paceBytes > 0 ? std::min<qsizetype>(m_paceBytes, m_outBuf.size()) : m_outBuf.size();
        const ssize_t n = ::write(m_master, m_outBuf.constData(), size_t(chunk));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (n <= 0) {
            m_outBuf.clear();
            break;
        }
        m_outBuf.remove(0, n);
        if (m_paceBytes > 0 && !m_outBuf.isEmpty()) {
            m_paceTimer->start(m_paceMs);
            if (m_writeNotifier)
                m_writeNotifier->setEnabled(false);
            return;
        }
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_outBuf.isEmpty());
}

void ControllerEmulator::answer(QByteArray bytes)
{
    if (!m_faults.strayBytes.isEmpty()) {
        bytes.prepend(m_faults.strayBytes);
        m_faults.strayBytes.clear();
    }
    if (bytes.isEmpty())
        return;
    if (m_faults.replyDelayMs <= 0 && m_pending.empty()) {
        writeLine(bytes);
        return;
    }
    // Answers keep their order even when the delay changes between them.
    const qint64 due = std::max(m_clock.elapsed() + std::max(m_faults.replyDelayMs, 0),
                                m_pending.empty() ? qint64(0) : m_pending.back().dueMs);
    m_pending.push_back({due, bytes});
    if (!m_delayTimer->isActive())
        m_delayTimer->start(int(std::max<qint64>(0, m_pending.front().dueMs - m_clock.elapsed())));
}

void ControllerEmulator::onDelayTimer()
{
    const qint64 now = m_clock.elapsed();
    while (!m_pending.empty() && m_pending.front().dueMs <= now) {
        const QByteArray b = m_pending.front().bytes;
        m_pending.pop_front();
        writeLine(b);
    }
    if (!m_pending.empty())
        m_delayTimer->start(int(std::max<qint64>(0, m_pending.front().dueMs - now)));
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
    const qint64 now = m_clock.elapsed();
    if (inExchange() && now - m_lastByteMs > m_exchangeTimeoutMs) {
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
    case CMD_SYS_RECV:
        pushParamRecv(st.sysBlock);
        break;
    case CMD_SYS_TRANS:
        pushParamTrans(st.sysBlock);
        break;
    case CMD_GAIN_RECV:
        pushParamRecv(st.gainBlock);
        break;
    case CMD_GAIN_TRANS:
        pushParamTrans(st.gainBlock);
        break;
    case CMD_AXIS_RECV:
        pushParamRecv(st.axisBlock);
        break;
    case CMD_AXIS_TRANS:
        pushParamTrans(st.axisBlock);
        break;
    case CMD_SW_RECV:
        pushParamRecv(st.swBlock);
        break;
    case CMD_SW_TRANS:
        pushParamTrans(st.swBlock);
        break;
    case CMD_LMT_RECV:
        pushParamRecv(st.lmtBlock);
        break;
    case CMD_LMT_TRANS:
        pushParamTrans(st.lmtBlock);
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
