#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

#include "platform/qt/busy_cursor.h"
#include "platform/qt/lamp.h"
#include "platform/qt/twips.h"

namespace veldra::testing {
namespace {

TEST(Twips, FifteenMakeOnePixelRoundedToTheNearest) {
    for (const auto& [twips, pixels] : std::vector<std::pair<int, int>>{
             {7125, 475}, {7035, 469}, {7, 0}, {8, 1}, {-20000, -1333}}) {
        EXPECT_EQ(PixelsFromTwips(twips), pixels) << twips;
    }
    EXPECT_EQ(TwipsFromPixels(475), 7125);
}

TEST(BusyCursor, ThePointerComesBackWhenTheWorkFails) {
    try {
        const BusyCursor busy;
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        throw std::runtime_error("write failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(LampWidget, ShowsLitDarkOrNothingAndSaysWhichButtonClickedIt) {
    QWidget window;
    auto* lamp = new LampWidget(&window, Qt::red);
    window.show();
    const auto centre = [&] { return lamp->grab().toImage().pixelColor(lamp->rect().center()); };
    lamp->SetImage(LampImage::Lit);
    EXPECT_EQ(centre(), QColor(Qt::red));
    lamp->SetImage(LampImage::Dark);
    EXPECT_LT(centre().value(), 128);
    lamp->SetImage(LampImage::Parked);
    EXPECT_FALSE(lamp->isVisible());
    lamp->SetImage(LampImage::Lit);

    // A held button's border stands round the lamp, and goes with the button.
    const auto corner = [&] { return lamp->grab().toImage().pixelColor(0, 0); };
    lamp->SetBordered(true);
    EXPECT_EQ(corner(), QColor(Qt::black));
    lamp->SetBordered(false);
    EXPECT_NE(corner(), QColor(Qt::black));

    QSignalSpy clicks(lamp, &LampWidget::clicked);
    QTest::mouseClick(lamp, Qt::RightButton);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0][0].value<Qt::MouseButton>(), Qt::RightButton);
}

TEST(LampWidget, ALampIsDescribedToAssistiveTechnologyOnlyWhileOneListens) {
    QWidget window;
    auto* lamp = new LampWidget(&window, Qt::red);
    auto* label = new QLabel("IN1", &window);
    window.show();
    lamp->SetImage(LampImage::Lit);
    lamp->setEnabled(false);
    lamp->setEnabled(true);
    ASSERT_FALSE(QAccessible::isActive());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(lamp), nullptr);
    EXPECT_NE(QAccessible::queryAccessibleInterface(label), nullptr);

    QAccessible::setActive(true);
    if (QAccessible::isActive()) {
        QAccessibleInterface* described = QAccessible::queryAccessibleInterface(lamp);
        ASSERT_NE(described, nullptr);
        EXPECT_EQ(described->object(), lamp);
        EXPECT_EQ(described->role(), QAccessible::Client);
    }
    QAccessible::setActive(false);
}

TEST(LampWidget, LampsOfOneColourAndStateLookAlikeAndApartFromOthers) {
    QWidget window;
    auto* first = new LampWidget(&window, QColor(0, 255, 0), QColor(128, 128, 128));
    auto* second = new LampWidget(&window, QColor(0, 255, 0), QColor(128, 128, 128));
    auto* red = new LampWidget(&window, Qt::red);
    second->move(40, 0);
    red->move(80, 0);
    window.show();
    for (LampWidget* lamp : {first, second, red}) {
        lamp->SetImage(LampImage::Lit);
    }
    const auto picture = [](LampWidget* lamp) { return lamp->grab().toImage(); };
    EXPECT_EQ(picture(first), picture(second));
    EXPECT_NE(picture(first), picture(red));
    second->SetImage(LampImage::Dark);
    EXPECT_NE(picture(first), picture(second));
    EXPECT_EQ(picture(second).pixelColor(second->rect().center()), QColor(128, 128, 128));
}

}  // namespace
}  // namespace veldra::testing
