// velmora-cli read and write against velmora-radio-sim over real pseudo-terminals: what is saved
// and sent, the backups, --verify and --trace, the radio's failures, and ports and outputs that
// cannot be used.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSettings>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

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
using test::CliRun;
using test::CliRunner;
using test::Pattern;
using test::SimProcess;

const std::string kPortFailed(txt::MsgPortOpenFailed.en);
const std::string kLost(txt::MsgConnectionLost.en);
const std::string kCommError(txt::MsgCommunicationError.en);

QByteArray Bytes(const MemoryImage& image) {
    return {reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size())};
}

QStringList Backups(const CliRunner& cli) {
    return QDir(cli.Path("data/velmora/backups")).entryList(QDir::Files, QDir::Name);
}

// What the window program holds after opening or reading `image` with the Program.ini the build
// put next to the tool: what the tool saves after a read and sends for a write.
MemoryImage AsTheProgramHoldsIt(const MemoryImage& image, MemoryUserStore& store) {
    cli::GlobalOptions options;
    options.iniPath = VELMORA_BIN_DIR "/Program.ini";
    options.iniGiven = true;
    cli::CliContext context;
    EXPECT_EQ(cli::MakeContext(options, VELMORA_BIN_DIR, context), 0);
    return StoredImage(FillDocument(image, false, store, context.catalog, context.lang));
}

