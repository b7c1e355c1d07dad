// The navigation tree and its bar: which item acts, root reselection, dragging the width.
// (Which text opens which editor and how far the bar may be dragged: NavigationTest.)
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

QStringList Texts(const QTreeWidgetItem* root) {
    QStringList texts{root->text(0)};
    for (int i = 0; i < root->childCount(); ++i) {
        texts << root->child(i)->text(0);
    }
    return texts;
}

TEST_F(TreeBarInFrame, TreeHoldsTheCompanyAsItStandsAndTheThreeEditorsExpanded) {
    EXPECT_EQ(Texts(m_bar->Root()), QStringList({"Velmora Radio Co.", "Product Information",
                                                 "Channel Information", "Optional Features"}));
    EXPECT_TRUE(m_bar->Root()->isExpanded());
    EXPECT_EQ(m_bar->width(), 220);
    EXPECT_EQ(m_bar->features(), QDockWidget::DockWidgetClosable);
    EXPECT_EQ(m_frame.dockWidgetArea(m_bar), Qt::LeftDockWidgetArea);
    EXPECT_EQ(m_bar->windowTitle(), "Control Bar");
    // A company name that looks like markup is shown as it stands.
    const QString markup = QStringLiteral("<b>Velmora</b> <img src=x> &amp;");
    CTreeBar chinese(markup, Language::Chinese);
    EXPECT_EQ(Texts(chinese.Root()), (QStringList{markup, "类型设置", "信道信息", "可选功能"}));
}

// A keyboard move acts on the item under the mouse, not on the one moved to; nothing or the root
// under the mouse does nothing. A click on the same item acts again. The action runs first, and
// afterwards only the root is selected.
TEST_F(TreeBarInFrame, TheItemUnderTheMouseActsOnceAndTheRootIsSelectedAgain) {
    std::vector<T> targets;
    QObject::connect(m_bar, &CTreeBar::navigate, [&](T target) {
        targets.push_back(target);
        EXPECT_NE(m_bar->Tree()->currentItem(), m_bar->Root());
    });
    QPoint cursor;
    m_bar->SetCursorSource([&] { return cursor; });
    const struct {
        QPoint cursor;
        std::vector<T> targets;
    } cases[] = {
        {QPoint(-5000, -5000), {}},
        {CentreOf(m_bar->Root()), {}},
        {CentreOf(Child(2)), {T::OptionalFeatures}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.targets.size());
        cursor = c.cursor;
        m_bar->Tree()->setCurrentItem(Child(0));
        EXPECT_EQ(targets, c.targets);
        QCoreApplication::processEvents();
        EXPECT_EQ(m_bar->Tree()->currentItem(), m_bar->Root());
    }

    QTest::mouseClick(m_bar->Tree()->viewport(), Qt::LeftButton, {},
                      m_bar->Tree()->viewport()->mapFromGlobal(CentreOf(Child(2))));
    QCoreApplication::processEvents();
    EXPECT_EQ(targets, (std::vector<T>{T::OptionalFeatures, T::OptionalFeatures}));
    EXPECT_EQ(m_bar->Tree()->currentItem(), m_bar->Root());
    EXPECT_EQ(m_bar->Tree()->selectedItems(), QList<QTreeWidgetItem*>{m_bar->Root()});
}

TEST_F(TreeBarInFrame, DraggingTheRightEdgeClampsTheWidth) {
    const struct {
        bool onStrip;
        int releaseX, tracking, width;
    } cases[] = {
        {false, 150, -1, 220}, // a press beside the strip does not resize
        {true, -30, 80, 11},   // the line stops at 80, the width goes down to 11
        {true, 40, 80, 40},    // not clamped to the line
        {true, 300, 300, 300}, {true, 700, 400, 400}, // half the frame's width
    };
    for (const auto& c : cases) {
        const int y = m_bar->height() / 2;
        Mouse(QEvent::MouseButtonPress, c.onStrip ? StripX() : 60, y);
        Mouse(QEvent::MouseMove, c.releaseX, y);
        EXPECT_EQ(m_bar->TrackingX(), c.tracking) << c.releaseX;
        Mouse(QEvent::MouseButtonRelease, c.releaseX, y);
        QApplication::processEvents();
        EXPECT_EQ(m_bar->TrackingX(), -1);
        EXPECT_EQ(m_bar->BarWidth(), c.width) << c.releaseX;
        EXPECT_EQ(m_bar->width(), c.width) << c.releaseX;
    }
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

} // namespace
} // namespace velmora
