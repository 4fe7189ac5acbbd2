#pragma once
// The controller's side of the line for the receivers: a pseudo-terminal
// with the program's own port (COM1) open on it, and a clock that hands the
// fuzz input to the link as the controller's answers whenever the link waits
// for a byte with nothing in its ring. Every byte reaches the ring through
// the port and the real receive notification.
//
// The answers are records: a length byte and that many bytes; length 0 is a
// silence (the wait in hand times out), 255 sends the rest of the input at
// once (it may overflow the ring). When the records are used up the
// controller is silent. Time-outs pass at once: the clock jumps past them.

#include "support/seams.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

class QSerialPort;

namespace fuzz {

class ControllerFeed {
public:
    // Opens the line and the port once for the run.
    static ControllerFeed& instance();

    // Starts an exchange with these answers; the ring is emptied and the
    // boxes recorder cleared.
    void start(const std::uint8_t* data, std::size_t size);
    // Every byte the PC wrote since start().
    QByteArray pcBytes();
    // The answers' bytes in order, silences left out: what the PC reads when
    // an exchange runs to its end.
    const QByteArray& stream() const { return m_stream; }
    // How many records were handed over.
    int recordsFed() const { return m_next; }

    testsupport::MessageRecorder boxes;

private:
    ControllerFeed();
    double clock();
    void deliver(const QByteArray& bytes);
    void drain();

    testsupport::SettingsStore m_settings;
    int m_master = -1;
    int m_slaveHold = -1;
    QSerialPort* m_serial = nullptr;
    QList<QByteArray> m_records;
    QByteArray m_stream;
    QByteArray m_pc;
    quint64 m_writtenAtStart = 0;
    int m_next = 0;
    bool m_jump = false;
    double m_now = 0;
};

// The last byte the PC wrote, or -1.
int lastByte(const QByteArray& pcBytes);

} // namespace fuzz
