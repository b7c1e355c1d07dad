// Switching the program's language. The language is fixed for a whole run, so a new choice
// takes effect by starting the program again: the choice is stored in Program.ini, the file
// is written to disk at once (the new instance reads it while this one may still be ending),
// the main window closes, and only then does the program start again.
#pragma once

#include "base/Texts.h"

#include <string_view>

namespace velmora {

// Where Program.ini keeps the choice, and the values it holds.
inline constexpr std::string_view kLanguageSection = "Setup";
inline constexpr std::string_view kLanguageKey = "Language";
std::string_view LanguageSettingValue(Language lang);

enum class LanguageSwitchResult {
    Unchanged,    // the chosen language is the running one: nothing written, nothing started
    NotStored,    // Program.ini did not take the value
    NotSaved,     // Program.ini could not be written; the program keeps running as it is
    CloseRefused, // the main window stayed open; no second instance is started
    StartFailed,  // the window closed but the program could not be started again
    Restarted,
};

// The steps of a restart, in the order SwitchLanguage takes them; each reports success.
class LanguageRestartSteps {
public:
    virtual ~LanguageRestartSteps() = default;
    virtual bool StoreChoice(std::string_view value) = 0;
    virtual bool SaveSettings() = 0;
    virtual bool CloseMainWindow() = 0;
    virtual bool StartProgramAgain() = 0;
};

// Runs the steps for a change from `running` to `chosen`, stopping at the first that fails.
LanguageSwitchResult SwitchLanguage(Language running, Language chosen, LanguageRestartSteps& steps);

} // namespace velmora
