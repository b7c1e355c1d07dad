#include "settings/ProductBand.h"

#include "base/TextChars.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <utility>

namespace velmora {
namespace {

constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<int>::min();
constexpr std::int64_t kUnitsPerMhz = 100000; // MHz in the image's 10 Hz unit

// A decimal number read the way "%d" reads it: white space, an optional sign, digits.
struct LeadingNumber {
    std::int64_t value = 0; // clamped to the int range
    bool overflow = false;  // the digits do not fit an int
    std::size_t end = 0;    // position after the last digit
};

std::optional<LeadingNumber> ReadNumber(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos >= text.size() || !IsDigit(text[pos])) {
        return std::nullopt;
    }
    LeadingNumber number;
    std::int64_t magnitude = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        if (magnitude <= kIntMax) { // stays far from the int64 limit
            magnitude = magnitude * 10 + (text[pos] - '0');
        }
    }
    number.end = pos;
    number.value = negative ? -magnitude : magnitude;
    if (number.value > kIntMax || number.value < kIntMin) {
        number.overflow = true;
        number.value = number.value > 0 ? kIntMax : kIntMin;
    }
    return number;
}

// The band's numbers as "%d-%dMHz" reads them; what does not read stays 0.
struct BandNumbers {
    std::int64_t lo = 0;
    std::int64_t hi = 0;
};

BandNumbers ScanBand(std::string_view text) {
    BandNumbers band;
    const auto lo = ReadNumber(text, 0);
    if (!lo) {
        return band;
    }
    band.lo = lo->value;
    if (lo->end >= text.size() || text[lo->end] != '-') {
        return band;
    }
    if (const auto hi = ReadNumber(text, lo->end + 1)) {
        band.hi = hi->value;
    }
    return band;
}

// Hundreds in the high nibble, tens in the low one; C division, so negatives truncate toward
// zero, and the radio gets the low byte.
std::uint8_t HundredsTens(std::int64_t mhz) {
    return static_cast<std::uint8_t>(16 * (mhz / 100) + (mhz / 10) % 10);
}

// One limit in the image's unit, or nothing when it cannot be a frequency.
std::optional<std::int32_t> LimitFrom(std::string_view text) {
    const auto number = ReadNumber(text, 0);
    if (!number) {
        return 0; // no number reads as 0, as atoi gives it
    }
    if (number->overflow || number->value < 0) {
        return std::nullopt;
    }
    const std::int64_t limit = number->value * kUnitsPerMhz;
    if (limit > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(limit);
}

} // namespace

ProductCatalog LoadProductCatalog(const ConfigGetter& get, std::string_view languageSection) {
    ProductCatalog catalog;
    for (int n = 1; n <= kMaxProductTypes; ++n) {
        std::string name = get("Setup", "Type" + std::to_string(n));
        if (name.empty()) {
            break;
        }
        catalog.typeNames.push_back(std::move(name));
    }
    for (int n = 1; n <= kMaxProductTypes; ++n) {
        catalog.bandLists.push_back(get("Setup", "Field" + std::to_string(n)));
    }
    catalog.titleBase = get(languageSection, "AppName");
    return catalog;
}

std::vector<std::string> SplitBandList(std::string_view list) {
    std::vector<std::string> items;
    std::size_t bar;
    while ((bar = list.find('|')) != std::string_view::npos) {
        items.emplace_back(list.substr(0, bar));
        list.remove_prefix(bar + 1);
    }
    items.emplace_back(list);
    return items;
}

std::string BandItem(std::string_view list, int index) {
    std::vector<std::string> items = SplitBandList(list);
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) {
        return std::move(items.back());
    }
    return std::move(items[static_cast<std::size_t>(index)]);
}

BandBytes BandBytesFor(std::string_view bandText) {
    const BandNumbers band = ScanBand(bandText);
    const std::int64_t low = band.lo;
    const std::int64_t high = band.hi - 1; // the radio stores the last whole MHz it may use
    return {HundredsTens(low), HundredsTens(high),
            static_cast<std::uint8_t>(16 * (low % 10) + high % 10)};
}

