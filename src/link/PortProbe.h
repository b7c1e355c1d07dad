// Looking at the machine's serial devices: which exist, which can be opened, who holds one, and
// how a USB adapter is tuned. The decisions made from these facts live in PortNames.h.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/PortNames.h"

namespace velmora {

class UserStore;

// The serial ports the system reports, by device path.
std::vector<FoundPort> FindSerialPorts();

// The device of each COM button: the per-user texts "COM1".."COM4" when the store keeps texts
// (the program's own store does), then the ports found.
PortDevices ButtonDevices(UserStore* store);

// Owner group and lock holder of a device that did not open; systemText is passed through.
PortFacts ProbePort(const std::string& device, const std::string& systemText = {});

// The latency timer of a USB adapter in ms (its own, or its usb-serial parent's); empty when
// the device has none (not an FTDI-style adapter, a pseudo-terminal).
std::optional<int> LatencyTimerMs(const std::string& device);

// The COM Setup dialog's test: the device opens for exclusive use, and is closed again at once.
bool CanOpenPort(const std::string& device);

} // namespace velmora
