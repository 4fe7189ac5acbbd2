#include "lamp.h"

#include <QHash>
#include <QPainter>

namespace app {

namespace {
QColor lampColour(const QString& name)
{
    static const QHash<QString, QColor> colours = {
        {QStringLiteral("imgOn"), QColor(0, 200, 0)},      {QStringLiteral("imgOff"), QColor(90, 90, 90)},
        {QStringLiteral("imgrun"), QColor(0, 220, 0)},     {QStringLiteral("imgstop"), QColor(220, 0, 0)},
        {QStringLiteral("Imgservo"), QColor(0, 160, 255)}, {QStringLiteral("imgerr"), QColor(255, 40, 40)},
    };
    return colours.value(name, QColor(90, 90, 90));
}
} // namespace

Lamp::Lamp(const QString& objectName, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    setFixedSize(24, 24);
    setPicture(QStringLiteral("imgOff"));
}

QPixmap Lamp::pictureOf(const QString& templateName)
{
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = lampColour(templateName);
    QRadialGradient g(8, 8, 12);
    g.setColorAt(0, c.lighter(160));
    g.setColorAt(1, c.darker(130));
    p.setBrush(g);
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(1, 1, 20, 20);
    return pm;
}

void Lamp::setPicture(const QString& templateName)
{
    m_picture = templateName;
    m_pixmap = pictureOf(templateName);
    update();
}

void Lamp::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r(QPoint(), m_pixmap.size());
    p.drawPixmap(r.translated(rect().center() - r.center()), m_pixmap);
}

} // namespace app
