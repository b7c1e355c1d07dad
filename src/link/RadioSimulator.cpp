#include "link/RadioSimulator.h"

#include "link/RadioProtocol.h"

namespace velmora {

using namespace protocol;

std::vector<ReplyByte> RadioSimulator::Feed(std::span<const std::uint8_t> bytes) {
    std::vector<ReplyByte> out;
    for (const std::uint8_t byte : bytes) {
        Take(byte, out);
    }
    return out;
}

void RadioSimulator::Take(std::uint8_t byte, std::vector<ReplyByte>& out) {
    switch (state_) {
    case State::Gone:
        return;
    case State::Asleep:
        if (byte == protocol::WakeUp[matched_]) {
            if (++matched_ == std::size(protocol::WakeUp)) {
                WakeUp(out);
            }
        } else {
            matched_ = byte == protocol::WakeUp[0] ? 1 : 0;
        }
        return;
    case State::AwaitIdent:
        if (byte == IdentRequest[matched_]) {
            if (++matched_ == std::size(IdentRequest)) {
                for (const std::uint8_t b : radio::Identification) {
                    out.push_back({b});
                }
                state_ = State::AwaitIdentAck;
            }
            return;
        }
        break;
    case State::AwaitIdentAck:
        if (byte == Ack) {
            if (behaviour_.fault == RadioFault::NoConfirmation) {
                state_ = State::Asleep;
                matched_ = 0;
            } else {
                out.push_back({Ack});
                state_ = State::Ready;
            }
            return;
        }
        break;
    case State::Ready:
        if (frame_.empty() && byte != WriteCommand && byte != ReadCommand) {
            break;
        }
        frame_.push_back(byte);
        if (frame_.size() == 4) {
            Command(out);
        }
        return;
    case State::WriteData:
        frame_.push_back(byte);
        if (frame_.size() == 4u + frame_[3]) {
            StoreBlock(out);
        }
        return;
    case State::AwaitReadAck:
        if (byte == Ack) {
            if (!FaultAt(RadioFault::NoConfirmationAtReadBlock, readBlock_ - 1)) {
                out.push_back({Ack});
            }
            state_ = State::Ready;
            return;
        }
        state_ = State::Ready;
        Take(byte, out);
        return;
    }
    // Anything unexpected sends the radio back to listening for the wake-up string, which is
    // where the program starts again after every failure.
    state_ = State::Asleep;
    matched_ = 0;
    frame_.clear();
    Take(byte, out);
}

void RadioSimulator::WakeUp(std::vector<ReplyByte>& out) {
    ++wakeUps_;
    matched_ = 0;
    if (behaviour_.fault == RadioFault::Silent || wakeUps_ < behaviour_.answerFromAttempt) {
        return;
    }
    if (behaviour_.fault == RadioFault::OneStrayByte) {
        out.push_back({radio::StrayByte});
    } else if (behaviour_.fault == RadioFault::TwoStrayBytes) {
        out.push_back({radio::StrayByte});
        out.push_back({radio::StrayByte});
    }
    out.push_back({Ack});
    state_ = State::AwaitIdent;
    frame_.clear();
    writeBlock_ = 0;
    readBlock_ = 0;
}

void RadioSimulator::Command(std::vector<ReplyByte>& out) {
    const bool write = frame_[0] == WriteCommand;
    const int block = write ? writeBlock_++ : readBlock_++;
    if (FaultAt(RadioFault::HangUpAtBlock, block)) {
        state_ = State::Gone;
        return;
    }
    const std::size_t address = static_cast<std::size_t>(frame_[1]) << 8 | frame_[2];
    const std::size_t length = frame_[3];
    if (length == 0 || length > BlockSize || address + length > kImageSize) {
        out.push_back({radio::Nak});
        frame_.clear();
        return;
    }
    if (write) {
        state_ = State::WriteData;
        return;
    }
    const std::chrono::microseconds gap = FaultAt(RadioFault::SlowReplyAtReadBlock, block)
                                              ? behaviour_.slowGap
                                              : std::chrono::microseconds(0);
    std::size_t size = 4 + length;
    if (FaultAt(RadioFault::ShortReplyAtReadBlock, block)) {
        --size;
    }
    const std::uint8_t reply[4 + BlockSize] = {WriteCommand, frame_[1], frame_[2], frame_[3]};
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t value = i < 4 ? reply[i] : memory_[address + i - 4];
        out.push_back({value, i == 0 ? std::chrono::microseconds(0) : gap});
    }
    ++readBlocksSent_;
    frame_.clear();
    state_ = State::AwaitReadAck;
}

void RadioSimulator::StoreBlock(std::vector<ReplyByte>& out) {
    const int block = writeBlock_ - 1;
    const std::size_t address = static_cast<std::size_t>(frame_[1]) << 8 | frame_[2];
    if (FaultAt(RadioFault::NakAtWriteBlock, block)) {
        out.push_back({radio::Nak});
    } else {
        for (std::size_t i = 4; i < frame_.size(); ++i) {
            memory_[address + i - 4] = frame_[i];
        }
        if (FaultAt(RadioFault::CorruptWriteBlock, block)) {
            memory_[address] ^= 0xFF;
        }
        ++writeBlocksStored_;
        out.push_back({Ack});
    }
    frame_.clear();
    state_ = State::Ready;
}

} // namespace velmora
