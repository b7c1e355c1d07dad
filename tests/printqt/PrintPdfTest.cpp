// velmora-cli print, end to end: a data file in, a PDF out, read back with pdftotext.
#include "channels/ChannelTable.h"
#include "printqt/PdfText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class PrintPdf : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        Write("Program.ini", "[Setup]\nLanguage=English\nType1=VR-100\nField1=136-174MHz\n"
                             "[English]\nCopyrights Owner=Test Owner Ltd\n"
                             "[Chinese]\nCopyrights Owner=测试公司\n");
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Channels at the given grid rows, the k-th on 146.1k MHz, every other one locked.
    void WriteImage(const std::vector<int>& channels) {
        MemoryImage image = NewImage();
        for (std::size_t k = 0; k < channels.size(); ++k) {
            const std::string rx = "146.1" + std::to_string(k) + "000";
            EncodeChannel(image, channels[k],
                          {rx, rx, "67.0", "D023N", "High", k % 2 ? "Lock" : "Unlock", "Yes",
                           "CH" + std::to_string(channels[k])});
        }
        Write("in.dat", std::string(image.begin(), image.end()));
    }
    int Run(const std::string& arguments) {
        const std::string command =
            "cd '" + dir_.string() + "' && XDG_CONFIG_HOME='" + dir_.string() +
            "' '" VELMORA_BIN_DIR "/velmora-cli' --ini Program.ini " + arguments + " 2>err.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const fs::path dir_ = fs::temp_directory_path() /
                          ("velmora-printpdf-" + std::to_string(::getpid()) + "-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(PrintPdf, EightChannelsPrintOnThreePagesInGridOrder) {
    WriteImage({0, 1, 2, 5, 9, 10, 50, 199});
    ASSERT_EQ(Run("print in.dat --pdf out.pdf"), 0) << Read("err.txt");
    const auto pages = PdfPages((dir_ / "out.pdf").string());
    ASSERT_EQ(pages.size(), 3u);
    ASSERT_EQ(pages[0].size(), 19u);
    EXPECT_EQ(Lines(pages[0].begin(), pages[0].begin() + 4),
              (Lines{"Option", "Function", "Time Out Timer: 1", "Squelch Level: 1"}));
    EXPECT_EQ(pages[0][17], "Battery Saver: 0.4");
    EXPECT_EQ(pages[0][18], "Test Owner Ltd Page 1 of 3");

    ASSERT_EQ(pages[1].size(), 1u + 7 * 5 + 1);
    for (int block = 0; block < 7; ++block) {
        EXPECT_EQ(pages[1][1 + 5 * block],
                  "Channel " + std::to_string(std::vector{0, 1, 2, 5, 9, 10, 50}[block]) + ":");
    }
    EXPECT_EQ(pages[1].back(), "Test Owner Ltd Page 2 of 3");
    // The eighth channel alone on the last page, every printed cell in its place.
    EXPECT_EQ(pages[2],
              (Lines{"Channel",
                     "Channel 199:", "Receive Frequency: 146.17000 Transceive Frequency: 146.17000",
                     "QT/DQT Decode: 67.0 QT/DQT Encode: D023N", "Power: High Channel Lock: Lock",
                     "Channel Name: CH199", "Test Owner Ltd Page 3 of 3"}));
}

TEST_F(PrintPdf, ChineseLabelsAndOwner) {
    WriteImage({3});
    ASSERT_EQ(Run("--lang zh print --pdf out.pdf in.dat"), 0) << Read("err.txt");
    const auto pages = PdfPages((dir_ / "out.pdf").string());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Lines(pages[0].begin(), pages[0].begin() + 3),
              (Lines{"可选功能", "功能", "超时定时器: 1"}));
    EXPECT_EQ(pages[0].back(), "测试公司 Page 1 of 2");
    EXPECT_EQ(Lines(pages[1].begin(), pages[1].begin() + 3),
              (Lines{"信道", "信道3:", "接收频率: 146.10000 发射频率: 146.10000"}));
}

TEST_F(PrintPdf, FailuresLeaveTheOldPdfAndSayWhy) {
    WriteImage({0});
    Write("old.pdf", "old");
    fs::create_directory(dir_ / "folder.pdf");
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"print in.dat", 1, "velmora-cli: wrong arguments for 'print'\n"},
        {"print in.dat x.dat --pdf old.pdf", 1, "velmora-cli: wrong arguments for 'print'\n"},
        {"print missing.dat --pdf old.pdf", 2, "Cannot open missing.dat: no such file\n"},
        {"print in.dat --pdf folder.pdf", 2,
         "Cannot save folder.pdf: it is a folder, not a file\n"},
        {"print in.dat --pdf no/out.pdf", 2, "Cannot save no/out.pdf: its folder does not exist\n"},
    };
    for (const auto& [arguments, code, message] : cases) {
        EXPECT_EQ(Run(arguments), code) << arguments;
        EXPECT_NE(Read("err.txt").find(message), std::string::npos) << Read("err.txt");
        EXPECT_EQ(Read("old.pdf"), "old");
    }
}

} // namespace
} // namespace velmora
