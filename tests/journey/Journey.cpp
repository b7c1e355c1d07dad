#include "journey/Journey.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace velmora::journey {

bool WaitUntil(const std::function<bool()>& done, int ms, bool allowBoxes) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (!allowBoxes) {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "unexpected message: " << box->text().toStdString();
                box->reject();
            }
        }
        if (timer.elapsed() > ms) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
    return true;
}

QWidget* Focus() {
    // An open menu takes the keys while it is shown.
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return popup;
    }
    // After a window closes, the window manager hands the keyboard back a moment later.
    WaitUntil([] { return QApplication::focusWidget() != nullptr; }, 3000, true);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_NE(focus, nullptr) << "nothing has the keyboard";
    return focus;
}

void Press(int key, Qt::KeyboardModifiers modifiers) {
    if (QWidget* focus = Focus()) {
        QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    }
}

void Type(const QString& text) {
    if (QWidget* focus = Focus()) {
        QTest::keyClicks(focus, text);
    }
}

void ChooseMenuItem(Qt::Key menu, Qt::Key item) {
    Press(menu, Qt::AltModifier);
    ASSERT_TRUE(WaitUntil([] { return QApplication::activePopupWidget() != nullptr; }));
    Press(item);
}

bool FullyVisible(const QWidget* widget, const QRect& rect) {
    if (widget == nullptr || !widget->isVisible()) {
        return false;
    }
    const QRect area = rect.isEmpty() ? widget->rect() : rect;
    if (!widget->visibleRegion().contains(area)) {
        return false;
    }
    // Every parent up to the window must show the rectangle too.
    for (const QWidget* child = widget; !child->isWindow(); child = child->parentWidget()) {
        const QWidget* parent = child->parentWidget();
        const QRect inParent(child->mapTo(parent, area.topLeft()), area.size());
        if (!parent->rect().contains(inParent)) {
            return false;
        }
    }
    const QRect onScreen(widget->mapToGlobal(area.topLeft()), area.size());
    const QScreen* screen = widget->screen();
    return screen != nullptr && screen->geometry().contains(onScreen);
}

void Click(QWidget* widget, const QPoint& pos, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers) {
    ASSERT_TRUE(FullyVisible(widget, QRect(pos, QSize(1, 1))))
        << "the point " << pos.x() << "," << pos.y() << " cannot be seen";
    // The pointer really goes there: some windows look where it is.
    QCursor::setPos(widget->mapToGlobal(pos));
    QTest::mouseClick(widget, button, modifiers, pos);
}

void ServerClick(QWidget* widget, const QPoint& pos, int button) {
    ASSERT_TRUE(FullyVisible(widget, QRect(pos, QSize(1, 1))));
    QCursor::setPos(widget->mapToGlobal(pos));
    QApplication::processEvents();
    ASSERT_TRUE(QProcess::startDetached(QStringLiteral("xdotool"),
                                        {QStringLiteral("click"), QString::number(button)}));
}

std::shared_ptr<bool> WhenFound(std::function<QWidget*()> find,
                                std::function<void(QWidget*)> answer, const char* what, int ms) {
    auto found = std::make_shared<bool>(false);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto look = std::make_shared<std::function<void()>>();
    *look = [look, found, clock, find, answer, what, ms] {
        if (QWidget* widget = find()) {
            *found = true;
            const auto keep = look; // the answer may run long; this function stays alive
            *look = nullptr;
            answer(widget);
            return;
        }
        if (clock->elapsed() >= ms) {
            ADD_FAILURE() << "waited in vain for a " << what;
            *look = nullptr;
            return;
        }
        QTimer::singleShot(20, *look);
    };
    QTimer::singleShot(20, *look);
    return found;
}

} // namespace velmora::journey
