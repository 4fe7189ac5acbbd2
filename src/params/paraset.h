#pragma once
// The five parameter sets as data: what each holds, how it is filed and
// sent, its defaults and what its window does when it opens and after a good
// receive. The pattern that runs them is written once (parafile, parablock,
// frmpara); the windows add only what truly differs.

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace params {

inline constexpr int kMaxAxes = 4;

// The value tables. Axis 0 is the controller's axis 1; a per-axis set always
// holds four axes, whatever the axis count.
extern std::array<std::int32_t, 19> g_SysPara;
extern std::array<std::array<std::int32_t, 10>, 5> g_GainPara; // slot 4 is never used
extern std::array<std::array<std::int32_t, 11>, 4> g_AxPara;
extern std::array<std::array<double, 18>, 4> g_SwPara;
extern std::array<std::array<std::int32_t, 6>, 5> g_LmtPara; // slot 4 is never used

// The axis shown and edited in the axis, S/W and limit windows: one value for
// the three, changed only by their axis selectors, never reset.
extern std::int16_t g_CurAxis;
// False while the gain window opens: its boxes then only show the held values.
extern bool g_GainFormReady;

enum class ValueKind { Whole32, Real };

// The four bytes one value travels as, low byte first.
enum class ValueBytes {
    TwosComplement,        // system
    Low24ThenZero,         // gain
    LowByteThenZeros,      // axis, limit
    RoundedTwosComplement, // S/W: rounded half to even first
};

enum class LoadFailure { Defaults, KeepWhatWasRead };

enum class DefaultsRule {
    SameForEveryAxis,
    OnlyAxesBelowAxisCount, // gain: the other axes get 0
    AxesFromAxisCount,      // system: AXES = axis count - 2
};

// What the Init... method paints neutral before the values are shown again.
enum class InitPaints { Nothing, EveryButton, ChosenOfEditedAxis };

// The steps of a window's opening and of its refresh after a good receive.
enum class Step {
    ForceOpeningValues, // system: AXES = axis count - 2, ARCH = UPAX = ZRAX = CSPD = 1
    Centre,
    GainNotReady,            // the gain boxes only show the held values
    AxisDefaultsWithoutName, // axis: InitAxParaDefault when no file name is remembered
    PutRememberedName,       // a non-empty name loads through the box's change handler
    Load,
    PaintSelector, // the selector of g_CurAxis yellow
    Init,
    Unpack,
    Update,
    EnableAxisFrames, // gain: only the frames of the controller's axes
    GainReady,
};

struct ChoiceRow {
    const char* name;      // control array, "cmdArch"
    const char* label;     // row label, "ARCH"
    const char* labelName; // the label's objectName
    int field;
    std::span<const char* const> captions; // by button index
    bool highestFirst = false;             // the last button stands at the left (ENDIR)
};

struct ParaSet {
    const char* window;
    const char* caption;
    const char* fileLabel; // objectName of the "File Name" label
    const char* fileBox;
    const char* dialog;
    const char* dialogTitle;
    const char* filter;
    std::int16_t recvCode;
    std::int16_t transCode;
    int fields;    // values per axis (system: of the whole set)
    int fileLines; // lines of the file (system: fields 0 to 16 only)
    bool perAxis;
    ValueKind kind;
    ValueBytes bytes;
    LoadFailure loadFailure;
    DefaultsRule defaultsRule;
    std::span<const double> defaults; // by field
    bool disableWhileRunning;         // the pressed transfer button
    InitPaints init;
    bool axisSelector;
    std::uint32_t transColor;
    std::span<const ChoiceRow> rows;
    std::span<const Step> opening;
    std::span<const Step> afterReceive;
    QString (*label)(int field);
    double (*value)(int axis, int field);
    void (*setValue)(int axis, int field, double v);
};

extern const ParaSet kSysSet;
extern const ParaSet kGainSet;
extern const ParaSet kAxisSet;
extern const ParaSet kSwSet;
extern const ParaSet kLmtSet;

// Axes the set holds (4, or 1 for the system set) and axes a block carries
// (the axis count, never more than four).
int storedAxes(const ParaSet& set);
int blockAxes(const ParaSet& set);
// Bytes of the set's block for the current axis count.
int blockLength(const ParaSet& set);

void applyDefaults(const ParaSet& set);

// The button a value chooses, or -1 when the row has none for it.
int buttonFor(const ChoiceRow& row, double value);

// AXES is valid when it names a model: 0, 1 or 2 (2, 3 or 4 axes).
inline bool axesValueValid(std::int32_t axes)
{
    return axes >= 0 && axes <= 2;
}
// The axis count follows AXES when AXES is valid.
void applyAxesToAxisCount();

// System fields by name.
namespace sys {
inline constexpr int AXES = 0, ARCH = 2, UPAX = 3, ZRAX = 4, CSPD = 6, PSIG = 13, BRON = 16, BROF = 17, MSPD = 18;
}

} // namespace params
