// velmora-cli read and write against velmora-radio-sim over real pseudo-terminals, and the
// port adapter's end when the device goes away in the middle of a transfer.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QSettings>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "cli/CliContext.h"
#include "document/ProgramDocument.h"
#include "image/DataFile.h"
#include "link/PtyRadio.h"
#include "link/QtSerialLink.h"
#include "link/RadioProtocol.h"
#include "support/CliRunner.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using test::CliRun;
using test::CliRunner;

const std::string kPortFailed(txt::MsgPortOpenFailed.en);
const std::string kLost(txt::MsgConnectionLost.en);
const std::string kCommError(txt::MsgCommunicationError.en);

MemoryImage Pattern(unsigned seed) {
    MemoryImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>((i * 7 + (i >> 8) * 13 + seed) & 0xFF);
    }
    return image;
}

MemoryImage Load(const QString& path) {
    MemoryImage image{};
    EXPECT_TRUE(LoadDataFile(path.toStdString(), image)) << path.toStdString();
    return image;
}

// The radio tool as a child process; its first line of output names the device.
class SimProcess {
public:
    explicit SimProcess(const QStringList& arguments) {
        process_.start(QStringLiteral(VELMORA_BIN_DIR "/velmora-radio-sim"), arguments);
        while (process_.waitForReadyRead(5000) && !process_.canReadLine()) {
        }
        device_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~SimProcess() { Stop(); }
    void Stop() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            process_.waitForFinished(5000);
        }
    }
    bool Finished() { return process_.state() == QProcess::NotRunning; }
    void Kill() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    QString Device() const { return device_; }

private:
    QProcess process_;
    QString device_;
};

// The configuration the tool uses: the Program.ini the build put next to it.
cli::CliContext ProgramContext() {
    cli::GlobalOptions options;
    options.iniPath = VELMORA_BIN_DIR "/Program.ini";
    options.iniGiven = true;
    cli::CliContext context;
    EXPECT_EQ(cli::MakeContext(options, VELMORA_BIN_DIR, context), 0);
    return context;
}

