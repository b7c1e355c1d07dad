// The one save every file goes through: the order of its system calls, a failure at each of
// them, and what a save keeps of the file it replaces (permission bits, owner, links).
#include "base/FileIo.h"
#include "base/FileSystemCalls.h"
#include "base/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace velmora {
namespace {

namespace fs = std::filesystem;

// The calls a save made, in order, and the one call that is to fail and how.
std::vector<std::string> g_calls;
std::string g_failAt;
int g_failWith = EIO;

// A call's name as a template argument.
template <std::size_t N> struct CallName {
    constexpr CallName(const char (&text)[N]) { std::copy_n(text, N, name); }
    char name[N];
};

// Records the call, then fails it or passes it on to the system.
template <CallName Name, auto Call, typename... Args> int Watched(Args... args) {
    g_calls.emplace_back(Name.name);
    return g_failAt == Name.name ? g_failWith : (SystemFileCalls().*Call)(args...);
}

using C = FileSystemCalls;

// A failed close still closes, as the system's close does.
constexpr FileSystemCalls kWatched{
    Watched<"create", &C::createNew>,
    Watched<"write", &C::write>,
    Watched<"setOwner", &C::setOwner>,
    Watched<"setMode", &C::setMode>,
    Watched<"flush", &C::flush>,
    [](FileHandle file) {
        const int closed = SystemFileCalls().close(file);
        g_calls.emplace_back("close");
        return g_failAt == "close" ? g_failWith : closed;
    },
    Watched<"link", &C::link>,
    Watched<"rename", &C::rename>,
    Watched<"remove", &C::remove>,
    Watched<"flushFolder", &C::flushFolder>,
};

using Calls = std::vector<std::string>;
using NameSet = std::set<std::string>;
using test::ReadAll;
using test::WriteAll;

class FileSave : public ::testing::Test {
protected:
    void SetUp() override { fs::permissions(dir_, fs::perms(0755)); } // others may look in
    void TearDown() override { SetFileCallsForTest(nullptr); }

    // Sends the saves through kWatched, the named call failing with error.
    static void Watch(const char* failAt, int error) {
        g_calls.clear();
        g_failAt = failAt;
        g_failWith = error;
        SetFileCallsForTest(&kWatched);
    }
    std::string Path(const std::string& name) const { return folder_.File(name); }
    static FileResult Save(const std::string& path, const std::string& bytes) {
        return WriteFileAtomically(
            path, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    }
    static unsigned Mode(const std::string& path) {
        return static_cast<unsigned>(fs::status(path).permissions());
    }
    // The names in the test's folder, to prove no temporary file stayed behind.
    NameSet Names() const {
        NameSet names;
        for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
            names.insert(entry.path().lexically_relative(dir_).string());
        }
        return names;
    }

    // Runs body as an ordinary user (nobody) when the tests run as root, since root may write
    // anywhere; its return value comes back.
    template <typename Body> static int AsOrdinaryUser(const Body& body) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                ::_exit(100);
            }
            ::_exit(body());
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    test::TempFolder folder_;
    const fs::path& dir_ = folder_.Folder();
};

TEST(FileSystemCalls, AFailedSystemCallGivesTheSystemsErrorNeverSuccess) {
    EXPECT_EQ(SystemFileCalls().remove("/velmora-no-such-folder/x"), ENOENT);
}

// Replacing a file: its owner and bits go on the temporary file before the bytes, and a second
// name holds the old file until the folder is on the disk. A failure at any step keeps the old
// file, its bits and no temporary file, and says so; what the system may refuse does not fail
// the save.
TEST_F(FileSave, EachStepInOrderAndAFailureAtAnyOfThem) {
    const Calls replacing = {"create", "setOwner", "setMode", "write",       "flush",
                             "close",  "link",     "rename",  "flushFolder", "remove"};
    const struct {
        const char* failAt;
        int error;
        bool saved;
    } cases[] = {
        // clang-format off
        {"", 0, true},          {"create", EIO, false},   {"setOwner", EIO, false},
        {"setMode", EIO, false}, {"write", EIO, false},   {"flush", EIO, false},
        {"close", EIO, false},  {"rename", EIO, false},   {"flushFolder", EIO, false},
        {"setOwner", EPERM, true},      // another user's file: this user's now
        {"flushFolder", EINVAL, true}, {"flushFolder", ENOTSUP, true}, // a folder cannot be flushed
        {"link", EPERM, true},          // no hard links: no way back, but the save works
        // clang-format on
    };
    for (const auto& c : cases) {
        WriteAll(Path("old.dat"), "old bytes");
        ::chmod(Path("old.dat").c_str(), 0640);
        Watch(c.failAt, c.error);
        const FileResult result = Save(Path("old.dat"), "new bytes");
        EXPECT_EQ(result.error, c.saved ? FileError::None : FileError::WriteFailed) << c.failAt;
        EXPECT_EQ(result.reason, c.saved ? "" : std::strerror(EIO)) << c.failAt;
        EXPECT_EQ(ReadAll(Path("old.dat")), c.saved ? "new bytes" : "old bytes") << c.failAt;
        EXPECT_EQ(Mode(Path("old.dat")), 0640u) << c.failAt;
        EXPECT_EQ(Names(), NameSet{"old.dat"}) << c.failAt;
        if (*c.failAt == 0) {
            EXPECT_EQ(g_calls, replacing);
        }
    }
    // A new file: no old one to keep; one whose folder fails to reach the disk is taken away.
    Watch("", 0);
    ASSERT_TRUE(Save(Path("new.dat"), "first"));
    EXPECT_EQ(g_calls, (Calls{"create", "write", "flush", "close", "rename", "flushFolder"}));
    Watch("flushFolder", EIO);
    EXPECT_EQ(Save(Path("fresh.dat"), "new bytes").error, FileError::WriteFailed);
    EXPECT_EQ(Names(), (NameSet{"new.dat", "old.dat"}));
}

