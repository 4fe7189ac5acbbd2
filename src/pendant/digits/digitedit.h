#pragma once
// The pendant's two digit editors. A digit key shifts its character into the
// last operand field of the program panel's command line, calculator-style:
// the oldest character drops out on the left and the field keeps its width.
// The editors check no ranges; the ENT check judges the finished line.

#include <QString>
#include <QStringView>

namespace pendant::digits {

struct DigitEdit {
    QString line;        // the command line after the key
    QString tempCommand; // TEMP_COMMAND after the key
    // A row matched: the line is to be written back, also when it came out
    // unchanged. False when no row matched; line and tempCommand are then
    // the values given.
    bool written = false;
};

// The command digit editor (motion, program-flow, I/O and definition
// commands). `key` is the keypad index 0..11; any other index does nothing.
DigitEdit editCmdDigit(QStringView line, QStringView tempCommand, int key);

// The parameter digit editor (parameter and arithmetic commands and SET).
DigitEdit editParaDigit(QStringView line, QStringView tempCommand, int key);

// The table index of the row that decides the line, or -1 when no row does.
int cmdDigitRowFor(QStringView line);
int paraDigitRowFor(QStringView line);

// Entry points for the keypad: apply the editor to the pendant's command line
// and TEMP_COMMAND. Text is assigned whenever a row matched.
void EnterCmdDigit(QString& Text, QString& TEMP_COMMAND, int Index);
void EnterParaDigit(QString& Text, QString& TEMP_COMMAND, int Index);

} // namespace pendant::digits
