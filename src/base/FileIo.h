// Reading and writing whole files without ever leaving a damaged one behind.
//
// A save writes a temporary file beside the target, puts it on the disk, renames it over the
// target and puts the folder on the disk, so that neither a failed save nor a power cut right
// after "saved" costs the file that was there. Reads refuse anything that is not a regular
// file (a folder, a FIFO, a device) before touching it.
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
    NoFolder, // a save into a folder that does not exist
};

struct FileResult {
    FileError error = FileError::None;
    std::string reason; // the system's own words, when it gave any

    explicit operator bool() const { return error == FileError::None; }
};

// Reads at most maxBytes from the start of a regular file.
FileResult ReadFileHead(const std::string& path, std::size_t maxBytes,
                        std::vector<std::uint8_t>& out);

// Whether a save to path can work, found out without writing anything: its folder exists and
// this process may create files in it, and the path names no folder, FIFO or device and no
// file this process may not write. A symbolic link is judged by the file it points to.
FileResult CheckSaveTarget(const std::string& path);

// Writes bytes to path: a temporary file beside it, flushed to the disk, renamed over the old
// file, then the folder flushed. On any failure the old file is left exactly as it was and no
// temporary file stays behind. A replaced file keeps its permission bits, and its owner and
// group where this process may set them. A symbolic link keeps being a link: the file it
// points to gets the bytes, even when that file does not exist yet. Refuses what
// CheckSaveTarget refuses.
FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace velmora
