// The command-line tool copied into an installed layout (<prefix>/bin, <prefix>/share/velmora)
// finds the Program.ini that a user of that installation should get.
#include "base/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::WriteAll;

std::string IniOfType(const std::string& type) {
    return "[Setup]\r\nAppName=Velmora\r\nType1=" + type + "\r\nField1=136-174MHz\r\n";
}

class InstalledCli : public ::testing::Test {
protected:
    void SetUp() override {
        fs::permissions(m_folder.File(""), fs::perms(0755));
        fs::create_directories(m_folder.File("usr/bin"));
        fs::create_directories(m_folder.File("usr/share/velmora"));
        fs::create_directories(m_folder.File("cfg/velmora"));
        fs::permissions(m_folder.File("cfg"), fs::perms::all);
        fs::copy_file(std::string(VELMORA_BIN_DIR) + "/velmora-cli", m_folder.File("usr/bin/cli"));
        WriteAll(m_folder.File("usr/share/velmora/Program.ini"), IniOfType("VR-SHARED"));
        ASSERT_EQ(Run("", "new " + m_folder.File("x.dat")), "");
    }
    void TearDown() override {
        fs::permissions(m_folder.File("usr/share/velmora"), fs::perms(0755));
    }

    // The first output line of the installed tool, run (optionally) through a prefix command.
    std::string Run(const std::string& prefix, const std::string& arguments) {
        const std::string command = "env XDG_CONFIG_HOME=" + m_folder.File("cfg") +
                                    " HOME=" + m_folder.File("") + " " + prefix + " " +
                                    m_folder.File("usr/bin/cli") + " " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 256> line{};
        std::string first;
        if (pipe != nullptr) {
            if (fgets(line.data(), static_cast<int>(line.size()), pipe) != nullptr) {
                first = line.data();
            }
            pclose(pipe);
        }
        return first;
    }

    TempFolder m_folder;
};

TEST_F(InstalledCli, ReadsTheInstallationsFileThenTheOneBesideIt) {
    WriteAll(m_folder.File("cfg/velmora/Program.ini"), IniOfType("VR-USER"));
    // A user who can write the installation's file uses it, copy or not.
    if (geteuid() == 0 || access(m_folder.File("usr/share/velmora").c_str(), W_OK) == 0) {
        EXPECT_EQ(Run("", "info " + m_folder.File("x.dat")), "Type: VR-SHARED\n");
    }
    WriteAll(m_folder.File("usr/bin/Program.ini"), IniOfType("VR-BESIDE"));
    EXPECT_EQ(Run("", "info " + m_folder.File("x.dat")), "Type: VR-BESIDE\n");
}

TEST_F(InstalledCli, ReadOnlyInstallationGivesWayToTheUsersCopy) {
    std::string prefix;
    if (geteuid() == 0) {
        if (access("/usr/bin/setpriv", X_OK) != 0) {
            GTEST_SKIP() << "running as root without setpriv";
        }
        prefix = "setpriv --reuid=nobody --regid=nogroup --clear-groups";
    } else {
        fs::permissions(m_folder.File("usr/share/velmora"), fs::perms(0555));
    }
    EXPECT_EQ(Run(prefix, "info " + m_folder.File("x.dat")), "Type: VR-SHARED\n");
    WriteAll(m_folder.File("cfg/velmora/Program.ini"), IniOfType("VR-USER"));
    EXPECT_EQ(Run(prefix, "info " + m_folder.File("x.dat")), "Type: VR-USER\n");
}

} // namespace
} // namespace velmora
