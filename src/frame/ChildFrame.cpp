#include "frame/ChildFrame.h"

#include "channels/ProgramView.h"

#include <QCloseEvent>

namespace velmora {

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1600, 1200);
    move(0, 0);
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
