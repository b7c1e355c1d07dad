#include "frame/MainFrame.h"
#include "document/ProgramView.h"
#include "document/TransferCommands.h"
#include "frame/ChildFrame.h"
#include "frame/TreeBar.h"
#include "image/DataFile.h"
#include "printqt/PdfText.h"
#include "support/RecordingPrompter.h"
#include "support/ScriptedFileChooser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora {
namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Transfers keep backups: in a folder of the test's own, not the user's.
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
        m_app.lang = Language::English;
        m_app.catalog.typeNames = {"VR-100"};
        m_app.catalog.bandLists = {"400-470MHz"};
        m_app.catalog.titleBase = "Velmora";
        m_app.store = &m_store;
        m_app.prompter = &m_prompter;
        m_app.company = "Velmora Radio Tools";
        m_app.appName = "Velmora";
        m_frame = std::make_unique<CMainFrame>(m_app);
        auto chooser = std::make_unique<test::ScriptedFileChooser>();
        m_chooser = chooser.get();
        m_frame->SetFileChooser(std::move(chooser));
        m_frame->show();
    }

    // Windows closed for good go at the next turn of the event loop.
    static void Settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    QString TempPath(const QString& name) const { return m_dir.filePath(name); }

    static QStringList MenuTitles(QMainWindow& window) {
        QStringList titles;
        for (QAction* menu : window.menuBar()->actions()) {
            titles << menu->text();
        }
        return titles;
    }

    AppContext m_app;
    MemoryUserStore m_store;
    test::RecordingPrompter m_prompter;
    test::ScriptedFileChooser* m_chooser = nullptr;
    std::unique_ptr<CMainFrame> m_frame;
    QTemporaryDir m_dir;
};

TEST_F(MainFrameTest, MenusFollowWhetherADocumentExists) {
    EXPECT_EQ(MenuTitles(*m_frame), (QStringList{"&File", "&View", "&Help"}));
    m_frame->OnFileNew();
    EXPECT_EQ(MenuTitles(*m_frame),
              (QStringList{"&File", "&Edit", "&View", "&Program", "&Setup", "&Help"}));
    EXPECT_TRUE(m_prompter.shown.empty()) << "no warning without a document window";
    EXPECT_EQ(m_frame->windowTitle().toStdString(), "Velmora  [ Type:VR-100  Fre:400-470MHz ]");
    const struct {
        CommandId id;
        QKeySequence keys;
    } accelerators[] = {
        {ID_FILE_NEW, QKeySequence("Ctrl+N")},     {ID_FILE_OPEN, QKeySequence("Ctrl+O")},
        {ID_FILE_SAVE, QKeySequence("Ctrl+S")},    {ID_FILE_PRINT, QKeySequence("Ctrl+P")},
        {ID_PROGRAM_READ, QKeySequence("Ctrl+R")}, {ID_PROGRAM_WRITE, QKeySequence("Ctrl+W")},
    };
    for (const auto& a : accelerators) {
        EXPECT_EQ(m_frame->Action(a.id)->shortcut(), a.keys) << a.id;
    }
}

TEST_F(MainFrameTest, NewWarnsAndReplacesTheWindowOnlyOnOk) {
    m_frame->OnFileNew();
    CChildFrame* first = m_frame->ActiveChildFrame();
    ASSERT_NE(first, nullptr);

    m_prompter.okAnswers = {false};
    m_frame->OnFileNew();
    Settle();
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].caption, "Velmora Radio Tools");
    EXPECT_EQ(m_prompter.shown[0].text, "All data will be Cleared!");
    EXPECT_EQ(m_frame->ChildFrames(), QList<CChildFrame*>{first});

    m_prompter.okAnswers = {true};
    m_frame->OnFileNew();
    Settle();
    ASSERT_EQ(m_frame->ChildFrames().size(), 1);
    EXPECT_NE(m_frame->ChildFrames().front(), first);
}

