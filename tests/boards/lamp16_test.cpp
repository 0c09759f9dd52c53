#include "boards/lamp16.h"

#include <gtest/gtest.h>

#include "boards/board_listener.h"
#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::BoardListener;
using testing::FakePlatform;
using testing::kDuplicateRefused;

Lamp* AddLamp(Lamps& lamps, std::string_view on, std::string_view out) {
    return lamps.Add(false, false, on, out, "25W", false, false, false, 0, 0);
}

TEST(Lamp16, TheWindowHearsEachLampByItsLampOnName) {
    FakePlatform platform;
    Lamp16 board;
    BoardListener window;
    window.Hear(board.LampAdded, "lamp");
    board.SetLamp(std::make_unique<Lamp>());

    AddLamp(board.Lamp()->Lamps(), "S1RGKE", "S1RGKLO");
    AddLamp(board.Lamp()->Lamps(), "SPARE", "");
    AddLamp(board.Lamp()->Lamps(), "SPARE", "");

    EXPECT_EQ(window.heard,
              (std::vector<std::string>{"lamp: S1RGKE", "lamp: SPARE", "lamp: SPARE"}));
    Lamps& lamps = board.Lamp()->Lamps();
    EXPECT_EQ(lamps.Count(), 3);
    EXPECT_EQ(lamps.Item("s1rgke")->LampOutName, "S1RGKLO");
    EXPECT_EQ(lamps.Item("SPARE"), nullptr);
}

TEST(Lamp16, ALampOnNameAlreadyListedIsRefusedUnheard) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No);
    Lamp16 board;
    BoardListener window;
    window.Hear(board.LampAdded, "lamp");
    AddLamp(board.Lamp()->Lamps(), "S1", "S1LO");

    EXPECT_EQ(AddLamp(board.Lamp()->Lamps(), "s1", "OTHER"), nullptr);

    EXPECT_EQ(platform.journal(), kDuplicateRefused);
    EXPECT_EQ(board.Lamp()->Lamps().Count(), 1);
    EXPECT_EQ(window.heard, (std::vector<std::string>{"lamp: S1"}));
}

TEST(Lamp16, ABoardHasAnEmptyHolderFromTheStartAndTakesANewOne) {
    FakePlatform platform;
    Lamp16 board;
    EXPECT_FALSE(board.LED());
    ASSERT_NE(board.Lamp(), nullptr);
    EXPECT_EQ(board.Lamp()->Lamps().Count(), 0);

    auto fresh = std::make_unique<Lamp>();
    Lamp* expected = fresh.get();
    board.SetLamp(std::move(fresh));

    EXPECT_EQ(board.Lamp(), expected);
}

}  // namespace
}  // namespace veldra
