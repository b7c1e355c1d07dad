// The radio's side of the read/write exchange, for tests, the virtual radio tool and the demo
// mode: it holds the radio's memory, takes the bytes the program sends and answers them the way
// the radio does, or the way a faulty radio or cable does when asked to.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "image/MemoryImage.h"

namespace velmora {

enum class RadioFault {
    None,
    Silent,                    // answers nothing at all (radio off, cable loose)
    OneStrayByte,              // one stray byte ahead of the wake-up answer (tolerated)
    TwoStrayBytes,             // two stray bytes ahead of it (the attempt fails)
    NoConfirmation,            // no 0x06 after the identification acknowledgement
    NakAtWriteBlock,           // answers write block k with 0x15 instead of 0x06
    ShortReplyAtReadBlock,     // sends only 11 of the 12 reply bytes of read block k
    NoConfirmationAtReadBlock, // no 0x06 after the program acknowledges read block k
    HangUpAtBlock,             // the device goes away when the header of block k arrives
    CorruptWriteBlock,         // stores write block k with its first byte inverted, yet says 0x06
    SlowReplyAtReadBlock,      // the reply bytes of read block k come `slowGap` further apart
};

struct RadioBehaviour {
    RadioFault fault = RadioFault::None;
    int block = 0; // k: blocks are counted from 0 in the order they arrive after a wake-up
    // Wake-up strings before this one (counted from 1 since the simulator was made) go
    // unanswered, like a radio that is switched on only while the program is already trying.
    int answerFromAttempt = 1;
    std::chrono::microseconds slowGap{std::chrono::milliseconds(40)};
};

// One byte of an answer; `delay` is how much later than the line's own pace it comes.
struct ReplyByte {
    std::uint8_t value;
    std::chrono::microseconds delay{0};
};

namespace radio {
inline constexpr std::uint8_t Nak = 0x15;
inline constexpr std::uint8_t StrayByte = 0x00;
// What the simulated radio says about itself; the program does not look at it.
inline constexpr std::uint8_t Identification[8] = {'V', 'R', '-', '2', '0', '0', 0x00, 0x01};
} // namespace radio

class RadioSimulator {
public:
    explicit RadioSimulator(const MemoryImage& memory) : memory_(memory) {}

    void SetBehaviour(const RadioBehaviour& behaviour) { behaviour_ = behaviour; }

    // Takes bytes as they arrive from the program and returns what the radio sends back.
    std::vector<ReplyByte> Feed(std::span<const std::uint8_t> bytes);

    const MemoryImage& Memory() const { return memory_; }
    MemoryImage& Memory() { return memory_; }
    // The device went away (HangUpAtBlock); from now on the port reports a lost connection.
    bool HungUp() const { return state_ == State::Gone; }
    int WakeUps() const { return wakeUps_; }
    int WriteBlocksStored() const { return writeBlocksStored_; }
    int ReadBlocksSent() const { return readBlocksSent_; }

private:
    enum class State { Asleep, AwaitIdent, AwaitIdentAck, Ready, WriteData, AwaitReadAck, Gone };

    void Take(std::uint8_t byte, std::vector<ReplyByte>& out);
    void WakeUp(std::vector<ReplyByte>& out);
    void Command(std::vector<ReplyByte>& out);
    void StoreBlock(std::vector<ReplyByte>& out);
    bool FaultAt(RadioFault fault, int block) const {
        return behaviour_.fault == fault && behaviour_.block == block;
    }

    MemoryImage memory_;
    RadioBehaviour behaviour_;
    State state_ = State::Asleep;
    std::size_t matched_ = 0; // bytes of the wake-up string or identification request seen
    std::vector<std::uint8_t> frame_;
    int wakeUps_ = 0;
    int writeBlock_ = 0; // index of the write block in progress since the last wake-up
    int readBlock_ = 0;
    int writeBlocksStored_ = 0;
    int readBlocksSent_ = 0;
};

} // namespace velmora
