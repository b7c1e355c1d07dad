#include "frame/ChildFrame.h"

#include "document/ProgramView.h"
#include "document/TransferCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QProxyStyle>

namespace velmora {

namespace {

// Maximised, the window keeps its own title bar inside the area, with the document's name and
// its close box. (Without this, Qt moves those buttons into the main window's menu bar and
// appends " - [document]" to the main window's title, which must say type and band only.)
class KeepTitleBarStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Workspace_FillSpaceOnMaximize) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* ChildFrameStyle() {
    // One for the run, owned by the application: it outlives every window that uses it.
    static QStyle* style = [] {
        auto* proxy = new KeepTitleBarStyle;
        proxy->setParent(QCoreApplication::instance());
        return proxy;
    }();
    return style;
}

} // namespace

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setStyle(ChildFrameStyle());
    // The window menu's Close answers Ctrl+F4 only: Ctrl+W is the radio's Write everywhere in
    // the program, and two owners of one key make it do nothing at all.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) {
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W))) {
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
            }
        }
    }
}

CChildFrame::~CChildFrame() {
    m_transfer.reset();
}

void CChildFrame::SetTransfer(std::unique_ptr<TransferCommands> transfer) {
    m_transfer = std::move(transfer);
}

CProgramView* CChildFrame::View() const {
    return qobject_cast<CProgramView*>(widget());
}

void CChildFrame::Destroy() {
    m_bDestroying = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_bDestroying) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    event->ignore();
    hide();
}

} // namespace velmora
