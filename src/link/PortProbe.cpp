#include "link/PortProbe.h"

#include "settings/QtUserStore.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include <grp.h>
#include <sys/stat.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmora {

namespace {

std::string ReadSmallFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\0')) {
        text.pop_back();
    }
    return text;
}

// Where serial programs keep their lock files.
constexpr const char* kLockFolders[] = {"/var/lock",        "/run/lock",       "/etc/locks",
                                        "/var/spool/locks", "/var/spool/uucp", "/tmp",
                                        "/var/tmp"};

} // namespace

std::vector<FoundPort> FindSerialPorts() {
    std::vector<FoundPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ports.push_back({info.systemLocation().toStdString(), info.hasVendorIdentifier()});
    }
    return ports;
}

PortDevices ButtonDevices(UserStore* store) {
    StoredPortNames stored;
    if (auto* qtStore = dynamic_cast<QtUserStore*>(store)) {
        for (int i = 0; i < kPortButtons; ++i) {
            stored[static_cast<std::size_t>(i)] = qtStore->ReadText(ButtonName(i));
        }
    }
#ifdef Q_OS_WIN
    constexpr bool windows = true;
#else
    constexpr bool windows = false;
#endif
    const std::vector<FoundPort> found = windows ? std::vector<FoundPort>{} : FindSerialPorts();
    return MapPortDevices(found, stored, windows);
}

PortFacts ProbePort(const std::string& device, const std::string& systemText) {
    PortFacts facts;
    facts.systemText = systemText;
    struct stat info {};
    if (::stat(device.c_str(), &info) == 0) {
        if (const group* owner = ::getgrgid(info.st_gid)) {
            facts.group = owner->gr_name;
        }
    }
    std::error_code ec;
    const std::string canonical = std::filesystem::canonical(device, ec).string();
    for (const std::string& name : {device, canonical}) {
        if (name.empty() || facts.lockPid > 0) {
            continue;
        }
        for (const char* folder : kLockFolders) {
            const std::filesystem::path path = std::filesystem::path(folder) / LockFileName(name);
            if (!std::filesystem::exists(path, ec)) {
                continue;
            }
            const LockOwner owner = ParseLockFile(ReadSmallFile(path));
            if (owner.pid > 0) {
                facts.lockPid = owner.pid;
                facts.lockProgram = owner.program;
                break;
            }
        }
    }
    if (facts.lockPid > 0 && facts.lockProgram.empty()) {
        facts.lockProgram =
            Trimmed(ReadSmallFile("/proc/" + std::to_string(facts.lockPid) + "/comm"));
    }
    return facts;
}

std::optional<int> LatencyTimerMs(const std::string& device) {
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(device, ec);
    if (ec) {
        return std::nullopt;
    }
    const std::filesystem::path tty =
        std::filesystem::path("/sys/class/tty") / real.filename() / "device";
    for (const std::filesystem::path& file :
         {tty / "latency_timer", tty / ".." / "latency_timer"}) {
        const std::string text = Trimmed(ReadSmallFile(file));
        if (text.empty()) {
            continue;
        }
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        return error == std::errc() ? std::optional<int>(value) : std::nullopt;
    }
    return std::nullopt;
}

bool CanOpenPort(const std::string& device) {
    if (device.empty()) {
        return false;
    }
    QSerialPort port(QString::fromStdString(device));
    if (!port.open(QIODevice::ReadWrite)) {
        return false;
    }
    port.close();
    return true;
}

} // namespace velmora
