#include "paraset.h"

#include "paranames.h"

#include "common/colors.h"
#include "link/controlbytes.h"
#include "link/moddef.h"

#include <algorithm>
#include <cmath>

namespace params {

std::array<std::int32_t, 19> g_SysPara{};
std::array<std::array<std::int32_t, 10>, 5> g_GainPara{};
std::array<std::array<std::int32_t, 11>, 4> g_AxPara{};
std::array<std::array<double, 18>, 4> g_SwPara{};
std::array<std::array<std::int32_t, 6>, 5> g_LmtPara{};
std::int16_t g_CurAxis = 0;
bool g_GainFormReady = false;

namespace {

using Captions = const char* const[];

// ---- system ----------------------------------------------------------------

constexpr Captions kOffOn = {"OFF", "ON"};
constexpr Captions kAxes = {"2 AXES", "3 AXES", "4 AXES"};
constexpr Captions kAxisNo = {"1-Axis", "2-Axis", "3-Axis", "4-Axis"};
constexpr Captions kDigits = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr Captions kZrin = {"Z+HOME", "HOME1", "HOME2", "ZP"};
constexpr Captions kCspd = {"1", "2", "3", "4"};
constexpr Captions kLock = {"OFF", "ZR", "PSW", "ALL"};
constexpr Captions kBrax = {"1Axis", "2Axis", "3Axis", "4Axis"};

// The row labels' indices are not in field order (ARCH is sysLabel 18).
constexpr ChoiceRow kSysRows[] = {
    {"cmdAxes", "AXES", "sysLabel_0", 0, kAxes, false},    {"cmdSpin", "SPIN", "sysLabel_1", 1, kOffOn, false},
    {"cmdArch", "ARCH", "sysLabel_18", 2, kAxisNo, false}, {"cmdUpax", "UPAX", "sysLabel_2", 3, kAxisNo, false},
    {"cmdZrAx", "ZRAX", "sysLabel_3", 4, kDigits, false},  {"cmdZrin", "ZRIN", "sysLabel_4", 5, kZrin, false},
    {"cmdCspd", "CSPD", "sysLabel_5", 6, kCspd, false},    {"cmdJgio", "JGIO", "sysLabel_6", 7, kOffOn, false},
    {"cmdPsgf", "PSGF", "sysLabel_7", 8, kOffOn, false},   {"cmdEsgf", "ESGF", "sysLabel_8", 9, kOffOn, false},
    {"cmdLock", "LOCK", "sysLabel_9", 10, kLock, false},   {"cmdBrkf", "BRKF", "sysLabel_10", 11, kOffOn, false},
    {"cmdBrax", "BRAX", "sysLabel_11", 12, kBrax, false},
};

constexpr double kSysDefaults[] = {0, 0, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10};

constexpr Step kSysOpening[] = {Step::ForceOpeningValues, Step::Centre, Step::PutRememberedName, Step::Update};
constexpr Step kSysAfterReceive[] = {Step::Unpack, Step::Init, Step::Update};

// ---- gain ------------------------------------------------------------------

constexpr double kGainDefaults[] = {100, 2, 0, 0, 3000, 0, 0, 0, 0, 0};

constexpr Step kGainOpening[] = {Step::Centre, Step::GainNotReady,     Step::PutRememberedName, Step::Load,
                                 Step::Update, Step::EnableAxisFrames, Step::GainReady};
constexpr Step kGainAfterReceive[] = {Step::Unpack, Step::Update};

// ---- axis ------------------------------------------------------------------

constexpr Captions kMotor = {"MICRO", "SERVO", "STEP"};
constexpr Captions kLoop = {"SEMI", "CLOSED", "OPEN"};
constexpr Captions kCont = {"VELOCITY", "TORQUE"};
constexpr Captions kVolt = {"BI-POLAR", "UNI-POLAR"};
constexpr Captions kStep = {"TWO", "ONE"};
constexpr Captions kPlusMinus = {"+", "-"};
constexpr Captions kCord = {"CW", "CCW"};
constexpr Captions kMinusPlus = {"-", "+"};
constexpr Captions kYesNo = {"YES", "NO"};
constexpr Captions kLowHigh = {"LOW", "HIGH"};

constexpr ChoiceRow kAxisRows[] = {
    {"cmdMotor", "MOTOR", "Label1_20", 0, kMotor, false},
    {"cmdLoop", "LOOP", "Label1_21", 1, kLoop, false},
    {"cmdCont", "CONT", "Label1_22", 2, kCont, false},
    {"cmdVolt", "VOLT", "Label1_23", 3, kVolt, false},
    {"cmdStep", "STEP", "Label1_24", 4, kStep, false},
    {"cmdCdir", "CDIR", "Label1_25", 5, kPlusMinus, false},
    {"cmdZdir", "ZDIR", "Label1_26", 6, kPlusMinus, false},
    {"cmdCord", "CORD", "Label1_27", 7, kCord, false},
    // "+" at the left in the CDIR, ZDIR and ENDIR rows alike.
    {"cmdEndir", "ENDIR", "Label1_28", 8, kMinusPlus, true},
    {"cmdLmtck", "LMTCK", "Label1_29", 9, kYesNo, false},
    {"cmdInpos", "INPOS", "Label2", 10, kLowHigh, false},
};

constexpr double kAxisDefaults[] = {0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0};

constexpr Step kAxisOpening[] = {Step::Centre, Step::AxisDefaultsWithoutName, Step::PutRememberedName,
                                 Step::Load,   Step::PaintSelector,           Step::Update};
constexpr Step kAxisAfterReceive[] = {Step::Init, Step::Unpack, Step::Update};

// ---- S/W -------------------------------------------------------------------

constexpr double kSwDefaults[] = {0,  -100000, 100000, 0,   10000, 300000, 2000, 2048, 20,
                                  20, 100,     0,      100, 20,    10,     20,   1,    0};

constexpr Step kSwOpening[] = {Step::Centre, Step::PutRememberedName, Step::PaintSelector, Step::Load, Step::Update};
constexpr Step kSwAfterReceive[] = {Step::Unpack, Step::Update};

// ---- limit -----------------------------------------------------------------

constexpr ChoiceRow kLmtRows[] = {
    {"cmdPosiLmt", "POSI", "Label1_0", 0, kLowHigh, false}, {"cmdNegiLmt", "NEGI", "Label1_1", 1, kLowHigh, false},
    {"cmdHomeLmt", "HOME", "Label1_2", 2, kLowHigh, false}, {"cmdSverr", "SVERR", "Label1_3", 3, kLowHigh, false},
    {"cmdSvrst", "SVRST", "Label1_4", 4, kLowHigh, false},  {"cmdSvOn", "SVON", "Label1_5", 5, kLowHigh, false},
};

constexpr double kLmtDefaults[] = {1, 1, 1, 1, 0, 0};

constexpr Step kLmtOpening[] = {Step::Centre, Step::PutRememberedName, Step::Load, Step::PaintSelector, Step::Update};
constexpr Step kLmtAfterReceive[] = {Step::Init, Step::Unpack, Step::Update};

constexpr std::uint32_t kGreen = 0x0000FF00;
constexpr std::uint32_t kLightGreen = 0x0080FF80;

// Values are held as whole numbers everywhere but in the S/W set; a whole
// number arrives here already checked to fit.
std::int32_t whole(double v)
{
    return static_cast<std::int32_t>(v);
}

} // namespace

constexpr ParaSet kSysSet{"frmSysPara",
                          "System Parameter",
                          "sysLabel_19",
                          "txtSysFileName",
                          "cmdDlgSys",
                          "System Para File Open",
                          "ZELSYS.dat|ZELSYS.dat|모든파일(*.*)|*.*",
                          comm::CMD_SYS_RECV,
                          comm::CMD_SYS_TRANS,
                          19,
                          17,
                          false,
                          ValueKind::Whole32,
                          ValueBytes::TwosComplement,
                          LoadFailure::Defaults,
                          DefaultsRule::AxesFromAxisCount,
                          kSysDefaults,
                          true,
                          InitPaints::EveryButton,
                          false,
                          kGreen,
                          kSysRows,
                          kSysOpening,
                          kSysAfterReceive,
                          [](int f) { return g_SysParaName[std::size_t(f)]; },
                          [](int, int f) { return double(g_SysPara[std::size_t(f)]); },
                          [](int, int f, double v) { g_SysPara[std::size_t(f)] = whole(v); }};

constexpr ParaSet kGainSet{"frmGain",
                           "Gain Parameter",
                           "GainLabel_10",
                           "txtGainParaFileName",
                           "cmdDlgGainPara",
                           "Gain File Open",
                           "ZELGAIN.dat|ZELGAIN.dat|모든파일(*.*)|*.*",
                           comm::CMD_GAIN_RECV,
                           comm::CMD_GAIN_TRANS,
                           10,
                           10,
                           true,
                           ValueKind::Whole32,
                           ValueBytes::Low24ThenZero,
                           LoadFailure::Defaults,
                           DefaultsRule::OnlyAxesBelowAxisCount,
                           kGainDefaults,
                           true,
                           InitPaints::Nothing,
                           false,
                           kGreen,
                           {},
                           kGainOpening,
                           kGainAfterReceive,
                           [](int f) { return g_GainParaName[std::size_t(f)]; },
                           [](int a, int f) { return double(g_GainPara[std::size_t(a)][std::size_t(f)]); },
                           [](int a, int f, double v) { g_GainPara[std::size_t(a)][std::size_t(f)] = whole(v); }};

constexpr ParaSet kAxisSet{"frmAxis",
                           "Axis Parameter",
                           "Label1_0",
                           "txtAxisParaFileName",
                           "cmdDlgAxisPara",
                           "Axis Para File Open",
                           "ZELAXIS.dat|ZELAXIS.dat|모든파일(*.*)|*.*",
                           comm::CMD_AXIS_RECV,
                           comm::CMD_AXIS_TRANS,
                           11,
                           11,
                           true,
                           ValueKind::Whole32,
                           ValueBytes::LowByteThenZeros,
                           LoadFailure::KeepWhatWasRead,
                           DefaultsRule::SameForEveryAxis,
                           kAxisDefaults,
                           false,
                           InitPaints::ChosenOfEditedAxis,
                           true,
                           kGreen,
                           kAxisRows,
                           kAxisOpening,
                           kAxisAfterReceive,
                           [](int f) { return g_AxParaName[std::size_t(f)]; },
                           [](int a, int f) { return double(g_AxPara[std::size_t(a)][std::size_t(f)]); },
                           [](int a, int f, double v) { g_AxPara[std::size_t(a)][std::size_t(f)] = whole(v); }};

constexpr ParaSet kSwSet{"frmSw",
                         "S/W Parameter",
                         "Label1_18",
                         "txtSwFileName",
                         "cmdDlgSwPara",
                         "SW File Open",
                         "ZELSW.dat|ZELSW.dat|모든파일(*.*)|*.*",
                         comm::CMD_SW_RECV,
                         comm::CMD_SW_TRANS,
                         18,
                         18,
                         true,
                         ValueKind::Real,
                         ValueBytes::RoundedTwosComplement,
                         LoadFailure::Defaults,
                         DefaultsRule::SameForEveryAxis,
                         kSwDefaults,
                         true,
                         InitPaints::Nothing,
                         true,
                         kGreen,
                         {},
                         kSwOpening,
                         kSwAfterReceive,
                         [](int f) { return g_SwParaName[std::size_t(f)]; },
                         [](int a, int f) { return g_SwPara[std::size_t(a)][std::size_t(f)]; },
                         [](int a, int f, double v) { g_SwPara[std::size_t(a)][std::size_t(f)] = v; }};

constexpr ParaSet kLmtSet{"frmLmt",
                          "Limit Parameter",
                          "Label1_6",
                          "txtLmtParaFileName",
                          "cmdDlgLmtPara",
                          "Limit File Open",
                          "ZELLMT.dat|ZELLMT.dat|모든파일(*.*)|*.*",
                          comm::CMD_LMT_RECV,
                          comm::CMD_LMT_TRANS,
                          6,
                          6,
                          true,
                          ValueKind::Whole32,
                          ValueBytes::LowByteThenZeros,
                          LoadFailure::Defaults,
                          DefaultsRule::SameForEveryAxis,
                          kLmtDefaults,
                          true,
                          InitPaints::ChosenOfEditedAxis,
                          true,
                          kLightGreen,
                          kLmtRows,
                          kLmtOpening,
                          kLmtAfterReceive,
                          [](int f) { return g_LmtParaName[std::size_t(f)]; },
                          [](int a, int f) { return double(g_LmtPara[std::size_t(a)][std::size_t(f)]); },
                          [](int a, int f, double v) { g_LmtPara[std::size_t(a)][std::size_t(f)] = whole(v); }};

int storedAxes(const ParaSet& set)
{
    return set.perAxis ? kMaxAxes : 1;
}

int blockAxes(const ParaSet& set)
{
    if (!set.perAxis)
        return 1;
    // A bad AXES never reaches the axis count, but the tables hold four axes
    // whatever happens: no loop may pass them.
    return std::clamp(int(comm::g_AxisCount), 0, kMaxAxes);
}

int blockLength(const ParaSet& set)
{
    return blockAxes(set) * set.fields * 4;
}

void applyDefaults(const ParaSet& set)
{
    for (int a = 0; a < storedAxes(set); ++a) {
        for (int f = 0; f < set.fields; ++f) {
            double v = set.defaults[std::size_t(f)];
            if (set.defaultsRule == DefaultsRule::OnlyAxesBelowAxisCount && a >= comm::g_AxisCount)
                v = 0;
            if (set.defaultsRule == DefaultsRule::AxesFromAxisCount && f == sys::AXES)
                v = comm::g_AxisCount - 2;
            set.setValue(a, f, v);
        }
    }
}

int buttonFor(const ChoiceRow& row, double value)
{
    if (value < 0 || value >= double(row.captions.size()) || value != std::floor(value))
        return -1;
    return int(value);
}

void applyAxesToAxisCount()
{
    const std::int32_t axes = g_SysPara[sys::AXES];
    if (axesValueValid(axes))
        comm::g_AxisCount = std::int16_t(axes + 2);
}

} // namespace params
