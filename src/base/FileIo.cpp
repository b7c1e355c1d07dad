#include "base/FileIo.h"

#include "base/FileSystemCalls.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmora {
namespace fs = std::filesystem;

namespace {

FileResult Fail(FileError error, std::string reason = {}) {
    return {error, std::move(reason)};
}

std::string SystemReason(const std::error_code& ec) {
    return ec ? ec.message() : std::string();
}

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;
constexpr int kNameAttempts = 8;

FileResult FailWith(int error) {
    return Fail(FileError::WriteFailed, std::strerror(error));
}

// A name beside the target that nobody uses: the target's name and ".1a2b3c4d.tmp".
std::string SpareNameFor(const fs::path& target) {
    std::random_device random;
    const unsigned tag = random();
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", tag);
    return target.string() + suffix;
}

// Where a save to `path` really goes. A symbolic link is followed to the file it names, also
// when that file does not exist yet (a dangling link), so that the link stays what it is and
// the file it points to gets the bytes.
FileResult FollowLinks(const std::string& path, fs::path& file) {
    fs::path at(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (fs::symlink_status(at, ec).type() != fs::file_type::symlink) {
            file = at;
            return {};
        }
        const fs::path next = fs::read_symlink(at, ec);
        if (ec) {
            return Fail(FileError::WriteFailed, SystemReason(ec));
        }
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return FailWith(ELOOP);
}

enum class Access { WriteFile, CreateIn };

// 0 when this process may write the file or create files in the folder, judged by its
// effective user and groups as the save's own calls will be; the error number otherwise.
int AccessError([[maybe_unused]] const fs::path& path, [[maybe_unused]] Access access) {
#ifdef _WIN32
    return 0; // the save's own calls tell
#else
    const int how = access == Access::CreateIn ? W_OK | X_OK : W_OK;
    return ::faccessat(AT_FDCWD, path.c_str(), how, AT_EACCESS) == 0 ? 0 : errno;
#endif
}

struct SaveTarget {
    fs::path file;   // links followed
    fs::path folder; // where the temporary file goes
    bool exists = false;
    unsigned mode = 0; // permission bits of the file being replaced
    unsigned owner = 0;
    unsigned group = 0;
};

FileResult Examine(const std::string& path, SaveTarget& target) {
    if (FileResult followed = FollowLinks(path, target.file); !followed) {
        return followed;
    }
    target.folder = target.file.parent_path();
    if (target.folder.empty()) {
        target.folder = ".";
    }
    std::error_code ec;
    const fs::file_status status = fs::status(target.file, ec);
    switch (status.type()) {
    case fs::file_type::not_found:
        break;
    case fs::file_type::directory:
        return Fail(FileError::IsDirectory);
    case fs::file_type::regular:
        if (const int error = AccessError(target.file, Access::WriteFile)) {
            return FailWith(error);
        }
        target.exists = true;
        break;
    case fs::file_type::none:
        return Fail(FileError::WriteFailed, SystemReason(ec));
    default:
        // The rename would put a plain file in place of a FIFO or a device (/dev/null for
        // one), which is never what saving to it means.
        return Fail(FileError::NotRegular);
    }
    const fs::file_status folder = fs::status(target.folder, ec);
    if (folder.type() == fs::file_type::not_found) {
        return Fail(FileError::NoFolder);
    }
    if (folder.type() != fs::file_type::directory) {
        return ec ? Fail(FileError::WriteFailed, SystemReason(ec)) : FailWith(ENOTDIR);
    }
    if (const int error = AccessError(target.folder, Access::CreateIn)) {
        return FailWith(error);
    }
#ifndef _WIN32
    struct stat info {};
    if (target.exists && ::stat(target.file.c_str(), &info) == 0) {
        target.mode = info.st_mode & 07777;
        target.owner = info.st_uid;
        target.group = info.st_gid;
    } else if (target.exists) {
        return FailWith(errno);
    }
#endif
    return {};
}

// The replaced file's owner and group, where this process may give them (a user may hand a
// file to another of their groups, never to another user), then its permission bits: after
// the owner, since a change of owner clears the set-user-ID bits.
int KeepOwnerAndMode(const FileSystemCalls& calls, FileHandle file, const SaveTarget& target) {
    int error = calls.setOwner(file, target.owner, target.group);
    if (error == EPERM) {
        error = calls.setOwner(file, static_cast<unsigned>(-1), target.group);
    }
    if (error == EPERM) {
        error = 0; // another user's file becomes this user's, as any new file would
    }
    return error != 0 ? error : calls.setMode(file, target.mode);
}

// Fills the temporary file and puts it on the disk; it is closed whatever happens.
int FillTemporary(const FileSystemCalls& calls, FileHandle file, const SaveTarget& target,
                  std::span<const std::uint8_t> bytes) {
    int error = target.exists ? KeepOwnerAndMode(calls, file, target) : 0;
    if (error == 0) {
        error = calls.write(file, bytes.data(), bytes.size());
    }
    if (error == 0) {
        error = calls.flush(file);
    }
    const int closed = calls.close(file);
    return error != 0 ? error : closed;
}

// Some file systems cannot flush a folder at all, and a folder this process may write but not
// read cannot be opened for it; the rename stands there as well as the system can make it.
bool FolderRefusesFlush(int error) {
    return error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP || error == EACCES;
}

// Renames the complete temporary file over the target and puts the folder on the disk.
FileResult Replace(const FileSystemCalls& calls, const std::string& temporary,
                   const SaveTarget& target) {
    const std::string file = target.file.string();
    const std::string folder = target.folder.string();
    // A second name for the old file, so that it can be put back should the folder fail to
    // reach the disk. Without hard links (some USB sticks) there is no way back after the rename.
    std::string keep;
    if (target.exists) {
        keep = SpareNameFor(target.file);
        if (calls.link(file.c_str(), keep.c_str()) != 0) {
            keep.clear();
        }
    }
    if (const int error = calls.rename(temporary.c_str(), file.c_str()); error != 0) {
        calls.remove(temporary.c_str());
        if (!keep.empty()) {
            calls.remove(keep.c_str());
        }
        return FailWith(error);
    }
    const int error = calls.flushFolder(folder.c_str());
    if (error == 0 || FolderRefusesFlush(error)) {
        if (!keep.empty()) {
            calls.remove(keep.c_str());
        }
        return {};
    }
    // The new name may not survive a power cut, so the save failed: what the folder shows
    // goes back to what it was, as the failure tells the user.
    if (!keep.empty()) {
        calls.rename(keep.c_str(), file.c_str());
    } else if (!target.exists) {
        calls.remove(file.c_str());
    }
    calls.flushFolder(folder.c_str());
    return FailWith(error);
}

} // namespace

FileResult ReadFileHead(const std::string& path, std::size_t maxBytes,
                        std::vector<std::uint8_t>& out) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        return Fail(FileError::NotFound);
    }
    if (ec) {
        return Fail(FileError::ReadFailed, SystemReason(ec));
    }
    if (status.type() == fs::file_type::directory) {
        return Fail(FileError::IsDirectory);
    }
    if (status.type() != fs::file_type::regular) {
        // A FIFO or a device could block the program forever or never end.
        return Fail(FileError::NotRegular);
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Fail(FileError::ReadFailed, std::strerror(errno));
    }
    std::vector<std::uint8_t> buffer(maxBytes);
    in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(maxBytes));
    if (in.bad()) {
        return Fail(FileError::ReadFailed, std::strerror(errno));
    }
    buffer.resize(static_cast<std::size_t>(in.gcount()));
    out = std::move(buffer);
    return {};
}

FileResult CheckSaveTarget(const std::string& path) {
    SaveTarget target;
    return Examine(path, target);
}

FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    SaveTarget target;
    if (FileResult examined = Examine(path, target); !examined) {
        return examined;
    }
    const FileSystemCalls& calls = FileCalls();
    std::string temporary;
    FileHandle file{};
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
        temporary = SpareNameFor(target.file);
        // Only this user may look while it fills; a replaced file's bits come before the bytes.
        error = calls.createNew(temporary.c_str(), target.exists ? 0600 : 0666, &file);
    }
    if (error != 0) {
        return FailWith(error);
    }
    if (error = FillTemporary(calls, file, target, bytes); error != 0) {
        calls.remove(temporary.c_str());
        return FailWith(error);
    }
    return Replace(calls, temporary, target);
}

} // namespace velmora
