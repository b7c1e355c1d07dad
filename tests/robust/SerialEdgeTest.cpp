// The radio link at its edges: the device pulled out at every stage of a transfer, and a radio
// that answers just inside or just outside the time-outs (30 ms between bytes; 590 ms for the
// first byte of a one-byte read).
#include "link/LinkTestSupport.h"
#include "link/RadioProtocol.h"
#include "link/RadioSimulator.h"
#include "link/SimulatedLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using namespace std::chrono_literals;
using test::Pattern;
using test::ScriptedUser;

// The simulated radio's port, pulled out at the n-th write or read (counted from 1 over both):
// from then on every write and read reports the device gone.
class PulledLink : public SerialLink {
public:
    PulledLink(SimulatedLink& inner, int pullAtCall) : inner_(inner), pullAt_(pullAtCall) {}

    OpenResult Open(const std::string& name) override { return inner_.Open(name); }
    bool Configure() override { return inner_.Configure(); }
    void PurgeAll() override { inner_.PurgeAll(); }
    void Purge() override { inner_.Purge(); }
    IoResult Write(std::span<const std::uint8_t> bytes) override {
        return Gone() ? IoResult::Disconnected : inner_.Write(bytes);
    }
    IoResult Read(std::span<std::uint8_t> buf, std::size_t& got) override {
        got = 0;
        return Gone() ? IoResult::Disconnected : inner_.Read(buf, got);
    }
    void Sleep(std::chrono::milliseconds d) override { inner_.Sleep(d); }
    void Close() override { inner_.Close(); }
    std::chrono::microseconds Now() const override { return inner_.Now(); }

    std::chrono::microseconds pulledAt{-1};
    int callsAfterPull = 0;

private:
    bool Gone() {
        if (++calls_ < pullAt_) {
            return false;
        }
        if (calls_ == pullAt_) {
            pulledAt = inner_.Now();
        } else {
            ++callsAfterPull;
        }
        return true;
    }
    SimulatedLink& inner_;
    int pullAt_;
    int calls_ = 0;
};

// Calls of a transfer, writes and reads together: the handshake is 7 wake-up writes, the
// wake-up answer (1 read), the identification request (2 writes) and reply (1 read), our 06
// and the radio's (1 write, 1 read) = 13 calls. Then every read block is a header write, its
// reply read, our 06 and the radio's (4 calls); every write block a header, its data and the
// radio's 06 (3 calls).
constexpr int kHandshakeCalls = 13;
int ReadBlockCall(int block) {
    return kHandshakeCalls + 4 * block + 1;
}
int WriteBlockCall(int block) {
    return kHandshakeCalls + 3 * block + 1;
}

TEST(PulledCable, EveryStageEndsAtOnceWithConnectionLost) {
    struct Case {
        const char* stage;
        TransferDirection direction;
        int call;
    };
    const Case cases[] = {
        {"first wake-up byte", TransferDirection::Read, 1},
        {"last wake-up byte", TransferDirection::Write, 7},
        {"wake-up answer", TransferDirection::Read, 8},
        {"identification request", TransferDirection::Write, 9},
        {"identification reply", TransferDirection::Read, 11},
        {"confirmation", TransferDirection::Write, 13},
        {"read: first block header", TransferDirection::Read, ReadBlockCall(0)},
        {"read: first block reply", TransferDirection::Read, ReadBlockCall(0) + 1},
        {"read: middle block ack", TransferDirection::Read, ReadBlockCall(512) + 2},
        {"read: last block reply", TransferDirection::Read, ReadBlockCall(1023) + 1},
        {"read: last block confirmation", TransferDirection::Read, ReadBlockCall(1023) + 3},
        {"write: first block header", TransferDirection::Write, WriteBlockCall(0)},
        {"write: middle block data", TransferDirection::Write, WriteBlockCall(461) + 1},
        {"write: band block answer", TransferDirection::Write, WriteBlockCall(922) + 2},
    };
    for (const Case& c : cases) {
        RadioSimulator radio{Pattern(1)};
        SimulatedLink simulated{radio};
        PulledLink link{simulated, c.call};
        ScriptedUser user;
        user.answers = {PromptAnswer::Retry}; // a prompt would show up as a second attempt
        const MemoryImage before = Pattern(7);
        MemoryImage image = before;
        const TransferResult result = RunTransfer(link, "ttyUSB0", c.direction, image, user);
        EXPECT_EQ(result.outcome, TransferOutcome::ConnectionLost) << c.stage;
        EXPECT_EQ(user.messages, std::vector<std::string>{std::string(txt::MsgConnectionLost.en)})
            << c.stage;
        EXPECT_EQ(user.prompts, 0) << c.stage;
        EXPECT_EQ(image, before) << c.stage;
        EXPECT_EQ(simulated.Closes(), 1) << c.stage;
        EXPECT_FALSE(simulated.IsOpen()) << c.stage;
        // Nothing more is tried once the device is gone, and no time-out is waited for.
        EXPECT_EQ(link.callsAfterPull, 0) << c.stage;
        EXPECT_LE(simulated.Now() - link.pulledAt, 5ms) << c.stage;
    }
}

