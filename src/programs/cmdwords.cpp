#include "cmdwords.h"

#include "common/strings.h"
namespace programs {

namespace {

// Every group word's opcode is its group's base plus its place in the group,
// so the controller's numbering can be read off the table and checked here.
constexpr bool opcodesFollowGroups()
{
    CmdGroup group = CmdGroup::None;
    int place = 0;
    for (const CmdWordRow& row : kCmdWords) {
        if (row.group == CmdGroup::None)
            continue;
        place = row.group == group ? place + 1 : 0;
        group = row.group;
        if (row.opcode != groupBase(group) + place)
            return false;
    }
    return kCmdWords.front().opcode == 0x00 && kCmdWords.back().opcode == 0x80;
}
static_assert(opcodesFollowGroups());
static_assert(kCmdWords[cmd::L].word == "L" && kCmdWords[cmd::F].word == "F" && kCmdWords[cmd::OF].word == "OF" &&
              kCmdWords[cmd::Eof].word == "[EOF]");

} // namespace

std::array<QString, kCmdSlots> g_CmdWord;

void InitCmdWords()
{
    for (int k = 0; k < kCmdWordCount; ++k)
        g_CmdWord[std::size_t(k)] = common::toQString(kCmdWords[std::size_t(k)].word);
    g_CmdWord[kNoCmdWord].clear();
}

int cmdIndexOf(QStringView text)
{
    // The table g_CmdWord is filled from these rows and never changes, so the
    // look-up reads the rows themselves and works before start-up has run.
    for (int k = 0; k < kCmdWordCount; ++k) {
        if (text == common::toQString(kCmdWords[std::size_t(k)].word))
            return k;
    }
    return kNoCmdWord;
}

QString operationWordOf(QStringView line)
{
    const QStringView first = line.left(3);
    for (std::string_view word : kOperationWords) {
        const QString w = common::toQString(word);
        if (first.size() == 3 && first.startsWith(w) && (w.size() == 3 || first[w.size()] == u' '))
            return w;
    }
    return {};
}

std::uint8_t opcodeOf(int cmdIndex)
{
    return cmdIndex >= 0 && cmdIndex < kCmdWordCount ? kCmdWords[std::size_t(cmdIndex)].opcode : 0;
}

} // namespace programs
