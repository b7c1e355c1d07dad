// The transfer engine against the simulated radio on its virtual clock: the bytes on the wire,
// the ending every radio fault dictates, Cancel, the time-out edges (30 ms between bytes, 590 ms
// for the first byte of a one-byte read) and a cable pulled at every stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "link/LinkTestSupport.h"
#include "link/RadioProtocol.h"
#include "link/RadioSimulator.h"
#include "link/SimulatedLink.h"
#include "link/TraceFile.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using test::Describe;
using test::Hex;
using test::Pattern;

constexpr auto Read = TransferDirection::Read;
constexpr auto Write = TransferDirection::Write;
using F = RadioFault;
using O = TransferOutcome;
const std::vector<std::string> kInterrupt{std::string(txt::MsgProgramInterrupt.en)};
const std::vector<std::string> kLost{std::string(txt::MsgConnectionLost.en)};

// One transfer between a document and a fresh simulated radio that hold different memories.
struct Session {
    TransferResult Transfer(TransferDirection direction, const TraceSink& trace = {}) {
        return RunTransfer(link, "com3", direction, document, user, trace);
    }
    const MemoryImage radioBefore = Pattern(1);
    const MemoryImage documentBefore = Pattern(99);
    MemoryImage document = documentBefore;
    RadioSimulator radio{radioBefore};
    SimulatedLink link{radio};
    test::ScriptedUser user;
};

// The first attempt of the handshake, call by call, as the radio expects it.
const std::string kHandshake =
    "open cfg s1 s1 s1 s1 s1 s1 purge-all "
    "s2 purge w02 s2 purge w50 s2 purge w52 s2 purge w4F s2 purge w47 s2 purge w52 s2 purge w41 "
    "r1=06 s1 purge w4D s1 w02 s1 r8=56.52.2D.32.30.30.00.01 purge w06 purge s1 r1=06";
constexpr std::size_t kHandshakeOps = 43;

// The handshake, then every block in order with nothing between them: a read fetches all of
// the memory; a write sends both areas, then the band bytes. Progress counts every sixteen
// bytes, and the pump points stop after the last block. The trace sees every byte both ways,
// in order on the link's clock.
TEST(Transfer, TheWireCarriesTheHandshakeThenEveryBlockInOrder) {
    const Session s;
    const auto bytes = [](const MemoryImage& image, std::size_t from, std::size_t n) {
        return Hex({image.begin() + from, image.begin() + from + n});
    };
    const struct {
        TransferDirection direction;
        std::string first, last; // the calls of the first and the last block
        std::size_t blockOps;
        int range, pumps;
    } cases[] = {
        {Read,
         "purge w52.00.00.08 r12=57.00.00.08." + bytes(s.radioBefore, 0, 8) + " purge w06 r1=06",
         "purge w52.1F.F8.08 r12=57.1F.F8.08." + bytes(s.radioBefore, 0x1FF8, 8) +
             " purge w06 r1=06 close",
         1024 * 6, 512, 6 + 1023 * 9},
        {Write, "purge w57.00.00.08 s1 w" + bytes(s.documentBefore, 0, 8) + " r1=06",
         "purge w57.1F.F0.03 s1 w" + bytes(s.documentBefore, 0x1FF0, 3) + " r1=06 close", 923 * 5,
         461, 6 + 922 * 9},
    };
    for (const auto& c : cases) {
        Session t;
        std::vector<std::uint8_t> sent, received, delivered;
        std::chrono::microseconds last{0};
        t.Transfer(c.direction, [&](const TraceEvent& e) {
            auto& seen = e.kind == TraceEvent::Kind::Sent ? sent : received;
            seen.insert(seen.end(), e.bytes.begin(), e.bytes.end());
            EXPECT_GE(e.at, last);
            last = e.at;
        });
        const std::vector<LinkOp>& ops = t.link.Ops();
        const auto calls = [](const std::string& text) {
            return static_cast<std::size_t>(std::count(text.begin(), text.end(), ' ') + 1);
        };
        EXPECT_EQ(t.link.PortName(), "com3");
        EXPECT_EQ(Describe(ops, 0, kHandshakeOps), kHandshake);
        EXPECT_EQ(Describe(ops, kHandshakeOps, calls(c.first)), c.first);
        EXPECT_EQ(Describe(ops, ops.size() - calls(c.last), calls(c.last)), c.last);
        EXPECT_EQ(ops.size(), kHandshakeOps + c.blockOps + 1);
        std::vector<int> positions(c.range + 1);
        std::iota(positions.begin(), positions.end(), 0);
        EXPECT_EQ(t.user.positions, positions);
        EXPECT_EQ(t.user.range, c.range);
        EXPECT_EQ(t.user.pumps, c.pumps);
        for (const LinkOp& op : ops) {
            if (op.kind == LinkOp::Kind::Read) {
                delivered.insert(delivered.end(), op.bytes.begin(), op.bytes.end());
            }
        }
        EXPECT_EQ(sent, t.link.Sent());
        EXPECT_EQ(received, delivered);
        EXPECT_EQ(last, t.link.Now());
    }
}

