// Runs the built velmora-cli with a private per-user store, for end-to-end tests.
#pragma once

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace velmora::test {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

class CliRunner {
public:
    CliRunner() { m_home.setAutoRemove(true); }

    QString Dir() const { return m_home.path(); }
    QString Path(const QString& name) const { return m_home.filePath(name); }
    // A file in the folder: its bytes (empty when it cannot be read), or written whole.
    QByteArray Read(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool Write(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    CliRun Run(const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        // Backups of reads and writes stay inside the test's folder.
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_home.path());
        process.start(QStringLiteral(VELMORA_BIN_DIR "/velmora-cli"), arguments);
        process.closeWriteChannel(); // a tool that reads its input meets its end
        process.waitForFinished(120000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(), process.readAllStandardError()};
    }

private:
    QTemporaryDir m_home;
};

} // namespace velmora::test
