#include "frame/ChildFrame.h"

#include "channels/ProgramView.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

namespace velmora {

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
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