// Where write block i goes: the channels, the options after the gap, then the band bytes.
std::pair<std::size_t, std::size_t> WriteBlock(int i) {
    return i < 200   ? std::pair(i * 8, 8)
           : i < 922 ? std::pair(0x0960 + (i - 200) * 8, 8)
                     : std::pair(0x1FF0, 3);
}

// The simulated radio's port, pulled out at the n-th write or read (counted from 1 over both;
// never when n is 0): from then on every write and read reports the device gone.
struct PulledLink : SimulatedLink {
    PulledLink(RadioSimulator& radio, int n) : SimulatedLink(radio), pullAt(n > 0 ? n : INT_MAX) {}
    IoResult Write(std::span<const std::uint8_t> bytes) override {
        return Gone() ? IoResult::Disconnected : SimulatedLink::Write(bytes);
    }
    IoResult Read(std::span<std::uint8_t> buf, std::size_t& got) override {
        got = 0;
        return Gone() ? IoResult::Disconnected : SimulatedLink::Read(buf, got);
    }
    bool Gone() {
        if (++calls == pullAt) {
            pulledAt = Now();
        }
        callsAfterPull += calls > pullAt ? 1 : 0;
        return calls >= pullAt;
    }
    const int pullAt;
    int calls = 0;
    std::chrono::microseconds pulledAt{-1};
    int callsAfterPull = 0;
};

// Calls of a transfer, writes and reads together. The handshake: 7 wake-up writes, the answer
// (1 read), the identification request (2 writes) and reply (1 read), our 06 and the radio's
// (1 write, 1 read) = 13 calls. A read block: a header write, its reply, our 06 and the radio's
// (4 calls); a write block: header, data and the radio's 06 (3 calls).
constexpr auto R = [](int block) { return 13 + 4 * block + 1; };
constexpr auto W = [](int block) { return 13 + 3 * block + 1; };

struct FaultCase {
    const char* name;
    TransferDirection direction;
    RadioBehaviour behaviour;
    std::vector<PromptAnswer> answers;
    TransferOutcome outcome;
    int attempts, prompts, blocks;
    std::vector<std::string> messages; // the OK boxes
    int cancelAtPump = 0;
    std::chrono::microseconds gap = SimulatedLink::LineByteTime; // between reply bytes
    int pullAtCall = 0;                // the cable is pulled at this write or read (see R and W)
    std::chrono::microseconds took{0}; // on the link's clock, when not 0
};

class FaultTest : public Session, public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultTest, EndsAsTheRadioDictates) {
    const FaultCase& c = GetParam();
    radio.SetBehaviour(c.behaviour);
    user.answers = c.answers;
    user.cancelAtPump = c.cancelAtPump;
    PulledLink link{radio, c.pullAtCall}; // in place of the fixture's
    link.SetByteGap(c.gap);

