#include "cli/Commands.h"

#include "base/FileIo.h"
#include "channels/ChirpCsv.h"
#include "channels/CsvChannels.h"
#include "cli/CliOutput.h"
#include "document/ProgramDocument.h"
#include "image/DataFile.h"
#include "settings/OptionLines.h"

#include <cstdio>

namespace velmora::cli {

namespace {

constexpr std::string_view kNewHelp = "Usage: velmora-cli new OUT.dat\n"
                                      "Writes the image a new document is saved as: the defaults,\n"
                                      "the type and band last chosen, and their band bytes.";
constexpr std::string_view kInfoHelp =
    "Usage: velmora-cli info FILE.dat\n"
    "Prints four lines: Type, Band, Band limits (10 Hz units) and the window Title,\n"
    "decided by the file's own type and band.";
constexpr std::string_view kExportHelp =
    "Usage: velmora-cli export-csv FILE.dat [OUT.csv] [--format velmora|chirp]\n"
    "Writes the channels as UTF-8 CSV: the nine column titles, then one row per\n"
    "channel that is not empty, its number 0-199 first. Without OUT.csv, to stdout.\n"
    "--format chirp writes the CHIRP-compatible layout instead (Location = channel\n"
    "number; power High 5.0W, Middle 2.0W, Low 0.5W; the lock in Comment).";
constexpr std::string_view kOptionsHelp =
    "Usage: velmora-cli options FILE.dat\n"
    "Prints the option settings of the printed options page, one label<TAB>value line each.";

int WrongArguments(std::string_view command) {
    return UsageError(std::string("wrong arguments for '") + std::string(command) + "'",
                      "velmora-cli " + std::string(command) + " --help");
}

// Opens a data file the way the window program does: the file's own indices decide. The
// per-user store is not touched: looking at a file must not change what new documents get.
int OpenDocument(CliContext& context, const std::string& path, FilledDocument& document) {
    MemoryImage image{};
    const FileResult result = LoadDataFile(path, image);
    if (!result) {
        PrintLine(stderr, DescribeLoadFailure(path, result, context.lang));
        return ExitFile;
    }
    MemoryUserStore scratch;
    document = FillDocument(image, false, scratch, context.catalog, context.lang);
    return ExitOk;
}

int WriteText(CliContext& context, const std::string& path, const std::string& text) {
    if (path.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? ExitOk : ExitFile;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const FileResult result = WriteFileAtomically(path, {bytes, text.size()});
    if (!result) {
        PrintLine(stderr, DescribeSaveFailure(path, result, context.lang));
        return ExitFile;
    }
    return ExitOk;
}

} // namespace

bool WantsHelp(const Args& args, std::string_view help) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            PrintLine(stdout, help);
            return true;
        }
    }
    return false;
}

int CommandNew(CliContext& context, const Args& args) {
    if (WantsHelp(args, kNewHelp)) {
        return ExitOk;
    }
    if (args.size() != 1) {
        return WrongArguments("new");
    }
    const FilledDocument document =
        FillDocument(NewImage(), true, *context.store, context.catalog, context.lang);
    const FileResult result = SaveDataFile(args[0], StoredImage(document));
    if (!result) {
        PrintLine(stderr, DescribeSaveFailure(args[0], result, context.lang));
        return ExitFile;
    }
    return ExitOk;
}

int CommandInfo(CliContext& context, const Args& args) {
    if (WantsHelp(args, kInfoHelp)) {
        return ExitOk;
    }
    if (args.size() != 1) {
        return WrongArguments("info");
    }
    FilledDocument document;
    if (int code = OpenDocument(context, args[0], document); code != ExitOk) {
        return code;
    }
    const ProductState& product = document.product;
    PrintLine(stdout, "Type: " + product.typeName);
    PrintLine(stdout, "Band: " + product.bandText);
    PrintLine(stdout, "Band limits: " + std::to_string(product.limits.low) + " " +
                          std::to_string(product.limits.high));
    PrintLine(stdout, "Title: " + product.title);
    return ExitOk;
}

int CommandExportCsv(CliContext& context, const Args& args) {
    if (WantsHelp(args, kExportHelp)) {
        return ExitOk;
    }
    Args files;
    bool chirp = false;
    for (std::size_t at = 0; at < args.size(); ++at) {
        if (args[at] != "--format") {
            files.push_back(args[at]);
        } else if (at + 1 < args.size() && (args[at + 1] == "chirp" || args[at + 1] == "velmora")) {
            chirp = args[++at] == "chirp";
        } else {
            return WrongArguments("export-csv");
        }
    }
    if (files.empty() || files.size() > 2) {
        return WrongArguments("export-csv");
    }
    FilledDocument document;
    if (int code = OpenDocument(context, files[0], document); code != ExitOk) {
        return code;
    }
    return WriteText(context, files.size() == 2 ? files[1] : std::string(),
                     chirp ? ExportChirpCsv(document.grid)
                           : ExportChannelsCsv(document.grid, context.lang));
}

int CommandOptions(CliContext& context, const Args& args) {
    if (WantsHelp(args, kOptionsHelp)) {
        return ExitOk;
    }
    if (args.size() != 1) {
        return WrongArguments("options");
    }
    FilledDocument document;
    if (int code = OpenDocument(context, args[0], document); code != ExitOk) {
        return code;
    }
    std::string text;
    for (const OptionLine& line : PrintedOptionLines(document.image, context.lang)) {
        text += line.label + "\t" + line.value + "\n";
    }
    return WriteText(context, {}, text);
}

} // namespace velmora::cli
