// main() for the journeys: one QApplication on the X server that tests/support/run-on-xvfb
// starts (the xcb platform), with the settings and backups of the run in a folder of its own.
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM") != "xcb") {
        std::fprintf(stderr, "journeys run on a real X server: use tests/support/run-on-xvfb\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    QApplication application(argc, argv);
    // A dialog that no step of a test answers would wait for ever: after a while it fails the
    // test it belongs to and is closed.
    QTimer guard;
    QWidget* waiting = nullptr;
    QElapsedTimer since;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != waiting) {
            waiting = modal;
            since.start();
            return;
        }
        if (modal != nullptr && since.elapsed() > 20000) {
            ADD_FAILURE() << "a dialog nobody answered: " << modal->windowTitle().toStdString()
                          << ": "
                          << (qobject_cast<QMessageBox*>(modal)
                                  ? qobject_cast<QMessageBox*>(modal)->text().toStdString()
                                  : std::string());
            modal->close();
            waiting = nullptr;
        }
    });
    guard.start(500);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
