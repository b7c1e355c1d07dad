// Moving the whole memory image between the program and the radio.
//
// A half-duplex, stop-and-wait exchange at 9600 baud: a wake-up string, an identification
// exchange, then blocks of 8 data bytes addressed by a 16-bit address, each answered by 0x06.
//
//   program                          radio
//   02 50 52 4F 47 52 41  ------->
//                         <-------   06            (one stray byte ahead of it is tolerated)
//   4D 02                 ------->
//                         <-------   8 bytes       (identification, not examined)
//   06                    ------->
//                         <-------   06
//   write: 57 hi lo n, d0..dn-1 ->   06            (n = 8; 3 for the band bytes at 0x1FF0)
//   read:  52 hi lo 08    ------->
//                         <-------   4 header bytes, d0..d7
//          06             ------->
//                         <-------   06
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "image/MemoryImage.h"
#include "link/SerialLink.h"
#include "link/TransferHooks.h"

namespace velmora {

enum class TransferDirection { Read, Write };

enum class TransferOutcome {
    Completed,
    PortOpenFailed,    // "Could not Open the Port..." shown
    CancelledAtPrompt, // Cancel at the Communication Error prompt
    Interrupted,       // "Program Interrupt..." shown
    Cancelled,         // the progress dialog's Cancel, noticed at a pump point; nothing shown
    ConnectionLost,    // the device went away; "Connection to the radio was lost..." shown
};

struct TransferResult {
    TransferOutcome outcome = TransferOutcome::Completed;
    int attempts = 0; // wake-up attempts made, over all Retry rounds
    int prompts = 0;  // Communication Error prompts shown
    int blocks = 0;   // blocks the radio acknowledged
    OpenResult open = OpenResult::Ok;
    std::string openDetail; // the link's own words when the port did not open
};

namespace protocol {
inline constexpr std::uint8_t Ack = 0x06;
inline constexpr std::uint8_t WakeUp[7] = {0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41};
inline constexpr std::uint8_t IdentRequest[2] = {0x4D, 0x02};
inline constexpr std::size_t IdentReplySize = 8;
inline constexpr std::uint8_t WriteCommand = 0x57;
inline constexpr std::uint8_t ReadCommand = 0x52;
inline constexpr std::size_t BlockSize = 8;
inline constexpr std::size_t ReadReplySize = 12; // 4 header bytes, then the block's 8 bytes

// A write sends the channel records and everything from the channel names up, but never
// 0x0640-0x095F nor 0x1FF3-0x1FFF: the radio keeps what it holds there.
struct Area {
    std::uint16_t first; // address of the first 8-byte block
    std::uint16_t last;  // address of the last 8-byte block
};
inline constexpr Area WriteAreas[2] = {{0x0000, 0x0638}, {0x0960, 0x1FE8}};
inline constexpr std::uint16_t BandBlockAddress = 0x1FF0;
inline constexpr std::size_t BandBlockSize = 3;
inline constexpr int WriteBlockCount = 923;
inline constexpr int ReadBlockCount = 1024;
inline constexpr int WriteProgressRange = 461;
inline constexpr int ReadProgressRange = 512;

inline constexpr int AttemptsBeforePrompt = 15;
// Past this many attempts a radio that answered the wake-up but not the identification is
// taken to be stuck, and the user is told to reset it instead of being offered Retry.
inline constexpr int AttemptsBeforeInterrupt = 5;
inline constexpr int PumpsBeforeAttempt = 6;
inline constexpr int PumpsAfterBlock = 9;
} // namespace protocol

// One line of the traffic trace: the bytes that went out or came in, stamped by the link's clock.
struct TraceEvent {
    enum class Kind { Sent, Received };
    Kind kind = Kind::Sent;
    std::chrono::microseconds at{0};
    std::vector<std::uint8_t> bytes;
    IoResult result = IoResult::Ok;
};
using TraceSink = std::function<void(const TraceEvent&)>;

// "    12.345 ms > 57 1F F0 03", "    13.389 ms < 06", "   603.000 ms < (none, timed out)":
// the same in every locale, so a user's trace always reads back the same way.
std::string FormatTrace(const TraceEvent& event);

// Runs one whole transfer on the calling thread and closes the port whatever the end. A read
// changes `image` only when every block arrived; a write sends `image` as it is.
TransferResult RunTransfer(SerialLink& link, const std::string& portName,
                           TransferDirection direction, MemoryImage& image, TransferHooks& hooks,
                           const TraceSink& trace = {});

} // namespace velmora
