#pragma once
// The run-time error of a failed operation: what the operator is shown as
// "the system's error text" (its description), and for the program-file
// writer also its number and source.

#include <QString>

#include <variant>

namespace common {

namespace err {
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIo = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int TooManyFiles = 67;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int DialogCancelled = 32755;
inline constexpr int InvalidPortNumber = 8002;
inline constexpr int PortAlreadyOpen = 8005;
inline constexpr int PortNotOpen = 8018;
inline constexpr int CommStateFailed = 8015;
} // namespace err

struct RtError {
    int number = 0;
    QString source;
    QString description;

    // The standard description of a known number, with the program's source.
    static RtError of(int number);
    static RtError of(int number, const QString& description);

    // The error of a failed look at, or open for reading of, `path` from the
    // system's error code of the failing call.
    static RtError fromReadErrno(int code, const QString& path);

    // The error of a failed save of `path` from the system's error code of
    // the failing call (0 when there was none to be had): a full disk only
    // when the disk or the file size limit really ran out.
    static RtError fromSaveErrno(int code, const QString& path);

    // "The system's error text".
    QString text() const { return description; }

    bool isCancel() const { return number == err::DialogCancelled; }
};

inline bool operator==(const RtError& a, const RtError& b)
{
    return a.number == b.number;
}

// A value, or the error that stood in its way.
template <typename T> using Expected = std::variant<T, RtError>;

template <typename T> bool ok(const Expected<T>& e)
{
    return e.index() == 0;
}
template <typename T> const T& value(const Expected<T>& e)
{
    return std::get<0>(e);
}
template <typename T> const RtError& error(const Expected<T>& e)
{
    return std::get<1>(e);
}

} // namespace common
