#pragma once
// The pendant's program panel as data: the command line, the line buffer, the
// command-entry strings, the soft-key captions and the keypad. The ENT check,
// the command-word menus, the soft keys, the digit editors and the line
// editing keys all work on one PanelState; the pendant window holds it and
// mirrors it into its widgets, so none of them needs a widget.

#include <QString>

#include <array>

namespace pendant::compose {

struct PanelState {
    QString Text;          // the command line being composed
    QString TextCOPY;      // the line buffer: whole lines, each ended by CR LF
    QString STATE_COMMAND; // the chosen word, "MA_1"-like after a step, "IF_2"; empty after a commit
    QString STATE_PARA = QStringLiteral("OFF"); // "ON" while digit keys go to the digit editors, else "OFF"
    QString TEMP_COMMAND;                       // the accepted leading part of the line, base of the next operand
    std::array<QString, 6> P;                   // captions of the soft keys P(0)..P(5); an empty one does nothing
    std::array<bool, 12> cm{true, true, true, true, true, true,
                            true, true, true, true, true, true}; // Enabled of the keypad keys cm(0)..cm(11)
    QString m_HexDigits; // the hexadecimal digits the last letter soft key built

    friend bool operator==(const PanelState&, const PanelState&) = default;
};

// Every writer of the keypad sets all twelve keys at once, in index order.
inline void setKeypadEnabled(PanelState& s, bool enabled)
{
    s.cm.fill(enabled);
}

} // namespace pendant::compose
