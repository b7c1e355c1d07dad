// Which Program.ini a run uses, and where a changed one goes when the installation's file
// cannot be written.
#include "base/ConfigLocation.h"
#include "base/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

namespace velmora {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

constexpr const char* kIni = "/opt/x/Program.ini";
constexpr const char* kBeside = "/usr/bin/Program.ini";
constexpr const char* kShared = "/usr/share/velmora/Program.ini";
constexpr const char* kUser = "/home/u/.config/velmora/Program.ini";

// Facts per candidate: '-' missing, 'r' read-only, 'w' writable, '0' no path at all.
ConfigCandidate Fact(const char* path, char fact) {
    return {fact == '0' ? "" : path, fact == 'r' || fact == 'w', fact == 'w'};
}

TEST(ChooseConfigLocation, DecisionTable) {
    const struct {
        const char* ini;   // "" when --ini is not given
        const char* facts; // next to the program, in the share folder, the user's copy
        ConfigOrigin origin;
        const char* read;
        const char* copy;
    } cases[] = {
        // --ini wins whether or not it exists, and is never redirected.
        {kIni, "rrw", ConfigOrigin::CommandLine, kIni, ""},
        // Next to the program wins over the share folder (the build tree, a copied folder).
        {"", "www", ConfigOrigin::BesideProgram, kBeside, ""},
        {"", "rw-", ConfigOrigin::BesideProgram, kBeside, kUser},
        // The installed layout.
        {"", "-ww", ConfigOrigin::Installation, kShared, ""},
        {"", "-r-", ConfigOrigin::Installation, kShared, kUser},
        {"", "-rw", ConfigOrigin::UserCopy, kUser, ""},
        // No installation file at all.
        {"", "--w", ConfigOrigin::UserCopy, kUser, ""},
        {"", "---", ConfigOrigin::BesideProgram, kBeside, ""},
        // Without a home folder ('0': no place for a copy) a read-only installation has none.
        {"", "-r0", ConfigOrigin::Installation, kShared, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("ini='") + c.ini + "' " + c.facts);
        const ConfigLocation location =
            ChooseConfigLocation({Fact(c.ini, c.ini[0] ? 'w' : '-'), Fact(kBeside, c.facts[0]),
                                  Fact(kShared, c.facts[1]), Fact(kUser, c.facts[2])});
        EXPECT_EQ(location.origin, c.origin);
        EXPECT_EQ(location.readPath, c.read);
        EXPECT_EQ(location.copyPath, c.copy);
    }
}

TEST(ConfigCandidatesFor, PathsFromTheProgramFolderAndTheEnvironment) {
    const struct {
        const char* xdg;
        const char* home;
        const char* user;
    } cases[] = {
        {"/x/cfg", "/home/u", "/x/cfg/velmora/Program.ini"},
        {"relative/cfg", "/home/u", "/home/u/.config/velmora/Program.ini"},
        {nullptr, "", ""},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + " " + (c.home ? c.home : "(unset)"));
        EXPECT_EQ(ConfigCandidatesFor("/usr/bin", "", c.xdg, c.home).userCopy.path, c.user);
    }
    const ConfigCandidates candidates = ConfigCandidatesFor("/usr/bin", "my.ini", nullptr, nullptr);
    EXPECT_EQ(candidates.commandLine.path, "my.ini");
    EXPECT_EQ(candidates.besideProgram.path, "/usr/bin/Program.ini");
    EXPECT_EQ(candidates.installation.path, "/usr/share/velmora/Program.ini");
}

TEST(ProbeConfigCandidates, FindsAnInstalledLayout) {
    TempFolder folder;
    std::filesystem::create_directories(folder.File("usr/bin"));
    std::filesystem::create_directories(folder.File("usr/share/velmora"));
    WriteAll(folder.File("usr/share/velmora/Program.ini"), "[Setup]\r\n");
    WriteAll(folder.File("home"), "a file where a folder should be");
    ConfigCandidates candidates =
        ConfigCandidatesFor(folder.File("usr/bin"), "", nullptr, folder.File("home").c_str());
    ProbeConfigCandidates(candidates);
    const auto facts = [](const ConfigCandidate& c) { return std::pair(c.exists, c.writable); };
    EXPECT_EQ(facts(candidates.besideProgram), std::pair(false, false));
    EXPECT_EQ(facts(candidates.installation), std::pair(true, true)); // may run as root
    EXPECT_EQ(facts(candidates.userCopy), std::pair(false, false));
    // The write probe leaves nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("usr/share/velmora")),
                            std::filesystem::directory_iterator()),
              1);
}

// A changed Program.ini is written in place where it can be. The installation's that cannot be
// replaced (its path runs through a regular file) goes whole, in its encoding, to the user's
// copy, which is then the file in use; with no place for a copy the change stays pending.
TEST(SaveConfig, InPlaceOrToTheUsersCopyOrStaysPending) {
    TempFolder folder;
    const std::string copy = folder.File("cfg/velmora/Program.ini");
    CIniFile writable;
    WriteAll(folder.File("Program.ini"), "[Setup]\r\nLanguage=English\r\n");
    ASSERT_TRUE(writable.Load(folder.File("Program.ini"), true, true));
    ASSERT_TRUE(writable.SetValue("Setup", "Language", "Chinese"));
    EXPECT_TRUE(SaveConfig(writable, copy));
    EXPECT_EQ(ReadAll(folder.File("Program.ini")), "[Setup]\r\nLanguage=Chinese\r\n");
    EXPECT_EQ(writable.Path(), folder.File("Program.ini"));
    EXPECT_FALSE(std::filesystem::exists(copy));

    WriteAll(folder.File("blocker"), "");
    const std::string gbk = "[Setup]\r\nLanguage=English\r\n[Chinese]\r\nCompany=\xB6\xD4\r\n";
    CIniFile installed;
    ASSERT_TRUE(installed.LoadFromBytes(gbk, folder.File("blocker/Program.ini"), true, true));
    ASSERT_TRUE(installed.SetValue("Setup", "Language", "Chinese"));
    EXPECT_FALSE(SaveConfig(installed, ""));                                     // no copy wanted
    EXPECT_FALSE(SaveConfig(installed, folder.File("blocker/cfg/Program.ini"))); // nor possible
    EXPECT_TRUE(installed.IsModified());
    EXPECT_EQ(installed.Path(), folder.File("blocker/Program.ini"));

    EXPECT_TRUE(SaveConfig(installed, copy));
    EXPECT_EQ(ReadAll(copy), "[Setup]\r\nLanguage=Chinese\r\n[Chinese]\r\nCompany=\xB6\xD4\r\n");
    EXPECT_EQ(installed.Path(), copy);
    EXPECT_FALSE(installed.IsModified());
    EXPECT_EQ(installed.GetValue("SETUP", "language", ""), "Chinese"); // as start-up reads it
}

} // namespace
} // namespace velmora
