#pragma once
// What every fuzz target shares: a property check that stops the run with
// the input saved, the headless application, and files in a folder of the
// run.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Reports the broken property and aborts, so that libFuzzer keeps the input.
[[noreturn]] void fail(const char* what, const char* file, int line, const QString& detail = QString());

#define FUZZ_CHECK(cond)                                                                                               \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            ::fuzz::fail(#cond, __FILE__, __LINE__);                                                                   \
    } while (0)
#define FUZZ_CHECK_MSG(cond, detail)                                                                                   \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            ::fuzz::fail(#cond, __FILE__, __LINE__, (detail));                                                         \
    } while (0)

// With ZEL_FUZZ_TRACE set, tells what an input did (for a reproduction run).
void note(const QString& text);

// The headless application every target runs in (created once).
void initApp();

// A folder that lives as long as the run.
QString runDir();
// Writes `bytes` to `name` in the run's folder and returns its path.
QString writeRunFile(const QString& name, const QByteArray& bytes);
QByteArray readRunFile(const QString& path);

// The input as bytes, and the input after its first `skip` bytes.
inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size, std::size_t skip = 0)
{
    if (skip >= size)
        return {};
    return QByteArray(reinterpret_cast<const char*>(data + skip), qsizetype(size - skip));
}

} // namespace fuzz
