#include "link/PortNames.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

namespace velmora {

std::string ButtonName(int index) {
    return "COM" + std::to_string(index + 1);
}

PortDevices MapPortDevices(std::span<const FoundPort> found, const StoredPortNames& stored,
                           bool windows) {
    PortDevices devices;
    if (windows) {
        for (int i = 0; i < kPortButtons; ++i) {
            devices[static_cast<std::size_t>(i)] = ButtonName(i);
        }
        return devices;
    }
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (stored[i] && !stored[i]->empty()) {
            devices[i] = *stored[i];
        }
    }
    const auto named = [&](const std::string& device) {
        return std::find(devices.begin(), devices.end(), device) != devices.end();
    };
    std::size_t next = 0;
    for (const bool usb : {true, false}) {
        for (const FoundPort& port : found) {
            if (port.isUsb != usb || port.device.empty() || named(port.device)) {
                continue;
            }
            while (next < devices.size() && !devices[next].empty()) {
                ++next;
            }
            if (next == devices.size()) {
                return devices;
            }
            devices[next] = port.device;
        }
    }
    return devices;
}

int PreselectedButton(std::optional<std::int32_t> storedCom) {
    const std::int32_t com = storedCom.value_or(1);
    return com >= 1 && com <= kPortButtons ? com - 1 : -1;
}

std::string InitialPortName(std::optional<std::int32_t> storedCom, const PortDevices& devices) {
    const int button = PreselectedButton(storedCom);
    if (button >= 0 && !devices[static_cast<std::size_t>(button)].empty()) {
        return devices[static_cast<std::size_t>(button)];
    }
    return devices[0];
}

std::string ResolvePortName(const std::string& given, const PortDevices& devices) {
    if (given.size() == 4 && given[3] >= '1' && given[3] <= '0' + kPortButtons) {
        std::string prefix = given.substr(0, 3);
        std::transform(prefix.begin(), prefix.end(), prefix.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (prefix == "COM") {
            return devices[static_cast<std::size_t>(given[3] - '1')];
        }
    }
    return given;
}

std::string FillText(std::string_view text, std::span<const std::string> values) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' &&
            static_cast<std::size_t>(text[i + 1] - '1') < values.size()) {
            out += values[static_cast<std::size_t>(text[i + 1] - '1')];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ExplainOpenFailure(OpenResult result, const std::string& device, const PortFacts& facts,
                               Language lang) {
    switch (result) {
    case OpenResult::Ok:
        return {};
    case OpenResult::NotFound: {
        const std::string values[] = {device};
        return FillText(txt::PortNotFound.In(lang), values);
    }
    case OpenResult::Busy: {
        if (facts.lockPid > 0) {
            const std::string values[] = {
                device, facts.lockProgram.empty() ? std::string("?") : facts.lockProgram,
                std::to_string(facts.lockPid)};
            return FillText(txt::PortBusyBy.In(lang), values);
        }
        const std::string values[] = {device};
        return FillText(txt::PortBusy.In(lang), values);
    }
    case OpenResult::NoPermission: {
        // Serial devices belong to "dialout" on most systems; that is the group to name when
        // the device's own cannot be found out.
        const std::string values[] = {device, facts.group.empty() ? "dialout" : facts.group};
        return FillText(txt::PortNoPermission.In(lang), values);
    }
    case OpenResult::Failed:
        break;
    }
    const std::string values[] = {device, facts.systemText};
    return facts.systemText.empty() ? device : FillText(txt::PortFailed.In(lang), values);
}

LockOwner ParseLockFile(std::string_view content) {
    LockOwner owner;
    // An old UUCP lock holds the PID as a 4-byte binary number and nothing else.
    if (content.size() == 4 &&
        std::none_of(content.begin(), content.end(), [](char c) { return c == '\n'; })) {
        std::int32_t pid = 0;
        std::memcpy(&pid, content.data(), sizeof pid);
        owner.pid = pid > 0 ? pid : 0;
        return owner;
    }
    const std::size_t lineEnd = content.find('\n');
    std::string_view first = content.substr(0, lineEnd);
    while (!first.empty() && first.front() == ' ') {
        first.remove_prefix(1);
    }
    int pid = 0;
    const auto [end, ec] = std::from_chars(first.data(), first.data() + first.size(), pid);
    if (ec != std::errc() || pid <= 0) {
        return owner;
    }
    owner.pid = pid;
    if (lineEnd != std::string_view::npos) {
        std::string_view rest = content.substr(lineEnd + 1);
        owner.program = std::string(rest.substr(0, rest.find('\n')));
    }
    return owner;
}

std::string LockFileName(const std::string& device) {
    std::string name = device.starts_with("/dev/") ? device.substr(5) : device;
    std::replace(name.begin(), name.end(), '/', '_');
    return "LCK.." + name;
}

std::string LatencyHint(const std::string& device, int latencyMs, Language lang) {
    if (latencyMs <= 1) {
        return {};
    }
    const std::string values[] = {device, std::to_string(latencyMs)};
    return FillText(txt::PortSlowLatency.In(lang), values);
}

} // namespace velmora
