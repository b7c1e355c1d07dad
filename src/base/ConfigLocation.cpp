#include "base/ConfigLocation.h"

#include "base/FileIo.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <system_error>

namespace velmora {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileName = "Program.ini";
constexpr const char* kFolderName = "velmora";

std::string g_configCopyPath;

// Whether a save would replace the file: the same checks the save itself makes (its folder
// takes new files, the file itself may be written), so the probe and the save never disagree.
bool CanReplace(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec) && CheckSaveTarget(file.string());
}

void Probe(ConfigCandidate& candidate) {
    std::error_code ec;
    candidate.exists = !candidate.path.empty() && fs::is_regular_file(candidate.path, ec);
    candidate.writable = candidate.exists && CanReplace(candidate.path);
}

ConfigLocation Use(ConfigOrigin origin, const ConfigCandidate& read, std::string copyPath = {}) {
    return {origin, read.path, std::move(copyPath)};
}

} // namespace

ConfigLocation ChooseConfigLocation(const ConfigCandidates& c) {
    if (!c.commandLine.path.empty()) {
        return Use(ConfigOrigin::CommandLine, c.commandLine);
    }
    const bool haveUserCopy = c.userCopy.exists && !c.userCopy.path.empty();
    const ConfigCandidate* installed = nullptr;
    ConfigOrigin origin = ConfigOrigin::BesideProgram;
    if (c.besideProgram.exists) {
        installed = &c.besideProgram;
    } else if (c.installation.exists) {
        installed = &c.installation;
        origin = ConfigOrigin::Installation;
    }
    if (installed != nullptr) {
        if (installed->writable) {
            return Use(origin, *installed);
        }
        if (haveUserCopy) {
            return Use(ConfigOrigin::UserCopy, c.userCopy);
        }
        return Use(origin, *installed, c.userCopy.path);
    }
    if (haveUserCopy) {
        return Use(ConfigOrigin::UserCopy, c.userCopy);
    }
    // Nothing anywhere: the old place, where a missing file is created empty.
    return Use(ConfigOrigin::BesideProgram, c.besideProgram);
}

ConfigCandidates ConfigCandidatesFor(const std::string& programDir, const std::string& iniOption,
                                     const char* xdgConfigHome, const char* home) {
    ConfigCandidates c;
    c.commandLine.path = iniOption;
    const fs::path dir(programDir);
    c.besideProgram.path = (dir / kFileName).string();
    c.installation.path =
        (dir / ".." / "share" / kFolderName / kFileName).lexically_normal().string();
    fs::path configHome;
    if (xdgConfigHome != nullptr && fs::path(xdgConfigHome).is_absolute()) {
        configHome = xdgConfigHome;
    } else if (home != nullptr && *home != '\0') {
        configHome = fs::path(home) / ".config";
    }
    if (!configHome.empty()) {
        c.userCopy.path = (configHome / kFolderName / kFileName).string();
    }
    return c;
}

void ProbeConfigCandidates(ConfigCandidates& candidates) {
    Probe(candidates.commandLine);
    Probe(candidates.besideProgram);
    Probe(candidates.installation);
    Probe(candidates.userCopy);
}

ConfigLocation LocateConfig(const std::string& programDir, const std::string& iniOption) {
    ConfigCandidates candidates = ConfigCandidatesFor(
        programDir, iniOption, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    ProbeConfigCandidates(candidates);
    return ChooseConfigLocation(candidates);
}

void SetConfigCopyPath(const std::string& path) {
    g_configCopyPath = path;
}

const std::string& ConfigCopyPath() {
    return g_configCopyPath;
}

bool SaveConfig(CIniFile& ini, const std::string& copyPath) {
    if (ini.Save()) {
        return true;
    }
    if (copyPath.empty() || copyPath == ini.Path()) {
        return false;
    }
    std::error_code ec;
    fs::create_directories(fs::path(copyPath).parent_path(), ec);
    const std::string bytes = ini.ToBytes();
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             bytes.size());
    if (!WriteFileAtomically(copyPath, data)) {
        return false;
    }
    // The copy is now this run's file: nothing is left pending for the read-only original, and
    // the copy is read and written as start-up reads Program.ini.
    return ini.LoadFromBytes(bytes, copyPath, true, true);
}

} // namespace velmora
