// Which Program.ini a run uses, and where a changed one goes when the installation's file
// cannot be written.
#include "base/ConfigLocation.h"
#include "base/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace velmora {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

constexpr const char* kIni = "/opt/x/Program.ini";
constexpr const char* kBeside = "/usr/bin/Program.ini";
constexpr const char* kShared = "/usr/share/velmora/Program.ini";
constexpr const char* kUser = "/home/u/.config/velmora/Program.ini";

// Facts per candidate: '-' missing, 'r' read-only, 'w' writable.
ConfigCandidate Fact(const char* path, char fact) {
    return {path, fact != '-', fact == 'w'};
}

TEST(ChooseConfigLocation, DecisionTable) {
    const struct {
        const char* ini; // "" when --ini is not given
        char beside, shared, user;
        ConfigOrigin origin;
        const char* read;
        const char* copy;
    } cases[] = {
        // --ini wins whether or not it exists, and is never redirected.
        {kIni, 'w', 'w', 'w', ConfigOrigin::CommandLine, kIni, ""},
        {kIni, '-', '-', '-', ConfigOrigin::CommandLine, kIni, ""},
        {kIni, 'r', 'r', 'w', ConfigOrigin::CommandLine, kIni, ""},
        // Next to the program wins over the share folder (the build tree, a copied folder).
        {"", 'w', 'w', '-', ConfigOrigin::BesideProgram, kBeside, ""},
        {"", 'w', '-', 'w', ConfigOrigin::BesideProgram, kBeside, ""},
        {"", 'r', 'w', '-', ConfigOrigin::BesideProgram, kBeside, kUser},
        {"", 'r', '-', 'w', ConfigOrigin::UserCopy, kUser, ""},
        // The installed layout.
        {"", '-', 'w', '-', ConfigOrigin::Installation, kShared, ""},
        {"", '-', 'w', 'w', ConfigOrigin::Installation, kShared, ""},
        {"", '-', 'r', '-', ConfigOrigin::Installation, kShared, kUser},
        {"", '-', 'r', 'w', ConfigOrigin::UserCopy, kUser, ""},
        {"", '-', 'r', 'r', ConfigOrigin::UserCopy, kUser, ""},
        // No installation file at all.
        {"", '-', '-', 'w', ConfigOrigin::UserCopy, kUser, ""},
        {"", '-', '-', '-', ConfigOrigin::BesideProgram, kBeside, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("ini='") + c.ini + "' beside=" + c.beside + " shared=" + c.shared +
                     " user=" + c.user);
        const ConfigCandidates candidates{Fact(c.ini, c.ini[0] ? 'w' : '-'),
                                          Fact(kBeside, c.beside), Fact(kShared, c.shared),
                                          Fact(kUser, c.user)};
        const ConfigLocation location = ChooseConfigLocation(candidates);
        EXPECT_EQ(location.origin, c.origin);
        EXPECT_EQ(location.readPath, c.read);
        EXPECT_EQ(location.copyPath, c.copy);
    }
}

TEST(ChooseConfigLocation, WithoutAHomeFolderAReadOnlyInstallationHasNoCopy) {
    ConfigCandidates candidates;
    candidates.besideProgram = Fact(kBeside, '-');
    candidates.installation = Fact(kShared, 'r');
    const ConfigLocation location = ChooseConfigLocation(candidates);
    EXPECT_EQ(location.readPath, kShared);
    EXPECT_EQ(location.copyPath, "");
}

