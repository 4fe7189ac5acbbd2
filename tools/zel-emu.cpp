// Plays the controller on a pseudo-terminal until killed. The first line of
// standard output is the device to open as the serial port.
//   zel-emu [--axes N] [--empty]
// --axes: 2, 3 or 4 axes (default 4); --empty: zeros everywhere instead of
// the default parameters, program 0 and the first few points.

#include "emulator/controlleremulator.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int axes = 4;
    emu::Contents contents = emu::Contents::Sample;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--axes") && i + 1 < args.size()) {
            bool ok = false;
            axes = args[++i].toInt(&ok);
            if (!ok || axes < 2 || axes > 4) {
                std::fprintf(stderr, "zel-emu: --axes takes 2, 3 or 4\n");
                return 2;
            }
        } else if (args[i] == QLatin1String("--empty")) {
            contents = emu::Contents::Empty;
        } else {
            std::fprintf(stderr, "usage: zel-emu [--axes N] [--empty]\n");
            return 2;
        }
    }
    emu::ControllerEmulator controller(axes, contents);
    if (!controller.start()) {
        std::fprintf(stderr, "zel-emu: no pseudo-terminal\n");
        return 1;
    }
    std::printf("%s\n", qPrintable(controller.slavePath()));
    std::fflush(stdout);
    return app.exec();
}
