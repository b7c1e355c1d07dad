#include "journey/Journey.h"

#include "channels/GridTable.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QSettings>
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

void ProgramUnderTest::SetUp() {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run the journeys with run-on-xvfb";
    ASSERT_TRUE(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
    // QSettings takes its folder once per process; each test starts with a user of its own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       m_dir.filePath(QStringLiteral("config")));
    m_guard.callOnTimeout([this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal != m_waiting) {
            m_waiting = modal;
            m_since.start();
        } else if (m_since.elapsed() > 20000) {
            ADD_FAILURE() << "a dialog nobody answered: " << modal->windowTitle().toStdString();
            modal->close();
        }
    });
    m_guard.start(500);
}

void ProgramUnderTest::Start(const QStringList& arguments, const QByteArray& language) {
    QFile installed(QStringLiteral(VELMORA_BIN_DIR "/Program.ini"));
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    QByteArray ini = installed.readAll();
    ini.replace("Language=English", "Language=" + language);
    QFile copy(m_dir.filePath(QStringLiteral("Program.ini")));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(ini);
    copy.close();

    StartupOptions options;
    QString problem;
    ASSERT_TRUE(ParseStartupOptions(
        QStringList{QStringLiteral("velmora"), QStringLiteral("--ini"), copy.fileName()} +
            arguments,
        options, problem))
        << problem.toStdString();
    m_program = std::make_unique<CProgramApp>();
    ASSERT_TRUE(m_program->InitInstance(options));
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame(), 10000));
    ASSERT_TRUE(WaitUntil([this] { return View() != nullptr && View()->isVisible(); }));
    // The window manager hands the keyboard over a moment after the window shows.
    ASSERT_TRUE(WaitUntil([] { return QApplication::focusWidget() != nullptr; }));
}

void ProgramUnderTest::TearDown() {
    // A test that failed half-way may leave a dialog open; nothing must wait on it.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        QApplication::processEvents();
    }
    m_program.reset();
    QApplication::processEvents();
}

QString ProgramUnderTest::Shown(int row, Column column) const {
    return View()->Grid()->model()->index(row, static_cast<int>(Index(column))).data().toString();
}

} // namespace velmora::journey