TEST(SlowRadio, GapsBetweenBytesUpTo30msAreWaitedFor) {
    struct Case {
        std::chrono::microseconds gap;
        TransferDirection direction;
        TransferOutcome outcome;
    };
    const Case cases[] = {
        {29ms, TransferDirection::Read, TransferOutcome::Completed},
        {30ms, TransferDirection::Read, TransferOutcome::Completed},
        {29ms, TransferDirection::Write, TransferOutcome::Completed},
        // 31 ms cuts the identification reply short; its tail is no confirmation.
        {31ms, TransferDirection::Read, TransferOutcome::CancelledAtPrompt},
        {31ms, TransferDirection::Write, TransferOutcome::CancelledAtPrompt},
    };
    for (const Case& c : cases) {
        RadioSimulator radio{Pattern(1)};
        SimulatedLink link{radio};
        link.SetByteGap(c.gap);
        ScriptedUser user;
        MemoryImage image = Pattern(7);
        EXPECT_EQ(RunTransfer(link, "ttyUSB0", c.direction, image, user).outcome, c.outcome)
            << c.gap.count();
        const bool read =
            c.direction == TransferDirection::Read && c.outcome == TransferOutcome::Completed;
        EXPECT_EQ(image, read ? Pattern(1) : Pattern(7)) << c.gap.count();
    }
    // One slow block in the middle of a read: 29.04 ms apart is in time, 31.04 ms is not.
    for (const auto& [slow, outcome] : {std::pair{28ms, TransferOutcome::Completed},
                                        std::pair{30ms, TransferOutcome::Interrupted}}) {
        RadioSimulator radio{Pattern(1)};
        radio.SetBehaviour({RadioFault::SlowReplyAtReadBlock, 500, 1, slow});
        SimulatedLink link{radio};
        ScriptedUser user;
        MemoryImage image = Pattern(7);
        EXPECT_EQ(RunTransfer(link, "ttyUSB0", TransferDirection::Read, image, user).outcome,
                  outcome)
            << slow.count();
        EXPECT_EQ(image, outcome == TransferOutcome::Completed ? Pattern(1) : Pattern(7));
    }
}

TEST(SlowRadio, FirstAnswerByteIsAwaited590ms) {
    for (const auto& [delay, answered] : {std::pair{589ms, true}, std::pair{591ms, false}}) {
        RadioSimulator radio{Pattern(1)};
        SimulatedLink link{radio};
        link.SetByteGap(delay); // the wake-up answer is the first byte after the last write
        ScriptedUser user;
        MemoryImage image = Pattern(7);
        std::vector<TraceEvent> reads;
        RunTransfer(link, "ttyUSB0", TransferDirection::Read, image, user,
                    [&](const TraceEvent& e) {
                        if (e.kind == TraceEvent::Kind::Received) {
                            reads.push_back(e);
                        }
                    });
        ASSERT_FALSE(reads.empty());
        EXPECT_EQ(reads[0].bytes,
                  answered ? std::vector<std::uint8_t>{0x06} : std::vector<std::uint8_t>{})
            << delay.count();
        EXPECT_EQ(reads[0].result, answered ? IoResult::Ok : IoResult::TimedOut) << delay.count();
        EXPECT_EQ(image, Pattern(7)); // the rest of such a radio's replies is too slow anyway
    }
}

} // namespace
} // namespace velmora
