// The per-user store over QSettings: HKEY_CURRENT_USER\Software\<AppName> with REG_DWORD values
// on Windows, $XDG_CONFIG_HOME/<AppName>.conf elsewhere.
#pragma once

#include "settings/UserStore.h"

#include <QSettings>

#include <memory>

namespace velmora {

class QtUserStore : public UserStore {
public:
    explicit QtUserStore(const std::string& appName);
    std::optional<std::int32_t> ReadInt(std::string_view name) override;
    bool WriteInt(std::string_view name, std::int32_t value) override;
    // Strings kept beside the integers, such as the device a port button stands for.
    std::optional<std::string> ReadText(std::string_view name);

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace velmora
