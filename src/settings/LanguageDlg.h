// The Language dialog and the Language command. A new language takes effect through a restart:
// the choice goes into Program.ini, which is written to disk at once, the main window closes
// and the program's own executable starts again with the same arguments.
#pragma once

#include "base/Texts.h"
#include "settings/LanguageSwitch.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <string>

class QPushButton;
class QRadioButton;

namespace velmora {

class HelpLauncher;
class Prompter;

// Starts a program on its own, outliving this one; tests give a recording fake.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual bool Start(const QString& program, const QStringList& arguments) = 0;
};

class DetachedProcessLauncher : public ProgramLauncher {
public:
    bool Start(const QString& program, const QStringList& arguments) override;
};

// A program and its arguments.
struct ProgramInvocation {
    QString program;
    QStringList arguments;
    // This program, by its full path (wherever the current folder is), with the arguments it
    // was started with.
    static ProgramInvocation Current();
};

class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    // Opens with the running language chosen.
    explicit CLanguageDlg(Language running, HelpLauncher* help = nullptr,
                          QWidget* parent = nullptr);

    Language Chosen() const;
    QRadioButton* EnglishButton() const { return m_pEnglish; }
    QRadioButton* ChineseButton() const { return m_pChinese; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

private:
    QRadioButton* m_pEnglish = nullptr;
    QRadioButton* m_pChinese = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};

// Changes the running language (CurrentLanguage()) to `chosen`: stores Setup/Language in
// g_iniFile, writes Program.ini, closes mainWindow, starts `program`. Stops at the first step
// that fails; the same language does nothing.
LanguageSwitchResult ApplyLanguageChoice(Language chosen, QWidget* mainWindow,
                                         ProgramLauncher& launcher,
                                         const ProgramInvocation& program);

// The Language command: shows the dialog, then applies the choice to this program. Cancel
// changes nothing. When Program.ini cannot take the choice, prompter (if any) says so under
// `caption`.
LanguageSwitchResult RunLanguageCommand(QWidget* parent, QWidget* mainWindow,
                                        ProgramLauncher& launcher, Prompter* prompter = nullptr,
                                        const std::string& caption = {},
                                        HelpLauncher* help = nullptr);

} // namespace velmora
