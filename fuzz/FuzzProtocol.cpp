// The transfer engine against a radio whose answers the fuzzer chooses: each read the program
// makes is answered either the way a sound radio would or with chosen bytes, short, late, with
// a read error or with the device gone; the Cancel button and the Retry prompt are chosen too.
// Whatever comes, the transfer ends in one of its outcomes with the port closed, a write sends
// exactly the image's bytes, and the document changes only when a read completed, and then to
// exactly the bytes the radio sent.
#include "link/RadioProtocol.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

using namespace velmora;

namespace {

class FuzzLink : public SerialLink {
public:
    FuzzLink(FuzzedDataProvider& in, const MemoryImage& image) : in_(in), image_(image) {
        sent_.fill(0);
        received_.fill(0);
    }

    OpenResult Open(const std::string&) override {
        if (open_) {
            std::abort();
        }
        const auto result =
            static_cast<OpenResult>(in_.ConsumeIntegralInRange(0, 8) % 5 == 4 ? 4 : 0);
        open_ = result == OpenResult::Ok;
        return result;
    }
    bool Configure() override { return in_.ConsumeIntegralInRange(0, 15) != 0; }
    void PurgeAll() override { CheckOpen(); }
    void Purge() override { CheckOpen(); }
    void Sleep(std::chrono::milliseconds) override {}
    void Close() override {
        CheckOpen();
        open_ = false;
        ++closes_;
    }

    IoResult Write(std::span<const std::uint8_t> bytes) override {
        CheckOpen();
        if (bytes.empty()) {
            std::abort();
        }
        // A block's data follows its 4-byte header: it must be the image's bytes there.
        if (pendingWrite_) {
            const auto [address, count] = *pendingWrite_;
            pendingWrite_.reset();
            if (bytes.size() != count || address + count > kImageSize ||
                !std::equal(bytes.begin(), bytes.end(), image_.begin() + address)) {
                std::abort();
            }
        } else if (bytes.size() == 4 &&
                   (bytes[0] == protocol::WriteCommand || bytes[0] == protocol::ReadCommand)) {
            const std::size_t address = (std::size_t{bytes[1]} << 8) | bytes[2];
            if (bytes[0] == protocol::WriteCommand) {
                pendingWrite_ = std::make_pair(address, std::size_t{bytes[3]});
            } else {
                readAddress_ = address;
            }
        }
        lastWrite_.assign(bytes.begin(), bytes.end());
        return Choose(IoResult::Ok);
    }

    IoResult Read(std::span<std::uint8_t> buf, std::size_t& got) override {
        CheckOpen();
        got = 0;
        const int mode = in_.remaining_bytes() == 0 ? 0 : in_.ConsumeIntegralInRange(0, 15);
        if (mode < 10) { // a sound radio
            Sound(buf, got);
            return IoResult::Ok;
        }
        if (mode < 13) { // chosen bytes, maybe too few
            const std::size_t n = in_.ConsumeIntegralInRange<std::size_t>(0, buf.size());
            for (std::size_t i = 0; i < n; ++i) {
                buf[i] = in_.ConsumeIntegral<std::uint8_t>();
            }
            // A whole block reply is taken whatever its header says (the radio's header is not
            // examined); its data is what a completed read must hold there.
            if (n == protocol::ReadReplySize && buf.size() == n && readAddress_ + 8 <= kImageSize) {
                std::copy(buf.begin() + 4, buf.end(), received_.begin() + readAddress_);
            }
            // A faulty driver may claim more than the buffer holds; the engine must not read
            // past it.
            got = mode == 12 && n == buf.size() ? n + 5 : n;
            return n == buf.size() ? IoResult::Ok : IoResult::TimedOut;
        }
        if (mode == 13) {
            return IoResult::TimedOut;
        }
        if (mode == 14) {
            return IoResult::Error;
        }
        gone_ = true;
        return IoResult::Disconnected;
    }

