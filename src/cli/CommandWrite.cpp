// velmora-cli write: a data file into the radio.
#include "cli/CliOutput.h"
#include "cli/CliTransfer.h"
#include "document/ProgramDocument.h"
#include "image/DataFile.h"
#include "link/PortNames.h"

#include <cstdio>

namespace velmora::cli {

namespace {

constexpr std::string_view kWriteHelp =
    "Usage: velmora-cli write --port DEV --input IN.dat [--retries N] [--quiet]\n"
    "                         [--verify] [--trace FILE] [--no-backup]\n"
    "Writes a data file into the radio, exactly as the program does after opening the file\n"
    "and pressing Write: the channels stored back and the band bytes of the file's own type\n"
    "and band; the radio keeps 0x0640-0x095F and 0x1FF3-0x1FFF.\n"
    "  --port DEV     a serial device (/dev/ttyUSB0) or COM1..COM4 as set up in the program\n"
    "  --retries N    answer Retry N times to \"Communication Error\" (default 0: Cancel)\n"
    "  --quiet        no progress bar and no hints\n"
    "  --verify       afterwards read the radio back and compare what was written\n"
    "                 (0x0000-0x063F, 0x0960-0x1FF2); any difference is exit 3\n"
    "  --trace FILE   every byte sent and received, with millisecond times, into FILE\n"
    "                 ('-': on stderr)\n"
    "  --no-backup    keep no copy of what is sent in the backup folder\n"
    "Before writing, the image about to be sent is kept in the backup folder\n"
    "($XDG_DATA_HOME/velmora/backups). Exit 3 for any radio or port failure or a failed\n"
    "verify, 2 when the file cannot be read.";

// The ranges a write sends: everything but 0x0640-0x095F and 0x1FF3-0x1FFF.
bool WrittenByte(std::size_t at) {
    return at < 0x0640 || (at >= 0x0960 && at <= 0x1FF2);
}

// Reads the radio back and names every written byte it does not hold as sent.
int Verify(CliContext& context, const TransferOptions& options, const MemoryImage& sent,
           TraceFile& trace) {
    MemoryImage radio = NewImage();
    if (int code = RunCliTransfer(context, options, TransferDirection::Read, radio, &trace);
        code != ExitOk) {
        return code;
    }
    std::string offsets;
    int count = 0;
    constexpr int kListed = 32;
    for (std::size_t at = 0; at < sent.size(); ++at) {
        if (WrittenByte(at) && sent[at] != radio[at]) {
            if (count++ < kListed) {
                char text[24]; // room for any size_t, though addresses have four digits
                std::snprintf(text, sizeof text, "0x%04zX", at);
                if (!offsets.empty()) {
                    offsets += ' ';
                }
                offsets += text;
            }
        }
    }
    if (count == 0) {
        if (!options.quiet) {
            PrintLine(stderr, txt::VerifyPassed.In(context.lang));
        }
        return ExitOk;
    }
    if (count > kListed) {
        offsets += " (+" + std::to_string(count - kListed) + ")";
    }
    const std::string values[] = {offsets};
    PrintLine(stderr, FillText(txt::VerifyFailed.In(context.lang), values));
    return ExitRadio;
}

} // namespace

int CommandWrite(CliContext& context, const Args& args) {
    if (WantsHelp(args, kWriteHelp)) {
        return ExitOk;
    }
    TransferOptions options;
    if (int code = ParseTransferOptions(args, "write", "--input", options); code != ExitOk) {
        return code;
    }
    MemoryImage file{};
    const FileResult loaded = LoadDataFile(options.file, file);
    if (!loaded) {
        PrintLine(stderr, DescribeLoadFailure(options.file, loaded, context.lang));
        return ExitFile;
    }
    // Opening a file decides type and band from the file itself; looking at it from here does
    // not change what the program's new documents get.
    MemoryUserStore scratch;
    MemoryImage image =
        StoredImage(FillDocument(file, false, scratch, context.catalog, context.lang));
    TraceFile trace;
    if (int code = OpenTraceFile(context, options, trace); code != ExitOk) {
        return code;
    }
    KeepBackup(context, options, image, "write");
    if (int code = RunCliTransfer(context, options, TransferDirection::Write, image, &trace);
        code != ExitOk || !options.verify) {
        return code;
    }
    return Verify(context, options, image, trace);
}

} // namespace velmora::cli
