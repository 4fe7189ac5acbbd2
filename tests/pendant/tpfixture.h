#pragma once
// The pendant window as the operator meets it: freshly loaded, shown and
// active, with the mode keys pressed as the mouse presses them.

#include "link/moddef.h"
#include "pendant/frmtp.h"

#include <QtTest>

namespace tptest {

inline pendant::frmTP& tp()
{
    return pendant::frmTP::instance();
}

// Unloads and opens the window again, as closing it and choosing "Teaching
// Pendant" would.
[[nodiscard]] inline bool openFresh()
{
    comm::g_AxisCount = 4;
    tp().Unload();
    tp().Show();
    if (!QTest::qWaitForWindowExposed(&tp()))
        return false;
    // The headless platform keeps its focus window across the hide and so
    // never tells the widgets that the window is active again.
    QApplication::setActiveWindow(&tp());
    return tp().isActiveWindow();
}

enum ModeKeyIndex { PrgKey = 0, LocKey = 1, SftKey = 2 };

inline void clickModeKey(int index, Qt::MouseButton b = Qt::LeftButton)
{
    QTest::mouseClick(tp().button[std::size_t(index)], b);
}

// The PRG key is never shown, so it cannot be clicked: select it directly.
inline void selectPrg()
{
    tp().button[PrgKey]->setChecked(true);
}

inline void pressKeys(const QList<int>& keys)
{
    for (int k : keys)
        QTest::mouseClick(tp().cm[std::size_t(k)], Qt::LeftButton);
}

} // namespace tptest
