// Reading and writing whole files without ever leaving a damaged one behind.
//
// A save writes a temporary file beside the target and renames it over the target, so the
// file that was there stays whole until the new one is complete. Reads refuse anything that
// is not a regular file (a folder, a FIFO, a device) before touching it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

enum class FileError {
    None,
    NotFound,
    IsDirectory,
    NotRegular,
    TooShort,
    ReadFailed,
    WriteFailed,
};

struct FileResult {
    FileError error = FileError::None;
    std::string reason; // the system's own words, when it gave any

    explicit operator bool() const { return error == FileError::None; }
};

// Reads at most maxBytes from the start of a regular file.
FileResult ReadFileHead(const std::string& path, std::size_t maxBytes,
                        std::vector<std::uint8_t>& out);

// Writes bytes to path through a temporary file and a rename. A path that names a folder, a
// FIFO or a device is refused.
FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace velmora
