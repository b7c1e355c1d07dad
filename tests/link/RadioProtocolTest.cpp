#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/LinkTestSupport.h"
#include "link/RadioProtocol.h"
#include "link/RadioSimulator.h"
#include "link/SimulatedLink.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using test::Describe;
using test::Hex;
using test::Pattern;
using test::ScriptedUser;

constexpr auto Read = TransferDirection::Read;
constexpr auto Write = TransferDirection::Write;
const std::string kInterrupt{txt::MsgProgramInterrupt.en};
const std::string kLost{txt::MsgConnectionLost.en};

class TransferTest : public ::testing::Test {
protected:
    TransferResult Run(TransferDirection direction, const TraceSink& trace = {}) {
        return RunTransfer(link, "com3", direction, document, user, trace);
    }
    std::vector<std::uint8_t> Bytes(const MemoryImage& image, std::size_t from, std::size_t n) {
        return {image.begin() + from, image.begin() + from + n};
    }
    // (address, length) of every block header the program sent.
    std::vector<std::pair<int, int>> Headers() const {
        std::vector<std::pair<int, int>> headers;
        for (const LinkOp& op : link.Ops()) {
            if (op.kind == LinkOp::Kind::Write && op.bytes.size() == 4) {
                headers.emplace_back(op.bytes[1] << 8 | op.bytes[2], op.bytes[3]);
            }
        }
        return headers;
    }

    const MemoryImage radioBefore = Pattern(1);
    const MemoryImage documentBefore = Pattern(99);
    MemoryImage document = documentBefore;
    RadioSimulator radio{radioBefore};
    SimulatedLink link{radio};
    ScriptedUser user;
};

// The first attempt of the handshake, call by call, as the radio expects it.
const std::string kHandshake =
    "open cfg s1 s1 s1 s1 s1 s1 purge-all "
    "s2 purge w02 s2 purge w50 s2 purge w52 s2 purge w4F s2 purge w47 s2 purge w52 s2 purge w41 "
    "r1=06 s1 purge w4D s1 w02 s1 r8=56.52.2D.32.30.30.00.01 purge w06 purge s1 r1=06";
constexpr std::size_t kHandshakeOps = 43;

TEST_F(TransferTest, ReadFetchesEveryBlockInOrderAndFillsTheImage) {
    const TransferResult result = Run(Read);

    EXPECT_EQ(result.outcome, TransferOutcome::Completed);
    EXPECT_EQ(result.attempts, 1);
    EXPECT_EQ(result.blocks, 1024);
    EXPECT_EQ(document, radioBefore);
    EXPECT_EQ(link.PortName(), "com3");
    EXPECT_EQ(Describe(link.Ops(), 0, kHandshakeOps), kHandshake);
    EXPECT_EQ(Describe(link.Ops(), kHandshakeOps, 6), "purge w52.00.00.08 r12=57.00.00.08." +
                                                          Hex(Bytes(radioBefore, 0, 8)) +
                                                          " purge w06 r1=06");
    EXPECT_EQ(Describe(link.Ops(), link.Ops().size() - 7, 7),
              "purge w52.1F.F8.08 r12=57.1F.F8.08." + Hex(Bytes(radioBefore, 0x1FF8, 8)) +
                  " purge w06 r1=06 close");
    const auto headers = Headers();
    ASSERT_EQ(headers.size(), 1024u);
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(headers[i], std::make_pair(i * 8, 8)) << i;
    }
    EXPECT_EQ(link.Sent().size(), 10u + 1024 * 5);
    EXPECT_TRUE(user.messages.empty());
    EXPECT_EQ(link.Opens(), 1);
    EXPECT_EQ(link.Closes(), 1);
}

