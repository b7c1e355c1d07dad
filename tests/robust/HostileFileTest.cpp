// *.dat paths that are not what they seem, and saves that cannot complete: the user gets a
// clear message and the file that was there stays whole.
#include "image/DataFile.h"

#include "base/IniFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace velmora {
namespace {

namespace fs = std::filesystem;

class HostileFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velmora-robust-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(m_dir, fs::perms::owner_all, ignored);
        fs::remove_all(m_dir, ignored);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void WriteAll(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::size_t Entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }
    // Runs `body` in a child process and gives its exit code (-1 when it did not exit).
    static int InChild(const std::function<int()>& body) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::_exit(body());
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path m_dir;
};

TEST_F(HostileFile, DevicesAreRefusedWithoutReadingThem) {
    for (const char* device : {"/dev/zero", "/dev/null", "/dev/urandom"}) {
        MemoryImage image = NewImage();
        const FileResult result = LoadDataFile(device, image);
        EXPECT_EQ(result.error, FileError::NotRegular) << device;
        EXPECT_EQ(image, NewImage()) << device;
        EXPECT_EQ(DescribeLoadFailure(device, result, Language::English),
                  std::string("Cannot open ") + device + ": it is not a regular file");
    }
}

TEST_F(HostileFile, SavingOverAFifoOrDeviceIsRefusedAndLeavesItAlone) {
    ASSERT_EQ(::mkfifo(Path("fifo.dat").c_str(), 0600), 0);
    const FileResult result = SaveDataFile(Path("fifo.dat"), NewImage());
    EXPECT_EQ(result.error, FileError::NotRegular);
    EXPECT_TRUE(fs::is_fifo(Path("fifo.dat")));
    EXPECT_EQ(Entries(), 1u); // no temporary file left behind
    EXPECT_EQ(DescribeSaveFailure("fifo.dat", result, Language::English),
              "Cannot save fifo.dat: it is not a regular file");
    // Program.ini on a FIFO: read as missing nothing, never blocks, never written over.
    CIniFile ini;
    EXPECT_FALSE(ini.Load(Path("fifo.dat"), true, true));
    EXPECT_TRUE(fs::is_fifo(Path("fifo.dat")));
}

TEST_F(HostileFile, HugeSparseFileGivesItsFirst8192BytesAtOnce) {
    {
        std::ofstream out(Path("huge.dat"), std::ios::binary);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            out.put(static_cast<char>(i * 13));
        }
    }
    fs::resize_file(Path("huge.dat"), 4ull << 30); // 4 GiB, all but 8 KiB of it holes
    MemoryImage image{};
    ASSERT_TRUE(LoadDataFile(Path("huge.dat"), image));
    for (std::size_t i = 0; i < kImageSize; ++i) {
        ASSERT_EQ(image[i], static_cast<std::uint8_t>(i * 13)) << i;
    }
    // As Program.ini it is refused before anything is read.
    CIniFile ini;
    EXPECT_FALSE(ini.Load(Path("huge.dat"), true, true));
    EXPECT_EQ(fs::file_size(Path("huge.dat")), 4ull << 30);
}

TEST_F(HostileFile, FileThatVanishesIsMissingAndTheDocumentStays) {
    WriteAll(Path("gone.dat"), std::string(kImageSize, '\x11'));
    MemoryImage image{};
    ASSERT_TRUE(LoadDataFile(Path("gone.dat"), image));
    fs::remove(Path("gone.dat"));
    const MemoryImage loaded = image;
    EXPECT_EQ(LoadDataFile(Path("gone.dat"), image).error, FileError::NotFound);
    EXPECT_EQ(image, loaded);
    // Cut short by another program between two reads: refused, the document unchanged.
    WriteAll(Path("cut.dat"), std::string(100, '\x22'));
    EXPECT_EQ(LoadDataFile(Path("cut.dat"), image).error, FileError::TooShort);
    EXPECT_EQ(image, loaded);
}

TEST_F(HostileFile, FullDiskFailsTheSaveAndKeepsThePreviousFile) {
    const std::string old(kImageSize, '\x5A');
    WriteAll(Path("old.dat"), old);
    // The file size limit stands in for a full disk: writes past 4 KiB fail with EFBIG.
    const int error = InChild([this] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 100;
        }
        const FileResult result = SaveDataFile(Path("old.dat"), NewImage());
        return static_cast<int>(result.error);
    });
    EXPECT_EQ(error, static_cast<int>(FileError::WriteFailed));
    EXPECT_EQ(ReadAll(Path("old.dat")), old);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(HostileFile, ReadOnlyFolderFailsTheSaveWithTheSystemsReason) {
    const std::string old(kImageSize, '\x33');
    WriteAll(Path("old.dat"), old);
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read |
                               fs::perms::others_exec);
    // Root writes anywhere, so the save runs as an ordinary user (nobody) in a child process.
    const int outcome = InChild([this] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return 100;
        }
        const FileResult result = SaveDataFile(Path("old.dat"), NewImage());
        const bool told = DescribeSaveFailure("old.dat", result, Language::English) ==
                          "Cannot save old.dat: it cannot be written (Permission denied)";
        return result.error == FileError::WriteFailed && told ? 0 : 1;
    });
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(ReadAll(Path("old.dat")), old);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(HostileFile, FileHeldOpenByAnotherProgramIsReplacedWhole) {
    WriteAll(Path("held.dat"), std::string(kImageSize, '\x44'));
    // The other program keeps reading what it opened; the folder shows the new file.
    std::ifstream other(Path("held.dat"), std::ios::binary);
    MemoryImage image = NewImage();
    ASSERT_TRUE(SaveDataFile(Path("held.dat"), image));
    std::string seen(kImageSize, '\0');
    other.read(seen.data(), static_cast<std::streamsize>(seen.size()));
    EXPECT_EQ(seen, std::string(kImageSize, '\x44'));
    MemoryImage back{};
    ASSERT_TRUE(LoadDataFile(Path("held.dat"), back));
    EXPECT_EQ(back, image);
    EXPECT_EQ(Entries(), 1u);
}

} // namespace
} // namespace velmora
