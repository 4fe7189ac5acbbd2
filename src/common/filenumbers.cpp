#include "filenumbers.h"

#include <array>

namespace common {

namespace {
std::array<bool, 3> heldNumbers{};
bool valid(int n)
{
    return n >= 1 && n < int(heldNumbers.size());
}
} // namespace

FileNumber::FileNumber(int number) : m_number(number), m_claimed(false)
{
    if (valid(number) && !heldNumbers[number]) {
        heldNumbers[number] = true;
        m_claimed = true;
    }
}

FileNumber::~FileNumber()
{
    if (m_claimed)
        heldNumbers[m_number] = false;
}

bool FileNumber::inUse(int number)
{
    return valid(number) && heldNumbers[number];
}

void FileNumber::close(int number)
{
    if (valid(number))
        heldNumbers[number] = false;
}

} // namespace common
