// The program's texts as English/Chinese pairs, and filling values into them.
//
// The language is fixed at start-up; a text is picked by the language at the moment it is
// built. Encoders accept the words of both languages, which is why the pairs are named and not
// only looked up. All texts are UTF-8.
#pragma once

#include <charconv>
#include <initializer_list>
#include <string>
#include <string_view>

namespace velmora {

enum class Language { English, Chinese };

struct TextPair {
    std::string_view en;
    std::string_view zh;

    constexpr std::string_view In(Language lang) const {
        return lang == Language::Chinese ? zh : en;
    }
    constexpr bool Matches(std::string_view text) const { return text == en || text == zh; }
};

// A text that reads the same in both languages.
constexpr TextPair Same(std::string_view text) {
    return {text, text};
}

// The text in `lang` with its marks "%1", "%2", ... replaced by the values in order. The
// marks let the two languages put the values where their sentences need them.
inline std::string FillText(const TextPair& text, Language lang,
                            std::initializer_list<std::string> values) {
    std::string out(text.In(lang));
    int n = 1;
    for (const std::string& value : values) {
        // Built in place: no temporary strings per value (and no "%" + std::to_string(n),
        // which GCC 12 at -O3 takes for overlapping copies and warns about).
        char mark[12] = {'%'};
        const char* end = std::to_chars(mark + 1, mark + sizeof mark, n++).ptr;
        const std::string_view markText(mark, static_cast<std::size_t>(end - mark));
        if (const std::size_t at = out.find(markText); at != std::string::npos) {
            out.replace(at, markText.size(), value);
        }
    }
    return out;
}

} // namespace velmora
