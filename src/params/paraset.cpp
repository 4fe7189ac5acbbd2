#include "paraset.h"

#include "paranames.h"

#include "common/colors.h"
#include "link/controlbytes.h"
#include "link/moddef.h"

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
    {.name = "cmdAxes", .label = "AXES", .labelName = "sysLabel_0", .field = 0, .captions = kAxes},
    {.name = "cmdSpin", .label = "SPIN", .labelName = "sysLabel_1", .field = 1, .captions = kOffOn},
    {.name = "cmdArch", .label = "ARCH", .labelName = "sysLabel_18", .field = 2, .captions = kAxisNo},
    {.name = "cmdUpax", .label = "UPAX", .labelName = "sysLabel_2", .field = 3, .captions = kAxisNo},
    {.name = "cmdZrAx", .label = "ZRAX", .labelName = "sysLabel_3", .field = 4, .captions = kDigits},
    {.name = "cmdZrin", .label = "ZRIN", .labelName = "sysLabel_4", .field = 5, .captions = kZrin},
    {.name = "cmdCspd", .label = "CSPD", .labelName = "sysLabel_5", .field = 6, .captions = kCspd},
    {.name = "cmdJgio", .label = "JGIO", .labelName = "sysLabel_6", .field = 7, .captions = kOffOn},
    {.name = "cmdPsgf", .label = "PSGF", .labelName = "sysLabel_7", .field = 8, .captions = kOffOn},
    {.name = "cmdEsgf", .label = "ESGF", .labelName = "sysLabel_8", .field = 9, .captions = kOffOn},
    {.name = "cmdLock", .label = "LOCK", .labelName = "sysLabel_9", .field = 10, .captions = kLock},
    {.name = "cmdBrkf", .label = "BRKF", .labelName = "sysLabel_10", .field = 11, .captions = kOffOn},
    {.name = "cmdBrax", .label = "BRAX", .labelName = "sysLabel_11", .field = 12, .captions = kBrax},
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
    {.name = "cmdMotor", .label = "MOTOR", .labelName = "Label1_20", .field = 0, .captions = kMotor},
    {.name = "cmdLoop", .label = "LOOP", .labelName = "Label1_21", .field = 1, .captions = kLoop},
    {.name = "cmdCont", .label = "CONT", .labelName = "Label1_22", .field = 2, .captions = kCont},
    {.name = "cmdVolt", .label = "VOLT", .labelName = "Label1_23", .field = 3, .captions = kVolt},
    {.name = "cmdStep", .label = "STEP", .labelName = "Label1_24", .field = 4, .captions = kStep},
    {.name = "cmdCdir", .label = "CDIR", .labelName = "Label1_25", .field = 5, .captions = kPlusMinus},
    {.name = "cmdZdir", .label = "ZDIR", .labelName = "Label1_26", .field = 6, .captions = kPlusMinus},
    {.name = "cmdCord", .label = "CORD", .labelName = "Label1_27", .field = 7, .captions = kCord},
    // "+" at the left in the CDIR, ZDIR and ENDIR rows alike.
    {.name = "cmdEndir",
     .label = "ENDIR",
     .labelName = "Label1_28",
     .field = 8,
     .captions = kMinusPlus,
     .highestFirst = true},
    {.name = "cmdLmtck", .label = "LMTCK", .labelName = "Label1_29", .field = 9, .captions = kYesNo},
    {.name = "cmdInpos", .label = "INPOS", .labelName = "Label2", .field = 10, .captions = kLowHigh},
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
    {.name = "cmdPosiLmt", .label = "POSI", .labelName = "Label1_0", .field = 0, .captions = kLowHigh},
    {.name = "cmdNegiLmt", .label = "NEGI", .labelName = "Label1_1", .field = 1, .captions = kLowHigh},
    {.name = "cmdHomeLmt", .label = "HOME", .labelName = "Label1_2", .field = 2, .captions = kLowHigh},
    {.name = "cmdSverr", .label = "SVERR", .labelName = "Label1_3", .field = 3, .captions = kLowHigh},
    {.name = "cmdSvrst", .label = "SVRST", .labelName = "Label1_4", .field = 4, .captions = kLowHigh},
    {.name = "cmdSvOn", .label = "SVON", .labelName = "Label1_5", .field = 5, .captions = kLowHigh},
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

constexpr ParaSet kSysSet{
    .window = "frmSysPara",
    .caption = "System Parameter",
    .fileLabel = "sysLabel_19",
    .fileBox = "txtSysFileName",
    .dialog = "cmdDlgSys",
    .dialogTitle = "System Para File Open",
    .filter = "ZELSYS.dat|ZELSYS.dat|모든파일(*.*)|*.*",
    .recvCode = comm::CMD_SYS_RECV,
    .transCode = comm::CMD_SYS_TRANS,
    .fields = 19,
    .fileLines = 17,
    .perAxis = false,
    .kind = ValueKind::Whole32,
    .bytes = ValueBytes::TwosComplement,
    .loadFailure = LoadFailure::Defaults,
    .defaultsRule = DefaultsRule::AxesFromAxisCount,
    .defaults = kSysDefaults,
    .disableWhileRunning = true,
    .init = InitPaints::EveryButton,
    .axisSelector = false,
    .transColor = kGreen,
    .rows = kSysRows,
    .opening = kSysOpening,
    .afterReceive = kSysAfterReceive,
    .label = [](int f) { return g_SysParaName[std::size_t(f)]; },
    .value = [](int, int f) { return double(g_SysPara[std::size_t(f)]); },
    .setValue = [](int, int f, double v) { g_SysPara[std::size_t(f)] = whole(v); },
};

