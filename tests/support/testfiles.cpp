#include "testfiles.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace testsupport {

QString hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString hex(const std::uint8_t* bytes, int count)
{
    return hex(QByteArray(reinterpret_cast<const char*>(bytes), count));
}

QByteArray bytes(QByteArrayView hexText)
{
    return QByteArray::fromHex(hexText.toByteArray());
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

qint64 FailingDevice::readData(char* data, qint64 maxSize)
{
    const qint64 n = std::min(maxSize, std::min(m_failAfter, qint64(m_bytes.size())) - m_given);
    if (n <= 0)
        return -1;
    std::memcpy(data, m_bytes.constData() + m_given, std::size_t(n));
    m_given += n;
    return n;
}

} // namespace testsupport
