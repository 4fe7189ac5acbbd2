#pragma once
// The program assembler: a program file, record by record, into the step
// words of g_PrgImage and the header entries of its program number.

#include "prgimage.h"
#include "tell.h"
#include "tokens.h"

#include <QIODevice>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace programs {

// What one record gives.
struct AsmLine {
    enum class Outcome {
        Comment,    // ";" in column 1: skipped, but counted
        Word,       // `word` is stored (the end mark "[EOF]" included)
        Rejected,   // an encoder refused the operands: `message` is shown, no word, the assembly goes on
        NoSuchWord, // no command word: `message` is shown and the assembly ends
        Overflow,   // a value does not fit its field: `message` (the system's text) and the file name, then the end
    };
    Outcome outcome = Outcome::Comment;
    int cmdIndex = 73;
    StepWord word = 0;
    QString message;
    PrgTokens tokens;
};

// Assembles one record for a controller of `axisCount` axes.
AsmLine assembleLine(QStringView record, int axisCount);

// The tokens of the record in g_PrgLine; after an assembly they hold the last
// record's values.
extern QString g_TokCmd;
extern QString g_TokOp1;
extern QString g_TokOp2;
extern QString g_TokOp3;
extern QString g_TokOp4;

// Assembles the program file `path` as program n (0..31) into g_PrgImage
// (cleared once the file is open) and, when its "[EOF]" record is reached, the
// header entries of n. True exactly then. Every failure has told its message;
// lines an encoder refuses tell theirs and leave the image without them. The
// file is read holding file number 1. (programfiles.h: the same with boxes.)
bool AsmPrgFile(std::int16_t n, const QString& path, int axisCount, const Tell& tell);

// The same over a device open for reading; `path` is the name the messages
// give. A failed read ends the assembly with the system's read-error text.
bool AsmPrgFile(std::int16_t n, QIODevice& in, const QString& path, int axisCount, const Tell& tell);

} // namespace programs
