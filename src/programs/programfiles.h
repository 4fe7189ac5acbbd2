#pragma once
// The assembler and the program-file writer as the operator meets them: each
// message they tell is a message box, shown before the work goes on.

#include "assembler.h"
#include "prgwriter.h"

#include <QIODevice>
#include <QString>

#include <cstdint>

namespace programs {

// AsmPrgFile, each message a box (common::MsgBox, OK, the application's title).
bool AsmPrgFile(std::int16_t n, const QString& path, int axisCount);
bool AsmPrgFile(std::int16_t n, QIODevice& in, const QString& path, int axisCount);

// Writes g_PrgImage to the file of program n: the default file in
// save_directory when `all` or when the receive file-name box names only that
// folder, else the box's file. True when the file was written. On failure one
// box, title "Error", with the error's number, source and description; false.
bool SavePrgText(std::int16_t n, bool all, const QString& receiveBoxText);

} // namespace programs
