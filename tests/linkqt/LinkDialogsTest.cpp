// The progress dialog, the transfer controller and the COM Setup dialog, on the offscreen
// platform, with the virtual radio on a pseudo-terminal where a real port is needed.
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
#include "link/ProcessDlg.h"
#include "link/PtyRadio.h"
#include "link/TransferController.h"
#include "settings/UserStore.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

MemoryImage Pattern(unsigned seed) {
    MemoryImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>((i * 5 + (i >> 8) * 3 + seed) & 0xFF);
    }
    return image;
}

std::unique_ptr<PtyRadio> StartRadio(const MemoryImage& memory, RadioBehaviour behaviour = {}) {
    PtyRadioOptions options;
    options.behaviour = behaviour;
    std::string error;
    auto radio = PtyRadio::Create(memory, options, error);
    EXPECT_TRUE(radio) << error;
    if (radio) {
        radio->Start();
    }
    return radio;
}

// Waits, with the event loop running, until the controller reports its end.
bool WaitFinished(QSignalSpy& finished, int ms = 30000) {
    return finished.count() > 0 || finished.wait(ms);
}

TEST(ProcessDlg, OpensFreshAndCancelBeforeOkCloses) {
    CProcessDlg dlg;
    dlg.SetCaption("Read Data");
    dlg.OpenWindow();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.windowTitle(), "Read Data");
    EXPECT_EQ(dlg.ProgressBar()->maximum(), 305);
    EXPECT_EQ(dlg.ProgressBar()->value(), 0);
    EXPECT_EQ(dlg.CountText()->text(), "0");
    EXPECT_TRUE(dlg.OkButton()->isEnabled());

    // Write while it is open: the title stays; the next opening shows the new caption.
    dlg.SetCaption("Write Data");
    dlg.OpenWindow();
    EXPECT_EQ(dlg.windowTitle(), "Read Data");

    QSignalSpy started(&dlg, &CProcessDlg::transferRequested);
    dlg.CancelButton()->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.Cancelled());
    EXPECT_EQ(started.count(), 0);

    dlg.OpenWindow();
    EXPECT_EQ(dlg.windowTitle(), "Write Data");
    EXPECT_FALSE(dlg.Cancelled());
}

TEST(ProcessDlg, ComesUpOverTheMainWindowAndItsButtonsStayWhereTheyAre) {
    QWidget window;
    window.setGeometry(300, 200, 600, 400);
    auto* view = new QWidget(&window); // the channel view, deep inside the main window
    view->setGeometry(250, 150, 100, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CProcessDlg dlg(view);
    dlg.SetCaption("Read Data");
    dlg.OpenWindow();
    EXPECT_LE((dlg.frameGeometry().center() - window.frameGeometry().center()).manhattanLength(),
              4);
    const QPoint cancelAt = dlg.CancelButton()->pos();
    dlg.SetProgress(512, 512);
    QApplication::processEvents();
    EXPECT_EQ(dlg.CancelButton()->pos(), cancelAt) << "a wider count moves nothing";
    dlg.reject();
}

TEST(ProcessDlg, OkStartsOnceAndCancelDuringTransferWaitsForItsEnd) {
    CProcessDlg dlg;
    dlg.OpenWindow();
    QSignalSpy started(&dlg, &CProcessDlg::transferRequested);
    QSignalSpy cancelled(&dlg, &CProcessDlg::cancelRequested);
    dlg.OkButton()->click();
    dlg.OkButton()->click();
    EXPECT_EQ(started.count(), 1);
    EXPECT_FALSE(dlg.OkButton()->isEnabled());

    dlg.SetProgress(3, 512);
    EXPECT_EQ(dlg.ProgressBar()->maximum(), 512);
    EXPECT_EQ(dlg.CountText()->text(), "3");

    dlg.reject(); // Esc or the close box
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.Cancelled());
    EXPECT_EQ(cancelled.count(), 1);
    dlg.TransferEnded();
    EXPECT_FALSE(dlg.isVisible());
}

TEST(TransferController, ReadsOverThePortWhileTheWindowStaysLive) {
    const MemoryImage memory = Pattern(7);
    auto radio = StartRadio(memory);
    ASSERT_TRUE(radio);
    TransferController controller;
    CProcessDlg dlg;
    dlg.Attach(&controller);
    QObject::connect(&dlg, &CProcessDlg::transferRequested, [&] {
        controller.Start(TransferDirection::Read, radio->DevicePath(), NewImage());
    });
    QSignalSpy finished(&controller, &TransferController::finished);
    std::vector<int> positions;
    QObject::connect(&controller, &TransferController::progress,
                     [&](int position, int) { positions.push_back(position); });

    // The longest gap between the ticks of a 10 ms timer is the longest stall of the window.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    dlg.OpenWindow();
    clock.start();
    ticker.start();
    dlg.OkButton()->click();
    ASSERT_TRUE(WaitFinished(finished));
    ticker.stop();

    const auto result = finished.at(0).at(0).value<TransferResult>();
    const auto image = finished.at(0).at(1).value<MemoryImage>();
    EXPECT_EQ(result.outcome, TransferOutcome::Completed);
    EXPECT_EQ(result.blocks, 1024);
    EXPECT_TRUE(image == memory);
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.back(), 512);
    EXPECT_EQ(dlg.CountText()->text(), "512");
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_LT(longest, 50) << "the window stalled";
    EXPECT_FALSE(controller.IsRunning());
}

