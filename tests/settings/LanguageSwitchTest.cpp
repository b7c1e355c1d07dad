#include "settings/LanguageSwitch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

// The steps of a restart, each answering from a script, recording the order they ran in.
struct ScriptedSteps : LanguageRestartSteps {
    bool StoreChoice(std::string_view value) override {
        return Step("store " + std::string(value));
    }
    bool SaveSettings() override { return Step("save"); }
    bool CloseMainWindow() override { return Step("close"); }
    bool StartProgramAgain() override { return Step("start"); }
    bool Step(const std::string& name) {
        calls.push_back(name);
        return failing.empty() || !name.starts_with(failing);
    }
    std::string failing; // the step (by its first word) that fails
    std::vector<std::string> calls;
};

TEST(LanguageSwitch, StepsRunInOrderAndStopAtTheFirstFailure) {
    using R = LanguageSwitchResult;
    constexpr Language en = Language::English, zh = Language::Chinese;
    const std::vector<std::string> all = {"store Chinese", "save", "close", "start"};
    const struct {
        Language running, chosen;
        std::string failing;
        R result;
        std::size_t calls; // how many of the steps ran
    } cases[] = {
        {en, en, "", R::Unchanged, 0},        {zh, zh, "", R::Unchanged, 0},
        {en, zh, "", R::Restarted, 4},        {en, zh, "store", R::NotStored, 1},
        {en, zh, "save", R::NotSaved, 2},     {en, zh, "close", R::CloseRefused, 3},
        {en, zh, "start", R::StartFailed, 4},
    };
    for (const auto& c : cases) {
        ScriptedSteps steps;
        steps.failing = c.failing;
        EXPECT_EQ(SwitchLanguage(c.running, c.chosen, steps), c.result) << c.failing;
        EXPECT_EQ(steps.calls, std::vector(all.begin(), all.begin() + c.calls)) << c.failing;
    }
    ScriptedSteps steps;
    EXPECT_EQ(SwitchLanguage(zh, en, steps), R::Restarted);
    EXPECT_EQ(steps.calls.front(), "store English");
}

} // namespace
} // namespace velmora
