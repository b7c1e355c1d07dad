// velmora-cli read and write against velmora-radio-sim over real pseudo-terminals: what is saved
// and sent, the backups, --verify and --trace, the radio's and the port's failures.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSerialPort>
#include <QSettings>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "cli/CliContext.h"
#include "document/ProgramDocument.h"
#include "link/LinkTestSupport.h"
#include "support/CliRunner.h"
#include "support/SimProcess.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using namespace test;

const std::string kCommError(txt::MsgCommunicationError.en);

QByteArray Bytes(const MemoryImage& image) {
    return {reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size())};
}

QStringList Backups(const CliRunner& cli) {
    return QDir(cli.Path("data/velmora/backups")).entryList(QDir::Files, QDir::Name);
}

// What the window program holds after reading `image`: what the tool saves and sends.
MemoryImage AsTheProgramHoldsIt(const MemoryImage& image, MemoryUserStore& store) {
    const cli::GlobalOptions options{VELMORA_BIN_DIR "/Program.ini", true, {}};
    cli::CliContext context;
    EXPECT_EQ(cli::MakeContext(options, VELMORA_BIN_DIR, context), 0);
    return StoredImage(FillDocument(image, false, store, context.catalog, context.lang));
}

TEST(CliTransfer, ReadSavesRawOrAsTheProgramWriteKeepsTheRadiosAreasAndBothKeepBackups) {
    CliRunner cli;
    const MemoryImage radio = Pattern(3);
    ASSERT_TRUE(cli.Write("radio.dat", Bytes(radio)) && cli.Write("in.dat", Bytes(Pattern(11))));
    SimProcess sim({"--image", cli.Path("radio.dat"), "--save", cli.Path("after.dat")});

    CliRun run = cli.Run(
        {"read", "--port", sim.Device(), "--output", "raw.dat", "--raw", "--quiet", "--no-backup"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(cli.Read("raw.dat"), Bytes(radio));

    run = cli.Run({"read", "--port", sim.Device(), "--output", "doc.dat"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    MemoryUserStore store;
    const MemoryImage expected = AsTheProgramHoldsIt(radio, store);
    EXPECT_FALSE(expected == radio); // the fill changes something, so the check means something
    EXPECT_EQ(cli.Read("doc.dat"), Bytes(expected));
    // The per-user type and band are what the program would have set after this read.
    const QSettings saved(cli.Path("config/Velmora.conf"), QSettings::IniFormat);
    for (const auto& [name, value] : store.Values()) {
        EXPECT_EQ(saved.value(QString::fromStdString(name)).toInt(), value) << name;
    }
    // The backup (none of the raw read) holds the memory as read.
    const QStringList backups = Backups(cli);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(backups[0].endsWith("-read.dat")) << backups[0].toStdString();
    EXPECT_EQ(cli.Read("data/velmora/backups/" + backups[0]), Bytes(radio));

    // --verify reads the radio back; --trace notes each transfer and every byte (how a line is
    // written: exchange_core_test TraceFormat). The radio saves after.dat as the write ends.
    run = cli.Run(
        {"write", "--port", sim.Device(), "--input", "in.dat", "--verify", "--trace", "trace.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Verify: the radio holds what was written.\n"));
    const QList<QByteArray> lines = cli.Read("trace.txt").split('\n');
    EXPECT_EQ(lines[0], "# write " + sim.Device().toUtf8());
    EXPECT_TRUE(lines.contains("# read " + sim.Device().toUtf8()));
    // A write sends 0x0000-0x063F and 0x0960-0x1FF2; the rest of the radio stays as it was.
    MemoryUserStore writeStore;
    const MemoryImage sent = AsTheProgramHoldsIt(Pattern(11), writeStore);
    MemoryImage radioAfter = radio;
    std::copy(sent.begin(), sent.begin() + 0x0640, radioAfter.begin());
    std::copy(sent.begin() + 0x0960, sent.begin() + 0x1FF3, radioAfter.begin() + 0x0960);
    EXPECT_EQ(cli.Read("after.dat"), Bytes(radioAfter));
    EXPECT_EQ(Backups(cli).filter("-write.dat").size(), 1);
}

TEST(CliTransfer, RadioAndPortFailuresExitThreeWithTheProgramsMessagesAndWriteNothing) {
    const QStringList read = {"read", "--output", "out.dat"};
    const struct {
        const char* fault;
        QStringList args; // after --port DEV
        std::string err;
    } cases[] = {
        {"no-confirmation", read, kCommError + "\n"},
        {"no-confirmation", read + QStringList{"--retries", "1"},
         kCommError + "\n" + kCommError + "\n"},
        {"short-reply:5", read, std::string(txt::MsgProgramInterrupt.en) + "\n"},
        // The radio stores block 2 wrong yet acknowledges it: only reading it back tells.
        {"corrupt:2",
         {"write", "--input", "in.dat", "--verify", "--quiet", "--no-backup"},
         "Verify failed: the radio holds other bytes at 0x0010\n"},
    };
    for (const auto& c : cases) {
        CliRunner cli;
        ASSERT_TRUE(cli.Write("in.dat", Bytes(NewImage())));
        SimProcess sim({"--fault", c.fault});
        const CliRun run = cli.Run(QStringList{c.args[0], "--port", sim.Device()} + c.args.mid(1));
        EXPECT_EQ(run.exitCode, 3) << c.fault;
        EXPECT_EQ(run.err.toStdString(), c.err) << c.fault;
        EXPECT_FALSE(QFileInfo::exists(cli.Path("out.dat"))) << c.fault;
    }
    // A port another program holds names it (all wordings: PortNames.OpenFailureExplanations).
    CliRunner cli;
    SimProcess sim({});
    QSerialPort holder(sim.Device());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    const CliRun run = cli.Run({"read", "--port", sim.Device(), "--output", "out.dat"});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err.toStdString(), std::string(txt::MsgPortOpenFailed.en) + "\n" +
                                         sim.Device().toStdString() + " is in use by " +
                                         QCoreApplication::applicationName().toStdString() +
                                         " (process " + std::to_string(::getpid()) + ").\n");
}

// The output's folder goes away during the read (while the radio answers block 1000 slowly):
// the save fails, and the message says where the memory read from the radio is kept, if at all.
TEST(CliTransfer, SaveFailingAfterTheReadNamesTheBackupThatHoldsTheMemory) {
    const MemoryImage memory = Pattern(4);
    for (const bool kept : {true, false}) {
        // Slow (block 1000 takes some 150 ms), yet well within the 30 ms the program waits
        // between two bytes, also on a busy machine.
        auto radio = StartPtyRadio(memory, {RadioFault::SlowReplyAtReadBlock, 1000, 1, 12ms});
        ASSERT_TRUE(radio);
        CliRunner cli;
        ASSERT_TRUE(QDir(cli.Dir()).mkdir("out"));
        std::thread remover([&] {
            for (int ms = 0; radio->ReadBlocksSent() <= 1000 && ms < 60000; ++ms) {
                std::this_thread::sleep_for(1ms);
            }
            QDir(cli.Path("out")).removeRecursively();
        });
        const QStringList read = {
            "read",     "--port",        QString::fromStdString(radio->DevicePath()),
            "--output", "out/radio.dat", "--quiet"};
        const CliRun run = cli.Run(kept ? read : read + QStringList{"--no-backup"});
        remover.join();
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        const QStringList backups = Backups(cli);
        ASSERT_EQ(backups.size(), kept ? 1 : 0);
        const QString backup = kept ? "data/velmora/backups/" + backups[0] : "";
        EXPECT_EQ(run.err.toStdString(),
                  "Cannot save out/radio.dat: its folder does not exist\n" +
                      (kept ? "The memory read from the radio is kept in " +
                                  cli.Path(backup).toStdString() +
                                  "; open it in the program to save it elsewhere.\n"
                            : "The memory read from the radio could not be kept.\n"));
        EXPECT_EQ(cli.Read(backup), kept ? Bytes(memory) : QByteArray()); // "": the folder
    }
}

} // namespace
} // namespace velmora