TEST(CliTransfer, ReadSavesRawOrAsTheProgramWriteKeepsTheRadiosAreasAndBothKeepBackups) {
    CliRunner cli;
    const MemoryImage radio = Pattern(3);
    const MemoryImage file = Pattern(11);
    ASSERT_TRUE(cli.Write("radio.dat", Bytes(radio)) && cli.Write("in.dat", Bytes(file)));
    SimProcess sim({"--image", cli.Path("radio.dat"), "--save", cli.Path("after.dat")});
    ASSERT_FALSE(sim.Device().isEmpty());

    CliRun run = cli.Run(
        {"read", "--port", sim.Device(), "--output", "raw.dat", "--raw", "--quiet", "--no-backup"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(cli.Read("raw.dat"), Bytes(radio));
    EXPECT_TRUE(Backups(cli).isEmpty());

    run = cli.Run({"read", "--port", sim.Device(), "--output", "doc.dat"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    MemoryUserStore store;
    const MemoryImage expected = AsTheProgramHoldsIt(radio, store);
    EXPECT_FALSE(expected == radio); // the fill changes something, so the check means something
    EXPECT_EQ(cli.Read("doc.dat"), Bytes(expected));
    // The per-user type and band are what the program would have set after this read.
    const QSettings saved(cli.Path("config/Velmora.conf"), QSettings::IniFormat);
    ASSERT_FALSE(store.Values().empty());
    for (const auto& [name, value] : store.Values()) {
        EXPECT_EQ(saved.value(QString::fromStdString(name)).toInt(), value) << name;
    }
    // The backup holds the memory as read.
    QStringList backups = Backups(cli);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(backups[0].contains(QRegularExpression("^velmora-\\d{8}-\\d{6}-read\\.dat$")));
    EXPECT_EQ(cli.Read("data/velmora/backups/" + backups[0]), Bytes(radio));

    run = cli.Run({"write", "--port", sim.Device(), "--input", "in.dat", "--quiet"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (int i = 0; i < 200 && !QFileInfo::exists(cli.Path("after.dat")); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    MemoryUserStore writeStore;
    const MemoryImage sent = AsTheProgramHoldsIt(file, writeStore);
    MemoryImage radioAfter = radio;
    for (std::size_t a = 0; a < kImageSize; ++a) {
        if (a < 0x0640 || (a >= 0x0960 && a <= 0x1FF2)) {
            radioAfter[a] = sent[a];
        }
    }
    EXPECT_EQ(cli.Read("after.dat"), Bytes(radioAfter));
    backups = Backups(cli);
    ASSERT_EQ(backups.size(), 2);
    EXPECT_EQ(backups.filter(QRegularExpression("-write\\.dat$")).size(), 1);

    // --verify reads the radio back; --trace notes each transfer and shows every byte.
    run = cli.Run({"write", "--port", sim.Device(), "--input", "in.dat", "--verify", "--no-backup",
                   "--trace", "trace.txt"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Verify: the radio holds what was written.\n"));
    const QList<QByteArray> lines = cli.Read("trace.txt").split('\n');
    ASSERT_GT(lines.size(), 3000);
    EXPECT_EQ(lines[0], "# write " + sim.Device().toUtf8());
    EXPECT_TRUE(lines[1].endsWith(" ms > 02")) << lines[1].toStdString();
    EXPECT_TRUE(lines.contains("# read " + sim.Device().toUtf8()));
    const QRegularExpression format(
        "^( {0,9}\\d+\\.\\d{3} ms [<>]( [0-9A-F]{2})*( \\(.*\\))?|# .*)$");
    for (const QByteArray& line : lines.mid(0, lines.size() - 1)) {
        ASSERT_TRUE(format.match(QString::fromUtf8(line)).hasMatch()) << line.toStdString();
    }
}

TEST(CliTransfer, RadioFailuresExitThreeWithTheProgramsMessagesAndWriteNothing) {
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
        {"hangup:300", read, kLost + "\n"},
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
}

// A port held by another program names that program; one the user may not use names the
// device's group (run as an ordinary user, where root and setpriv allow it).
TEST(CliTransfer, APortThatCannotBeUsedIsExplained) {
    CliRunner cli;
    SimProcess sim({});
    const std::string device = sim.Device().toStdString();
    {
        QSerialPort holder(sim.Device());
        ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
        const CliRun run = cli.Run({"read", "--port", sim.Device(), "--output", "out.dat"});
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_EQ(run.err.toStdString(), kPortFailed + "\n" + device + " is in use by " +
                                             QCoreApplication::applicationName().toStdString() +
                                             " (process " + std::to_string(::getpid()) + ").\n");
        EXPECT_FALSE(QFileInfo::exists(cli.Path("out.dat")));
    }
    if (::geteuid() != 0 || !QFileInfo::exists("/usr/bin/setpriv")) {
        GTEST_SKIP() << "needs root and setpriv to run the tool as an unprivileged user";
    }
    struct stat info {};
    ASSERT_EQ(::stat(device.c_str(), &info), 0);
    const group* owner = ::getgrgid(info.st_gid);
    ASSERT_NE(owner, nullptr);
    QProcess process;
    process.setWorkingDirectory("/");
    process.start("/usr/bin/setpriv",
                  {"--reuid=65534", "--regid=65534", "--clear-groups",
                   VELMORA_BIN_DIR "/velmora-cli", "read", "--port", sim.Device(), "--output",
                   "/tmp/velmora-never-written.dat", "--quiet"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 3);
    const std::string group = owner->gr_name;
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              kPortFailed + "\nNo permission to use " + device + ". Add your user to its group " +
                  group + ": sudo usermod -aG " + group + " $USER, then log out and back in.\n");
}

// The output's folder goes away during the read (while the radio answers block 1000 slowly):
// the save fails, and the message says where the memory read from the radio is.
TEST(CliTransfer, SaveFailingAfterTheReadNamesTheBackupThatHoldsTheMemory) {
    const MemoryImage memory = Pattern(4);
    const std::string failed = "Cannot save out/radio.dat: its folder does not exist\n";
    for (const bool kept : {true, false}) {
        // Slow (block 1000 takes some 150 ms), yet well within the 30 ms the program waits
        // between two bytes, also on a busy machine.
        auto radio = test::StartPtyRadio(memory, {RadioFault::SlowReplyAtReadBlock, 1000, 1, 12ms});
        ASSERT_TRUE(radio);
        CliRunner cli;
        ASSERT_TRUE(QDir(cli.Dir()).mkdir("out"));
        std::thread remover([&] {
            for (int ms = 0; radio->ReadBlocksSent() <= 1000 && ms < 60000; ++ms) {
                std::this_thread::sleep_for(1ms);
            }
            QDir(cli.Path("out")).removeRecursively();
        });
        QStringList args = {
            "read",     "--port",        QString::fromStdString(radio->DevicePath()),
            "--output", "out/radio.dat", "--quiet"};
        const CliRun run = cli.Run(kept ? args : args << "--no-backup");
        remover.join();
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        const QStringList backups = Backups(cli);
        ASSERT_EQ(backups.size(), kept ? 1 : 0);
        EXPECT_EQ(run.err.toStdString(),
                  failed + (kept
                                ? "The memory read from the radio is kept in " +
                                      cli.Path("data/velmora/backups/" + backups[0]).toStdString() +
                                      "; open it in the program to save it elsewhere.\n"
                                : "The memory read from the radio could not be kept.\n"));
        if (kept) {
            EXPECT_EQ(cli.Read("data/velmora/backups/" + backups[0]), Bytes(memory));
        }
    }
}

} // namespace
} // namespace velmora

// The serial port wants an application object.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
