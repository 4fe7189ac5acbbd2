#include "frmsplash.h"

#include "frmmain.h"

#include "common/colors.h"
#include "common/events.h"
#include "common/msgbox.h"
#include "link/moddef.h"

#include <QGridLayout>
#include <QKeyEvent>

#ifndef ZEL_VERSION_MAJOR
#define ZEL_VERSION_MAJOR 0
#define ZEL_VERSION_MINOR 0
#define ZEL_VERSION_PATCH 0
#endif

namespace app {

void endProgram()
{
    common::endEventLoops(0);
}

frmSplash& frmSplash::instance()
{
    static frmSplash* w = new frmSplash;
    return *w;
}

frmSplash::frmSplash()
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    // Frameless, but a task bar still names the program.
    setWindowTitle(common::kAppTitle);
    auto* grid = new QGridLayout(this);
    auto* title = new QLabel(QStringLiteral("ZEL Communication Program"), this);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    grid->addWidget(title, 0, 0, 1, 3);
    lblVersion = new QLabel(QStringLiteral("Ver"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignCenter);
    grid->addWidget(lblVersion, 1, 0, 1, 3);

    static const char* const captions[] = {"ZEL-K2", "ZEL-K3", "ZEL-K4", "OK", "Cancel"};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(captions[i]), this);
        b->setObjectName(QStringLiteral("cmdSelZel_%1").arg(i));
        b->setMinimumHeight(i < 3 ? 48 : 28);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdSelZel_Click(i); });
        cmdSelZel[std::size_t(i)] = b;
        if (i < 3) {
            common::setBackColor(b, common::color::InfoBackground);
            grid->addWidget(b, 2, i);
        } else {
            grid->addWidget(b, 3, i == 3 ? 0 : 2);
        }
    }
    resize(420, 220);
}

void frmSplash::Form_Load()
{
    centreOnScreen();
    lblVersion->setText(
        QStringLiteral("Ver %1.%2.%3").arg(ZEL_VERSION_MAJOR).arg(ZEL_VERSION_MINOR).arg(ZEL_VERSION_PATCH));
}

// However the window goes (Cancel, a typed key, the window system's close),
// the program ends with it, unless OK has opened the main window first.
void frmSplash::Form_Unload(bool& cancel)
{
    (void)cancel;
    QList<Form*> others = loadedForms();
    others.removeAll(this);
    if (others.isEmpty())
        endProgram();
}

void frmSplash::cmdSelZel_Click(int Index)
{
    for (int i = 0; i < 3; ++i)
        common::setBackColor(cmdSelZel[std::size_t(i)], common::color::InfoBackground);
    switch (Index) {
    case 3:
        if (comm::g_AxisCount == 0)
            return;
        // The main window is shown first, so the program never runs without a window.
        frmMain::instance().Show();
        Unload();
        return;
    case 4:
        Unload();
        endProgram();
        return;
    default:
        if (Index < 0 || Index > 2)
            return;
        comm::g_AxisCount = std::int16_t(Index + 2);
        common::setBackColor(cmdSelZel[std::size_t(Index)], common::color::LightYellow);
    }
}

void frmSplash::Form_KeyPress()
{
    Unload();
    endProgram();
}

// The window sees typed characters before its buttons do.
bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->text().isEmpty() && isLoaded()) {
        Form_KeyPress();
        return true;
    }
    return Form::eventFilter(watched, event);
}

void frmSplash::keyPressEvent(QKeyEvent* e)
{
    if (!e->text().isEmpty() && isLoaded()) {
        Form_KeyPress();
        return;
    }
    Form::keyPressEvent(e);
}

} // namespace app
