#include "print/PrintJob.h"

#include "base/QtText.h"

#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace velmora {
namespace {

// The pages the printer's settings ask for, as the print dialog left them. Printers that
// make their own copies get each page once.
std::vector<int> ChosenPages(const QPrinter& printer, int pageCount) {
    const QPageRanges ranges =
        printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    return PagesToPrint(pageCount, ranges, printer.pageOrder() == QPrinter::LastPageFirst, copies,
                        printer.collateCopies());
}

void Warn(QWidget* parent, std::string_view message) {
    QMessageBox::warning(parent, QString(), ToQString(message));
}

bool Print(QWidget* parent, QPrinter& printer, const PrintSource& source) {
    const std::vector<int> pages = ChosenPages(printer, ReportPageCount(source));
    // "Print to file" is a save like any other: the printer would write the file as it goes
    // and leave half a PDF over the old one when anything fails on the way.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        std::string error;
        if (!SavePdf(printer.outputFileName(), printer.pageLayout(), printer.resolution(), source,
                     pages, error)) {
            Warn(parent, error);
            return false;
        }
        return true;
    }
    // A range that names no existing page prints nothing, and that is no failure.
    if (PaintPages(printer, source, pages) == PaintResult::DeviceFailed) {
        Warn(parent, txt::MsgPrintFailed.In(source.lang));
        return false;
    }
    return true;
}

// Every job starts with the whole report: a range picked for the last one is not this one's.
void AllPages(QPrinter& printer) {
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
}

} // namespace

void PrintWithDialog(QWidget* parent, QPrinter& printer, const PrintSource& source) {
    AllPages(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, ReportPageCount(source));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    Print(parent, printer, source);
}

void PrintPreview(QWidget* parent, QPrinter& printer, const PrintSource& source) {
    // The preview shows every page; a range left over from an earlier print would hide some.
    AllPages(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    // Printing from the preview window comes back here with the printer it chose.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [parent, &source](QPrinter* target) { Print(parent, *target, source); });
    dialog.exec();
}

bool PrintDirect(QWidget* parent, QPrinter& printer, const PrintSource& source) {
    AllPages(printer);
    return Print(parent, printer, source);
}

void PrintSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

} // namespace velmora
