#include "link/SimulatedLink.h"

#include <algorithm>

namespace velmora {

using namespace std::chrono_literals;

OpenResult SimulatedLink::Open(const std::string& name) {
    ++opens_;
    portName_ = name;
    ops_.push_back({LinkOp::Kind::Open, {}, 0, now_});
    if (openResult_ != OpenResult::Ok) {
        return openResult_;
    }
    open_ = true;
    incoming_.clear();
    return OpenResult::Ok;
}

bool SimulatedLink::Configure() {
    ops_.push_back({LinkOp::Kind::Configure, {}, 0, now_});
    return open_;
}

void SimulatedLink::PurgeAll() {
    ops_.push_back({LinkOp::Kind::PurgeAll, {}, 0, now_});
    DropArrived();
}

void SimulatedLink::Purge() {
    ops_.push_back({LinkOp::Kind::Purge, {}, 0, now_});
    DropArrived();
}

// Only what has arrived by now is in the driver's queue; bytes still on the line survive.
void SimulatedLink::DropArrived() {
    while (!incoming_.empty() && incoming_.front().at <= now_) {
        incoming_.pop_front();
    }
}

IoResult SimulatedLink::Write(std::span<const std::uint8_t> bytes) {
    ops_.push_back({LinkOp::Kind::Write, {bytes.begin(), bytes.end()}, bytes.size(), now_});
    if (!open_) {
        return IoResult::Error;
    }
    if (radio_.HungUp()) {
        return IoResult::Disconnected;
    }
    sent_.insert(sent_.end(), bytes.begin(), bytes.end());
    std::chrono::microseconds lineFree = incoming_.empty() ? now_ : incoming_.back().at;
    lineFree = std::max(lineFree, now_);
    for (const ReplyByte& reply : radio_.Feed(bytes)) {
        lineFree += byteGap_ + reply.delay;
        incoming_.push_back({lineFree, reply.value});
    }
    return IoResult::Ok;
}

IoResult SimulatedLink::Read(std::span<std::uint8_t> buf, std::size_t& got) {
    got = 0;
    ops_.push_back({LinkOp::Kind::Read, {}, buf.size(), now_});
    LinkOp& op = ops_.back();
    if (!open_) {
        return IoResult::Error;
    }
    if (radio_.HungUp()) {
        return IoResult::Disconnected;
    }
    const auto deadline = now_ + 500ms * static_cast<long>(buf.size()) + 90ms;
    auto lastByte = now_;
    while (got < buf.size()) {
        const auto limit = got == 0 ? deadline : std::min(deadline, lastByte + 30ms);
        if (incoming_.empty() || incoming_.front().at > limit) {
            now_ = std::max(now_, limit);
            return IoResult::TimedOut;
        }
        now_ = std::max(now_, incoming_.front().at);
        lastByte = now_;
        buf[got++] = incoming_.front().value;
        op.bytes.push_back(incoming_.front().value);
        incoming_.pop_front();
    }
    return IoResult::Ok;
}

void SimulatedLink::Sleep(std::chrono::milliseconds duration) {
    ops_.push_back({LinkOp::Kind::Sleep, {}, static_cast<std::size_t>(duration.count()), now_});
    now_ += duration;
}

void SimulatedLink::Close() {
    ops_.push_back({LinkOp::Kind::Close, {}, 0, now_});
    ++closes_;
    open_ = false;
    incoming_.clear();
}

} // namespace velmora
