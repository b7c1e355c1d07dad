// The configuration the whole program reads: Program.ini and the language fixed at start-up.
//
// The language flag, the language name and the help file are chosen once, together, and hold
// for the whole run; a new language takes effect only through a restart.
#pragma once

#include "base/IniFile.h"
#include "base/TextCodec.h"
#include "base/Texts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

extern CIniFile g_iniFile;
extern std::uint8_t g_bChinese;   // 0 English, 1 Chinese
extern std::string g_strLanguage; // "English" or "Chinese": the section of per-language texts
extern std::string g_strHelpFile; // "enHelp.chm" or "chHelp.chm"

// Loads iniPath into g_iniFile (written back at exit if changed, names matched ignoring case)
// and fixes the language: Chinese when Setup/Language is exactly "Chinese", English otherwise;
// forced, when given, wins. Returns whether the file could be read; the program starts anyway.
bool LoadStartupConfig(const std::string& iniPath, std::optional<Language> forced);

// Sets the three language globals consistently.
void SetStartupLanguage(Language lang);
Language CurrentLanguage();

// The converter used for GBK files; none installed means bytes are passed on as they are.
void SetTextCodec(const TextCodec* codec);

// A value of g_iniFile in UTF-8, "" when missing.
std::string ConfigText(std::string_view section, std::string_view key);
// A value of the current language's section.
std::string LanguageText(std::string_view key);
// Stores a UTF-8 value in the file's own encoding; false when the file does not take it.
bool SetConfigText(std::string_view section, std::string_view key, std::string_view utf8Value);

// The number formed by the leading decimal digits, as atoi reads it (leading blanks and one
// sign allowed); 0 without digits; saturated at the int limits instead of overflowing.
int LeadingDecimal(std::string_view text);

// Whether the Setup menu offers the Language command (Setup/ShowLang not 0).
bool ShowLanguageCommand();

} // namespace velmora
