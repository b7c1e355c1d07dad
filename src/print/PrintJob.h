// The window program's printing commands: Print, Print Preview and Print Setup.
//
// Each job takes the document's state once, when it starts (see PrintSource), so the page
// count in the footers and the channels on the pages always agree.
#pragma once

#include "print/QtPrintRenderer.h"

class QPrinter;
class QWidget;

namespace velmora {

// File > Print: the print dialog offers pages 1 to the page count (all of them chosen); the chosen
// pages, copies and order are printed. Cancelling the dialog ends the job before any page is drawn.
// A printer that cannot be started is reported in a message box.
void PrintWithDialog(QWidget* parent, QPrinter& printer, const PrintSource& source);

// Direct print: every page on the printer as it is set up, with no dialog. False when the
// printer failed (the user has been told).
bool PrintDirect(QWidget* parent, QPrinter& printer, const PrintSource& source);

// File > Print Preview: the same pages in the preview window, from which they can be printed.
void PrintPreview(QWidget* parent, QPrinter& printer, const PrintSource& source);

// File > Print Setup: paper, orientation and margins for later jobs.
void PrintSetup(QWidget* parent, QPrinter& printer);

} // namespace velmora
