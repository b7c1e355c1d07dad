// What `read` and `write` share: their options, the port, the person's part of a transfer
// (progress on stderr, the Retry/Cancel answers given in advance) and the exit codes.
#pragma once

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "image/MemoryImage.h"
#include "link/RadioProtocol.h"

#include <string>

namespace velmora::cli {

struct TransferOptions {
    std::string port;   // as given: a device path or COM1..COM4
    std::string file;   // --output for a read, --input for a write
    bool raw = false;   // read: save the bytes exactly as received
    bool quiet = false; // no progress bar and no hints
    bool trace = false; // every byte on stderr
    int retries = 0;    // Retry answers to the Communication Error prompt before Cancel
};

// Parses the command's arguments; returns ExitOk or the usage error already printed.
// `fileOption` is "--output" or "--input".
int ParseTransferOptions(const Args& args, std::string_view command, std::string_view fileOption,
                         TransferOptions& options);

// Runs the transfer on this thread. Prints the program's messages, one line each, on stderr.
// ExitOk when it completed, ExitRadio otherwise.
int RunCliTransfer(CliContext& context, const TransferOptions& options, TransferDirection direction,
                   MemoryImage& image);

} // namespace velmora::cli
