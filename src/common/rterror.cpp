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

RtError RtError::fromFile(const QFileDevice& file, const QString& path, bool writing)
{
    const QFileInfo info(path);
    switch (file.error()) {
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return of(err::DiskFull);
    case QFileDevice::PermissionsError:
        return of(err::PermissionDenied);
    default:
        if (!info.absoluteDir().exists())
            return of(err::PathNotFound);
        if (!writing && !info.exists())
            return of(err::FileNotFound);
        return of(err::PermissionDenied);
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
