#include "image/ImageDiff.h"

#include "channels/ChannelTable.h"
#include "print/OptionLines.h"

#include <cstdio>

namespace velmora {

namespace {

constexpr std::size_t kNamesEnd = offset::ChannelNames + kChannelCount * kChannelNameSize;

// The channel whose record or name holds the byte, or -1.
int ChannelAt(std::size_t at) {
    if (at < kChannelCount * kChannelRecordSize) {
        return static_cast<int>(at / kChannelRecordSize);
    }
    if (at >= offset::ChannelNames && at < kNamesEnd) {
        return static_cast<int>((at - offset::ChannelNames) / kChannelNameSize);
    }
    return -1;
}

std::string Hex(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string Shown(const std::string& text, Language lang) {
    return text.empty() ? std::string(txt::DiffEmpty.In(lang)) : text;
}

std::string Label(std::string label) {
    while (!label.empty() && label.back() == ':') {
        label.pop_back();
    }
    return label;
}

// Whether the texts the program shows for the byte's area change when only this byte changes.
bool ShowsIn(const MemoryImage& image, std::size_t at, std::uint8_t value, Language lang) {
    MemoryImage changed = image;
    changed[at] = value;
    if (const int channel = ChannelAt(at); channel >= 0) {
        return DecodeChannel(image, channel, lang) != DecodeChannel(changed, channel, lang);
    }
    const auto before = PrintedOptionLines(image, lang);
    const auto after = PrintedOptionLines(changed, lang);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].value != after[i].value) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<std::string> DiffImages(const MemoryImage& a, const MemoryImage& b, Language lang) {
    std::vector<std::string> lines;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const ChannelTexts left = DecodeChannel(a, channel, lang);
        const ChannelTexts right = DecodeChannel(b, channel, lang);
        for (std::size_t cell = 0; cell < left.size(); ++cell) {
            if (left[cell] == right[cell]) {
                continue;
            }
            std::string line(txt::DiffChannel.In(lang));
            line.replace(line.find("%1"), 2, std::to_string(channel));
            lines.push_back(line + std::string(txt::ColumnTitles[cell + 1].In(lang)) + " " +
                            Shown(left[cell], lang) + " -> " + Shown(right[cell], lang));
        }
    }
    const auto left = PrintedOptionLines(a, lang);
    const auto right = PrintedOptionLines(b, lang);
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i].value != right[i].value) {
            lines.push_back(std::string(txt::DiffOption.In(lang)) + Label(left[i].label) + ": " +
                            left[i].value + " -> " + right[i].value);
        }
    }
    // Bytes that only together change a text (none of them alone does) would otherwise go
    // unmentioned: two images that differ always give at least one line.
    const bool describedAll = !lines.empty();
    for (std::size_t at = 0; at < a.size(); ++at) {
        if (a[at] == b[at] ||
            (describedAll && (ShowsIn(a, at, b[at], lang) || ShowsIn(b, at, a[at], lang)))) {
            continue;
        }
        lines.push_back(std::string(txt::DiffByte.In(lang)) + Hex(static_cast<unsigned>(at), 4) +
                        ": " + Hex(a[at], 2) + " -> " + Hex(b[at], 2));
    }
    return lines;
}

} // namespace velmora
