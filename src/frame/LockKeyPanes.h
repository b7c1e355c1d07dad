// The status bar's CAP, NUM and SCRL panes. Each shows its word while its lock key is on and
// nothing while it is off, as the keyboard's own lights do; where the window system does not
// say (the panes cannot know), the words stay greyed out.
#pragma once

#include "frame/LockKeyState.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QStatusBar;

namespace velmora {

class LockKeyPanes : public QObject {
    Q_OBJECT
public:
    using Reader = std::function<std::optional<LockKeys>()>;

    // Adds the three panes to the right of `bar`; `read` asks the window system (ReadLockKeys
    // by default).
    explicit LockKeyPanes(QStatusBar* bar, Reader read = {});

    // Reads the keys again and shows them.
    void Refresh();
    QLabel* Pane(int index) const { return m_panes[static_cast<std::size_t>(index)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Reader m_read;
    std::array<QLabel*, 3> m_panes{};
};

} // namespace velmora
