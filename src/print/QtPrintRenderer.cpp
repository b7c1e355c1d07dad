#include "print/QtPrintRenderer.h"

#include "base/QtText.h"

#include "base/FileIo.h"
#include "image/DataFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velmora {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kPdfResolution = 600;
constexpr double kPdfMarginMm = 6.35; // a quarter inch, what most printers cannot reach anyway

// Twips to device pixels along one axis, rounded half away from zero.
int TwipsToPixels(int twips, int dpi) {
    const std::int64_t scaled = static_cast<std::int64_t>(twips) * dpi;
    const std::int64_t half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

int PixelsToTwips(double pixels, int dpi) {
    return dpi > 0 ? static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi)) : 0;
}

// The Latin face of the report first; Chinese labels fall through to a CJK face, since the
// Latin face has no Chinese glyphs and the system's own fallback may pick one without them.
QFont MakeFont(const PrintFontSize& size, const PrintArea& area, const QPaintDevice& device) {
    QFont font;
    font.setFamilies({ToQString(kPrintFontFace), QStringLiteral("Liberation Serif"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setStyleHint(QFont::Serif);
    font.setWeight(QFont::Normal); // weight 400
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    // A negative height is the character height without internal leading: Qt's pixel size.
    font.setPixelSize(std::max(1, TwipsToPixels(-size.height, area.dpiY)));
    // The requested width is the average character width; the face's own proportions give
    // another, so the glyphs are stretched horizontally to match it.
    const double natural = AverageCharWidth(QFontMetricsF(font, &device));
    const double wanted = area.dpiX > 0 ? double(size.width) * area.dpiX / kTwipsPerInch : 0;
    if (natural > 0 && wanted > 0) {
        const long stretch = std::lround(100.0 * wanted / natural);
        font.setStretch(static_cast<int>(std::clamp<long>(stretch, 1, 4000)));
    }
    return font;
}

// Text height plus external leading, in twips.
int LineHeight(const QFont& font, const PrintArea& area, const QPaintDevice& device) {
    const QFontMetricsF metrics(font, &device);
    return PixelsToTwips(metrics.height() + std::max(0.0, metrics.leading()), area.dpiY);
}

} // namespace

double AverageCharWidth(const QFontMetricsF& metrics) {
    // How often each lower-case letter, then the space, occurs in English text, per 1000.
    static constexpr int kWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                         56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
    double sum = 0;
    for (int i = 0; i < 27; ++i) {
        const QChar c = i < 26 ? QChar(u'a' + i) : QChar(u' ');
        sum += kWeights[i] * metrics.horizontalAdvance(c);
    }
    return sum / 1000;
}

PrintArea AreaOf(const QPaintDevice& device) {
    return {device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY()};
}

QPoint ToDevice(int x, int y, const PrintArea& area) {
    return {TwipsToPixels(x, area.dpiX), TwipsToPixels(-y, area.dpiY)};
}

QtPrintRenderer::QtPrintRenderer(const QPaintDevice& device) : area_(AreaOf(device)) {
    const PageUnits units = ComputePageUnits(area_);
    pageFont_ = MakeFont(PageFontSize(units), area_, device);
    smallFont_ = MakeFont(SmallFontSize(units), area_, device);
    heights_ = {LineHeight(pageFont_, area_, device), LineHeight(smallFont_, area_, device)};
}

void QtPrintRenderer::DrawPage(QPainter& painter, const PageOps& ops) const {
    painter.save();
    // The default pen: solid black, one device pixel wide.
    painter.setPen(QPen(Qt::black, 1));
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const DrawRule& rule : ops.rules) {
        painter.drawLine(ToDevice(rule.x1, rule.y, area_), ToDevice(rule.x2, rule.y, area_));
    }
    for (const DrawText& text : ops.texts) {
        const QFont& font = text.smallFont ? smallFont_ : pageFont_;
        painter.setFont(font);
        // The model gives the top-left corner; QPainter places the baseline.
        const QPoint topLeft = ToDevice(text.x, text.y, area_);
        const double ascent = QFontMetricsF(font, painter.device()).ascent();
        painter.drawText(QPointF(topLeft.x(), topLeft.y() + ascent), ToQString(text.text));
    }
    painter.restore();
}

std::vector<int> PagesToPrint(int pageCount, const QPageRanges& ranges, bool lastPageFirst,
                              int copies, bool collate) {
    std::vector<int> set;
    for (int page = 1; page <= pageCount; ++page) {
        if (ranges.isEmpty() || ranges.contains(page)) {
            set.push_back(page);
        }
    }
    if (lastPageFirst) {
        std::reverse(set.begin(), set.end());
    }
    copies = std::max(1, copies);
    std::vector<int> pages;
    if (collate) {
        for (int copy = 0; copy < copies; ++copy) {
            pages.insert(pages.end(), set.begin(), set.end());
        }
    } else {
        for (int page : set) {
            pages.insert(pages.end(), static_cast<std::size_t>(copies), page);
        }
    }
    return pages;
}

int ReportPageCount(const PrintSource& source) {
    return 1 + CountChannelPages(source.grid).channelPages;
}

PaintResult PaintPages(QPagedPaintDevice& device, const PrintSource& source,
                       const std::vector<int>& pages) {
    if (pages.empty()) {
        return PaintResult::NoPages;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return PaintResult::DeviceFailed;
    }
    const QtPrintRenderer renderer(device);
    const PrintLayout layout(source.grid, source.image, source.ownerText, source.lang,
                             renderer.Area(), renderer.Heights());
    bool first = true;
    for (int page : pages) {
        if (!first && !device.newPage()) {
            painter.end();
            return PaintResult::DeviceFailed;
        }
        first = false;
        renderer.DrawPage(painter, layout.Page(page));
    }
    return painter.end() ? PaintResult::Done : PaintResult::DeviceFailed;
}

bool SavePdf(const QString& path, const QPageLayout& layout, int resolution,
             const PrintSource& source, const std::vector<int>& pages, std::string& error) {
    error.clear();
    // The pages are made in memory and saved in one go, as every file the program writes is:
    // a failed or interrupted export leaves whatever PDF was there untouched.
    QByteArray pdf;
    PaintResult result = PaintResult::DeviceFailed;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        writer.setCreator(QStringLiteral("Velmora"));
        result = PaintPages(writer, source, pages);
    }
    const std::string pathText = path.toStdString();
    if (result == PaintResult::NoPages) {
        return true; // a range that names no existing page prints nothing, and that is no failure
    }
    if (result != PaintResult::Done) {
        error = DescribeSaveFailure(pathText, {FileError::WriteFailed, {}}, source.lang);
        return false;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(pdf.constData());
    const FileResult saved =
        WriteFileAtomically(pathText, {bytes, static_cast<std::size_t>(pdf.size())});
    if (!saved) {
        error = DescribeSaveFailure(pathText, saved, source.lang);
        return false;
    }
    return true;
}

bool RenderToPdf(const QString& path, const PrintSource& source, std::string& error) {
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                         QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                         QPageLayout::Millimeter);
    const std::vector<int> pages =
        PagesToPrint(ReportPageCount(source), QPageRanges(), false, 1, true);
    return SavePdf(path, a4, kPdfResolution, source, pages, error);
}

} // namespace velmora
