// The soak run's plan and its verdicts: what each transfer is (direction, the radio's fault,
// the answers to the Communication Error prompt, the radio's and the document's bytes), drawn
// from the seed, and how that transfer must end, byte for byte. The endings are the ones the
// link tests pin against the simulated link; the soak checks that the real serial layer over a
// pseudo-terminal ends the same way, run after run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/MemoryImage.h"
#include "link/RadioProtocol.h"
#include "link/RadioSimulator.h"
#include "link/TransferHooks.h"

namespace velmora::soak {

struct FaultMode {
    const char* name; // as velmora-radio-sim --fault takes it
    RadioFault fault;
    bool takesBlock; // "nak:K" and the like
};

// "none" first, then every fault the simulator knows.
const std::vector<FaultMode>& FaultModes();

struct RunPlan {
    int run = 0; // counted from 1
    TransferDirection direction = TransferDirection::Read;
    std::string fault; // "none", "silent", "nak:417", ...
    RadioBehaviour behaviour;
    int retries = 0; // Retry answers to the Communication Error prompt before the Cancel
    MemoryImage radio{};
    MemoryImage document{};
};

// Run `run` of the soak started with `seed`: the same pair always gives the same plan, whatever
// the number of runs. Odd runs read, even runs write.
RunPlan DrawRun(std::uint64_t seed, int run);

// How a transfer ended, or must end.
struct Ending {
    TransferOutcome outcome = TransferOutcome::Completed;
    int attempts = 0;
    int prompts = 0;
    int blocks = 0;
    std::vector<std::string> messages; // English texts of the OK boxes, in order
    int progress = 0;                  // the last position of the bar
    MemoryImage document{};            // the document after the transfer
    MemoryImage radio{};               // the radio's memory after it
};

Ending ExpectedEnding(const RunPlan& plan);

// The person in front of the screen, with the answers decided by the plan: Retry as often as
// it says, then Cancel. Never presses the progress dialog's Cancel.
class PlannedUser : public TransferHooks {
public:
    explicit PlannedUser(int retries) : retriesLeft_(retries) {}

    void Progress(int position, int) override { lastPosition = position; }
    bool Cancelled() override { return false; }
    PromptAnswer CommunicationErrorPrompt() override;
    void ShowMessage(TextPair text) override { messages.emplace_back(text.en); }

    int lastPosition = -1;
    int prompts = 0;
    std::vector<std::string> messages;

private:
    int retriesLeft_;
};

// How a transfer ended, as the engine, the user and the two memories tell it.
Ending Observed(const TransferResult& result, const PlannedUser& user, const MemoryImage& document,
                const MemoryImage& radio);

// Every way `got` departs from `expected`, one line each; empty when it ended as it must.
std::vector<std::string> Compare(const Ending& expected, const Ending& got);

const char* OutcomeName(TransferOutcome outcome);

} // namespace velmora::soak
