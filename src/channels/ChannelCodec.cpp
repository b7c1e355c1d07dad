#include "channels/ChannelCodec.h"

#include "channels/DecimalMultiply.h"
#include "channels/DecimalText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace velmora {

namespace {

// Channels 0 (the priority channel) to 199.
constexpr int kChannels = 200;

// Frequencies are eight BCD digits of 10 Hz: everything below 1000 MHz.
constexpr std::int32_t kFrequencyLimit = 100000000;
constexpr double kUnitsPerMHz = 100000.0;
constexpr double kMHzPerUnit = 0.00001;
constexpr double kTenthsPerHz = 10.0;
constexpr double kHzPerTenth = 0.1;

constexpr std::uint8_t kNoByte = 0xFF;
constexpr std::uint8_t kDcsNormal = 0x80;
constexpr std::uint8_t kDcsInverted = 0xC0;
constexpr int kLastDcsNormalHundreds = 0xBF - kDcsNormal;
// 0xFF would read as no tone.
constexpr int kLastDcsInvertedHundreds = 0xFE - kDcsInverted;
// A CTCSS hi byte must stay below 0x80, where the DCS codes begin.
constexpr int kCtcssTenthsLimit = 8000;

constexpr std::uint8_t kNameDash = 36;
constexpr std::uint8_t kNameUnderscore = 38;

// Bytes that are not valid BCD decode by the same arithmetic, without complaint.
int FromBcd(std::uint8_t b) {
    return 10 * (b >> 4) + (b & 0x0F);
}

// d from 0 to 99.
std::uint8_t ToBcd(int d) {
    return static_cast<std::uint8_t>(16 * (d / 10) + d % 10);
}

bool IsNoFrequencyTop(std::uint8_t top) {
    return top == 0x00 || top == 0xFF;
}

std::size_t RecordOffset(int i) {
    return offset::ChannelRecords + kChannelRecordSize * static_cast<std::size_t>(i);
}

std::size_t NameOffset(int i) {
    return offset::ChannelNames + kChannelNameSize * static_cast<std::size_t>(i);
}

bool IsChannelIndex(int i) {
    return i >= 0 && i < kChannels;
}

std::int32_t TruncatedProduct(double value, double scale) {
    const double product = std::trunc(DecimalMultiply(value, scale));
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    if (!(product >= kMin)) {
        return kMin;
    }
    if (product > kMax) {
        return kMax;
    }
    return static_cast<std::int32_t>(product);
}

std::string DcsText(int hundreds, std::uint8_t lo, char polarity) {
    const int code = 100 * hundreds + FromBcd(lo);
    std::string text = hundreds == 0 ? "D0" : "D";
    text += std::to_string(code);
    text += polarity;
    return text;
}

std::string_view PowerText(std::uint8_t flags, Language lang) {
    switch (flags & record::PowerMask) {
    case record::PowerHigh:
        return txt::PowerHigh.In(lang);
    case record::PowerMiddle:
        return txt::PowerMiddle.In(lang);
    case record::PowerLow:
        return txt::PowerLow.In(lang);
    default:
        return {};
    }
}

// `existed`: the record held a channel before this write.
std::uint8_t EncodeFlags(std::uint8_t flags, const ChannelTexts& texts, bool existed) {
    std::uint8_t power = record::PowerLow;
    if (existed && Cell(texts, Column::Power).empty() &&
        (flags & record::PowerMask) == record::PowerMask) {
        // The radio's power bits 11 show as an empty cell; writing the row back (after an edit
        // of another cell) keeps them instead of quietly lowering the channel's power.
        power = record::PowerMask;
    } else if (txt::PowerHigh.Matches(Cell(texts, Column::Power))) {
        power = record::PowerHigh;
    } else if (txt::PowerMiddle.Matches(Cell(texts, Column::Power))) {
        power = record::PowerMiddle;
    }
    // Unknown words keep the radio's safe defaults: locked, scanned.
    const bool unlocked = txt::LockOff.Matches(Cell(texts, Column::Lock));
    const bool noScan = txt::ScanNo.Matches(Cell(texts, Column::ScanAdd));
    flags &= static_cast<std::uint8_t>(~(record::PowerMask | record::LockBit | record::ScanBit));
    flags |= power;
    flags |= unlocked ? 0 : record::LockBit;
    flags |= noScan ? 0 : record::ScanBit;
    return flags;
}

} // namespace

