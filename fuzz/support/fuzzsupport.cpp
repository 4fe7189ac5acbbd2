#include "fuzzsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

void fail(const char* what, const char* file, int line, const QString& detail)
{
    std::fprintf(stderr, "\n*** property broken at %s:%d: %s\n", file, line, what);
    if (!detail.isEmpty())
        std::fprintf(stderr, "*** %s\n", detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

void note(const QString& text)
{
    static const bool tracing = qEnvironmentVariableIsSet("ZEL_FUZZ_TRACE");
    if (tracing)
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

void initApp()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    // Lives for the whole run, as the program's own application does.
    new QApplication(argc, argv);
}

QString runDir()
{
    static QTemporaryDir dir;
    return dir.path();
}

QString writeRunFile(const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(runDir()).filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        fail("the run's file could be written", __FILE__, __LINE__, path);
    return path;
}

QByteArray readRunFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace fuzz
