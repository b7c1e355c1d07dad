// Acting on the window program as a person does, on a real X server: keys go to the widget that
// has the keyboard, clicks go to points that can be seen, and what is checked is what shows.
#pragma once

#include "app/ProgramApp.h"
#include "document/ProgramView.h"
#include "frame/MainFrame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace velmora::journey {

// Processes events until `done` holds or `ms` pass; true when it held. A message box that
// shows meanwhile and is not part of `done` fails the test and is closed, so that no test hangs
// on a question it did not expect (allowBoxes: the caller expects one).
bool WaitUntil(const std::function<bool()>& done, int ms = 10000, bool allowBoxes = false);

// The widget the keyboard goes to now; fails the test when there is none.
QWidget* Focus();
// A key pressed and released on the focused widget, as on a keyboard.
void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Text typed on the focused widget, key by key.
void Type(const QString& text);
// A menu item chosen with the keyboard: Alt+`menu` opens the menu, `item` picks the entry by
// its underlined letter.
void ChooseMenuItem(Qt::Key menu, Qt::Key item);

// Whether all of `rect` (in the widget's coordinates; the whole widget when empty) can be
// seen: the widget is shown, no parent or window clips the rectangle, and it lies on the screen.
bool FullyVisible(const QWidget* widget, const QRect& rect = {});
// A left (or other) click at `pos` of `widget`, after checking that the point can be seen.
void Click(QWidget* widget, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A click by the X server itself (xdotool), for what only a real click sets off, such as a
// context menu. It returns at once; the click arrives while events are processed.
void ServerClick(QWidget* widget, const QPoint& pos, int button = 1);

// Runs `answer` on the widget `find` gives as soon as it gives one, looking every 20 ms from
// fresh single-shot timers (Qt does not fire a timer again while its previous firing is still
// under way, and an answer may open the next dialog from inside). The flag turns true once it
// was found; after `ms` the test fails, naming `what`.
std::shared_ptr<bool> WhenFound(std::function<QWidget*()> find,
                                std::function<void(QWidget*)> answer, const char* what,
                                int ms = 10000);

// Answers the next modal dialog of class T as soon as it shows and has the keyboard (keys sent
// before would land in the window behind). A modal dialog runs an event loop of its own, and
// the key or click that opened it returns only once it is answered; so the answer is set up
// first and runs inside that loop, acting as the user would (keys, clicks).
template <class T> std::shared_ptr<bool> WhenShown(std::function<void(T*)> answer, int ms = 10000) {
    return WhenFound(
        []() -> QWidget* {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            QWidget* focus = QApplication::focusWidget();
            const bool ready = dialog != nullptr && dialog->isVisible() &&
                               dialog->isActiveWindow() && focus != nullptr &&
                               dialog->isAncestorOf(focus);
            return ready ? dialog : nullptr;
        },
        [answer](QWidget* dialog) { answer(static_cast<T*>(dialog)); },
        T::staticMetaObject.className(), ms);
}

// The window program started as its main() starts it (command line, Program.ini, per-user
// settings of its own), for journeys that begin where a user begins.
class ProgramUnderTest : public ::testing::Test {
protected:
    // Settings and backups of the test go to a folder of its own; a dialog that no step answers
    // fails the test after 20 s and is closed, rather than waiting for ever.
    void SetUp() override;
    // Starts the program with `arguments` after "velmora --ini <a copy of the installation's
    // Program.ini>", in `language`.
    void Start(const QStringList& arguments = {}, const QByteArray& language = "English");
    void TearDown() override;

    CMainFrame* Frame() const { return m_program->MainFrame(); }
    CProgramView* View() const { return Frame()->ActiveView(); }
    QString TempPath(const QString& name) const { return m_dir.filePath(name); }
    // The cell's text as the grid shows it.
    QString Shown(int row, Column column) const;

    QTemporaryDir m_dir;
    std::unique_ptr<CProgramApp> m_program;
    QTimer m_guard;
    QWidget* m_waiting = nullptr;
    QElapsedTimer m_since;
};

} // namespace velmora::journey
