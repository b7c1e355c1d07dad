#include "link/TraceFile.h"

#include <cerrno>
#include <cstring>

namespace velmora {

std::string TraceLine(const TraceEvent& event) {
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

TraceFile::~TraceFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool TraceFile::Open(const std::string& path, std::string& error) {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

void TraceFile::Write(const TraceEvent& event) {
    Line(TraceLine(event));
}

void TraceFile::Note(std::string_view text) {
    Line("# " + std::string(text));
}

void TraceFile::Line(const std::string& line) {
    if (file_ == nullptr) {
        return;
    }
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

} // namespace velmora
