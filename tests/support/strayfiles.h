#pragma once
// Files an operator may choose by mistake, each made for a test: a FIFO made
// with mkfifo, /dev/zero, a 2 GB sparse file made with truncate, a good file
// saved as UTF-16 (an editor's "Unicode" save), a folder; with the error a
// reader refuses each one with.

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

namespace testsupport {

enum class Stray { Fifo, DevZero, Sparse, Utf16, Folder };

// Adds the columns "stray" (a Stray) and "number" (the error a reader gives)
// and one row per kind of file, each name prefixed with `prefix`.
void addStrayRows(const char* prefix = "");

class StrayFiles {
public:
    // `goodText`: a file the reader takes as it is; its UTF-16 copy is the
    // stray one.
    explicit StrayFiles(const QByteArray& goodText = "P000 = 1.00 2.00 3.00 4.00\r\n");
    // A reader left waiting in the FIFO's open is let go (after 3 s), so that
    // a test fails on its time instead of hanging.
    ~StrayFiles();
    StrayFiles(const StrayFiles&) = delete;
    StrayFiles& operator=(const StrayFiles&) = delete;

    bool ready() const { return m_ready; }
    QString path(Stray kind) const;

private:
    QTemporaryDir m_dir;
    bool m_ready = false;
    std::atomic<bool> m_done{false};
    std::thread m_fifoGuard;
};

} // namespace testsupport

Q_DECLARE_METATYPE(testsupport::Stray)
