// The Language command: what is on disk when the program starts again (in Program.ini, or in the
// user's own copy when the installation's cannot be written), which program starts, and what the
// dialog's answers and a window that stays open do.
#include "base/ConfigLocation.h"
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

namespace velmora {
namespace {

using test::ReadAll;
using test::WriteAll;
using R = LanguageSwitchResult;

constexpr const char* kEnglishIni = "[Setup]\r\nLanguage=English\r\nShowLang=1\r\n";
constexpr const char* kChineseIni = "[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n";

// Records the start and what the Program.ini at iniPath held on disk at that moment.
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
        WriteAll(m_ini, kEnglishIni);
        ASSERT_TRUE(g_iniFile.Load(m_ini, true, true));
        SetStartupLanguage(Language::English);
        m_launcher.iniPath = m_ini;
    }
    void TearDown() override {
        SetConfigCopyPath("");
        g_iniFile.Clear();
        SetStartupLanguage(Language::English);
    }

    test::TempFolder m_folder;
    std::string m_ini;
    RecordingLauncher m_launcher;
};

TEST_F(LanguageCommand, NewLanguageIsOnDiskBeforeTheWindowClosesAndTheProgramStarts) {
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only installation" : "writable Program.ini");
        if (readOnly) {
            // The installation's file cannot be replaced (its folder is a regular file): the
            // choice goes to the user's copy.
            WriteAll(m_folder.File("share"), "");
            ASSERT_TRUE(g_iniFile.LoadFromBytes(kEnglishIni, m_folder.File("share/Program.ini"),
                                                true, true));
            SetStartupLanguage(Language::English);
            m_launcher.iniPath = m_folder.File("config/velmora/Program.ini");
            SetConfigCopyPath(m_launcher.iniPath);
        }
        QWidget mainWindow;
        mainWindow.show();
        m_launcher.window = &mainWindow;
        const ProgramInvocation program{"/opt/velmora/velmora", {"--ini", "/tmp/x.ini", "a.dat"}};
        EXPECT_EQ(ApplyLanguageChoice(Language::Chinese, &mainWindow, m_launcher, program),
                  R::Restarted);
        EXPECT_EQ(m_launcher.starts, readOnly ? 2 : 1);
        EXPECT_EQ(m_launcher.iniOnDisk, kChineseIni);
        EXPECT_FALSE(m_launcher.windowOpenAtStart);
        EXPECT_EQ(m_launcher.program, "/opt/velmora/velmora");
        EXPECT_EQ(m_launcher.arguments, QStringList({"--ini", "/tmp/x.ini", "a.dat"}));
        EXPECT_FALSE(g_iniFile.IsModified());
    }
}

TEST_F(LanguageCommand, WindowThatStaysOpenStartsNoSecondInstance) {
    StubbornWindow mainWindow;
    mainWindow.show();
    EXPECT_EQ(ApplyLanguageChoice(Language::Chinese, &mainWindow, m_launcher,
                                  ProgramInvocation::Current()),
              R::CloseRefused);
    EXPECT_EQ(m_launcher.starts, 0);
    EXPECT_TRUE(mainWindow.isVisible());
}

// Cancel changes nothing; OK with the other language restarts this very program, unless
// Program.ini cannot keep the choice: then the user is told and nothing restarts.
TEST_F(LanguageCommand, TheDialogsAnswerDecides) {
    const struct {
        bool ok;
        bool storable; // false: no file behind g_iniFile
        R result;
        const char* onDisk;
    } cases[] = {
        {false, true, R::Unchanged, kEnglishIni},
        {true, false, R::NotStored, kEnglishIni},
        {true, true, R::Restarted, kChineseIni},
    };
    test::RecordingPrompter prompter;
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.result));
        ASSERT_TRUE(g_iniFile.Load(m_ini, true, true));
        if (!c.storable) {
            g_iniFile.Clear();
        }
        QWidget mainWindow;
        mainWindow.show();
        // Answers the modal dialog once it is up: Chinese, then OK or Cancel.
        QTimer::singleShot(0, [ok = c.ok] {
            auto* dialog = qobject_cast<CLanguageDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->EnglishButton()->isChecked());
            dialog->ChineseButton()->setChecked(true);
            (ok ? dialog->OkButton() : dialog->CancelButton())->click();
        });
        EXPECT_EQ(RunLanguageCommand(nullptr, &mainWindow, m_launcher, &prompter, "Velmora"),
                  c.result);
        EXPECT_EQ(mainWindow.isVisible(), c.result != R::Restarted);
        EXPECT_EQ(ReadAll(m_ini), c.onDisk);
    }
    EXPECT_EQ(m_launcher.starts, 1);
    EXPECT_EQ(m_launcher.program, QCoreApplication::applicationFilePath());
    EXPECT_EQ(m_launcher.arguments, QCoreApplication::arguments().mid(1));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Velmora");
    EXPECT_EQ(prompter.shown[0].text,
              "The language could not be saved in Program.ini; the program keeps its language.");
}

} // namespace
} // namespace velmora
