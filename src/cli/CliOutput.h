// Exit codes and output helpers shared by every command of velmora-cli. Scripts rely on the
// codes, so they never change meaning.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace velmora::cli {

enum ExitCode : int {
    ExitOk = 0,
    ExitUsage = 1,
    ExitFile = 2,     // file or configuration error
    ExitRadio = 3,    // radio or link error
    ExitRejected = 4, // rejected input
};

inline void PrintLine(std::FILE* to, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), to);
    std::fputc('\n', to);
}

inline int UsageError(std::string_view message, std::string_view helpHint) {
    PrintLine(stderr, std::string("velmora-cli: ") + std::string(message));
    PrintLine(stderr, std::string("Try '") + std::string(helpHint) + "'.");
    return ExitUsage;
}

} // namespace velmora::cli
