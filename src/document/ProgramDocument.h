// A document as the channel window sees it: the image, the grid texts decoded from it, and
// the product choice that filling the grid derives (band bytes, limits, title).
//
// Opening a file, a new document and a completed read all end in the same fill; saving and
// writing to the radio both start by storing the grid back. The command-line tool runs the
// same two steps so that it produces exactly what the window program would.
#pragma once

#include "channels/ChannelTable.h"
#include "settings/ProductBand.h"
#include "settings/UserStore.h"

namespace velmora {

struct FilledDocument {
    MemoryImage image;
    ChannelGridTexts grid;
    ProductState product;
};

// The channel view's fill: decode every channel, then synchronise type and band with the
// per-user store and write the band bytes.
FilledDocument FillDocument(const MemoryImage& image, bool newDocument, UserStore& store,
                            const ProductCatalog& catalog, Language lang);

// The image a save or a write sends: the grid stored back into it.
MemoryImage StoredImage(const FilledDocument& document);

} // namespace velmora