    const TransferResult result = RunTransfer(link, "com3", c.direction, document, user);

    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.attempts, c.attempts);
    EXPECT_EQ(result.prompts, c.prompts);
    EXPECT_EQ(user.prompts, c.prompts);
    EXPECT_EQ(result.blocks, c.blocks);
    EXPECT_EQ(user.messages, c.messages);
    EXPECT_EQ(link.Closes(), 1);
    EXPECT_FALSE(link.IsOpen());
    if (c.took > 0us) {
        EXPECT_EQ(link.Now(), c.took);
    }
    // Once the device is gone nothing more is tried, and no time-out is waited for.
    EXPECT_EQ(link.callsAfterPull, 0);
    if (c.pullAtCall > 0) {
        EXPECT_LE(link.Now() - link.pulledAt, 5ms);
    }
    // Nothing reaches the radio when Cancel comes at the six pump points before the first
    // wake-up, or the cable is gone at its first byte.
    EXPECT_EQ(link.Sent().empty(),
              (c.cancelAtPump >= 1 && c.cancelAtPump <= 6) || c.pullAtCall == 1);
    // A read changes the document only once it completed; a write leaves the document alone
    // and the radio holds exactly the blocks it acknowledged.
    EXPECT_EQ(document,
              c.direction == Read && c.outcome == O::Completed ? radioBefore : documentBefore);
    MemoryImage radioAfter = radioBefore;
    for (int i = 0; c.direction == Write && i < c.blocks; ++i) {
        const auto [at, size] = WriteBlock(i);
        std::copy_n(documentBefore.begin() + at, size, radioAfter.begin() + at);
    }
    if (c.behaviour.fault == F::CorruptWriteBlock) {
        radioAfter[WriteBlock(c.behaviour.block).first] ^= 0xFF;
    }
    EXPECT_EQ(radio.Memory(), radioAfter);
}

