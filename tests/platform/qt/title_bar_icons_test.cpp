#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyleFactory>
#include <memory>

#include "platform/qt/title_bar_icons.h"

namespace veldra::testing {
namespace {

// The pictures of a child window's menu, in the menu's order.
std::vector<QIcon> MenuPictures(QMdiSubWindow& frame) {
    std::vector<QIcon> pictures;
    for (const QAction* action : frame.systemMenu()->actions()) {
        if (!action->icon().isNull()) {
            pictures.push_back(action->icon());
        }
    }
    return pictures;
}

TEST(TitleBarIcons, ChildWindowsShareTheirMenuPicturesDrawnAsTheDesktopsStyleDrawsThem) {
    QStyle* current = QApplication::style();
    if (auto* shared = qobject_cast<TitleBarIcons*>(current)) {
        current = shared->baseStyle();
    }
    const std::unique_ptr<QStyle> desktop(QStyleFactory::create(current->name()));
    ASSERT_NE(desktop, nullptr);
    TitleBarIcons::Install();
    QStyle* installed = QApplication::style();
    TitleBarIcons::Install();
    ASSERT_EQ(QApplication::style(), installed) << "installed once";
    ASSERT_NE(qobject_cast<TitleBarIcons*>(installed), nullptr);

    QMdiArea area;
    QMdiSubWindow* first = area.addSubWindow(new QLabel("first"));
    QMdiSubWindow* second = area.addSubWindow(new QLabel("second"));
    const std::vector<QIcon> firsts = MenuPictures(*first);
    const std::vector<QIcon> seconds = MenuPictures(*second);
    ASSERT_FALSE(firsts.empty());
    ASSERT_EQ(firsts.size(), seconds.size());
    for (std::size_t i = 0; i < firsts.size(); ++i) {
        EXPECT_EQ(firsts[i].cacheKey(), seconds[i].cacheKey()) << i;
    }

    for (const QStyle::StandardPixmap picture :
         {QStyle::SP_TitleBarMinButton, QStyle::SP_TitleBarMaxButton,
          QStyle::SP_TitleBarCloseButton, QStyle::SP_TitleBarNormalButton}) {
        EXPECT_EQ(installed->standardIcon(picture).pixmap(16).toImage(),
                  desktop->standardIcon(picture).pixmap(16).toImage())
            << picture;
    }
    // Pictures outside the title bar are the style's own, made for each asker as before.
    EXPECT_EQ(installed->standardIcon(QStyle::SP_DialogOkButton).pixmap(16).toImage(),
              desktop->standardIcon(QStyle::SP_DialogOkButton).pixmap(16).toImage());
    EXPECT_EQ(installed->pixelMetric(QStyle::PM_TitleBarHeight),
              desktop->pixelMetric(QStyle::PM_TitleBarHeight));
}

}  // namespace
}  // namespace veldra::testing
