#include "cli/CliContext.h"

#include "base/ConfigLocation.h"
#include "base/QtTextCodec.h"
#include "base/StartupConfig.h"
#include "cli/CliOutput.h"
#include "image/DataFile.h"
#include "settings/QtUserStore.h"

#include <filesystem>

namespace velmora::cli {

int MakeContext(const GlobalOptions& options, const std::string& executableDir,
                CliContext& context) {
    static const QtTextCodec codec;
    SetTextCodec(&codec);

    std::string path = options.iniPath;
    if (!options.iniGiven) {
        // Next to the program, else the installation's share folder or the user's own copy.
        path = LocateConfig(executableDir, {}).readPath;
    } else {
        std::error_code ec;
        const auto status = std::filesystem::status(path, ec);
        if (!std::filesystem::is_regular_file(status)) {
            const FileError error = !std::filesystem::exists(status)        ? FileError::NotFound
                                    : std::filesystem::is_directory(status) ? FileError::IsDirectory
                                                                            : FileError::NotRegular;
            PrintLine(stderr, DescribeLoadFailure(path, {error, {}}, Language::English));
            return ExitFile;
        }
    }
    // A missing, empty or unusable Program.ini still leaves a working program: every key then
    // gives its empty default.
    LoadStartupConfig(path, options.language);
    context.lang = CurrentLanguage();
    context.catalog = LoadProductCatalog(
        [](std::string_view section, std::string_view key) { return ConfigText(section, key); },
        g_strLanguage);
    context.store = std::make_unique<QtUserStore>(ConfigText("Setup", "AppName"));
    return ExitOk;
}

} // namespace velmora::cli
