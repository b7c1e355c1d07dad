// *.dat and Program.ini paths that are not what they seem: devices and FIFOs are refused without
// being read or written, and a huge file gives its first 8192 bytes without the rest being read.
// (Saves that fail at any step, read-only files and folders, and files cut short or gone are the
// file layer's own tests: base_core_test FileSave, image_core_test DataFileTest.)
#include "image/DataFile.h"

#include "base/IniFile.h"
#include "base/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(HostileFile, DevicesAndFifosAreRefusedWithoutReadingOrWritingThem) {
    for (const char* device : {"/dev/zero", "/dev/null"}) {
        MemoryImage image = NewImage();
        const FileResult result = LoadDataFile(device, image);
        EXPECT_EQ(result.error, FileError::NotRegular) << device;
        EXPECT_EQ(image, NewImage()) << device;
        EXPECT_EQ(DescribeLoadFailure(device, result, Language::English),
                  std::string("Cannot open ") + device + ": it is not a regular file");
        // Nor are they Program.ini: nothing read, nothing changed, nothing written.
        CIniFile ini;
        EXPECT_FALSE(ini.Load(device, true, true)) << device;
        EXPECT_EQ(ini.Path(), "") << device;
        EXPECT_FALSE(ini.SetValue("S", "K", "v")) << device;
        EXPECT_TRUE(ini.Save()) << device;
    }
    test::TempFolder folder;
    const std::string fifo = folder.File("fifo.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const FileResult result = SaveDataFile(fifo, NewImage());
    EXPECT_EQ(result.error, FileError::NotRegular);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(DescribeSaveFailure("fifo.dat", result, Language::English),
              "Cannot save fifo.dat: it is not a regular file");
    CIniFile ini; // a FIFO as Program.ini: read as missing, without waiting for a writer
    EXPECT_FALSE(ini.Load(fifo, true, true));
}

TEST(HostileFile, HugeSparseFileGivesItsFirst8192BytesAtOnce) {
    test::TempFolder folder;
    const std::string huge = folder.File("huge.dat");
    {
        std::ofstream out(huge, std::ios::binary);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            out.put(static_cast<char>(i * 13));
        }
    }
    fs::resize_file(huge, 4ull << 30); // 4 GiB, all but 8 KiB of it holes
    MemoryImage image{};
    ASSERT_TRUE(LoadDataFile(huge, image));
    for (std::size_t i = 0; i < kImageSize; ++i) {
        ASSERT_EQ(image[i], static_cast<std::uint8_t>(i * 13)) << i;
    }
    EXPECT_EQ(fs::file_size(huge), 4ull << 30);
}

} // namespace
} // namespace velmora
