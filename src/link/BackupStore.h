// A copy of every image that came from the radio or is about to go to it, kept in a folder of
// the user's, so that a write gone wrong or an overwritten file never costs the radio's
// contents. Files are named by local time and reason, "velmora-20261206-225001-read.dat"
// ("-2", "-3" ... appended when a second one falls into the same second), and are ordinary
// data files the program can open. Backups older than a year are removed whenever one is kept;
// other files in the folder are never touched.
#pragma once

#include "base/FileIo.h"
#include "image/MemoryImage.h"
#include "settings/ProductBand.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct BackupEntry {
    std::string path;
    std::string timestamp; // "2026-12-06 22:50:01", local time
    std::string model;     // the type name the image's type index selects; empty if none
    std::string reason;    // "read" or "write"
};

inline constexpr std::chrono::hours kBackupKeepTime{24 * 365};

class BackupStore {
public:
    explicit BackupStore(std::string folder) : folder_(std::move(folder)) {}

    // Saves the image (the folder is made when missing), then prunes.
    FileResult Keep(const MemoryImage& image, std::string_view reason,
                    std::chrono::system_clock::time_point now, std::string& pathOut);

    // The backups in the folder, newest first.
    std::vector<BackupEntry> List(const ProductCatalog& catalog) const;

    // Removes backups older than a year before `now`; returns how many were removed.
    int Prune(std::chrono::system_clock::time_point now);

    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
};

} // namespace velmora
