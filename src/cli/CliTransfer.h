// What `read` and `write` share: their options, the port, the person's part of a transfer
// (progress on stderr, the Retry/Cancel answers given in advance) and the exit codes.
#pragma once

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "image/MemoryImage.h"
#include "link/RadioProtocol.h"
#include "link/TraceFile.h"

#include <string>

namespace velmora::cli {

struct TransferOptions {
    std::string port;      // as given: a device path or COM1..COM4
    std::string file;      // --output for a read, --input for a write
    bool raw = false;      // read: save the bytes exactly as received
    bool quiet = false;    // no progress bar and no hints
    std::string traceFile; // --trace FILE: every byte in both directions ("-": stderr)
    bool noBackup = false; // --no-backup: keep no copy in the backup folder
    bool verify = false;   // write: read the radio back and compare
    int retries = 0;       // Retry answers to the Communication Error prompt before Cancel
};

// Parses the command's arguments; returns ExitOk or the usage error already printed.
// `fileOption` is "--output" or "--input".
int ParseTransferOptions(const Args& args, std::string_view command, std::string_view fileOption,
                         TransferOptions& options);

// Runs the transfer on this thread. Prints the program's messages, one line each, on stderr.
// ExitOk when it completed, ExitRadio otherwise.
// `trace`, when open, gets every byte of the transfer after a note line naming its direction
// (a --trace to a file); --trace - sends them to stderr instead.
int RunCliTransfer(CliContext& context, const TransferOptions& options, TransferDirection direction,
                   MemoryImage& image, TraceFile* trace = nullptr);

// Opens the --trace file when one was named. ExitOk, or ExitFile after printing why not.
int OpenTraceFile(CliContext& context, const TransferOptions& options, TraceFile& trace);

// Keeps a copy of the image in the user's backup folder ("read" or "write"), unless
// --no-backup. A backup that cannot be kept is reported and does not stop the command.
// Returns the backup's path; empty when none was kept.
std::string KeepBackup(CliContext& context, const TransferOptions& options,
                       const MemoryImage& image, std::string_view reason);

} // namespace velmora::cli
