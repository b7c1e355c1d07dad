// velmora-cli import-csv, export-csv, diff, and write --verify and --trace against the virtual
// radio on a pseudo-terminal. The import's own texts are checked exactly by the core tests; here
// what the tool makes of them: every line on stderr, the exit code, and what it writes.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "channels/ChannelTable.h"
#include "image/DataFile.h"
#include "support/CliRunner.h"
#include "support/SimProcess.h"

namespace velmora {
namespace {

using test::CliRun;
using test::CliRunner;
using test::SimProcess;

// The mixed-band list of the core test through the tool, with and without --skip-refused and
// --at; then what export-csv and diff say of the result.
TEST(ExchangeCli, ImportSkipsWhatDoesNotFitPlacesTheRestAndAllOrNothingWithoutIt) {
    CliRunner cli;
    ASSERT_EQ(cli.Run({"new", "a.dat"}).exitCode, 0);
    const QByteArray before = cli.Read("a.dat");
    const QString list = QStringLiteral(VELMORA_TEST_DATA "/exchange/mixed-band.csv");
    const struct {
        QStringList options;
        int exitCode;
        int lines; // on stderr
        QByteArray last;
    } cases[] = {
        {{}, 4, 8, "Nothing was written: 6 row(s) were rejected.\n"},
        {{"--at", "197", "--skip-refused"}, 4, 7, "imported 0, skipped 5\n"},
        {{"--at", "200"}, 1, 2, "Try 'velmora-cli import-csv --help'.\n"},
        {{"--skip-refused", "--at", "20"}, 0, 7, "imported 4, skipped 5\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const CliRun run =
            cli.Run(QStringList{"import-csv", "a.dat", list, "--output", "b.dat"} + c.options);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err.count('\n'), c.lines) << run.err.toStdString();
        EXPECT_TRUE(run.err.endsWith("\n" + c.last)) << run.err.toStdString();
        EXPECT_EQ(QFile::exists(cli.Path("b.dat")), c.exitCode == 0);
    }
    // What --skip-refused --at 20 wrote: a.dat with channels 20 to 23 set, nothing else.
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
    EXPECT_EQ(cli.Read("b.dat"), QByteArray(reinterpret_cast<const char*>(expected.data()),
                                            static_cast<qsizetype>(expected.size())));
    EXPECT_EQ(cli.Read("a.dat"), before);

    CliRun run = cli.Run({"export-csv", "b.dat", "--format", "chirp"});
    EXPECT_TRUE(run.out.contains("\r\n21,RPTA,145.750000,-,0.600000,Tone,100.0,88.5,023,NN,023,"
                                 "Tone->Tone,FM,12.50,,5.0W,locked,,,,\r\n"))
        << run.out.toStdString();
    run = cli.Run({"diff", "a.dat", "b.dat"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.startsWith("channel 20: Rx Frequency (empty) -> 146.52000\n"))
        << run.out.toStdString();
    run = cli.Run({"diff", "a.dat", "a.dat"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(cli.Run({"diff", "a.dat", "missing.dat"}).exitCode, 2);
}

TEST(ExchangeCli, VerifyCatchesABlockTheRadioStoredWrongAndTheTraceShowsEveryByte) {
    CliRunner cli;
    ASSERT_EQ(cli.Run({"new", "a.dat"}).exitCode, 0);
    {
        SimProcess sim({"--fault", "corrupt:2"});
        CliRun run = cli.Run({"write", "--port", sim.Device(), "--input", "a.dat", "--verify",
                              "--quiet", "--no-backup"});
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_EQ(run.err, "Verify failed: the radio holds other bytes at 0x0010\n");
    }
    SimProcess sim({});
    CliRun run = cli.Run({"write", "--port", sim.Device(), "--input", "a.dat", "--verify",
                          "--no-backup", "--trace", "trace.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Verify: the radio holds what was written.\n"));
    const QList<QByteArray> lines = cli.Read("trace.txt").split('\n');
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
