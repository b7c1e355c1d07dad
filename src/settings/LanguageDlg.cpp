#include "settings/LanguageDlg.h"

#include "base/QtText.h"

#include "base/ConfigLocation.h"
#include "base/HelpLauncher.h"
#include "base/Prompter.h"
#include "base/StartupConfig.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

constexpr int kLanguageCommandId = 32799; // the help topic of the whole dialog

class QtRestartSteps : public LanguageRestartSteps {
public:
    QtRestartSteps(QWidget* mainWindow, ProgramLauncher& launcher, const ProgramInvocation& program)
        : m_pMainWindow(mainWindow), m_launcher(launcher), m_program(program) {}

    bool StoreChoice(std::string_view value) override {
        return g_iniFile.SetValue(kLanguageSection, kLanguageKey, value);
    }
    // A user who cannot write the installation's file keeps the choice in a copy of their own.
    bool SaveSettings() override { return SaveConfig(g_iniFile, ConfigCopyPath()); }
    bool CloseMainWindow() override { return m_pMainWindow == nullptr || m_pMainWindow->close(); }
    bool StartProgramAgain() override {
        return m_launcher.Start(m_program.program, m_program.arguments);
    }

private:
    QWidget* m_pMainWindow;
    ProgramLauncher& m_launcher;
    const ProgramInvocation& m_program;
};

} // namespace

bool DetachedProcessLauncher::Start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

ProgramInvocation ProgramInvocation::Current() {
    return {QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1)};
}

CLanguageDlg::CLanguageDlg(Language running, HelpLauncher* help, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(ToQString(txt::LanguageCaption.In(running)));
    m_pEnglish = new QRadioButton(ToQString(txt::LanguageEnglish.In(running)), this);
    m_pChinese = new QRadioButton(ToQString(txt::LanguageChinese.In(running)), this);
    auto* group = new QButtonGroup(this);
    group->addButton(m_pEnglish);
    group->addButton(m_pChinese);
    (running == Language::Chinese ? m_pChinese : m_pEnglish)->setChecked(true);

    m_pOk = new QPushButton(ToQString(txt::DlgButtonOk.In(running)), this);
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(ToQString(txt::DlgButtonCancel.In(running)), this);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* choices = new QHBoxLayout;
    choices->addStretch(1);
    choices->addWidget(m_pEnglish);
    choices->addStretch(2);
    choices->addWidget(m_pChinese);
    choices->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    buttons->addStretch(2);
    buttons->addWidget(m_pCancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addSpacing(8);
    layout->addLayout(choices);
    layout->addSpacing(12);
    layout->addLayout(buttons);

    // Help for this dialog is the Language command's topic, whatever has the focus.
    InstallHelpKey(this, help, kLanguageCommandId);
}

Language CLanguageDlg::Chosen() const {
    return m_pChinese->isChecked() ? Language::Chinese : Language::English;
}

LanguageSwitchResult ApplyLanguageChoice(Language chosen, QWidget* mainWindow,
                                         ProgramLauncher& launcher,
                                         const ProgramInvocation& program) {
    QtRestartSteps steps(mainWindow, launcher, program);
    return SwitchLanguage(CurrentLanguage(), chosen, steps);
}

LanguageSwitchResult RunLanguageCommand(QWidget* parent, QWidget* mainWindow,
                                        ProgramLauncher& launcher, Prompter* prompter,
                                        const std::string& caption, HelpLauncher* help) {
    const Language running = CurrentLanguage();
    CLanguageDlg dialog(running, help, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return LanguageSwitchResult::Unchanged;
    }
    const LanguageSwitchResult result =
        ApplyLanguageChoice(dialog.Chosen(), mainWindow, launcher, ProgramInvocation::Current());
    if ((result == LanguageSwitchResult::NotStored || result == LanguageSwitchResult::NotSaved) &&
        prompter != nullptr) {
        prompter->Warn(caption, std::string(txt::MsgLanguageNotSaved.In(running)));
    }
    return result;
}

} // namespace velmora
