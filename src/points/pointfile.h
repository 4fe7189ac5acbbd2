#pragma once
// The location and shift files: one line per point ("P012 = 12.50 -3.00 0.00
// 0.05", "S07 = 0.00 1.25 -0.50 0.00"), four axes whatever the controller
// has, CR LF after every line, 1000 or 100 lines.

#include "pointtables.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace points {

// "P012 = " or "S07 = ".
QString pointLabel(Table t, int no);
// The whole file line of one point, without its line end.
QString pointLine(Table t, int no, const LocPoint& p);

// The four values of a file line: after the first "=" (or from the line's
// start without one), the first four tokens separated by blanks or tabs, each
// read as its leading number in units; missing tokens give 0. Nullopt when a
// value does not fit 32 bits in hundredths.
std::optional<LocPoint> parsePointLine(QStringView line);

// Write or read the whole table. On failure: the text to show, the system's
// error text followed by the file name or the line concerned; the table keeps
// every point read before the failing one. The reader reads no further than
// the table's last line; a file it cannot read, or one that is no text (a
// NUL byte in those lines, a UTF-16 start), changes nothing.
std::optional<QString> writePointFile(Table t, const QString& fileName);
std::optional<QString> readPointFile(Table t, const QString& fileName);

// The same, showing the failure in a message box.
void savePointFile(Table t, const QString& fileName);
void loadPointFile(Table t, const QString& fileName);
void SaveLocFile(const QString& fileName);
void SaveSftFile(const QString& fileName);
void LoadLocFile(const QString& fileName);
void LoadSftFile(const QString& fileName);

} // namespace points
