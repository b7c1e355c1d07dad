// velmora-cli print, end to end: a data file in, a PDF out, read back with pdftotext. What only
// the real pages show: every text drawn where it reads in order, the Chinese font, the footer.
#include "channels/ChannelCodec.h"
#include "printqt/PdfText.h"
#include "support/CliRunner.h"

#include <QDir>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace velmora {
namespace {

using Lines = std::vector<std::string>;

class PrintPdf : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(cli_.Write("Program.ini", "[English]\nCopyrights Owner=Test Owner Ltd\n"
                                              "[Chinese]\nCopyrights Owner=测试公司\n"));
        MemoryImage image = NewImage();
        for (const int row : {0, 1, 2, 5, 9, 10, 50, 199}) {
            EncodeChannel(image, row,
                          {"146.17", "146.17", "67.0", "D023N", "High", "Lock", "Yes",
                           "CH" + std::to_string(row)});
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

// The options page, then seven channels a page: the eighth (the grid's last row) alone on the last
// page, every printed cell in its place, the owner in the footer; in Chinese, in the Chinese font.
TEST_F(PrintPdf, EightChannelsPrintOnThreePagesInEitherLanguage) {
    auto pages = Print({"print", "in.dat", "--pdf", "out.pdf"});
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[2],
              (Lines{"Channel",
                     "Channel 199:", "Receive Frequency: 146.17000 Transceive Frequency: 146.17000",
                     "QT/DQT Decode: 67.0 QT/DQT Encode: D023N", "Power: High Channel Lock: Lock",
                     "Channel Name: CH199", "Test Owner Ltd Page 3 of 3"}));
    pages = Print({"--lang", "zh", "print", "--pdf", "out.pdf", "in.dat"});
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[2], (Lines{"信道", "信道199:", "接收频率: 146.17000 发射频率: 146.17000",
                               "QT/DQT解码: 67.0 QT/DQT编码: D023N", "功率: 高 信道锁定: 锁定",
                               "信道名字: CH199", "测试公司 Page 3 of 3"}));
}

TEST_F(PrintPdf, FailuresLeaveTheOldPdfAndSayWhy) {
    ASSERT_TRUE(cli_.Write("old.pdf", "old"));
    ASSERT_TRUE(QDir(cli_.Dir()).mkdir("folder.pdf"));
    const std::tuple<const char*, int, const char*> cases[] = {
        {"print in.dat", 1, "velmora-cli: wrong arguments for 'print'\n"},
        {"print missing.dat --pdf old.pdf", 2, "Cannot open missing.dat: no such file\n"},
        {"print in.dat --pdf folder.pdf", 2,
         "Cannot save folder.pdf: it is a folder, not a file\n"},
    };
    for (const auto& [args, code, message] : cases) {
        SCOPED_TRACE(args);
        const test::CliRun run =
            cli_.Run(QStringList{"--ini", "Program.ini"} + QString(args).split(' '));
        EXPECT_EQ(run.exitCode, code);
        EXPECT_NE(run.err.indexOf(message), -1) << run.err.toStdString();
        EXPECT_EQ(cli_.Read("old.pdf"), "old");
    }
}

} // namespace
} // namespace velmora
