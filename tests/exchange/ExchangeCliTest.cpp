// velmora-cli import-csv, diff, backups, write --verify and --trace, end to end against the
// virtual radio on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <cstdlib>
#include <filesystem>

#include "channels/ChannelTable.h"
#include "image/DataFile.h"
#include "support/CliRunner.h"

namespace velmora {
namespace {

using test::CliRun;
using test::CliRunner;

// The radio tool as a child process; its first line of output names the device.
class SimProcess {
public:
    explicit SimProcess(const QStringList& arguments) {
        process_.start(QStringLiteral(VELMORA_BIN_DIR "/velmora-radio-sim"), arguments);
        while (process_.waitForReadyRead(5000) && !process_.canReadLine()) {
        }
        device_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~SimProcess() {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    QString Device() const { return device_; }

private:
    QProcess process_;
    QString device_;
};

// Backups go below the runner's folder: the tool honours XDG_DATA_HOME.
class ExchangeCli : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_DATA_HOME", cli.Path("data").toLocal8Bit().constData(), 1);
    }
    std::vector<std::string> BackupNames() const {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& file : std::filesystem::directory_iterator(
                 cli.Path("data/velmora/backups").toStdString(), error)) {
            names.push_back(file.path().filename().string());
        }
        return names;
    }
    QByteArray Bytes(const QString& name) const {
        QFile file(cli.Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(cli.Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    CliRunner cli;
};

const QByteArray kHeader = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,"
                           "Scan Add,Cha Name\r\n";

TEST_F(ExchangeCli, ImportWritesAllRowsOrNothing) {
    ASSERT_EQ(cli.Run({"new", cli.Path("a.dat")}).exitCode, 0);
    const QByteArray before = Bytes("a.dat");
    Write("bad.csv", kHeader + "0,145.00000,,None,None,High,Lock,Yes,A\r\n"
                               "1,999.00000,,None,None,High,Lock,Yes,B\r\n"
                               "2,145.0\r\n");
    CliRun run = cli.Run({"import-csv", cli.Path("a.dat"), cli.Path("bad.csv")});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.err, "line 3: Rx Frequency '999.00000': Out of range,please input again.\n"
                       "line 4: the row has 2 fields, the header 9\n"
                       "Nothing was written: 2 row(s) were rejected.\n");
    EXPECT_EQ(Bytes("a.dat"), before);

    Write("good.csv", kHeader + "7,145.02500,145.62500,67.0,67.0,Low,Unlock,No,HOME\r\n");
    run = cli.Run(
        {"import-csv", cli.Path("a.dat"), cli.Path("good.csv"), "--output", cli.Path("b.dat")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Bytes("a.dat"), before);
    run = cli.Run({"export-csv", cli.Path("b.dat"), "--format", "chirp"});
    EXPECT_TRUE(run.out.contains("\r\n7,HOME,145.025000,+,0.600000,TSQL,67.0,67.0,023,NN,023,"
                                 "Tone->Tone,FM,12.50,S,0.5W,unlocked,,,,\r\n"))
        << run.out.toStdString();

    run = cli.Run({"diff", cli.Path("a.dat"), cli.Path("b.dat")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.startsWith("channel 7: Rx Frequency (empty) -> 145.02500\n"))
        << run.out.toStdString();
    run = cli.Run({"diff", cli.Path("a.dat"), cli.Path("a.dat")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(cli.Run({"diff", cli.Path("a.dat"), cli.Path("missing.dat")}).exitCode, 2);
}

// The mixed-band list of the core test through the tool: what is written, what stderr says and
// the exit code, with and without --skip-refused and --at.
TEST_F(ExchangeCli, ImportSkipsWhatDoesNotFitAndPlacesTheRestFromAChannel) {
    ASSERT_EQ(cli.Run({"new", cli.Path("a.dat")}).exitCode, 0);
    const QString list = QStringLiteral(VELMORA_TEST_DATA "/exchange/mixed-band.csv");
    const QByteArray refusals =
        "line 2: Rx Frequency '52.52500': Out of range,please input again.\n"
        "line 5: Rx Frequency '223.50000': Out of range,please input again.\n"
        "line 6: Rx Frequency '446.00000': Out of range,please input again.\n"
        "line 7: Rx Frequency '1294.50000': Out of range,please input again.\n";
    const QByteArray modeAm = "line 9: mode AM: this radio transmits FM only\n";
    const struct {
        QStringList options;
        int exitCode;
        QByteArray err;
    } cases[] = {
        {{},
         4,
         refusals + "line 8: '250' is not a channel number (0-199)\n" + modeAm +
             "line 10: warning: same Rx frequency and tones as channel 1 (line 3)\n"
             "Nothing was written: 6 row(s) were rejected.\n"},
        {{"--skip-refused", "--at", "20"},
         0,
         refusals + modeAm +
             "line 10: warning: same Rx frequency and tones as channel 20 (line 3)\n"
             "imported 4, skipped 5\n"},
        {{"--at", "197", "--skip-refused"},
         4,
         refusals + modeAm +
             "line 10: 4 channels would be imported, but only 3 fit from channel 197 to channel "
             "199.\nimported 0, skipped 5\n"},
        {{"--at", "200"},
         1,
         "velmora-cli: --at needs a channel number 0-199\n"
         "Try 'velmora-cli import-csv --help'.\n"},
    };
    MemoryImage expected{};
    ASSERT_TRUE(LoadDataFile(cli.Path("a.dat").toStdString(), expected));
    EncodeChannel(expected, 20,
                  {"146.52000", "146.52000", "None", "None", "High", "Lock", "Yes", "2MCALL"});
    EncodeChannel(expected, 21,
                  {"145.75000", "145.15000", "None", "100.0", "High", "Lock", "Yes", "RPTA"});
    EncodeChannel(expected, 22,
                  {"147.55000", "147.55000", "123.0", "123.0", "High", "Unlock", "No", "SIMPLEX"});
    EncodeChannel(expected, 23,
                  {"146.52000", "146.52000", "None", "None", "High", "Lock", "Yes", "CALLAGAI"});
    // What --skip-refused --at 20 writes: a.dat with channels 20 to 23 set, nothing else.
    const QByteArray written(reinterpret_cast<const char*>(expected.data()),
                             static_cast<qsizetype>(expected.size()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        QFile::remove(cli.Path("b.dat"));
        const CliRun run = cli.Run(
            QStringList{"import-csv", cli.Path("a.dat"), list, "--output", cli.Path("b.dat")} +
            c.options);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(Bytes("b.dat"), c.exitCode == 0 ? written : QByteArray());
    }
}

TEST_F(ExchangeCli, ReadAndWriteKeepBackupsButNotAFailedRead) {
    ASSERT_EQ(cli.Run({"new", cli.Path("radio.dat")}).exitCode, 0);
    SimProcess sim({"--image", cli.Path("radio.dat")});
    ASSERT_FALSE(sim.Device().isEmpty());

    CliRun run = cli.Run(
        {"read", "--port", "/dev/velmora-no-such-port", "--output", cli.Path("x.dat"), "--quiet"});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(BackupNames().empty());

    run = cli.Run(
        {"read", "--port", sim.Device(), "--output", cli.Path("x.dat"), "--quiet", "--no-backup"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(BackupNames().empty());

    run = cli.Run({"read", "--port", sim.Device(), "--output", cli.Path("x.dat"), "--quiet"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    std::vector<std::string> names = BackupNames();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(QString::fromStdString(names[0]).contains(
        QRegularExpression("^velmora-\\d{8}-\\d{6}-read\\.dat$")));
    EXPECT_EQ(Bytes("data/velmora/backups/" + QString::fromStdString(names[0])),
              Bytes("radio.dat"));

    run = cli.Run({"write", "--port", sim.Device(), "--input", cli.Path("x.dat"), "--quiet"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    names = BackupNames();
    EXPECT_EQ(names.size(), 2u);
    EXPECT_EQ(std::count_if(names.begin(), names.end(),
                            [](const std::string& n) { return n.find("-write") != n.npos; }),
              1);
}

TEST_F(ExchangeCli, VerifyCatchesABlockTheRadioStoredWrongAndTheTraceShowsEveryByte) {
    ASSERT_EQ(cli.Run({"new", cli.Path("a.dat")}).exitCode, 0);
    {
        SimProcess sim({"--fault", "corrupt:2"});
        CliRun run = cli.Run({"write", "--port", sim.Device(), "--input", cli.Path("a.dat"),
                              "--verify", "--quiet", "--no-backup"});
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_EQ(run.err, "Verify failed: the radio holds other bytes at 0x0010\n");
    }
    SimProcess sim({});
    CliRun run = cli.Run({"write", "--port", sim.Device(), "--input", cli.Path("a.dat"), "--verify",
                          "--no-backup", "--trace", cli.Path("trace.txt")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Verify: the radio holds what was written.\n"));
    const QList<QByteArray> lines = Bytes("trace.txt").split('\n');
    ASSERT_GT(lines.size(), 3000);
    EXPECT_EQ(lines[0], "# write " + sim.Device().toUtf8());
    EXPECT_TRUE(lines[1].endsWith(" ms > 02")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(" ms > 50")) << lines[2].toStdString();
    EXPECT_TRUE(lines.contains("# read " + sim.Device().toUtf8()));
    const QRegularExpression format(
        "^( {0,9}\\d+\\.\\d{3} ms [<>]( [0-9A-F]{2})*( \\(.*\\))?|# .*)$");
    for (const QByteArray& line : lines.mid(0, lines.size() - 1)) {
        ASSERT_TRUE(format.match(QString::fromUtf8(line)).hasMatch()) << line.toStdString();
    }
}

} // namespace
} // namespace velmora
