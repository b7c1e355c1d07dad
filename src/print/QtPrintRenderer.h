// The printed report on a Qt paint device: a printer, a preview page, a PDF file or an image.
//
// PrintLayout decides every text and rule in twips with y growing upwards from the top-left
// corner of the printable area. This renderer creates the two fonts for the device, measures
// their line heights for the layout, and maps twips onto device pixels:
//
//     device x = x · dpiX / 1440        device y = −y · dpiY / 1440
//
// Only QtGui is needed, so the command-line tool can write the same pages as a PDF without
// any widget.
#pragma once

#include "base/Texts.h"
#include "channels/ChannelTable.h"
#include "image/MemoryImage.h"
#include "print/PrintLayout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageRanges>
#include <QPoint>
#include <QString>

#include <string>
#include <vector>

class QPageLayout;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace velmora {

// What one print job prints: the grid texts and the image of the active document as they
// are when the job starts, the footer's owner text and the language of every page text.
struct PrintSource {
    ChannelGridTexts grid;
    MemoryImage image{};
    std::string ownerText;
    Language lang = Language::English;
};

// The printable area of a device: its size in pixels and its resolution.
PrintArea AreaOf(const QPaintDevice& device);

// Twips of the page model to device pixels, rounded to the nearest pixel.
QPoint ToDevice(int x, int y, const PrintArea& area);

// The average character width a font size asks for: lower-case letters and the space weighted
// by how often they occur in English text. The faces' own average fields do not agree (the
// metric twin of the page face counts every glyph it has, the original only these), so the
// width is measured the same way whatever face the system supplies.
double AverageCharWidth(const QFontMetricsF& metrics);

class QtPrintRenderer {
public:
    // Creates the page font and the small font for the device's printable area and measures
    // them on that device.
    explicit QtPrintRenderer(const QPaintDevice& device);

    const PrintArea& Area() const { return area_; }
    LineHeights Heights() const { return heights_; }
    const QFont& PageFont() const { return pageFont_; }
    const QFont& SmallFont() const { return smallFont_; }

    // Draws one page's texts and rules; the painter must be active on the device the
    // renderer was made for, without a transformation of its own.
    void DrawPage(QPainter& painter, const PageOps& ops) const;

private:
    PrintArea area_;
    QFont pageFont_;
    QFont smallFont_;
    LineHeights heights_;
};

// The pages a job prints, in printing order: the pages of `ranges` (all pages when it is
// empty) that exist, last page first when asked, and `copies` times over, either as whole
// sets (collated) or each page repeated. Copies below 1 count as 1.
std::vector<int> PagesToPrint(int pageCount, const QPageRanges& ranges, bool lastPageFirst,
                              int copies, bool collate);

enum class PaintResult { Done, NoPages, DeviceFailed };

// Paints the listed pages (numbers of PrintLayout::Page) of the source on a printer or PDF
// writer, each on a page of its own.
PaintResult PaintPages(QPagedPaintDevice& device, const PrintSource& source,
                       const std::vector<int>& pages);

// The listed pages as a PDF on pages of `layout`, saved to path as every file is saved (see
// WriteFileAtomically): an existing file is replaced only by a complete new one. No pages
// write nothing and are no failure. On failure, error holds the message in the source's
// language.
bool SavePdf(const QString& path, const QPageLayout& layout, int resolution,
             const PrintSource& source, const std::vector<int>& pages, std::string& error);

// The whole report as an A4 PDF at 600 dpi with quarter-inch margins, saved as SavePdf saves.
bool RenderToPdf(const QString& path, const PrintSource& source, std::string& error);

// The number of pages the source prints: the options page and the channel pages.
int ReportPageCount(const PrintSource& source);

} // namespace velmora
