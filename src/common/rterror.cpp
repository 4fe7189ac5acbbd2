#include "rterror.h"

#include "texts.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace common {

namespace {
// The source of every error is the program itself, named by its title.

QString describe(int number)
{
    switch (number) {
    case err::Overflow:
        return QStringLiteral("Overflow");
    case err::OutOfMemory:
        return QStringLiteral("Out of memory");
    case err::FileNotFound:
        return QStringLiteral("File not found");
    case err::BadFileMode:
        return QStringLiteral("Bad file mode");
    case err::FileAlreadyOpen:
        return QStringLiteral("File already open");
    case err::DeviceIo:
        return QStringLiteral("Device I/O error");
    case err::DiskFull:
        return QStringLiteral("Disk full");
    case err::InputPastEndOfFile:
        return QStringLiteral("Input past end of file");
    case err::TooManyFiles:
        return QStringLiteral("Too many files");
    case err::PermissionDenied:
        return QStringLiteral("Permission denied");
    case err::PathFileAccess:
        return QStringLiteral("Path/File access error");
    case err::PathNotFound:
        return QStringLiteral("Path not found");
    case err::InvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case err::DialogCancelled:
        return QStringLiteral("Cancel was selected.");
    case err::InvalidPortNumber:
        return QStringLiteral("Invalid port number");
    case err::PortAlreadyOpen:
        return QStringLiteral("Port already open");
    case err::PortNotOpen:
        return QStringLiteral("Operation valid only when the port is open");
    case err::CommStateFailed:
        return QStringLiteral("Could not set comm state, there may be one or more invalid communications parameters");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}
} // namespace

RtError RtError::of(int number)
{
    return RtError{number, texts::kAppTitle, describe(number)};
}

RtError RtError::of(int number, const QString& description)
{
    return RtError{number, texts::kAppTitle, description};
}

RtError RtError::fromReadErrno(int code, const QString& path)
{
    switch (code) {
    case EACCES:
    case EPERM:
        return of(err::PermissionDenied);
    case ENOENT:
    case ELOOP: // a link that leads nowhere names no file
        return of(QFileInfo(path).absoluteDir().exists() ? err::FileNotFound : err::PathNotFound);
    case ENOTDIR:
        return of(err::PathNotFound);
    case EISDIR:
    case ENAMETOOLONG:
        return of(err::PathFileAccess);
    case ENXIO: // a socket, or a device without its driver: no file to read
    case ENODEV:
        return of(err::BadFileMode);
    case EMFILE:
    case ENFILE:
        return of(err::TooManyFiles);
    case ENOMEM:
        return of(err::OutOfMemory);
    default:
        return of(err::DeviceIo);
    }
}

RtError RtError::fromSaveErrno(int code, const QString& path)
{
    // A folder in place of the file, whatever the call said about it.
    const QFileInfo info(path);
    if (info.isDir())
        return of(err::PathFileAccess);
    switch (code) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return of(err::DiskFull);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return of(err::PermissionDenied);
    case EISDIR:
        return of(err::PathFileAccess);
    case EIO:
        return of(err::DeviceIo);
    default:
        break;
    }
    // No code, or one of the name: judge by what stands at the name.
    if (!info.absoluteDir().exists())
        return of(err::PathNotFound);
    if (info.exists() && !info.isWritable())
        return of(err::PermissionDenied);
    if (code == ENOENT || code == ENOTDIR)
        return of(err::PathNotFound);
    if (code == ENAMETOOLONG || code == EINVAL)
        return of(err::PathFileAccess);
    return of(err::PermissionDenied);
}

} // namespace common
