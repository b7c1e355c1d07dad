#include "link/RadioProtocol.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>

namespace velmora {

using namespace std::chrono_literals;
using namespace protocol;

namespace {

// How one exchange with the radio went.
enum class Answer {
    Ack,        // 0x06 arrived where it was awaited
    NoAck,      // another byte, or nothing by the time-outs
    ReadFailed, // the port reported a read error
    Cancelled,  // the Cancel flag was seen at a pump point
    Lost,       // the device went away
};

class Transfer {
public:
    Transfer(SerialLink& link, TransferHooks& hooks, const TraceSink& trace)
        : link_(link), hooks_(hooks), trace_(trace) {}

    TransferResult Run(const std::string& portName, TransferDirection direction,
                       MemoryImage& image) {
        const bool write = direction == TransferDirection::Write;
        range_ = write ? WriteProgressRange : ReadProgressRange;
        hooks_.Progress(0, range_);

        result_.open = link_.Open(portName);
        if (result_.open != OpenResult::Ok) {
            result_.openDetail = link_.OpenFailureDetail();
            hooks_.ShowMessage(txt::MsgPortOpenFailed);
            result_.outcome = TransferOutcome::PortOpenFailed;
            return result_;
        }
        // A port that refuses the line settings cannot wake the radio either; the handshake
        // then ends at the Communication Error prompt, which tells the user what to check.
        link_.Configure();

        TransferOutcome outcome = Handshake();
        if (outcome == TransferOutcome::Completed) {
            outcome = write ? WriteImage(image) : ReadImage(image);
        }
        if (outcome == TransferOutcome::Interrupted) {
            hooks_.ShowMessage(txt::MsgProgramInterrupt);
        } else if (outcome == TransferOutcome::ConnectionLost) {
            hooks_.ShowMessage(txt::MsgConnectionLost);
        }
        link_.Close();
        result_.outcome = outcome;
        return result_;
    }

private:
    // Wakes the radio and identifies it. Completed means the radio is ready for blocks.
    TransferOutcome Handshake() {
        int attempt = 1;
        for (;;) {
            const Answer woke = WakeAttempt();
            if (woke == Answer::Cancelled) {
                return TransferOutcome::Cancelled;
            }
            if (woke == Answer::Lost) {
                return TransferOutcome::ConnectionLost;
            }
            if (woke != Answer::Ack) {
                link_.Sleep(2ms);
                if (++attempt <= AttemptsBeforePrompt) {
                    continue;
                }
            } else {
                const Answer identified = Identify();
                if (identified == Answer::Lost) {
                    return TransferOutcome::ConnectionLost;
                }
                if (identified == Answer::Ack) {
                    return TransferOutcome::Completed;
                }
                if (identified == Answer::NoAck && attempt > AttemptsBeforeInterrupt) {
                    return TransferOutcome::Interrupted;
                }
            }
            ++result_.prompts;
            if (hooks_.CommunicationErrorPrompt() == PromptAnswer::Cancel) {
                return TransferOutcome::CancelledAtPrompt;
            }
            attempt = 1;
        }
    }

    // One wake-up attempt: the string byte by byte, then 0x06, maybe behind one stray byte.
    Answer WakeAttempt() {
        ++result_.attempts;
        if (!PumpPasses(PumpsBeforeAttempt, 1ms)) {
            return Answer::Cancelled;
        }
        link_.PurgeAll();
        for (const std::uint8_t byte : protocol::WakeUp) {
            link_.Sleep(2ms);
            link_.Purge();
            if (!Send({&byte, 1})) {
                return Answer::Lost;
            }
        }
        const Answer first = ReceiveAck();
        if (first == Answer::Ack || first == Answer::Lost || first == Answer::ReadFailed) {
            return first;
        }
        return ReceiveAck();
    }

