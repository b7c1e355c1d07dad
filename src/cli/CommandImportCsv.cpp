// velmora-cli import-csv: channels from a CSV file into a data file.
#include "channels/ImportPlan.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "document/ProgramDocument.h"
#include "image/DataFile.h"
#include "link/PortNames.h"

namespace velmora::cli {

namespace {

constexpr std::string_view kImportHelp =
    "Usage: velmora-cli import-csv FILE.dat IN.csv [--output OUT.dat] [--skip-refused]\n"
    "                              [--at N]\n"
    "Sets channels of FILE.dat from a CSV file: the layout export-csv writes (a header of\n"
    "column titles in English or Chinese, any order, the channel number 0-199 first) or the\n"
    "CHIRP-compatible layout (recognised by its header). Each row sets its channel as typing\n"
    "it into the grid would: the file's band limits, the 2.5/6.25 kHz raster and the\n"
    "defaults of a new channel; a row with an empty Rx cell clears the channel; channels not\n"
    "listed stay as they are. A CHIRP row whose Mode is not FM or NFM is refused (an empty\n"
    "Mode is FM); so is a row numbered outside 0-199 unless --at is given.\n"
    "\n"
    "  --skip-refused  import the rows that pass and skip the others; each skipped row is\n"
    "                  reported, then 'imported K, skipped S'\n"
    "  --at N          place the imported rows one after another from channel N (0-199), in\n"
    "                  file order, whatever numbers they carry; skipped rows take no channel.\n"
    "                  If they would run past channel 199 nothing is imported (exit 4).\n"
    "\n"
    "On stderr, in line order: 'line N: reason' for each refused row, and\n"
    "'line N: warning: same Rx frequency and tones as channel M (line L)' for a row that\n"
    "repeats an earlier row of the file (it is imported all the same).\n"
    "Without --skip-refused the file is taken whole or not at all: if any row is refused,\n"
    "nothing is written, the last line is 'Nothing was written: N row(s) were rejected.' and\n"
    "the exit code is 4. With --skip-refused the exit code is 0 when at least one row was\n"
    "imported and 4 when none was. The result is saved to OUT.dat, or over FILE.dat without\n"
    "--output.";

// CSV files are small; anything this large is not a channel list.
constexpr std::size_t kMaxCsvBytes = 16 * 1024 * 1024;

} // namespace

int CommandImportCsv(CliContext& context, const Args& args) {
    if (WantsHelp(args, kImportHelp)) {
        return ExitOk;
    }
    Args files;
    std::string output;
    ImportOptions options;
    for (std::size_t at = 0; at < args.size(); ++at) {
        if (args[at] == "--output") {
            if (at + 1 >= args.size()) {
                return UsageError("--output needs a value", "velmora-cli import-csv --help");
            }
            output = args[++at];
        } else if (args[at] == "--skip-refused") {
            options.skipRefused = true;
        } else if (args[at] == "--at") {
            options.at = at + 1 < args.size() ? ParseChannelNumber(args[at + 1]) : std::nullopt;
            if (!options.at) {
                return UsageError("--at needs a channel number 0-199",
                                  "velmora-cli import-csv --help");
            }
            ++at;
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
    const ImportPlan plan =
        PlanImport(text, document.grid, document.product.limits, context.lang, options);
    for (const std::string& line : ImportReportLines(plan, context.lang)) {
        PrintLine(stderr, line);
    }
    if (!plan.Done()) {
        return ExitRejected;
    }
    document.grid = plan.grid;
    const std::string target = output.empty() ? files[0] : output;
    if (const FileResult saved = SaveDataFile(target, StoredImage(document)); !saved) {
        PrintLine(stderr, DescribeSaveFailure(target, saved, context.lang));
        return ExitFile;
    }
    return ExitOk;
}

} // namespace velmora::cli
