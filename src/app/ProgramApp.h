// Start-up: configuration, language, the main window with a first document, and the menu
// adjustments the installation asks for.
#pragma once

#include "app/AppContext.h"
#include "app/QtPrompter.h"

#include <QStringList>

#include <memory>

namespace velmora {

class CMainFrame;
class QtTextCodec;
class QtUserStore;

struct StartupOptions {
    QString iniPath;      // empty: Program.ini next to the program
    QString documentPath; // a *.dat to open instead of a new document
    QString screenshotPath;
    bool exitWhenShown = false;
    bool demo = false; // a virtual radio behind COM1, for trying the program without one
};

// Reads the program's own command line; a usage problem is returned as a message.
bool ParseStartupOptions(const QStringList& arguments, StartupOptions& options, QString& problem);

class CProgramApp {
public:
    CProgramApp();
    ~CProgramApp();

    bool InitInstance(const StartupOptions& options);
    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

private:
    std::unique_ptr<QtTextCodec> m_codec;
    std::unique_ptr<QtUserStore> m_store;
    QtPrompter m_prompter;
    AppContext m_context;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

} // namespace velmora
