#pragma once
// The program lister: one step word back into one line of a program file.

#include "prgimage.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

namespace programs {

// The line of step `step` holding `word`: "000 " and the command, or sixteen
// hyphens for the empty step and every word without a line form. Every word
// gives a line; nothing fails.
QString DisasmStep(int step, StepWord word);

// The lister's variables: the caller sets g_PrgStep and g_PrgWord, and
// DisasmStep() puts the line into g_PrgLine.
extern std::int16_t g_PrgStep;
extern StepWord g_PrgWord;
void DisasmStep();

// The lines of a program file: one per step up to and with the first "[EOF]"
// word; all 256 when there is none.
QStringList prgFileLines(std::span<const StepWord> steps);

} // namespace programs
