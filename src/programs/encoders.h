#pragma once
// The operand encoders: turn the tokens of one record, whose command word is
// known, into its step word, or refuse the line with the word's message.

#include "prgimage.h"
#include "tokens.h"

#include <QString>

namespace programs {

struct Encoded {
    enum class Kind {
        Word,     // `word` is the step word
        Rejected, // a check failed: `message` is the text shown; no word
        Overflow, // a value is too large for its field: the whole assembly ends
    };
    Kind kind = Kind::Word;
    StepWord word = 0;
    QString message;
};

// Encodes the record of command word `cmdIndex` (0..72). The axis count bounds
// the axis operand of SPD.
Encoded encodeStep(int cmdIndex, const PrgTokens& tokens, int axisCount);

} // namespace programs
