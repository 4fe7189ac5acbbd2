// The program as the operator starts it, with its port open on the line
// named by the first argument, ended the way the test then asks on standard
// input ("quit": the program's own quit; "exit": exit() from inside the
// loop; "status": an exchange that waits for the controller) or by a
// signal. Prints "open" once the port is open.

#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/programend.h"
#include "link/serialportcontrol.h"
#include "support/seams.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    if (argc < 2)
        return 2;
    testsupport::SettingsStore store;
    store.values[QStringLiteral("Properties/COM1")] = QString::fromLocal8Bit(argv[1]);
    testsupport::MessageRecorder boxes;

    app::frmSplash& splash = app::frmSplash::instance();
    splash.Show();
    splash.cmdSelZel_Click(2);
    splash.cmdSelZel_Click(3);
    app::frmMain& main = app::frmMain::instance();
    main.mnuCommPortOpen1->trigger();
    if (!comm::SerialPortControl::MSComm1().PortOpen()) {
        std::fprintf(stderr, "the port did not open: %s\n", qPrintable(boxes.texts().join(u'|')));
        return 2;
    }
    std::printf("open\n");
    std::fflush(stdout);

    QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&commands, &QSocketNotifier::activated, [&] {
        char line[64] = {};
        const ssize_t n = ::read(STDIN_FILENO, line, sizeof line - 1);
        const QByteArray command = QByteArray(line, n > 0 ? int(n) : 0).trimmed();
        if (command == "quit")
            app::endProgram();
        else if (command == "exit")
            std::exit(3);
        else if (command == "status")
            main.cmdStatus->click();
    });
    return app::runUntilEnd();
}
