// The Product Information dialog's wiring: its lists show the catalog and open where the core
// says, a new type offers its own bands.
#include "settings/ProductInfoDlg.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora {
namespace {

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

// Opens on the user's stored choice; OK stores the new one as the core does, Cancel nothing.
TEST(ProductInfoDlg, OpensOnTheStoredChoiceAndANewTypeOffersItsBands) {
    ProductCatalog catalog{{"VR-10", "VR-20"}, std::vector<std::string>(19), "Velmora"};
    catalog.bandLists[0] = "136-174MHz|400-470MHz";
    catalog.bandLists[1] = "130-160MHz|200-260MHz|400-480MHz";
    MemoryUserStore stored;
    stored.WriteInt("Type", 0);
    stored.WriteInt("Field", 1);
    MemoryImage expected = NewImage();
    MemoryUserStore expectedStore = stored;
    const ProductState state =
        StoreProductPick(expected, expectedStore, catalog, {1, 2}, Language::Chinese);
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        MemoryImage image = NewImage();
        MemoryUserStore store = stored;
        CProductInfoDlg dialog(image, catalog, store, Language::Chinese);
        EXPECT_EQ(Items(dialog.BandList()), QStringList({"136-174MHz", "400-470MHz"}));
        EXPECT_EQ(dialog.BandList()->currentIndex(), 1);
        dialog.TypeList()->setCurrentIndex(1);
        EXPECT_EQ(Items(dialog.BandList()),
                  QStringList({"130-160MHz", "200-260MHz", "400-480MHz"}));
        EXPECT_EQ(dialog.BandList()->currentIndex(), 0);
        dialog.BandList()->setCurrentIndex(2);
        QTest::mouseClick(ok ? dialog.OkButton() : dialog.CancelButton(), Qt::LeftButton);
        EXPECT_EQ(image, ok ? expected : NewImage());
        EXPECT_EQ(store.Values(), (ok ? expectedStore : stored).Values());
        EXPECT_EQ(dialog.Result().value_or(ProductState{}).title, ok ? state.title : "");
    }
}

} // namespace
} // namespace velmora
