#include "strayfiles.h"

#include "testfiles.h"

#include "common/rterror.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

namespace {
constexpr qint64 kSparseBytes = qint64(2) << 30;
}

void addStrayRows(const char* prefix)
{
    QTest::addColumn<Stray>("stray");
    QTest::addColumn<int>("number");
    const int badMode = common::err::BadFileMode;
    QTest::addRow("%sa FIFO", prefix) << Stray::Fifo << badMode;
    QTest::addRow("%s/dev/zero", prefix) << Stray::DevZero << badMode;
    QTest::addRow("%sa 2 GB sparse file", prefix) << Stray::Sparse << badMode;
    QTest::addRow("%sa UTF-16 file", prefix) << Stray::Utf16 << badMode;
    QTest::addRow("%sa folder", prefix) << Stray::Folder << common::err::PathFileAccess;
}

StrayFiles::StrayFiles(const QByteArray& goodText)
{
    const QByteArray fifo = QFile::encodeName(path(Stray::Fifo));
    const QByteArray sparse = QFile::encodeName(path(Stray::Sparse));
    QByteArray utf16("\xFF\xFE");
    for (const char c : goodText)
        utf16 += QByteArray(1, c) + '\0';
    writeFile(path(Stray::Sparse), {});
    writeFile(path(Stray::Utf16), utf16);
    m_ready = m_dir.isValid() && ::mkfifo(fifo.constData(), 0600) == 0 &&
              ::truncate(sparse.constData(), kSparseBytes) == 0 && QDir(m_dir.path()).mkdir(QStringLiteral("folder"));
    m_fifoGuard = std::thread([this, fifo] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!m_done && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        // A writer that comes and goes ends the wait of a blocked open.
        while (!m_done) {
            const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
}

StrayFiles::~StrayFiles()
{
    m_done = true;
    m_fifoGuard.join();
}

QString StrayFiles::path(Stray kind) const
{
    switch (kind) {
    case Stray::Fifo:
        return m_dir.filePath(QStringLiteral("fifo.dat"));
    case Stray::DevZero:
        return QStringLiteral("/dev/zero");
    case Stray::Sparse:
        return m_dir.filePath(QStringLiteral("sparse.dat"));
    case Stray::Utf16:
        return m_dir.filePath(QStringLiteral("utf16.dat"));
    case Stray::Folder:
        return m_dir.filePath(QStringLiteral("folder"));
    }
    return {};
}

} // namespace testsupport