bool IsChannelEmpty(const MemoryImage& image, int i) {
    if (!IsChannelIndex(i)) {
        return true;
    }
    return IsNoFrequencyTop(image[RecordOffset(i) + record::RxFrequency + record::FrequencyTop]);
}

std::string DecodeFrequency(std::span<const std::uint8_t, 4> bytes) {
    if (IsNoFrequencyTop(bytes[record::FrequencyTop])) {
        return {};
    }
    std::int64_t units = 0;
    for (int k = 3; k >= 0; --k) {
        units = 100 * units + FromBcd(bytes[static_cast<std::size_t>(k)]);
    }
    return FormatFixed(DecimalMultiply(static_cast<double>(units), kMHzPerUnit), 5);
}

std::int32_t FrequencyUnits(std::string_view text) {
    return TruncatedProduct(ParseLeadingDecimal(text), kUnitsPerMHz);
}

std::array<std::uint8_t, 4> EncodeFrequency(std::string_view text) {
    std::int32_t units = FrequencyUnits(text);
    if (units <= 0 || units >= kFrequencyLimit) {
        return {kNoByte, kNoByte, kNoByte, kNoByte};
    }
    std::array<std::uint8_t, 4> bytes{};
    std::int32_t divisor = 1000000;
    for (int k = 3; k >= 0; --k) {
        bytes[static_cast<std::size_t>(k)] = ToBcd(static_cast<int>(units / divisor));
        units %= divisor;
        divisor /= 100;
    }
    return bytes;
}

std::string DecodeTone(std::uint8_t hi, std::uint8_t lo, Language lang) {
    if (hi == 0x00 || hi == 0xFF) {
        return std::string(txt::ToneNone.In(lang));
    }
    if (hi >= kDcsInverted) {
        return DcsText(hi - kDcsInverted, lo, 'I');
    }
    if (hi >= kDcsNormal) {
        return DcsText(hi - kDcsNormal, lo, 'N');
    }
    const int tenths = 100 * FromBcd(hi) + FromBcd(lo);
    return FormatFixed(DecimalMultiply(tenths, kHzPerTenth), 1);
}

std::pair<std::uint8_t, std::uint8_t> EncodeTone(std::string_view text) {
    constexpr std::pair<std::uint8_t, std::uint8_t> kNoTone{kNoByte, kNoByte};
    if (text.find('D') == std::string_view::npos) {
        const std::int32_t tenths = TruncatedProduct(ParseLeadingDecimal(text), kTenthsPerHz);
        if (tenths <= 0 || tenths >= kCtcssTenthsLimit) {
            return kNoTone;
        }
        return {ToBcd(tenths / 100), ToBcd(tenths % 100)};
    }
    // "D023N": the letter, the code's digits, the polarity.
    const std::string_view rest = text.substr(1);
    int code = 0;
    for (char c : rest) {
        if (c < '0' || c > '9' || code >= 100000) {
            break;
        }
        code = code * 10 + (c - '0');
    }
    const bool normal = rest.find('N') != std::string_view::npos;
    const int hundreds = code / 100;
    if (hundreds > (normal ? kLastDcsNormalHundreds : kLastDcsInvertedHundreds)) {
        return kNoTone;
    }
    const std::uint8_t base = normal ? kDcsNormal : kDcsInverted;
    return {static_cast<std::uint8_t>(base + hundreds), ToBcd(code % 100)};
}

std::optional<char> DecodeNameChar(std::uint8_t code) {
    if (code <= 9) {
        return static_cast<char>('0' + code);
    }
    if (code <= 35) {
        return static_cast<char>('A' + (code - 10));
    }
    if (code == kNameDash) {
        return '-';
    }
    if (code == kNameUnderscore) {
        return '_';
    }
    return std::nullopt;
}