constexpr ParaSet kGainSet{
    .window = "frmGain",
    .caption = "Gain Parameter",
    .fileLabel = "GainLabel_10",
    .fileBox = "txtGainParaFileName",
    .dialog = "cmdDlgGainPara",
    .dialogTitle = "Gain File Open",
    .filter = "ZELGAIN.dat|ZELGAIN.dat|모든파일(*.*)|*.*",
    .recvCode = comm::CMD_GAIN_RECV,
    .transCode = comm::CMD_GAIN_TRANS,
    .fields = 10,
    .fileLines = 10,
    .perAxis = true,
    .kind = ValueKind::Whole32,
    .bytes = ValueBytes::Low24ThenZero,
    .loadFailure = LoadFailure::Defaults,
    .defaultsRule = DefaultsRule::OnlyAxesBelowAxisCount,
    .defaults = kGainDefaults,
    .disableWhileRunning = true,
    .init = InitPaints::Nothing,
    .axisSelector = false,
    .transColor = kGreen,
    .rows = {},
    .opening = kGainOpening,
    .afterReceive = kGainAfterReceive,
    .label = [](int f) { return g_GainParaName[std::size_t(f)]; },
    .value = [](int a, int f) { return double(g_GainPara[std::size_t(a)][std::size_t(f)]); },
    .setValue = [](int a, int f, double v) { g_GainPara[std::size_t(a)][std::size_t(f)] = whole(v); },
};

constexpr ParaSet kAxisSet{
    .window = "frmAxis",
    .caption = "Axis Parameter",
    .fileLabel = "Label1_0",
    .fileBox = "txtAxisParaFileName",
    .dialog = "cmdDlgAxisPara",
    .dialogTitle = "Axis Para File Open",
    .filter = "ZELAXIS.dat|ZELAXIS.dat|모든파일(*.*)|*.*",
    .recvCode = comm::CMD_AXIS_RECV,
    .transCode = comm::CMD_AXIS_TRANS,
    .fields = 11,
    .fileLines = 11,
    .perAxis = true,
    .kind = ValueKind::Whole32,
    .bytes = ValueBytes::LowByteThenZeros,
    .loadFailure = LoadFailure::KeepWhatWasRead,
    .defaultsRule = DefaultsRule::SameForEveryAxis,
    .defaults = kAxisDefaults,
    .disableWhileRunning = false,
    .init = InitPaints::ChosenOfEditedAxis,
    .axisSelector = true,
    .transColor = kGreen,
    .rows = kAxisRows,
    .opening = kAxisOpening,
    .afterReceive = kAxisAfterReceive,
    .label = [](int f) { return g_AxParaName[std::size_t(f)]; },
    .value = [](int a, int f) { return double(g_AxPara[std::size_t(a)][std::size_t(f)]); },
    .setValue = [](int a, int f, double v) { g_AxPara[std::size_t(a)][std::size_t(f)] = whole(v); },
};

constexpr ParaSet kSwSet{
    .window = "frmSw",
    .caption = "S/W Parameter",
    .fileLabel = "Label1_18",
    .fileBox = "txtSwFileName",
    .dialog = "cmdDlgSwPara",
    .dialogTitle = "SW File Open",
    .filter = "ZELSW.dat|ZELSW.dat|모든파일(*.*)|*.*",
    .recvCode = comm::CMD_SW_RECV,
    .transCode = comm::CMD_SW_TRANS,
    .fields = 18,
    .fileLines = 18,
    .perAxis = true,
    .kind = ValueKind::Real,
    .bytes = ValueBytes::RoundedTwosComplement,
    .loadFailure = LoadFailure::Defaults,
    .defaultsRule = DefaultsRule::SameForEveryAxis,
    .defaults = kSwDefaults,
    .disableWhileRunning = true,
    .init = InitPaints::Nothing,
    .axisSelector = true,
    .transColor = kGreen,
    .rows = {},
    .opening = kSwOpening,
    .afterReceive = kSwAfterReceive,
    .label = [](int f) { return g_SwParaName[std::size_t(f)]; },
    .value = [](int a, int f) { return g_SwPara[std::size_t(a)][std::size_t(f)]; },
    .setValue = [](int a, int f, double v) { g_SwPara[std::size_t(a)][std::size_t(f)] = v; },
};

constexpr ParaSet kLmtSet{
    .window = "frmLmt",
    .caption = "Limit Parameter",
    .fileLabel = "Label1_6",
    .fileBox = "txtLmtParaFileName",
    .dialog = "cmdDlgLmtPara",
    .dialogTitle = "Limit File Open",
    .filter = "ZELLMT.dat|ZELLMT.dat|모든파일(*.*)|*.*",
    .recvCode = comm::CMD_LMT_RECV,
    .transCode = comm::CMD_LMT_TRANS,
    .fields = 6,
    .fileLines = 6,
    .perAxis = true,
    .kind = ValueKind::Whole32,
    .bytes = ValueBytes::LowByteThenZeros,
    .loadFailure = LoadFailure::Defaults,
    .defaultsRule = DefaultsRule::SameForEveryAxis,
    .defaults = kLmtDefaults,
    .disableWhileRunning = true,
    .init = InitPaints::ChosenOfEditedAxis,
    .axisSelector = true,
    .transColor = kLightGreen,
    .rows = kLmtRows,
    .opening = kLmtOpening,
    .afterReceive = kLmtAfterReceive,
    .label = [](int f) { return g_LmtParaName[std::size_t(f)]; },
    .value = [](int a, int f) { return double(g_LmtPara[std::size_t(a)][std::size_t(f)]); },
    .setValue = [](int a, int f, double v) { g_LmtPara[std::size_t(a)][std::size_t(f)] = whole(v); },
};

static_assert(kMaxAxes == comm::kTableAxes);

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
    return comm::axesWithinTables();
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
