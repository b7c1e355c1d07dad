// velmora: the window program.
#include "app/ProgramApp.h"
#include "frame/MainFrame.h"

#include <QApplication>
#include <QPixmap>
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
    if (!options.screenshotPath.isEmpty() || options.exitWhenShown) {
        // Used by the screenshot script and the start-up timing tool: leave once the first
        // paint of the window with its channels has happened.
        QTimer::singleShot(0, [&] {
            if (!options.screenshotPath.isEmpty()) {
                // A roomy window for the pictures in the documentation.
                app.MainFrame()->showNormal();
                app.MainFrame()->resize(1280, 720);
            }
            // Grabbing paints the whole window with its rows now, shown or not.
            const QPixmap shot = app.MainFrame()->grab();
            if (!options.screenshotPath.isEmpty()) {
                shot.save(options.screenshotPath);
            }
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
