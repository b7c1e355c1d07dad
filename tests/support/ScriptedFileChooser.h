// File dialogs answered by the test: the path to return, and what the program proposed.
#pragma once

#include "frame/FileChooser.h"

namespace velmora::test {

class ScriptedFileChooser : public FileChooser {
public:
    QString OpenPath(QWidget*, const QString&) override { return openAnswer; }
    QString SavePath(QWidget*, const QString& proposed, const QString&) override {
        proposedSaves.append(proposed);
        return saveAnswer;
    }

    QString openAnswer;
    QString saveAnswer;
    QStringList proposedSaves;
};

} // namespace velmora::test
