#pragma once
// The pendant's own reader and writer of point and program files. They move
// text between files and grid cells and never convert a value: a cell keeps
// the text the file held, and a file gets the text the cell holds.

#include "common/textfile.h"
#include "points/pointtables.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <array>
#include <variant>

namespace pendant {

// One of the pendant's three file kinds with its dialog texts.
struct TpFileKind {
    char label;      // 'P' or 'S' before the point number; 0 for programs
    int lines;       // point lines in the file (0 for programs)
    int digits;      // digits of the point number
    int valueColumn; // where the values start when a line has no "="
    const char* filter;
    const char* openTitle;
    const char* saveTitle;
};

inline constexpr TpFileKind kPrgFile{.label = 0,
                                     .lines = 0,
                                     .digits = 0,
                                     .valueColumn = 0,
                                     .filter = "ZEVAZA*.dat|ZEVAZA*.dat|모든파일(*.*)|*.*",
                                     .openTitle = "Program File 열기",
                                     .saveTitle = "Program File 저장"};
inline constexpr TpFileKind kLocFile{.label = points::desc(points::Table::Loc).label,
                                     .lines = points::desc(points::Table::Loc).count,
                                     .digits = points::desc(points::Table::Loc).digits,
                                     .valueColumn = 8,
                                     .filter = "ZELLOC.DAT|ZELLOC.DAT|모든파일(*.*)|*.*",
                                     .openTitle = "LOC File 열기",
                                     .saveTitle = "LOC File 저장"};
inline constexpr TpFileKind kSftFile{.label = points::desc(points::Table::Sft).label,
                                     .lines = points::desc(points::Table::Sft).count,
                                     .digits = points::desc(points::Table::Sft).digits,
                                     .valueColumn = 7,
                                     .filter = "ZELSFT.DAT|ZELSFT.DAT|모든파일(*.*)|*.*",
                                     .openTitle = "SFT File 열기",
                                     .saveTitle = "SFT File 저장"};

// The four value texts of one point line.
using PointCells = std::array<QString, 4>;

// Splits the values of a point line as the point files' own reader does:
// they start after the line's first "=" (without one, at the kind's fixed
// column, counted from 1) and are the first four texts separated by blanks
// or tabs; missing ones are empty and anything after the fourth is ignored.
PointCells splitPointValues(QStringView line, int valueColumn);

// The value texts of the kind's point lines read from `in` (or from a
// file's bytes), or why not: 62 when the file has fewer lines than the kind
// needs, 57 when a read fails, 54 when it is no text (a NUL byte in those
// lines, a UTF-16 start). The file is taken with a line end added, so that
// after its last line end (or in an empty file) one more, empty line counts.
// A ";" ends a line's values. Nothing after the kind's lines is read.
common::Expected<QList<PointCells>> parsePointFile(QIODevice& in, const TpFileKind& kind);
common::Expected<QList<PointCells>> parsePointFile(const QByteArray& bytes, const TpFileKind& kind);

// The lines of a point file ("P012 = 12.50 -3.00 0.00 0.05"), one per entry of
// `cells`; an empty cell is written as "0.00".
QStringList pointFileLines(const QList<PointCells>& cells, const TpFileKind& kind);

// The command texts of a program file's step lines, up to the line that
// holds the first "[EOF]" (any letter case; a line that starts with it is
// not taken, unless it is the first) and at most 255: each is the 20
// characters from the line's 5th, a ";" ending it first. Without an "[EOF]"
// anywhere, one empty line. The file is read up to its "[EOF]"; 57 when a
// read fails, 54 when what is read is no text.
common::Expected<QStringList> parseProgramFile(QIODevice& in);
common::Expected<QStringList> parseProgramFile(const QByteArray& bytes);

// What Open reads from the file at `path`, or the text of the box that tells
// why not: the system's text, followed by the file's name when the file was
// refused for what it is (a folder, a FIFO, a device; no text), as the point
// windows name every file they cannot read.
template <typename T> using Opened = std::variant<T, QString>;
Opened<QList<PointCells>> openPointFile(const QString& path, const TpFileKind& kind);
Opened<QStringList> openProgramFile(const QString& path);

// Program file lines "step blank command" from the grid's rows (step
// numbers and command texts from row 1 on), up to the "[EOF]" row, at most
// 255, never past the last row.
QStringList programFileLines(const QStringList& steps, const QStringList& commands);

// Writes the lines with CR LF and one more empty line, as the pendant's
// files end.
std::optional<common::RtError> writeTpFile(const QString& path, QStringList lines);

} // namespace pendant
