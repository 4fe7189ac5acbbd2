#pragma once
// The parameter files: one line per field, the field's 13-character label
// and its value (system) or the values of axes 0 to 3, each printed as
// "-" or a blank, the digits, a blank; lines end in CR LF. The reader takes
// lines by position and never compares the labels.

#include "paraset.h"

#include "common/rterror.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace params {

// A number as the files print it: " 2 ", "-100000 ", " 1234.5 ", " .5 ".
QString printParaNumber(double v);

// The lines of the set's file from the values held now.
QStringList paraFileLines(const ParaSet& set);

// The one token of a system record: up to 21 characters after the first
// "=", blanks and tabs dropped.
QString systemToken(QStringView record);
// The four tokens of a per-axis record; the fourth takes whatever follows.
std::array<QString, 4> axisTokens(QStringView record);

// A token as a value of the kind, or nullopt when it is empty, no number or
// (whole numbers) outside 32 bits. Whole numbers round half to even.
std::optional<double> tokenValue(const QString& token, ValueKind kind);

enum class ReadOutcome {
    Read,
    AlreadyOpen, // file number 1 was held: it is closed, nothing read
    Failed,      // no file (or none to read), no text, too few records, or a bad token
};

// Reads `lines` records of `columns` values each (a record is a line, or the
// piece of a line before a comma), handing every value to `store` as soon
// as it is converted (so a failure keeps what came before). The file is read
// no further than its last field record; one that is no text (a NUL byte in
// those records, a UTF-16 start) stores nothing.
using StoreValue = std::function<void(int line, int column, double v)>;
ReadOutcome readParaFile(const QString& path, int lines, int columns, ValueKind kind, const StoreValue& store);

// The set's loader: reads the file into the set, then on failure takes the
// set's defaults or keeps what was read; a held file number only closes it.
ReadOutcome loadParaSet(const ParaSet& set, const QString& path);

// The set's saver; the error of a failed save (the old file stays intact).
std::optional<common::RtError> saveParaSet(const ParaSet& set, const QString& path);

} // namespace params
