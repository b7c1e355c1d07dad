// The Qt side of printing: the fonts and where ink lands on the device, and which pages print.
#include "print/QtPrintRenderer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace velmora {
namespace {

// A letter-size sheet at 100 dpi: 12240 × 15840 twips, column unit 185, line unit 352.
constexpr int kDpi = 100;
QImage Sheet() {
    QImage image(850, 1100, QImage::Format_RGB32);
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    image.fill(Qt::white);
    return image;
}

// Draws the ops and gives the smallest rectangle holding all the ink.
QRect InkOf(QImage& image, const QtPrintRenderer& renderer, const PageOps& ops) {
    QPainter painter(&image);
    renderer.DrawPage(painter, ops);
    painter.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// The fonts are 352 and 281 twips high at the device's resolution (24 and 20 pixels at 100 dpi),
// the page font stretched to an average width of 185 twips. A text hangs below its top-left corner.
TEST(QtPrintRenderer, FontsFollowTheDeviceAndTextHangsBelowItsTopLeftCorner) {
    QImage image = Sheet();
    const QtPrintRenderer renderer(image);
    EXPECT_EQ(renderer.PageFont().pixelSize(), 24);
    EXPECT_EQ(renderer.SmallFont().pixelSize(), 20);
    EXPECT_NEAR(AverageCharWidth(QFontMetricsF(renderer.PageFont(), &image)), 12.85, 0.2);
    const QRect ink = InkOf(image, renderer, {{{6 * 185, -1000, "Option", false}}, {}});
    // The capital O starts at most 6 pixels below the top; the p reaches below the baseline.
    const int top = (1000 * kDpi + 720) / 1440;
    EXPECT_NEAR(ink.top(), top + 3, 3);
    EXPECT_GT(ink.bottom(), top + QFontMetricsF(renderer.PageFont(), &image).ascent());
    EXPECT_NEAR(ink.left(), 6 * 185 * kDpi / 1440, 2);
}

TEST(PagesToPrint, RangesOrderAndCopies) {
    const std::vector<std::tuple<QString, bool, int, bool, std::vector<int>>> cases = {
        {"", false, 1, true, {1, 2, 3}},        {"2-3", false, 1, true, {2, 3}},
        {"1,3-7", false, 1, true, {1, 3}},      {"5-9", false, 1, true, {}},
        {"", true, 1, true, {3, 2, 1}},         {"1-2", false, 2, true, {1, 2, 1, 2}},
        {"1-2", false, 2, false, {1, 1, 2, 2}}, {"", false, 0, true, {1, 2, 3}},
    };
    for (const auto& [text, lastFirst, copies, collate, pages] : cases) {
        const QPageRanges ranges = text.isEmpty() ? QPageRanges() : QPageRanges::fromString(text);
        EXPECT_EQ(PagesToPrint(3, ranges, lastFirst, copies, collate), pages)
            << text.toStdString() << " copies " << copies;
    }
}

} // namespace
} // namespace velmora
