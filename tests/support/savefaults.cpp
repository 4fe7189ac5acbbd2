#include "savefaults.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

namespace testsupport {

SmallDisk::SmallDisk(int kib)
{
    if (!m_dir.isValid()) {
        m_reason = QStringLiteral("no temporary folder");
        return;
    }
    if (::geteuid() != 0) {
        m_reason = QStringLiteral("mounting a small filesystem needs root");
        return;
    }
    const QByteArray where = QFile::encodeName(m_dir.path());
    const QByteArray options = "size=" + QByteArray::number(kib) + "k";
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) != 0) {
        m_reason = QStringLiteral("mount of a tmpfs failed: ") + QString::fromLocal8Bit(::strerror(errno));
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString SmallDisk::path(const QString& name) const
{
    return m_dir.filePath(name);
}

bool SmallDisk::fill()
{
    QFile filler(path(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(512, 'f');
    while (filler.write(block) == block.size()) {
    }
    // Single bytes down to the last one.
    while (filler.write("f", 1) == 1) {
    }
    return true;
}

bool SmallDisk::makeReadOnly()
{
    const QByteArray where = QFile::encodeName(m_dir.path());
    return ::mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

QStringList SmallDisk::names() const
{
    QStringList all = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    all.removeAll(QStringLiteral("filler"));
    return all;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    if (::getrlimit(RLIMIT_FSIZE, &m_saved) != 0)
        return;
    rlimit small = m_saved;
    small.rlim_cur = bytes;
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    m_set = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (m_set)
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_oldHandler);
}

} // namespace testsupport
