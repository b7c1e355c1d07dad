// The window program started as its main() starts it (command line, Program.ini, per-user
// settings of its own), for journeys that begin where a user begins.
#pragma once

#include "app/ProgramApp.h"
#include "document/ProgramView.h"
#include "frame/MainFrame.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace velmora::journey {

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
