#include "colors.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace common {

QColor bgrColor(std::uint32_t bgr)
{
    if (bgr & 0x80000000u) {
        const QPalette pal = QApplication::palette();
        switch (bgr & 0xFFu) {
        case 0x0F:
            return pal.color(QPalette::Button);
        case 0x18:
            return pal.color(QPalette::ToolTipBase);
        case 0x05:
            return pal.color(QPalette::Base);
        case 0x08:
            return pal.color(QPalette::WindowText);
        default:
            return pal.color(QPalette::Window);
        }
    }
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

void setBackColor(QWidget* w, std::uint32_t bgr)
{
    w->setProperty("bgrColor", QVariant::fromValue<quint32>(bgr));
    QPalette pal = w->palette();
    const QColor c = bgrColor(bgr);
    pal.setColor(QPalette::Button, c);
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::Base, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

std::uint32_t backColor(const QWidget* w)
{
    return w->property("bgrColor").value<quint32>();
}

} // namespace common
