#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

#include "platform/qt/busy_cursor.h"
#include "platform/qt/lamp.h"
#include "platform/qt/twips.h"

namespace veldra::testing {
namespace {

TEST(Twips, FifteenMakeOnePixelRoundedToTheNearest) {
    const std::vector<std::pair<int, int>> cases{{7125, 475}, {7035, 469}, {15, 1},        {7, 0},
                                                 {8, 1},      {0, 0},      {-20000, -1333}};
    for (const auto& [twips, pixels] : cases) {
        EXPECT_EQ(PixelsFromTwips(twips), pixels) << twips;
    }
    EXPECT_EQ(TwipsFromPixels(475), 7125);
    EXPECT_EQ(RectFromTwips(150, 300, 7125, 7035), QRect(10, 20, 475, 469));
}

TEST(BusyCursor, ThePointerComesBackWhenTheWorkFails) {
    EXPECT_THROW(
        {
            const BusyCursor busy;
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            throw std::runtime_error("write failed");
        },
        std::runtime_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(BusyCursor, StaysBusyUntilTheLastGuardGoes) {
    {
        const BusyCursor outer;
        { const BusyCursor inner; }
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

class LampTest : public ::testing::Test {
protected:
    LampTest() { window.show(); }
    QColor Centre() {
        return lamp->grab().toImage().pixelColor(lamp->width() / 2, lamp->height() / 2);
    }

    QWidget window;
    Lamp* lamp = new Lamp(&window, Qt::red);
};

TEST_F(LampTest, ShowsLitDarkOrNothing) {
    lamp->SetImage(LampImage::Lit);
    EXPECT_TRUE(lamp->isVisible());
    EXPECT_EQ(Centre(), QColor(Qt::red));
    lamp->SetImage(LampImage::Dark);
    EXPECT_TRUE(lamp->isVisible());
    EXPECT_LT(Centre().value(), QColor(Qt::red).value() / 2);
    lamp->SetImage(LampImage::Parked);
    EXPECT_FALSE(lamp->isVisible());
    lamp->SetImage(LampImage::Lit);
    EXPECT_TRUE(lamp->isVisible());
}

TEST_F(LampTest, SaysWhichButtonClickedIt) {
    QSignalSpy clicks(lamp, &Lamp::clicked);
    QTest::mouseClick(lamp, Qt::RightButton);
    QTest::mouseClick(lamp, Qt::LeftButton);
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(clicks[1][0].value<Qt::MouseButton>(), Qt::LeftButton);
}

}  // namespace
}  // namespace veldra::testing