TEST_F(MainFrameTest, OpenClosesThePreviousWindowOnlyWhenTheFileLoads) {
    m_frame->OnFileNew();
    CChildFrame* first = m_frame->ActiveChildFrame();

    QFile shortFile(TempPath("short.dat"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(100, '\0'));
    shortFile.close();
    m_chooser->openAnswer = TempPath("short.dat");
    m_frame->OnFileOpen();
    Settle();
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_NE(m_prompter.shown[0].text.find("shorter than 8192 bytes"), std::string::npos);
    EXPECT_EQ(m_frame->ChildFrames(), QList<CChildFrame*>{first});

    MemoryImage image = NewImage();
    const std::uint8_t channel5[16] = {0x50, 0x12, 0x80, 0x43, 0x50, 0x12, 0x80, 0x43,
                                       0xFF, 0xFF, 0xFF, 0xFF, 0x2C, 0xFF, 0xFF, 0xFF};
    std::copy(std::begin(channel5), std::end(channel5), image.begin() + 5 * 16);
    ASSERT_TRUE(SaveDataFile(TempPath("good.dat").toStdString(), image));
    m_chooser->openAnswer = TempPath("good.dat");
    m_frame->OnFileOpen();
    Settle();
    ASSERT_EQ(m_frame->ChildFrames().size(), 1);
    CProgramView* view = m_frame->ActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Channels().Texts()[5][0], "438.01250");
    EXPECT_EQ(view->Channels().Texts()[5][4], "High");
}

TEST_F(MainFrameTest, CloseHidesAndChannelInformationBringsTheWindowBack) {
    m_frame->OnFileNew();
    CChildFrame* frame = m_frame->ActiveChildFrame();
    m_frame->OnFileClose();
    Settle();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(m_frame->ChildFrames(), QList<CChildFrame*>{frame}) << "the document stays open";
    frame->close(); // the close box only hides, too
    Settle();
    EXPECT_EQ(m_frame->ChildFrames(), QList<CChildFrame*>{frame});
    m_frame->OnChannelInformation();
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(MainFrameTest, SavingANewDocumentAsksWhereAndProposesTheProductName) {
    m_frame->OnFileNew();
    m_chooser->saveAnswer = TempPath("club.dat");
    ASSERT_TRUE(m_frame->OnFileSave());
    EXPECT_EQ(m_chooser->proposedSaves, QStringList{"Velmora.dat"});
    MemoryImage saved{};
    ASSERT_TRUE(LoadDataFile(TempPath("club.dat").toStdString(), saved));
    MemoryImage expected = NewImage();
    expected[0x1FF0] = 0x40; // band bytes of 400-470MHz
    expected[0x1FF1] = 0x46;
    expected[0x1FF2] = 0x09;
    EXPECT_EQ(saved, expected);

    // From now on the document has a file of its own: Save writes it without asking.
    m_chooser->saveAnswer.clear();
    ASSERT_TRUE(m_frame->OnFileSave());
    EXPECT_EQ(m_chooser->proposedSaves.size(), 1);
}

TEST_F(MainFrameTest, TypedChannelsSurviveSaveAndReopenEvenWithAnEditOpen) {
    m_frame->OnFileNew();
    CProgramView* view = m_frame->ActiveView();
    ASSERT_NE(view, nullptr);
    view->SetCurrentCell({0, Column::Rx});
    QTest::keyClicks(view->Editor(Column::Rx), "438.0125");
    QTest::keyClick(view->Editor(Column::Rx), Qt::Key_Return);
    view->SetCurrentCell({1, Column::Rx});
    // Left open, not committed: the save must still store it.
    QTest::keyClicks(view->Editor(Column::Rx), "440");
    view->SetCurrentCell({2, Column::Rx});
    QTest::keyClicks(view->Editor(Column::Rx), "145.5");
    view->SetCurrentCell({3, Column::Rx});
    QTest::keyClicks(view->Editor(Column::Rx), "462.5625");

    m_chooser->saveAnswer = TempPath("typed.dat");
    ASSERT_TRUE(m_frame->OnFileSave());
    m_chooser->openAnswer = TempPath("typed.dat");
    m_frame->OnFileOpen();
    Settle();
    ASSERT_EQ(m_frame->ChildFrames().size(), 1);
    const ChannelGridTexts grid = m_frame->ActiveView()->Channels().Texts();
    EXPECT_EQ(grid[0],
              (ChannelTexts{"438.01250", "438.01250", "None", "None", "High", "Lock", "Yes", ""}));
    EXPECT_EQ(grid[1][0], "440.00000");
    EXPECT_EQ(grid[2][0], "") << "145.5 lies outside 400-470MHz and is refused";
    EXPECT_EQ(grid[3][0], "462.56250") << "the edit still open when saving";
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text, "Out of range,please input again.");
}

