// velmora-cli: the program's core without a window, for scripts and for finding out what a
// user's radio or file holds.
#include "cli/CliContext.h"
#include "cli/CliOutput.h"
#include "cli/Commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

using namespace velmora;
using namespace velmora::cli;

namespace {

constexpr std::string_view kHelp =
    "Usage: velmora-cli [--ini PATH] [--lang en|zh] COMMAND [ARGS...]\n"
    "\n"
    "Programming tool for the handheld FM radio's 8192-byte memory image (*.dat).\n"
    "\n"
    "Options:\n"
    "  --ini PATH     the Program.ini to use (default: the one next to the program)\n"
    "  --lang en|zh   the language of the texts (default: what Program.ini selects)\n"
    "  --help         this text; 'velmora-cli COMMAND --help' explains a command\n"
    "\n"
    "Commands:\n"
    "  new OUT.dat                     write the image a new document is saved as\n"
    "  info FILE.dat                   type, band, band limits and window title\n"
    "  export-csv FILE.dat [OUT.csv] [--format velmora|chirp]\n"
    "                                  the channels as CSV (stdout without OUT.csv)\n"
    "  import-csv FILE.dat IN.csv [--output OUT.dat]   channels from CSV into a file\n"
    "  diff A.dat B.dat                what differs between two files (exit 1 if anything)\n"
    "  options FILE.dat                the option settings, label<TAB>value\n"
    "  print FILE.dat --pdf OUT.pdf    the printed report as a PDF\n"
    "  read --port DEV --output OUT.dat [--raw] [--trace FILE] [--no-backup]\n"
    "                                  the radio's memory into a file\n"
    "  write --port DEV --input IN.dat [--verify] [--trace FILE] [--no-backup]\n"
    "                                  a file into the radio\n"
    "\n"
    "Exit codes: 0 success, 1 usage error, 2 file or configuration error,\n"
    "            3 radio or link error, 4 rejected input.";

using Command = std::function<int(CliContext&, const Args&)>;

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands = {
        {"new", CommandNew},
        {"info", CommandInfo},
        {"export-csv", CommandExportCsv},
        {"options", CommandOptions},
        {"print", CommandPrint},
        {"read", CommandRead},
        {"write", CommandWrite},
        {"import-csv", CommandImportCsv},
        {"diff", CommandDiff},
    };
    return commands;
}

// The command word, found the way main() finds it: after the global options and their values.
std::string_view CommandName(int argc, char** argv) {
    for (int at = 1; at < argc; ++at) {
        const std::string_view arg = argv[at];
        if (arg == "--ini" || arg == "--lang") {
            ++at;
        } else if (!arg.starts_with("-")) {
            return arg;
        }
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    // Drawing the printed report needs fonts, which only a GUI application provides; it runs
    // without a display unless the caller chose a platform. Every other command stays free
    // of the window system.
    std::unique_ptr<QCoreApplication> app;
    if (CommandName(argc, argv) == "print") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    GlobalOptions options;
    int at = 1;
    for (; at < argc; ++at) {
        const std::string arg = argv[at];
        if (arg == "--help" || arg == "-h") {
            PrintLine(stdout, kHelp);
            return ExitOk;
        }
        if (arg == "--ini" || arg == "--lang") {
            if (at + 1 >= argc) {
                return UsageError(arg + " needs a value", "velmora-cli --help");
            }
            const std::string value = argv[++at];
            if (arg == "--ini") {
                options.iniPath = value;
                options.iniGiven = true;
            } else if (value == "en") {
                options.language = Language::English;
            } else if (value == "zh") {
                options.language = Language::Chinese;
            } else {
                return UsageError("--lang takes en or zh, not '" + value + "'",
                                  "velmora-cli --help");
            }
            continue;
        }
        if (arg.rfind("--", 0) == 0) {
            return UsageError("unknown option '" + arg + "'", "velmora-cli --help");
        }
        break;
    }
    if (at >= argc) {
        return UsageError("no command given", "velmora-cli --help");
    }
    const auto command = Commands().find(argv[at]);
    if (command == Commands().end()) {
        return UsageError(std::string("unknown command '") + argv[at] + "'", "velmora-cli --help");
    }
    const Args args(argv + at + 1, argv + argc);
    CliContext context;
    const bool helpOnly = std::find(args.begin(), args.end(), "--help") != args.end() ||
                          std::find(args.begin(), args.end(), "-h") != args.end();
    if (helpOnly) {
        // A command prints its help before it looks at the configuration.
        return command->second(context, args);
    }
    if (int code =
            MakeContext(options, QCoreApplication::applicationDirPath().toStdString(), context);
        code != ExitOk) {
        return code;
    }
    return command->second(context, args);
}
