#include "SoakPlan.h"

#include <algorithm>
#include <cstdio>

namespace velmora::soak {

using namespace protocol;

namespace {

// splitmix64: small, and the same numbers on every compiler and library, so a seed names the
// same runs everywhere.
class Numbers {
public:
    Numbers(std::uint64_t seed, int run)
        : state_(seed * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(run)) {
        Next();
    }
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    MemoryImage Image() {
        MemoryImage image{};
        for (std::uint8_t& byte : image) {
            byte = static_cast<std::uint8_t>(Next() >> 56);
        }
        return image;
    }

private:
    std::uint64_t state_;
};

struct WriteBlock {
    std::size_t address;
    std::size_t size;
};

// The blocks of a write in the order they go out: both areas, then the band bytes.
const std::vector<WriteBlock>& WriteBlocks() {
    static const std::vector<WriteBlock> blocks = [] {
        std::vector<WriteBlock> all;
        for (const Area& area : WriteAreas) {
            for (std::size_t address = area.first; address <= area.last; address += BlockSize) {
                all.push_back({address, BlockSize});
            }
        }
        all.push_back({BandBlockAddress, BandBlockSize});
        return all;
    }();
    return blocks;
}

// The radio's memory once the first `count` blocks of a write are stored; the corrupt fault
// stores block `corrupt` with its first byte inverted.
MemoryImage AfterWrite(const MemoryImage& radio, const MemoryImage& document, int count,
                       int corrupt = -1) {
    MemoryImage memory = radio;
    for (int block = 0; block < count; ++block) {
        const WriteBlock& b = WriteBlocks()[static_cast<std::size_t>(block)];
        std::copy_n(document.begin() + static_cast<std::ptrdiff_t>(b.address), b.size,
                    memory.begin() + static_cast<std::ptrdiff_t>(b.address));
        if (block == corrupt) {
            memory[b.address] ^= 0xFF;
        }
    }
    return memory;
}

// The bar moves once for every 16 bytes: after each acknowledged block that starts on a
// 16-byte boundary (the band bytes excepted).
int ProgressAfter(TransferDirection direction, int blocks) {
    int position = 0;
    for (int block = 0; block < blocks; ++block) {
        const std::size_t address = direction == TransferDirection::Read
                                        ? static_cast<std::size_t>(block) * BlockSize
                                        : WriteBlocks()[static_cast<std::size_t>(block)].address;
        if (address % 16 == 0 && address != BandBlockAddress) {
            ++position;
        }
    }
    return position;
}

std::string DescribeImage(const char* what, const MemoryImage& got, const MemoryImage& expected) {
    int differ = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i] != expected[i] && differ++ == 0) {
            first = i;
        }
    }
    char line[160];
    std::snprintf(line, sizeof line,
                  "%s: %d bytes differ, the first at 0x%04zX (0x%02X, not 0x%02X)", what, differ,
                  first, got[first], expected[first]);
    return line;
}

std::string Join(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) {
        out += out.empty() ? "\"" : ", \"";
        out += text;
        out += '"';
    }
    return out.empty() ? "none" : out;
}

} // namespace

const std::vector<FaultMode>& FaultModes() {
    static const std::vector<FaultMode> modes = {
        {"none", RadioFault::None, false},
        {"silent", RadioFault::Silent, false},
        {"one-stray", RadioFault::OneStrayByte, false},
        {"two-stray", RadioFault::TwoStrayBytes, false},
        {"no-confirmation", RadioFault::NoConfirmation, false},
        {"nak", RadioFault::NakAtWriteBlock, true},
        {"short-reply", RadioFault::ShortReplyAtReadBlock, true},
        {"no-block-confirm", RadioFault::NoConfirmationAtReadBlock, true},
        {"hangup", RadioFault::HangUpAtBlock, true},
        {"corrupt", RadioFault::CorruptWriteBlock, true},
        {"slow-reply", RadioFault::SlowReplyAtReadBlock, true},
    };
    return modes;
}

RunPlan DrawRun(std::uint64_t seed, int run) {
    Numbers numbers(seed, run);
    RunPlan plan;
    plan.run = run;
    plan.direction = run % 2 == 1 ? TransferDirection::Read : TransferDirection::Write;
    const FaultMode& mode = FaultModes()[static_cast<std::size_t>(
        numbers.Below(static_cast<int>(FaultModes().size())))];
    plan.behaviour.fault = mode.fault;
    plan.fault = mode.name;
    // A block of this direction's transfer; a fault of the other direction never fires.
    const int blocks = plan.direction == TransferDirection::Read ? ReadBlockCount : WriteBlockCount;
    const int block = numbers.Below(blocks);
    if (mode.takesBlock) {
        plan.behaviour.block = block;
        plan.fault += ':';
        plan.fault += std::to_string(block);
    }
    // One run in four answers the first prompt with Retry, the rest Cancel at once.
    plan.retries = numbers.Below(4) == 0 ? 1 : 0;
    plan.radio = numbers.Image();
    plan.document = numbers.Image();
    return plan;
}

