#include "settings/LanguageSwitch.h"

namespace velmora {

std::string_view LanguageSettingValue(Language lang) {
    return lang == Language::Chinese ? "Chinese" : "English";
}

LanguageSwitchResult SwitchLanguage(Language running, Language chosen,
                                    LanguageRestartSteps& steps) {
    if (running == chosen) {
        return LanguageSwitchResult::Unchanged;
    }
    if (!steps.StoreChoice(LanguageSettingValue(chosen))) {
        return LanguageSwitchResult::NotStored;
    }
    // Written before anything else: the new instance must find the new value on disk.
    if (!steps.SaveSettings()) {
        return LanguageSwitchResult::NotSaved;
    }
    // A window that refuses to close keeps this instance alive; a second one beside it would
    // only confuse the user.
    if (!steps.CloseMainWindow()) {
        return LanguageSwitchResult::CloseRefused;
    }
    if (!steps.StartProgramAgain()) {
        return LanguageSwitchResult::StartFailed;
    }
    return LanguageSwitchResult::Restarted;
}

} // namespace velmora