TEST(CliTransfer, ReadSavesTheRadioRawOrAsTheProgramSavesIt) {
    CliRunner cli;
    const MemoryImage radio = Pattern(3);
    ASSERT_TRUE(SaveDataFile(cli.Path("radio.dat").toStdString(), radio));
    SimProcess sim({"--image", cli.Path("radio.dat")});
    ASSERT_FALSE(sim.Device().isEmpty());

    CliRun run = cli.Run(
        {"read", "--port", sim.Device(), "--output", cli.Path("raw.dat"), "--raw", "--quiet"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(Load(cli.Path("raw.dat")) == radio);

    run = cli.Run({"read", "--port", sim.Device(), "--output", cli.Path("doc.dat")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    cli::CliContext context = ProgramContext();
    MemoryUserStore store;
    const MemoryImage expected =
        StoredImage(FillDocument(radio, false, store, context.catalog, context.lang));
    EXPECT_FALSE(expected == radio); // the fill changes something, so the check means something
    EXPECT_TRUE(Load(cli.Path("doc.dat")) == expected);
    // The per-user type and band are what the program would have set after this read.
    const QSettings saved(cli.Path("config/Velmora.conf"), QSettings::IniFormat);
    ASSERT_FALSE(store.Values().empty());
    for (const auto& [name, value] : store.Values()) {
        EXPECT_EQ(saved.value(QString::fromStdString(name)).toInt(), value) << name;
    }
}

TEST(CliTransfer, WriteSendsWhatTheProgramSendsAndTheRadioKeepsItsOwnAreas) {
    CliRunner cli;
    const MemoryImage file = Pattern(11);
    const MemoryImage radioBefore = Pattern(200);
    ASSERT_TRUE(SaveDataFile(cli.Path("in.dat").toStdString(), file));
    ASSERT_TRUE(SaveDataFile(cli.Path("radio.dat").toStdString(), radioBefore));
    SimProcess sim({"--image", cli.Path("radio.dat"), "--save", cli.Path("after.dat")});

    const CliRun run =
        cli.Run({"write", "--port", sim.Device(), "--input", cli.Path("in.dat"), "--quiet"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (int i = 0; i < 200 && !QFileInfo::exists(cli.Path("after.dat")); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    cli::CliContext context = ProgramContext();
    MemoryUserStore store;
    const MemoryImage sent =
        StoredImage(FillDocument(file, false, store, context.catalog, context.lang));
    MemoryImage expected = radioBefore;
    for (std::size_t a = 0; a < kImageSize; ++a) {
        const bool written = a < 0x0640 || (a >= 0x0960 && a <= 0x1FF2);
        if (written) {
            expected[a] = sent[a];
        }
    }
    const MemoryImage after = Load(cli.Path("after.dat"));
    EXPECT_TRUE(after == expected);
    EXPECT_EQ(after[0x0640], radioBefore[0x0640]);
    EXPECT_EQ(after[0x1FF3], radioBefore[0x1FF3]);
}

TEST(CliTransfer, PortHeldByAnotherProgramIsReportedBusy) {
    CliRunner cli;
    SimProcess sim({});
    QSerialPort holder(sim.Device());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    const CliRun run =
        cli.Run({"read", "--port", sim.Device(), "--output", cli.Path("out.dat"), "--quiet"});
    EXPECT_EQ(run.exitCode, 3);
    const QStringList lines = QString::fromUtf8(run.err).split('\n');
    ASSERT_EQ(lines.size(), 3) << run.err.toStdString();
    EXPECT_EQ(lines[0].toStdString(), kPortFailed);
    EXPECT_TRUE(lines[1].startsWith(sim.Device() + " is in use by ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QString(" (process %1).").arg(::getpid())))
        << lines[1].toStdString();
    EXPECT_FALSE(QFileInfo::exists(cli.Path("out.dat")));
}

TEST(CliTransfer, NoPermissionNamesTheDevicesGroup) {
    if (::geteuid() != 0 || !QFileInfo::exists("/usr/bin/setpriv")) {
        GTEST_SKIP() << "needs root and setpriv to run the tool as an unprivileged user";
    }
    SimProcess sim({});
    struct stat info {};
    ASSERT_EQ(::stat(sim.Device().toLocal8Bit().constData(), &info), 0);
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
              kPortFailed + "\nNo permission to use " + sim.Device().toStdString() +
                  ". Add your user to its group " + group + ": sudo usermod -aG " + group +
                  " $USER, then log out and back in.\n");
}

TEST(CliTransfer, RadioFailuresExitThreeWithTheProgramsMessagesAndWriteNothing) {
    struct Case {
        const char* fault;
        QStringList extra;
        std::string err;
    };
    const Case cases[] = {
        {"no-confirmation", {}, kCommError + "\n"},
        {"no-confirmation", {"--retries", "1"}, kCommError + "\n" + kCommError + "\n"},
        {"short-reply:5", {}, std::string(txt::MsgProgramInterrupt.en) + "\n"},
        {"hangup:300", {}, kLost + "\n"},
    };
    for (const Case& c : cases) {
        CliRunner cli;
        SimProcess sim({"--fault", c.fault});
        QStringList args = {"read", "--port", sim.Device(), "--output", cli.Path("out.dat")};
        args += c.extra;
        const CliRun run = cli.Run(args);
        EXPECT_EQ(run.exitCode, 3) << c.fault;
        EXPECT_EQ(run.err.toStdString(), c.err) << c.fault;
        EXPECT_FALSE(QFileInfo::exists(cli.Path("out.dat"))) << c.fault;
    }
}

TEST(CliTransfer, WriteEndsWithLostConnectionWhenTheRadioToolIsKilled) {
    CliRunner cli;
    ASSERT_TRUE(SaveDataFile(cli.Path("in.dat").toStdString(), Pattern(1)));
    SimProcess sim({});
    QProcess writer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", cli.Path("config"));
    env.insert("XDG_DATA_HOME", cli.Path("data"));
    writer.setProcessEnvironment(env);
    writer.start(VELMORA_BIN_DIR "/velmora-cli",
                 {"write", "--port", sim.Device(), "--input", cli.Path("in.dat"), "--quiet"});
    ASSERT_TRUE(writer.waitForStarted());
    std::this_thread::sleep_for(400ms);
    sim.Kill();
    ASSERT_TRUE(writer.waitForFinished(5000));
    EXPECT_EQ(writer.exitCode(), 3);
    EXPECT_EQ(writer.readAllStandardError().toStdString(), kLost + "\n");
}

TEST(CliTransfer, UsageAndFileErrors) {
    CliRunner cli;
    struct Case {
        QStringList args;
        int exit;
    };
    const Case cases[] = {
        {{"read", "--output", "x.dat"}, 1},
        {{"read", "--port", "/dev/null"}, 1},
        {{"write", "--port", "/dev/null", "--input", "missing.dat"}, 2},
        {{"write", "--port", "/dev/null", "--input", "x.dat", "--raw"}, 1},
        {{"read", "--port", "/dev/null", "--output", "x.dat", "--retries", "-1"}, 1},
        {{"read", "--port", "/dev/velmora-none", "--output", "x.dat"}, 3},
    };
    for (const Case& c : cases) {
        const CliRun run = cli.Run(c.args);
        EXPECT_EQ(run.exitCode, c.exit) << c.args.join(' ').toStdString() << run.err.toStdString();
    }
    const CliRun help = cli.Run({"read", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: velmora-cli read --port DEV --output OUT.dat"));
}

// An output that cannot be saved is found out before the port is opened, not after a read.
TEST(CliTransfer, UnsavableOutputEndsTheReadBeforeTheRadioHearsAByte) {
    std::string error;
    auto radio = PtyRadio::Create(Pattern(2), {}, error);
    ASSERT_TRUE(radio) << error;
    radio->Start();
    CliRunner cli;
    ASSERT_TRUE(QDir(cli.Dir()).mkdir("folder.dat"));
    const struct {
        QString output;
        std::string err;
    } cases[] = {
        {"missing/out.dat", "Cannot save missing/out.dat: its folder does not exist\n"},
        {"folder.dat", "Cannot save folder.dat: it is a folder, not a file\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = cli.Run({"read", "--port", QString::fromStdString(radio->DevicePath()),
                                    "--output", c.output, "--quiet"});
        EXPECT_EQ(run.exitCode, 2) << c.err;
        EXPECT_EQ(run.err.toStdString(), c.err);
    }
    EXPECT_EQ(radio->BytesReceived(), 0);
    radio->Stop();
}

// The output's folder goes away during the read (while the radio answers block 1000 slowly):
// the save fails, and the message says where the memory read from the radio is.
TEST(CliTransfer, SaveFailingAfterTheReadNamesTheBackupThatHoldsTheMemory) {
    const MemoryImage memory = Pattern(4);
    const std::string failed = "Cannot save out/radio.dat: its folder does not exist\n";
    const struct {
        QStringList extra;
        bool kept;
    } cases[] = {{{}, true}, {{"--no-backup"}, false}};
    for (const auto& c : cases) {
        PtyRadioOptions options;
        options.behaviour.fault = RadioFault::SlowReplyAtReadBlock;
        options.behaviour.block = 1000;
        options.behaviour.slowGap = 25ms; // slow, but within what the program waits for
        std::string error;
        auto radio = PtyRadio::Create(memory, options, error);
        ASSERT_TRUE(radio) << error;
        radio->Start();
        CliRunner cli;
        ASSERT_TRUE(QDir(cli.Dir()).mkdir("out"));
        std::thread remover([&] {
            const auto deadline = std::chrono::steady_clock::now() + 60s;
            while (radio->ReadBlocksSent() <= 1000 && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(1ms);
            }
            QDir(cli.Path("out")).removeRecursively();
        });
        const CliRun run =
            cli.Run(QStringList{"read", "--port", QString::fromStdString(radio->DevicePath()),
                                "--output", "out/radio.dat", "--quiet"} +
                    c.extra);
        remover.join();
        radio->Stop();
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        const QStringList backups = QDir(cli.Path("data/velmora/backups")).entryList(QDir::Files);
        if (!c.kept) {
            EXPECT_TRUE(backups.isEmpty());
            EXPECT_EQ(run.err.toStdString(),
                      failed + "The memory read from the radio could not be kept.\n");
            continue;
        }
        ASSERT_EQ(backups.size(), 1);
        const QString backup = cli.Path("data/velmora/backups/" + backups[0]);
        EXPECT_EQ(run.err.toStdString(), failed + "The memory read from the radio is kept in " +
                                             backup.toStdString() +
                                             "; open it in the program to save it elsewhere.\n");
        EXPECT_TRUE(Load(backup) == memory);
    }
}

// The transfer thread notices a device that went away at once, not after its time-outs.
TEST(PtyRadioHangUp, TransferEndsWithin100msOfTheDeviceGoingAway) {
    struct Case {
        TransferDirection direction;
        bool byFault; // the radio's hang-up fault, or the device closed from outside
    };
    const Case cases[] = {{TransferDirection::Read, true},
                          {TransferDirection::Write, true},
                          {TransferDirection::Read, false}};
    for (const Case& c : cases) {
        PtyRadioOptions options;
        if (c.byFault) {
            options.behaviour.fault = RadioFault::HangUpAtBlock;
            options.behaviour.block = 200;
        }
        std::string error;
        auto radio = PtyRadio::Create(Pattern(5), options, error);
        ASSERT_TRUE(radio) << error;
        radio->Start();
        struct Quiet : TransferHooks {
            std::vector<std::string> messages;
            void Progress(int, int) override {}
            bool Cancelled() override { return false; }
            PromptAnswer CommunicationErrorPrompt() override { return PromptAnswer::Cancel; }
            void ShowMessage(TextPair text) override { messages.emplace_back(text.en); }
        } user;
        TransferResult result;
        std::chrono::steady_clock::time_point ended;
        std::thread transfer([&] {
            QtSerialLink link;
            MemoryImage image = Pattern(9);
            result = RunTransfer(link, radio->DevicePath(), c.direction, image, user);
            ended = std::chrono::steady_clock::now();
        });
        if (!c.byFault) {
            while (radio->ReadBlocksSent() < 200) {
                std::this_thread::sleep_for(1ms);
            }
            radio->HangUp();
        }
        while (!radio->HungUp()) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        const auto hungUp = std::chrono::steady_clock::now();
        transfer.join();
        EXPECT_EQ(result.outcome, TransferOutcome::ConnectionLost);
        EXPECT_EQ(user.messages, std::vector<std::string>{kLost});
        EXPECT_LT(ended - hungUp, 100ms);
    }
}

} // namespace
} // namespace velmora

// The port adapter wants an application thread for its notifiers.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
