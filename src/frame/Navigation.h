// What the navigation tree does with a click, and how far its bar may be dragged.
//
// The tree names the three editors of the radio's memory: the product type and band, the
// channel grid and the option settings. An item is recognised by its text in the running
// language only; the root (the company name) and empty space do nothing.
#pragma once

#include "base/Texts.h"

#include <string_view>

namespace velmora {

enum class NavigationTarget { None, ProductInformation, ChannelInformation, OptionalFeatures };

// The editor an item text opens: an exact, case-sensitive match with one of the three child
// texts of `lang`.
NavigationTarget NavigationFor(std::string_view itemText, Language lang);

// The bar starts this wide at every start of the program.
inline constexpr int kTreeBarStartWidth = 220;
// Narrowest width a drag may leave; narrower would lose the right edge to grab again.
inline constexpr int kTreeBarMinWidth = 11;
// The tracking line shown while dragging never goes left of this.
inline constexpr int kTreeBarMinTrackingX = 80;

// Where the tracking line is drawn for a cursor at cursorX (bar coordinates): not left of 80,
// else not right of half the frame's width.
int TreeBarTrackingX(int cursorX, int frameWidth);

// The width applied when the drag ends at cursorX: not below 11, else not above half the
// frame's width.
int TreeBarAppliedWidth(int cursorX, int frameWidth);

} // namespace velmora
