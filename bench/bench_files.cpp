// Every file reader on the files an operator may pick by mistake: a large
// file whose first lines are a good location file (then more point lines of
// the same kind), and a 2 GB sparse file. Per reader and file: the time, and
// the peak memory against the program's own just before the read (the peak
// is set back to the memory in use before each read). Arguments: the large
// file's size in MB (default 200), a folder for the files (default a
// temporary one).

#include "params/parafile.h"
#include "params/paraset.h"
#include "pendant/tpfiles.h"
#include "points/pointfile.h"
#include "points/pointtables.h"
#include "programs/assembler.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr qint64 kMiB = 1024 * 1024;
constexpr qint64 kSparseBytes = qint64(2) << 30;

// A figure of /proc/self/status ("VmRSS", the memory in use; "VmHWM", its
// peak), in MB.
double statusMb(const QByteArray& key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Sets the peak back to the memory in use; false where the system does not let it.
bool resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

bool writeLargeFile(const QString& path, qint64 bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray good;
    for (int p = 0; p < 1000; ++p)
        good += points::pointLine(points::Table::Loc, p, {{125 * p, -300, 0, 5}}).toLatin1() + "\r\n";
    QByteArray more;
    while (more.size() < kMiB)
        more += "P000 = 12.50 -3.00 0.00 0.05\r\n";
    if (f.write(good) != good.size())
        return false;
    while (f.size() < bytes)
        if (f.write(more) != more.size())
            return false;
    return f.flush();
}

bool makeSparseFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.resize(kSparseBytes);
}

struct Reader {
    const char* name;
    std::function<QString(const QString& path)> read; // what the reader says
};

QString told(const std::optional<QString>& failure, const QString& path)
{
    return failure ? QString(*failure).replace(path, QStringLiteral("<file>")) : QStringLiteral("read");
}

template <typename T> QString told(const pendant::Opened<T>& opened, const QString& path)
{
    const QString* failure = std::get_if<QString>(&opened);
    return told(failure ? std::optional<QString>(*failure) : std::nullopt, path);
}

const Reader kReaders[] = {
    {"parameters (system)",
     [](const QString& path) {
         const params::ReadOutcome r = params::loadParaSet(params::kSysSet, path);
         return r == params::ReadOutcome::Read ? QStringLiteral("read") : QStringLiteral("defaults");
     }},
    {"location file", [](const QString& path) { return told(points::readPointFile(points::Table::Loc, path), path); }},
    {"pendant LOC Open",
     [](const QString& path) { return told(pendant::openPointFile(path, pendant::kLocFile), path); }},
    {"pendant PRG Open", [](const QString& path) { return told(pendant::openProgramFile(path), path); }},
    {"program send (assembler)",
     [](const QString& path) {
         QString message;
         const bool ok = programs::AsmPrgFile(0, path, 4, [&message](const QString& m) { message = m; });
         return ok ? QStringLiteral("assembled") : told(message, path);
     }},
};

// Runs the reader: its time, its peak memory, what it said.
void measure(const Reader& reader, const QString& path, const char* fileName)
{
    const bool reset = resetPeak();
    const double ownMb = statusMb("VmRSS");
    QElapsedTimer t;
    t.start();
    const QString said = reader.read(path);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    const double peakMb = statusMb("VmHWM");
    std::printf("%-26s %-7s %9.2f ms  own %6.1f MB, peak %6.1f MB (%+6.1f MB%s)  %s\n", reader.name, fileName, ms,
                ownMb, peakMb, peakMb - ownMb, reset ? "" : ", peak of the whole run", qPrintable(said));
}

} // namespace

int main(int argc, char** argv)
{
    const qint64 largeMb = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    const QString large = QDir(folder).filePath(QStringLiteral("bench-large.dat"));
    const QString sparse = QDir(folder).filePath(QStringLiteral("bench-sparse.dat"));
    if (!writeLargeFile(large, largeMb * kMiB) || !makeSparseFile(sparse)) {
        std::fprintf(stderr, "bench_files: cannot write the files in %s\n", qPrintable(folder));
        return 1;
    }
    std::printf("Readers on a %lld MB file whose first 1000 lines are a good location file, and on a 2 GB sparse "
                "file\n",
                static_cast<long long>(largeMb));
    const QByteArray largeName = QByteArray::number(largeMb) + " MB";
    for (const Reader& r : kReaders) {
        measure(r, large, largeName.constData());
        measure(r, sparse, "2 GB");
    }
    QFile::remove(large);
    QFile::remove(sparse);
    return 0;
}