TEST_F(MainFrameTest, ControlBarCheckMarkFollowsTheBarAndTheTreeBringsTheWindowBack) {
    m_frame->OnFileNew();
    QAction* controlBar = m_frame->Action(ID_VIEW_CONTROL_BAR);
    ASSERT_TRUE(m_frame->TreeBar()->isVisible());
    EXPECT_TRUE(controlBar->isChecked());
    m_frame->TreeBar()->hide(); // as its own close button does
    EXPECT_FALSE(controlBar->isChecked());
    controlBar->trigger();
    EXPECT_TRUE(m_frame->TreeBar()->isVisible());
    EXPECT_TRUE(controlBar->isChecked());

    CChildFrame* frame = m_frame->ActiveChildFrame();
    m_frame->OnFileClose();
    emit m_frame->TreeBar()->navigate(NavigationTarget::ChannelInformation);
    EXPECT_TRUE(frame->isVisible());
}

// Runs one transfer of the active window through its progress dialog, as a user would.
static bool RunTransfer(CMainFrame& frame, bool write) {
    TransferCommands* transfer = frame.ActiveChildFrame()->Transfer();
    write ? frame.OnWrite() : frame.OnRead();
    CProcessDlg& dialog = transfer->ProcessDialog();
    if (!dialog.isVisible()) {
        return false;
    }
    dialog.OkButton()->click();
    EXPECT_FALSE(frame.Action(ID_PROGRAM_READ)->isEnabled()) << "one transfer at a time";
    QElapsedTimer timer;
    timer.start();
    while (transfer->IsRunning() && timer.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QApplication::processEvents();
    return !transfer->IsRunning() && !dialog.isVisible();
}

TEST_F(MainFrameTest, WritingToTheDemoRadioAndReadingBackRefillsTheGrid) {
    m_frame->OnFileNew();
    ASSERT_TRUE(m_frame->StartDemoRadio());
    CProgramView* view = m_frame->ActiveView();
    view->SetCurrentCell({7, Column::Rx});
    QTest::keyClicks(view->Editor(Column::Rx), "446.00625");
    ASSERT_TRUE(RunTransfer(*m_frame, true)); // the open edit goes along
    EXPECT_TRUE(m_prompter.shown.empty());

    m_frame->OnFileNew();
    Settle();
    view = m_frame->ActiveView();
    EXPECT_TRUE(view->Channels().Texts()[7][0].empty());
    ASSERT_TRUE(RunTransfer(*m_frame, false));
    EXPECT_EQ(view->Channels().Texts()[7][0], "446.00625");
    EXPECT_EQ(view->Channels().Texts()[7][4], "High");
    EXPECT_TRUE(m_frame->Action(ID_PROGRAM_READ)->isEnabled());
}

TEST_F(MainFrameTest, SaveFailureIsReportedAndKeepsTheOldFile) {
    m_frame->OnFileNew();
    m_chooser->saveAnswer = TempPath("missing-folder/x.dat");
    EXPECT_FALSE(m_frame->OnFileSaveAs());
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text.rfind("Cannot save ", 0), 0u);
}

// Types a channel into the document in use and commits it.
void TypeChannel(CMainFrame& frame, int row) {
    CProgramView* view = frame.ActiveView();
    view->SetCurrentCell({row, Column::Rx});
    QTest::keyClicks(view->Editor(Column::Rx), "440");
    QTest::keyClick(view->Editor(Column::Rx), Qt::Key_Return);
}

