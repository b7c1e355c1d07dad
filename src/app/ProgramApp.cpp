#include "app/ProgramApp.h"

#include "base/ConfigLocation.h"
#include "base/QtTextCodec.h"
#include "base/QtTranslations.h"
#include "base/StartupConfig.h"
#include "frame/MainFrame.h"
#include "frame/Pictures.h"
#include "link/PortChoice.h"
#include "settings/QtUserStore.h"

#include <QApplication>

namespace velmora {

bool ParseStartupOptions(const QStringList& arguments, StartupOptions& options, QString& problem) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--ini")) {
            if (i + 1 >= arguments.size()) {
                problem = arg + QStringLiteral(" needs a value");
                return false;
            }
            options.iniPath = arguments[++i];
        } else if (arg == QLatin1String("--demo")) {
            options.demo = true;
        } else if (arg == QLatin1String("--print")) {
            options.print = true;
        } else if (arg == QLatin1String("--exit-when-shown")) {
            options.exitWhenShown = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            problem = QStringLiteral("unknown option ") + arg;
            return false;
        } else if (options.documentPath.isEmpty()) {
            options.documentPath = arg;
        } else {
            problem = QStringLiteral("only one file can be opened at start-up");
            return false;
        }
    }
    if (options.print && options.documentPath.isEmpty()) {
        problem = QStringLiteral("--print needs the file to print");
        return false;
    }
    return true;
}

CProgramApp::CProgramApp() = default;
CProgramApp::~CProgramApp() = default;

bool CProgramApp::InitInstance(const StartupOptions& options) {
    // Configuration and language, fixed for the whole run.
    m_codec = std::make_unique<QtTextCodec>();
    SetTextCodec(m_codec.get());
    // Next to the program or in the installation's share folder; a user who cannot write that
    // file reads and writes a copy of their own.
    const ConfigLocation config = LocateConfig(QCoreApplication::applicationDirPath().toStdString(),
                                               options.iniPath.toStdString());
    SetConfigCopyPath(config.copyPath);
    LoadStartupConfig(config.readPath, std::nullopt);

    m_context.lang = CurrentLanguage();
    m_context.catalog = LoadProductCatalog(
        [](std::string_view section, std::string_view key) { return ConfigText(section, key); },
        g_strLanguage);
    m_context.appName = ConfigText("Setup", "AppName");
    m_context.company = LanguageText("Company");
    m_store = std::make_unique<QtUserStore>(m_context.appName);
    m_context.store = m_store.get();
    m_ports = std::make_unique<PortChoice>(m_store->ReadInt("com"));
    m_context.ports = m_ports.get();
    m_context.prompter = &m_prompter;
    QApplication::setApplicationName(QString::fromStdString(m_context.company));
    // Every window without an icon of its own (the About box among them) shows the program's.
    QApplication::setWindowIcon(WindowIcon());
    InstallQtTranslations(m_context.lang);

    m_pMainFrame = std::make_unique<CMainFrame>(m_context);
    m_prompter.SetOwner(m_pMainFrame.get());

    if (options.print) {
        // The print verb: the file is printed and the program leaves without a window.
        m_bPrintOpened = m_pMainFrame->OpenDocumentFile(options.documentPath);
        return true;
    }
    // A file on the command line opens that file; otherwise a new document. A file that cannot
    // be opened is reported, and the user gets a new document instead of no program at all.
    if (options.documentPath.isEmpty() || !m_pMainFrame->OpenDocumentFile(options.documentPath)) {
        m_pMainFrame->OnFileNew();
    }
    if (options.demo) {
        m_pMainFrame->StartDemoRadio();
    }
    m_pMainFrame->showMaximized();
    m_pMainFrame->setWindowIcon(WindowIcon());

    m_pMainFrame->ReplaceAboutText(QString::fromStdString(LanguageText("About Title")));
    if (!ShowLanguageCommand()) {
        m_pMainFrame->RemoveLanguageCommand();
    }
    return true;
}

int CProgramApp::PrintAndExit() {
    return m_bPrintOpened && m_pMainFrame->OnFilePrintDirect() ? 0 : 2;
}

} // namespace velmora
