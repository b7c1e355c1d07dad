// velmora-radio-sim: a virtual radio on a pseudo-terminal, for trying the program and the
// command-line tool without a radio. Prints the device to open on its first line of output.
#include "image/DataFile.h"
#include "link/PtyRadio.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

using namespace velmora;

namespace {

constexpr const char* kHelp =
    "Usage: velmora-radio-sim [--image IN.dat] [--save OUT.dat] [--pace] [--fault MODE[:K]]\n"
    "                         [--link PATH]\n"
    "\n"
    "Serves a virtual radio on a pseudo-terminal until stopped (Ctrl+C or SIGTERM). The\n"
    "first line of output is the device to open, e.g. velmora-cli read --port /dev/pts/3.\n"
    "\n"
    "  --image IN.dat   the radio's memory (default: a new document's image)\n"
    "  --save OUT.dat   write the radio's memory there after every completed write\n"
    "  --pace           keep the line's speed, 9600 baud 8N1 (1.04 ms per byte)\n"
    "  --link PATH      also make PATH a symbolic link to the device\n"
    "  --fault MODE[:K] misbehave; K counts blocks from 0 after each wake-up:\n"
    "      silent               answers nothing (radio off, cable loose)\n"
    "      one-stray            one stray byte ahead of the wake-up answer (tolerated)\n"
    "      two-stray            two stray bytes ahead of it (the attempt fails)\n"
    "      no-confirmation      no 0x06 after the identification acknowledgement\n"
    "      nak:K                answers write block K with 0x15\n"
    "      short-reply:K        sends 11 of the 12 reply bytes of read block K\n"
    "      no-block-confirm:K   no 0x06 after the program acknowledges read block K\n"
    "      hangup:K             the device goes away at block K (the tool then ends)\n"
    "      corrupt:K            stores write block K with its first byte inverted\n"
    "      slow-reply:K         the reply bytes of read block K come 40 ms apart\n";

const std::map<std::string, RadioFault>& Faults() {
    static const std::map<std::string, RadioFault> faults = {
        {"none", RadioFault::None},
        {"silent", RadioFault::Silent},
        {"one-stray", RadioFault::OneStrayByte},
        {"two-stray", RadioFault::TwoStrayBytes},
        {"no-confirmation", RadioFault::NoConfirmation},
        {"nak", RadioFault::NakAtWriteBlock},
        {"short-reply", RadioFault::ShortReplyAtReadBlock},
        {"no-block-confirm", RadioFault::NoConfirmationAtReadBlock},
        {"hangup", RadioFault::HangUpAtBlock},
        {"corrupt", RadioFault::CorruptWriteBlock},
        {"slow-reply", RadioFault::SlowReplyAtReadBlock},
    };
    return faults;
}

bool ParseFault(const std::string& text, RadioBehaviour& behaviour) {
    const std::size_t colon = text.find(':');
    const auto fault = Faults().find(text.substr(0, colon));
    if (fault == Faults().end()) {
        return false;
    }
    behaviour.fault = fault->second;
    if (colon != std::string::npos) {
        const std::string number = text.substr(colon + 1);
        if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos ||
            number.size() > 6) {
            return false;
        }
        behaviour.block = std::stoi(number);
    }
    return true;
}

PtyRadio* g_radio = nullptr;

void OnSignal(int) {
    if (g_radio) {
        g_radio->Stop(); // only raises the flag: Run() is on this thread, nothing to join
    }
}

int Usage(const std::string& message) {
    std::fprintf(stderr, "velmora-radio-sim: %s\nTry 'velmora-radio-sim --help'.\n",
                 message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    std::string imagePath;
    std::string savePath;
    std::string linkPath;
    PtyRadioOptions options;
    for (int at = 1; at < argc; ++at) {
        const std::string arg = argv[at];
        const bool hasValue = at + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        } else if (arg == "--pace") {
            options.paced = true;
        } else if (arg == "--image" || arg == "--save" || arg == "--link" || arg == "--fault") {
            if (!hasValue) {
                return Usage(arg + " needs a value");
            }
            const std::string value = argv[++at];
            if (arg == "--image") {
                imagePath = value;
            } else if (arg == "--save") {
                savePath = value;
            } else if (arg == "--link") {
                linkPath = value;
            } else if (!ParseFault(value, options.behaviour)) {
                return Usage("unknown fault '" + value + "'");
            }
        } else {
            return Usage("unknown argument '" + arg + "'");
        }
    }

    MemoryImage memory = NewImage();
    if (!imagePath.empty()) {
        const FileResult loaded = LoadDataFile(imagePath, memory);
        if (!loaded) {
            std::fprintf(stderr, "%s\n",
                         DescribeLoadFailure(imagePath, loaded, Language::English).c_str());
            return 2;
        }
    }
    if (!savePath.empty()) {
        options.onWriteComplete = [savePath](const MemoryImage& written) {
            const FileResult saved = SaveDataFile(savePath, written);
            if (!saved) {
                std::fprintf(stderr, "%s\n",
                             DescribeSaveFailure(savePath, saved, Language::English).c_str());
            }
        };
    }
    std::string error;
    std::unique_ptr<PtyRadio> radio = PtyRadio::Create(memory, options, error);
    if (!radio) {
        std::fprintf(stderr, "velmora-radio-sim: %s\n", error.c_str());
        return 3;
    }
    if (!linkPath.empty()) {
        std::error_code ec;
        std::filesystem::remove(linkPath, ec);
        std::filesystem::create_symlink(radio->DevicePath(), linkPath, ec);
        if (ec) {
            std::fprintf(stderr, "velmora-radio-sim: cannot link %s: %s\n", linkPath.c_str(),
                         ec.message().c_str());
            return 2;
        }
    }
    std::printf("%s\n", radio->DevicePath().c_str());
    std::fflush(stdout);

    g_radio = radio.get();
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    radio->Run();
    g_radio = nullptr;
    if (radio->HungUp()) {
        std::fprintf(stderr, "velmora-radio-sim: the device went away (hang-up fault)\n");
    }
    if (!linkPath.empty()) {
        std::error_code ec;
        std::filesystem::remove(linkPath, ec);
    }
    return 0;
}
