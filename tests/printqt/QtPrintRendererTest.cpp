#include "print/QtPrintRenderer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

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
int Row(int twipsDown) {
    return (twipsDown * kDpi + 720) / 1440;
}

// Draws the ops, then lists every row holding ink with its first and last inked column.
std::map<int, std::pair<int, int>> InkedRows(QImage& image, const QtPrintRenderer& renderer,
                                             const PageOps& ops) {
    {
        QPainter painter(&image);
        renderer.DrawPage(painter, ops);
    }
    std::map<int, std::pair<int, int>> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                rows.try_emplace(y, x, x).first->second.second = x;
            }
        }
    }
    return rows;
}

TEST(QtPrintRenderer, FontsFollowTheDeviceAndTheRequestedSize) {
    const QImage image = Sheet();
    const QtPrintRenderer renderer(image);
    EXPECT_EQ(ComputePageUnits(renderer.Area()), (PageUnits{352, 185}));
    // Character heights of 352 and 281 twips: 24 and 20 pixels at 100 dpi.
    EXPECT_EQ(renderer.PageFont().pixelSize(), 24);
    EXPECT_EQ(renderer.SmallFont().pixelSize(), 20);
    // A serif line is a little more than its character height.
    const LineHeights h = renderer.Heights();
    EXPECT_GT(h.pageFont, 352);
    EXPECT_LT(h.pageFont, 352 * 5 / 4);
    EXPECT_GT(h.smallFont, 281);
    EXPECT_LT(h.smallFont, h.pageFont);
    // Stretched to the requested average widths of 185 and 148 twips.
    EXPECT_NEAR(AverageCharWidth(QFontMetricsF(renderer.PageFont(), &image)), 12.85, 0.2);
    EXPECT_NEAR(AverageCharWidth(QFontMetricsF(renderer.SmallFont(), &image)), 10.28, 0.2);
    // Measured this way, the page face's average is its declared 821 of 2048 units.
    QFont face(QStringLiteral("Times New Roman"));
    face.setPixelSize(2048);
    EXPECT_NEAR(AverageCharWidth(QFontMetricsF(face)), 821, 10);
}

TEST(QtPrintRenderer, RulesLieOnTheirRowsFromColumnFiveToSixty) {
    QImage image = Sheet();
    const QtPrintRenderer renderer(image);
    const PrintLayout layout({}, NewImage(), "", Language::English, renderer.Area(),
                             renderer.Heights());
    PageOps rulesOnly;
    rulesOnly.rules = layout.Page(1).rules;
    const int h0 = renderer.Heights().pageFont;
    const std::map<int, std::pair<int, int>> expected = {
        {Row(2 * h0 + 50), {64, 771}},
        {Row(2 * h0 + 120), {64, 771}},
        {Row(36 * h0 - h0 / 2), {64, 771}},
    };
    EXPECT_EQ(InkedRows(image, renderer, rulesOnly), expected);
}

TEST(QtPrintRenderer, TextHangsBelowItsTopLeftCorner) {
    QImage image = Sheet();
    const QtPrintRenderer renderer(image);
    PageOps ops;
    ops.texts.push_back({6 * 185, -1000, "Option", false});
    const auto rows = InkedRows(image, renderer, ops);
    ASSERT_FALSE(rows.empty());
    // The capital O starts a little below the top; the p reaches below the baseline.
    const double ascent = QFontMetricsF(renderer.PageFont(), &image).ascent();
    EXPECT_GE(rows.begin()->first, Row(1000));
    EXPECT_LE(rows.begin()->first, Row(1000) + 6);
    EXPECT_GT(rows.rbegin()->first, Row(1000) + ascent);
    int left = image.width();
    for (const auto& [row, columns] : rows) {
        left = std::min(left, columns.first);
    }
    EXPECT_NEAR(left, 6 * 185 * kDpi / 1440, 2);
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
