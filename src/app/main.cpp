#include "frmsplash.h"
#include "programend.h"

#include "common/qttranslations.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    common::loadQtTranslations();
    // Windows are hidden, never destroyed, when they unload: the program
    // ends when the start-up or the main window says so.
    app.setQuitOnLastWindowClosed(false);
    app::frmSplash::instance().Show();
    return app::runUntilEnd();
}
