#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>

#include "panels/qt/board_windows_fixture.h"
#include "platform/qt/twips.h"
#include "support/engine_driver.h"

namespace veldra::testing {
namespace {

// SIG_1's input S_CALL clears the signal and lights LMP_R and channel 1's bits.
class SignalFormsTest : public BoardWindowsFixture {
protected:
    SignalFormsTest() : BoardWindowsFixture("lamps.ml2", "LAMPS") {}
};

TEST_F(SignalFormsTest, ALampFollowsItsOutputAndItsLampOutBoxPostsAndFollowsTheLogic) {
    EXPECT_EQ(Find("LMP_1", "lblIO_2")->text(), "LMP_G");
    EXPECT_EQ(Find<QCheckBox>("LMP_1", "chkLO_0")->text(), "LMP_R_LO");
    // A spare row has no box; a lamp without a lamp-out name past row 0 shows none.
    EXPECT_EQ(Find<QCheckBox>("LMP_1", "chkLO_1"), nullptr);
    EXPECT_FALSE(Find<QCheckBox>("LMP_1", "chkLO_3")->isVisible());
    // Row 0's box without a name stays on view but posts nothing.
    const auto pending = EngineDriver(Engine()).PendingCount();
    auto* unnamed = Find<QCheckBox>("LMP_2", "chkLO_0");
    EXPECT_TRUE(unnamed->isVisible());
    unnamed->click();
    EXPECT_EQ(EngineDriver(Engine()).PendingCount(), pending);

    Click("SIG_1", "lblIn1Name");
    Scan();
    EXPECT_EQ(LampOf("LMP_1", "imgOn_0"), LampImage::Lit);
    EXPECT_EQ(LampOf("LMP_1", "imgOn_1"), LampImage::Parked);
    Find<QCheckBox>("LMP_1", "chkLO_0")->click();
    EXPECT_EQ(Posted("LMP_R_LO"), "1");
    EXPECT_EQ(LampOf("LMP_1", "imgOn_0"), LampImage::Lit);

    Click("SIG_1", "lblIn2Name");
    Scan();
    EXPECT_TRUE(Find<QCheckBox>("LMP_1", "chkLO_2")->isChecked());
    EXPECT_EQ(Posted("LMP_G_LO"), "1");
}

TEST_F(SignalFormsTest, AnLedBoardTicksAndPostsItsLampGoodBitsAtLoad) {
    EXPECT_EQ(Find("LED_1", "lblBoardName")->text(), "LED_1 : LED(12/6)");
    EXPECT_EQ(Find("LED_1", "Label1")->text(), "LAMP GOOD BITS");
    EXPECT_TRUE(Find<QCheckBox>("LED_1", "chkLO_0")->isChecked() &&
                Find<QCheckBox>("LED_1", "chkLO_1")->isChecked());
    EXPECT_EQ(Posted("LED_A_GD") + Posted("LED_B_GD"), "11");
    Find<QCheckBox>("LED_1", "chkLO_1")->click();
    EXPECT_EQ(Posted("LED_B_GD"), "0");
}

TEST_F(SignalFormsTest, AnEncoderChannelListsItsActiveControlBitsAndItsBoxPostsTheEnable) {
    auto* list = Find<QListWidget>("ENC_1", "lstch_1");
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(Posted("ENC_1.CHANNEL1ENABLE") + Posted("ENC_1.CHANNEL2ENABLE"), "1none");
    Click("SIG_1", "lblIn1Name");
    Scan();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text() + list->item(1)->text(), "C1_AC1_B");
    Q_EMIT list->itemDoubleClicked(list->item(0));
    Click("SIG_1", "lblIn1Name");
    Scan();
    EXPECT_EQ(list->count(), 0);

    Find<QCheckBox>("ENC_1", "ench_2")->click();
    EXPECT_EQ(Posted("ENC_1.CHANNEL2ENABLE"), "1");
    QTest::mousePress(list->viewport(), Qt::RightButton);
    EXPECT_EQ(opened, (std::vector<std::string>{"C1_A", "C1_B", "C1_A"}));
}

TEST_F(SignalFormsTest, AHeadShowsTheAspectTheLogicSelectsAndItsBoxDisablesItsFrame) {
    EXPECT_EQ(Posted("SIG_1.HEAD1.ENABLED"), "1");
    Scan();
    EXPECT_EQ(LampOf("SIG_1", "imgAOn_0"), LampImage::Lit);
    EXPECT_EQ(LampOf("SIG_1", "imgAOn_1"), LampImage::Dark);
    Click("SIG_1", "lblIn1Name");
    Scan();
    EXPECT_EQ(LampOf("SIG_1", "imgAOn_0"), LampImage::Dark);
    EXPECT_EQ(LampOf("SIG_1", "imgAOn_1"), LampImage::Lit);
    EXPECT_EQ(LampOf("SIG_1", "imgALmpOn"), LampImage::Lit);
    EXPECT_EQ(Find<QCheckBox>("SIG_1", "chkBLO_0")->text(), "SIG2_Y_LO");
    // Aspect rows stand 285 twips apart in their frame, each lamp left of its name.
    EXPECT_EQ(Find("SIG_1", "lblLmpA_1")->pos(), RectFromTwips(600, 1365, 0, 0).topLeft());
    EXPECT_EQ(Find<LampWidget>("SIG_1", "imgAOn_1")->x(), PixelsFromTwips(345));

    Find<QCheckBox>("SIG_1", "chkALO_1")->click();
    EXPECT_EQ(Posted("SIG_G_LO"), "1");
    EXPECT_EQ(LampOf("SIG_1", "imgAOn_1"), LampImage::Lit);
    Find<QCheckBox>("SIG_1", "chkHD1")->click();
    EXPECT_EQ(Posted("SIG_1.HEAD1.ENABLED"), "0");
    EXPECT_FALSE(Find<QGroupBox>("SIG_1", "Frame1")->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>("SIG_1", "chkHD1")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>("SIG_1", "chkHD2")->isEnabled());  // head 2 is fixed
}

TEST_F(SignalFormsTest, ALeftClickAlwaysTogglesAnInputAndARightClickNever) {
    Click("SIG_1", "lblIn1Name", Qt::RightButton);
    EXPECT_EQ(Posted("S_CALL"), "none");
    // A right press on input 1 let go elsewhere leaves the next left click its effect.
    QTest::mousePress(Find("SIG_1", "lblIn1Name"), Qt::RightButton);
    QTest::mouseRelease(Find("SIG_1", "lblIn1Name"), Qt::RightButton, {}, QPoint(-50, -50));
    Click("SIG_1", "img2On");
    EXPECT_EQ(Posted("S_AUX"), "1");
    EXPECT_EQ(LampOf("SIG_1", "img2On"), LampImage::Lit);
    Click("SIG_1", "lblIn1Name");
    Click("SIG_1", "lblIn1Name", Qt::RightButton);
    EXPECT_EQ(Posted("S_CALL"), "1");
}

}  // namespace
}  // namespace veldra::testing
