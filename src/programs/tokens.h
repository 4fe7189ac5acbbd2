#pragma once
// How the assembler reads a program file: the records of the file, the
// command and operand tokens of one record, and the numbers written in an
// operand token.

#include "common/textread.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>

namespace programs {

inline constexpr int kRecordColumns = 80; // only columns 1..80 of a record are looked at
inline constexpr int kTokenLength = 10;   // a token holds at most 10 characters

// The records of a file: each line (ended by CR LF or a lone LF) cut at every
// comma, blanks and TABs in front of each record dropped (so an indented ";"
// line is still a comment). One byte per character.
QStringList splitRecords(const QByteArray& fileBytes);

// The same records read one at a time from a device, in pieces of
// kReadChunk bytes, so that a reader that stops early (at "[EOF]", at the last
// record it reads) reads no further. A record keeps its first kRecordKept
// characters, far more than any rule looks at, so that an overlong line
// costs no memory. A file that shows it is no text (a NUL byte, a UTF-16
// byte order mark) ends the records there.
inline constexpr int kRecordKept = int(common::LineReader::kKept);
class RecordReader {
public:
    static constexpr qint64 kReadChunk = common::LineReader::kReadChunk;

    explicit RecordReader(QIODevice& in) : m_lines(in, {.commas = true, .dropLeadingBlanks = true, .mark = {}}) {}
    // The next record; nullopt at the end of the file, when the device fails
    // (failed()) or at what is no text (notText()). A failed read delivers
    // nothing of the record it cut: its first characters are no record of
    // the file.
    std::optional<QString> next();
    bool failed() const { return m_lines.failed(); }
    bool notText() const { return m_lines.notText(); }

private:
    common::LineReader m_lines;
};

struct PrgTokens {
    bool comment = false;  // ";" in column 1: nothing else was looked at
    bool noLetter = false; // no letter or "[" in columns 1..80: all tokens empty
    QString cmd;
    std::array<QString, 4> op; // the fourth is read and used by no word
};

// The command token and up to four operand tokens of a record: letters
// upper-cased, a blank, TAB, CR or comma ends a token; a ";" or CR where a
// skip ends stops the operands.
PrgTokens cutRecord(QStringView record);

// The decimal number in characters 1..9 of a token: every digit is taken, a
// "-" only when allowMinus; then the leading number of what was taken
// (P(R05) gives 5, R5X7 57, -05 with allowMinus -5, 0-5 gives 0).
std::int32_t OperandNum(QStringView tok, bool allowMinus);

// The hexadecimal number in characters 1..9 of a token, up to the first "H":
// before each character from the second on the value is shifted one digit;
// 0-9 and A-F add their value, any other character nothing (-00FFH gives 255,
// 1-F gives 271). nullopt when a shift leaves the signed 32-bit range.
std::optional<std::int32_t> HexOperandVal(QStringView tok);

} // namespace programs
