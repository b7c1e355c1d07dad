#include "settings/ProductBand.h"

#include <gtest/gtest.h>

#include <map>

namespace velmora {
namespace {

using Store = std::map<std::string, std::int32_t>;
constexpr auto en = Language::English, zh = Language::Chinese;

const auto Tie = [](const BandLimits& l) { return std::tuple(l.low, l.high, l.usable); };

TEST(ProductBand, BandBytesAndLimits) {
    const struct {
        std::string_view text;
        BandBytes bytes;
        BandLimits limits;
    } cases[] = {
        // clang-format off
        {"136-174MHz", {0x13, 0x17, 0x63}, {13600000, 17400000, true}},
        {"", {0x00, 0x00, 0xFF}, {0, 0, true}}, // a missing band: nothing parses, H = -1
        {"0-1MHz", {0x00, 0x00, 0x00}, {0, 100000, true}},
        // "%d-" needs the dash right after the number; the limits find it anyway.
        {"136 - 174MHz", {0x13, 0x00, 0x5F}, {13600000, 17400000, true}},
        {std::string_view("136-174MHz", 3), {0x13, 0x00, 0x5F}, {13600000, 13600000, true}},
        {"--5MHz", {0x00, 0x00, 0xFF}, {0, 0, false}},
        {"21474-21474MHz", {0x67, 0x67, 0x43}, {2147400000, 2147400000, true}},
        // Too large for a frequency, too large for an int, negative: refused, bytes still defined.
        {"21474-21475MHz", {0x67, 0x67, 0x44}, {0, 0, false}},
        {"3000000000-3000000001MHz", {0x44, 0x44, 0x76}, {0, 0, false}},
        {"-5-10MHz", {0x00, 0x00, 0xB9}, {0, 0, false}},
        {"136--174MHz", {0x13, 0xE9, 0x5B}, {0, 0, false}},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BandBytesFor(c.text), c.bytes) << c.text;
        EXPECT_EQ(Tie(BandLimitsFor(c.text)), Tie(c.limits)) << c.text;
    }
}

// The types up to the first empty one, every band list, and the items a band list holds.
TEST(ProductBand, CatalogStopsAtFirstEmptyTypeAndSplitsBandLists) {
    const std::map<std::pair<std::string, std::string>, std::string> ini = {
        {{"Setup", "Type1"}, "VR-10"},    {{"Setup", "Type2"}, "VR-20"},
        {{"Setup", "Type4"}, "VR-40"},    {{"Setup", "Field19"}, "130-160MHz"},
        {{"Chinese", "AppName"}, "维尔"},
    };
    const ConfigGetter get = [&](std::string_view section, std::string_view key) {
        auto it = ini.find({std::string(section), std::string(key)});
        return it == ini.end() ? std::string() : it->second;
    };
    const ProductCatalog catalog = LoadProductCatalog(get, "Chinese");
    EXPECT_EQ(catalog.typeNames, (std::vector<std::string>{"VR-10", "VR-20"}));
    ASSERT_EQ(catalog.bandLists.size(), 19u);
    EXPECT_EQ(catalog.bandLists[18], "130-160MHz");
    EXPECT_EQ(catalog.titleBase, "维尔");
    const ProductCatalog full = LoadProductCatalog(
        [](std::string_view, std::string_view key) { return std::string(key); }, "English");
    EXPECT_EQ(full.typeNames.size(), 19u);
    EXPECT_EQ(SplitBandList("a||b|"), (std::vector<std::string>{"a", "", "b", ""}));
    const std::string_view two = "136-174MHz|400-470MHz";
    EXPECT_EQ(BandItem(two, 1), "400-470MHz");
    EXPECT_EQ(BandItem(two, -1), "400-470MHz");
}

// VR-10 offers two bands, VR-20 three, the last of which no radio can use.
ProductCatalog TwoTypes() {
    ProductCatalog catalog{{"VR-10", "VR-20"}, std::vector<std::string>(19), "Velmora"};
    catalog.bandLists[0] = "136-174MHz|400-470MHz";
    catalog.bandLists[1] = "130-160MHz|400-480MHz|-5-10MHz";
    return catalog;
}

MemoryUserStore StoreOf(const Store& values) {
    MemoryUserStore store;
    for (const auto& [name, value] : values) {
        store.WriteInt(name, value);
    }
    return store;
}

// A new image with these type and band indices and band bytes.
MemoryImage ImageWith(std::array<std::uint8_t, 5> bytes) {
    MemoryImage image = NewImage();
    image[offset::TypeIndex] = bytes[0];
    image[offset::BandIndex] = bytes[1];
    std::copy(bytes.begin() + 2, bytes.end(), image.begin() + offset::BandBytes);
    return image;
}

// A new document takes the user's last choice; any other document gives the user its own.
TEST(ProductBand, RefreshBringsImageAndStoreTogether) {
    const struct {
        bool newDocument;
        Language lang;
        Store before;
        std::uint8_t type, band;           // in the image before
        std::array<std::uint8_t, 5> after; // 0x1FD6, 0x1FD7, 0x1FF0-0x1FF2
        const char* title;
        Store stored;
    } cases[] = {
        // clang-format off
        // Only a stored value's low byte reaches the image; band 3 is past the end: the last band.
        {true, en, {{"Type", 1}, {"Field", 0x103}}, 0, 0, {1, 3, 0x00, 0x00, 0xB9},
         "Velmora  [ Type:VR-20  Fre:-5-10MHz ] (unusable band)", {{"Type", 1}, {"Field", 0x103}}},
        {true, en, {}, 1, 1, {0, 0, 0x13, 0x17, 0x63},
         "Velmora  [ Type:VR-10  Fre:136-174MHz ]", {}},
        {false, zh, {{"Type", 0}}, 1, 0, {1, 0, 0x13, 0x15, 0x09},
         "Velmora  [ 类型:VR-20  频率:130-160MHz ]", {{"Field", 0}, {"Type", 1}}},
        {false, en, {}, 0xFF, 2, {0xFF, 2, 0x00, 0x00, 0xFF},
         "Velmora  [ Type:  Fre: ]", {{"Field", 2}, {"Type", 255}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        MemoryUserStore store = StoreOf(c.before);
        MemoryImage image = ImageWith({c.type, c.band, 0xFF, 0xFF, 0xFF});
        EXPECT_EQ(RefreshProductInfo(image, c.newDocument, store, TwoTypes(), c.lang).title,
                  c.title);
        EXPECT_EQ(image, ImageWith(c.after)) << c.title;
        EXPECT_EQ(store.Values(), c.stored) << c.title;
    }
}

// The dialog opens on the stored choice, else the first type and band; OK stores the indices and
// band bytes in the image and the pick in the store, which it opens on again where it can.
TEST(ProductBand, DialogOpensOnTheStoredChoiceAndOkStoresIt) {
    const struct {
        const ProductCatalog& catalog;
        Store stored;
        int type, band;
    } opens[] = {
        {TwoTypes(), {}, 0, 0},
        {TwoTypes(), {{"Type", 2}, {"Field", 1}}, 0, 1}, // no third type: VR-10, still band 1
        {{}, {{"Type", 0}, {"Field", 1}}, -1, 0},        // no types: one empty band
    };
    for (const auto& c : opens) {
        MemoryUserStore store = StoreOf(c.stored);
        const ProductPick pick = StoredProductPick(c.catalog, store);
        EXPECT_EQ(std::pair(pick.type, pick.band), std::pair(c.type, c.band)) << c.stored.size();
    }
    EXPECT_EQ(BandsOfType(TwoTypes(), 19), std::vector<std::string>{""});
    const struct {
        ProductPick pick;
        std::pair<int, int> reopened;
        Language lang;
        std::array<std::uint8_t, 5> bytes; // 0x1FD6, 0x1FD7, 0x1FF0-0x1FF2
        const char* title;
        BandLimits limits{}; // {0, 0, true} when not given
    } oks[] = {
        // clang-format off
        {{1, 1}, {1, 1}, zh, {0x01, 0x01, 0x40, 0x47, 0x09},
         "Velmora  [ 类型:VR-20  频率:400-480MHz ]", {40000000, 48000000, true}},
        {{1, 2}, {1, 2}, zh, {0x01, 0x02, 0x00, 0x00, 0xB9},
         "Velmora  [ 类型:VR-20  频率:-5-10MHz ] (频段不可用)", {0, 0, false}},
        {{0, 2}, {0, 0}, en, {0x00, 0x02, 0x00, 0x00, 0xFF}, "Velmora  [ Type:VR-10  Fre: ]"},
        {{-1, -1}, {0, 0}, en, {0xFF, 0xFF, 0x00, 0x00, 0xFF}, "Velmora  [ Type:  Fre: ]"},
        // clang-format on
    };
    for (const auto& c : oks) {
        MemoryImage image = NewImage();
        MemoryUserStore store;
        const ProductState state = StoreProductPick(image, store, TwoTypes(), c.pick, c.lang);
        EXPECT_EQ(image, ImageWith(c.bytes)) << c.title;
        EXPECT_EQ(state.title, c.title);
        EXPECT_EQ(Tie(state.limits), Tie(c.limits)) << c.title;
        EXPECT_EQ(store.Values(), (Store{{"Field", c.pick.band}, {"Type", c.pick.type}}));
        const ProductPick reopened = StoredProductPick(TwoTypes(), store);
        EXPECT_EQ(std::pair(reopened.type, reopened.band), c.reopened);
    }
}

} // namespace
} // namespace velmora
