#include "frame/LockKeyState.h"

#include <QGuiApplication>

#if defined(_WIN32)
#include <windows.h>
#elif defined(VELMORA_HAVE_X11)
// Last: the X headers define macros (None, Bool, Status) that other headers use as names.
#include <X11/XKBlib.h>
#endif

namespace velmora {

#if defined(_WIN32)

std::optional<LockKeys> ReadLockKeys() {
    return LockKeys{(GetKeyState(VK_CAPITAL) & 1) != 0, (GetKeyState(VK_NUMLOCK) & 1) != 0,
                    (GetKeyState(VK_SCROLL) & 1) != 0};
}

#elif defined(VELMORA_HAVE_X11)

namespace {

bool IndicatorOn(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0) {
        return false;
    }
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
        return false;
    }
    return on != False;
}

} // namespace

std::optional<LockKeys> ReadLockKeys() {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) {
        return std::nullopt;
    }
    return LockKeys{IndicatorOn(display, "Caps Lock"), IndicatorOn(display, "Num Lock"),
                    IndicatorOn(display, "Scroll Lock")};
}

#else

std::optional<LockKeys> ReadLockKeys() {
    return std::nullopt;
}

#endif

} // namespace velmora
