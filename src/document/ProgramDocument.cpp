#include "document/ProgramDocument.h"

namespace velmora {

FilledDocument FillDocument(const MemoryImage& image, bool newDocument, UserStore& store,
                            const ProductCatalog& catalog, Language lang) {
    FilledDocument document{image, DecodeAllChannels(image, lang), {}};
    document.product = RefreshProductInfo(document.image, newDocument, store, catalog, lang);
    return document;
}

MemoryImage StoredImage(const FilledDocument& document) {
    MemoryImage image = document.image;
    EncodeAllChannels(image, document.grid);
    return image;
}

} // namespace velmora
