// Character classes of the texts the program reads (the configuration file, CSV files, typed
// and pasted cells) as the C locale has them, whatever locale the program runs in.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text with A-Z as a-z; other bytes (UTF-8 included) as they are.
inline std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

} // namespace velmora
