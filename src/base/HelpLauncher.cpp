#include "base/HelpLauncher.h"

#include "base/StartupConfig.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace velmora {

namespace {

constexpr const char* kHelpIdProperty = "velmoraHelpId";

#ifdef Q_OS_WIN
constexpr UINT kHelpContext = 15; // HH_HELP_CONTEXT
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The runtime registered for HTML Help, else hhctrl.ocx; its entry point is ordinal 14.
HtmlHelpFunction LoadHtmlHelp() {
    HMODULE library = nullptr;
    char path[MAX_PATH] = {};
    DWORD size = sizeof(path);
    if (RegGetValueA(HKEY_CLASSES_ROOT,
                     "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", nullptr,
                     RRF_RT_REG_SZ, nullptr, path, &size) == ERROR_SUCCESS) {
        library = LoadLibraryA(path);
    }
    if (library == nullptr) {
        library = LoadLibraryA("hhctrl.ocx");
    }
    if (library == nullptr) {
        return nullptr;
    }
    FARPROC entry = GetProcAddress(library, MAKEINTRESOURCEA(14));
    return reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(entry));
}
#endif

// F1 is taken before the control sees it, wherever the focus is in the dialog.
class HelpKeyFilter : public QObject {
public:
    HelpKeyFilter(QWidget* dialog, HelpLauncher* launcher, int fallbackId)
        : QObject(dialog), m_pDialog(dialog), m_pLauncher(launcher), m_fallbackId(fallbackId) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            const QWidget* focus = m_pDialog->focusWidget();
            if (focus == nullptr) {
                focus = qobject_cast<QWidget*>(watched);
            }
            HelpLauncher& launcher = m_pLauncher ? *m_pLauncher : DefaultHelpLauncher();
            launcher.ShowHelp(HelpIdFor(focus, m_fallbackId));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_pDialog;
    HelpLauncher* m_pLauncher;
    int m_fallbackId;
};

} // namespace

bool HtmlHelpLauncher::ShowHelp(int contextId) {
#ifdef Q_OS_WIN
    static const HtmlHelpFunction htmlHelp = LoadHtmlHelp();
    if (htmlHelp == nullptr) {
        return false;
    }
    HWND owner = m_pOwner ? reinterpret_cast<HWND>(m_pOwner->window()->winId()) : nullptr;
    return htmlHelp(owner, g_strHelpFile.c_str(), kHelpContext,
                    static_cast<DWORD_PTR>(contextId)) != nullptr;
#else
    // Without the HTML Help runtime there is no topic to jump to: the file is shown whole.
    (void)contextId;
    (void)m_pOwner;
    const QFileInfo file(QString::fromStdString(g_strHelpFile));
    if (!file.isFile()) {
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
#endif
}

HelpLauncher& DefaultHelpLauncher() {
    static HtmlHelpLauncher launcher;
    return launcher;
}

void SetHelpId(QWidget* control, int contextId) {
    control->setProperty(kHelpIdProperty, contextId);
}

int HelpIdFor(const QWidget* focus, int fallbackId) {
    for (const QWidget* w = focus; w != nullptr; w = w->parentWidget()) {
        const QVariant id = w->property(kHelpIdProperty);
        if (id.isValid()) {
            return id.toInt();
        }
        if (w->isWindow()) {
            break;
        }
    }
    return fallbackId;
}

void InstallHelpKey(QWidget* dialog, HelpLauncher* launcher, int fallbackId) {
    auto* filter = new HelpKeyFilter(dialog, launcher, fallbackId);
    dialog->installEventFilter(filter);
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        child->installEventFilter(filter);
    }
}

} // namespace velmora
