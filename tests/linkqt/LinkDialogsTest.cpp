// The progress dialog, the transfer controller and the COM Setup dialog, on the offscreen
// platform, with the virtual radio on a pseudo-terminal where a real port is needed. (Both
// dialogs during the demo read, from the menu keys: journey_test FirstUse.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include "link/ComSetupDlg.h"
#include "link/LinkTestSupport.h"
#include "link/ProcessDlg.h"
#include "link/TransferController.h"
#include "settings/UserStore.h"

namespace velmora {
namespace {

// The window comes up over the main window and a growing count moves no button. OK pressed
// twice starts one read, and the window closes at its end. Esc during a transfer cancels it,
// and the window waits for its end. (The window answering during a read: journey_test
// FirstUse.TheSettingsWaitWhileAReadRuns.)
TEST(ProcessDlg, ComesUpOverTheMainWindowOkReadsOnceAndCancelWaitsForTheEnd) {
    auto radio = test::StartPtyRadio(test::Pattern(7));
    ASSERT_TRUE(radio);
    TransferController controller;
    QWidget window; // the main window, with the channel view that owns the dialog deep inside
    window.setGeometry(300, 200, 600, 400);
    auto* view = new QWidget(&window);
    view->setGeometry(250, 150, 100, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CProcessDlg dlg(view);
    dlg.Attach(&controller);
    QObject::connect(&dlg, &CProcessDlg::transferRequested, [&] {
        EXPECT_TRUE(controller.Start(TransferDirection::Read, radio->DevicePath(), NewImage()));
    });
    QSignalSpy cancelled(&dlg, &CProcessDlg::cancelRequested);
    QSignalSpy finished(&controller, &TransferController::finished);
    dlg.OpenWindow();
    const QPoint centre = dlg.frameGeometry().center() - window.frameGeometry().center();
    EXPECT_LE(centre.manhattanLength(), 4) << "over the main window";
    const QPoint cancelAt = dlg.CancelButton()->pos();
    dlg.SetProgress(512, 512);
    QApplication::processEvents();
    EXPECT_EQ(dlg.CancelButton()->pos(), cancelAt) << "a wider count moves nothing";
    dlg.OkButton()->click();
    dlg.OkButton()->click();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(finished.at(0).at(0).value<TransferResult>().outcome, TransferOutcome::Completed);
    EXPECT_TRUE(finished.at(0).at(1).value<MemoryImage>() == test::Pattern(7));
    EXPECT_FALSE(dlg.isVisible());

    dlg.OpenWindow();
    dlg.OkButton()->click();
    dlg.reject(); // Esc or the close box
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(cancelled.count(), 1);
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(finished.at(1).at(0).value<TransferResult>().outcome, TransferOutcome::Cancelled);
    EXPECT_FALSE(dlg.isVisible());
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
            if (asked.size() == 2) {
                controller.reset(); // never answered: the window closes while it waits
            }
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

// The buttons show their devices, those that cannot be opened disabled, "(无设备)" in Chinese.
// OK stores the button number and gives its device. (Which button a stored value selects:
// link_core_test PortChoice.)
TEST(ComSetup, ShowsTheDevicesAndOkStoresTheChoice) {
    MemoryUserStore store;
    const PortDevices devices{"/dev/ttyUSB0", "/dev/ttyS0", "", "/dev/ttyS1"};
    const CComSetupDlg::CanOpen canOpen = [](const std::string& device) {
        return device != "/dev/ttyS0"; // held by another program
    };
    const CComSetupDlg shown(store, devices, canOpen);
    EXPECT_EQ(shown.windowTitle(), "COM Setup");
    const char* labels[] = {"/dev/ttyUSB0", "/dev/ttyS0", "(no device)", "/dev/ttyS1"};
    const bool enabled[] = {true, false, false, true};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(shown.DeviceLabel(i)->text(), labels[i]);
        EXPECT_EQ(shown.Button(i)->isEnabled(), enabled[i]) << i;
    }
    const CComSetupDlg chinese(store, devices, canOpen, nullptr, nullptr, {}, Language::Chinese);
    EXPECT_EQ(chinese.DeviceLabel(2)->text(), "(无设备)");

    // The port OK gives with `stored` in the store and button `click` (-1: none) clicked.
    const auto accepted = [&](int stored, int click) {
        store.WriteInt("com", stored);
        CComSetupDlg dlg(store, devices, canOpen);
        if (click >= 0) {
            dlg.Button(click)->click();
        }
        dlg.accept();
        return dlg.PortName();
    };
    EXPECT_EQ(accepted(1, 3), "/dev/ttyS1");
    EXPECT_EQ(store.ReadInt("com"), 4);
    EXPECT_EQ(accepted(2, -1), "/dev/ttyS0") << "a disabled button the store selects";
    EXPECT_EQ(store.ReadInt("com"), 2);
    EXPECT_EQ(accepted(9, -1), "com0") << "none selected: a port no device answers to";
    EXPECT_EQ(store.ReadInt("com"), 0);
}

} // namespace
} // namespace velmora
