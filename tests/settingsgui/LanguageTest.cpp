// The Language command: what is on disk when the program starts again, which program starts,
// and what the dialog's answers and a window that stays open do.
#include "base/StartupConfig.h"
#include "base/TempFolder.h"
#include "settings/LanguageDlg.h"
#include "settings/LanguageSwitch.h"
#include "support/RecordingPrompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

// Records the start and what Program.ini held on disk at that moment.
struct RecordingLauncher : ProgramLauncher {
    bool Start(const QString& program, const QStringList& arguments) override {
        ++starts;
        this->program = program;
        this->arguments = arguments;
        iniOnDisk = ReadAll(iniPath);
        windowOpenAtStart = window != nullptr && window->isVisible();
        return true;
    }
    std::string iniPath;
    QWidget* window = nullptr;
    int starts = 0;
    QString program;
    QStringList arguments;
    std::string iniOnDisk;
    bool windowOpenAtStart = true;
};

class StubbornWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

class LanguageCommand : public ::testing::Test {
protected:
    void SetUp() override {
        m_ini = m_folder.File("Program.ini");
        WriteAll(m_ini, "[Setup]\r\nLanguage=English\r\nShowLang=1\r\n");
        ASSERT_TRUE(g_iniFile.Load(m_ini, true, true));
        SetStartupLanguage(Language::English);
        m_launcher.iniPath = m_ini;
    }
    void TearDown() override {
        g_iniFile.Clear();
        SetStartupLanguage(Language::English);
    }

    TempFolder m_folder;
    std::string m_ini;
    RecordingLauncher m_launcher;
};

TEST_F(LanguageCommand, NewLanguageIsOnDiskBeforeTheWindowClosesAndTheProgramStarts) {
    QWidget mainWindow;
    mainWindow.show();
    m_launcher.window = &mainWindow;
    const ProgramInvocation program{"/opt/velmora/velmora", {"--ini", "/tmp/x.ini", "a.dat"}};
    EXPECT_EQ(ApplyLanguageChoice(Language::Chinese, &mainWindow, m_launcher, program),
              LanguageSwitchResult::Restarted);
    EXPECT_EQ(m_launcher.starts, 1);
    EXPECT_EQ(m_launcher.iniOnDisk, "[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n");
    EXPECT_FALSE(m_launcher.windowOpenAtStart);
    EXPECT_EQ(m_launcher.program, "/opt/velmora/velmora");
    EXPECT_EQ(m_launcher.arguments, QStringList({"--ini", "/tmp/x.ini", "a.dat"}));
    EXPECT_FALSE(g_iniFile.IsModified());
}

TEST_F(LanguageCommand, WindowThatStaysOpenStartsNoSecondInstance) {
    StubbornWindow mainWindow;
    mainWindow.show();
    EXPECT_EQ(ApplyLanguageChoice(Language::Chinese, &mainWindow, m_launcher,
                                  ProgramInvocation::Current()),
              LanguageSwitchResult::CloseRefused);
    EXPECT_EQ(m_launcher.starts, 0);
    EXPECT_TRUE(mainWindow.isVisible());
}

// Answers the modal Language dialog once it is up.
void AnswerLanguageDialog(bool chinese, bool ok) {
    QTimer::singleShot(0, [chinese, ok] {
        auto* dialog = qobject_cast<CLanguageDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->EnglishButton()->isChecked());
        (chinese ? dialog->ChineseButton() : dialog->EnglishButton())->setChecked(true);
        (ok ? dialog->OkButton() : dialog->CancelButton())->click();
    });
}

// Cancel changes nothing; OK with the other language restarts this very program.
TEST_F(LanguageCommand, TheDialogsAnswerDecides) {
    for (const bool ok : {false, true}) {
        QWidget mainWindow;
        mainWindow.show();
        AnswerLanguageDialog(true, ok);
        EXPECT_EQ(RunLanguageCommand(nullptr, &mainWindow, m_launcher),
                  ok ? LanguageSwitchResult::Restarted : LanguageSwitchResult::Unchanged);
        EXPECT_EQ(m_launcher.starts, ok ? 1 : 0);
        EXPECT_EQ(ReadAll(m_ini), ok ? "[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n"
                                     : "[Setup]\r\nLanguage=English\r\nShowLang=1\r\n");
    }
    EXPECT_EQ(m_launcher.program, QCoreApplication::applicationFilePath());
    EXPECT_EQ(m_launcher.arguments, QCoreApplication::arguments().mid(1));
}

TEST_F(LanguageCommand, UnsavableChoiceIsReportedAndNothingRestarts) {
    g_iniFile.Clear(); // no file behind it: the value cannot be kept
    QWidget mainWindow;
    mainWindow.show();
    test::RecordingPrompter prompter;
    AnswerLanguageDialog(true, true);
    EXPECT_EQ(RunLanguageCommand(nullptr, &mainWindow, m_launcher, &prompter, "Velmora"),
              LanguageSwitchResult::NotStored);
    EXPECT_EQ(m_launcher.starts, 0);
    EXPECT_TRUE(mainWindow.isVisible());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Velmora");
    EXPECT_EQ(prompter.shown[0].text,
              "The language could not be saved in Program.ini; the program keeps its language.");
}

} // namespace
} // namespace velmora
