#pragma once
// The emulator's end of the line: the master side of a pseudo-terminal whose
// slave side the program opens as its serial port. It hands every byte the
// PC writes to a receiver, sends the controller's answers (at once, after a
// delay, or trickled as a real line would), and keeps the trace of both
// sides in time order.

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class QSocketNotifier;
struct termios;
class QTimer;

namespace emu {

class PtyLine : public QObject {
    Q_OBJECT
public:
    explicit PtyLine(QObject* parent = nullptr);
    ~PtyLine() override;

    // Opens the pseudo-terminal; false when the system refuses one.
    bool start();
    // Closes the line: the program's port fails as when a cable is pulled.
    // Answers not yet handed over are lost.
    void drop();
    bool up() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    // The settings the device holds now, read on the emulator's own hold of
    // the slave side; false when the line is down.
    bool settings(termios& into) const;

    // Gets every byte from the PC, one at a time, in order, each recorded in
    // the trace before it is handed on.
    void setReceiver(std::function<void(std::uint8_t)> receiver) { m_receiver = std::move(receiver); }

    // Sends bytes after `delayMs`; bytes sent later never overtake them.
    void send(const QByteArray& bytes, int delayMs = 0);
    // Sends bytes at once, ahead of any delayed ones.
    void sendNow(const QByteArray& bytes) { writeLine(bytes); }
    // Hands the PC at most `bytes` bytes every `intervalMs`; 0 bytes writes
    // everything at once.
    void setPacing(int bytes, int intervalMs);

    // Milliseconds on the line's own monotonic clock, and when the
    // controller last put bytes on the line.
    qint64 nowMs() const { return m_clock.elapsed(); }
    qint64 lastSentMs() const { return m_lastSentMs; }

    // "PC 01; controller 00; PC 17; controller 17": upper-case hex, the
    // consecutive bytes of one side grouped.
    QString trace() const;
    void clearTrace() { m_trace.clear(); }
    QByteArray pcBytes() const;
    QByteArray controllerBytes() const;
    quint64 bytesFromPc() const { return m_fromPc; }
    quint64 bytesToPc() const { return m_toPc; }
    // Bytes for the PC that its port has not taken from the device yet:
    // still held here (delayed, paced, or waiting for room) or waiting in the
    // device. Bytes the PC dropped with a flush of its input are not.
    bool toPcInFlight() const;

private:
    struct Pending {
        qint64 dueMs;
        QByteArray bytes;
    };
    struct TraceGroup {
        bool fromPc;
        QByteArray bytes;
    };

    void onReadable();
    void onWritable();
    void onDelayTimer();
    void writeLine(const QByteArray& bytes);
    void record(bool fromPc, const char* bytes, qsizetype n);

    std::function<void(std::uint8_t)> m_receiver;
    int m_master = -1;
    int m_slaveHold = -1; // keeps the slave side open so the master never reads a hang-up
    QString m_slavePath;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QByteArray m_outBuf; // bytes the line did not take yet
    int m_paceBytes = 0;
    int m_paceMs = 0;
    QTimer* m_paceTimer;
    QTimer* m_delayTimer;
    std::deque<Pending> m_pending;
    QElapsedTimer m_clock;
    qint64 m_lastSentMs = 0;

    std::vector<TraceGroup> m_trace;
    quint64 m_fromPc = 0;
    quint64 m_toPc = 0;
};

} // namespace emu
