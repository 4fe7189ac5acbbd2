#include "softkeys.h"

#include "common/linetemplate.h"
#include "common/strings.h"

namespace pendant::compose {

namespace {

const QString& baseOf(const PanelState& s, KeyBase base)
{
    return base == KeyBase::Word ? s.STATE_COMMAND : s.TEMP_COMMAND;
}

// A letter key: the letter goes into the hexadecimal field before the line's
// first lower-case "h". A line without such a field (emptied by ESC while the
// letters stay, say) is left as it is.
void enterLetter(PanelState& s, const LetterRow& row, const QString& letter)
{
    const QString& base = baseOf(s, row.base);
    if (row.entry == LetterEntry::Replace) {
        s.m_HexDigits = letter;
        s.Text = base + u' ' + letter + u'h';
        return;
    }
    QString separator = QStringLiteral(" ");
    if (!row.forms[0].pattern.empty()) {
        const LetterForm* form = nullptr;
        for (const LetterForm& f : row.forms) {
            if (!f.pattern.empty() && common::matchesTemplate(s.Text, common::toQString(f.pattern))) {
                form = &f;
                break;
            }
        }
        if (!form)
            return;
        separator = common::toQString(form->separator);
    }
    const qsizetype h = s.Text.indexOf(u'h');
    if (h < row.digits) // no "h", or fewer characters before it than the field holds
        return;
    s.m_HexDigits = (s.Text.mid(h - row.digits, row.digits) + letter).right(row.digits);
    s.Text = base + separator + s.m_HexDigits + u'h';
}

template <std::size_t N> void setCaptions(PanelState& s, const std::array<std::string_view, N>& captions)
{
    for (std::size_t i = 0; i < N && i < s.P.size(); ++i)
        s.P[i] = common::toQString(captions[i]);
}

} // namespace

bool namesState(std::string_view states, QStringView state)
{
    std::size_t from = 0;
    while (from <= states.size()) {
        std::size_t to = states.find(' ', from);
        if (to == std::string_view::npos)
            to = states.size();
        const std::string_view name = states.substr(from, to - from);
        if (!name.empty() && state == common::toQString(name))
            return true;
        from = to + 1;
    }
    return false;
}

const SoftKeyRow* findSoftKeyRow(QStringView state)
{
    for (const SoftKeyRow& row : kSoftKeyRows) {
        if (namesState(row.states, state))
            return &row;
    }
    return nullptr;
}

const LetterRow* findLetterRow(QStringView state)
{
    for (const LetterRow& row : kLetterRows) {
        if (namesState(row.states, state))
            return &row;
    }
    return nullptr;
}

void pressSoftKey(PanelState& s, int index, int axisCount)
{
    if (index < 0 || index >= int(s.P.size()))
        return;
    const QString caption = s.P[std::size_t(index)];
    if (caption.isEmpty())
        return;
    setKeypadEnabled(s, true);
    s.STATE_PARA = QStringLiteral("ON");

    if (const LetterRow* letters = findLetterRow(s.STATE_COMMAND)) {
        if (s.P[std::size_t(letters->marker)] == QChar::fromLatin1(letters->markerLetter)) {
            enterLetter(s, *letters, caption);
            return;
        }
    }
    const SoftKeyRow* row = findSoftKeyRow(s.STATE_COMMAND);
    if (!row || index >= int(row->keys.size()))
        return;
    const SoftKeyCell& key = row->keys[std::size_t(index)];
    if (key.operand.empty() || axisCount < key.minAxes)
        return;
    s.Text = baseOf(s, row->base) + common::toQString(key.operand);
    switch (key.after) {
    case KeyAfter::Nothing:
        break;
    case KeyAfter::Letters:
        setCaptions(s, kLetterCaptions);
        break;
    case KeyAfter::Comparator:
        setCaptions(s, kRightOperandCaptions);
        s.TEMP_COMMAND = s.Text;
        s.STATE_COMMAND = QStringLiteral("IF_2");
        break;
    }
}

} // namespace pendant::compose
