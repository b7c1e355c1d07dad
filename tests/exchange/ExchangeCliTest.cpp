// velmora-cli import-csv and diff. The import's own texts are checked exactly by the core tests;
// here what the tool makes of them: every line on stderr, the exit code, and what it writes.
// (write --verify and --trace against the virtual radio: linkqt_cli_test.)
#include <gtest/gtest.h>

#include <QFile>

#include "channels/ChannelTable.h"
#include "image/DataFile.h"
#include "support/CliRunner.h"

namespace velmora {
namespace {

using test::CliRun;
using test::CliRunner;

// The mixed-band list of the core test through the tool, with and without --skip-refused and
// --at; then what diff says of the result.
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

    CliRun run = cli.Run({"diff", "a.dat", "b.dat"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.startsWith("channel 20: Rx Frequency (empty) -> 146.52000\n"))
        << run.out.toStdString();
    run = cli.Run({"diff", "a.dat", "a.dat"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(cli.Run({"diff", "a.dat", "missing.dat"}).exitCode, 2);
}

} // namespace
} // namespace velmora
