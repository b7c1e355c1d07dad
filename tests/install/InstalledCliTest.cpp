// The command-line tool copied into an installed layout (<prefix>/bin, <prefix>/share/velmora)
// run by a user who cannot write the installation's Program.ini: the installation's file until
// the user has a copy, then the copy. (That the installed tool reads share/velmora/Program.ini
// is scripts/check-install's; which file wins when is ChooseConfigLocation's decision table.)
#include "base/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string IniOfType(const std::string& type) {
    return "[Setup]\r\nAppName=Velmora\r\nType1=" + type + "\r\nField1=136-174MHz\r\n";
}

TEST(InstalledCli, ReadOnlyInstallationGivesWayToTheUsersCopy) {
    test::TempFolder folder;
    std::string prefix; // runs the tool as an ordinary user when the test runs as root
    if (geteuid() == 0) {
        if (access("/usr/bin/setpriv", X_OK) != 0) {
            GTEST_SKIP() << "running as root without setpriv";
        }
        prefix = "setpriv --reuid=nobody --regid=nogroup --clear-groups";
    }
    fs::permissions(folder.File(""), fs::perms(0755));
    fs::create_directories(folder.File("usr/bin"));
    fs::create_directories(folder.File("usr/share/velmora"));
    fs::create_directories(folder.File("cfg/velmora"));
    fs::permissions(folder.File("cfg"), fs::perms::all);
    fs::copy_file(std::string(VELMORA_BIN_DIR) + "/velmora-cli", folder.File("usr/bin/cli"));
    test::WriteAll(folder.File("usr/share/velmora/Program.ini"), IniOfType("VR-SHARED"));
    // The first output line of the installed tool.
    const auto run = [&](const std::string& arguments) {
        const std::string out = folder.File("out.txt");
        std::system(("env XDG_CONFIG_HOME=" + folder.File("cfg") + " HOME=" + folder.File("") +
                     " " + prefix + " " + folder.File("usr/bin/cli") + " " + arguments + " >" +
                     out + " 2>&1")
                        .c_str());
        const std::string text = test::ReadAll(out);
        return text.substr(0, text.find('\n') + 1);
    };
    ASSERT_EQ(run("new " + folder.File("cfg/x.dat")), "");
    fs::permissions(folder.File("usr/share/velmora"), fs::perms(0555));
    EXPECT_EQ(run("info " + folder.File("cfg/x.dat")), "Type: VR-SHARED\n");
    test::WriteAll(folder.File("cfg/velmora/Program.ini"), IniOfType("VR-USER"));
    EXPECT_EQ(run("info " + folder.File("cfg/x.dat")), "Type: VR-USER\n");
    fs::permissions(folder.File("usr/share/velmora"), fs::perms(0755));
}

} // namespace
} // namespace velmora
