#pragma once
// Files as the readers open them: regular files only. A name the operator
// chose by mistake (a folder, a FIFO, a device such as /dev/zero or a
// terminal, a socket) is refused before a byte is read, and nothing waits
// in the open: a FIFO without a writer or a terminal never freezes the window.

#include "rterror.h"

#include <QFile>
#include <QString>

#include <optional>

namespace common {

// Opens `file` on `path` for reading when the path names a regular file
// (links followed). A folder gives error 75, any other kind of file 54; a
// failed look or open the system's cause (53, 76, 70, ...).
std::optional<RtError> openForReading(QFile& file, const QString& path);

} // namespace common