TEST_F(TransferTest, WriteSendsBothAreasThenTheBandBytesAndLeavesTheGapsAlone) {
    const TransferResult result = Run(Write);

    EXPECT_EQ(result.outcome, TransferOutcome::Completed);
    EXPECT_EQ(result.blocks, 923);
    EXPECT_EQ(document, documentBefore);
    EXPECT_EQ(Describe(link.Ops(), 0, kHandshakeOps), kHandshake);
    EXPECT_EQ(Describe(link.Ops(), kHandshakeOps, 5),
              "purge w57.00.00.08 s1 w" + Hex(Bytes(documentBefore, 0, 8)) + " r1=06");
    EXPECT_EQ(Describe(link.Ops(), link.Ops().size() - 6, 6),
              "purge w57.1F.F0.03 s1 w" + Hex(Bytes(documentBefore, 0x1FF0, 3)) + " r1=06 close");

    const auto headers = Headers();
    ASSERT_EQ(headers.size(), 923u);
    for (std::size_t i = 0; i < 922; ++i) {
        const int expected = i < 200 ? int(i) * 8 : 0x0960 + int(i - 200) * 8;
        ASSERT_EQ(headers[i], std::make_pair(expected, 8)) << i;
    }
    EXPECT_EQ(headers[199], std::make_pair(0x0638, 8));
    EXPECT_EQ(headers[200], std::make_pair(0x0960, 8));
    EXPECT_EQ(headers[921], std::make_pair(0x1FE8, 8));
    EXPECT_EQ(headers[922], std::make_pair(0x1FF0, 3));

    // The radio now holds the document, except where a write never reaches.
    const MemoryImage& memory = radio.Memory();
    for (std::size_t a = 0; a < kImageSize; ++a) {
        const bool written = a < 0x0640 || (a >= 0x0960 && a <= 0x1FF2);
        ASSERT_EQ(memory[a], written ? documentBefore[a] : radioBefore[a]) << a;
    }
}

TEST_F(TransferTest, ProgressCountsEverySixteenBytesAndPumpsStopAfterTheLastBlock) {
    struct Case {
        TransferDirection direction;
        int range;
        int pumps;
    };
    for (const Case c : {Case{Read, 512, 6 + 1023 * 9}, Case{Write, 461, 6 + 922 * 9}}) {
        RadioSimulator r{radioBefore};
        SimulatedLink l{r};
        ScriptedUser u;
        RunTransfer(l, "COM1", c.direction, document, u);
        std::vector<int> expected(c.range + 1);
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(u.positions, expected);
        EXPECT_EQ(u.range, c.range);
        EXPECT_EQ(u.pumps, c.pumps);
    }
}

struct FaultCase {
    const char* name;
    TransferDirection direction;
    RadioBehaviour behaviour;
    std::vector<PromptAnswer> answers;
    TransferOutcome outcome;
    int attempts;
    int prompts;
    int blocks;
    std::string message; // empty: no OK box
};

class FaultTest : public TransferTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultTest, EndsAsTheRadioDictates) {
    const FaultCase& c = GetParam();
    radio.SetBehaviour(c.behaviour);
    user.answers = c.answers;

    const TransferResult result = Run(c.direction);

    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.attempts, c.attempts);
    EXPECT_EQ(result.prompts, c.prompts);
    EXPECT_EQ(user.prompts, c.prompts);
    EXPECT_EQ(result.blocks, c.blocks);
    EXPECT_EQ(user.messages,
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    EXPECT_EQ(link.Closes(), 1);
    EXPECT_FALSE(link.IsOpen());
    if (c.direction == Read) {
        EXPECT_EQ(document, c.outcome == TransferOutcome::Completed ? radioBefore : documentBefore);
    } else {
        EXPECT_EQ(document, documentBefore);
    }
}

