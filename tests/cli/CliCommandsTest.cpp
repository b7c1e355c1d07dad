// velmora-cli new, info, export-csv and options end to end: what they write and print, in both
// languages and Program.ini encodings, and the one clear line each bad input to any command gets.
// (print: printqt_test; import-csv and diff: exchange_cli_test; read and write: linkqt_cli_test.)
#include "channels/ChannelTable.h"
#include "image/DataFile.h"
#include "support/CliRunner.h"

#include <QFile>

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace test;

// new writes the image a new document is saved as. info follows the file's own type and band;
// a Chinese type name from a GBK Program.ini comes out in UTF-8. export-csv lists the channels
// in use as the grid shows them.
TEST(CliTest, CommandsWriteAndPrintWhatTheDocumentHolds) {
    CliRunner cli;
    ASSERT_TRUE(cli.Write("Program.ini",
                          "[Setup]\nAppName=CliTest\nType1=VR-100\n"
                          "Field1=136-174MHz|400-470MHz\n[English]\nAppName=Velmora\n"));
    ASSERT_EQ(cli.Run({"--ini", "Program.ini", "new", "new.dat"}).exitCode, 0);
    MemoryImage image = NewImage();
    image[0x1FF0] = 0x13; // 136-174MHz
    image[0x1FF1] = 0x17;
    image[0x1FF2] = 0x63;
    EXPECT_EQ(cli.Read("new.dat"), QByteArray(reinterpret_cast<const char*>(image.data()), 8192));
    ASSERT_TRUE(cli.Write("gbk.ini",
                          "[Setup]\r\nAppName=CliTest\r\nLanguage=Chinese\r\nType1=VR-100\r\n"
                          "Field1=136-174MHz\r\nType2=\xca\xd6\xcc\xa8\r\nField2=400-470MHz\r\n"
                          "[Chinese]\r\nAppName=\xb6\xd4\xbd\xb2\xbb\xfa\r\n"));
    image = NewImage();
    image[0x1FD6] = 0; // type 1, band 2
    image[0x1FD7] = 1;
    ASSERT_TRUE(SaveDataFile(cli.Path("a.dat").toStdString(), image));
    image[0x1FD6] = 1; // type 2, band 1
    image[0x1FD7] = 0;
    ChannelGridTexts grid;
    grid[0] = {"438.01250", "438.01250", "67.0", "D023N", "High", "Lock", "Yes", "PR,1"};
    grid[199] = {"145.50000", "", "None", "None", "Low", "Unlock", "No", "A\"B"};
    EncodeAllChannels(image, grid);
    ASSERT_TRUE(SaveDataFile(cli.Path("b.dat").toStdString(), image));
    const struct {
        QStringList args;
        std::string out;
    } cases[] = {
        {{"--ini", "Program.ini", "info", "a.dat"},
         "Type: VR-100\nBand: 400-470MHz\nBand limits: 40000000 47000000\n"
         "Title: Velmora  [ Type:VR-100  Fre:400-470MHz ]\n"},
        {{"--ini", "gbk.ini", "info", "b.dat"},
         "Type: 手台\nBand: 400-470MHz\nBand limits: 40000000 47000000\n"
         "Title: 对讲机  [ 类型:手台  频率:400-470MHz ]\n"},
        // Names hold only what the radio can show: "PR,1" keeps "PR" and "A\"B" keeps "A".
        {{"--ini", "Program.ini", "export-csv", "b.dat"},
         "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,Cha Name\r\n"
         "0,438.01250,438.01250,67.0,D023N,High,Lock,Yes,PR\r\n"
         "199,145.50000,,None,None,Low,Unlock,No,A\r\n"},
        // To a file nothing is printed.
        {{"--ini", "Program.ini", "--lang", "zh", "export-csv", "b.dat", "b.csv"}, ""},
    };
    for (const auto& c : cases) {
        const CliRun run = cli.Run(c.args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.toStdString(), c.out) << c.args.join(' ').toStdString();
    }
    EXPECT_TRUE(cli.Read("b.csv").startsWith("信道,接收频率,发射频率,QT/DQT解码,QT/DQT编码,功率,"
                                             "信道锁定,扫描添加,信道名字\r\n"
                                             "0,438.01250,438.01250,67.0,D023N,高,锁定,有,PR"));
    // The sixteen option lines of the printed page (each line's text: PrintedOptionLines).
    const QByteArray options = cli.Run({"--ini", "Program.ini", "options", "a.dat"}).out;
    EXPECT_EQ(options.count('\n'), 16);
    EXPECT_TRUE(options.startsWith("Time Out Timer:\t1\nSquelch Level:\t1\n"));
}

TEST(CliTest, BadInputGivesOneClearLineAndTheDocumentedCode) {
    CliRunner cli;
    const struct {
        QStringList args;
        int code;
        const char* message;
    } cases[] = {
        // clang-format off
        {{"--ini", "nowhere.ini", "new", "x.dat"}, 2, "Cannot open nowhere.ini: no such file"},
        {{"frobnicate"}, 1, "unknown command 'frobnicate'"},
        {{"--lang", "fr", "info", "x.dat"}, 1, "--lang takes en or zh"},
        {{}, 1, "no command given"},
        {{"read", "--output", "x.dat"}, 1, "--port is missing"},
        {{"read", "--port", "/dev/null"}, 1, "--output is missing"},
        {{"read", "--port", "/dev/null", "--output", "x.dat", "--retries", "-1"}, 1, "--retries takes a number of 0 or more, not '-1'"},
        {{"write", "--port", "/dev/null", "--input", "x.dat", "--raw"}, 1, "unknown argument '--raw'"},
        // An output that cannot be saved ends a read before the port is opened (exit 2, not 3).
        {{"read", "--port", "/dev/velmora-none", "--output", "no/x.dat"}, 2, "Cannot save no/x.dat: its folder does not exist"},
        {{"read", "--port", "/dev/velmora-none", "--output", "x.dat"}, 3, "No such device: /dev/velmora-none"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun run = cli.Run(c.args);
        EXPECT_EQ(run.exitCode, c.code);
        EXPECT_NE(run.err.indexOf(c.message), -1) << run.err.toStdString();
        // One line, plus a hint for usage or the reason a port did not open.
        EXPECT_EQ(run.err.count('\n'), c.code == 2 ? 1 : 2);
    }
    EXPECT_FALSE(QFile::exists(cli.Path("data/velmora/backups"))) << "a failed read keeps none";
    EXPECT_FALSE(QFile::exists(cli.Path("x.dat")));
    for (const char* command : {"new", "info", "export-csv", "options", "read", "write"}) {
        const CliRun run = cli.Run({command, "--help"});
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_TRUE(run.out.startsWith(QByteArray("Usage: velmora-cli ") + command)) << command;
    }
    EXPECT_TRUE(cli.Run({"--help"}).out.startsWith("Usage: velmora-cli"));
}

} // namespace
} // namespace velmora