// What a save keeps of the file it replaces and what it refuses, on the real file system. The
// check made before a save finds the same refusals and writes nothing.
TEST_F(FileSave, KeepsModeOwnerAndLinksAndRefusesWhatItMayNotWrite) {
    ::umask(022); // the usual: a new file is 644
    WriteAll(Path("p.dat"), "old");
    ::chmod(Path("p.dat").c_str(), 0600);
    WriteAll(Path("theirs.dat"), "old");
    const bool root = ::chown(Path("theirs.dat").c_str(), 65534, 65534) == 0; // only root may
    WriteAll(Path("real.dat"), "old");
    fs::create_symlink("real.dat", Path("link.dat"));
    fs::create_directory(Path("sub"));
    fs::create_symlink("sub/made.dat", Path("dangling.dat"));
    fs::create_symlink("gone/x.dat", Path("nowhere.dat"));
    fs::create_directory(Path("folder.dat"));
    ASSERT_EQ(::mkfifo(Path("fifo.dat").c_str(), 0600), 0);
    fs::create_directory(Path("ro"));
    WriteAll(Path("ro/old.dat"), "old");
    ::chmod(Path("ro/old.dat").c_str(), 0666);
    ::chmod(Path("ro").c_str(), 0555);
    fs::create_directory(Path("rw"));
    ::chmod(Path("rw").c_str(), 0777);
    WriteAll(Path("rw/locked.dat"), "old");
    ::chmod(Path("rw/locked.dat").c_str(), 0444);
    NameSet names = Names(); // and after the saves, the file the dangling link names
    const struct {
        const char* saveTo;
        bool asOrdinaryUser;
        FileError error;
        const char* holder; // the file that then holds the new bytes, or still the old ones
        unsigned mode;
        std::string reason = ""; // the check's
    } cases[] = {
        // clang-format off
        {"p.dat", false, FileError::None, "p.dat", 0600},               // mode 600 stays 600
        {"theirs.dat", false, FileError::None, "theirs.dat", 0644},     // owner and group stay
        {"link.dat", false, FileError::None, "real.dat", 0644},         // a link's target
        {"dangling.dat", false, FileError::None, "sub/made.dat", 0644}, // made where it points
        {"nowhere.dat", false, FileError::NoFolder, nullptr, 0},        // into a missing folder
        {"folder.dat", false, FileError::IsDirectory, nullptr, 0},
        {"fifo.dat", false, FileError::NotRegular, nullptr, 0},
        {"p.dat/inside.dat", false, FileError::WriteFailed, nullptr, 0, std::strerror(ENOTDIR)},
        {"ro/old.dat", true, FileError::WriteFailed, "ro/old.dat", 0666},       // read-only folder
        {"rw/locked.dat", true, FileError::WriteFailed, "rw/locked.dat", 0444}, // a read-only file
        // clang-format on
    };
    for (const auto& c : cases) {
        const std::string path = Path(c.saveTo);
        if (!c.asOrdinaryUser) {
            const NameSet atCheck = Names();
            const FileResult check = CheckSaveTarget(path);
            EXPECT_EQ(check.error, c.error) << c.saveTo;
            EXPECT_EQ(check.reason, c.reason) << c.saveTo;
            EXPECT_EQ(Names(), atCheck) << c.saveTo;
        }
        const auto save = [&path] { return static_cast<int>(Save(path, "new").error); };
        EXPECT_EQ(c.asOrdinaryUser ? AsOrdinaryUser(save) : save(), static_cast<int>(c.error))
            << c.saveTo;
        if (c.holder != nullptr) {
            EXPECT_EQ(ReadAll(Path(c.holder)), c.error == FileError::None ? "new" : "old")
                << c.saveTo;
            EXPECT_EQ(Mode(Path(c.holder)), c.mode) << c.saveTo;
        }
    }
    struct stat theirs {};
    ::stat(Path("theirs.dat").c_str(), &theirs);
    EXPECT_TRUE(!root || (theirs.st_uid == 65534 && theirs.st_gid == 65534)) << theirs.st_uid;
    // Links stay links, and the one new name is the link's target: no temporary file is left.
    EXPECT_EQ(fs::read_symlink(Path("link.dat")), "real.dat");
    EXPECT_TRUE(fs::is_symlink(Path("dangling.dat")) && fs::is_symlink(Path("nowhere.dat")));
    names.insert("sub/made.dat");
    EXPECT_EQ(Names(), names);
    ::chmod(Path("ro").c_str(), 0755);
}

} // namespace
} // namespace velmora
