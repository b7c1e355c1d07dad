// Times what a user waits for in the window program:
//   start-up       process start to the main window painted with its 200 rows
//                  (velmora --exit-when-shown, median of several runs)
//   ShowChannels   refilling the grid's 200 rows from the image
//   StoreChannels  storing the 200 rows back into the image
//   operations     each grid operation on a full grid and its undo, with the grid repainted
//                  afterwards (what the user waits for after pressing the key)
// Runs on the offscreen platform; prints one line per figure.
#include "channels/ChannelTable.h"
#include "channels/GridTable.h"
#include "document/ProgramDoc.h"
#include "document/ProgramView.h"
#include "settings/AppContext.h"

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

    // Each operation, then its undo, on the full grid; the table repaints before the clock
    // stops. The operation works on the rows it names, whatever the view has selected.
    const std::string allRows = view.Channels().Copy(GridSelection::OfRowRange(0, 199));
    const auto repainted = [&view] {
        view.Grid()->viewport()->repaint();
        QApplication::processEvents();
    };
    const auto time = [&](const char* name, const CProgramView::Operation& operation) {
        const double done = MedianMs(21, [&] {
            view.Operate(operation);
            repainted();
            view.Undo();
            repainted();
        });
        std::printf("%s and its undo, shown: %.2f ms (target < 20 ms each)\n", name, done);
    };
    const auto all = GridSelection::OfRowRange(0, 199);
    time("paste 200 rows", [&](ChannelGrid& grid, const GridSelection&) {
        return grid.Paste(allRows, GridSelection::OfRows({0}));
    });
    time("delete the first row", [&](ChannelGrid& grid, const GridSelection&) {
        return grid.DeleteRows(GridSelection::OfRows({0}));
    });
    // Insert needs channel 199 free: on a full grid it is refused.
    view.Operate([](ChannelGrid& grid, const GridSelection&) {
        return grid.Delete(GridSelection::OfRows({199}));
    });
    time("insert at the first row", [&](ChannelGrid& grid, const GridSelection&) {
        return grid.InsertRows(GridSelection::OfRows({0}));
    });
    time("sort 200 by name",
         [&](ChannelGrid& grid, const GridSelection&) { return grid.Sort(all, SortKey::Name); });
    time("fill 200 down", [&](ChannelGrid& grid, const GridSelection&) {
        std::vector<GridCell> cells;
        for (int row = 0; row < kChannelCount; ++row) {
            cells.push_back({row, Column::Power});
        }
        return grid.FillDown(GridSelection::OfCells(cells));
    });
    const double find = MedianMs(21, [&] {
        view.Find("NO SUCH CHANNEL");
        repainted();
    });
    std::printf("find with no match, shown: %.2f ms (target < 20 ms)\n", find);
    MemoryImage other = FullImage();
    other[5] ^= 0x01;
    const double compare = MedianMs(21, [&] {
        view.CompareWith(other, QStringLiteral("other.dat"));
        repainted();
    });
    std::printf("compare with a full image, marks shown: %.2f ms (target < 20 ms)\n", compare);
    return 0;
}
