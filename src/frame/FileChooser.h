// Where the file dialogs come from: Qt's dialogs in the program, a scripted answer in tests.
#pragma once

#include <QString>

class QWidget;

namespace velmora {

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Empty when the user cancelled.
    virtual QString OpenPath(QWidget* parent, const QString& filter) = 0;
    virtual QString SavePath(QWidget* parent, const QString& proposed, const QString& filter) = 0;
};

class DialogFileChooser : public FileChooser {
public:
    QString OpenPath(QWidget* parent, const QString& filter) override;
    QString SavePath(QWidget* parent, const QString& proposed, const QString& filter) override;
};

} // namespace velmora
