// velmora-cli import-csv: channels from a CSV file into a data file.
#include "channels/CsvImport.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "image/DataFile.h"
#include "image/ProgramDocument.h"
#include "link/PortNames.h"

namespace velmora::cli {

namespace {

constexpr std::string_view kImportHelp =
    "Usage: velmora-cli import-csv FILE.dat IN.csv [--output OUT.dat]\n"
    "Sets channels of FILE.dat from a CSV file: the layout export-csv writes (a header of\n"
    "column titles in English or Chinese, any order, the channel number 0-199 first) or the\n"
    "CHIRP-compatible layout (recognised by its header). Each row sets its channel as typing\n"
    "it into the grid would: the file's band limits, the 2.5/6.25 kHz raster and the\n"
    "defaults of a new channel; a row with an empty Rx cell clears the channel; channels not\n"
    "listed stay as they are. If any row is refused, each is reported on stderr as\n"
    "'line N: reason', nothing is written and the exit code is 4. Otherwise the result is\n"
    "saved to OUT.dat, or over FILE.dat without --output.";

// CSV files are small; anything this large is not a channel list.
constexpr std::size_t kMaxCsvBytes = 16 * 1024 * 1024;

} // namespace

int CommandImportCsv(CliContext& context, const Args& args) {
    if (WantsHelp(args, kImportHelp)) {
        return ExitOk;
    }
    Args files;
    std::string output;
    for (std::size_t at = 0; at < args.size(); ++at) {
        if (args[at] == "--output") {
            if (at + 1 >= args.size()) {
                return UsageError("--output needs a value", "velmora-cli import-csv --help");
            }
            output = args[++at];
        } else {
            files.push_back(args[at]);
        }
    }
    if (files.size() != 2) {
        return UsageError("wrong arguments for 'import-csv'", "velmora-cli import-csv --help");
    }
    MemoryImage image{};
    if (const FileResult loaded = LoadDataFile(files[0], image); !loaded) {
        PrintLine(stderr, DescribeLoadFailure(files[0], loaded, context.lang));
        return ExitFile;
    }
    std::vector<std::uint8_t> bytes;
    if (const FileResult read = ReadFileHead(files[1], kMaxCsvBytes + 1, bytes); !read) {
        PrintLine(stderr, DescribeLoadFailure(files[1], read, context.lang));
        return ExitFile;
    }
    if (bytes.size() > kMaxCsvBytes) {
        PrintLine(stderr, DescribeLoadFailure(files[1], {FileError::ReadFailed, "too large"},
                                              context.lang));
        return ExitFile;
    }
    // As opening the file in the program: its own type and band decide the limits.
    MemoryUserStore scratch;
    FilledDocument document = FillDocument(image, false, scratch, context.catalog, context.lang);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const CsvImportResult result =
        ImportChannelsCsv(text, document.grid, document.product.limits, context.lang);
    if (!result.rejected.empty()) {
        for (const CsvRejection& rejection : result.rejected) {
            PrintLine(stderr, "line " + std::to_string(rejection.line) + ": " + rejection.reason);
        }
        const std::string values[] = {std::to_string(result.rejected.size())};
        PrintLine(stderr, FillText(txt::ImportRejected.In(context.lang), values));
        return ExitRejected;
    }
    document.grid = result.grid;
    const std::string target = output.empty() ? files[0] : output;
    if (const FileResult saved = SaveDataFile(target, StoredImage(document)); !saved) {
        PrintLine(stderr, DescribeSaveFailure(target, saved, context.lang));
        return ExitFile;
    }
    return ExitOk;
}

} // namespace velmora::cli
