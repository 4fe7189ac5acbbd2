#pragma once
// A controller on the master side of a pseudo-terminal. The program opens the
// slave side as its serial port and talks to it as to the real controller.
// The emulator serves in the event loop of the thread that created it, so a
// link procedure that serves events while it waits gets its answers in the
// same thread.
//
// It reads the line by state, never by value: command codes share their
// values with the control bytes, so a byte means what the exchange expects at
// that point. The line itself is PtyLine (ptyline.h); what the controller
// holds is State (controllermodel.h).

#include "controllermodel.h"
#include "ptyline.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

struct termios;

namespace emu {

// The answer to a PC word the controller does not take (anything but LINK_SYN).
inline constexpr std::uint8_t kWordRefused = 0x15;
// The byte that ends a block sent with a bad trailer.
inline constexpr std::uint8_t kBadTrailer = 0x00;

// Ways to misbehave. All off by default; each holds until cleared unless
// noted.
struct Faults {
    bool silent = false;         // reads the line, answers nothing at all
    bool silentAfterSoh = false; // answers LINK_SOH, then drops the code unanswered
    bool wrongEcho = false;      // echoes wrongEchoByte, or code + 1 without one
    std::optional<std::uint8_t> wrongEchoByte;
    bool refuseWord = false;  // answers PC words with kWordRefused instead of LINK_SYN
    bool badChecksum = false; // its blocks carry a checksum one too high
    bool badTrailer = false;  // its blocks end in kBadTrailer instead of LINK_ETX
    bool refuseBlock = false; // answers PC blocks with LINK_DLE, whatever their checksum
    int replyDelayMs = 0;     // delay before every answer
    QByteArray strayBytes;    // sent once, unasked, just before the next answer
    bool dropLineNow = false; // the next byte from the PC closes the line instead of being answered
    // The answer to LINK_ENQ; LINK_DC1 when unset. May be several bytes
    // ({0x00, 0x11}) or none.
    std::optional<QByteArray> connectAnswer;
    // Parameter receive: the length word announced instead of the block's
    // own length; the block sent is padded with zeros or cut to it.
    std::optional<int> announcedLength;
};

class ControllerEmulator : public QObject {
    Q_OBJECT
public:
    explicit ControllerEmulator(int axisCount = 4, Contents contents = Contents::Sample, QObject* parent = nullptr);
    ~ControllerEmulator() override;

    // Opens the pseudo-terminal; false when the system refuses one.
    bool start();
    // The device the program opens as its serial port.
    QString slavePath() const { return m_line.slavePath(); }
    bool lineUp() const { return m_line.up(); }
    // Closes the line: the program's port fails as when a cable is pulled.
    void dropLine();
    // The line settings the device holds now (what the program's port put
    // on it); false when the line is down.
    bool lineSettings(termios& into) const { return m_line.settings(into); }

    State& state() { return m_state; }
    Faults& faults() { return m_faults; }

    // Sends bytes at once, outside any exchange (line noise, a flood).
    void sendUnasked(const QByteArray& bytes);
    // Forgets the exchange in progress; the next byte is read as in idle.
    void resetExchange();
    // An exchange whose next byte does not come within this time is
    // abandoned when a byte finally comes (default 1000 ms).
    void setExchangeTimeoutMs(int ms) { m_exchangeTimeoutMs = ms; }
    bool inExchange() const;
    // Hands the PC at most `bytes` bytes every `intervalMs`, as a real line
    // trickles them; 0 bytes (the default) writes every answer at once.
    void setPacing(int bytes, int intervalMs) { m_line.setPacing(bytes, intervalMs); }

    // The line in time order, e.g. "PC 01; controller 00; PC 17; controller
    // 17": upper-case hex, the consecutive bytes of one side grouped.
    QString trace() const { return m_line.trace(); }
    void clearTrace() { m_line.clearTrace(); }
    // Only the bytes of one side, in order.
    QByteArray pcBytes() const { return m_line.pcBytes(); }
    QByteArray controllerBytes() const { return m_line.controllerBytes(); }

    // Every byte the PC has written that the emulator has read.
    quint64 bytesFromPc() const { return m_line.bytesFromPc(); }
    quint64 bytesToPc() const { return m_line.bytesToPc(); }
    bool toPcInFlight() const { return m_line.toPcInFlight(); }

    // The code of the last command echoed (-1 before any).
    int lastCommand() const { return m_lastCommand; }

private:
    enum class StepKind { PcWord, PcByte, PcBlock, CtrlWord, AwaitSyn, CtrlBlock, AwaitAnswer };
    struct Step {
        explicit Step(StepKind k) : kind(k) {}
        StepKind kind;
        int length = 0;  // PcBlock: data bytes expected
        QByteArray data; // CtrlWord / CtrlBlock: what to send
        // PcWord, PcByte: the value; PcBlock: the accepted block. False
        // refuses a word. May queue further steps.
        std::function<bool(int, const QByteArray&)> done;
    };

    void feed(std::uint8_t b);
    void idleByte(std::uint8_t b);
    void commandCode(std::uint8_t code);
    void planCommand(std::uint8_t code);
    bool planParamCommand(std::uint8_t code);
    void runControllerSteps();
    void finishExchange(std::uint8_t code);

    void answer(QByteArray bytes);

    void pushPcWord(std::function<bool(int)> done);
    void pushPcBlock(int length, std::function<void(const QByteArray&)> done);
    void pushCtrlBlock(const QByteArray& data);
    void pushParamRecv(const QByteArray& block);
    void pushParamTrans(QByteArray& block);

    State m_state;
    Faults m_faults;
    PtyLine m_line;

    bool m_awaitCode = false;
    std::uint8_t m_code = 0;
    std::deque<Step> m_steps;
    QByteArray m_acc; // bytes of the PC element being read
    qint64 m_lastByteMs = 0;
    int m_exchangeTimeoutMs = 1000;
    int m_lastCommand = -1;
};

} // namespace emu
