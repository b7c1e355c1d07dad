// Where the program finds Program.ini, and where a changed copy of it goes.
//
// In the build tree and in a folder copied as a whole, the file sits next to the program. An
// installed program finds the installation's file in <prefix>/share/velmora, beside its own
// <prefix>/bin. Users who cannot write the installation's file (every ordinary user of a
// packaged installation) still switch the language: the whole file, with their change, is kept
// as their own copy under $XDG_CONFIG_HOME/velmora, and that copy is read from then on. A file
// named with --ini is always the one used and written; the user chose it.
#pragma once

#include "base/IniFile.h"

#include <string>

namespace velmora {

enum class ConfigOrigin {
    CommandLine,   // --ini
    BesideProgram, // Program.ini in the program's own folder
    Installation,  // <program folder>/../share/velmora/Program.ini
    UserCopy,      // the user's own copy, kept when the installation's file was read-only
};

struct ConfigCandidate {
    std::string path; // "" when there is no such place (no --ini, no home folder)
    bool exists = false;
    bool writable = false;
};

struct ConfigCandidates {
    ConfigCandidate commandLine;
    ConfigCandidate besideProgram;
    ConfigCandidate installation;
    ConfigCandidate userCopy;
};

struct ConfigLocation {
    ConfigOrigin origin = ConfigOrigin::BesideProgram;
    std::string readPath;
    // Where the whole file goes when readPath cannot be written; "" when a failed write is
    // simply reported (the user's own copy, a file named with --ini).
    std::string copyPath;
};

// The decision, from the facts alone:
// 1. --ini, whether it exists or not (a missing file is created, as always).
// 2. The installation's file: next to the program when there is one, else in the share folder.
//    When this user can write it, it is used and written, whatever copies exist elsewhere.
// 3. When it is read-only, the user's copy if it exists, else the installation's file read
//    and the user's copy written on a change.
// 4. No installation file at all: the user's copy if it exists, else next to the program.
ConfigLocation ChooseConfigLocation(const ConfigCandidates& candidates);

// The candidate paths (facts not yet probed). xdgConfigHome and home are the environment's
// values, nullptr when unset; a relative XDG_CONFIG_HOME is ignored, as the XDG rules say.
ConfigCandidates ConfigCandidatesFor(const std::string& programDir, const std::string& iniOption,
                                     const char* xdgConfigHome, const char* home);

// Fills in exists and writable from the file system. Writable means this process can open
// the existing file for writing; nothing is written.
void ProbeConfigCandidates(ConfigCandidates& candidates);

// The three steps for the running program, with the environment of this process.
ConfigLocation LocateConfig(const std::string& programDir, const std::string& iniOption);

// The copy path of the run's Program.ini, fixed at start-up ("" none).
void SetConfigCopyPath(const std::string& path);
const std::string& ConfigCopyPath();

// Writes ini to its own file; when that fails and copyPath is given, writes the whole file,
// in its own encoding, to copyPath instead (creating its folder) and from then on ini stands
// for that copy. False when neither could be written.
bool SaveConfig(CIniFile& ini, const std::string& copyPath);

} // namespace velmora
