// velmora-cli print, end to end: a data file in, a PDF out, read back with pdftotext. What only
// the real pages show: every text drawn where it reads in order, the Chinese font, the footer.
#include "channels/ChannelCodec.h"
#include "printqt/PdfText.h"
#include "support/CliRunner.h"

#include <QDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

class PrintPdf : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(cli_.Write("Program.ini",
                               "[Setup]\nLanguage=English\nType1=VR-100\nField1=136-174MHz\n"
                               "[English]\nCopyrights Owner=Test Owner Ltd\n"
                               "[Chinese]\nCopyrights Owner=测试公司\n"));
    }
    // Channels at the given grid rows, the k-th on 146.1k MHz, every other one locked.
    void WriteImage(const std::vector<int>& channels) const {
        MemoryImage image = NewImage();
        for (std::size_t k = 0; k < channels.size(); ++k) {
            const std::string rx = "146.1" + std::to_string(k) + "000";
            EncodeChannel(image, channels[k],
                          {rx, rx, "67.0", "D023N", "High", k % 2 ? "Lock" : "Unlock", "Yes",
                           "CH" + std::to_string(channels[k])});
        }
        ASSERT_TRUE(
            cli_.Write("in.dat", {reinterpret_cast<const char*>(image.data()), kImageSize}));
    }
    std::vector<Lines> Print(const QStringList& arguments) const {
        const test::CliRun run = cli_.Run(QStringList{"--ini", "Program.ini"} + arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return PdfPages(cli_.Path("out.pdf").toStdString());
    }

    test::CliRunner cli_;
};

TEST_F(PrintPdf, EightChannelsPrintOnThreePagesInGridOrder) {
    WriteImage({0, 1, 2, 5, 9, 10, 50, 199});
    const auto pages = Print({"print", "in.dat", "--pdf", "out.pdf"});
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
    const auto pages = Print({"--lang", "zh", "print", "--pdf", "out.pdf", "in.dat"});
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Lines(pages[0].begin(), pages[0].begin() + 3),
              (Lines{"可选功能", "功能", "超时定时器: 1"}));
    EXPECT_EQ(pages[0].back(), "测试公司 Page 1 of 2");
    EXPECT_EQ(pages[1], (Lines{"信道", "信道3:", "接收频率: 146.10000 发射频率: 146.10000",
                               "QT/DQT解码: 67.0 QT/DQT编码: D023N", "功率: 高 信道锁定: 未锁定",
                               "信道名字: CH3", "测试公司 Page 2 of 2"}));
}

TEST_F(PrintPdf, FailuresLeaveTheOldPdfAndSayWhy) {
    WriteImage({0});
    ASSERT_TRUE(cli_.Write("old.pdf", "old"));
    ASSERT_TRUE(QDir(cli_.Dir()).mkdir("folder.pdf"));
    const struct {
        const char* args; // after --ini Program.ini, split at blanks
        int code;
        const char* message;
    } cases[] = {
        {"print in.dat", 1, "velmora-cli: wrong arguments for 'print'\n"},
        {"print in.dat x.dat --pdf old.pdf", 1, "velmora-cli: wrong arguments for 'print'\n"},
        {"print missing.dat --pdf old.pdf", 2, "Cannot open missing.dat: no such file\n"},
        {"print in.dat --pdf folder.pdf", 2,
         "Cannot save folder.pdf: it is a folder, not a file\n"},
        {"print in.dat --pdf no/out.pdf", 2, "Cannot save no/out.pdf: its folder does not exist\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const test::CliRun run =
            cli_.Run(QStringList{"--ini", "Program.ini"} + QString(c.args).split(' '));
        EXPECT_EQ(run.exitCode, c.code);
        EXPECT_NE(run.err.indexOf(c.message), -1) << run.err.toStdString();
        EXPECT_EQ(cli_.Read("old.pdf"), "old");
    }
}

} // namespace
} // namespace velmora
