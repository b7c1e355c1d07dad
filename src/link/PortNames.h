// Which device each of the COM Setup dialog's four buttons stands for, and why a port could
// not be opened, in words the user can act on.
//
// The dialog keeps the four buttons COM1..COM4 and the per-user value "com" 1..4 everywhere.
// On Windows the buttons are the COM ports themselves. Elsewhere each button stands for a
// device: the one the per-user store names for it ("COM1" = "/dev/ttyUSB0"), otherwise the
// serial ports found on the machine, USB cable adapters first, since that is what a radio's
// programming cable is.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/Texts.h"
#include "link/SerialLink.h"

namespace velmora {

inline constexpr int kPortButtons = 4;

// A serial port the system reports.
struct FoundPort {
    std::string device; // "/dev/ttyUSB0"
    bool isUsb = false; // a USB adapter (it has a USB vendor id)
};

// The device each button opens; empty when nothing stands for the button.
using PortDevices = std::array<std::string, kPortButtons>;
// The per-user texts "COM1".."COM4", when set.
using StoredPortNames = std::array<std::optional<std::string>, kPortButtons>;

// "COM1".."COM4" for index 0..3.
std::string ButtonName(int index);

// Windows: "COM1".."COM4". Elsewhere: a stored name wins for its button; the other buttons take
// the found ports not named already, USB adapters first, each group in the order found.
PortDevices MapPortDevices(std::span<const FoundPort> found, const StoredPortNames& stored,
                           bool windows);

// The button the stored "com" value selects: missing gives COM1 (0); a value outside 1..4
// selects none (-1).
int PreselectedButton(std::optional<std::int32_t> storedCom);

// The port a new channel window starts with: the device of the stored choice, or of COM1 when
// the stored choice selects no button with a device.
std::string InitialPortName(std::optional<std::int32_t> storedCom, const PortDevices& devices);

// A port as given on the command line: "COM1".."COM4" (any case) is the device of that button
// (empty when none stands for it); anything else is a device path used as it is.
std::string ResolvePortName(const std::string& given, const PortDevices& devices);

// What the system says about a device that did not open.
struct PortFacts {
    std::string group;       // the group that owns the device ("dialout")
    int lockPid = 0;         // the process named by a lock file, 0 when none
    std::string lockProgram; // its program name, when known
    std::string systemText;  // the system's own words for other failures
};

// "No such device: /dev/ttyUSB0", "/dev/ttyUSB0 is in use by minicom (process 812).", ...
std::string ExplainOpenFailure(OpenResult result, const std::string& device, const PortFacts& facts,
                               Language lang);

// A lock file's owner: UUCP style (the PID as text, or as a 4-byte binary number) or the
// "PID\nprogram\nhost\n" of other programs.
struct LockOwner {
    int pid = 0;
    std::string program;
};
LockOwner ParseLockFile(std::string_view content);

// The lock file names serial programs use for a device: "LCK..ttyUSB0"; a device outside /dev
// or below a subfolder of it has its slashes turned into underscores ("LCK..pts_3").
std::string LockFileName(const std::string& device);

// The hint that a USB adapter's latency timer slows transfers; empty at 1 ms or below.
std::string LatencyHint(const std::string& device, int latencyMs, Language lang);

// Fills %1, %2, %3 in a text.
std::string FillText(std::string_view text, std::span<const std::string> values);

} // namespace velmora