TEST(ConfigCandidatesFor, PathsFromTheProgramFolderAndTheEnvironment) {
    const struct {
        const char* xdg;
        const char* home;
        const char* user;
    } cases[] = {
        {"/x/cfg", "/home/u", "/x/cfg/velmora/Program.ini"},
        {nullptr, "/home/u", "/home/u/.config/velmora/Program.ini"},
        {"relative/cfg", "/home/u", "/home/u/.config/velmora/Program.ini"},
        {"", "/home/u", "/home/u/.config/velmora/Program.ini"},
        {nullptr, "", ""},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + " " + (c.home ? c.home : "(unset)"));
        const ConfigCandidates candidates = ConfigCandidatesFor("/usr/bin", "", c.xdg, c.home);
        EXPECT_EQ(candidates.commandLine.path, "");
        EXPECT_EQ(candidates.besideProgram.path, "/usr/bin/Program.ini");
        EXPECT_EQ(candidates.installation.path, "/usr/share/velmora/Program.ini");
        EXPECT_EQ(candidates.userCopy.path, c.user);
    }
    EXPECT_EQ(ConfigCandidatesFor("/opt/v/bin", "my.ini", nullptr, nullptr).commandLine.path,
              "my.ini");
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
    EXPECT_FALSE(candidates.besideProgram.exists);
    EXPECT_TRUE(candidates.installation.exists);
    EXPECT_TRUE(candidates.installation.writable); // these tests may run as root
    EXPECT_FALSE(candidates.userCopy.exists);
    EXPECT_FALSE(candidates.userCopy.writable);
    EXPECT_EQ(ChooseConfigLocation(candidates).readPath,
              folder.File("usr/share/velmora/Program.ini"));
    // The write probe leaves nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("usr/share/velmora")),
                            std::filesystem::directory_iterator()),
              1);
}

// An installation file that cannot be replaced: its path runs through a regular file.
struct SaveConfigFixture : ::testing::Test {
    void LoadReadOnly(const std::string& bytes) {
        WriteAll(folder.File("blocker"), "");
        ASSERT_TRUE(ini.LoadFromBytes(bytes, folder.File("blocker/Program.ini"), true, true));
    }
    TempFolder folder;
    CIniFile ini;
};

TEST_F(SaveConfigFixture, ReadOnlyInstallationGoesToTheUsersCopyWithItsEncoding) {
    const struct {
        const char* name;
        std::string original;
        std::string value;
        std::string saved;
    } cases[] = {
        {"utf8", "[Setup]\nLanguage=English\nShowLang=1\n[Chinese]\nCompany=\xE5\xB7\xA5\n",
         "Chinese",
         "[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n[Chinese]\r\nCompany=\xE5\xB7\xA5\r\n"},
        {"bom", "\xEF\xBB\xBF[Setup]\r\nLanguage=Chinese\r\n", "English",
         "\xEF\xBB\xBF[Setup]\r\nLanguage=English\r\n"},
        {"gbk", "[Setup]\r\nLanguage=English\r\n[Chinese]\r\nCompany=\xB6\xD4\r\n", "Chinese",
         "[Setup]\r\nLanguage=Chinese\r\n[Chinese]\r\nCompany=\xB6\xD4\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadReadOnly(c.original);
        ASSERT_TRUE(ini.SetValue("Setup", "Language", c.value));
        const std::string copy = folder.File(std::string("cfg-") + c.name + "/velmora/Program.ini");

        EXPECT_TRUE(SaveConfig(ini, copy));
        EXPECT_EQ(ReadAll(copy), c.saved);
        EXPECT_EQ(ini.Path(), copy);
        EXPECT_FALSE(ini.IsModified());
        EXPECT_EQ(ini.GetValue("setup", "language", ""), c.value);
    }
}

TEST_F(SaveConfigFixture, FailureIsReportedAndTheChangeStaysPending) {
    LoadReadOnly("[Setup]\r\nLanguage=English\r\n");
    ASSERT_TRUE(ini.SetValue("Setup", "Language", "Chinese"));
    EXPECT_FALSE(SaveConfig(ini, ""));                                     // no copy wanted
    EXPECT_FALSE(SaveConfig(ini, folder.File("blocker/cfg/Program.ini"))); // copy impossible too
    EXPECT_TRUE(ini.IsModified());
    EXPECT_EQ(ini.Path(), folder.File("blocker/Program.ini"));
}

TEST_F(SaveConfigFixture, WritableFileIsWrittenInPlaceAndNoCopyMade) {
    const std::string path = folder.File("Program.ini");
    WriteAll(path, "[Setup]\r\nLanguage=English\r\n");
    ASSERT_TRUE(ini.Load(path, true, true));
    ASSERT_TRUE(ini.SetValue("Setup", "Language", "Chinese"));
    const std::string copy = folder.File("cfg/velmora/Program.ini");

    EXPECT_TRUE(SaveConfig(ini, copy));
    EXPECT_EQ(ReadAll(path), "[Setup]\r\nLanguage=Chinese\r\n");
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(ini.Path(), path);
}

} // namespace
} // namespace velmora
