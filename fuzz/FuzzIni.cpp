// Program.ini from arbitrary bytes: load, look up, change values, write out, load the written
// text again. The second load must answer every lookup as the first one did after the changes,
// and writing it out again must give the same text.
#include "base/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using velmora::CIniFile;

namespace {

struct Probe {
    std::string section;
    std::string key;
};

// The sections and keys the text seems to name, found the simple way a person reads the file.
void CollectProbes(std::string_view text, std::vector<Probe>& probes) {
    std::string section;
    std::size_t start = 0;
    while (start < text.size() && probes.size() < 64) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = std::string(line.substr(1, line.size() - 2));
        } else if (const auto equals = line.find('='); equals != std::string_view::npos) {
            std::string_view key = line.substr(0, equals);
            while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) {
                key.remove_suffix(1);
            }
            probes.push_back({section, std::string(key)});
        } else {
            probes.push_back({section, std::string(line)});
        }
        start = end + 1;
    }
}

// Section and key names the program itself uses: letters, digits, blanks inside, underscores.
std::string Name(FuzzedDataProvider& in) {
    std::string raw = in.ConsumeRandomLengthString(12);
    std::string name;
    for (const char c : raw) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == ' ';
        if (plain && !(c == ' ' && (name.empty()))) {
            name += c;
        }
    }
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return name.empty() ? std::string("Key") : name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool caseInsensitive = in.ConsumeBool();
    const int changes = in.ConsumeIntegralInRange(0, 3);
    std::vector<std::pair<Probe, std::string>> sets;
    for (int i = 0; i < changes; ++i) {
        Probe where{Name(in), Name(in)};
        sets.emplace_back(std::move(where), in.ConsumeRandomLengthString(40));
    }
    const std::string file = in.ConsumeRemainingBytesAsString();

    CIniFile first;
    if (!first.LoadFromBytes(file, "fuzz.ini", false, caseInsensitive)) {
        return 0;
    }
    std::vector<Probe> probes;
    CollectProbes(file, probes);
    for (const auto& [where, value] : sets) {
        first.SetValue(where.section, where.key, value);
        probes.push_back(where);
    }
    const std::string written = first.ToBytes();

    CIniFile second;
    if (!second.LoadFromBytes(written, "fuzz.ini", false, caseInsensitive)) {
        std::abort();
    }
    for (const Probe& probe : probes) {
        const std::string a = first.GetValue(probe.section, probe.key, "\x01missing");
        const std::string b = second.GetValue(probe.section, probe.key, "\x01missing");
        if (a != b) {
            std::fprintf(stderr, "[%s] %s: before \"%s\", after reload \"%s\"\n",
                         probe.section.c_str(), probe.key.c_str(), a.c_str(), b.c_str());
            for (const auto& [where, value] : sets) {
                std::fprintf(stderr, "set [%s] %s = \"%s\"\n", where.section.c_str(),
                             where.key.c_str(), value.c_str());
            }
            std::fprintf(stderr, "encoding %d -> %d, written:\n%s\n", int(first.Encoding()),
                         int(second.Encoding()), written.c_str());
            std::abort();
        }
    }
    if (second.ToBytes() != written) {
        std::fprintf(stderr, "written twice differs:\n%s\n----\n%s\n", written.c_str(),
                     second.ToBytes().c_str());
        std::abort();
    }
    return 0;
}
