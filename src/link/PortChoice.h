// The one port choice of the program: which COM button the transfers use, and whether the demo
// radio stands behind COM1. The application owns it; every transfer asks it for the device at
// the moment it starts, so a choice made in Com Setup or a demo radio started later reaches the
// window in use at once and no window keeps a stale copy.
#pragma once

#include "link/PortNames.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class PortChoice {
public:
    // Starts on the user's stored "com" value, as the Com Setup dialog preselects it.
    explicit PortChoice(std::optional<std::int32_t> storedCom);

    // The button chosen in Com Setup, 0..3, or -1 for none.
    void Choose(int button);
    // A virtual radio on `device` now stands behind COM1, and COM1 is chosen.
    void UseDemoRadio(const std::string& device);

    // The button the Com Setup dialog shows selected: 0..3, or -1 for none.
    int Button() const { return m_nButton; }
    bool HasDemoRadio() const { return !m_strDemoDevice.empty(); }
    const std::string& DemoDevice() const { return m_strDemoDevice; }

    // The devices of the four buttons as the user sees them: the ones found, with the demo
    // radio behind COM1 while it runs.
    PortDevices Devices(const PortDevices& found) const;

    // The device a transfer opens now. Until the user confirms a choice, a stored button
    // without a device falls back to COM1's. A confirmed button without a device, or no button
    // at all, gives the name of a port that does not exist ("com3", "com0"), so the transfer
    // says plainly that it cannot open it.
    std::string DeviceToOpen(const PortDevices& found) const;

private:
    int m_nButton = 0;
    bool m_bConfirmed = false;
    std::optional<std::int32_t> m_storedCom;
    std::string m_strDemoDevice;
};

} // namespace velmora
