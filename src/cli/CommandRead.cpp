// velmora-cli read: the radio's memory into a data file.
#include "cli/CliOutput.h"
#include "cli/CliTransfer.h"
#include "document/ProgramDocument.h"
#include "image/DataFile.h"

namespace velmora::cli {

namespace {

constexpr std::string_view kReadHelp =
    "Usage: velmora-cli read --port DEV --output OUT.dat [--raw] [--retries N] [--quiet]\n"
    "                        [--trace FILE] [--no-backup]\n"
    "Reads the radio's memory and saves what the program saves after the same read: the\n"
    "channels and the band bytes of the type and band the memory names (the per-user\n"
    "type and band are set from it, as the program sets them).\n"
    "  --port DEV     a serial device (/dev/ttyUSB0) or COM1..COM4 as set up in the program\n"
    "  --raw          save exactly the 8192 bytes received instead\n"
    "  --retries N    answer Retry N times to \"Communication Error\" (default 0: Cancel)\n"
    "  --quiet        no progress bar and no hints\n"
    "  --trace FILE   every byte sent and received, with millisecond times, into FILE\n"
    "                 ('-': on stderr)\n"
    "  --no-backup    keep no copy in the backup folder\n"
    "Every completed read is also kept as it came from the radio in the backup folder\n"
    "($XDG_DATA_HOME/velmora/backups, ~/.local/share/velmora/backups by default); copies\n"
    "older than a year are removed. Nothing is written unless the whole memory arrived.\n"
    "OUT.dat is checked before the port is opened: a file that cannot be saved ends the\n"
    "command at once with exit 2. Should the save still fail after the read, the message\n"
    "names the backup that holds the memory.\n"
    "Exit 3 for any radio or port failure, 2 when the file cannot be saved.";

} // namespace

int CommandRead(CliContext& context, const Args& args) {
    if (WantsHelp(args, kReadHelp)) {
        return ExitOk;
    }
    TransferOptions options;
    if (int code = ParseTransferOptions(args, "read", "--output", options); code != ExitOk) {
        return code;
    }
    // A file that cannot be saved is found out now, not after the whole read.
    if (const FileResult writable = CheckSaveTarget(options.file); !writable) {
        PrintLine(stderr, DescribeSaveFailure(options.file, writable, context.lang));
        return ExitFile;
    }
    TraceFile trace;
    if (int code = OpenTraceFile(context, options, trace); code != ExitOk) {
        return code;
    }
    MemoryImage image = NewImage();
    if (int code = RunCliTransfer(context, options, TransferDirection::Read, image, &trace);
        code != ExitOk) {
        return code;
    }
    const std::string backup = KeepBackup(context, options, image, "read");
    if (!options.raw) {
        // As the channel window does after a read: refill, which synchronises type and band
        // with the per-user store and writes the band bytes, and store the grid back.
        image =
            StoredImage(FillDocument(image, false, *context.store, context.catalog, context.lang));
    }
    const FileResult saved = SaveDataFile(options.file, image);
    if (!saved) {
        PrintLine(stderr, DescribeSaveFailure(options.file, saved, context.lang));
        PrintLine(stderr, backup.empty() ? std::string(txt::ReadNotKept.In(context.lang))
                                         : FillText(txt::ReadKeptInBackup, context.lang, {backup}));
        return ExitFile;
    }
    return ExitOk;
}

} // namespace velmora::cli
