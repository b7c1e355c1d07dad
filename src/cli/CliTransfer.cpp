#include "cli/CliTransfer.h"

#include "cli/CliOutput.h"
#include "link/BackupFolder.h"
#include "link/BackupStore.h"
#include "link/PortNames.h"
#include "link/PortProbe.h"
#include "link/QtSerialLink.h"

#include <unistd.h>

#include <atomic>
#include <charconv>
#include <csignal>

namespace velmora::cli {

namespace {

std::atomic<bool> g_interrupted{false};

void OnInterrupt(int) {
    g_interrupted = true;
}

// Ctrl+C ends a transfer the way the progress dialog's Cancel does: at the next block, with
// the port closed and nothing saved.
class InterruptGuard {
public:
    InterruptGuard() {
        g_interrupted = false;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &previousInt_);
        ::sigaction(SIGTERM, &action, &previousTerm_);
    }
    ~InterruptGuard() {
        ::sigaction(SIGINT, &previousInt_, nullptr);
        ::sigaction(SIGTERM, &previousTerm_, nullptr);
    }

private:
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
};

class CliUser : public TransferHooks {
public:
    CliUser(const TransferOptions& options, const QtSerialLink& link, Language lang,
            TransferDirection direction)
        : link_(link), lang_(lang), retriesLeft_(options.retries),
          bar_(!options.quiet && ::isatty(STDERR_FILENO)),
          what_(direction == TransferDirection::Read ? txt::ReadData : txt::WriteData) {}
    ~CliUser() override { EndBar(); }

    void Progress(int position, int range) override {
        if (!bar_ || range <= 0) {
            return;
        }
        constexpr int kWidth = 40;
        const int filled = position * kWidth / range;
        std::fprintf(
            stderr, "\r%.*s [%s%s] %d/%d", static_cast<int>(what_.In(lang_).size()),
            what_.In(lang_).data(), std::string(static_cast<std::size_t>(filled), '#').c_str(),
            std::string(static_cast<std::size_t>(kWidth - filled), ' ').c_str(), position, range);
        std::fflush(stderr);
        barShown_ = true;
    }
    bool Cancelled() override { return g_interrupted; }
    PromptAnswer CommunicationErrorPrompt() override {
        Say(txt::MsgCommunicationError.In(lang_));
        if (retriesLeft_ > 0) {
            --retriesLeft_;
            return PromptAnswer::Retry;
        }
        return PromptAnswer::Cancel;
    }
    void ShowMessage(TextPair text) override {
        Say(text.In(lang_));
        if (txt::MsgPortOpenFailed.Matches(text.en) && !link_.OpenFailureDetail().empty()) {
            Say(link_.OpenFailureDetail());
        }
    }
    void Say(std::string_view line) {
        EndBar();
        PrintLine(stderr, line);
    }

private:
    void EndBar() {
        if (barShown_) {
            std::fputc('\n', stderr);
            barShown_ = false;
        }
    }

    const QtSerialLink& link_;
    Language lang_;
    int retriesLeft_;
    bool bar_;
    bool barShown_ = false;
    TextPair what_;
};

} // namespace

int ParseTransferOptions(const Args& args, std::string_view command, std::string_view fileOption,
                         TransferOptions& options) {
    const std::string hint = "velmora-cli " + std::string(command) + " --help";
    for (std::size_t at = 0; at < args.size(); ++at) {
        const std::string& arg = args[at];
        if (arg == "--raw" && command == "read") {
            options.raw = true;
        } else if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
        } else if (arg == "--no-backup") {
            options.noBackup = true;
        } else if (arg == "--verify" && command == "write") {
            options.verify = true;
        } else if (arg == "--port" || arg == fileOption || arg == "--retries" || arg == "--trace") {
            if (at + 1 >= args.size()) {
                return UsageError(arg + " needs a value", hint);
            }
            const std::string& value = args[++at];
            if (arg == "--port") {
                options.port = value;
            } else if (arg == "--trace") {
                options.traceFile = value;
            } else if (arg == "--retries") {
                const auto [end, error] =
                    std::from_chars(value.data(), value.data() + value.size(), options.retries);
                if (error != std::errc() || end != value.data() + value.size() ||
                    options.retries < 0) {
                    return UsageError("--retries takes a number of 0 or more, not '" + value + "'",
                                      hint);
                }
            } else {
                options.file = value;
            }
        } else {
            return UsageError("unknown argument '" + arg + "'", hint);
        }
    }
    if (options.port.empty()) {
        return UsageError("--port is missing", hint);
    }
    if (options.file.empty()) {
        return UsageError(std::string(fileOption) + " is missing", hint);
    }
    return ExitOk;
}

int OpenTraceFile(CliContext& context, const TransferOptions& options, TraceFile& trace) {
    if (options.traceFile.empty() || options.traceFile == "-") {
        return ExitOk;
    }
    std::string error;
    if (!trace.Open(options.traceFile, error)) {
        const std::string values[] = {options.traceFile, error};
        PrintLine(stderr, FillText(txt::TraceOpenFailed.In(context.lang), values));
        return ExitFile;
    }
    return ExitOk;
}

std::string KeepBackup(CliContext& context, const TransferOptions& options,
                       const MemoryImage& image, std::string_view reason) {
    if (options.noBackup) {
        return {};
    }
    BackupStore store(DefaultBackupFolder());
    std::string path;
    const FileResult kept = store.Keep(image, reason, std::chrono::system_clock::now(), path);
    if (!kept) {
        const std::string values[] = {store.Folder(), kept.reason};
        PrintLine(stderr, FillText(txt::BackupFailed.In(context.lang), values));
        return {};
    }
    return path;
}

int RunCliTransfer(CliContext& context, const TransferOptions& options, TransferDirection direction,
                   MemoryImage& image, TraceFile* traceFile) {
    const std::string device = ResolvePortName(options.port, ButtonDevices(context.store.get()));
    if (device.empty()) {
        const std::string values[] = {options.port};
        PrintLine(stderr, txt::MsgPortOpenFailed.In(context.lang));
        PrintLine(stderr, FillText(txt::PortNoButtonDevice.In(context.lang), values));
        return ExitRadio;
    }
    if (!options.quiet) {
        if (const std::optional<int> latency = LatencyTimerMs(device)) {
            if (const std::string hint = LatencyHint(device, *latency, context.lang);
                !hint.empty()) {
                PrintLine(stderr, hint);
            }
        }
    }
    QtSerialLink link;
    link.SetLanguage(context.lang);
    CliUser user(options, link, context.lang, direction);
    TraceSink trace;
    if (options.traceFile == "-") {
        trace = [&user](const TraceEvent& event) { user.Say(FormatTrace(event)); };
    } else if (traceFile != nullptr && traceFile->IsOpen()) {
        traceFile->Note(direction == TransferDirection::Read ? "read " + device
                                                             : "write " + device);
        trace = [traceFile](const TraceEvent& event) { traceFile->Write(event); };
    }
    const InterruptGuard guard;
    const TransferResult result = RunTransfer(link, device, direction, image, user, trace);
    if (result.outcome == TransferOutcome::Cancelled) {
        user.Say("velmora-cli: interrupted");
    }
    return result.outcome == TransferOutcome::Completed ? ExitOk : ExitRadio;
}

} // namespace velmora::cli
