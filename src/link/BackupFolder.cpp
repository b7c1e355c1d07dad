#include "link/BackupFolder.h"

#include <QStandardPaths>

namespace velmora {

std::string DefaultBackupFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return (base + QStringLiteral("/velmora/backups")).toStdString();
}

} // namespace velmora
