#pragma once
// The folder chooser's strings, which the program-transfer window and its
// folder chooser set and the assembler's and writer's callers read, and the
// default program file of a program number.

#include <QString>

namespace programs {

// Which side opened the chooser: "trans" or "receive".
extern QString where_clicked;
// The folder of the program files to send.
extern QString open_directory;
// The folder for received programs.
extern QString save_directory;

// The programs on the controller are numbered 0 to kLastProgram.
inline constexpr int kLastProgram = 31;

// `name` in `folder`, with one separator between them; an empty folder gives
// `name` alone.
QString joinPath(const QString& folder, const QString& name);

// "ZEVAZA" + n as "00" + ".dat" in `folder` (its case kept); an empty folder
// is the current working directory.
QString defaultPrgFile(const QString& folder, int n);

// The file of program n: the default file in `folder` for a run over all
// programs, or when the file-name box names only that folder; otherwise the
// box's text. Names keep their case on this platform, so the comparison is
// exact.
QString chosenPrgFile(const QString& folder, int n, bool all, const QString& boxText);

} // namespace programs
