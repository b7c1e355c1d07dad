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

// Waits, with the event loop running, until the controller reports its end.
bool WaitFinished(QSignalSpy& finished) {
    return finished.count() > 0 || finished.wait(30000);
}

TEST(ProcessDlg, OpensFreshOkStartsOnceAndCancelWaitsForTheTransfersEnd) {
    CProcessDlg dlg;
    QSignalSpy started(&dlg, &CProcessDlg::transferRequested);
    QSignalSpy cancelled(&dlg, &CProcessDlg::cancelRequested);
    dlg.SetCaption("Read Data");
    dlg.OpenWindow();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.windowTitle(), "Read Data");
    EXPECT_EQ(dlg.ProgressBar()->maximum(), 305);
    EXPECT_EQ(dlg.ProgressBar()->value(), 0);
    EXPECT_EQ(dlg.CountText()->text(), "0");
    // Write while it is open: the title stays; the next opening shows the new caption.
    dlg.SetCaption("Write Data");
    dlg.OpenWindow();
    EXPECT_EQ(dlg.windowTitle(), "Read Data");
    dlg.CancelButton()->click(); // before OK: closes
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.Cancelled());
    EXPECT_EQ(started.count(), 0);

    dlg.OpenWindow();
    EXPECT_EQ(dlg.windowTitle(), "Write Data");
    EXPECT_FALSE(dlg.Cancelled());
    EXPECT_TRUE(dlg.OkButton()->isEnabled());
    dlg.OkButton()->click();
    dlg.OkButton()->click();
    EXPECT_EQ(started.count(), 1);
    EXPECT_FALSE(dlg.OkButton()->isEnabled());
    dlg.SetProgress(3, 512);
    EXPECT_EQ(dlg.ProgressBar()->maximum(), 512);
    EXPECT_EQ(dlg.CountText()->text(), "3");
    dlg.reject(); // Esc or the close box during the transfer
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.Cancelled());
    EXPECT_EQ(cancelled.count(), 1);
    dlg.TransferEnded();
    EXPECT_FALSE(dlg.isVisible());
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

TEST(TransferController, ReadsOverThePortWhileTheWindowStaysLive) {
    const MemoryImage memory = test::Pattern(7);
    auto radio = test::StartPtyRadio(memory);
    ASSERT_TRUE(radio);
    TransferController controller;
    CProcessDlg dlg;
    dlg.Attach(&controller);
    QObject::connect(&dlg, &CProcessDlg::transferRequested, [&] {
        controller.Start(TransferDirection::Read, radio->DevicePath(), NewImage());
    });
    QSignalSpy finished(&controller, &TransferController::finished);
    // The longest gap between the ticks of a 10 ms timer is the longest stall of the window.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    dlg.OpenWindow();
    clock.start();
    ticker.start(10);
    dlg.OkButton()->click();
    ASSERT_TRUE(WaitFinished(finished));
    ticker.stop();

    const auto result = finished.at(0).at(0).value<TransferResult>();
    EXPECT_EQ(result.outcome, TransferOutcome::Completed);
    EXPECT_EQ(result.blocks, 1024);
    EXPECT_TRUE(finished.at(0).at(1).value<MemoryImage>() == memory);
    EXPECT_EQ(dlg.CountText()->text(), "512");
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_LT(longest, 50) << "the window stalled";
    EXPECT_FALSE(controller.IsRunning());
}

TEST(TransferController, PromptsAreAskedOnTheWindowThreadAndRetryIsHonoured) {
    auto radio = test::StartPtyRadio(NewImage(), {RadioFault::NoConfirmation});
    ASSERT_TRUE(radio);
    TransferController controller;
    std::vector<std::string> asked;
    std::vector<std::string> shown;
    controller.SetPromptHandlers(
        [&](const std::string& text) {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            asked.push_back(text);
            return asked.size() == 1 ? PromptAnswer::Retry : PromptAnswer::Cancel;
        },
        [&](const std::string& text) { shown.push_back(text); });
    QSignalSpy finished(&controller, &TransferController::finished);
    ASSERT_TRUE(controller.Start(TransferDirection::Write, radio->DevicePath(), NewImage()));
    EXPECT_FALSE(controller.Start(TransferDirection::Write, radio->DevicePath(), NewImage()));
    ASSERT_TRUE(WaitFinished(finished));
    const auto result = finished.at(0).at(0).value<TransferResult>();
    EXPECT_EQ(result.outcome, TransferOutcome::CancelledAtPrompt);
    EXPECT_EQ(result.prompts, 2);
    EXPECT_EQ(asked, std::vector<std::string>(2, std::string(txt::MsgCommunicationError.en)));
    EXPECT_TRUE(shown.empty());
}

TEST(TransferController, CancelAndWaitEndsAWaitingPromptAndTheTransfer) {
    auto radio = test::StartPtyRadio(NewImage(), {RadioFault::NoConfirmation});
    ASSERT_TRUE(radio);
    auto controller = std::make_unique<TransferController>();
    bool asked = false;
    // The question is never answered: the window closes while it waits.
    controller->SetPromptHandlers(
        [&](const std::string&) {
            asked = true;
            controller.reset();
            return PromptAnswer::Retry;
        },
        {});
    controller->Start(TransferDirection::Read, radio->DevicePath(), NewImage());
    QElapsedTimer clock;
    clock.start();
    while (!asked && clock.elapsed() < 10000) {
        QTest::qWait(5);
    }
    EXPECT_TRUE(asked);
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
        {1, 3, true, 3, "/dev/ttyS1", 4},  {4, 0, false, 0, "", 4},
        {2, -1, true, 1, "/dev/ttyS0", 2}, {9, -1, true, -1, "com0", 0},
        {3, -1, true, 2, "com3", 3},
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
