// velmora: the window program.
#include "app/ProgramApp.h"
#include "frame/MainFrame.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    velmora::StartupOptions options;
    QString problem;
    if (!velmora::ParseStartupOptions(QApplication::arguments(), options, problem)) {
        std::fprintf(stderr,
                     "velmora: %s\nUsage: velmora [--ini PATH] [--demo] [FILE.dat]\n"
                     "       velmora [--ini PATH] --print FILE.dat\n",
                     problem.toLocal8Bit().constData());
        return 1;
    }
    velmora::CProgramApp app;
    if (!app.InitInstance(options)) {
        return 1;
    }
    if (options.print) {
        return app.PrintAndExit();
    }
    if (options.exitWhenShown) {
        // Used by the start-up timing tool: leave once the first paint of the window with its
        // channels has happened (grabbing paints the whole window now, shown or not).
        QTimer::singleShot(0, [&] {
            app.MainFrame()->grab();
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
