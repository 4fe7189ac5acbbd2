#include "textread.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

RtError notRegular(mode_t mode)
{
    return RtError::of(S_ISDIR(mode) ? err::PathFileAccess : err::BadFileMode);
}

} // namespace

std::optional<RtError> openForReading(QFile& file, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // Looked at before the open: opening a device can wait or act on it.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return RtError::fromReadErrno(errno, path);
    if (!S_ISREG(st.st_mode))
        return notRegular(st.st_mode);
    // What stands at the name may change between the look and the open: the
    // open does not wait, and the file opened is looked at again.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return RtError::fromReadErrno(errno, path);
    const bool looked = ::fstat(fd, &st) == 0;
    if (!looked || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return looked ? notRegular(st.st_mode) : RtError::of(err::DeviceIo);
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return RtError::of(err::DeviceIo);
    }
    return std::nullopt;
}

} // namespace common
