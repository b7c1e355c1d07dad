// A serial port wired straight to a RadioSimulator, on a virtual clock.
//
// Pauses and read time-outs move the clock instead of waiting, so a test of fifteen silent
// wake-up attempts takes no real time. Every call the program makes is recorded, so tests can
// assert the exact bytes and their order against purges, pauses and reads.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "link/RadioSimulator.h"
#include "link/SerialLink.h"

namespace velmora {

struct LinkOp {
    enum class Kind { Open, Configure, PurgeAll, Purge, Write, Read, Sleep, Close };
    Kind kind;
    std::vector<std::uint8_t> bytes; // Write: the bytes written; Read: the bytes delivered
    std::size_t count = 0;           // Read: bytes asked for; Sleep: milliseconds
    std::chrono::microseconds at{0}; // the virtual time when the call was made
};

class SimulatedLink : public SerialLink {
public:
    // One byte takes 10 bit times at 9600 baud on the line.
    static constexpr std::chrono::microseconds LineByteTime{1042};

    explicit SimulatedLink(RadioSimulator& radio) : radio_(radio) {}

    OpenResult Open(const std::string& name) override;
    bool Configure() override;
    void PurgeAll() override;
    void Purge() override;
    IoResult Write(std::span<const std::uint8_t> bytes) override;
    IoResult Read(std::span<std::uint8_t> buf, std::size_t& got) override;
    void Sleep(std::chrono::milliseconds duration) override;
    void Close() override;
    std::string OpenFailureDetail() const override { return openDetail_; }
    std::chrono::microseconds Now() const override { return now_; }

    // What the next Open answers (the port busy, not there, ...).
    void SetOpenResult(OpenResult result, std::string detail = {}) {
        openResult_ = result;
        openDetail_ = std::move(detail);
    }
    // Time between two reply bytes on the line; a slow radio or adapter has more. Gaps up to
    // 30 ms keep a read going; a longer one ends it short.
    void SetByteGap(std::chrono::microseconds gap) { byteGap_ = gap; }

    // Every byte the program wrote, in order.
    const std::vector<std::uint8_t>& Sent() const { return sent_; }
    const std::vector<LinkOp>& Ops() const { return ops_; }
    int Opens() const { return opens_; }
    int Closes() const { return closes_; }
    bool IsOpen() const { return open_; }
    const std::string& PortName() const { return portName_; }

private:
    struct Arrival {
        std::chrono::microseconds at;
        std::uint8_t value;
    };
    void DropArrived();

    RadioSimulator& radio_;
    OpenResult openResult_ = OpenResult::Ok;
    std::string openDetail_;
    std::chrono::microseconds byteGap_ = LineByteTime;
    std::chrono::microseconds now_{0};
    std::deque<Arrival> incoming_; // reply bytes on their way, by arrival time
    std::vector<std::uint8_t> sent_;
    std::vector<LinkOp> ops_;
    std::string portName_;
    bool open_ = false;
    int opens_ = 0;
    int closes_ = 0;
};

} // namespace velmora
