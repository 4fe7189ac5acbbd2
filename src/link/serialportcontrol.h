#pragma once
// The serial-port control of the main window: our own class over QSerialPort
// with the members the link expects of it. It is the one owner of the port.

#include "common/rterror.h"
#include "heldline.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

class QSerialPort;

namespace comm {

class SerialPortControl : public QObject {
    Q_OBJECT
public:
    static constexpr int comEvReceive = 2;

    // The port of the main window.
    static SerialPortControl& MSComm1();

    int CommPort() const { return m_commPort; }
    std::optional<common::RtError> setCommPort(int port);

    // "9600,n,8,1": baud, parity (n, e, o, m, s), data bits, stop bits.
    QString Settings() const { return m_settings; }
    std::optional<common::RtError> setSettings(const QString& settings);

    // 0 none, 1 none, 2 RTS/CTS, 3 RTS/CTS: software flow control would
    // take data bytes 0x11 and 0x13 off the line.
    int Handshaking() const { return m_line.handshaking; }
    std::optional<common::RtError> setHandshaking(int mode);

    bool PortOpen() const;
    // Opening tells a refused name (8002) or permission (70) at once, without
    // opening the device, and waits a busy or locked device out for a second
    // (8005). Line settings the device refuses or does not hold leave the
    // port closed (8015).
    std::optional<common::RtError> setPortOpen(bool open);

    // Closes the port as the program ends, however it ends: the device gets
    // its own settings back and the lock goes. Writes nothing: what is not on
    // the line yet is dropped. Emits nothing either (no PortClosed): after an
    // exit() the windows may no longer be paintable.
    void release();

    // Writes one byte and hands it to the line at once.
    void Output(std::uint8_t byte);
    // Writes n bytes in order and hands them to the line at once.
    void Output(const std::uint8_t* bytes, int n);

    int InBufferCount() const;
    // Drops every received byte not yet taken: Qt's buffer and what the
    // device driver still holds, unread.
    void ClearInput();
    int InputLen = 0;
    // Takes InputLen waiting bytes (all of them when 0).
    QByteArray Input();

    int CommEvent() const { return m_commEvent; }

    // The open port failed or disappeared (an unplugged adapter): every wait
    // ends at once.
    bool failed() const { return m_failed; }

    // The device a port number opens: settings key Properties/COMn, by
    // default /dev/ttyS0 for COM1 and /dev/ttyS1 for COM2.
    static QString deviceFor(int port);
    // The device a name opens: a symbolic link followed to the end (the name
    // itself when it names no file).
    static QString realDevice(const QString& device);

    // The serial library's own account of why the last open failed (empty
    // after a good open), for logs.
    QString openFailure() const { return m_openFailure; }

    // Bytes written since the port opened (for the benchmarks).
    quint64 bytesWritten() const { return m_written; }
    quint64 bytesRead() const { return m_read; }

signals:
    // The receive notification: at least one received byte is waiting.
    void OnComm();
    // The port has closed, whoever closed it: the program, or this class
    // after the port failed.
    void PortClosed();

private:
    struct LineSettings {
        qint32 baud = 9600;
        char parity = 'n';
        int dataBits = 8;
        double stopBits = 1;
        int handshaking = 0;
    };

    explicit SerialPortControl(QObject* parent = nullptr);
    // Puts the settings on the open port; false when the device refuses one
    // or holds another than asked for.
    bool applyLineSettings(const LineSettings& line);
    bool lineHeld(const LineSettings& line) const;
    // Takes the settings, at once when the port is open; a refused one
    // leaves the port and the device as they were.
    std::optional<common::RtError> adoptLineSettings(const LineSettings& line);
    void closePort();

    QSerialPort* m_port;
    int m_commPort = 1;
    QString m_settings = QStringLiteral("9600,n,8,1");
    LineSettings m_line;
    int m_commEvent = 0;
    bool m_failed = false;
    quint64 m_written = 0;
    quint64 m_read = 0;
    QString m_openFailure;
};

// What the open device holds, read back after its line settings were
// applied. Tests put a reader of their own in its place; nullptr puts the
// device's own back.
using HeldLineReader = std::optional<HeldLine> (*)(int fd);
void setHeldLineReader(HeldLineReader reader);

} // namespace comm
