#include "image/DataFile.h"
#include "image/MemoryImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("velmora-datafile-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    void WriteBytes(const std::string& name, std::size_t size, std::uint8_t fill) const {
        std::ofstream out(Path(name), std::ios::binary);
        const std::string bytes(size, static_cast<char>(fill));
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path m_dir;
};

TEST(MemoryImageTest, NewImageIsAllFFButTheElevenDefaults) {
    const MemoryImage image = NewImage();
    const std::pair<std::size_t, std::uint8_t> defaults[] = {
        {0x1FC1, 0x01}, {0x1FC3, 0x01}, {0x1FD6, 0x00}, {0x1FD7, 0x00},
        {0x1FE0, 0x04}, {0x1FE1, 0xD4}, {0x1FE2, 0x21}, {0x1FE4, 0x00},
        {0x1FE5, 0x01}, {0x1FE6, 0x02}, {0x1FE7, 0x00},
    };
    MemoryImage expected;
    expected.fill(0xFF);
    for (auto [at, value] : defaults) {
        expected[at] = value;
    }
    EXPECT_EQ(image, expected);
    EXPECT_EQ(image[0x1FE3], 0xFF);
}

TEST_F(DataFileTest, LoadRefusesWhatIsNotAWholeImageAndLeavesTheImageAlone) {
    WriteBytes("short.dat", kImageSize - 1, 0x12);
    WriteBytes("empty.dat", 0, 0);
    fs::create_directory(Path("folder.dat"));
    ASSERT_EQ(::mkfifo(Path("fifo.dat").c_str(), 0600), 0);

    const struct {
        std::string name;
        FileError error;
    } cases[] = {
        {"short.dat", FileError::TooShort},   {"empty.dat", FileError::TooShort},
        {"missing.dat", FileError::NotFound}, {"folder.dat", FileError::IsDirectory},
        {"fifo.dat", FileError::NotRegular},
    };
    for (const auto& c : cases) {
        MemoryImage image = NewImage();
        const FileResult result = LoadDataFile(Path(c.name), image);
        EXPECT_EQ(result.error, c.error) << c.name;
        EXPECT_EQ(image, NewImage()) << c.name;
    }
}

TEST_F(DataFileTest, LongerFileGivesItsFirst8192Bytes) {
    {
        std::ofstream out(Path("long.dat"), std::ios::binary);
        for (std::size_t i = 0; i < kImageSize + 100; ++i) {
            out.put(static_cast<char>(i < kImageSize ? i % 251 : 0xAA));
        }
    }
    MemoryImage image{};
    ASSERT_TRUE(LoadDataFile(Path("long.dat"), image));
    for (std::size_t i = 0; i < kImageSize; ++i) {
        ASSERT_EQ(image[i], i % 251) << i;
    }
}

TEST_F(DataFileTest, SaveWritesExactlyTheImageAndReopensByteForByte) {
    MemoryImage image = NewImage();
    for (std::size_t i = 0; i < 0x200; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7);
    }
    ASSERT_TRUE(SaveDataFile(Path("saved.dat"), image));
    EXPECT_EQ(fs::file_size(Path("saved.dat")), kImageSize);
    MemoryImage back{};
    ASSERT_TRUE(LoadDataFile(Path("saved.dat"), back));
    EXPECT_EQ(back, image);
    // Nothing but the file itself is left in the folder (no temporary file).
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(DataFileTest, FailedSaveKeepsThePreviousFileWhole) {
    WriteBytes("old.dat", kImageSize, 0x5A);
    const std::string before = ReadAll(Path("old.dat"));
    // A path whose folder is a regular file cannot be written, even by root.
    const FileResult blocked = SaveDataFile(Path("old.dat") + "/inside.dat", NewImage());
    EXPECT_EQ(blocked.error, FileError::WriteFailed);
    fs::create_directory(Path("target-is-folder.dat"));
    EXPECT_EQ(SaveDataFile(Path("target-is-folder.dat"), NewImage()).error, FileError::IsDirectory);
    EXPECT_EQ(ReadAll(Path("old.dat")), before);
}

TEST(DataFileMessageTest, MessagesNameTheFileAndTheReason) {
    EXPECT_EQ(DescribeLoadFailure("a.dat", {FileError::TooShort, {}}, Language::English),
              "Cannot open a.dat: the file is shorter than 8192 bytes");
    EXPECT_EQ(DescribeSaveFailure("b.dat", {FileError::WriteFailed, "Permission denied"},
                                  Language::English),
              "Cannot save b.dat: it cannot be written (Permission denied)");
    EXPECT_EQ(DescribeLoadFailure("c.dat", {FileError::NotFound, {}}, Language::Chinese),
              "无法打开 c.dat: 文件不存在");
}

} // namespace
} // namespace velmora
