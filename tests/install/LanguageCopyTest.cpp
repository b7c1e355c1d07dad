// The Language command of a user who cannot write the installation's Program.ini: the choice
// lands in the user's own copy before the program starts again, and the next start reads it.
#include "base/ConfigLocation.h"
#include "base/StartupConfig.h"
#include "base/TempFolder.h"
#include "settings/LanguageDlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace velmora {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

struct CopyOnStartLauncher : ProgramLauncher {
    bool Start(const QString&, const QStringList&) override {
        ++starts;
        copyOnDisk = ReadAll(copyPath);
        return true;
    }
    std::string copyPath;
    int starts = 0;
    std::string copyOnDisk;
};

class ReadOnlyInstallation : public ::testing::Test {
protected:
    void SetUp() override {
        // The installation's file cannot be replaced: its folder is a regular file.
        WriteAll(m_folder.File("share"), "");
        ASSERT_TRUE(
            g_iniFile.LoadFromBytes(kInstalled, m_folder.File("share/Program.ini"), true, true));
        SetStartupLanguage(Language::English);
        m_launcher.copyPath = m_folder.File("config/velmora/Program.ini");
    }
    void TearDown() override {
        SetConfigCopyPath("");
        g_iniFile.Clear();
        SetStartupLanguage(Language::English);
    }

    static constexpr const char* kInstalled = "[Setup]\r\nLanguage=English\r\nShowLang=1\r\n";
    TempFolder m_folder;
    CopyOnStartLauncher m_launcher;
};

TEST_F(ReadOnlyInstallation, ChoiceGoesToTheUsersCopyBeforeTheRestart) {
    SetConfigCopyPath(m_launcher.copyPath);
    EXPECT_EQ(ApplyLanguageChoice(Language::Chinese, nullptr, m_launcher, {"velmora", {}}),
              LanguageSwitchResult::Restarted);
    EXPECT_EQ(m_launcher.starts, 1);
    EXPECT_EQ(m_launcher.copyOnDisk, "[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n");
    EXPECT_FALSE(g_iniFile.IsModified());

    // The next start: installation file read-only, the copy exists.
    const ConfigCandidates next{{},
                                {m_folder.File("Program.ini"), false, false},
                                {m_folder.File("share/Program.ini"), true, false},
                                {m_launcher.copyPath, true, true}};
    EXPECT_EQ(ChooseConfigLocation(next).readPath, m_launcher.copyPath);
}

TEST_F(ReadOnlyInstallation, WithoutACopyPlaceTheSwitchFailsAndNothingRestarts) {
    EXPECT_EQ(ApplyLanguageChoice(Language::Chinese, nullptr, m_launcher, {"velmora", {}}),
              LanguageSwitchResult::NotSaved);
    EXPECT_EQ(m_launcher.starts, 0);
    EXPECT_FALSE(std::filesystem::exists(m_launcher.copyPath));
}

} // namespace
} // namespace velmora
