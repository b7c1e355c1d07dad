// Start-up: configuration, language, the main window with a first document, and the menu
// adjustments the installation asks for.
#pragma once

#include "base/QtPrompter.h"
#include "settings/AppContext.h"

#include <QStringList>

#include <memory>

namespace velmora {

class CMainFrame;
class PortChoice;
class QtTextCodec;
class QtUserStore;

struct StartupOptions {
    QString iniPath;      // empty: Program.ini next to the program
    QString documentPath; // a *.dat to open instead of a new document
    bool exitWhenShown = false;
    bool demo = false;  // a virtual radio behind COM1, for trying the program without one
    bool print = false; // print documentPath on the default printer and leave (the print verb)
};

// Reads the program's own command line; a usage problem is returned as a message.
bool ParseStartupOptions(const QStringList& arguments, StartupOptions& options, QString& problem);

class CProgramApp {
public:
    CProgramApp();
    ~CProgramApp();

    bool InitInstance(const StartupOptions& options);
    // With --print: prints the document opened at start-up on the default printer; the
    // program's exit code (0 printed, 2 the file or the printer failed).
    int PrintAndExit();
    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

private:
    std::unique_ptr<QtTextCodec> m_codec;
    std::unique_ptr<QtUserStore> m_store;
    QtPrompter m_prompter;
    std::unique_ptr<PortChoice> m_ports;
    AppContext m_context;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    bool m_bPrintOpened = false;
};

} // namespace velmora
