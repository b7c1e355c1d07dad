#include "frame/LockKeyPanes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace velmora {

namespace {
constexpr const char* kWords[] = {"CAP", "NUM", "SCRL"};
// A lock key pressed in another program shows here within this time.
constexpr int kPollMs = 400;
} // namespace

LockKeyPanes::LockKeyPanes(QStatusBar* bar, Reader read)
    : QObject(bar), m_read(read ? std::move(read) : Reader(ReadLockKeys)) {
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        auto* pane = new QLabel(QString::fromLatin1(kWords[i]), bar);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        bar->addPermanentWidget(pane);
        m_panes[i] = pane;
    }
    Refresh();
    if (m_read()) {
        // Keys pressed while the program has the keyboard show at once; the timer catches the
        // ones pressed elsewhere.
        qApp->installEventFilter(this);
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, &LockKeyPanes::Refresh);
        timer->start(kPollMs);
    }
}

void LockKeyPanes::Refresh() {
    const std::optional<LockKeys> keys = m_read();
    const bool on[] = {keys && keys->caps, keys && keys->num, keys && keys->scroll};
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        m_panes[i]->setEnabled(keys.has_value());
        m_panes[i]->setText(!keys || on[i] ? QString::fromLatin1(kWords[i]) : QString());
    }
}

bool LockKeyPanes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock) {
            Refresh();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velmora
