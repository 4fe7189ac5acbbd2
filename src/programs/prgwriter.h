#pragma once
// The program-file writer: the listing of g_PrgImage as the program file of a
// received program.

#include "tell.h"

#include "common/rterror.h"

#include <QString>

namespace programs {

// Writes the lines of g_PrgImage (each ended by CR LF, up to the "[EOF]"
// line) to `path`, holding file number 2. True when the file was written. On
// failure `tell` gets the writerErrorText of the error; false.
// (programfiles.h: SavePrgText, which chooses the file and shows the box.)
bool writePrgFile(const QString& path, const Tell& tell);

// The text of the writer's error box.
QString writerErrorText(const common::RtError& e);

} // namespace programs
