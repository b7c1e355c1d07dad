#include "journey/ProgramUnderTest.h"

#include "channels/GridTable.h"
#include "journey/Journey.h"

#include <QFile>
#include <QSettings>
#include <QTest>

namespace velmora::journey {

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
