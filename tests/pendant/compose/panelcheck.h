#pragma once
// Program-panel states for table rows, written as the operator sees them
// (line, entry strings, soft-key captions, keypad), and a comparison that
// names the part that differs.

#include "pendant/compose/panelstate.h"

#include <QtTest>

Q_DECLARE_METATYPE(pendant::compose::PanelState)

namespace panelcheck {

// A line the buffer already holds, so that a writer is seen to keep it.
inline const QString kEarlier = QStringLiteral("MVE P001\r\n");

// A state built step by step: Panel().line("MA R00").command("MA").keys({...}).
struct Panel {
    pendant::compose::PanelState s;

    Panel() { s.TextCOPY = kEarlier; }
    Panel& line(const QString& t)
    {
        s.Text = t;
        return *this;
    }
    Panel& command(const QString& c)
    {
        s.STATE_COMMAND = c;
        return *this;
    }
    Panel& temp(const QString& t)
    {
        s.TEMP_COMMAND = t;
        return *this;
    }
    Panel& para(const QString& p)
    {
        s.STATE_PARA = p;
        return *this;
    }
    Panel& keypad(bool on)
    {
        pendant::compose::setKeypadEnabled(s, on);
        return *this;
    }
    // All six captions: the ones given, the rest empty.
    Panel& keys(const QStringList& captions)
    {
        s.P.fill(QString());
        for (qsizetype i = 0; i < captions.size() && i < 6; ++i)
            s.P[std::size_t(i)] = captions[i];
        return *this;
    }
    Panel& hex(const QString& digits)
    {
        s.m_HexDigits = digits;
        return *this;
    }
    Panel& buffer(const QString& b)
    {
        s.TextCOPY = b;
        return *this;
    }
    // A key with a caption always leaves the keypad on and STATE_PARA "ON".
    Panel& lit() { return keypad(true).para(QStringLiteral("ON")); }
    operator pendant::compose::PanelState() const { return s; }
};

inline QString keypadText(const pendant::compose::PanelState& s)
{
    QString t;
    for (bool on : s.cm)
        t += on ? u'1' : u'0';
    return t;
}

inline QStringList captionsOf(const pendant::compose::PanelState& s)
{
    return QStringList(s.P.begin(), s.P.end());
}

// QCOMPARE each part, so a failing row says which one differs.
#define COMPARE_PANEL(actual, expected)                                                                                \
    do {                                                                                                               \
        const pendant::compose::PanelState& a_ = (actual);                                                             \
        const pendant::compose::PanelState& e_ = (expected);                                                           \
        QCOMPARE(a_.Text, e_.Text);                                                                                    \
        QCOMPARE(a_.STATE_COMMAND, e_.STATE_COMMAND);                                                                  \
        QCOMPARE(a_.STATE_PARA, e_.STATE_PARA);                                                                        \
        QCOMPARE(a_.TEMP_COMMAND, e_.TEMP_COMMAND);                                                                    \
        QCOMPARE(panelcheck::captionsOf(a_), panelcheck::captionsOf(e_));                                              \
        QCOMPARE(panelcheck::keypadText(a_), panelcheck::keypadText(e_));                                              \
        QCOMPARE(a_.TextCOPY, e_.TextCOPY);                                                                            \
        QCOMPARE(a_.m_HexDigits, e_.m_HexDigits);                                                                      \
    } while (false)

} // namespace panelcheck
