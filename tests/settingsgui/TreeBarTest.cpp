// The navigation tree and its bar: which item acts, root reselection, dragging the width.
#include "frame/TreeBar.h"
#include "frame/Navigation.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

using T = NavigationTarget;

TEST(Navigation, OnlyTheChildTextsOfTheRunningLanguageAct) {
    const struct {
        const char* text;
        Language lang;
        T target;
    } cases[] = {
        {"Product Information", Language::English, T::ProductInformation},
        {"Channel Information", Language::English, T::ChannelInformation},
        {"Optional Features", Language::English, T::OptionalFeatures},
        {"类型设置", Language::Chinese, T::ProductInformation},
        {"信道信息", Language::Chinese, T::ChannelInformation},
        {"可选功能", Language::Chinese, T::OptionalFeatures},
        {"可选功能", Language::English, T::None},
        {"Optional Features", Language::Chinese, T::None},
        {"optional features", Language::English, T::None},
        {"Optional Features ", Language::English, T::None},
        {"Velmora Radio Co.", Language::English, T::None},
        {"", Language::English, T::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NavigationFor(c.text, c.lang), c.target) << c.text;
    }
}

TEST(Navigation, DragLimits) {
    const struct {
        int x, frameWidth, tracking, applied;
    } cases[] = {
        {-40, 800, 80, 11},   {5, 800, 80, 11},     {11, 800, 80, 11},    {79, 800, 80, 79},
        {80, 800, 80, 80},    {300, 800, 300, 300}, {400, 800, 400, 400}, {401, 800, 400, 400},
        {900, 801, 400, 400}, {70, 100, 80, 50}, // a narrow frame: the line still stops at 80
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TreeBarTrackingX(c.x, c.frameWidth), c.tracking) << c.x << " " << c.frameWidth;
        EXPECT_EQ(TreeBarAppliedWidth(c.x, c.frameWidth), c.applied) << c.x << " " << c.frameWidth;
    }
}

class TreeBarInFrame : public ::testing::Test {
protected:
    void SetUp() override {
        m_frame.resize(800, 600);
        m_bar = new CTreeBar("Velmora Radio Co.", Language::English, &m_frame);
        m_frame.addDockWidget(Qt::LeftDockWidgetArea, m_bar);
        m_frame.show();
        QApplication::processEvents();
    }

    QTreeWidgetItem* Child(int i) const { return m_bar->Root()->child(i); }
    QPoint CentreOf(QTreeWidgetItem* item) const {
        QTreeWidget* tree = m_bar->Tree();
        return tree->viewport()->mapToGlobal(tree->visualItemRect(item).center());
    }
    // A mouse event on the bar's panel at bar coordinates (x, y).
    void Mouse(QEvent::Type type, int x, int y) {
        QWidget* panel = m_bar->Panel();
        const QPoint local = panel->mapFrom(m_bar, QPoint(x, y));
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, local, panel->mapToGlobal(local),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
    }
    int StripX() const { return m_bar->Panel()->mapTo(m_bar, m_bar->SizingStrip().center()).x(); }

    QMainWindow m_frame;
    CTreeBar* m_bar = nullptr;
};

TEST_F(TreeBarInFrame, TreeHoldsTheCompanyAndTheThreeEditorsExpanded) {
    EXPECT_EQ(m_bar->Root()->text(0), "Velmora Radio Co.");
    ASSERT_EQ(m_bar->Root()->childCount(), 3);
    EXPECT_EQ(Child(0)->text(0), "Product Information");
    EXPECT_EQ(Child(1)->text(0), "Channel Information");
    EXPECT_EQ(Child(2)->text(0), "Optional Features");
    EXPECT_TRUE(m_bar->Root()->isExpanded());
    EXPECT_EQ(m_bar->width(), 220);
    EXPECT_EQ(m_bar->features(), QDockWidget::DockWidgetClosable);
    EXPECT_EQ(m_frame.dockWidgetArea(m_bar), Qt::LeftDockWidgetArea);
}

TEST_F(TreeBarInFrame, TheItemUnderTheMouseActsOnceAndTheRootIsSelectedAgain) {
    std::vector<T> targets;
    QObject::connect(m_bar, &CTreeBar::navigate, [&](T target) {
        targets.push_back(target);
        EXPECT_NE(m_bar->Tree()->currentItem(), m_bar->Root()); // the action runs first
    });
    const QPoint overOptional = CentreOf(Child(2));
    m_bar->SetCursorSource([&] { return overOptional; });

    // A keyboard move to Product Information: the item under the mouse decides.
    m_bar->Tree()->setCurrentItem(Child(0));
    EXPECT_EQ(targets, std::vector<T>{T::OptionalFeatures});
    QCoreApplication::processEvents();
    EXPECT_EQ(m_bar->Tree()->currentItem(), m_bar->Root());

    // A click on the same item acts again, and afterwards only the root is highlighted.
    QTest::mouseClick(m_bar->Tree()->viewport(), Qt::LeftButton, {},
                      m_bar->Tree()->viewport()->mapFromGlobal(CentreOf(Child(2))));
    QCoreApplication::processEvents();
    EXPECT_EQ(targets, (std::vector<T>{T::OptionalFeatures, T::OptionalFeatures}));
    EXPECT_EQ(m_bar->Tree()->currentItem(), m_bar->Root());
    EXPECT_EQ(m_bar->Tree()->selectedItems(), QList<QTreeWidgetItem*>{m_bar->Root()});
}

