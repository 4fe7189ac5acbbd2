#include "filenumbers.h"

#include <array>

namespace common {

namespace {
std::array<bool, 3> g_held{};
bool valid(int n) { return n >= 1 && n < int(g_held.size()); }
} // namespace

FileNumber::FileNumber(int number) : m_number(number), m_claimed(false)
{
    if (valid(number) && !g_held[number]) {
        g_held[number] = true;
        m_claimed = true;
    }
}

FileNumber::~FileNumber()
{
    if (m_claimed)
        g_held[m_number] = false;
}

bool FileNumber::inUse(int number) { return valid(number) && g_held[number]; }

void FileNumber::close(int number)
{
    if (valid(number))
        g_held[number] = false;
}

} // namespace common
