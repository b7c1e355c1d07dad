#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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

std::string ModeOf(const RunPlan& plan) {
    return plan.fault.substr(0, plan.fault.find(':'));
}

TEST(SoakPlan, EveryDrawnRunEndsAsTheEngineEndsItOnTheSimulatedLink) {
    std::set<std::pair<std::string, TransferDirection>> seen;
    std::set<TransferOutcome> outcomes;
    int retried = 0;
    for (const std::uint64_t seed : {1ull, 2ull, 42ull}) {
        for (int run = 1; run <= 60; ++run) {
            const RunPlan plan = DrawRun(seed, run);
            SCOPED_TRACE("seed " + std::to_string(seed) + " run " + std::to_string(run) + " " +
                         plan.fault);
            const Ending expected = ExpectedEnding(plan);
            EXPECT_EQ(Compare(expected, RunSimulated(plan)), std::vector<std::string>{});
            seen.insert({ModeOf(plan), plan.direction});
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
}

// A failed write's ending where the draws may not reach: at the first block, across the gap
// between the areas, and at the band block. (Which blocks the radio then holds is pinned for
// the engine by link_core_test's fault table.)
TEST(SoakPlan, FailedWritesAtTheEdgesEndAsTheEngineEndsThem) {
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

TEST(SoakPlan, TheSameSeedGivesTheSameRunsReadsAndWritesInTurn) {
    const RunPlan a = DrawRun(9, 5);
    const RunPlan b = DrawRun(9, 5);
    EXPECT_EQ(std::tie(a.fault, a.retries, a.radio, a.document),
              std::tie(b.fault, b.retries, b.radio, b.document));
    EXPECT_NE(a.radio, DrawRun(10, 5).radio);
    EXPECT_NE(a.radio, a.document);
    EXPECT_EQ(DrawRun(9, 1).direction, TransferDirection::Read);
    EXPECT_EQ(DrawRun(9, 2).direction, TransferDirection::Write);
    for (int run = 1; run <= 200; ++run) {
        const RunPlan plan = DrawRun(3, run);
        const int limit = plan.direction == TransferDirection::Read ? protocol::ReadBlockCount
                                                                    : protocol::WriteBlockCount;
        EXPECT_LT(plan.behaviour.block, limit);
        const bool named = plan.fault.find(':') != std::string::npos;
        EXPECT_EQ(named, plan.fault != ModeOf(plan)) << plan.fault;
        if (named) {
            EXPECT_EQ(plan.fault, ModeOf(plan) + ":" + std::to_string(plan.behaviour.block));
        }
    }
}

TEST(SoakPlan, CompareNamesEveryDepartureInWords) {
    Ending expected;
    expected.document[0x40] = 0x34;
    expected.messages = {"Program Interrupt, Please reset the radio and try again"};
    expected.blocks = 5;
    Ending got = expected;
    got.outcome = TransferOutcome::ConnectionLost;
    got.attempts = 2;
    got.blocks = 6;
    got.messages = {};
    got.document[0x40] = 0x12;
    got.document[0x1FFF] = 0x01;
    got.radio[0x0002] = 0xFF;
    EXPECT_EQ(Compare(expected, got),
              (std::vector<std::string>{
                  "outcome ConnectionLost, expected Completed",
                  "wake-up attempts 2, expected 0",
                  "blocks acknowledged 6, expected 5",
                  "messages none, expected \"Program Interrupt, Please reset the radio and try "
                  "again\"",
                  "document: 2 bytes differ, the first at 0x0040 (0x12, not 0x34)",
                  "radio memory: 1 bytes differ, the first at 0x0002 (0xFF, not 0x00)",
              }));
    EXPECT_EQ(Compare(expected, expected), std::vector<std::string>{});
}

} // namespace
} // namespace velmora::soak
