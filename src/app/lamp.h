#pragma once
// A lamp of the console: an image control that takes the picture of one of
// the template images. The pictures are drawn here; the name of the template
// whose picture is shown is kept so that tests can read the lamp's state.

#include <QPixmap>
#include <QWidget>

namespace app {

class Lamp : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(const QString& objectName, QWidget* parent = nullptr);

    // Shows the picture of the template image `templateName` ("imgOn",
    // "imgOff", "imgrun", "imgstop", "Imgservo", "imgerr").
    void setPicture(const QString& templateName);
    QString picture() const { return m_picture; }

    static QPixmap pictureOf(const QString& templateName);

protected:
    // The picture in its own colours, also while the window is disabled: a
    // lamp greyed out would read as off while another window holds the main
    // one.
    void paintEvent(QPaintEvent* e) override;

private:
    QString m_picture;
    QPixmap m_pixmap;
};

} // namespace app
