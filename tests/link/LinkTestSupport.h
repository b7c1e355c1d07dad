// Shared pieces of the link tests: a scripted user, a virtual radio on a pseudo-terminal, test
// memories and a readable form of the call log.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "image/MemoryImage.h"
#include "link/PtyRadio.h"
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

// A virtual radio serving on a pseudo-terminal of its own thread (Qt tests only: velmora_qtcore).
inline std::unique_ptr<PtyRadio> StartPtyRadio(const MemoryImage& memory,
                                               RadioBehaviour behaviour = {}) {
    PtyRadioOptions options;
    options.behaviour = behaviour;
    std::string error;
    auto radio = PtyRadio::Create(memory, options, error);
    if (radio) {
        radio->Start();
    }
    return radio;
}

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
    static const char* const kNames[] = {"open", "cfg", "purge-all", "purge",
                                         "w",    "r",   "s",         "close"};
    std::string out;
    for (std::size_t i = from; i < ops.size() && i < from + count; ++i) {
        const LinkOp& op = ops[i];
        out += out.empty() ? "" : " ";
        out += kNames[static_cast<int>(op.kind)];
        if (op.kind == LinkOp::Kind::Write) {
            out += Hex(op.bytes);
        } else if (op.kind == LinkOp::Kind::Read) {
            out += std::to_string(op.count) + "=" + Hex(op.bytes);
        } else if (op.kind == LinkOp::Kind::Sleep) {
            out += std::to_string(op.count);
        }
    }
    return out;
}

} // namespace velmora::test