const auto Retry = PromptAnswer::Retry;
const auto kStall = std::chrono::microseconds(40ms);
const auto kSlow = std::chrono::microseconds(20ms);
using F = RadioFault;
using O = TransferOutcome;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Radio, FaultTest, ::testing::Values(
    // name, direction, radio behaviour {fault, block k, answer from attempt},
    // prompt answers, outcome, attempts, prompts, blocks, message
    FaultCase{"Silent",                Read,  {F::Silent},                  {},      O::CancelledAtPrompt, 15, 1, 0, ""},
    FaultCase{"SilentRetry",           Read,  {F::Silent},                  {Retry}, O::CancelledAtPrompt, 30, 2, 0, ""},
    FaultCase{"OneStray",              Read,  {F::OneStrayByte},            {},      O::Completed, 1, 0, 1024, ""},
    FaultCase{"TwoStray",              Read,  {F::TwoStrayBytes},           {},      O::CancelledAtPrompt, 15, 1, 0, ""},
    FaultCase{"NoConfirmation",        Write, {F::NoConfirmation},          {},      O::CancelledAtPrompt, 1, 1, 0, ""},
    FaultCase{"NoConfirmationAtFifth", Read,  {F::NoConfirmation, 0, 5},    {},      O::CancelledAtPrompt, 5, 1, 0, ""},
    FaultCase{"NoConfirmationAtSixth", Read,  {F::NoConfirmation, 0, 6},    {},      O::Interrupted, 6, 0, 0, kInterrupt},
    FaultCase{"AnswersAtSixth",        Read,  {F::None, 0, 6},              {},      O::Completed, 6, 0, 1024, ""},
    FaultCase{"AnswersAfterRetry",     Read,  {F::None, 0, 16},             {Retry}, O::Completed, 16, 1, 1024, ""},
    FaultCase{"NakFirstWriteBlock",    Write, {F::NakAtWriteBlock, 0},      {},      O::Interrupted, 1, 0, 0, kInterrupt},
    FaultCase{"NakBandBlock",          Write, {F::NakAtWriteBlock, 922},    {},      O::Interrupted, 1, 0, 922, kInterrupt},
    FaultCase{"ShortReply",            Read,  {F::ShortReplyAtReadBlock, 5}, {},     O::Interrupted, 1, 0, 5, kInterrupt},
    FaultCase{"NoConfirmationAtLast",  Read,  {F::NoConfirmationAtReadBlock, 1023}, {}, O::Interrupted, 1, 0, 1023, kInterrupt},
    FaultCase{"StallOver30ms",         Read,  {F::SlowReplyAtReadBlock, 7, 1, kStall}, {}, O::Interrupted, 1, 0, 7, kInterrupt},
    FaultCase{"SlowUnder30ms",         Read,  {F::SlowReplyAtReadBlock, 7, 1, kSlow}, {}, O::Completed, 1, 0, 1024, ""},
    FaultCase{"HangUpRead",            Read,  {F::HangUpAtBlock, 10},       {},      O::ConnectionLost, 1, 0, 10, kLost},
    FaultCase{"HangUpWrite",           Write, {F::HangUpAtBlock, 10},       {},      O::ConnectionLost, 1, 0, 10, kLost},
    FaultCase{"CorruptBlockAcked",     Write, {F::CorruptWriteBlock, 3},    {},      O::Completed, 1, 0, 923, ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(TransferTest, SilentPortMakesFifteenAttemptsOfTwoSingleByteReads) {
    radio.SetBehaviour({RadioFault::Silent});
    Run(Read);
    std::vector<std::size_t> reads;
    for (const LinkOp& op : link.Ops()) {
        if (op.kind == LinkOp::Kind::Read) {
            reads.push_back(op.count);
            EXPECT_TRUE(op.bytes.empty());
        }
    }
    EXPECT_EQ(reads, std::vector<std::size_t>(30, 1));
    EXPECT_EQ(link.Sent().size(), 15u * 7);
    // Each attempt: 6 x 1 ms, 7 x 2 ms, two reads of 590 ms each ending empty, 2 ms.
    EXPECT_EQ(link.Now(), 15 * 1202ms);
}

TEST_F(TransferTest, HangUpEndsAtOnceWithoutWaitingForTimeOuts) {
    for (const TransferDirection direction : {Read, Write}) {
        RadioSimulator r{radioBefore};
        r.SetBehaviour({RadioFault::HangUpAtBlock, 10});
        SimulatedLink l{r};
        ScriptedUser u;
        RunTransfer(l, "COM1", direction, document, u);
        const auto& ops = l.Ops();
        const auto header = std::find_if(ops.rbegin(), ops.rend(), [](const LinkOp& op) {
            return op.kind == LinkOp::Kind::Write && op.bytes.size() == 4;
        });
        ASSERT_NE(header, ops.rend());
        EXPECT_EQ(header->bytes[2], 0x50); // block 10 at address 0x0050
        EXPECT_LE(ops.back().at - header->at, 1ms);
        EXPECT_EQ(ops.back().kind, LinkOp::Kind::Close);
    }
}

TEST_F(TransferTest, CorruptBlockIsStoredWrongWhileAcknowledged) {
    radio.SetBehaviour({RadioFault::CorruptWriteBlock, 3});
    Run(Write);
    EXPECT_EQ(radio.Memory()[0x18], documentBefore[0x18] ^ 0xFF);
    EXPECT_EQ(radio.Memory()[0x19], documentBefore[0x19]);
}

struct CancelCase {
    TransferDirection direction;
    RadioFault fault;
    int cancelAtPump;
    TransferOutcome outcome;
    int attempts;
    int blocks;
};

TEST_F(TransferTest, CancelIsSeenAtPumpPointsAndNeverSpoilsTheImage) {
    const CancelCase cases[] = {
        {Read, RadioFault::None, 1, TransferOutcome::Cancelled, 1, 0},
        {Read, RadioFault::Silent, 8, TransferOutcome::Cancelled, 2, 0},
        {Read, RadioFault::None, 6 + 100 * 9, TransferOutcome::Cancelled, 1, 100},
        {Read, RadioFault::None, 6 + 1023 * 9, TransferOutcome::Cancelled, 1, 1023},
        {Read, RadioFault::None, 6 + 1023 * 9 + 1, TransferOutcome::Completed, 1, 1024},
        {Write, RadioFault::None, 6 + 100 * 9, TransferOutcome::Cancelled, 1, 100},
        {Write, RadioFault::None, 6 + 922 * 9, TransferOutcome::Cancelled, 1, 922},
        {Write, RadioFault::None, 6 + 922 * 9 + 1, TransferOutcome::Completed, 1, 923},
    };
    for (const CancelCase& c : cases) {
        SCOPED_TRACE(c.cancelAtPump);
        RadioSimulator r{radioBefore};
        r.SetBehaviour({c.fault});
        SimulatedLink l{r};
        ScriptedUser u;
        u.cancelAtPump = c.cancelAtPump;
        MemoryImage image = documentBefore;

        const TransferResult result = RunTransfer(l, "COM1", c.direction, image, u);

        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.attempts, c.attempts);
        EXPECT_EQ(result.blocks, c.blocks);
        EXPECT_TRUE(u.messages.empty());
        EXPECT_EQ(l.Closes(), 1);
        const bool readDone = c.direction == Read && c.outcome == TransferOutcome::Completed;
        EXPECT_EQ(image, readDone ? radioBefore : documentBefore);
        if (c.cancelAtPump == 1) {
            EXPECT_TRUE(l.Sent().empty());
        }
        if (c.direction == Write && c.blocks == 100) {
            EXPECT_EQ(r.Memory()[0x031F], documentBefore[0x031F]);
            EXPECT_EQ(r.Memory()[0x0320], radioBefore[0x0320]);
        }
        if (c.direction == Write && c.blocks == 922) {
            EXPECT_EQ(r.Memory()[0x1FF0], radioBefore[0x1FF0]);
        }
    }
}

TEST_F(TransferTest, PortThatWillNotOpenIsReportedAndNothingIsSent) {
    for (const OpenResult failure :
         {OpenResult::NotFound, OpenResult::Busy, OpenResult::NoPermission, OpenResult::Failed}) {
        RadioSimulator r{radioBefore};
        SimulatedLink l{r};
        l.SetOpenResult(failure, "in use by pid 4242");
        ScriptedUser u;
        MemoryImage image = documentBefore;

        const TransferResult result = RunTransfer(l, "com2", Read, image, u);

        EXPECT_EQ(result.outcome, TransferOutcome::PortOpenFailed);
        EXPECT_EQ(result.open, failure);
        EXPECT_EQ(result.openDetail, "in use by pid 4242");
        EXPECT_EQ(u.messages, std::vector<std::string>{std::string(txt::MsgPortOpenFailed.en)});
        EXPECT_EQ(u.positions, std::vector<int>{0});
        EXPECT_EQ(Describe(l.Ops(), 0, 10), "open");
        EXPECT_EQ(l.Closes(), 0);
        EXPECT_EQ(image, documentBefore);
    }
}

TEST_F(TransferTest, SlowRadioWithByteGapsUnder30msStillReadsAndWrites) {
    struct Case {
        std::chrono::microseconds gap;
        TransferDirection direction;
        TransferOutcome outcome;
    };
    // Past 30 ms the identification reply is cut short and its tail is taken for the
    // confirmation, so such a radio never gets past the handshake.
    for (const Case c : {Case{25ms, Read, TransferOutcome::Completed},
                         Case{25ms, Write, TransferOutcome::Completed},
                         Case{40ms, Read, TransferOutcome::CancelledAtPrompt}}) {
        RadioSimulator r{radioBefore};
        SimulatedLink l{r};
        l.SetByteGap(c.gap);
        ScriptedUser u;
        MemoryImage image = documentBefore;
        EXPECT_EQ(RunTransfer(l, "COM1", c.direction, image, u).outcome, c.outcome);
        const bool read = c.direction == Read && c.outcome == TransferOutcome::Completed;
        EXPECT_EQ(image, read ? radioBefore : documentBefore);
        if (c.direction == Write) {
            EXPECT_EQ(r.Memory()[0x1FF2], documentBefore[0x1FF2]);
        }
    }
}

TEST_F(TransferTest, TraceSeesEveryByteBothWaysOnTheLinkClock) {
    std::vector<TraceEvent> events;
    Run(Read, [&](const TraceEvent& e) { events.push_back(e); });

    std::vector<std::uint8_t> sent;
    std::vector<std::string> firstReplies;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].kind == TraceEvent::Kind::Sent) {
            sent.insert(sent.end(), events[i].bytes.begin(), events[i].bytes.end());
        } else if (firstReplies.size() < 4) {
            firstReplies.push_back(Hex(events[i].bytes));
        }
        if (i > 0) {
            ASSERT_GE(events[i].at, events[i - 1].at);
        }
    }
    EXPECT_EQ(sent, link.Sent());
    EXPECT_EQ(firstReplies,
              (std::vector<std::string>{"06", "56.52.2D.32.30.30.00.01", "06",
                                        "57.00.00.08." + Hex(Bytes(radioBefore, 0, 8))}));
    EXPECT_EQ(events.back().at, link.Now());
}

