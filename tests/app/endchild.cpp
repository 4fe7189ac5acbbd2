// The program started exactly as the operator starts it (its settings file
// named by XDG_CONFIG_HOME), then driven by commands on standard input:
//   "open"     the model ZEL-K4, OK, "Comm Port" → "Open(COM1)"; prints
//              "open" once connected
//   "status"   the status read, an exchange that waits for the controller
//   "chooser"  "Teaching Pendant" → "Trans" → "FILE" → the send side's
//              "File Open"; prints "chooser" once the folder chooser is up
//   "quit"     the program's own quit
//   "exit"     exit(3) from inside the loop
// Every message box is printed as "box <text>" and answered OK, so that the
// test sees any box that opens on the way out.

#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/programend.h"
#include "common/msgbox.h"
#include "link/serialportcontrol.h"
#include "pendant/frmtp.h"
#include "programs/frmdir.h"
#include "programs/frmfile.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {
void say(const QByteArray& line)
{
    std::fputs((line + '\n').constData(), stdout);
    std::fflush(stdout);
}

// Says `line` as soon as `up` holds, looking every 10 ms.
void sayWhen(const std::function<bool()>& up, const QByteArray& line)
{
    auto* look = new QTimer(qApp);
    QObject::connect(look, &QTimer::timeout, [look, up, line] {
        if (!up())
            return;
        look->deleteLater();
        say(line);
    });
    look->start(10);
}

void obey(const QByteArray& command)
{
    app::frmMain& main = app::frmMain::instance();
    if (command == "open") {
        app::frmSplash& splash = app::frmSplash::instance();
        splash.cmdSelZel_Click(2);
        splash.cmdSelZel_Click(3);
        main.mnuCommPortOpen1->trigger();
        if (comm::SerialPortControl::MSComm1().PortOpen())
            say("open");
    } else if (command == "status") {
        main.cmdStatus->click();
    } else if (command == "chooser") {
        main.mnuTP->trigger();
        pendant::frmTP::instance().mnuFileTrans->trigger();
        sayWhen([] { return programs::frmdir::instance().isVisible(); }, "chooser");
        programs::frmFile::instance().cmdFileTransOpen->click();
    } else if (command == "quit") {
        app::endProgram();
    } else if (command == "exit") {
        std::exit(3);
    }
}
} // namespace

int main(int argc, char** argv)
{
    return app::runProgram(argc, argv, [] {
        common::setMessageHandler([](const common::MessageRequest& box) {
            say("box " + box.text.toUtf8());
            return common::MsgAnswer::Ok;
        });
        auto* commands = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
        QObject::connect(commands, &QSocketNotifier::activated, [commands] {
            char line[64] = {};
            const ssize_t n = ::read(STDIN_FILENO, line, sizeof line - 1);
            if (n <= 0) {
                commands->setEnabled(false);
                return;
            }
            for (const QByteArray& command : QByteArray(line, int(n)).split('\n'))
                if (!command.trimmed().isEmpty())
                    obey(command.trimmed());
        });
    });
}