    // The identification request; the reply is read but not examined, then the radio must
    // confirm our acknowledgement.
    Answer Identify() {
        link_.Sleep(1ms);
        link_.Purge();
        if (!Send({&IdentRequest[0], 1})) {
            return Answer::Lost;
        }
        link_.Sleep(1ms);
        if (!Send({&IdentRequest[1], 1})) {
            return Answer::Lost;
        }
        link_.Sleep(1ms);
        std::array<std::uint8_t, IdentReplySize> ident{};
        std::size_t got = 0;
        const IoResult read = Receive(ident, got);
        if (read == IoResult::Disconnected) {
            return Answer::Lost;
        }
        if (read == IoResult::Error) {
            return Answer::ReadFailed;
        }
        link_.Purge();
        if (!Send({&Ack, 1})) {
            return Answer::Lost;
        }
        link_.Purge();
        link_.Sleep(1ms);
        return ReceiveAck();
    }

    TransferOutcome WriteImage(const MemoryImage& image) {
        int position = 0;
        for (const Area& area : WriteAreas) {
            for (std::size_t address = area.first; address <= area.last; address += BlockSize) {
                const Answer answer = WriteBlock(image, address, BlockSize);
                if (answer != Answer::Ack) {
                    return Ended(answer);
                }
                if (address % 16 == 0) {
                    hooks_.Progress(++position, range_);
                }
                if (!PumpPasses(PumpsAfterBlock)) {
                    return TransferOutcome::Cancelled;
                }
            }
        }
        // The band bytes go last, so the radio limits its frequencies only once the channels
        // are in. Nothing is left to cancel after them.
        const Answer answer = WriteBlock(image, BandBlockAddress, BandBlockSize);
        return answer == Answer::Ack ? TransferOutcome::Completed : Ended(answer);
    }

    Answer WriteBlock(const MemoryImage& image, std::size_t address, std::size_t size) {
        const std::array<std::uint8_t, 4> header = Header(WriteCommand, address, size);
        link_.Purge();
        if (!Send(header)) {
            return Answer::Lost;
        }
        link_.Sleep(1ms);
        if (!Send(std::span<const std::uint8_t>(image).subspan(address, size))) {
            return Answer::Lost;
        }
        const Answer answer = ReceiveAck();
        if (answer == Answer::Ack) {
            ++result_.blocks;
        }
        return answer;
    }

    // Reads into a scratch copy: the caller's image changes only once every block is in, so a
    // failed or cancelled read never leaves a document that is half radio, half old content.
    TransferOutcome ReadImage(MemoryImage& image) {
        MemoryImage scratch = image;
        int position = 0;
        for (std::size_t address = 0; address < kImageSize; address += BlockSize) {
            const Answer answer = ReadBlock(scratch, address);
            if (answer != Answer::Ack) {
                return Ended(answer);
            }
            if (address % 16 == 0) {
                hooks_.Progress(++position, range_);
            }
            if (address + BlockSize < kImageSize && !PumpPasses(PumpsAfterBlock)) {
                return TransferOutcome::Cancelled;
            }
        }
        image = scratch;
        return TransferOutcome::Completed;
    }

    Answer ReadBlock(MemoryImage& scratch, std::size_t address) {
        const std::array<std::uint8_t, 4> header = Header(ReadCommand, address, BlockSize);
        link_.Purge();
        if (!Send(header)) {
            return Answer::Lost;
        }
        std::array<std::uint8_t, ReadReplySize> reply{};
        std::size_t got = 0;
        const IoResult read = Receive(reply, got);
        if (read == IoResult::Disconnected) {
            return Answer::Lost;
        }
        if (read == IoResult::Error || got < ReadReplySize) {
            return Answer::NoAck;
        }
        std::copy(reply.begin() + 4, reply.end(), scratch.begin() + address);
        link_.Purge();
        if (!Send({&Ack, 1})) {
            return Answer::Lost;
        }
        const Answer answer = ReceiveAck();
        if (answer == Answer::Ack) {
            ++result_.blocks;
        }
        return answer;
    }

