#include "frame/FileChooser.h"

#include <QFileDialog>

#include <algorithm>

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

FileChooser::SaveChoice DialogFileChooser::SaveKindPath(QWidget* parent, const QString& proposed,
                                                        const QStringList& filters,
                                                        const QString& suffix) {
    QString selected = filters.value(0);
    SaveChoice choice;
    choice.path = QFileDialog::getSaveFileName(parent, QString(), proposed,
                                               filters.join(QStringLiteral(";;")), &selected);
    choice.filterIndex = std::max<int>(0, static_cast<int>(filters.indexOf(selected)));
    if (!choice.path.isEmpty() && !suffix.isEmpty() &&
        !choice.path.endsWith(suffix, Qt::CaseInsensitive)) {
        choice.path += suffix;
    }
    return choice;
}

} // namespace velmora