Ending ExpectedEnding(const RunPlan& plan) {
    const bool read = plan.direction == TransferDirection::Read;
    const int k = plan.behaviour.block;
    Ending e;
    e.document = plan.document;
    e.radio = plan.radio;

    const auto completed = [&](int corrupt) {
        e.outcome = TransferOutcome::Completed;
        e.attempts = 1;
        e.blocks = read ? ReadBlockCount : WriteBlockCount;
        e.progress = read ? ReadProgressRange : WriteProgressRange;
        if (read) {
            e.document = plan.radio;
        } else {
            e.radio = AfterWrite(plan.radio, plan.document, WriteBlockCount, corrupt);
        }
    };
    // Every round of attempts ends at the prompt; Retry starts a new round, Cancel ends it all.
    const auto cancelledAtPrompt = [&](int attemptsPerRound) {
        e.outcome = TransferOutcome::CancelledAtPrompt;
        e.prompts = plan.retries + 1;
        e.attempts = attemptsPerRound * e.prompts;
    };
    // Blocks 0..k-1 went through; block k did not.
    const auto brokenAtBlock = [&](TransferOutcome outcome, TextPair message) {
        e.outcome = outcome;
        e.attempts = 1;
        e.blocks = k;
        e.messages = {std::string(message.en)};
        e.progress = ProgressAfter(plan.direction, k);
        if (!read) {
            e.radio = AfterWrite(plan.radio, plan.document, k);
        }
    };

    switch (plan.behaviour.fault) {
    case RadioFault::None:
    case RadioFault::OneStrayByte: // one stray byte ahead of the answer is tolerated
        completed(-1);
        break;
    case RadioFault::Silent:
    case RadioFault::TwoStrayBytes:
        cancelledAtPrompt(AttemptsBeforePrompt);
        break;
    case RadioFault::NoConfirmation:
        // The radio answered the wake-up, so the prompt comes after the first attempt.
        cancelledAtPrompt(1);
        break;
    case RadioFault::NakAtWriteBlock:
        read ? completed(-1)
             : brokenAtBlock(TransferOutcome::Interrupted, txt::MsgProgramInterrupt);
        break;
    case RadioFault::ShortReplyAtReadBlock:
    case RadioFault::NoConfirmationAtReadBlock:
    case RadioFault::SlowReplyAtReadBlock: // 40 ms between bytes ends the read short
        read ? brokenAtBlock(TransferOutcome::Interrupted, txt::MsgProgramInterrupt)
             : completed(-1);
        break;
    case RadioFault::HangUpAtBlock:
        brokenAtBlock(TransferOutcome::ConnectionLost, txt::MsgConnectionLost);
        break;
    case RadioFault::CorruptWriteBlock:
        // The radio says 0x06 to the block it spoiled; nothing on the line tells.
        completed(read ? -1 : k);
        break;
    }
    return e;
}

PromptAnswer PlannedUser::CommunicationErrorPrompt() {
    ++prompts;
    if (retriesLeft_ > 0) {
        --retriesLeft_;
        return PromptAnswer::Retry;
    }
    return PromptAnswer::Cancel;
}

Ending Observed(const TransferResult& result, const PlannedUser& user, const MemoryImage& document,
                const MemoryImage& radio) {
    Ending e;
    e.outcome = result.outcome;
    e.attempts = result.attempts;
    e.prompts = result.prompts;
    e.blocks = result.blocks;
    e.messages = user.messages;
    e.progress = user.lastPosition;
    e.document = document;
    e.radio = radio;
    return e;
}

std::vector<std::string> Compare(const Ending& expected, const Ending& got) {
    std::vector<std::string> problems;
    const auto number = [&](const char* what, int g, int x) {
        if (g != x) {
            problems.push_back(std::string(what) + " " + std::to_string(g) + ", expected " +
                               std::to_string(x));
        }
    };
    if (got.outcome != expected.outcome) {
        problems.push_back(std::string("outcome ") + OutcomeName(got.outcome) + ", expected " +
                           OutcomeName(expected.outcome));
    }
    number("wake-up attempts", got.attempts, expected.attempts);
    number("prompts", got.prompts, expected.prompts);
    number("blocks acknowledged", got.blocks, expected.blocks);
    number("last progress", got.progress, expected.progress);
    if (got.messages != expected.messages) {
        std::string line = "messages ";
        line += Join(got.messages);
        line += ", expected ";
        line += Join(expected.messages);
        problems.push_back(line);
    }
    if (got.document != expected.document) {
        problems.push_back(DescribeImage("document", got.document, expected.document));
    }
    if (got.radio != expected.radio) {
        problems.push_back(DescribeImage("radio memory", got.radio, expected.radio));
    }
    return problems;
}

const char* OutcomeName(TransferOutcome outcome) {
    switch (outcome) {
    case TransferOutcome::Completed:
        return "Completed";
    case TransferOutcome::PortOpenFailed:
        return "PortOpenFailed";
    case TransferOutcome::CancelledAtPrompt:
        return "CancelledAtPrompt";
    case TransferOutcome::Interrupted:
        return "Interrupted";
    case TransferOutcome::Cancelled:
        return "Cancelled";
    case TransferOutcome::ConnectionLost:
        return "ConnectionLost";
    }
    return "?";
}

} // namespace velmora::soak
