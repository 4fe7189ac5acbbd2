#pragma once
// The checks of the parameter windows' number boxes, run on every change of
// a box's text (typed or set by a refresh). Each box is a row of rules; one
// function decides what the text means.

#include <QString>
#include <QStringView>

namespace params {

enum class NumberTest {
    Decimal,     // the whole text must be a number
    Hexadecimal, // the whole text must be hexadecimal digits
    None,        // the text's leading number counts, letters giving 0
};

enum class OnRefused { ResetToZero, LeaveText };

struct Range {
    double lo;
    double hi; // an empty range (hi < lo) accepts nothing
};

struct BoxRule {
    NumberTest test;
    const QString* notNumberMessage; // nullptr: none
    Range accepted;
    Range alsoAccepted;
    const char* rangeMessage;
    OnRefused onRefused;
    bool rangeOnRounded; // the range applies to the number rounded half to even
    bool storeRounded;   // the value stored is rounded half to even
    double scale;        // held value = the number x scale
};

struct BoxVerdict {
    enum class Kind { Nothing, Store, NotNumber, OutOfRange };
    Kind kind = Kind::Nothing;
    double value = 0;         // Store: the value to hold
    QString message;          // NotNumber, OutOfRange
    bool resetToZero = false; // the box's text becomes "0" (which is checked again)
};

BoxVerdict checkBoxText(const BoxRule& rule, QStringView text);

// txtSys(0..5): PSIG, ESIG, ZRNO, BRON, BROF, MSPD.
extern const BoxRule kSysBoxes[6];
// txtax1Gain(0..39): every gain alike.
extern const BoxRule kGainBox;
// txtSw(k) for field k.
const BoxRule& swBoxRule(int field);

} // namespace params
