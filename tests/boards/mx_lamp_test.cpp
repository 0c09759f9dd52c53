#include "boards/mx_lamp.h"

#include <gtest/gtest.h>

#include "boards/board_listener.h"
#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::BoardListener;
using testing::FakePlatform;
using testing::kDuplicateRefused;

class MXLampTest : public ::testing::Test {
protected:
    MXLampTest() { panel.Hear(board.Head1BitAdded, "head 1").Hear(board.Head2BitAdded, "head 2"); }

    Head1Aspects& Aspects1() { return board.Head1()->Head1Aspect().Head1Aspects(); }
    Head2Aspects& Aspects2() { return board.Head2()->Head2Aspect().Head2Aspects(); }

    FakePlatform platform;
    MXLamp board;
    BoardListener panel;
};

TEST_F(MXLampTest, ThePanelHearsEachAspectFromItsOwnHead) {
    Aspects2().Add("S1DGE", false, "S1DGLO", false, false, 0, 0);
    Aspects1().Add("S1HGE", false, "S1HGLO", false, false, 0);
    Aspects2().Add("SPARE", false, "", false);

    EXPECT_EQ(panel.heard,
              (std::vector<std::string>{"head 2: S1DGE", "head 1: S1HGE", "head 2: SPARE"}));
}

TEST_F(MXLampTest, SpareAspectsRepeatAndAreReachedOnlyByPosition) {
    Aspects1().Add("SPARE", false, "", false);
    Aspects1().Add("SPARE", false, "LO2", false);

    EXPECT_EQ(Aspects1().Count(), 2);
    EXPECT_EQ(Aspects1().Item("SPARE"), nullptr);
    EXPECT_EQ(Aspects1().Item(2)->AspectLOName, "LO2");
}

TEST_F(MXLampTest, AnAspectNameAlreadyListedOnTheHeadIsRefusedUnheard) {
    platform.Answer(MsgAnswer::No);
    Aspects1().Add("S1HGE", false, "", false);

    EXPECT_EQ(Aspects1().Add("S1hge", false, "", false), nullptr);
    EXPECT_NE(Aspects2().Add("S1HGE", false, "", false), nullptr);

    EXPECT_EQ(platform.journal(), kDuplicateRefused);
    EXPECT_EQ(panel.heard, (std::vector<std::string>{"head 1: S1HGE", "head 2: S1HGE"}));
}

TEST_F(MXLampTest, ANewHeadReplacesTheOldOneWithItsAspects) {
    Aspects2().Add("S1DGE", false, "", false);

    board.SetHead2(std::make_unique<Head2>());
    EXPECT_EQ(Aspects2().Count(), 0);
    Aspects2().Add("S1DRE", false, "", false);

    EXPECT_EQ(panel.heard, (std::vector<std::string>{"head 2: S1DGE", "head 2: S1DRE"}));
}

}  // namespace
}  // namespace veldra
