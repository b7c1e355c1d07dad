// Which navigation item opens which editor, and how far the navigation bar may be dragged: the
// decisions the tree bar (TreeBarTest) leaves to the core.
#include "frame/Navigation.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using T = NavigationTarget;

TEST(Navigation, OnlyTheChildTextsOfTheRunningLanguageAct) {
    const struct {
        const char* text;
        Language lang;
        T target;
    } cases[] = {
        // clang-format off
        {"Product Information", Language::English, T::ProductInformation},
        {"Channel Information", Language::English, T::ChannelInformation},
        {"Optional Features", Language::English, T::OptionalFeatures},
        {"类型设置", Language::Chinese, T::ProductInformation},
        {"信道信息", Language::Chinese, T::ChannelInformation},
        {"可选功能", Language::Chinese, T::OptionalFeatures},
        {"可选功能", Language::English, T::None}, {"Optional Features", Language::Chinese, T::None},
        {"optional features", Language::English, T::None},
        {"Optional Features ", Language::English, T::None},
        {"Velmora Radio Co.", Language::English, T::None}, {"", Language::English, T::None},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NavigationFor(c.text, c.lang), c.target) << c.text;
    }
}

TEST(Navigation, DragLimits) {
    const struct {
        int x, frameWidth, tracking, applied;
    } cases[] = {
        {-40, 800, 80, 11},   {5, 800, 80, 11},     {11, 800, 80, 11},    {79, 800, 80, 79},
        {80, 800, 80, 80},    {300, 800, 300, 300}, {400, 800, 400, 400}, {401, 800, 400, 400},
        {900, 801, 400, 400}, {70, 100, 80, 50}, // a narrow frame: the line still stops at 80
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TreeBarTrackingX(c.x, c.frameWidth), c.tracking) << c.x << " " << c.frameWidth;
        EXPECT_EQ(TreeBarAppliedWidth(c.x, c.frameWidth), c.applied) << c.x << " " << c.frameWidth;
    }
}

} // namespace
} // namespace velmora
