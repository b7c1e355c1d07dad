// The commands of velmora-cli. Each takes its own arguments (after the command name) and
// returns the exit code.
#pragma once

#include "cli/CliContext.h"

#include <string>
#include <vector>

namespace velmora::cli {

using Args = std::vector<std::string>;

int CommandNew(CliContext& context, const Args& args);
int CommandInfo(CliContext& context, const Args& args);
int CommandExportCsv(CliContext& context, const Args& args);
int CommandOptions(CliContext& context, const Args& args);
int CommandPrint(CliContext& context, const Args& args);
int CommandRead(CliContext& context, const Args& args);
int CommandWrite(CliContext& context, const Args& args);
int CommandImportCsv(CliContext& context, const Args& args);
int CommandDiff(CliContext& context, const Args& args);

// True when the arguments ask for the command's help (which the command then printed).
bool WantsHelp(const Args& args, std::string_view help);

} // namespace velmora::cli
