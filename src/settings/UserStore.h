// The per-user integers the program keeps between runs ("com", "Type", "Field"), under the
// product's name. On Windows this is HKEY_CURRENT_USER\Software\<AppName>; elsewhere a
// per-user settings file. Tests use an in-memory store.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class UserStore {
public:
    virtual ~UserStore() = default;
    // Empty when the value is missing or cannot be read.
    virtual std::optional<std::int32_t> ReadInt(std::string_view name) = 0;
    // False when the value could not be stored; callers treat that as silent.
    virtual bool WriteInt(std::string_view name, std::int32_t value) = 0;
};

// A store held in memory: the tests' store, and the fallback when no per-user store exists.
class MemoryUserStore : public UserStore {
public:
    std::optional<std::int32_t> ReadInt(std::string_view name) override {
        auto it = m_values.find(std::string(name));
        if (it == m_values.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    bool WriteInt(std::string_view name, std::int32_t value) override {
        m_values[std::string(name)] = value;
        return true;
    }
    const std::map<std::string, std::int32_t>& Values() const { return m_values; }

private:
    std::map<std::string, std::int32_t> m_values;
};

} // namespace velmora
