// Where the program and velmora-cli keep their backups of the radio: the user's data folder
// ($XDG_DATA_HOME, ~/.local/share on Linux; %APPDATA% on Windows) + "/velmora/backups". The
// folder name is fixed, not the application name, so the window program and the command-line
// tool share one folder.
#pragma once

#include <string>

namespace velmora {

std::string DefaultBackupFolder();

} // namespace velmora
