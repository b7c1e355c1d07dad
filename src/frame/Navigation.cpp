#include "frame/Navigation.h"

namespace velmora {

NavigationTarget NavigationFor(std::string_view itemText, Language lang) {
    if (itemText == txt::ChannelInformation.In(lang)) {
        return NavigationTarget::ChannelInformation;
    }
    if (itemText == txt::OptionalFeatures.In(lang)) {
        return NavigationTarget::OptionalFeatures;
    }
    if (itemText == txt::ProductInformation.In(lang)) {
        return NavigationTarget::ProductInformation;
    }
    return NavigationTarget::None;
}

int TreeBarTrackingX(int cursorX, int frameWidth) {
    if (cursorX < kTreeBarMinTrackingX) {
        return kTreeBarMinTrackingX;
    }
    const int half = frameWidth / 2;
    return cursorX > half ? half : cursorX;
}

int TreeBarAppliedWidth(int cursorX, int frameWidth) {
    if (cursorX < kTreeBarMinWidth) {
        return kTreeBarMinWidth;
    }
    const int half = frameWidth / 2;
    return cursorX > half ? half : cursorX;
}

} // namespace velmora
