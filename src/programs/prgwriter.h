#pragma once
// The program-file writer: the listing of g_PrgImage as the program file of a
// received program.

#include "common/rterror.h"

#include <QString>

#include <cstdint>

namespace programs {

// Writes the lines of g_PrgImage (each ended by CR LF, up to the "[EOF]"
// line) to the file of program n: the default file in save_directory when
// `all` or when the receive file-name box names only that folder, else the
// box's file. True when the file was written. On failure one box, title
// "Error", with the error's number, source and description; false.
bool SavePrgText(std::int16_t n, bool all, const QString& receiveBoxText);

// The text of the writer's error box.
QString writerErrorText(const common::RtError& e);

} // namespace programs
