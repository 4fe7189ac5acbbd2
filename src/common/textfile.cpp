#include "textfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace common {

namespace {

SyncCall g_syncCall = ::fsync;

// True unless the sync failed; a file or folder that cannot be synced at all
// (EINVAL, ENOTSUP) counts as synced, as there is nothing more to be had.
bool synced(int fd)
{
    errno = 0;
    return g_syncCall(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
}

} // namespace

void setSyncCall(SyncCall call)
{
    g_syncCall = call != nullptr ? call : ::fsync;
}

SafeSave::SafeSave(const QString& path) : m_path(path), m_file(path) {}

SafeSave::~SafeSave()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

RtError SafeSave::fail(int code)
{
    m_failed = RtError::fromSaveErrno(code, m_path);
    if (m_file.isOpen())
        m_file.cancelWriting();
    return *m_failed;
}

std::optional<RtError> SafeSave::open()
{
    // No direct-write fallback: where the folder cannot take the new file the
    // save is refused, as writing over the old one could leave it half done.
    errno = 0;
    if (!m_file.open(QIODevice::WriteOnly))
        return fail(errno);
    return std::nullopt;
}

std::optional<RtError> SafeSave::write(const QByteArray& bytes)
{
    if (m_failed)
        return m_failed;
    errno = 0;
    if (m_file.write(bytes) != bytes.size()) {
        // A short write without a code is the disk (or the file size limit)
        // running out.
        const int code = errno;
        return fail(code != 0 ? code : ENOSPC);
    }
    return std::nullopt;
}

std::optional<RtError> SafeSave::commit()
{
    if (m_failed)
        return m_failed;
    // commit() does not report a failure of its own last flush, nor of the
    // sync; both are done and checked here first.
    errno = 0;
    if (!m_file.flush()) {
        const int code = errno;
        return fail(code != 0 ? code : ENOSPC);
    }
    if (!synced(m_file.handle()))
        return fail(errno);
    errno = 0;
    if (!m_file.commit()) {
        const int code = errno;
        m_failed = RtError::fromSaveErrno(code, m_path);
        return m_failed;
    }
    return syncFolder();
}

std::optional<RtError> SafeSave::syncFolder()
{
    // The rename took place in the folder of the file a link points to.
    const QString real = QFileInfo(m_path).canonicalFilePath();
    const QString folder = QFileInfo(real.isEmpty() ? m_path : real).absolutePath();
    // A folder that we may write into but not open is left unsynced: the
    // data itself is on the disk, and the save did what it could.
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    const bool done = synced(fd);
    const int code = errno;
    ::close(fd);
    if (done)
        return std::nullopt;
    // The new file is in place, but the device did not confirm that it stays
    // there: the operator must know, as after any failed write.
    m_failed = RtError::of(code == ENOSPC || code == EDQUOT ? err::DiskFull : err::DeviceIo);
    return m_failed;
}

std::optional<RtError> writeTextLines(const QString& path, const QList<QByteArray>& lines)
{
    QByteArray all;
    for (const QByteArray& line : lines) {
        all += line;
        all += "\r\n";
    }
    SafeSave f(path);
    if (auto e = f.open())
        return e;
    if (auto e = f.write(all))
        return e;
    return f.commit();
}

std::optional<RtError> writeTextLines(const QString& path, const QStringList& lines)
{
    QList<QByteArray> bytes;
    bytes.reserve(lines.size());
    for (const QString& l : lines)
        bytes.append(l.toLatin1());
    return writeTextLines(path, bytes);
}

} // namespace common
