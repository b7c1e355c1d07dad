#include "image/DataFile.h"
#include "base/TempFolder.h"
#include "image/MemoryImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteAll;

TEST(MemoryImageTest, NewImageIsAllFFButTheElevenDefaults) {
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
    EXPECT_EQ(NewImage(), expected);
}

TEST(DataFileTest, LoadTakesTheFirst8192BytesAndRefusesLessLeavingTheImageAlone) {
    const test::TempFolder folder;
    std::string longer(kImageSize + 100, '\xAA');
    for (std::size_t i = 0; i < kImageSize; ++i) {
        longer[i] = static_cast<char>(i % 251);
    }
    WriteAll(folder.File("long.dat"), longer);
    WriteAll(folder.File("short.dat"), std::string(kImageSize - 1, '\x12'));
    WriteAll(folder.File("empty.dat"), "");
    fs::create_directory(folder.File("folder.dat"));
    ASSERT_EQ(::mkfifo(folder.File("fifo.dat").c_str(), 0600), 0);
    const struct {
        std::string name;
        FileError error;
    } cases[] = {
        {"long.dat", FileError::None},          {"short.dat", FileError::TooShort},
        {"empty.dat", FileError::TooShort},     {"missing.dat", FileError::NotFound},
        {"folder.dat", FileError::IsDirectory}, {"fifo.dat", FileError::NotRegular},
    };
    for (const auto& c : cases) {
        MemoryImage image = NewImage();
        EXPECT_EQ(LoadDataFile(folder.File(c.name), image).error, c.error) << c.name;
        const MemoryImage untouched = NewImage();
        EXPECT_TRUE(std::string(image.begin(), image.end()) ==
                    (c.error == FileError::None ? longer.substr(0, kImageSize)
                                                : std::string(untouched.begin(), untouched.end())))
            << c.name;
    }
}

// The save itself is the one every file goes through (FileIoTest); here: exactly the image.
TEST(DataFileTest, SaveWritesExactlyTheImageAndNothingElse) {
    const test::TempFolder folder;
    MemoryImage image = NewImage();
    for (std::size_t i = 0; i < 0x200; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7);
    }
    ASSERT_TRUE(SaveDataFile(folder.File("saved.dat"), image));
    EXPECT_EQ(ReadAll(folder.File("saved.dat")), std::string(image.begin(), image.end()));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Folder()), fs::directory_iterator()), 1);
    EXPECT_EQ(SaveDataFile(folder.File(""), image).error, FileError::IsDirectory);
}

TEST(DataFileMessageTest, MessagesNameTheFileAndTheReason) {
    const struct {
        FileError error;
        const char* reason;
        const char* text;
    } cases[] = {
        {FileError::TooShort, "", "a.dat: the file is shorter than 8192 bytes"},
        {FileError::NotFound, "", "a.dat: no such file"},
        {FileError::IsDirectory, "", "a.dat: it is a folder, not a file"},
        {FileError::NotRegular, "", "a.dat: it is not a regular file"},
        {FileError::ReadFailed, "EIO", "a.dat: it cannot be read (EIO)"},
        {FileError::WriteFailed, "Permission denied",
         "a.dat: it cannot be written (Permission denied)"},
        {FileError::NoFolder, "", "a.dat: its folder does not exist"},
    };
    for (const auto& c : cases) {
        const FileResult result{c.error, c.reason};
        EXPECT_EQ(DescribeLoadFailure("a.dat", result, Language::English),
                  std::string("Cannot open ") + c.text);
        EXPECT_EQ(DescribeSaveFailure("a.dat", result, Language::English),
                  std::string("Cannot save ") + c.text);
    }
    EXPECT_EQ(DescribeLoadFailure("c.dat", {FileError::NotFound, {}}, Language::Chinese),
              "无法打开 c.dat: 文件不存在");
}

} // namespace
} // namespace velmora
