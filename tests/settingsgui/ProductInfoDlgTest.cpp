// The Product Information dialog: the lists it offers, where it opens, what OK and Cancel do.
#include "settings/ProductInfoDlg.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora {
namespace {

ProductCatalog TwoTypes() {
    ProductCatalog catalog;
    catalog.typeNames = {"VR-10", "VR-20"};
    catalog.bandLists.assign(19, "");
    catalog.bandLists[0] = "136-174MHz|400-470MHz";
    catalog.bandLists[1] = "130-160MHz|200-260MHz|400-480MHz";
    catalog.titleBase = "Velmora";
    return catalog;
}

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

TEST(ProductInfoDlg, ChangingTheTypeSelectsItsFirstBand) {
    MemoryImage image = NewImage();
    const ProductCatalog catalog = TwoTypes();
    MemoryUserStore store;
    store.WriteInt("Type", 0);
    store.WriteInt("Field", 1);
    CProductInfoDlg dialog(image, catalog, store, Language::English);
    EXPECT_EQ(Items(dialog.TypeList()), QStringList({"VR-10", "VR-20"}));
    EXPECT_EQ(dialog.BandList()->currentText(), "400-470MHz");

    dialog.TypeList()->setCurrentIndex(1);
    EXPECT_EQ(Items(dialog.BandList()), QStringList({"130-160MHz", "200-260MHz", "400-480MHz"}));
    EXPECT_EQ(dialog.BandList()->currentIndex(), 0);
}

TEST(ProductInfoDlg, OkStoresIndicesBandBytesStoreAndReturnsTitleAndLimits) {
    MemoryImage image = NewImage();
    const ProductCatalog catalog = TwoTypes();
    MemoryUserStore store;
    CProductInfoDlg dialog(image, catalog, store, Language::English);
    dialog.TypeList()->setCurrentIndex(1);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);

    MemoryImage expected = NewImage();
    expected[0x1FD6] = 0x01;
    expected[0x1FD7] = 0x00;
    expected[0x1FF0] = 0x13;
    expected[0x1FF1] = 0x15;
    expected[0x1FF2] = 0x09;
    EXPECT_EQ(image, expected);
    ASSERT_TRUE(dialog.Result().has_value());
    EXPECT_EQ(dialog.Result()->limits.low, 13000000);
    EXPECT_EQ(dialog.Result()->limits.high, 16000000);
    EXPECT_EQ(dialog.Result()->title, "Velmora  [ Type:VR-20  Fre:130-160MHz ]");
    EXPECT_EQ(store.Values(), (std::map<std::string, std::int32_t>{{"Field", 0}, {"Type", 1}}));
}

TEST(ProductInfoDlg, CancelLeavesImageStoreAndWindowAlone) {
    MemoryImage image = NewImage();
    const ProductCatalog catalog = TwoTypes();
    MemoryUserStore store;
    store.WriteInt("Type", 0);
    store.WriteInt("Field", 0);
    CProductInfoDlg dialog(image, catalog, store, Language::English);
    dialog.TypeList()->setCurrentIndex(1);
    dialog.BandList()->setCurrentIndex(2);
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(image, NewImage());
    EXPECT_EQ(store.Values(), (std::map<std::string, std::int32_t>{{"Field", 0}, {"Type", 0}}));
    EXPECT_FALSE(dialog.Result().has_value());
}

TEST(ProductInfoDlg, OpensOnTheStoresChoiceNotTheDocuments) {
    MemoryImage image = NewImage(); // type 0, band 0
    const ProductCatalog catalog = TwoTypes();
    MemoryUserStore store;
    store.WriteInt("Type", 1);
    store.WriteInt("Field", 2);
    CProductInfoDlg dialog(image, catalog, store, Language::Chinese);
    EXPECT_EQ(dialog.TypeList()->currentText(), "VR-20");
    EXPECT_EQ(dialog.BandList()->currentText(), "400-480MHz");
    dialog.accept();
    EXPECT_EQ(dialog.Result()->title,
              QString::fromUtf8("Velmora  [ 类型:VR-20  频率:400-480MHz ]").toStdString());
    EXPECT_EQ(image[0x1FD7], 0x02);
}

TEST(ProductInfoDlg, StaleStoredChoiceFallsBackToTheFirstTypeAndBand) {
    MemoryImage image = NewImage();
    const ProductCatalog catalog = TwoTypes();
    MemoryUserStore store;
    store.WriteInt("Type", 7);
    store.WriteInt("Field", 9);
    CProductInfoDlg dialog(image, catalog, store, Language::English);
    EXPECT_EQ(dialog.TypeList()->currentText(), "VR-10");
    EXPECT_EQ(dialog.BandList()->currentText(), "136-174MHz");
}

TEST(ProductInfoDlg, NoTypesStoresNoIndexAndAnEmptyBand) {
    MemoryImage image = NewImage();
    ProductCatalog catalog;
    catalog.bandLists.assign(19, "");
    MemoryUserStore store;
    CProductInfoDlg dialog(image, catalog, store, Language::English);
    EXPECT_EQ(dialog.TypeList()->count(), 0);
    EXPECT_EQ(Items(dialog.BandList()), QStringList({""}));
    dialog.accept();
    EXPECT_EQ(image[0x1FD6], 0xFF);
    EXPECT_EQ(image[0x1FD7], 0x00);
    EXPECT_EQ(image[0x1FF0], 0x00);
    EXPECT_EQ(image[0x1FF1], 0x00);
    EXPECT_EQ(image[0x1FF2], 0xFF);
    EXPECT_EQ(dialog.Result()->limits.high, 0);
}

} // namespace
} // namespace velmora