TEST(FormatTrace, ShowsTimeDirectionBytesAndHowAReadEnded) {
    using namespace std::string_view_literals;
    // Plain values only (the bytes as a view), so the table needs no clean-up code.
    struct Case {
        TraceEvent::Kind kind;
        std::chrono::microseconds at;
        std::string_view bytes;
        IoResult result;
        std::string_view line;
    };
    const Case cases[] = {
        {TraceEvent::Kind::Sent, 12345us, "\x57\x1F\xF0\x03"sv, IoResult::Ok,
         "    12.345 ms > 57 1F F0 03"},
        {TraceEvent::Kind::Received, 603000us, ""sv, IoResult::TimedOut,
         "   603.000 ms < (none, timed out)"},
        {TraceEvent::Kind::Received, 1us, "\x57\x00"sv, IoResult::TimedOut,
         "     0.001 ms < 57 00 (timed out)"},
        {TraceEvent::Kind::Received, 0us, ""sv, IoResult::Disconnected,
         "     0.000 ms < (disconnected)"},
    };
    for (const Case& c : cases) {
        const TraceEvent event{c.kind, c.at,
                               std::vector<std::uint8_t>(c.bytes.begin(), c.bytes.end()), c.result};
        EXPECT_EQ(FormatTrace(event), c.line);
    }
}

} // namespace
} // namespace velmora
