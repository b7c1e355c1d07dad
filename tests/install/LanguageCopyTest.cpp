// The Language command of a user who cannot write the installation's Program.ini: the choice
// lands in the user's own copy before the program starts again. (That the next start reads the
// copy is ChooseConfigLocation's decision table; that a save failing without a copy place
// restarts nothing is SaveConfig's test and settings_gui_test's LanguageSwitch table.)
#include "base/ConfigLocation.h"
#include "base/StartupConfig.h"
#include "base/TempFolder.h"
#include "settings/LanguageDlg.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::ReadAll;

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

TEST(ReadOnlyInstallation, LanguageChoiceGoesToTheUsersCopyBeforeTheRestart) {
    test::TempFolder folder;
    // The installation's file cannot be replaced: its folder is a regular file.
    test::WriteAll(folder.File("share"), "");
    ASSERT_TRUE(g_iniFile.LoadFromBytes("[Setup]\r\nLanguage=English\r\nShowLang=1\r\n",
                                        folder.File("share/Program.ini"), true, true));
    SetStartupLanguage(Language::English);
    CopyOnStartLauncher launcher;
    launcher.copyPath = folder.File("config/velmora/Program.ini");
    SetConfigCopyPath(launcher.copyPath);

    EXPECT_EQ(ApplyLanguageChoice(Language::Chinese, nullptr, launcher, {"velmora", {}}),
              LanguageSwitchResult::Restarted);
    EXPECT_EQ(launcher.starts, 1);
    EXPECT_EQ(launcher.copyOnDisk, "[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n");
    EXPECT_FALSE(g_iniFile.IsModified());

    SetConfigCopyPath("");
    g_iniFile.Clear();
    SetStartupLanguage(Language::English);
}

} // namespace
} // namespace velmora
