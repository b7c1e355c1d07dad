// The main window's commands other than those on the whole document: the settings dialogs,
// the radio transfers, printing, channel exchange, undo and the program's own dialogs.
#include "frame/MainFrame.h"

#include "base/QtText.h"

#include "app/AboutDlg.h"
#include "base/StartupConfig.h"
#include "document/ProgramDoc.h"
#include "document/ProgramView.h"
#include "document/TransferCommands.h"
#include "frame/ChildFrame.h"
#include "frame/ExchangeCommands.h"
#include "frame/TreeBar.h"
#include "link/BackupFolder.h"
#include "link/PortChoice.h"
#include "link/PtyRadio.h"
#include "print/PrintJob.h"
#include "settings/OptionalFeaturesDlg.h"
#include "settings/ProductInfoDlg.h"

#include <QAction>
#include <QPrinter>
#include <QPrinterInfo>

namespace velmora {

void CMainFrame::OnControlBar() {
    m_pTreeBar->setVisible(m_pTreeBar->isHidden());
    Action(ID_VIEW_CONTROL_BAR)->setChecked(!m_pTreeBar->isHidden());
}

void CMainFrame::OnOptionalFeatures() {
    // The dialog writes the image on OK; a read landing behind it would be overwritten.
    CProgramView* view = ActiveView();
    if (view == nullptr || !DocumentFree()) {
        return;
    }
    COptionalFeaturesDlg dialog(view->GetDocument()->m_image, m_app.lang, m_help.get(), this);
    dialog.exec();
}

void CMainFrame::OnProductInformation() {
    CProgramView* view = ActiveView();
    if (view == nullptr || !DocumentFree()) {
        return;
    }
    if (const auto state = RunProductInfoDialog(view->GetDocument()->m_image, m_app.catalog,
                                                *m_app.store, m_app.lang, this, m_help.get())) {
        SetFrameTitle(QString::fromStdString(state->title));
        view->SetBandLimits(state->limits);
    }
}

void CMainFrame::OnLanguage() {
    if (DocumentFree()) {
        RunLanguageCommand(this, this, *m_launcher, m_app.prompter, m_app.company, m_help.get());
    }
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(AboutTexts::FromConfig(), this);
    dialog.ShowBackupLine(ToQString(txt::AboutBackupFolder.In(m_app.lang))
                              .arg(QString::fromStdString(DefaultBackupFolder())));
    dialog.exec();
}

void CMainFrame::OnRead() {
    // The grid the read refills comes into sight.
    if (ShownView() != nullptr && DocumentFree()) {
        TransferCommands* transfer = ActiveChildFrame()->Transfer();
        transfer->SetTracing(Action(ID_SETUP_TRACE)->isChecked());
        transfer->OnRead();
    }
}

void CMainFrame::OnWrite() {
    if (ActiveView() != nullptr && DocumentFree()) {
        TransferCommands* transfer = ActiveChildFrame()->Transfer();
        transfer->SetTracing(Action(ID_SETUP_TRACE)->isChecked());
        transfer->OnWrite();
    }
}

void CMainFrame::OnComSetup() {
    if (ActiveView() != nullptr) {
        ActiveChildFrame()->Transfer()->OnComSetup(m_help.get());
    }
}

bool CMainFrame::StartDemoRadio() {
    if (!m_demoRadio) {
        std::string device;
        m_demoRadio = velmora::StartDemoRadio(device);
        if (!m_demoRadio) {
            Warn(std::string(txt::MsgDemoFailed.In(m_app.lang)));
            return false;
        }
        // Every window's next transfer goes to it, whenever that window was opened.
        m_app.ports->UseDemoRadio(device);
    }
    Action(ID_SETUP_DEMO)->setEnabled(false);
    return true;
}

bool CMainFrame::MakePrintSource(PrintSource& source) const {
    CProgramView* view = ActiveView();
    if (!view) {
        return false;
    }
    // The pages show the grid as it stands, an open edit included.
    view->CommitOpenEdit();
    source = PrintSource{view->Channels().Texts(), view->GetDocument()->m_image,
                         LanguageText("Copyrights Owner"), m_app.lang};
    return true;
}

void CMainFrame::OnFilePrint() {
    PrintSource source;
    if (MakePrintSource(source)) {
        PrintWithDialog(this, *m_printer, source);
    }
}

bool CMainFrame::OnFilePrintDirect() {
    PrintSource source;
    if (!MakePrintSource(source)) {
        return false;
    }
    if (m_printer->outputFormat() == QPrinter::NativeFormat) {
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        if (printer.isNull()) {
            Warn(std::string(txt::MsgNoPrinter.In(m_app.lang)));
            return false;
        }
        m_printer->setPrinterName(printer.printerName());
    }
    return PrintDirect(this, *m_printer, source);
}

void CMainFrame::SetPrinter(std::unique_ptr<QPrinter> printer) {
    m_printer = std::move(printer);
}

void CMainFrame::OnFilePrintPreview() {
    PrintSource source;
    if (MakePrintSource(source)) {
        PrintPreview(this, *m_printer, source);
    }
}

void CMainFrame::OnFilePrintSetup() {
    PrintSetup(this, *m_printer);
}

void CMainFrame::OnImportChannels(bool atSelectedChannel) {
    if (CProgramView* view = ShownView(); view && DocumentFree()) {
        ShowStatus(ImportChannels(*view, m_app, *m_chooser, this, atSelectedChannel));
    }
}

void CMainFrame::OnExportChannels() {
    if (CProgramView* view = ActiveView()) {
        ShowStatus(ExportChannels(*view, m_app, *m_chooser, this));
    }
}

} // namespace velmora