TEST_F(TreeBarInFrame, NothingUnderTheMouseDoesNothingButReselectsTheRoot) {
    QSignalSpy spy(m_bar, &CTreeBar::navigate);
    m_bar->SetCursorSource([] { return QPoint(-5000, -5000); });
    m_bar->Tree()->setCurrentItem(Child(1));
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(m_bar->Tree()->currentItem(), m_bar->Root());

    const QPoint overRoot = CentreOf(m_bar->Root());
    m_bar->SetCursorSource([&] { return overRoot; });
    m_bar->Tree()->setCurrentItem(Child(1));
    EXPECT_EQ(spy.count(), 0);
}

TEST_F(TreeBarInFrame, DraggingTheRightEdgeClampsTheWidth) {
    const struct {
        int releaseX, tracking, width;
    } cases[] = {
        {-30, 80, 11}, // the line stops at 80, the width goes down to 11
        {40, 80, 40},  // not clamped to the line
        {300, 300, 300},
        {700, 400, 400}, // half the frame's width
    };
    for (const auto& c : cases) {
        const int y = m_bar->height() / 2;
        Mouse(QEvent::MouseButtonPress, StripX(), y);
        Mouse(QEvent::MouseMove, c.releaseX, y);
        EXPECT_EQ(m_bar->TrackingX(), c.tracking) << c.releaseX;
        Mouse(QEvent::MouseButtonRelease, c.releaseX, y);
        QApplication::processEvents();
        EXPECT_EQ(m_bar->TrackingX(), -1);
        EXPECT_EQ(m_bar->BarWidth(), c.width) << c.releaseX;
        EXPECT_EQ(m_bar->width(), c.width) << c.releaseX;
    }
}

TEST_F(TreeBarInFrame, PressOutsideTheStripDoesNotResize) {
    Mouse(QEvent::MouseButtonPress, 60, 100);
    Mouse(QEvent::MouseMove, 150, 100);
    EXPECT_EQ(m_bar->TrackingX(), -1);
    Mouse(QEvent::MouseButtonRelease, 150, 100);
    EXPECT_EQ(m_bar->BarWidth(), 220);
}

TEST_F(TreeBarInFrame, ReleaseOverTheCloseButtonHidesTheBar) {
    QSignalSpy shown(m_bar, &CTreeBar::shownChanged);
    const QPoint button = m_bar->Panel()->mapTo(m_bar, m_bar->CloseButtonRect().center());
    Mouse(QEvent::MouseButtonPress, 60, 100); // started elsewhere on the bar
    Mouse(QEvent::MouseMove, button.x(), button.y());
    EXPECT_TRUE(m_bar->IsClosePressed());
    Mouse(QEvent::MouseButtonRelease, button.x(), button.y());
    EXPECT_TRUE(m_bar->isHidden());
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toBool(), false);

    m_bar->show();
    EXPECT_EQ(shown.last().at(0).toBool(), true);
}

TEST_F(TreeBarInFrame, DoubleClickNeitherFloatsNorMoves) {
    QTest::mouseDClick(m_bar, Qt::LeftButton, {}, QPoint(60, 3));
    QTest::mouseDClick(m_bar->Panel(), Qt::LeftButton, {}, QPoint(60, 15));
    QApplication::processEvents();
    EXPECT_FALSE(m_bar->isFloating());
    EXPECT_EQ(m_frame.dockWidgetArea(m_bar), Qt::LeftDockWidgetArea);
}

TEST(TreeBar, ChineseRunNamesTheEditorsInChinese) {
    CTreeBar bar(QString(), Language::Chinese);
    EXPECT_EQ(bar.Root()->text(0), "");
    EXPECT_EQ(bar.Root()->child(0)->text(0), QString::fromUtf8("类型设置"));
    EXPECT_EQ(bar.Root()->child(1)->text(0), QString::fromUtf8("信道信息"));
    EXPECT_EQ(bar.Root()->child(2)->text(0), QString::fromUtf8("可选功能"));
}

} // namespace
} // namespace velmora
