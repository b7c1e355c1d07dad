// Shared pieces of the link tests: a scripted user and a readable form of the link's call log.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "image/MemoryImage.h"
#include "link/SimulatedLink.h"
#include "link/TransferHooks.h"

namespace velmora::test {

struct ScriptedUser : TransferHooks {
    std::vector<int> positions;        // every Progress position, in order
    int range = 0;                     // the last range seen
    std::vector<std::string> messages; // English texts of the OK boxes
    std::vector<PromptAnswer> answers; // answers to the prompts in turn; Cancel once used up
    int prompts = 0;
    int pumps = 0;
    int cancelAtPump = 0; // sets the Cancel flag at this pump point (1-based)

    void Progress(int position, int r) override {
        positions.push_back(position);
        range = r;
    }
    bool Cancelled() override { return cancelAtPump > 0 && pumps >= cancelAtPump; }
    void Pump() override { ++pumps; }
    PromptAnswer CommunicationErrorPrompt() override {
        const std::size_t i = static_cast<std::size_t>(prompts++);
        return i < answers.size() ? answers[i] : PromptAnswer::Cancel;
    }
    void ShowMessage(TextPair text) override { messages.emplace_back(text.en); }
};

// A memory whose every byte tells its address apart from its neighbours'.
inline MemoryImage Pattern(unsigned seed) {
    MemoryImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>((i * 7 + (i >> 8) * 13 + seed) & 0xFF);
    }
    return image;
}

inline std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    for (const std::uint8_t b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, out.empty() ? "%02X" : ".%02X", b);
        out += hex;
    }
    return out;
}

// "open cfg s1 purge-all s2 purge w02 r1=06 r8=... close" for ops [from, from + count).
inline std::string Describe(const std::vector<LinkOp>& ops, std::size_t from, std::size_t count) {
    std::string out;
    for (std::size_t i = from; i < ops.size() && i < from + count; ++i) {
        const LinkOp& op = ops[i];
        if (!out.empty()) {
            out += ' ';
        }
        switch (op.kind) {
        case LinkOp::Kind::Open:
            out += "open";
            break;
        case LinkOp::Kind::Configure:
            out += "cfg";
            break;
        case LinkOp::Kind::PurgeAll:
            out += "purge-all";
            break;
        case LinkOp::Kind::Purge:
            out += "purge";
            break;
        case LinkOp::Kind::Write:
            out += "w" + Hex(op.bytes);
            break;
        case LinkOp::Kind::Read:
            out += "r" + std::to_string(op.count) + "=" + Hex(op.bytes);
            break;
        case LinkOp::Kind::Sleep:
            out += "s" + std::to_string(op.count);
            break;
        case LinkOp::Kind::Close:
            out += "close";
            break;
        }
    }
    return out;
}

} // namespace velmora::test
