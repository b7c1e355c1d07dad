// The radio's model type and frequency band, and the forms the choice is kept in:
//
//   0x1FD6        type index (0-based, into the installation's type list)
//   0x1FD7        band index (0-based, into that type's band list)
//   0x1FF0-0x1FF2 band bytes the radio limits its own frequencies with, from a band text
//                 "L-HMHz": L hundreds|tens, (H-1) hundreds|tens, L units|(H-1) units
//   user store    "Type" and "Field": the last choice, which every new document starts from
//   BandLimits    what the channel editor accepts
//   window title  "<product>  [ Type:<type>  Fre:<band> ]"
#pragma once

#include "base/Texts.h"
#include "image/MemoryImage.h"
#include "settings/BandLimits.h"
#include "settings/UserStore.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr int kMaxProductTypes = 19;
inline constexpr std::string_view kStoreType = "Type";
inline constexpr std::string_view kStoreField = "Field";

// The installation's model types and band lists, as Program.ini gives them.
struct ProductCatalog {
    std::vector<std::string> typeNames; // Setup/Type1.. up to the first empty, at most 19
    std::vector<std::string> bandLists; // Setup/Field1..Field19, raw "a|b|c"; always 19
    std::string titleBase;              // <language section>/AppName
};

// Reads one configuration value; missing values read as "".
using ConfigGetter = std::function<std::string(std::string_view section, std::string_view key)>;

ProductCatalog LoadProductCatalog(const ConfigGetter& get, std::string_view languageSection);

// The items of a band list, split at every '|'. An empty list is one empty band.
std::vector<std::string> SplitBandList(std::string_view list);

// Item `index` of a band list; an index past the end (or below 0) gives the last item.
std::string BandItem(std::string_view list, int index);

struct BandBytes {
    std::uint8_t b0 = 0;
    std::uint8_t b1 = 0;
    std::uint8_t b2 = 0;

    friend bool operator==(const BandBytes&, const BandBytes&) = default;
};

// The three band bytes for a band text such as "136-174MHz" (0x13 0x17 0x63). What does not
// read as "%d-%dMHz" counts as 0, so an empty band gives 0x00 0x00 0xFF.
BandBytes BandBytesFor(std::string_view bandText);

// Low limit: the leading number × 100000; high limit: the leading number after the first '-'
// (of the whole text when it has none) × 100000. "400-470MHz" gives 40000000 and 47000000.
BandLimits BandLimitsFor(std::string_view bandText);

// The title, with txt::TitleUnusableBand after it when the band is not usable.
std::string MainWindowTitle(std::string_view base, std::string_view type, std::string_view band,
                            Language lang);

// What a product choice leaves for the window: its texts, the title and the limits.
struct ProductState {
    std::string typeName;
    std::string bandText;
    std::string title;
    BandLimits limits;
};

// Stores the band bytes for the chosen band and derives title and limits. The two indices
// are the caller's to store.
ProductState ApplyProductChoice(MemoryImage& image, std::string_view typeName,
                                std::string_view bandText, std::string_view titleBase,
                                Language lang);

// The Product Information dialog's two lists as indices; -1 is a list without a selection.
struct ProductPick {
    int type = -1;
    int band = -1;
};

// The bands a type offers: its band list split at '|', or one empty band for a type the
// installation does not have.
std::vector<std::string> BandsOfType(const ProductCatalog& catalog, int type);

// Where the dialog opens: the user's last confirmed choice (missing values count as 0), not the
// document's. A stored type the installation's lists no longer have falls back to the first
// type (none when there is none), a stored band its type does not offer to the first band;
// empty lists would have OK store a band that refuses every frequency.
ProductPick StoredProductPick(const ProductCatalog& catalog, UserStore& store);

// What OK stores: the two indices (0xFF for none) and the band bytes in the image, the pick in
// the user store; the window gets the title and the band limits.
ProductState StoreProductPick(MemoryImage& image, UserStore& store, const ProductCatalog& catalog,
                              ProductPick pick, Language lang);

// Brings the indices and the user store together, then applies the choice the image holds.
// A new document takes type and band from the store (missing values count as 0); any other
// document (opened file, read radio) writes its own into the store.
ProductState RefreshProductInfo(MemoryImage& image, bool newDocument, UserStore& store,
                                const ProductCatalog& catalog, Language lang);

} // namespace velmora
