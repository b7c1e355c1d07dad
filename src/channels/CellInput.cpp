#include "channels/CellInput.h"

#include "base/TextChars.h"

#include "channels/ChannelCodec.h"
#include "channels/ToneTable.h"

#include <algorithm>

namespace velmora {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EndsWithMhz(std::string_view text) {
    constexpr std::string_view kUnit = "mhz";
    if (text.size() < kUnit.size()) {
        return false;
    }
    const std::string_view tail = text.substr(text.size() - kUnit.size());
    return std::equal(tail.begin(), tail.end(), kUnit.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

std::vector<std::string> Words(std::initializer_list<TextPair> pairs, Language lang) {
    std::vector<std::string> words;
    for (const TextPair& pair : pairs) {
        words.emplace_back(pair.In(lang));
    }
    return words;
}

} // namespace

std::optional<std::string> FrequencyNumberText(std::string_view text) {
    text = Trimmed(text);
    if (EndsWithMhz(text)) {
        text = Trimmed(text.substr(0, text.size() - 3));
    }
    std::string number;
    bool point = false;
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
            number += c;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
            number += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digit) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::int32_t> ParseFrequencyText(std::string_view text) {
    const std::optional<std::string> number = FrequencyNumberText(text);
    if (!number) {
        return std::nullopt;
    }
    return FrequencyUnits(*number);
}

std::optional<char> NameKeyChar(char32_t typed) {
    if (typed >= U'a' && typed <= U'z') {
        return static_cast<char>(typed - U'a' + U'A');
    }
    if (typed < 0x80 && EncodeNameChar(static_cast<char>(typed)) != 0xFF) {
        return static_cast<char>(typed);
    }
    return std::nullopt;
}

std::optional<std::string> NameText(std::string_view text) {
    std::string name;
    name.reserve(text.size());
    for (char c : text) {
        const std::optional<char> kept = NameKeyChar(static_cast<unsigned char>(c));
        if (!kept) {
            return std::nullopt;
        }
        name += *kept;
    }
    return name;
}

const std::vector<std::string>& ListEntries(Column column, Language lang) {
    static const std::vector<std::string> kNone;
    static const std::vector<std::string> tones[2] = {BuildToneList(Language::English),
                                                      BuildToneList(Language::Chinese)};
    static const std::vector<std::string> powers[2] = {
        Words({txt::PowerHigh, txt::PowerMiddle, txt::PowerLow}, Language::English),
        Words({txt::PowerHigh, txt::PowerMiddle, txt::PowerLow}, Language::Chinese)};
    static const std::vector<std::string> locks[2] = {
        Words({txt::LockOn, txt::LockOff}, Language::English),
        Words({txt::LockOn, txt::LockOff}, Language::Chinese)};
    static const std::vector<std::string> scans[2] = {
        Words({txt::ScanYes, txt::ScanNo}, Language::English),
        Words({txt::ScanYes, txt::ScanNo}, Language::Chinese)};
    const std::size_t l = lang == Language::Chinese ? 1 : 0;
    switch (column) {
    case Column::DecodeTone:
    case Column::EncodeTone:
        return tones[l];
    case Column::Power:
        return powers[l];
    case Column::Lock:
        return locks[l];
    case Column::ScanAdd:
        return scans[l];
    default:
        return kNone;
    }
}

ListChoices EditorChoices(Column column, std::string_view cellText, Language lang) {
    ListChoices choices;
    choices.entries = ListEntries(column, lang);
    if (choices.entries.empty()) {
        return choices;
    }
    const auto found = std::find(choices.entries.begin(), choices.entries.end(), cellText);
    if (found != choices.entries.end()) {
        choices.selected = static_cast<int>(found - choices.entries.begin());
        return choices;
    }
    choices.entries.insert(choices.entries.begin(), std::string(cellText));
    choices.selected = 0;
    return choices;
}

} // namespace velmora
