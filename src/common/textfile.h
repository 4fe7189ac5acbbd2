#pragma once
// Text files as the system writes them: explicit CR LF through QSaveFile, so
// that a failed save leaves the old file as it was (textread.h reads them).

#include "rterror.h"

#include <QByteArray>
#include <QList>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <optional>

namespace common {

// A save that replaces its file only when every byte reached the disk: the
// data goes to a new file beside the old one, which is flushed and synced and
// only then takes the old one's place; the folder is synced after that, so
// that a power cut cannot undo a save that was told as done. A failure up to
// the replacement leaves the old file byte for byte as it was; a failed sync
// of the folder is reported with the new file in place. Every later call
// reports the first error.
class SafeSave {
public:
    explicit SafeSave(const QString& path);
    ~SafeSave();
    SafeSave(const SafeSave&) = delete;
    SafeSave& operator=(const SafeSave&) = delete;

    std::optional<RtError> open();
    std::optional<RtError> write(const QByteArray& bytes);
    std::optional<RtError> commit();

private:
    RtError fail(int code);
    std::optional<RtError> syncFolder();

    QString m_path;
    QSaveFile m_file;
    std::optional<RtError> m_failed;
};

// The call that flushes a file or a folder to its device (fsync). Tests put
// a failing one in its place; nullptr puts fsync back.
using SyncCall = int (*)(int fd);
void setSyncCall(SyncCall call);

// Writes every line followed by CR LF; the file is replaced only when all of
// it was written. Returns the error on failure.
std::optional<RtError> writeTextLines(const QString& path, const QList<QByteArray>& lines);

// The same for lines held as text: one byte per character (Latin-1), so that
// any byte read from a file is written back unchanged.
std::optional<RtError> writeTextLines(const QString& path, const QStringList& lines);

} // namespace common
