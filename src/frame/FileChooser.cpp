#include "frame/FileChooser.h"

#include <QFileDialog>

namespace velmora {

QString DialogFileChooser::OpenPath(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString DialogFileChooser::SavePath(QWidget* parent, const QString& proposed,
                                    const QString& filter) {
    QString path = QFileDialog::getSaveFileName(parent, QString(), proposed, filter);
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".dat");
    }
    return path;
}

} // namespace velmora
