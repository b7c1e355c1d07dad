// What every command needs: the configuration, the language, the product catalogue and the
// per-user store, set up the way the window program sets them up at start-up.
#pragma once

#include "base/Texts.h"
#include "settings/ProductBand.h"
#include "settings/UserStore.h"

#include <memory>
#include <optional>
#include <string>

namespace velmora::cli {

struct GlobalOptions {
    std::string iniPath; // empty: Program.ini next to the executable
    bool iniGiven = false;
    std::optional<Language> language;
};

struct CliContext {
    Language lang = Language::English;
    ProductCatalog catalog;
    std::unique_ptr<UserStore> store;
};

// Loads Program.ini (a missing, empty or unusable file next to the executable gives the
// defaults; a file named with --ini must exist). Returns an exit code other than 0 on failure,
// after printing the reason.
int MakeContext(const GlobalOptions& options, const std::string& executableDir,
                CliContext& context);

} // namespace velmora::cli