const auto Retry = PromptAnswer::Retry;
const auto kByte = SimulatedLink::LineByteTime;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Radio, FaultTest, ::testing::Values(
    // name, direction, radio behaviour {fault, block k, answer from attempt, slow gap},
    // prompt answers, outcome, attempts, prompts, blocks, message, cancel at pump, byte gap,
    // cable pulled at call, time taken
    // Each silent attempt: 6 x 1 ms, 7 wake-up bytes 2 ms apart, two one-byte reads of 590 ms, 2 ms.
    FaultCase{"Silent",                Read,  {F::Silent},                  {},      O::CancelledAtPrompt, 15, 1, 0, {}, 0, kByte, 0, 15 * 1202ms},
    FaultCase{"SilentRetry",           Read,  {F::Silent},                  {Retry}, O::CancelledAtPrompt, 30, 2, 0, {}},
    FaultCase{"OneStray",              Read,  {F::OneStrayByte},            {},      O::Completed, 1, 0, 1024, {}},
    FaultCase{"TwoStray",              Read,  {F::TwoStrayBytes},           {},      O::CancelledAtPrompt, 15, 1, 0, {}},
    FaultCase{"NoConfirmationAtFifth", Read,  {F::NoConfirmation, 0, 5},    {},      O::CancelledAtPrompt, 5, 1, 0, {}},
    FaultCase{"NoConfirmationAtSixth", Read,  {F::NoConfirmation, 0, 6},    {},      O::Interrupted, 6, 0, 0, kInterrupt},
    FaultCase{"AnswersAfterRetry",     Read,  {F::None, 0, 16},             {Retry}, O::Completed, 16, 1, 1024, {}},
    FaultCase{"NakFirstWriteBlock",    Write, {F::NakAtWriteBlock, 0},      {},      O::Interrupted, 1, 0, 0, kInterrupt},
    FaultCase{"NakBandBlock",          Write, {F::NakAtWriteBlock, 922},    {},      O::Interrupted, 1, 0, 922, kInterrupt},
    FaultCase{"ShortReply",            Read,  {F::ShortReplyAtReadBlock, 5}, {},     O::Interrupted, 1, 0, 5, kInterrupt},
    FaultCase{"NoConfirmationAtLast",  Read,  {F::NoConfirmationAtReadBlock, 1023}, {}, O::Interrupted, 1, 0, 1023, kInterrupt},
    FaultCase{"HangUpRead",            Read,  {F::HangUpAtBlock, 10},       {},      O::ConnectionLost, 1, 0, 10, kLost},
    FaultCase{"HangUpWrite",           Write, {F::HangUpAtBlock, 201},      {},      O::ConnectionLost, 1, 0, 201, kLost},
    FaultCase{"CorruptBlockAcked",     Write, {F::CorruptWriteBlock, 3},    {},      O::Completed, 1, 0, 923, {}},
    // Cancel is seen at the pump points: six before each wake-up attempt, nine after a block.
    FaultCase{"CancelAtFirstPump",     Read,  {},                           {},      O::Cancelled, 1, 0, 0, {}, 1},
    FaultCase{"CancelWhileSilent",     Read,  {F::Silent},                  {},      O::Cancelled, 2, 0, 0, {}, 8},
    FaultCase{"CancelBeforeLastBlock", Read,  {},                           {},      O::Cancelled, 1, 0, 1023, {}, 6 + 1023 * 9},
    FaultCase{"CancelAfterLastBlock",  Read,  {},                           {},      O::Completed, 1, 0, 1024, {}, 6 + 1023 * 9 + 1},
    FaultCase{"CancelBeforeBandBlock", Write, {},                           {},      O::Cancelled, 1, 0, 922, {}, 6 + 922 * 9},
    FaultCase{"CancelAfterBandBlock",  Write, {},                           {},      O::Completed, 1, 0, 923, {}, 6 + 922 * 9 + 1},
    // A read ends 30 ms after a byte when no further byte follows. 31 ms cuts the
    // identification reply short, and its tail is no confirmation.
    FaultCase{"Gap30ms",               Read,  {},                           {},      O::Completed, 1, 0, 1024, {}, 0, 30ms},
    FaultCase{"Gap31ms",               Read,  {},                           {},      O::CancelledAtPrompt, 1, 1, 0, {}, 0, 31ms},
    // Block 500's reply bytes 29.04 ms apart are in time, 31.04 ms apart are not.
    FaultCase{"SlowBlockInTime",       Read,  {F::SlowReplyAtReadBlock, 500, 1, 28ms},   {},      O::Completed, 1, 0, 1024, {}},
    // The handshake takes 32.420 ms and each block 13 bytes of 1.042 ms; the read of block 500
    // ends 30 ms after its first byte.
    FaultCase{"SlowBlockTooSlow",      Read,  {F::SlowReplyAtReadBlock, 500, 1, 30ms},   {},      O::Interrupted, 1, 0, 500, kInterrupt, 0, kByte, 0, 32420us + 500 * 13546us + 1042us + 30ms},
    // The cable pulled at every stage: wake-up, identification, first, middle and last blocks.
    FaultCase{"PulledAtFirstWakeByte", Read,  {}, {}, O::ConnectionLost, 1, 0, 0, kLost, 0, kByte, 1},
    FaultCase{"PulledAtWakeAnswer",    Read,  {}, {}, O::ConnectionLost, 1, 0, 0, kLost, 0, kByte, 8},
    FaultCase{"PulledAtIdentRequest",  Write, {}, {}, O::ConnectionLost, 1, 0, 0, kLost, 0, kByte, 9},
    FaultCase{"PulledAtIdentReply",    Read,  {}, {}, O::ConnectionLost, 1, 0, 0, kLost, 0, kByte, 11},
    FaultCase{"PulledAtConfirmation",  Write, {}, {}, O::ConnectionLost, 1, 0, 0, kLost, 0, kByte, 13},
    FaultCase{"PulledAtReadHeader",    Read,  {}, {}, O::ConnectionLost, 1, 0, 0, kLost, 0, kByte, R(0)},
    FaultCase{"PulledAtReadReply",     Read,  {}, {}, O::ConnectionLost, 1, 0, 0, kLost, 0, kByte, R(0) + 1},
    FaultCase{"PulledAtReadAck",       Read,  {}, {}, O::ConnectionLost, 1, 0, 512, kLost, 0, kByte, R(512) + 2},
    FaultCase{"PulledAtLastReadConfirmation", Read, {}, {}, O::ConnectionLost, 1, 0, 1023, kLost, 0, kByte, R(1023) + 3},
    FaultCase{"PulledAtWriteHeader",   Write, {}, {}, O::ConnectionLost, 1, 0, 0, kLost, 0, kByte, W(0)},
    FaultCase{"PulledAtWriteData",     Write, {}, {}, O::ConnectionLost, 1, 0, 461, kLost, 0, kByte, W(461) + 1},
    FaultCase{"PulledAtBandBlockData", Write, {}, {}, O::ConnectionLost, 1, 0, 922, kLost, 0, kByte, W(922) + 1}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A wake-up cut off by line noise, or begun again from its first byte after a retry, still
// wakes the radio once the whole string has come: it answers with one acknowledgement.
TEST(RadioSimulatorTest, WakesOnTheWholeStringAfterNoiseOrARestartedOne) {
    const std::vector<std::vector<std::uint8_t>> before = {
        {}, {0xFF}, {0x02, 0x50}, {0xFF, 0x02, 0x50, 0x52, 0x02}};
    for (const std::vector<std::uint8_t>& noise : before) {
        RadioSimulator radio(NewImage());
        std::vector<std::uint8_t> line = noise;
        line.insert(line.end(), std::begin(protocol::WakeUp), std::end(protocol::WakeUp));
        const std::vector<ReplyByte> reply = radio.Feed(line);
        ASSERT_EQ(reply.size(), 1u) << Hex(noise);
        EXPECT_EQ(reply[0].value, protocol::Ack) << Hex(noise);
    }
    std::vector<std::uint8_t> wrongStart(std::begin(protocol::WakeUp), std::end(protocol::WakeUp));
    wrongStart[0] = 0xFF; // another first byte: only noise
    EXPECT_TRUE(RadioSimulator(NewImage()).Feed(wrongStart).empty());
}

TEST(Transfer, PortThatWillNotOpenIsReportedAndNothingIsSent) {
    for (const OpenResult failure :
         {OpenResult::NotFound, OpenResult::Busy, OpenResult::NoPermission, OpenResult::Failed}) {
        Session s;
        s.link.SetOpenResult(failure, "in use by pid 4242");
        const TransferResult result = s.Transfer(Read);
        EXPECT_EQ(result.outcome, O::PortOpenFailed);
        EXPECT_EQ(result.open, failure);
        EXPECT_EQ(result.openDetail, "in use by pid 4242");
        EXPECT_EQ(s.user.messages,
                  std::vector<std::string>{std::string(txt::MsgPortOpenFailed.en)});
        EXPECT_EQ(s.user.positions, std::vector<int>{0});
        EXPECT_EQ(Describe(s.link.Ops(), 0, 10), "open");
        EXPECT_EQ(s.link.Closes(), 0);
        EXPECT_EQ(s.document, s.documentBefore);
    }
}

// How each event is written (FormatTrace) is exchange_core_test's TraceFormat table.
// The trace file is closed with the transfer that wrote it: no descriptor is left open.
TEST(TraceFile, WritesEachLineAtOnceAndSaysWhyItCannotOpen) {
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    };
    const auto before = openFiles();
    const std::string path = ::testing::TempDir() + "velmora-trace.txt";
    {
        TraceFile trace;
        std::string error;
        EXPECT_FALSE(trace.Open("/velmora-no-such-folder/trace.txt", error));
        EXPECT_EQ(error, "No such file or directory");
        ASSERT_TRUE(trace.Open(path, error));
        trace.Note("read /dev/pts/3");
        trace.Write({TraceEvent::Kind::Sent, 0us, {0x57}, IoResult::Ok}); // the start: no sign
        std::ifstream in(path); // read while the file is open: each line is on the disk at once
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
                  "# read /dev/pts/3\n     0.000 ms > 57\n");
    }
    EXPECT_EQ(openFiles(), before);
    std::remove(path.c_str());
}

} // namespace
} // namespace velmora
