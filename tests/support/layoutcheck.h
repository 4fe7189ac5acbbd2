#pragma once
// Checks of a window's arrangement that compare controls with each other,
// never with fixed pixels: a label beside and level with its box, a control
// inside a frame.

#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace testsupport {

// Labels of different lengths share one column; a label's text ends at most
// this far from its box.
inline constexpr int kNearby = 64;

inline QRect rectIn(const QWidget* w, const QWidget* top)
{
    return QRect(w->mapTo(top, QPoint(0, 0)), w->size());
}

inline QWidget* control(QWidget& window, const QString& name)
{
    return window.findChild<QWidget*>(name);
}

// Where a control's text stands: a label may be wider than its text.
inline QRect textRectIn(const QWidget* w, const QWidget* top)
{
    QRect r = rectIn(w, top);
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        const int text = std::min(r.width(), label->sizeHint().width());
        if (label->alignment() & Qt::AlignRight)
            r.setLeft(r.right() + 1 - text);
        else if (!(label->alignment() & Qt::AlignHCenter))
            r.setWidth(text);
    }
    return r;
}

// "" when `label` stands just left of `box`, its middle level with the box's.
inline QString besideAndLevel(QWidget& window, const QString& label, const QString& box)
{
    QWidget* l = control(window, label);
    QWidget* b = control(window, box);
    if (!l || !b)
        return QStringLiteral("missing %1 or %2").arg(label, box);
    const QRect lr = textRectIn(l, &window);
    const QRect br = rectIn(b, &window);
    if (lr.right() >= br.left() || br.left() - lr.right() > kNearby)
        return QStringLiteral("%1 (x %2..%3) is not just left of %4 (x %5)")
            .arg(label)
            .arg(lr.left())
            .arg(lr.right())
            .arg(box)
            .arg(br.left());
    if (std::abs(lr.center().y() - br.center().y()) > 1)
        return QStringLiteral("%1 (middle y %2) is not level with %3 (middle y %4)")
            .arg(label)
            .arg(lr.center().y())
            .arg(box)
            .arg(br.center().y());
    return {};
}

inline bool inside(const QWidget* w, const QWidget* frame)
{
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (p == frame)
            return true;
    return false;
}

} // namespace testsupport
