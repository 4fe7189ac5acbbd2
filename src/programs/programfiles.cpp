#include "programfiles.h"

#include "folders.h"

#include "common/msgbox.h"

namespace programs {

namespace {
void showBox(const QString& text)
{
    common::MsgBox(text);
}
} // namespace

bool AsmPrgFile(std::int16_t n, const QString& path, int axisCount)
{
    return AsmPrgFile(n, path, axisCount, showBox);
}

bool AsmPrgFile(std::int16_t n, QIODevice& in, const QString& path, int axisCount)
{
    return AsmPrgFile(n, in, path, axisCount, showBox);
}

bool SavePrgText(std::int16_t n, bool all, const QString& receiveBoxText)
{
    return writePrgFile(chosenPrgFile(save_directory, n, all, receiveBoxText), [](const QString& text) {
        common::MsgBox(text, common::MsgButtons::Ok, QStringLiteral("Error"));
    });
}

} // namespace programs
