#include "link/PortChoice.h"

namespace velmora {

PortChoice::PortChoice(std::optional<std::int32_t> storedCom)
    : m_nButton(PreselectedButton(storedCom)), m_storedCom(storedCom) {}

void PortChoice::Choose(int button) {
    m_nButton = button >= 0 && button < kPortButtons ? button : -1;
    m_bConfirmed = true;
}

void PortChoice::UseDemoRadio(const std::string& device) {
    m_strDemoDevice = device;
    m_nButton = 0;
    m_bConfirmed = true;
}

PortDevices PortChoice::Devices(const PortDevices& found) const {
    PortDevices devices = found;
    if (!m_strDemoDevice.empty()) {
        devices[0] = m_strDemoDevice;
    }
    return devices;
}

std::string PortChoice::DeviceToOpen(const PortDevices& found) const {
    const PortDevices devices = Devices(found);
    if (!m_bConfirmed) {
        return InitialPortName(m_storedCom, devices);
    }
    if (m_nButton < 0) {
        return "com0";
    }
    const std::string& device = devices[static_cast<std::size_t>(m_nButton)];
    return device.empty() ? "com" + std::to_string(m_nButton + 1) : device;
}

} // namespace velmora
