// The traffic of a transfer in a text file, for finding out why a user's radio does not answer.
// One line per event, LF-terminated, the same whatever the locale:
//
//      12.345 ms > 57 1F F0 03        bytes the program sent (hex)
//      13.389 ms < 06                 bytes that came back
//     603.000 ms < (none, timed out)  a read that ran out of time with nothing
//     604.100 ms < 06 00 (timed out)  a read that ran out of time with part of what it wanted
//   # write                           a note line, e.g. where a transfer begins
//
// The time is milliseconds with three decimals on the link's own steady clock (only the
// differences between lines mean something), right-aligned in at least ten characters; a lost
// device is marked "(disconnected)", a failing one "(error)".
#pragma once

#include "link/RadioProtocol.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace velmora {

class TraceFile {
public:
    TraceFile() = default;
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;
    ~TraceFile();

    // Creates or truncates the file; `error` gets the system's words when it cannot.
    bool Open(const std::string& path, std::string& error);
    // Each line is flushed at once, so a trace survives the program being killed mid-transfer.
    void Write(const TraceEvent& event);
    void Note(std::string_view text);
    bool IsOpen() const { return file_ != nullptr; }

private:
    void Line(const std::string& line);

    std::FILE* file_ = nullptr;
};

} // namespace velmora
