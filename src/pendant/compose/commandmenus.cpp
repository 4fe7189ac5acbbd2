#include "commandmenus.h"

#include "entercmdline.h"

#include "common/strings.h"

namespace pendant::compose {

const CommandWord* findCommandWord(QStringView word)
{
    for (const CommandWord& row : kCommandWords) {
        if (word == common::toQString(row.word))
            return &row;
    }
    return nullptr;
}

void chooseCommandWord(PanelState& s, QStringView word, int axisCount)
{
    ClearSoftKeys(s);
    setKeypadEnabled(s, false);
    s.STATE_COMMAND = word.toString();
    s.Text = word.toString();
    const CommandWord* row = findCommandWord(word);
    if (row) {
        switch (row->outcome) {
        case WordOutcome::Captions:
            for (std::size_t i = 0; i < s.P.size(); ++i)
                s.P[i] = common::toQString(row->captions[i]);
            break;
        case WordOutcome::AxisKeys:
            for (int k = 1; k <= axisCount && k <= int(s.P.size()); ++k)
                s.P[std::size_t(k - 1)] = QString::number(k) + QStringLiteral("AX");
            break;
        case WordOutcome::DirectEntry:
            // The template is in the line: the digit keys fill it in at once.
            s.Text = common::toQString(row->line);
            s.STATE_PARA = QStringLiteral("ON");
            setKeypadEnabled(s, true);
            return;
        case WordOutcome::WordAlone:
            setKeypadEnabled(s, true);
            break;
        }
    }
    s.STATE_PARA = QStringLiteral("OFF");
}

} // namespace pendant::compose
