#pragma once
// Small helpers the tests share: bytes as a line trace shows them, files
// read and written whole, and a device whose reads fail.

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <cstdint>

namespace testsupport {

// "01 0A FF": upper-case hexadecimal bytes separated by blanks.
QString hex(const QByteArray& bytes);
QString hex(const std::uint8_t* bytes, int count);
// The bytes of such a text: "01 0A FF" (blanks and case do not matter).
QByteArray bytes(QByteArrayView hexText);

// The file's bytes; "<missing>" when it cannot be read, which no expected
// content equals (not even an empty one).
QByteArray readAll(const QString& path);

// Writes `bytes` as the whole file; a test that cannot set up its file stops
// the run.
void writeFile(const QString& path, const QByteArray& bytes);

// A device that hands out its bytes until `failAfter` of them have gone,
// then fails every read, as a file on a failing disk does.
class FailingDevice : public QIODevice {
public:
    FailingDevice(const QByteArray& bytes, qint64 failAfter) : m_bytes(bytes), m_failAfter(failAfter) {}

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_failAfter;
    qint64 m_given = 0;
};

} // namespace testsupport
