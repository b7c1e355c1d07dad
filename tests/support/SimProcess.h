// The built velmora-radio-sim as a child process, for end-to-end tests of velmora-cli: a virtual
// radio on a pseudo-terminal whose device the tool prints on its first line.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace velmora::test {

class SimProcess {
public:
    explicit SimProcess(const QStringList& arguments) {
        m_process.start(QStringLiteral(VELMORA_BIN_DIR "/velmora-radio-sim"), arguments);
        while (m_process.waitForReadyRead(5000) && !m_process.canReadLine()) {
        }
        m_device = QString::fromUtf8(m_process.readLine()).trimmed();
    }
    ~SimProcess() {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }
    // "/dev/pts/3"; empty when the tool did not start.
    QString Device() const { return m_device; }

private:
    QProcess m_process;
    QString m_device;
};

} // namespace velmora::test