TEST_F(MainFrameTest, UnsavedChangesAreAskedAboutBeforeAnythingDropsThem) {
    const std::string question = "Save changes to Channel Information?";
    m_frame->OnFileNew();
    m_chooser->openAnswer = TempPath("missing.dat");
    m_frame->OnFileOpen();
    EXPECT_EQ(m_prompter.shown.size(), 1u) << "an unchanged document is not asked about";
    m_prompter.shown.clear();

    // Open: Cancel keeps the document and asks for no file.
    TypeChannel(*m_frame, 3);
    CChildFrame* edited = m_frame->ActiveChildFrame();
    m_prompter.saveAnswers = {SaveAnswer::Cancel};
    m_chooser->openAnswer.clear();
    m_frame->OnFileOpen();
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text, question);
    EXPECT_EQ(m_frame->ActiveChildFrame(), edited);

    // New: Discard, then the warning of its own; a window hidden by Close goes too.
    m_frame->OnFileClose();
    m_prompter.shown.clear();
    m_prompter.saveAnswers = {SaveAnswer::Discard};
    m_frame->OnFileNew();
    Settle();
    ASSERT_EQ(m_prompter.shown.size(), 2u);
    EXPECT_EQ(m_prompter.shown[0].text, question);
    EXPECT_EQ(m_prompter.shown[1].text, "All data will be Cleared!");
    ASSERT_EQ(m_frame->ChildFrames().size(), 1);
    EXPECT_NE(m_frame->ChildFrames().front(), edited);

    // A change of an option byte (what the settings dialogs do) counts as well. Exit: Cancel
    // keeps the program; Save writes the file and lets it close.
    m_frame->ActiveView()->GetDocument()->m_image[offset::Step] = 5;
    m_prompter.shown.clear();
    m_prompter.saveAnswers = {SaveAnswer::Cancel};
    EXPECT_FALSE(m_frame->close());
    EXPECT_EQ(m_prompter.shown.size(), 1u);
    m_prompter.saveAnswers = {SaveAnswer::Save};
    m_chooser->saveAnswer = TempPath("kept.dat");
    EXPECT_TRUE(m_frame->close());
    MemoryImage kept{};
    ASSERT_TRUE(LoadDataFile(TempPath("kept.dat").toStdString(), kept));
    EXPECT_EQ(kept[offset::Step], 5);
}

TEST_F(MainFrameTest, AfterCloseTheDocumentCommandsStillReachTheHiddenDocument) {
    m_frame->OnFileNew();
    TypeChannel(*m_frame, 2);
    CChildFrame* frame = m_frame->ActiveChildFrame();
    m_frame->OnFileClose();
    ASSERT_TRUE(frame->isHidden());
    EXPECT_TRUE(m_frame->Action(ID_FILE_SAVE)->isEnabled());
    m_chooser->saveAnswer = TempPath("hidden.dat");
    EXPECT_TRUE(m_frame->OnFileSave());
    MemoryImage saved{};
    ASSERT_TRUE(LoadDataFile(TempPath("hidden.dat").toStdString(), saved));
    EXPECT_EQ(saved[2 * 16 + 3], 0x44) << "channel 2 at 440 MHz";
    m_frame->OnEditUndo(); // a command whose result must be seen shows the window again
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(m_frame->ActiveView()->Channels().Text(2, Column::Rx), "");
}

TEST_F(MainFrameTest, ReadyShowsAgainOnceAMenuPromptIsGone) {
    const auto readyShown = [this] {
        for (QLabel* label : m_frame->statusBar()->findChildren<QLabel*>()) {
            if (label->text() == "Ready" && label->isVisible()) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(readyShown());
    QStatusTipEvent prompt(QStringLiteral("Saves the document"));
    QApplication::sendEvent(m_frame.get(), &prompt);
    EXPECT_FALSE(readyShown());
    QStatusTipEvent gone{QString()}; // the mouse left the menu item
    QApplication::sendEvent(m_frame.get(), &gone);
    EXPECT_TRUE(readyShown());
}

TEST_F(MainFrameTest, DirectPrintPrintsEveryPageWithoutADialog) {
    m_frame->OnFileNew();
    TypeChannel(*m_frame, 0);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(TempPath("direct.pdf"));
    m_frame->SetPrinter(std::move(printer));
    ASSERT_TRUE(m_frame->OnFilePrintDirect());
    const auto pages = PdfPages(TempPath("direct.pdf").toStdString());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1][1], "Channel 0:");
    EXPECT_TRUE(m_prompter.shown.empty());
}

} // namespace
} // namespace velmora
