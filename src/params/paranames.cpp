#include "paranames.h"

namespace params {

std::array<QString, 19> g_SysParaName;
std::array<QString, 10> g_GainParaName;
std::array<QString, 11> g_AxParaName;
std::array<QString, 18> g_SwParaName;
std::array<QString, 6> g_LmtParaName;

namespace {

constexpr const char* kSysNames[] = {
    "AXES-------= ", "SPIN-------= ", "ARCH-------= ", "UPAX-------= ", "ZRAX-------= ",
    "ZRIN-------= ", "CSPD-------= ", "JGIO-------= ", "PSGF-------= ", "ESGF-------= ",
    "LOCK-------= ", "BRKF-------= ", "BRAX-------= ", "PSIG-------= ", "ESIG-------= ",
    "ZRNO-------= ", "BRON-------= ", "BROF-------= ", "MSPD-------= ",
};
constexpr const char* kGainNames[] = {
    "Pos P GAin = ", "Pos I GAin = ", "Pos D GAin = ", "Pos F GAin = ", "Pos I Limit= ",
    "Vel P GAin = ", "Vel I GAin = ", "Vel D GAin = ", "Vel F GAin = ", "Vel I Limit= ",
};
constexpr const char* kAxNames[] = {
    "MOTOR----- = ", "LOOP------ = ", "CONT------ = ", "VOLT------ = ", "STEP------ = ", "CDIR------ = ",
    "ZDIR------ = ", "CORD------ = ", "ENDIR----- = ", "LMTCK----- = ", "INPOS----- = ",
};
constexpr const char* kSwNames[] = {
    "CR-------- = ", "LL-------- = ", "UL-------- = ", "OFF------- = ", "ERR------- = ", "VEL------- = ",
    "GEB------- = ", "GEA------- = ", "ACC------- = ", "DCC------- = ", "INP------- = ", "PUL------- = ",
    "C_VEL----- = ", "F_VEL----- = ", "Z_ACC----- = ", "P_ACC----- = ", "RATIO----- = ", "JLOCK----- = ",
};
constexpr const char* kLmtNames[] = {
    "POSITIVE-- = ", "NEGITIVE-- = ", "HOME------ = ", "SV_ERR---- = ", "SV_RESET-- = ", "SV_ON----- = ",
};

template <std::size_t N> void fill(std::array<QString, N>& table, const char* const (&names)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        table[i] = QString::fromLatin1(names[i]);
}

} // namespace

void InitParaNames()
{
    fill(g_SwParaName, kSwNames);
    fill(g_AxParaName, kAxNames);
    fill(g_LmtParaName, kLmtNames);
    fill(g_GainParaName, kGainNames);
    fill(g_SysParaName, kSysNames);
}

} // namespace params