BandLimits BandLimitsFor(std::string_view bandText) {
    const std::size_t dash = bandText.find('-');
    const auto low = LimitFrom(bandText);
    const auto high =
        LimitFrom(dash == std::string_view::npos ? bandText : bandText.substr(dash + 1));
    if (!low || !high) {
        return {0, 0, false};
    }
    return {*low, *high, true};
}

std::string MainWindowTitle(std::string_view base, std::string_view type, std::string_view band,
                            Language lang) {
    std::string title(base);
    title += txt::TitleType.In(lang);
    title += type;
    title += txt::TitleBand.In(lang);
    title += band;
    title += txt::TitleEnd;
    if (!BandLimitsFor(band).usable) {
        title += txt::TitleUnusableBand.In(lang);
    }
    return title;
}

ProductState ApplyProductChoice(MemoryImage& image, std::string_view typeName,
                                std::string_view bandText, std::string_view titleBase,
                                Language lang) {
    const BandBytes bytes = BandBytesFor(bandText);
    image[offset::BandBytes] = bytes.b0;
    image[offset::BandBytes + 1] = bytes.b1;
    image[offset::BandBytes + 2] = bytes.b2;
    return {std::string(typeName), std::string(bandText),
            MainWindowTitle(titleBase, typeName, bandText, lang), BandLimitsFor(bandText)};
}

std::vector<std::string> BandsOfType(const ProductCatalog& catalog, int type) {
    const bool known = type >= 0 && static_cast<std::size_t>(type) < catalog.bandLists.size();
    return SplitBandList(known ? catalog.bandLists[static_cast<std::size_t>(type)] : "");
}

ProductPick StoredProductPick(const ProductCatalog& catalog, UserStore& store) {
    const int types = static_cast<int>(catalog.typeNames.size());
    const int storedType = store.ReadInt(kStoreType).value_or(0);
    const int storedBand = store.ReadInt(kStoreField).value_or(0);
    ProductPick pick;
    pick.type = storedType >= 0 && storedType < types ? storedType : (types > 0 ? 0 : -1);
    const int bands = static_cast<int>(BandsOfType(catalog, pick.type).size());
    pick.band = storedBand >= 0 && storedBand < bands ? storedBand : 0;
    return pick;
}

ProductState StoreProductPick(MemoryImage& image, UserStore& store, const ProductCatalog& catalog,
                              ProductPick pick, Language lang) {
    const auto indexByte = [](int index) {
        return index < 0 ? std::uint8_t{0xFF} : static_cast<std::uint8_t>(index & 0xFF);
    };
    const auto item = [](const std::vector<std::string>& items, int index) {
        return index >= 0 && static_cast<std::size_t>(index) < items.size()
                   ? items[static_cast<std::size_t>(index)]
                   : std::string();
    };
    image[offset::TypeIndex] = indexByte(pick.type);
    image[offset::BandIndex] = indexByte(pick.band);
    store.WriteInt(kStoreType, pick.type);
    store.WriteInt(kStoreField, pick.band);
    return ApplyProductChoice(image, item(catalog.typeNames, pick.type),
                              item(BandsOfType(catalog, pick.type), pick.band), catalog.titleBase,
                              lang);
}

ProductState RefreshProductInfo(MemoryImage& image, bool newDocument, UserStore& store,
                                const ProductCatalog& catalog, Language lang) {
    if (newDocument) {
        // Only the low byte of a stored value fits the image; a failing store counts as 0.
        const auto lowByte = [](std::optional<std::int32_t> v) {
            return static_cast<std::uint8_t>(static_cast<std::uint32_t>(v.value_or(0)));
        };
        image[offset::TypeIndex] = lowByte(store.ReadInt(kStoreType));
        image[offset::BandIndex] = lowByte(store.ReadInt(kStoreField));
    } else {
        store.WriteInt(kStoreType, image[offset::TypeIndex]);
        store.WriteInt(kStoreField, image[offset::BandIndex]);
    }
    const std::size_t type = image[offset::TypeIndex];
    const std::string typeName = type < catalog.typeNames.size() ? catalog.typeNames[type] : "";
    const std::string bandList = type < catalog.bandLists.size() ? catalog.bandLists[type] : "";
    const std::string bandText = BandItem(bandList, image[offset::BandIndex]);
    return ApplyProductChoice(image, typeName, bandText, catalog.titleBase, lang);
}

} // namespace velmora
