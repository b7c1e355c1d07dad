// Renders the main window for the documentation: a channel list imported through File >
// Import Channels..., with the File menu open over it. Run by scripts/screenshot-exchange.
//   velmora-exchange-shot --ini Program.ini --csv LIST.csv --out OUT.png FILE.dat
#include "app/ProgramApp.h"
#include "channels/ProgramView.h"
#include "frame/FileChooser.h"
#include "frame/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include <cstdio>
#include <memory>

namespace {

class FixedChooser : public velmora::FileChooser {
public:
    explicit FixedChooser(QString path) : m_path(std::move(path)) {}
    QString OpenPath(QWidget*, const QString&) override { return m_path; }
    QString SavePath(QWidget*, const QString&, const QString&) override { return {}; }

private:
    QString m_path;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QString ini;
    QString csv;
    QString out;
    QString dat;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--ini") && i + 1 < args.size()) {
            ini = args[++i];
        } else if (args[i] == QLatin1String("--csv") && i + 1 < args.size()) {
            csv = args[++i];
        } else if (args[i] == QLatin1String("--out") && i + 1 < args.size()) {
            out = args[++i];
        } else {
            dat = args[i];
        }
    }
    if (csv.isEmpty() || out.isEmpty()) {
        std::fprintf(stderr, "usage: velmora-exchange-shot [--ini PATH] --csv LIST.csv --out "
                             "OUT.png [FILE.dat]\n");
        return 2;
    }
    velmora::StartupOptions options;
    options.iniPath = ini;
    options.documentPath = dat;
    velmora::CProgramApp app;
    if (!app.InitInstance(options)) {
        return 1;
    }
    velmora::CMainFrame* frame = app.MainFrame();
    frame->showNormal();
    frame->resize(1280, 720);
    frame->SetFileChooser(std::make_unique<FixedChooser>(csv));
    QApplication::processEvents();
    frame->Action(velmora::ID_FILE_IMPORT_CHANNELS)->trigger();
    if (velmora::CProgramView* view = frame->ActiveView()) {
        view->SelectRows(11, 14); // the imported channels 10 to 13, as picked for Copy
    }
    QApplication::processEvents();

    // A popup menu is a window of its own: it is painted into the frame's picture where it
    // would stand, under its title in the menu bar, with the import command highlighted.
    QMenuBar* bar = frame->menuBar();
    QAction* fileTitle = bar->actions().value(0);
    QMenu* file = fileTitle != nullptr ? fileTitle->menu() : nullptr;
    QPixmap shot = frame->grab();
    if (file != nullptr) {
        file->setActiveAction(frame->Action(velmora::ID_FILE_IMPORT_CHANNELS));
        file->ensurePolished();
        file->adjustSize();
        const QPoint at = bar->mapTo(frame, bar->actionGeometry(fileTitle).bottomLeft());
        QPainter painter(&shot);
        painter.drawPixmap(at, file->grab());
    }
    return shot.save(out) ? 0 : 1;
}
