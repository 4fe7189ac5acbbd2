#pragma once
// The line labels of the five parameter files: 13 characters each, "=" at
// character 12, a blank at the end. The readers never compare them.

#include <QString>

#include <array>

namespace params {

extern std::array<QString, 19> g_SysParaName;
extern std::array<QString, 10> g_GainParaName;
extern std::array<QString, 11> g_AxParaName;
extern std::array<QString, 18> g_SwParaName;
extern std::array<QString, 6> g_LmtParaName;

// Fills the five tables (once, at start-up).
void InitParaNames();

} // namespace params
