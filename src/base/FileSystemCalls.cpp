#include "base/FileSystemCalls.h"

#include <atomic>
#include <cerrno>

#ifdef _WIN32
#include <string>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmora {

namespace {

#ifdef _WIN32

// The few Windows errors a save meets, as the error numbers the messages are made from.
int LastError() {
    switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

// Paths travel as UTF-8; Windows wants them wide.
std::wstring Wide(const char* utf8) {
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), size);
    wide.resize(wide.size() - 1);
    return wide;
}

HANDLE Handle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

int CreateNew(const char* path, unsigned, FileHandle* out) {
    const HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    *out = reinterpret_cast<FileHandle>(file);
    return 0;
}

int Write(FileHandle file, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(Handle(file), bytes, chunk, &written, nullptr)) {
            return LastError();
        }
        if (written == 0) {
            return EIO;
        }
        bytes += written;
        size -= written;
    }
    return 0;
}

// Windows files have no permission bits or numeric owners to carry over.
int SetOwner(FileHandle, unsigned, unsigned) {
    return 0;
}

int SetMode(FileHandle, unsigned) {
    return 0;
}

int Flush(FileHandle file) {
    return ::FlushFileBuffers(Handle(file)) ? 0 : LastError();
}

int Close(FileHandle file) {
    return ::CloseHandle(Handle(file)) ? 0 : LastError();
}

int Link(const char* existing, const char* newName) {
    return ::CreateHardLinkW(Wide(newName).c_str(), Wide(existing).c_str(), nullptr) ? 0
                                                                                     : LastError();
}

// Write-through: the move is on the disk when the call returns, which is what flushing the
// folder does elsewhere.
int Rename(const char* from, const char* to) {
    return ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : LastError();
}

int Remove(const char* path) {
    return ::DeleteFileW(Wide(path).c_str()) ? 0 : LastError();
}

int FlushFolder(const char*) {
    return 0;
}

#else

int Error() {
    return errno != 0 ? errno : EIO;
}

int Fd(FileHandle file) {
    return static_cast<int>(file);
}

int CreateNew(const char* path, unsigned mode, FileHandle* out) {
    int fd = -1;
    do {
        fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return Error();
    }
    *out = fd;
    return 0;
}

int Write(FileHandle file, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(Fd(file), bytes, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Error();
        }
        if (written == 0) {
            return EIO;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

int SetOwner(FileHandle file, unsigned owner, unsigned group) {
    return ::fchown(Fd(file), static_cast<uid_t>(owner), static_cast<gid_t>(group)) == 0 ? 0
                                                                                         : Error();
}

int SetMode(FileHandle file, unsigned mode) {
    return ::fchmod(Fd(file), static_cast<mode_t>(mode)) == 0 ? 0 : Error();
}

int Flush(FileHandle file) {
    int result = 0;
    do {
        result = ::fsync(Fd(file));
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : Error();
}

// Not repeated on EINTR: the descriptor is gone either way.
int Close(FileHandle file) {
    return ::close(Fd(file)) == 0 ? 0 : Error();
}

int Link(const char* existing, const char* newName) {
    return ::link(existing, newName) == 0 ? 0 : Error();
}

int Rename(const char* from, const char* to) {
    return ::rename(from, to) == 0 ? 0 : Error();
}

int Remove(const char* path) {
    return ::unlink(path) == 0 ? 0 : Error();
}

int FlushFolder(const char* folder) {
    const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return Error();
    }
    const int result = Flush(fd);
    ::close(fd);
    return result;
}

#endif

constexpr FileSystemCalls kSystemCalls{CreateNew, Write, SetOwner, SetMode, Flush,
                                       Close,     Link,  Rename,   Remove,  FlushFolder};

std::atomic<const FileSystemCalls*> g_calls{&kSystemCalls};

} // namespace

const FileSystemCalls& FileCalls() {
    return *g_calls.load();
}

const FileSystemCalls& SystemFileCalls() {
    return kSystemCalls;
}

void SetFileCallsForTest(const FileSystemCalls* calls) {
    g_calls.store(calls != nullptr ? calls : &kSystemCalls);
}

} // namespace velmora
