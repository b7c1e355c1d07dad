// The progress dialog, the transfer controller and the COM Setup dialog, on the offscreen
// platform, with the virtual radio on a pseudo-terminal where a real port is needed. Which
// button a stored choice selects is the core's (link_core_test); here what the window shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "base/HelpLauncher.h"
#include "link/ComSetupDlg.h"
#include "link/LinkTestSupport.h"
#include "link/ProcessDlg.h"
#include "link/TransferController.h"
#include "settings/UserStore.h"

namespace velmora {
namespace {

// The Read command's window with its controller and a virtual radio: it opens fresh (a caption
// set while it is open waits for the next opening), Cancel before OK closes it, OK starts one
// read, which runs while the window stays live and fills the count, and the window closes at
// the end. Esc during a transfer cancels it, and the window waits for its end.
TEST(ProcessDlg, OkReadsOnceWhileTheWindowStaysLiveAndCancelWaitsForTheEnd) {
    const MemoryImage memory = test::Pattern(7);
    auto radio = test::StartPtyRadio(memory);
    ASSERT_TRUE(radio);
    TransferController controller;
    CProcessDlg dlg;
    dlg.Attach(&controller);
    int starts = 0;
    QObject::connect(&dlg, &CProcessDlg::transferRequested, [&] {
        ++starts;
        controller.Start(TransferDirection::Read, radio->DevicePath(), NewImage());
    });
    QSignalSpy cancelled(&dlg, &CProcessDlg::cancelRequested);
    QSignalSpy finished(&controller, &TransferController::finished);
    dlg.SetCaption("Read Data");
    dlg.OpenWindow();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.ProgressBar()->maximum(), 305);
    EXPECT_EQ(dlg.CountText()->text(), "0");
    dlg.SetCaption("Next");
    dlg.OpenWindow();
    EXPECT_EQ(dlg.windowTitle(), "Read Data");
    dlg.CancelButton()->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.Cancelled());
    dlg.OpenWindow();
    EXPECT_EQ(dlg.windowTitle(), "Next");
    EXPECT_FALSE(dlg.Cancelled());

    // The longest gap between the ticks of a 10 ms timer is the longest stall of the window.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    clock.start();
    ticker.start(10);
    dlg.OkButton()->click();
    dlg.OkButton()->click();
    EXPECT_EQ(starts, 1);
    EXPECT_FALSE(dlg.OkButton()->isEnabled());
    ASSERT_TRUE(finished.wait(30000));
    ticker.stop();
    EXPECT_EQ(finished.at(0).at(0).value<TransferResult>().outcome, TransferOutcome::Completed);
    EXPECT_TRUE(finished.at(0).at(1).value<MemoryImage>() == memory);
    EXPECT_EQ(dlg.ProgressBar()->maximum(), 512);
    EXPECT_EQ(dlg.CountText()->text(), "512");
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_LT(longest, 50) << "the window stalled";

    dlg.OpenWindow();
    dlg.OkButton()->click();
    dlg.reject(); // Esc or the close box
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(cancelled.count(), 1);
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(finished.at(1).at(0).value<TransferResult>().outcome, TransferOutcome::Cancelled);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_FALSE(controller.IsRunning());
}

