#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "SoakGrowth.h"
#include "SoakPlan.h"
#include "link/SimulatedLink.h"

namespace velmora::soak {
namespace {

// The plan run by the engine against the simulated radio on its virtual clock.
Ending RunSimulated(const RunPlan& plan) {
    RadioSimulator radio{plan.radio};
    radio.SetBehaviour(plan.behaviour);
    SimulatedLink link{radio};
    PlannedUser user(plan.retries);
    MemoryImage document = plan.document;
    const TransferResult result = RunTransfer(link, "COM1", plan.direction, document, user);
    EXPECT_EQ(user.prompts, result.prompts);
    EXPECT_FALSE(link.IsOpen());
    return Observed(result, user, document, radio.Memory());
}

TEST(SoakPlan, EveryDrawnRunEndsAsTheEngineEndsItOnTheSimulatedLink) {
    std::set<std::pair<std::string, TransferDirection>> seen;
    std::set<TransferOutcome> outcomes;
    int retried = 0;
    for (const std::uint64_t seed : {1ull, 2ull, 42ull}) {
        for (int run = 1; run <= 60; ++run) {
            const RunPlan plan = DrawRun(seed, run);
            SCOPED_TRACE(plan.fault + " " + std::to_string(seed) + "/" + std::to_string(run));
            const Ending expected = ExpectedEnding(plan);
            EXPECT_EQ(Compare(expected, RunSimulated(plan)), std::vector<std::string>{});
            seen.insert({plan.fault.substr(0, plan.fault.find(':')), plan.direction});
            outcomes.insert(expected.outcome);
            retried += expected.prompts > 1 ? 1 : 0;
        }
    }
    // The draws reach every fault in both directions and every ending a radio can cause.
    EXPECT_EQ(seen.size(), 2 * FaultModes().size());
    EXPECT_EQ(outcomes, (std::set<TransferOutcome>{
                            TransferOutcome::Completed, TransferOutcome::Interrupted,
                            TransferOutcome::CancelledAtPrompt, TransferOutcome::ConnectionLost}));
    EXPECT_GT(retried, 0);
    // A failed write where the draws may not reach: at the first block, across the gap between
    // the areas, and at the band block.
    for (const RadioBehaviour behaviour : {RadioBehaviour{RadioFault::NakAtWriteBlock, 0},
                                           RadioBehaviour{RadioFault::HangUpAtBlock, 201},
                                           RadioBehaviour{RadioFault::NakAtWriteBlock, 922}}) {
        RunPlan plan = DrawRun(7, 2);
        plan.behaviour = behaviour;
        const Ending expected = ExpectedEnding(plan);
        EXPECT_EQ(expected.blocks, behaviour.block);
        EXPECT_EQ(Compare(expected, RunSimulated(plan)), std::vector<std::string>{})
            << behaviour.block;
    }
}

// Each field that departs is a line, so that no soak mismatch passes unnoticed; agreeing: none.
TEST(SoakPlan, CompareNamesEveryDepartureInWords) {
    Ending expected;
    expected.document[0x40] = 0x34;
    Ending got = expected;
    got.outcome = TransferOutcome::ConnectionLost;
    got.attempts = 2;
    got.prompts = 1;
    got.blocks = 6;
    got.progress = 7;
    got.messages = {"Program Interrupt, Please reset the radio and try again"};
    got.document[0x40] = 0x12;
    got.document[0x1FFF] = 0x01;
    got.radio[0x0002] = 0xFF;
    const std::vector<std::string> lines = Compare(expected, got);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[6], "document: 2 bytes differ, the first at 0x0040 (0x12, not 0x34)");
    EXPECT_EQ(Compare(expected, expected), std::vector<std::string>{});
}

// 200 runs (or `runs`) of 10000 KiB and 6 descriptors, with run `at` (0-based) showing `odd`.
std::vector<UsageSample> Runs(std::size_t at, UsageSample odd, std::size_t runs = 200) {
    std::vector<UsageSample> samples(runs, UsageSample{10000, 6});
    samples[at] = odd;
    return samples;
}

// Growth in the last 20 runs (of fewer than 40: the last half) is found; so is a figure unread.
TEST(SoakGrowth, ComparesTheLargestFiguresOfTheFirstAndLastTwentyRuns) {
    EXPECT_TRUE(JudgeGrowth(Runs(199, {10000 + RssToleranceKiB + 1, 6})).rssGrew);
    EXPECT_TRUE(JudgeGrowth(Runs(180, {10000, 7})).fdsGrew);
    const Growth few = JudgeGrowth({{100, 5}, {100, 5}, {100, 5}, {100, 5}, {999, 6}});
    EXPECT_EQ(std::pair(few.rssGrew, few.fdsGrew), std::pair(true, true));
    const Growth unread = JudgeGrowth(Runs(25, {10000, -1}, 50));
    EXPECT_EQ(std::pair(unread.rssGrew, unread.fdsGrew), std::pair(true, true));
    EXPECT_EQ(JudgeGrowth({}).window, 0u); // a soak of no runs
}

TEST(SoakGrowth, CountsEachOpenDescriptorAndTouchedMemory) {
    const int before = OpenDescriptors();
    const int fd = ::open("/dev/null", O_RDONLY);
    EXPECT_EQ(OpenDescriptors(), before + 1);
    ::close(fd);
    const long rss = ResidentKiB();
    constexpr std::size_t kBytes = 16 << 20;
    const std::unique_ptr<char[]> block(new char[kBytes]);
    std::memset(block.get(), 0x5A, kBytes); // resident only once written
    EXPECT_GE(ResidentKiB() - rss, static_cast<long>(kBytes / 1024) - 1024);
    EXPECT_EQ(block[kBytes - 1], 0x5A);
}

} // namespace
} // namespace velmora::soak
