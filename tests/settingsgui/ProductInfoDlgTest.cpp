// The Product Information dialog's wiring: its lists show the catalog and open where the core
// says, a new type offers its own bands, OK stores what the core stores, Cancel nothing.
#include "settings/ProductInfoDlg.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora {
namespace {

ProductCatalog TwoTypes() {
    ProductCatalog catalog{{"VR-10", "VR-20"}, std::vector<std::string>(19), "Velmora"};
    catalog.bandLists[0] = "136-174MHz|400-470MHz";
    catalog.bandLists[1] = "130-160MHz|200-260MHz|400-480MHz";
    return catalog;
}

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

TEST(ProductInfoDlg, OpensOnTheStoredChoiceAndANewTypeOffersItsBands) {
    const ProductCatalog catalog = TwoTypes();
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        MemoryImage image = NewImage();
        MemoryUserStore store;
        store.WriteInt("Type", 0);
        store.WriteInt("Field", 1);
        const auto storedBefore = store.Values();
        CProductInfoDlg dialog(image, catalog, store, Language::Chinese);
        EXPECT_EQ(Items(dialog.TypeList()), QStringList({"VR-10", "VR-20"}));
        EXPECT_EQ(Items(dialog.BandList()), QStringList({"136-174MHz", "400-470MHz"}));
        EXPECT_EQ(dialog.BandList()->currentIndex(), 1);

        dialog.TypeList()->setCurrentIndex(1);
        EXPECT_EQ(Items(dialog.BandList()),
                  QStringList({"130-160MHz", "200-260MHz", "400-480MHz"}));
        EXPECT_EQ(dialog.BandList()->currentIndex(), 0);
        dialog.BandList()->setCurrentIndex(2);
        QTest::mouseClick(ok ? dialog.OkButton() : dialog.CancelButton(), Qt::LeftButton);
        if (!ok) {
            EXPECT_EQ(image, NewImage());
            EXPECT_EQ(store.Values(), storedBefore);
            EXPECT_FALSE(dialog.Result().has_value());
            continue;
        }
        MemoryImage expected = NewImage();
        MemoryUserStore expectedStore;
        const ProductState state =
            StoreProductPick(expected, expectedStore, catalog, {1, 2}, Language::Chinese);
        EXPECT_EQ(image, expected);
        EXPECT_EQ(store.Values(), expectedStore.Values());
        ASSERT_TRUE(dialog.Result().has_value());
        EXPECT_EQ(dialog.Result()->title, state.title);
        EXPECT_EQ(dialog.Result()->limits.high, 48000000);
    }
}

TEST(ProductInfoDlg, NoTypesOffersOneEmptyBand) {
    MemoryImage image = NewImage();
    const ProductCatalog catalog{{}, std::vector<std::string>(19), ""};
    MemoryUserStore store;
    CProductInfoDlg dialog(image, catalog, store, Language::English);
    EXPECT_EQ(dialog.TypeList()->count(), 0);
    EXPECT_EQ(Items(dialog.BandList()), QStringList({""}));
    dialog.accept();
    EXPECT_EQ(image[offset::TypeIndex], 0xFF);
    EXPECT_EQ(image[offset::BandIndex], 0x00);
}

} // namespace
} // namespace velmora
