// The Language command through its dialog: what is on disk when the program starts again (in
// Program.ini, or the user's copy when the installation's cannot be written), and which program.
#include "base/ConfigLocation.h"
#include "base/StartupConfig.h"
#include "base/TempFolder.h"
#include "settings/LanguageDlg.h"
#include "support/RecordingPrompter.h"

#include <QApplication>
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

// Records each start and what the Program.ini at iniPath held on disk at that moment.
struct RecordingLauncher : ProgramLauncher {
    bool Start(const QString& program, const QStringList& arguments) override {
        starts << (QStringList{program} + arguments);
        iniOnDisk = ReadAll(iniPath);
        return true;
    }
    std::string iniPath;
    QList<QStringList> starts; // each with the program first, then its arguments
    std::string iniOnDisk;
};

// Cancel changes nothing. OK with the other language stores it on disk (in the user's own copy if
// need be), closes the main window and starts this very program; if it cannot be stored, says so.
TEST(LanguageCommand, TheDialogsAnswerDecides) {
    enum Ini { Writable, Missing, ReadOnly };
    const struct {
        bool ok;
        Ini ini;
        R result;
    } cases[] = {
        {false, Writable, R::Unchanged},
        {true, Missing, R::NotStored},
        {true, Writable, R::Restarted},
        {true, ReadOnly, R::Restarted},
    };
    test::TempFolder folder;
    WriteAll(folder.File("share"), ""); // a file: nothing can be written below it
    SetStartupLanguage(Language::English);
    RecordingLauncher launcher;
    test::RecordingPrompter prompter;
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.result) * 10 + c.ini);
        launcher.iniPath = folder.File("Program.ini");
        WriteAll(launcher.iniPath, kEnglishIni);
        EXPECT_TRUE(g_iniFile.Load(launcher.iniPath, true, true));
        if (c.ini == Missing) {
            g_iniFile.Clear();
        } else if (c.ini == ReadOnly) {
            EXPECT_TRUE(
                g_iniFile.LoadFromBytes(kEnglishIni, folder.File("share/Program.ini"), true, true));
            launcher.iniPath = folder.File("config/velmora/Program.ini");
            SetConfigCopyPath(launcher.iniPath);
        }
        QWidget mainWindow;
        mainWindow.show();
        // Answers the modal dialog once it is up: Chinese, then OK or Cancel.
        QTimer::singleShot(0, [ok = c.ok] {
            auto* dialog = qobject_cast<CLanguageDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->ChineseButton()->setChecked(true);
            (ok ? dialog->OkButton() : dialog->CancelButton())->click();
        });
        EXPECT_EQ(RunLanguageCommand(nullptr, &mainWindow, launcher, &prompter, "Velmora"),
                  c.result);
        EXPECT_EQ(mainWindow.isVisible(), c.result != R::Restarted);
        EXPECT_EQ(c.result == R::Restarted ? launcher.iniOnDisk : ReadAll(launcher.iniPath),
                  c.result == R::Restarted ? kChineseIni : kEnglishIni);
    }
    SetConfigCopyPath("");
    g_iniFile.Clear();
    const QStringList self =
        QStringList{QCoreApplication::applicationFilePath()} + QCoreApplication::arguments().mid(1);
    EXPECT_EQ(launcher.starts, QList<QStringList>({self, self}));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Velmora");
    EXPECT_EQ(prompter.shown[0].text,
              "The language could not be saved in Program.ini; the program keeps its language.");
}

} // namespace
} // namespace velmora
