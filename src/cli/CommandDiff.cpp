// velmora-cli diff: what differs between two data files.
#include "channels/ImageDiff.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "image/DataFile.h"

namespace velmora::cli {

namespace {

constexpr std::string_view kDiffHelp =
    "Usage: velmora-cli diff A.dat B.dat\n"
    "Lists what differs, one line each, A's value first:\n"
    "  channel 5: Rx Frequency 438.01250 -> 438.02500\n"
    "  option Step: 12.5k -> 25k\n"
    "  byte 0x0C85: 0xFF -> 0x00   (bytes no channel or option text shows)\n"
    "Exit 0 when the files are equal, 1 when they differ, 2 when one cannot be read.";

// Scripts read "different" from exit code 1, so a usage error here must not be 1.
constexpr int kDiffers = 1;

} // namespace

int CommandDiff(CliContext& context, const Args& args) {
    if (WantsHelp(args, kDiffHelp)) {
        return ExitOk;
    }
    if (args.size() != 2) {
        UsageError("wrong arguments for 'diff'", "velmora-cli diff --help");
        return ExitFile;
    }
    MemoryImage images[2]{};
    for (int i = 0; i < 2; ++i) {
        if (const FileResult loaded = LoadDataFile(args[i], images[i]); !loaded) {
            PrintLine(stderr, DescribeLoadFailure(args[i], loaded, context.lang));
            return ExitFile;
        }
    }
    const std::vector<std::string> lines = DiffImages(images[0], images[1], context.lang);
    for (const std::string& line : lines) {
        PrintLine(stdout, line);
    }
    return lines.empty() && images[0] == images[1] ? ExitOk : kDiffers;
}

} // namespace velmora::cli
