// The system calls a save is made of, in one table.
//
// WriteFileAtomically goes through this table and nothing else when it touches the disk, so a
// test can put a table of its own in place: one that records the order of the calls, or one
// that makes any single call fail as a full disk or a pulled USB stick would. Every entry
// returns 0 on success or the system's error number (errno).
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora {

// A file descriptor; a HANDLE on Windows.
using FileHandle = std::intptr_t;

struct FileSystemCalls {
    // Creates a file that must not exist yet, for writing, with the permission bits `mode`
    // (the process's umask applies).
    int (*createNew)(const char* path, unsigned mode, FileHandle* out);
    // Writes all `size` bytes.
    int (*write)(FileHandle file, const std::uint8_t* bytes, std::size_t size);
    // Gives the file an owner and a group (fchown).
    int (*setOwner)(FileHandle file, unsigned owner, unsigned group);
    // Sets the permission bits exactly, whatever the umask (fchmod).
    int (*setMode)(FileHandle file, unsigned mode);
    // Puts the file's bytes on the disk (fsync; FlushFileBuffers on Windows).
    int (*flush)(FileHandle file);
    int (*close)(FileHandle file);
    // A second name for an existing file (a hard link).
    int (*link)(const char* existing, const char* newName);
    // Moves `from` over `to` in one step: whoever opens `to` sees the old file or the new one.
    int (*rename)(const char* from, const char* to);
    int (*remove)(const char* path);
    // Puts the folder's list of names on the disk (fsync on the folder), so that a rename in
    // it survives a power cut. Windows has no such call; there it does nothing.
    int (*flushFolder)(const char* folder);
};

// The table saves use now: the system's own unless a test replaced it.
const FileSystemCalls& FileCalls();

// The system's own calls, for a test table that records and then passes a call on.
const FileSystemCalls& SystemFileCalls();

// For tests only: saves use `calls` from now on; nullptr goes back to the system's own.
void SetFileCallsForTest(const FileSystemCalls* calls);

} // namespace velmora