    // The bytes a read completed with, by address, as the radio sent them.
    const MemoryImage& Received() const { return received_; }
    bool Open() const { return open_; }
    int Closes() const { return closes_; }

private:
    void CheckOpen() const {
        if (!open_) {
            std::abort();
        }
    }
    IoResult Choose(IoResult sound) {
        if (gone_) {
            return IoResult::Disconnected;
        }
        if (in_.remaining_bytes() == 0 || in_.ConsumeIntegralInRange(0, 31) != 0) {
            return sound;
        }
        gone_ = true;
        return IoResult::Disconnected;
    }
    void Sound(std::span<std::uint8_t> buf, std::size_t& got) {
        if (buf.size() == protocol::ReadReplySize && readAddress_ + 8 <= kImageSize) {
            buf[0] = protocol::WriteCommand;
            buf[1] = static_cast<std::uint8_t>(readAddress_ >> 8);
            buf[2] = static_cast<std::uint8_t>(readAddress_ & 0xFF);
            buf[3] = 8;
            for (std::size_t i = 0; i < 8; ++i) {
                const auto value = static_cast<std::uint8_t>(readAddress_ * 7 + i * 13 + 1);
                buf[4 + i] = value;
                received_[readAddress_ + i] = value;
            }
            got = buf.size();
            return;
        }
        for (std::size_t i = 0; i < buf.size(); ++i) {
            buf[i] = buf.size() == 1 ? protocol::Ack : static_cast<std::uint8_t>(i);
        }
        got = buf.size();
    }

    FuzzedDataProvider& in_;
    const MemoryImage& image_;
    MemoryImage sent_;
    MemoryImage received_;
    std::optional<std::pair<std::size_t, std::size_t>> pendingWrite_;
    std::size_t readAddress_ = kImageSize;
    std::vector<std::uint8_t> lastWrite_;
    bool open_ = false;
    bool gone_ = false;
    int closes_ = 0;
};

class FuzzHooks : public TransferHooks {
public:
    FuzzHooks(FuzzedDataProvider& in, int cancelAt) : in_(in), cancelAt_(cancelAt) {}
    void Progress(int position, int range) override {
        if (position < 0 || position > range || position < last_) {
            std::abort();
        }
        last_ = position;
    }
    bool Cancelled() override { return ++pumps_ == cancelAt_; }
    PromptAnswer CommunicationErrorPrompt() override {
        // Retry a few times at most, so that every run ends.
        if (++prompts_ > 3 || in_.remaining_bytes() == 0 || !in_.ConsumeBool()) {
            return PromptAnswer::Cancel;
        }
        return PromptAnswer::Retry;
    }
    void ShowMessage(TextPair) override { ++messages_; }
    int Messages() const { return messages_; }

private:
    FuzzedDataProvider& in_;
    int cancelAt_;
    int pumps_ = 0;
    int prompts_ = 0;
    int last_ = 0;
    int messages_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool write = in.ConsumeBool();
    // 0: never; otherwise the pump point at which the user presses Cancel.
    const int cancelAt = in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 12000) : 0;
    MemoryImage image = NewImage();
    for (std::size_t i = 0; i < 16; ++i) {
        image[i * 509 % kImageSize] = static_cast<std::uint8_t>(i * 17);
    }
    const MemoryImage before = image;

    FuzzLink link(in, before);
    FuzzHooks hooks(in, cancelAt);
    const TransferResult result =
        RunTransfer(link, "ttyFUZZ", write ? TransferDirection::Write : TransferDirection::Read,
                    image, hooks, [](const TraceEvent& event) { (void)FormatTrace(event); });

    switch (result.outcome) {
    case TransferOutcome::Completed:
    case TransferOutcome::PortOpenFailed:
    case TransferOutcome::CancelledAtPrompt:
    case TransferOutcome::Interrupted:
    case TransferOutcome::Cancelled:
    case TransferOutcome::ConnectionLost:
        break;
    default:
        std::abort();
    }
    if (link.Open() || (result.outcome != TransferOutcome::PortOpenFailed && link.Closes() != 1)) {
        std::abort(); // the port is closed whatever the end
    }
    const bool readCompleted = !write && result.outcome == TransferOutcome::Completed;
    if (readCompleted ? image != link.Received() : image != before) {
        std::fprintf(stderr, "outcome %d, write %d: the document %s\n", int(result.outcome),
                     int(write), readCompleted ? "differs from what arrived" : "changed");
        std::abort();
    }
    if (result.outcome == TransferOutcome::Completed &&
        result.blocks != (write ? protocol::WriteBlockCount : protocol::ReadBlockCount)) {
        std::abort();
    }
    return 0;
}
