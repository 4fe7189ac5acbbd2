#pragma once
// Small helpers the tests share: bytes as a line trace shows them, and files
// read and written whole.

#include <QByteArray>
#include <QByteArrayView>
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

} // namespace testsupport