    static std::array<std::uint8_t, 4> Header(std::uint8_t command, std::size_t address,
                                              std::size_t size) {
        return {command, static_cast<std::uint8_t>(address >> 8),
                static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(size)};
    }

    // A block exchange that did not end in 0x06.
    static TransferOutcome Ended(Answer answer) {
        return answer == Answer::Lost ? TransferOutcome::ConnectionLost
                                      : TransferOutcome::Interrupted;
    }

    // Lets the rest of the program run `count` times and looks at the Cancel flag after each.
    // False when the user cancelled.
    bool PumpPasses(int count, std::chrono::milliseconds pauseAfterEach = 0ms) {
        for (int i = 0; i < count; ++i) {
            hooks_.Pump();
            if (hooks_.Cancelled()) {
                return false;
            }
            if (pauseAfterEach > 0ms) {
                link_.Sleep(pauseAfterEach);
            }
        }
        return true;
    }

    // False only when the device went away. Any other write failure shows in the reply that
    // then does not come.
    bool Send(std::span<const std::uint8_t> bytes) {
        const IoResult result = link_.Write(bytes);
        if (trace_) {
            trace_({TraceEvent::Kind::Sent, link_.Now(), {bytes.begin(), bytes.end()}, result});
        }
        return result != IoResult::Disconnected;
    }

    IoResult Receive(std::span<std::uint8_t> buf, std::size_t& got) {
        got = 0;
        const IoResult result = link_.Read(buf, got);
        got = std::min(got, buf.size());
        if (trace_) {
            trace_({TraceEvent::Kind::Received,
                    link_.Now(),
                    {buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(got)},
                    result});
        }
        return result;
    }

    // A byte that arrives is an acknowledgement only when it is 0x06; a read that ends without
    // a byte is none, whatever came before.
    Answer ReceiveAck() {
        std::uint8_t byte = 0;
        std::size_t got = 0;
        const IoResult result = Receive({&byte, 1}, got);
        if (result == IoResult::Disconnected) {
            return Answer::Lost;
        }
        if (result == IoResult::Error) {
            return Answer::ReadFailed;
        }
        return got == 1 && byte == Ack ? Answer::Ack : Answer::NoAck;
    }

    SerialLink& link_;
    TransferHooks& hooks_;
    const TraceSink& trace_;
    TransferResult result_;
    int range_ = 0;
};

} // namespace

std::string FormatTrace(const TraceEvent& event) {
    // Milliseconds with three decimals, from the integer count: printf's %f would follow the
    // locale's decimal comma.
    const long long micros = static_cast<long long>(event.at.count());
    const long long magnitude = micros < 0 ? -micros : micros;
    std::string time = std::to_string(magnitude / 1000) + ".";
    const std::string fraction = std::to_string(magnitude % 1000);
    time += std::string(3 - fraction.size(), '0') + fraction;
    if (micros < 0) {
        time = "-" + time;
    }
    std::string line(time.size() < 10 ? 10 - time.size() : 0, ' ');
    line += time;
    line += event.kind == TraceEvent::Kind::Sent ? " ms >" : " ms <";
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const std::uint8_t byte : event.bytes) {
        line += ' ';
        line += kHex[byte >> 4];
        line += kHex[byte & 0x0F];
    }
    switch (event.result) {
    case IoResult::Ok:
        break;
    case IoResult::TimedOut:
        line += event.bytes.empty() ? " (none, timed out)" : " (timed out)";
        break;
    case IoResult::Disconnected:
        line += " (disconnected)";
        break;
    case IoResult::Error:
        line += " (error)";
        break;
    }
    return line;
}

TransferResult RunTransfer(SerialLink& link, const std::string& portName,
                           TransferDirection direction, MemoryImage& image, TransferHooks& hooks,
                           const TraceSink& trace) {
    Transfer transfer(link, hooks, trace);
    return transfer.Run(portName, direction, image);
}

} // namespace velmora
