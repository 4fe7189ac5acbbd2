#pragma once
// Conditions under which a save cannot complete: a really full small
// filesystem, a read-only one, and the file size limit.

#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace testsupport {

// A tmpfs of `kib` KiB mounted on a temporary folder (needs root and a
// working mount; `reason()` says why not). fill() takes every free byte.
class SmallDisk {
public:
    explicit SmallDisk(int kib);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool ready() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString path(const QString& name) const;
    QString folder() const { return m_dir.path(); }
    bool fill();
    // Makes the mounted filesystem read-only (true when it is now).
    bool makeReadOnly();
    // The names in the folder: a failed save leaves no stray file.
    QStringList names() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};

// Limits the size of every file this process writes to `bytes` while it
// lives; the signal that the limit raises is ignored, so that writes fail.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ready() const { return m_set; }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_set = false;
};

} // namespace testsupport
