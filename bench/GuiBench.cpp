// Times what a user waits for in the window program:
//   start-up       process start to the main window painted with its 200 rows
//                  (velmora --exit-when-shown, median of several runs)
//   ShowChannels   refilling the grid's 200 rows from the image
//   StoreChannels  storing the 200 rows back into the image
// Runs on the offscreen platform; prints one line per figure.
#include "app/AppContext.h"
#include "channels/ChannelTable.h"
#include "channels/ProgramView.h"
#include "image/ProgramDoc.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace velmora;

namespace {

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

MemoryImage FullImage() {
    MemoryImage image = NewImage();
    ChannelGridTexts grid;
    const char* tones[] = {"None", "67.0", "D023N", "254.1", "D754I"};
    for (int i = 0; i < kChannelCount; ++i) {
        const std::string rx = std::to_string(400 + i % 70) + ".01250";
        grid[i] = {rx,     rx,     tones[i % 5], tones[(i + 2) % 5],
                   "High", "Lock", "Yes",        "CH" + std::to_string(i)};
    }
    EncodeAllChannels(image, grid);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/velmora");

    const double startup = MedianMs(7, [&] {
        QProcess process;
        process.start(program, {QStringLiteral("--exit-when-shown")});
        process.waitForFinished(30000);
    });
    std::printf("start-up to main window shown: %.1f ms (target < 500 ms)\n", startup);

    MemoryUserStore store;
    AppContext app;
    app.catalog.typeNames = {"VR-100"};
    app.catalog.bandLists = {"400-470MHz"};
    app.store = &store;
    auto* doc = new CProgramDoc;
    doc->m_image = FullImage();
    doc->m_bNewDocument = false;
    CProgramView view(doc, app);
    doc->setParent(&view);
    view.resize(1200, 800);
    view.show();
    view.OnInitialUpdate();
    QApplication::processEvents();

    const double show = MedianMs(51, [&] { view.ShowChannels(); });
    const double store_ = MedianMs(51, [&] { view.StoreChannels(); });
    std::printf("ShowChannels, 200 channels: %.2f ms (target < 5 ms)\n", show);
    std::printf("StoreChannels, 200 channels: %.2f ms (target < 5 ms)\n", store_);
    return 0;
}
