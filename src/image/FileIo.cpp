#include "image/FileIo.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace velmora {
namespace fs = std::filesystem;

namespace {

FileResult Fail(FileError error, std::string reason = {}) {
    return {error, std::move(reason)};
}

std::string SystemReason(const std::error_code& ec) {
    return ec ? ec.message() : std::string();
}

std::string TemporaryNameFor(const fs::path& target) {
    std::random_device random;
    const unsigned tag = random();
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", tag);
    return target.string() + suffix;
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

FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::error_code ec;
    const fs::path target(path);
    const fs::file_status status = fs::status(target, ec);
    if (status.type() == fs::file_type::directory) {
        return Fail(FileError::IsDirectory);
    }
    if (status.type() != fs::file_type::not_found && status.type() != fs::file_type::regular &&
        status.type() != fs::file_type::none) {
        // The rename would put a plain file in place of a FIFO or a device (/dev/null for
        // one), which is never what saving to it means.
        return Fail(FileError::NotRegular);
    }
    const std::string temporary = TemporaryNameFor(target);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return Fail(FileError::WriteFailed, std::strerror(errno));
        }
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            const std::string reason = std::strerror(errno);
            out.close();
            fs::remove(temporary, ec);
            return Fail(FileError::WriteFailed, reason);
        }
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        const std::string reason = SystemReason(ec);
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Fail(FileError::WriteFailed, reason);
    }
    return {};
}

} // namespace velmora
