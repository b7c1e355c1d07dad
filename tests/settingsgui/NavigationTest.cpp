// The tree bar's decisions that the core makes: which item opens which editor, how far to drag.
#include "frame/Navigation.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velmora {
namespace {

using T = NavigationTarget;

TEST(Navigation, OnlyTheChildTextsOfTheRunningLanguageAct) {
    const std::tuple<const char*, T, T> cases[] = {
        {"Product Information", T::ProductInformation, T::None},
        {"类型设置", T::None, T::ProductInformation},
        {"Channel Information", T::ChannelInformation, T::None},
        {"信道信息", T::None, T::ChannelInformation},
        {"Optional Features", T::OptionalFeatures, T::None},
        {"可选功能", T::None, T::OptionalFeatures},
    };
    for (const auto& [text, english, chinese] : cases) {
        EXPECT_EQ(NavigationFor(text, Language::English), english) << text;
        EXPECT_EQ(NavigationFor(text, Language::Chinese), chinese) << text;
    }
}

TEST(Navigation, DragLimits) {
    const std::tuple<int, int, int, int> cases[] = {
        {5, 800, 80, 11},     {79, 800, 80, 79}, {300, 800, 300, 300},
        {900, 801, 400, 400}, {70, 100, 80, 50}, // in a narrow frame the line still stops at 80
    };
    for (const auto& [x, frameWidth, tracking, applied] : cases) {
        EXPECT_EQ(TreeBarTrackingX(x, frameWidth), tracking) << x << " " << frameWidth;
        EXPECT_EQ(TreeBarAppliedWidth(x, frameWidth), applied) << x << " " << frameWidth;
    }
}

} // namespace
} // namespace velmora
