#include "channels/ChannelTable.h"
#include "image/DataFile.h"
#include "support/CliRunner.h"

#include <QFile>

#include <gtest/gtest.h>

namespace velmora {
namespace {

using test::CliRun;
using test::CliRunner;

class CliTest : public ::testing::Test {
protected:
    void WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(m_cli.Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadFile(const QString& name) const {
        QFile file(m_cli.Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // An installation whose second type has a Chinese name, stored in GBK.
    void WriteGbkIni() const {
        WriteFile("gbk.ini", QByteArray("[Setup]\r\nAppName=CliTest\r\nLanguage=Chinese\r\n"
                                        "Type1=VR-100\r\nField1=136-174MHz\r\n"
                                        "Type2=\xca\xd6\xcc\xa8\r\nField2=400-470MHz\r\n"
                                        "[Chinese]\r\nAppName=\xb6\xd4\xbd\xb2\xbb\xfa\r\n"));
    }
    QString Ini() const { return m_cli.Path("Program.ini"); }

    void SetUp() override {
        WriteFile("Program.ini", "[Setup]\nAppName=CliTest\nType1=VR-100\n"
                                 "Field1=136-174MHz|400-470MHz\n[English]\nAppName=Velmora\n");
    }

    CliRunner m_cli;
};

TEST_F(CliTest, NewWritesTheImageANewDocumentIsSavedAs) {
    const CliRun run = m_cli.Run({"--ini", Ini(), "new", m_cli.Path("new.dat")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    MemoryImage image{};
    ASSERT_TRUE(LoadDataFile(m_cli.Path("new.dat").toStdString(), image));
    MemoryImage expected = NewImage();
    expected[0x1FF0] = 0x13; // 136-174MHz
    expected[0x1FF1] = 0x17;
    expected[0x1FF2] = 0x63;
    EXPECT_EQ(image, expected);
}

TEST_F(CliTest, InfoFollowsTheFilesOwnTypeAndBandInBothEncodings) {
    MemoryImage image = NewImage();
    image[0x1FD6] = 0; // type 1, band 2
    image[0x1FD7] = 1;
    ASSERT_TRUE(SaveDataFile(m_cli.Path("a.dat").toStdString(), image));
    CliRun run = m_cli.Run({"--ini", Ini(), "info", m_cli.Path("a.dat")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), "Type: VR-100\n"
                                     "Band: 400-470MHz\n"
                                     "Band limits: 40000000 47000000\n"
                                     "Title: Velmora  [ Type:VR-100  Fre:400-470MHz ]\n");

    WriteGbkIni();
    image[0x1FD6] = 1;
    image[0x1FD7] = 0;
    ASSERT_TRUE(SaveDataFile(m_cli.Path("b.dat").toStdString(), image));
    run = m_cli.Run({"--ini", m_cli.Path("gbk.ini"), "info", m_cli.Path("b.dat")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), "Type: 手台\n"
                                     "Band: 400-470MHz\n"
                                     "Band limits: 40000000 47000000\n"
                                     "Title: 对讲机  [ 类型:手台  频率:400-470MHz ]\n");
}

TEST_F(CliTest, ExportCsvListsChannelsInUseAsTheGridShowsThem) {
    MemoryImage image = NewImage();
    ChannelGridTexts grid;
    grid[0] = {"438.01250", "438.01250", "67.0", "D023N", "High", "Lock", "Yes", "PR,1"};
    grid[199] = {"145.50000", "", "None", "None", "Low", "Unlock", "No", "A\"B"};
    EncodeAllChannels(image, grid);
    ASSERT_TRUE(SaveDataFile(m_cli.Path("c.dat").toStdString(), image));

    CliRun run = m_cli.Run({"--ini", Ini(), "export-csv", m_cli.Path("c.dat")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Names hold only what the radio can show: "PR,1" keeps "PR" and "A\"B" keeps "A".
    EXPECT_EQ(run.out.toStdString(),
              "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,Scan Add,"
              "Cha Name\r\n"
              "0,438.01250,438.01250,67.0,D023N,High,Lock,Yes,PR\r\n"
              "199,145.50000,,None,None,Low,Unlock,No,A\r\n");

    run = m_cli.Run(
        {"--ini", Ini(), "--lang", "zh", "export-csv", m_cli.Path("c.dat"), m_cli.Path("c.csv")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(ReadFile("c.csv").startsWith("信道,接收频率,发射频率,QT/DQT解码,QT/DQT编码,功率,"
                                             "信道锁定,扫描添加,信道名字\r\n"
                                             "0,438.01250,438.01250,67.0,D023N,高,锁定,有,PR"));
}

TEST_F(CliTest, OptionsPrintsTheSixteenLinesInTheChosenLanguage) {
    ASSERT_EQ(m_cli.Run({"--ini", Ini(), "new", m_cli.Path("n.dat")}).exitCode, 0);
    CliRun run = m_cli.Run({"--ini", Ini(), "options", m_cli.Path("n.dat")});
    ASSERT_EQ(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 17); // sixteen lines and the final line break
    EXPECT_EQ(lines[0], "Time Out Timer:\t1");
    EXPECT_EQ(lines[14], "Step:\t12.5k");
    EXPECT_EQ(lines[15], "Battery Saver:\t0.4");
    run = m_cli.Run({"--ini", Ini(), "--lang", "zh", "options", m_cli.Path("n.dat")});
    EXPECT_TRUE(run.out.startsWith("超时定时器:\t1\n静噪电平:\t1\n提示音:\t开\n"));
}

TEST_F(CliTest, BadInputGivesOneClearLineAndTheDocumentedCode) {
    WriteFile("short.dat", QByteArray(100, '\0'));
    QDir(m_cli.Dir()).mkdir("folder.dat");
    const struct {
        QStringList args;
        int code;
        const char* message;
    } cases[] = {
        {{"info", "missing.dat"}, 2, "Cannot open missing.dat: no such file"},
        {{"info", "short.dat"}, 2, "Cannot open short.dat: the file is shorter than 8192 bytes"},
        {{"options", "folder.dat"}, 2, "Cannot open folder.dat: it is a folder, not a file"},
        {{"new", "no-such-folder/x.dat"}, 2, "Cannot save no-such-folder/x.dat"},
        {{"--ini", "nowhere.ini", "new", "x.dat"}, 2, "Cannot open nowhere.ini: no such file"},
        {{"frobnicate"}, 1, "unknown command 'frobnicate'"},
        {{"info"}, 1, "wrong arguments for 'info'"},
        {{"--lang", "fr", "info", "x.dat"}, 1, "--lang takes en or zh"},
        {{}, 1, "no command given"},
        {{"read", "--output", "x.dat"}, 1, "--port is missing"},
        {{"read", "--port", "/dev/null"}, 1, "--output is missing"},
        {{"read", "--port", "/dev/null", "--output", "x.dat", "--retries", "-1"},
         1,
         "--retries takes a number of 0 or more, not '-1'"},
        {{"write", "--port", "/dev/null", "--input", "x.dat", "--raw"},
         1,
         "unknown argument '--raw'"},
        {{"write", "--port", "/dev/null", "--input", "x.dat"},
         2,
         "Cannot open x.dat: no such file"},
    };
    for (const auto& c : cases) {
        const CliRun run = m_cli.Run(c.args);
        EXPECT_EQ(run.exitCode, c.code) << c.args.join(' ').toStdString();
        EXPECT_NE(run.err.indexOf(c.message), -1)
            << c.args.join(' ').toStdString() << ": " << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), c.code == 1 ? 2 : 1) << "one line, plus a hint for usage";
    }
    EXPECT_FALSE(QFile::exists(m_cli.Path("x.dat")));
}

TEST_F(CliTest, UnusableProgramIniStillGivesAWorkingProgram) {
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i) {
        binary[i] = static_cast<char>(i * 37);
    }
    WriteFile("binary.ini", binary);
    WriteFile("empty.ini", {});
    for (const char* ini : {"binary.ini", "empty.ini"}) {
        const CliRun run = m_cli.Run({"--ini", m_cli.Path(ini), "new", m_cli.Path("d.dat")});
        EXPECT_EQ(run.exitCode, 0) << ini << run.err.toStdString();
        EXPECT_EQ(QFileInfo(m_cli.Path("d.dat")).size(), 8192) << ini;
        const CliRun info = m_cli.Run({"--ini", m_cli.Path(ini), "info", m_cli.Path("d.dat")});
        EXPECT_EQ(info.out.toStdString(),
                  "Type: \nBand: \nBand limits: 0 0\nTitle:   [ Type:  Fre: ]\n")
            << ini;
    }
}

TEST_F(CliTest, EveryCommandHasHelp) {
    for (const char* command : {"new", "info", "export-csv", "options", "read", "write"}) {
        const CliRun run = m_cli.Run({command, "--help"});
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_TRUE(run.out.startsWith(QByteArray("Usage: velmora-cli ") + command)) << command;
    }
    EXPECT_TRUE(m_cli.Run({"--help"}).out.startsWith("Usage: velmora-cli"));
}

} // namespace
} // namespace velmora
