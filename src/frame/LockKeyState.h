// The state of the keyboard's lock keys, for the status bar's CAP, NUM and SCRL panes.
#pragma once

#include <optional>

namespace velmora {

struct LockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock keys as the window system reports them now (X11, Windows); nothing where it does
// not (Wayland, the offscreen platform), so the panes can say that they do not know.
std::optional<LockKeys> ReadLockKeys();

} // namespace velmora
