// Context help. Every help request names a context id: a command id, or the id of the control
// that has the focus when F1 is pressed in a dialog. On Windows the installation's compiled
// help file is opened at that topic; elsewhere the help file, when it is there, is opened as a
// whole by the desktop.
#pragma once

class QWidget;

namespace velmora {

class HelpLauncher {
public:
    virtual ~HelpLauncher() = default;
    // True when a help window was asked for.
    virtual bool ShowHelp(int contextId) = 0;
};

// The help file g_strHelpFile ("enHelp.chm" or "chHelp.chm"), looked for in the current
// folder. On Windows through the HTML Help runtime, loaded on the first request; when it
// cannot be loaded, this and every later request does nothing.
class HtmlHelpLauncher : public HelpLauncher {
public:
    explicit HtmlHelpLauncher(QWidget* owner = nullptr) : m_pOwner(owner) {}
    bool ShowHelp(int contextId) override;

private:
    QWidget* m_pOwner;
};

// The launcher dialogs use when they are given none.
HelpLauncher& DefaultHelpLauncher();

// The context id of a control, kept with the control.
void SetHelpId(QWidget* control, int contextId);
// The id of `focus` or of its nearest parent that has one; fallbackId when none has.
int HelpIdFor(const QWidget* focus, int fallbackId);

// Makes F1 anywhere in `dialog` ask `launcher` (the default one when null) for the topic of
// the focused control, or fallbackId. Call it once the dialog's controls exist.
void InstallHelpKey(QWidget* dialog, HelpLauncher* launcher, int fallbackId);

} // namespace velmora