std::uint8_t EncodeNameChar(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<std::uint8_t>(10 + (c - 'A'));
    }
    if (c == '-') {
        return kNameDash;
    }
    if (c == '_') {
        return kNameUnderscore;
    }
    return kNoByte;
}

ChannelTexts DecodeChannel(const MemoryImage& image, int i, Language lang) {
    ChannelTexts texts;
    if (IsChannelEmpty(image, i)) {
        return texts;
    }
    const std::size_t at = RecordOffset(i);
    const std::span<const std::uint8_t, kChannelRecordSize> rec(image.data() + at,
                                                                kChannelRecordSize);
    Cell(texts, Column::Rx) = DecodeFrequency(rec.subspan<record::RxFrequency, 4>());
    Cell(texts, Column::Tx) = DecodeFrequency(rec.subspan<record::TxFrequency, 4>());
    Cell(texts, Column::DecodeTone) =
        DecodeTone(rec[record::DecodeToneHi], rec[record::DecodeToneLo], lang);
    Cell(texts, Column::EncodeTone) =
        DecodeTone(rec[record::EncodeToneHi], rec[record::EncodeToneLo], lang);
    const std::uint8_t flags = rec[record::Flags];
    Cell(texts, Column::Power) = PowerText(flags, lang);
    Cell(texts, Column::Lock) = ((flags & record::LockBit) ? txt::LockOn : txt::LockOff).In(lang);
    Cell(texts, Column::ScanAdd) =
        ((flags & record::ScanBit) ? txt::ScanYes : txt::ScanNo).In(lang);
    const std::size_t name = NameOffset(i);
    for (std::size_t k = 0; k < kChannelNameSize; ++k) {
        const std::optional<char> c = DecodeNameChar(image[name + k]);
        if (!c) {
            break;
        }
        Cell(texts, Column::Name) += *c;
    }
    return texts;
}

void EncodeChannel(MemoryImage& image, int i, const ChannelTexts& texts) {
    if (!IsChannelIndex(i)) {
        return;
    }
    const std::size_t at = RecordOffset(i);
    const std::span<std::uint8_t, kChannelRecordSize> rec(image.data() + at, kChannelRecordSize);
    if (Cell(texts, Column::Rx).empty()) {
        // Only the record is cleared; the radio ignores the name of an empty channel, and its
        // bytes are left as they were.
        std::fill(rec.begin(), rec.end(), kNoByte);
        return;
    }
    const bool existed = !IsChannelEmpty(image, i);
    // A cell whose text is what the stored bytes already say keeps those bytes: a value the
    // radio holds in a form the program cannot write (digits that are not decimal, a frequency
    // from 1000 MHz up) survives an edit of another cell of the row.
    for (const std::size_t f : {record::RxFrequency, record::TxFrequency}) {
        const std::span<std::uint8_t, 4> stored(rec.data() + f, 4);
        const std::string& text = Cell(texts, f == record::RxFrequency ? Column::Rx : Column::Tx);
        if (!existed || DecodeFrequency(stored) != text) {
            const auto bytes = EncodeFrequency(text);
            std::copy(bytes.begin(), bytes.end(), stored.begin());
        }
    }
    for (const auto& [hiAt, loAt, column] :
         {std::tuple{record::DecodeToneHi, record::DecodeToneLo, Column::DecodeTone},
          std::tuple{record::EncodeToneHi, record::EncodeToneLo, Column::EncodeTone}}) {
        const std::string& text = Cell(texts, column);
        const bool same = existed && (DecodeTone(rec[hiAt], rec[loAt], Language::English) == text ||
                                      DecodeTone(rec[hiAt], rec[loAt], Language::Chinese) == text);
        if (!same) {
            const auto [hi, lo] = EncodeTone(text);
            rec[hiAt] = hi;
            rec[loAt] = lo;
        }
    }
    rec[record::Flags] = EncodeFlags(rec[record::Flags], texts, existed);
    const std::size_t name = NameOffset(i);
    const std::string& nameText = Cell(texts, Column::Name);
    for (std::size_t k = 0; k < kChannelNameSize; ++k) {
        image[name + k] = k < nameText.size() ? EncodeNameChar(nameText[k]) : kNoByte;
    }
}

} // namespace velmora
