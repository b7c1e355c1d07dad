#include "settings/ProductBand.h"

#include <gtest/gtest.h>

#include <map>

namespace velmora {
namespace {

struct BandCase {
    std::string_view text;
    BandBytes bytes;
    BandLimits limits;
};

TEST(ProductBand, BandBytesAndLimits) {
    const BandCase cases[] = {
        {"136-174MHz", {0x13, 0x17, 0x63}, {13600000, 17400000, true}},
        {"400-470MHz", {0x40, 0x46, 0x09}, {40000000, 47000000, true}},
        {"130-160MHz", {0x13, 0x15, 0x09}, {13000000, 16000000, true}},
        // A missing band: nothing parses, H = -1.
        {"", {0x00, 0x00, 0xFF}, {0, 0, true}},
        // "%d-" needs the dash right after the number; the limits find it anyway.
        {"136 - 174MHz", {0x13, 0x00, 0x5F}, {13600000, 17400000, true}},
        {"21474-21474MHz", {0x67, 0x67, 0x43}, {2147400000, 2147400000, true}},
        // Too large for a frequency, too large for an int, negative: refused, bytes still defined.
        {"21474-21475MHz", {0x67, 0x67, 0x44}, {0, 0, false}},
        {"99999-99999MHz", {0x79, 0x79, 0x98}, {0, 0, false}},
        {"3000000000-3000000001MHz", {0x44, 0x44, 0x76}, {0, 0, false}},
        {"-5-10MHz", {0x00, 0x00, 0xB9}, {0, 0, false}},
        {"136--174MHz", {0x13, 0xE9, 0x5B}, {0, 0, false}},
    };
    for (const BandCase& c : cases) {
        const BandBytes bytes = BandBytesFor(c.text);
        EXPECT_EQ(bytes, c.bytes) << c.text << ": " << int(bytes.b0) << " " << int(bytes.b1) << " "
                                  << int(bytes.b2);
        const BandLimits limits = BandLimitsFor(c.text);
        EXPECT_EQ(limits.low, c.limits.low) << c.text;
        EXPECT_EQ(limits.high, c.limits.high) << c.text;
        EXPECT_EQ(limits.usable, c.limits.usable) << c.text;
    }
}

TEST(ProductBand, BandListItems) {
    EXPECT_EQ(SplitBandList(""), std::vector<std::string>{""});
    EXPECT_EQ(SplitBandList("a||b|"), (std::vector<std::string>{"a", "", "b", ""}));
    const std::string_view two = "136-174MHz|400-470MHz";
    EXPECT_EQ(BandItem(two, 0), "136-174MHz");
    EXPECT_EQ(BandItem(two, 1), "400-470MHz");
    EXPECT_EQ(BandItem(two, 5), "400-470MHz");
    EXPECT_EQ(BandItem("", 3), "");
}

TEST(ProductBand, TitleInBothLanguages) {
    EXPECT_EQ(MainWindowTitle("Velmora", "VR-10", "136-174MHz", Language::English),
              "Velmora  [ Type:VR-10  Fre:136-174MHz ]");
    EXPECT_EQ(MainWindowTitle("Velmora", "VR-10", "136-174MHz", Language::Chinese),
              "Velmora  [ 类型:VR-10  频率:136-174MHz ]");
}

TEST(ProductBand, CatalogStopsAtFirstEmptyType) {
    const std::map<std::pair<std::string, std::string>, std::string> ini = {
        {{"Setup", "Type1"}, "VR-10"},        {{"Setup", "Type2"}, "VR-20"},
        {{"Setup", "Type4"}, "VR-40"},        {{"Setup", "Field2"}, "400-470MHz"},
        {{"Setup", "Field19"}, "130-160MHz"}, {{"Chinese", "AppName"}, "维尔"},
    };
    const ConfigGetter get = [&](std::string_view section, std::string_view key) {
        auto it = ini.find({std::string(section), std::string(key)});
        return it == ini.end() ? std::string() : it->second;
    };
    const ProductCatalog catalog = LoadProductCatalog(get, "Chinese");
    EXPECT_EQ(catalog.typeNames, (std::vector<std::string>{"VR-10", "VR-20"}));
    ASSERT_EQ(catalog.bandLists.size(), 19u);
    EXPECT_EQ(catalog.bandLists[1], "400-470MHz");
    EXPECT_EQ(catalog.bandLists[18], "130-160MHz");
    EXPECT_EQ(catalog.titleBase, "维尔");
}

ProductCatalog TwoTypes() {
    ProductCatalog catalog{{"VR-10", "VR-20"}, std::vector<std::string>(19), "Velmora"};
    catalog.bandLists[0] = "136-174MHz";
    catalog.bandLists[1] = "136-174MHz|400-470MHz";
    return catalog;
}

TEST(ProductBand, NewDocumentTakesTheStoredChoice) {
    MemoryUserStore store;
    store.WriteInt("Type", 1);
    store.WriteInt("Field", 0x105); // only the low byte reaches the image: band 5, the last
    MemoryImage image = NewImage();
    const ProductState state =
        RefreshProductInfo(image, true, store, TwoTypes(), Language::English);
    EXPECT_EQ(image[0x1FD6], 0x01);
    EXPECT_EQ(image[0x1FD7], 0x05);
    EXPECT_EQ(image[0x1FF0], 0x40);
    EXPECT_EQ(image[0x1FF1], 0x46);
    EXPECT_EQ(image[0x1FF2], 0x09);
    EXPECT_EQ(state.title, "Velmora  [ Type:VR-20  Fre:400-470MHz ]");
    EXPECT_EQ(state.limits.low, 40000000);
    EXPECT_EQ(state.limits.high, 47000000);
    EXPECT_EQ(store.Values().at("Field"), 0x105);
}

TEST(ProductBand, NewDocumentWithEmptyStoreTakesFirstTypeAndBand) {
    MemoryUserStore store;
    MemoryImage image = NewImage();
    image[0x1FD6] = 1;
    const ProductState state =
        RefreshProductInfo(image, true, store, TwoTypes(), Language::English);
    EXPECT_EQ(image[0x1FD6], 0x00);
    EXPECT_EQ(state.bandText, "136-174MHz");
    EXPECT_TRUE(store.Values().empty());
}

TEST(ProductBand, OpenedDocumentWritesItsChoiceToTheStore) {
    MemoryUserStore store;
    store.WriteInt("Type", 0);
    MemoryImage image = NewImage();
    image[0x1FD6] = 1;
    image[0x1FD7] = 0;
    const ProductState state =
        RefreshProductInfo(image, false, store, TwoTypes(), Language::Chinese);
    EXPECT_EQ(store.Values(), (std::map<std::string, std::int32_t>{{"Field", 0}, {"Type", 1}}));
    EXPECT_EQ(state.title, "Velmora  [ 类型:VR-20  频率:136-174MHz ]");
    EXPECT_EQ(image[0x1FF0], 0x13);
}

TEST(ProductBand, TypeIndexPastTheCatalogGivesEmptyTexts) {
    MemoryUserStore store;
    MemoryImage image = NewImage();
    image[0x1FD6] = 0xFF;
    const ProductState state =
        RefreshProductInfo(image, false, store, TwoTypes(), Language::English);
    EXPECT_EQ(state.title, "Velmora  [ Type:  Fre: ]");
    EXPECT_EQ(image[0x1FF0], 0x00);
    EXPECT_EQ(image[0x1FF1], 0x00);
    EXPECT_EQ(image[0x1FF2], 0xFF);
    EXPECT_EQ(store.Values().at("Type"), 255);
}

} // namespace
} // namespace velmora
