// The command-line tool in an installed layout (<prefix>/bin, <prefix>/share/velmora), run by a
// user who cannot write the installation's Program.ini: that file until the user has a copy.
#include "base/TempFolder.h"
#include "image/DataFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(InstalledCli, ReadOnlyInstallationGivesWayToTheUsersCopy) {
    // An ordinary user: root could write the installation's file.
    const std::string prefix =
        geteuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup --clear-groups" : "";
    if (!prefix.empty() && access("/usr/bin/setpriv", X_OK) != 0) {
        GTEST_SKIP() << "running as root without setpriv";
    }
    test::TempFolder folder;
    fs::permissions(folder.File(""), fs::perms(0755));
    fs::create_directories(folder.File("usr/bin"));
    fs::create_directories(folder.File("usr/share/velmora"));
    fs::create_directories(folder.File("cfg/velmora"));
    fs::copy_file(VELMORA_BIN_DIR "/velmora-cli", folder.File("usr/bin/cli"));
    ASSERT_TRUE(SaveDataFile(folder.File("x.dat"), NewImage()));
    const std::string ini = "[Setup]\r\nAppName=Velmora\r\nField1=136-174MHz\r\nType1=";
    test::WriteAll(folder.File("usr/share/velmora/Program.ini"), ini + "VR-SHARED\r\n");
    fs::permissions(folder.File("usr/share/velmora"), fs::perms(0555));
    // The first line the installed tool prints for x.dat.
    const auto info = [&] {
        std::system(("env XDG_CONFIG_HOME=" + folder.File("cfg") + " HOME=" + folder.File("") +
                     " " + prefix + " " + folder.File("usr/bin/cli") + " info " +
                     folder.File("x.dat") + " 2>&1 | head -n 1 >" + folder.File("out.txt"))
                        .c_str());
        return test::ReadAll(folder.File("out.txt"));
    };
    EXPECT_EQ(info(), "Type: VR-SHARED\n");
    test::WriteAll(folder.File("cfg/velmora/Program.ini"), ini + "VR-USER\r\n");
    EXPECT_EQ(info(), "Type: VR-USER\n");
    fs::permissions(folder.File("usr/share/velmora"), fs::perms(0755));
}

} // namespace
} // namespace velmora
