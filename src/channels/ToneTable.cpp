#include "channels/ToneTable.h"

#include "channels/DecimalMultiply.h"
#include "channels/DecimalText.h"

namespace velmora {

namespace {

std::string DcsText(int code, char polarity) {
    std::string text = "D000";
    text[1] = static_cast<char>('0' + code / 100);
    text[2] = static_cast<char>('0' + code / 10 % 10);
    text[3] = static_cast<char>('0' + code % 10);
    text += polarity;
    return text;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (LowerAscii(text[i]) != LowerAscii(prefix[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<std::string> BuildToneList(Language lang) {
    std::vector<std::string> list;
    list.reserve(kToneListSize);
    list.emplace_back(txt::ToneNone.In(lang));
    // Printed the way the codec prints a decoded tone, so both always agree.
    for (int tenths : kCtcssTones) {
        list.push_back(FormatFixed(DecimalMultiply(tenths, 0.1), 1));
    }
    for (int code : kDcsCodes) {
        list.push_back(DcsText(code, 'N'));
    }
    for (int code : kDcsCodes) {
        list.push_back(DcsText(code, 'I'));
    }
    return list;
}

int FindListEntryByPrefix(const std::vector<std::string>& items, std::string_view text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (StartsWithIgnoringCase(items[i], text)) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

} // namespace velmora
