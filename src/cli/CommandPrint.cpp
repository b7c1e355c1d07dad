// velmora-cli print: the printed report of a data file as a PDF, page for page what the
// window program prints for the same file.
#include "base/StartupConfig.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"
#include "document/ProgramDocument.h"
#include "image/DataFile.h"
#include "print/QtPrintRenderer.h"

#include <QString>

namespace velmora::cli {

namespace {

constexpr std::string_view kPrintHelp =
    "Usage: velmora-cli print FILE.dat --pdf OUT.pdf\n"
    "Writes the printed report of FILE.dat as an A4 PDF: the option settings on page 1,\n"
    "then seven channels to a page, with the installation's owner text in the footers.\n"
    "An existing OUT.pdf is replaced only when the new one is complete.";

struct PrintArgs {
    std::string dataPath;
    std::string pdfPath;
};

bool ParsePrintArgs(const Args& args, PrintArgs& out) {
    bool pdfGiven = false;
    bool dataGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--pdf") {
            if (pdfGiven || i + 1 >= args.size()) {
                return false;
            }
            out.pdfPath = args[++i];
            pdfGiven = true;
        } else if (arg.starts_with("-") || dataGiven) {
            return false;
        } else {
            out.dataPath = arg;
            dataGiven = true;
        }
    }
    return pdfGiven && dataGiven && !out.pdfPath.empty() && !out.dataPath.empty();
}

} // namespace

int CommandPrint(CliContext& context, const Args& args) {
    if (WantsHelp(args, kPrintHelp)) {
        return ExitOk;
    }
    PrintArgs paths;
    if (!ParsePrintArgs(args, paths)) {
        return UsageError("wrong arguments for 'print'", "velmora-cli print --help");
    }
    MemoryImage image{};
    if (const FileResult loaded = LoadDataFile(paths.dataPath, image); !loaded) {
        PrintLine(stderr, DescribeLoadFailure(paths.dataPath, loaded, context.lang));
        return ExitFile;
    }
    // The grid's texts as opening the file would show them; the user's remembered type and
    // band stay as they are.
    MemoryUserStore scratch;
    const FilledDocument document =
        FillDocument(image, false, scratch, context.catalog, context.lang);
    const PrintSource source{document.grid, document.image, LanguageText("Copyrights Owner"),
                             context.lang};
    std::string error;
    if (!RenderToPdf(QString::fromStdString(paths.pdfPath), source, error)) {
        PrintLine(stderr, error);
        return ExitFile;
    }
    return ExitOk;
}

} // namespace velmora::cli
