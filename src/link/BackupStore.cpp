#include "link/BackupStore.h"

#include "image/DataFile.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <system_error>

namespace velmora {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "velmora-";
constexpr std::string_view kExtension = ".dat";

std::tm LocalTime(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return local;
}

struct BackupName {
    std::tm time{};
    std::string reason;
    int sequence = 1; // the n of "-n", for backups kept within the same second
};

bool Digits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view text) {
    int value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// "velmora-20261206-225001-read.dat" or "...-read-2.dat"; anything else is not ours.
std::optional<BackupName> ParseName(std::string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kExtension)) {
        return std::nullopt;
    }
    name.remove_prefix(kPrefix.size());
    name.remove_suffix(kExtension.size());
    if (name.size() < 17 || name[8] != '-' || name[15] != '-' || !Digits(name.substr(0, 8)) ||
        !Digits(name.substr(9, 6))) {
        return std::nullopt;
    }
    BackupName parsed;
    parsed.time.tm_year = Number(name.substr(0, 4)) - 1900;
    parsed.time.tm_mon = Number(name.substr(4, 2)) - 1;
    parsed.time.tm_mday = Number(name.substr(6, 2));
    parsed.time.tm_hour = Number(name.substr(9, 2));
    parsed.time.tm_min = Number(name.substr(11, 2));
    parsed.time.tm_sec = Number(name.substr(13, 2));
    parsed.time.tm_isdst = -1;
    std::string_view reason = name.substr(16);
    if (const std::size_t dash = reason.find('-'); dash != std::string_view::npos) {
        if (!Digits(reason.substr(dash + 1))) {
            return std::nullopt;
        }
        parsed.sequence = Number(reason.substr(dash + 1));
        reason = reason.substr(0, dash);
    }
    if (reason != "read" && reason != "write") {
        return std::nullopt;
    }
    parsed.reason = std::string(reason);
    return parsed;
}

std::string Format(const std::tm& time, const char* pattern) {
    char text[32];
    std::strftime(text, sizeof text, pattern, &time);
    return text;
}

} // namespace

FileResult BackupStore::Keep(const MemoryImage& image, std::string_view reason,
                             std::chrono::system_clock::time_point now, std::string& pathOut) {
    std::error_code error;
    fs::create_directories(fs::path(folder_), error);
    if (error) {
        return {FileError::WriteFailed, error.message()};
    }
    const std::string stem =
        std::string(kPrefix) + Format(LocalTime(now), "%Y%m%d-%H%M%S") + "-" + std::string(reason);
    fs::path path = fs::path(folder_) / (stem + std::string(kExtension));
    for (int n = 2; fs::exists(path, error); ++n) {
        path = fs::path(folder_) / (stem + "-" + std::to_string(n) + std::string(kExtension));
    }
    const FileResult saved = SaveDataFile(path.string(), image);
    if (saved) {
        pathOut = path.string();
        Prune(now);
    }
    return saved;
}

std::vector<BackupEntry> BackupStore::List(const ProductCatalog& catalog) const {
    std::vector<std::pair<BackupEntry, int>> found; // with the sequence within its second
    std::error_code error;
    for (const fs::directory_entry& file : fs::directory_iterator(folder_, error)) {
        const std::optional<BackupName> name = ParseName(file.path().filename().string());
        if (!name || !file.is_regular_file(error)) {
            continue;
        }
        BackupEntry entry{
            file.path().string(), Format(name->time, "%Y-%m-%d %H:%M:%S"), {}, name->reason};
        MemoryImage image{};
        if (LoadDataFile(entry.path, image)) {
            const std::size_t type = image[offset::TypeIndex];
            if (type < catalog.typeNames.size()) {
                entry.model = catalog.typeNames[type];
            }
        }
        found.emplace_back(std::move(entry), name->sequence);
    }
    std::sort(found.begin(), found.end(), [](const auto& x, const auto& y) {
        return x.first.timestamp != y.first.timestamp ? x.first.timestamp > y.first.timestamp
                                                      : x.second > y.second;
    });
    std::vector<BackupEntry> entries;
    for (auto& [entry, sequence] : found) {
        entries.push_back(std::move(entry));
    }
    return entries;
}

int BackupStore::Prune(std::chrono::system_clock::time_point now) {
    const std::time_t limit = std::chrono::system_clock::to_time_t(now - kBackupKeepTime);
    std::vector<fs::path> old;
    std::error_code error;
    for (const fs::directory_entry& file : fs::directory_iterator(folder_, error)) {
        std::optional<BackupName> name = ParseName(file.path().filename().string());
        if (name && file.is_regular_file(error) && std::mktime(&name->time) < limit) {
            old.push_back(file.path());
        }
    }
    int removed = 0;
    for (const fs::path& path : old) {
        removed += fs::remove(path, error) ? 1 : 0;
    }
    return removed;
}

} // namespace velmora
