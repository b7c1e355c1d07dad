// The COM Setup dialog: four buttons COM1..COM4, each showing the device it stands for and
// disabled when that device cannot be opened now. OK stores the choice as the per-user "com"
// value 1..4 and gives the port the channel window then uses; Cancel changes nothing.
#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "base/Texts.h"
#include "link/PortNames.h"

class QLabel;
class QRadioButton;

namespace velmora {

class HelpLauncher;
class UserStore;

class CComSetupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFirstButtonId = 1007;
    static constexpr int kHelpContext = 32777;
    using CanOpen = std::function<bool(const std::string& device)>;

    // `devices` from ButtonDevices(); `canOpen` the port test (CanOpenPort by default); F1
    // asks `help` (none: F1 does nothing). The button shown selected is `preselected` (0..3,
    // -1 none) when given, else the one the stored "com" value names. `lang` words the note
    // beside a button without a device.
    CComSetupDlg(UserStore& store, const PortDevices& devices, CanOpen canOpen = {},
                 HelpLauncher* help = nullptr, QWidget* parent = nullptr,
                 std::optional<int> preselected = std::nullopt, Language lang = Language::English);

    // After OK: the port the channel window opens from now on.
    const std::string& PortName() const { return m_strPort; }
    // The selected button, 0..3, or -1 for none (m_nCom).
    int Selection() const;
    QRadioButton* Button(int index) const { return m_buttons[static_cast<std::size_t>(index)]; }
    QLabel* DeviceLabel(int index) const { return m_labels[static_cast<std::size_t>(index)]; }

public slots:
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    UserStore& m_store;
    PortDevices m_devices;
    HelpLauncher* m_pHelp;
    std::string m_strPort;
    std::array<QRadioButton*, kPortButtons> m_buttons{};
    std::array<QLabel*, kPortButtons> m_labels{};
};

} // namespace velmora
