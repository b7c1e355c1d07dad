// velmora-cli write: a data file into the radio.
#include "cli/CliOutput.h"
#include "cli/CliTransfer.h"
#include "image/DataFile.h"
#include "image/ProgramDocument.h"

namespace velmora::cli {

namespace {

constexpr std::string_view kWriteHelp =
    "Usage: velmora-cli write --port DEV --input IN.dat [--retries N] [--quiet] [--trace]\n"
    "Writes a data file into the radio, exactly as the program does after opening the file\n"
    "and pressing Write: the channels stored back and the band bytes of the file's own type\n"
    "and band; the radio keeps 0x0640-0x095F and 0x1FF3-0x1FFF.\n"
    "  --port DEV     a serial device (/dev/ttyUSB0) or COM1..COM4 as set up in the program\n"
    "  --retries N    answer Retry N times to \"Communication Error\" (default 0: Cancel)\n"
    "  --quiet        no progress bar and no hints\n"
    "  --trace        every byte sent and received, on stderr\n"
    "Exit 3 for any radio or port failure, 2 when the file cannot be read.";

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
    return RunCliTransfer(context, options, TransferDirection::Write, image);
}

} // namespace velmora::cli
