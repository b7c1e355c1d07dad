#include "base/StartupConfig.h"

#include <climits>

namespace velmora {

CIniFile g_iniFile(4);
std::uint8_t g_bChinese = 0;
std::string g_strLanguage = "English";
std::string g_strHelpFile = "enHelp.chm";

namespace {

const TextCodec* g_textCodec = nullptr;

bool FileIsGbk() {
    return g_iniFile.Encoding() == IniEncoding::Gbk && g_textCodec != nullptr;
}

// Names the program asks for are UTF-8; a GBK file holds them in GBK.
std::string InFileEncoding(std::string_view utf8) {
    return FileIsGbk() ? g_textCodec->FromUtf8(utf8) : std::string(utf8);
}

} // namespace

void SetStartupLanguage(Language lang) {
    const bool chinese = lang == Language::Chinese;
    g_bChinese = chinese ? 1 : 0;
    g_strLanguage = chinese ? "Chinese" : "English";
    g_strHelpFile = chinese ? "chHelp.chm" : "enHelp.chm";
}

bool LoadStartupConfig(const std::string& iniPath, std::optional<Language> forced) {
    const bool loaded = g_iniFile.Load(iniPath, true, true);
    Language lang = g_iniFile.GetValue("Setup", "Language", "") == "Chinese" ? Language::Chinese
                                                                             : Language::English;
    if (forced) {
        lang = *forced;
    }
    SetStartupLanguage(lang);
    return loaded;
}

Language CurrentLanguage() {
    return g_bChinese ? Language::Chinese : Language::English;
}

void SetTextCodec(const TextCodec* codec) {
    g_textCodec = codec;
}

std::string ConfigText(std::string_view section, std::string_view key) {
    std::string value = g_iniFile.GetValue(InFileEncoding(section), InFileEncoding(key), "");
    return FileIsGbk() && !value.empty() ? g_textCodec->ToUtf8(value) : value;
}

std::string LanguageText(std::string_view key) {
    return ConfigText(g_strLanguage, key);
}

bool SetConfigText(std::string_view section, std::string_view key, std::string_view utf8Value) {
    return g_iniFile.SetValue(InFileEncoding(section), InFileEncoding(key),
                              InFileEncoding(utf8Value));
}

int LeadingDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate towards the limit of the sign so that INT_MIN itself is reachable.
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude >= limit) {
            magnitude = limit;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

bool ShowLanguageCommand() {
    return LeadingDecimal(g_iniFile.GetValue("Setup", "ShowLang", "")) != 0;
}

} // namespace velmora
