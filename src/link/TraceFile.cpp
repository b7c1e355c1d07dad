#include "link/TraceFile.h"

#include <cerrno>
#include <cstring>

namespace velmora {

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
    Line(FormatTrace(event));
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