TEST(TransferController, PromptsAreAskedOnTheWindowThreadAndRetryIsHonoured) {
    RadioBehaviour behaviour;
    behaviour.fault = RadioFault::NoConfirmation;
    auto radio = StartRadio(NewImage(), behaviour);
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

TEST(TransferController, PortThatDoesNotOpenIsExplainedOnASecondLine) {
    TransferController controller;
    std::vector<std::string> shown;
    controller.SetPromptHandlers([](const std::string&) { return PromptAnswer::Cancel; },
                                 [&](const std::string& text) { shown.push_back(text); });
    QSignalSpy finished(&controller, &TransferController::finished);
    controller.Start(TransferDirection::Read, "/dev/velmora-none", NewImage());
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_EQ(shown, std::vector<std::string>{std::string(txt::MsgPortOpenFailed.en) +
                                              "\nNo such device: /dev/velmora-none"});
    const auto image = finished.at(0).at(1).value<MemoryImage>();
    EXPECT_TRUE(image == NewImage());
}

TEST(TransferController, CancelAndWaitEndsAWaitingPromptAndTheTransfer) {
    RadioBehaviour behaviour;
    behaviour.fault = RadioFault::NoConfirmation;
    auto radio = StartRadio(NewImage(), behaviour);
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
    TransferController* raw = controller.get();
    QSignalSpy finished(raw, &TransferController::finished);
    raw->Start(TransferDirection::Read, radio->DevicePath(), NewImage());
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

struct ComSetupFixture : ::testing::Test {
    MemoryUserStore store;
    PortDevices devices{"/dev/ttyUSB0", "/dev/ttyS0", "", "/dev/ttyS1"};
    CComSetupDlg::CanOpen canOpen = [](const std::string& device) {
        return device != "/dev/ttyS0"; // held by another program
    };
};

TEST_F(ComSetupFixture, ShowsDevicesDisablesUnusableAndPreselectsTheStoredChoice) {
    struct Case {
        std::optional<int> stored;
        int selected;
    };
    for (const Case& c :
         {Case{std::nullopt, 0}, Case{2, 1}, Case{4, 3}, Case{7, -1}, Case{0, -1}}) {
        MemoryUserStore local;
        if (c.stored) {
            local.WriteInt("com", *c.stored);
        }
        CComSetupDlg dlg(local, devices, canOpen);
        EXPECT_EQ(dlg.Selection(), c.selected) << c.stored.value_or(-99);
    }
    CComSetupDlg dlg(store, devices, canOpen);
    EXPECT_EQ(dlg.windowTitle(), "COM Setup");
    const char* labels[] = {"/dev/ttyUSB0", "/dev/ttyS0", "(no device)", "/dev/ttyS1"};
    const bool enabled[] = {true, false, false, true};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dlg.Button(i)->text(), QString("COM%1").arg(i + 1));
        EXPECT_EQ(dlg.DeviceLabel(i)->text(), labels[i]);
        EXPECT_EQ(dlg.Button(i)->isEnabled(), enabled[i]) << i;
    }
}

TEST_F(ComSetupFixture, ChineseNamesAButtonWithoutADeviceAndTheWindowsChoiceIsShown) {
    CComSetupDlg dlg(store, devices, canOpen, nullptr, nullptr, 3, Language::Chinese);
    EXPECT_EQ(dlg.DeviceLabel(2)->text(), "(无设备)");
    EXPECT_EQ(dlg.Selection(), 3) << "the program's choice, not the stored one";
}

TEST_F(ComSetupFixture, OkStoresTheButtonNumberAndGivesItsDeviceCancelChangesNothing) {
    {
        CComSetupDlg dlg(store, devices, canOpen);
        dlg.Button(3)->click();
        dlg.accept();
        EXPECT_EQ(dlg.PortName(), "/dev/ttyS1");
        EXPECT_EQ(store.ReadInt("com"), 4);
    }
    {
        CComSetupDlg dlg(store, devices, canOpen);
        EXPECT_EQ(dlg.Selection(), 3);
        dlg.Button(0)->click();
        EXPECT_EQ(dlg.Selection(), 0);
        dlg.reject();
        EXPECT_EQ(store.ReadInt("com"), 4);
        EXPECT_EQ(dlg.PortName(), "");
    }
    {
        // A disabled button that the store selects can still be confirmed.
        store.WriteInt("com", 2);
        CComSetupDlg dlg(store, devices, canOpen);
        dlg.accept();
        EXPECT_EQ(dlg.PortName(), "/dev/ttyS0");
        EXPECT_EQ(store.ReadInt("com"), 2);
    }
    {
        // Nothing selected: 0 is stored and the port is one no device answers to.
        store.WriteInt("com", 9);
        CComSetupDlg dlg(store, devices, canOpen);
        dlg.accept();
        EXPECT_EQ(dlg.PortName(), "com0");
        EXPECT_EQ(store.ReadInt("com"), 0);
    }
}

TEST_F(ComSetupFixture, F1AsksForTheComSetupTopic) {
    struct Recorder : HelpLauncher {
        std::vector<int> ids;
        bool ShowHelp(int id) override {
            ids.push_back(id);
            return true;
        }
    } help;
    CComSetupDlg dlg(store, devices, canOpen, &help);
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_F1);
    EXPECT_EQ(help.ids, std::vector<int>{32777});
}

} // namespace
} // namespace velmora
