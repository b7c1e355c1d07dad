// The main window's commands on the whole document: menus, New, Open, Close, Save, the
// question that keeps unsaved work, the Control Bar, the status bar and direct print.
#include "frame/TreeBar.h"
#include "image/DataFile.h"
#include "printqt/PdfText.h"
#include "support/FrameFixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>

#include <filesystem>

namespace velmora {
namespace {

class MainFrameTest : public test::FrameFixture {
protected:
    QStringList MenuTitles() const {
        QStringList titles;
        for (QAction* menu : m_frame->menuBar()->actions()) {
            titles << menu->text();
        }
        return titles;
    }
};

TEST_F(MainFrameTest, MenusControlBarAndReadyFollowTheWindow) {
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&View", "&Help"}));
    m_frame->OnFileNew();
    EXPECT_EQ(MenuTitles(),
              (QStringList{"&File", "&Edit", "&View", "&Program", "&Setup", "&Help"}));
    EXPECT_TRUE(m_prompter.shown.empty()) << "no warning without a document window";
    EXPECT_EQ(m_frame->windowTitle().toStdString(), "Velmora  [ Type:VR-100  Fre:400-470MHz ]");

    QAction* controlBar = m_frame->Action(ID_VIEW_CONTROL_BAR);
    EXPECT_TRUE(controlBar->isChecked());
    m_frame->TreeBar()->hide(); // as its own close button does
    EXPECT_FALSE(controlBar->isChecked());
    controlBar->trigger();
    EXPECT_TRUE(m_frame->TreeBar()->isVisible());
    EXPECT_TRUE(controlBar->isChecked());

    // "Ready" shows again once a menu item's prompt is gone.
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

TEST_F(MainFrameTest, NewAndOpenKeepOneDocumentInUse) {
    m_frame->OnFileNew();
    CChildFrame* first = m_frame->ActiveChildFrame();
    m_prompter.okAnswers = {false};
    m_frame->OnFileNew(); // "All data will be Cleared!", Cancel
    Settle();
    EXPECT_EQ(m_prompter.shown.at(0).text, "All data will be Cleared!");
    EXPECT_EQ(m_frame->ChildFrames(), QList<CChildFrame*>{first});

    // A file that does not load leaves the window shown before; one that loads replaces it.
    WriteFile("short.dat", QByteArray(100, '\0'));
    m_chooser->openAnswer = TempPath("short.dat");
    m_frame->OnFileOpen();
    Settle();
    EXPECT_NE(m_prompter.shown.back().text.find("shorter than 8192 bytes"), std::string::npos);
    EXPECT_EQ(m_frame->ChildFrames(), QList<CChildFrame*>{first});
    MemoryImage image = NewImage();
    EncodeChannel(image, 5, {"438.01250", "438.01250", "None", "None", "High", "Lock", "Yes", ""});
    ASSERT_TRUE(SaveDataFile(TempPath("good.dat").toStdString(), image));
    m_chooser->openAnswer = TempPath("good.dat");
    m_frame->OnFileOpen();
    Settle();
    ASSERT_EQ(m_frame->ChildFrames().size(), 1);
    EXPECT_EQ(Texts()[5][0], "438.01250");
}

TEST_F(MainFrameTest, UnsavedChangesAreAskedAboutBeforeAnythingDropsThem) {
    const std::string question = "Save changes to Channel Information?";
    m_frame->OnFileNew();
    m_chooser->openAnswer = TempPath("missing.dat");
    m_frame->OnFileOpen();
    EXPECT_EQ(m_prompter.shown.size(), 1u) << "an unchanged document is not asked about";
    m_prompter.shown.clear();

    // Open: Cancel keeps the document and asks for no file.
    TypeRx(3, "440");
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

    // A change of an option byte (what the settings dialogs do) counts as well: Exit asks, and
    // Cancel keeps the program.
    View()->GetDocument()->m_image[offset::Step] = 5;
    m_prompter.shown.clear();
    m_prompter.saveAnswers = {SaveAnswer::Cancel};
    EXPECT_FALSE(m_frame->close());
    EXPECT_EQ(m_prompter.shown.size(), 1u);
}

TEST_F(MainFrameTest, SavingAsksWhereOnceKeepsAnOpenEditAndWritesThroughALink) {
    m_frame->OnFileNew();
    TypeRx(0, "438.0125");
    Type(3, Column::Rx, "462.5625"); // left open

    // A file that cannot be written is told; the document keeps asking where.
    m_chooser->saveAnswer = TempPath("missing-folder/x.dat");
    EXPECT_FALSE(m_frame->OnFileSaveAs());
    EXPECT_EQ(m_prompter.shown.back().text.rfind("Cannot save ", 0), 0u);
    // The user keeps the file private (mode 600) and names it through a link: the link stays,
    // its target takes the bytes and keeps its mode.
    const QString real = TempPath("club-real.dat");
    ASSERT_TRUE(SaveDataFile(real.toStdString(), NewImage()));
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::link(real, TempPath("club.dat")));
    m_chooser->saveAnswer = TempPath("club.dat");
    ASSERT_TRUE(m_frame->OnFileSave());
    EXPECT_EQ(m_chooser->proposedSaves, (QStringList{"Velmora.dat", "Velmora.dat"}));
    m_chooser->saveAnswer.clear();
    ASSERT_TRUE(m_frame->OnFileSave()) << "from now on Save writes without asking";
    EXPECT_EQ(m_chooser->proposedSaves.size(), 2);

    EXPECT_TRUE(QFileInfo(TempPath("club.dat")).isSymLink());
    EXPECT_EQ(std::filesystem::status(real.toStdString()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    MemoryImage saved{};
    ASSERT_TRUE(LoadDataFile(real.toStdString(), saved));
    const std::vector<std::uint8_t> rx0(saved.begin(), saved.begin() + 4);
    const std::vector<std::uint8_t> rx3(saved.begin() + 48, saved.begin() + 52);
    EXPECT_EQ(rx0, (std::vector<std::uint8_t>{0x50, 0x12, 0x80, 0x43})) << "438.01250";
    EXPECT_EQ(rx3, (std::vector<std::uint8_t>{0x50, 0x62, 0x25, 0x46})) << "the open edit";
    EXPECT_EQ(saved[0x1FF0], 0x40) << "band bytes of 400-470MHz";
}

TEST_F(MainFrameTest, AfterCloseTheDocumentCommandsStillReachTheHiddenDocument) {
    m_frame->OnFileNew();
    TypeRx(2, "440");
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
    EXPECT_EQ(View()->Channels().Text(2, Column::Rx), "");
}

TEST_F(MainFrameTest, DirectPrintPrintsEveryPageWithoutADialog) {
    m_frame->OnFileNew();
    TypeRx(0, "440");
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
