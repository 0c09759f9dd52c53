#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "panels/qt/frmSerialPort.h"
#include "panels/qt/frmTrack.h"
#include "panels/serial_port_panel.h"
#include "panels/track_panel.h"
#include "platform/qt/lamp.h"
#include "support/engine_driver.h"
#include "support/qt/application_fixture.h"
#include "support/scripted_track_drawing.h"

namespace veldra::testing {
namespace {

template <class Control>
Control* Find(QWidget& window, const char* name) {
    auto* control = window.findChild<Control*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// The western line end started as the simulator: its coded track's line end, fed by hand,
// links up on the first tick of its code delay and comes to "NORMAL" on the second, when
// the code received reaches the logic with the status, and the logic lights the end's
// adjustment lamp.
class LinkWindowsTest : public ApplicationFixture {};

TEST_F(LinkWindowsTest, CodesEnteredByHandReachTheLogicAfterTheCodeDelay) {
    app = Started(VELDRA_EXAMPLES "/line_end_a.ml2");
    ASSERT_TRUE(started);
    auto* form = Main().findChild<frmTrack*>();
    ASSERT_NE(form, nullptr);
    auto& half = static_cast<TrackPanel&>(form->Half());
    ProgramEngine& engine = Engine();
    const auto scan = [&] {
        EngineDriver(engine).Tick();
        Settle();
    };
    const auto bit = [&](const char* name) {
        return engine.PrgBooleanBits()->Find(name)->BitValue();
    };
    StartProgram();
    scan();

    EXPECT_EQ(form->windowTitle(), "WEST_TRX : TRX.TRACK");
    EXPECT_TRUE(Find<QCheckBox>(*form, "chkShunt_0")->isChecked());
    auto* list = Find<QListWidget>(*form, "lstRecB");
    ASSERT_TRUE(list->isVisible());
    QListWidgetItem* offer = list->findItems("W_OFFER_IN", Qt::MatchExactly).value(0);
    ASSERT_NE(offer, nullptr);
    list->scrollToItem(offer);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(offer).center());
    Settle();
    EXPECT_EQ(Find<QLabel>(*form, "lblBRecCode")->text(), "W_OFFER_IN");
    EXPECT_FALSE(Find<QCheckBox>(*form, "chkShunt_0")->isChecked());
    EXPECT_TRUE(half.tmrLinkB.Enabled());
    EXPECT_EQ(half.tmrLinkB.Interval(), 6000);

    LampWidget* adjustment = Find<LampWidget>(*form, "imgOn_0");
    for (const auto& [status, received] : {std::pair{"LINKUP", false}, {"NORMAL", true}}) {
        half.tmrLinkB.Fire();
        scan();
        EXPECT_EQ(Find<QLabel>(*form, "lblBStatus")->text(), status);
        EXPECT_EQ(bit("W_OFFER_IN"), received) << status;
        EXPECT_EQ(bit("W_LINK_UP"), received) << status;
        EXPECT_EQ(adjustment->Image(), received ? LampImage::Lit : LampImage::Dark) << status;
    }
    half.tmrLinkB.Fire();  // every code steady: the delay rests
    EXPECT_FALSE(half.tmrLinkB.Enabled());

    // The station's in bits go to the logic as outside inputs.
    auto* station = Main().findChild<frmSerialPort*>();
    ASSERT_NE(station, nullptr);
    EXPECT_EQ(station->windowTitle(), "CTC_WEST : SERIAL STATION");
    QTest::mouseClick(Find<QLabel>(*station, "lblInput_0"), Qt::LeftButton);
    scan();
    EXPECT_TRUE(bit("CTC_OFFER"));
}

// An ECODE end's rates chosen in the tester, opened without waiting on it: each opening
// shows what the end receives; the delay starts only with the 1 rate; a cancel changes
// nothing.
TEST_F(LinkWindowsTest, TheTesterShowsTheRatesAnEndReceivesAndSendsThoseChosen) {
    PendingInputs IOBits;
    TrackPanel half(IOBits);
    half.SetMyBoard(std::make_unique<TrackBoard>());
    half.MyBoard()->SetBoardName("E1");
    half.MyBoard()->SetBoardType("ECODE.TRACK");
    half.MyBoard()->TrackA()->SetEnabled(true);
    half.BitCount();
    frmTrack form(half);
    // The tester is opened here, on the form, without waiting on it.
    ScriptedTrackDrawing drawing;
    drawing.linked = [&form](TrackSide side) { return form.Link(side).IsConnected(); };
    half.SetDrawing(&drawing);
    form.show();
    half.CreateimgIndic();
    Settle();
    struct Opening {
        const char* shown;    // ticked boxes and chosen option as the tester opens
        const char* clicked;  // the controls clicked, the last one closing the tester
        const char* received;
        bool ticking;
    };
    for (const Opening& o :
         {Opening{"", "chkNonVital_0 optVital_1 Command1", "1.IN, 3.IN", true},
          {"chkNonVital_0 optVital_1", "chkNonVital_0 chkNonVital_1 Command1", "3.IN, 5.IN", false},
          {"chkNonVital_1 optVital_1", "chkNonVital_0 optVital_7 Command2", "3.IN, 5.IN", false}}) {
        std::string shown;
        drawing.tester = [&](CodeTester& tester) {
            frmEcode dialog(tester, &form);
            dialog.show();
            EXPECT_EQ(dialog.windowTitle(), "ECode Track Tester");
            for (QAbstractButton* control : dialog.findChildren<QAbstractButton*>()) {
                if (control->isChecked()) {
                    shown += (shown.empty() ? "" : " ") + control->objectName().toStdString();
                }
            }
            for (const QString& name : QString(o.clicked).split(' ')) {
                dialog.findChild<QAbstractButton*>(name)->click();
            }
            return dialog.result() == QDialog::Accepted;
        };
        half.tmrLinkA.SetEnabled(false);
        Find<QPushButton>(form, "cmdRec_1")->click();
        Settle();
        EXPECT_EQ(shown, o.shown);
        EXPECT_EQ(Find<QLabel>(form, "lblARecCode")->text(), o.received);
        EXPECT_FALSE(Find<QCheckBox>(form, "chkShunt_1")->isChecked());
        EXPECT_EQ(half.tmrLinkA.Enabled(), o.ticking) << o.clicked;
    }
    EXPECT_FALSE(Find<QListWidget>(form, "lstRecA")->isVisible());
    // The code delay: 2500 ms on an ECODE board, 10 ms while disabled.
    for (const int delay : {10, 2500}) {
        Find<QCheckBox>(form, "chkADelay")->click();
        EXPECT_EQ(half.tmrLinkA.Interval(), delay);
    }
}

// Forty in bits make two pages; only the chosen page is on view, and a click on one of
// its bits is an outside input.
TEST_F(LinkWindowsTest, AStationShowsOnePageOfBitsAndAClickedInBitIsPosted) {
    PendingInputs IOBits;
    SerialPortPanel half(IOBits);
    half.SetMyBoard(std::make_unique<SerialPort>());
    half.MyBoard()->SetPortName("ST");
    half.MyBoard()->SetAdjustable(true);
    for (int i = 1; i <= 40; ++i) {
        half.MyBoard()->SerialInBit()->SerialInBits().Add("I" + std::to_string(i), false);
    }
    half.MyBoard()->SerialOutBit()->SerialOutBits().Add("O1", false);
    frmSerialPort form(half);
    form.show();
    half.CreateimgIndic();
    half.UpdateIndicators();
    Settle();
    EXPECT_EQ(form.windowTitle(), "ST 1 : SERIAL STATION");
    auto* tabs = Find<QTabBar>(form, "tbBits");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(1), "WD 5-6-7-8");
    QLabel* first = Find<QLabel>(form, "lblInput_0");
    QLabel* later = Find<QLabel>(form, "lblInput_33");
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(later->isVisible());

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    Settle();
    EXPECT_EQ(half.SelectedTab(), 2);
    EXPECT_FALSE(first->isVisible());
    ASSERT_TRUE(later->isVisible());
    EXPECT_EQ(Find<QLabel>(form, "lblInput_32")->y(), first->y());
    QTest::mouseClick(later, Qt::RightButton);
    EXPECT_EQ(IOBits.Find("I34"), nullptr);
    QTest::mouseClick(later, Qt::LeftButton);
    Settle();
    EXPECT_TRUE(IOBits.Find("I34")->BitValue());
    EXPECT_EQ(Find<LampWidget>(form, "imgIn_33")->Image(), LampImage::Lit);
    Find<QCheckBox>(form, "chkEnabled")->click();
    EXPECT_TRUE(IOBits.Find("ST.ENABLED")->BitValue());
}

}  // namespace
}  // namespace veldra::testing