TEST(ProcessDlg, ComesUpOverTheMainWindowAndItsButtonsStayWhereTheyAre) {
    QWidget window;
    window.setGeometry(300, 200, 600, 400);
    auto* view = new QWidget(&window); // the channel view, deep inside the main window
    view->setGeometry(250, 150, 100, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CProcessDlg dlg(view);
    dlg.OpenWindow();
    EXPECT_LE((dlg.frameGeometry().center() - window.frameGeometry().center()).manhattanLength(),
              4);
    const QPoint cancelAt = dlg.CancelButton()->pos();
    dlg.SetProgress(512, 512);
    QApplication::processEvents();
    EXPECT_EQ(dlg.CancelButton()->pos(), cancelAt) << "a wider count moves nothing";
    dlg.reject();
}

// The Communication Error question is asked on the window's thread and Retry is honoured (a
// second question comes); the window closing while the second waits (CancelAndWait) ends the
// question and the transfer at once.
TEST(TransferController, PromptsAreAskedOnTheWindowThreadAndClosingEndsAWaitingOne) {
    auto radio = test::StartPtyRadio(NewImage(), {RadioFault::NoConfirmation});
    ASSERT_TRUE(radio);
    auto controller = std::make_unique<TransferController>();
    std::vector<std::string> asked;
    controller->SetPromptHandlers(
        [&](const std::string& text) {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            asked.push_back(text);
            if (asked.size() == 1) {
                return PromptAnswer::Retry;
            }
            controller.reset(); // never answered: the window closes while it waits
            return PromptAnswer::Retry;
        },
        {});
    ASSERT_TRUE(controller->Start(TransferDirection::Write, radio->DevicePath(), NewImage()));
    EXPECT_FALSE(controller->Start(TransferDirection::Write, radio->DevicePath(), NewImage()));
    QElapsedTimer clock;
    clock.start();
    while (controller && clock.elapsed() < 10000) {
        QTest::qWait(5);
    }
    EXPECT_EQ(asked, std::vector<std::string>(2, std::string(txt::MsgCommunicationError.en)));
    EXPECT_FALSE(controller);
    EXPECT_LT(clock.elapsed(), 5000);
    QTest::qWait(50);
}

// The buttons show their devices and those that cannot be opened are disabled; OK stores the
// button number and gives its device (a disabled button the store selects can still be
// confirmed; none selected stores 0 and names a port no device answers to); Cancel changes
// nothing; F1 asks for the dialog's help topic.
TEST(ComSetup, ShowsTheDevicesAndOkStoresTheChoice) {
    MemoryUserStore store;
    const PortDevices devices{"/dev/ttyUSB0", "/dev/ttyS0", "", "/dev/ttyS1"};
    const CComSetupDlg::CanOpen canOpen = [](const std::string& device) {
        return device != "/dev/ttyS0"; // held by another program
    };
    struct Recorder : HelpLauncher {
        std::vector<int> ids;
        bool ShowHelp(int id) override {
            ids.push_back(id);
            return true;
        }
    } help;
    CComSetupDlg dlg(store, devices, canOpen, &help);
    EXPECT_EQ(dlg.windowTitle(), "COM Setup");
    const char* labels[] = {"/dev/ttyUSB0", "/dev/ttyS0", "(no device)", "/dev/ttyS1"};
    const bool enabled[] = {true, false, false, true};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dlg.Button(i)->text(), QString("COM%1").arg(i + 1));
        EXPECT_EQ(dlg.DeviceLabel(i)->text(), labels[i]);
        EXPECT_EQ(dlg.Button(i)->isEnabled(), enabled[i]) << i;
    }
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_F1);
    EXPECT_EQ(help.ids, std::vector<int>{32777});
    CComSetupDlg chinese(store, devices, canOpen, nullptr, nullptr, 3, Language::Chinese);
    EXPECT_EQ(chinese.DeviceLabel(2)->text(), "(无设备)");
    EXPECT_EQ(chinese.Selection(), 3) << "the program's choice, not the stored one";

    const struct {
        int stored;
        int click; // -1: none
        bool ok;
        int selected;
        const char* port;
        int storedAfter;
    } cases[] = {
        {1, 3, true, 3, "/dev/ttyS1", 4},
        {4, 0, false, 0, "", 4},
        {2, -1, true, 1, "/dev/ttyS0", 2},
        {9, -1, true, -1, "com0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        store.WriteInt("com", c.stored);
        CComSetupDlg dlg(store, devices, canOpen);
        if (c.click >= 0) {
            dlg.Button(c.click)->click();
        }
        EXPECT_EQ(dlg.Selection(), c.selected);
        c.ok ? dlg.accept() : dlg.reject();
        EXPECT_EQ(dlg.PortName(), c.port);
        EXPECT_EQ(store.ReadInt("com"), c.storedAfter);
    }
}

} // namespace
} // namespace velmora
