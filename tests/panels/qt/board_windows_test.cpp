#include "panels/qt/board_windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QPointer>
#include <QTableView>

#include "panels/io_board_panel.h"
#include "panels/qt/board_windows_fixture.h"
#include "panels/qt/frmToggle.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_frame.h"

namespace veldra::testing {
namespace {

// IN_1's PB_1 drives OUT_1's LAMP_1, MIX_1's PT_NWC its PT_NWK.
class BoardWindowsTest : public BoardWindowsFixture {
protected:
    BoardWindowsTest() : BoardWindowsFixture("boards.ml2", "BOARDS") {}
};

TEST_F(BoardWindowsTest, AClickedInputReachesThePendingInputsAndTheScanLightsTheOutputItDrives) {
    EXPECT_EQ(Find("IN_1 : IN16", "lblIO_0")->text(), "PB_1");
    EXPECT_EQ(Find("IN_1 : IN16", "blLabel")->text(), "INPUTS");
    EXPECT_EQ(Find("OUT_1 : OUT16", "blLabel")->text(), "OUTPUTS");
    Click("IN_1 : IN16", "lblIO_0", Qt::LeftButton);
    Click("MIX_1 : IN8.OUT8", "lblInput_0", Qt::LeftButton);
    EXPECT_EQ(Posted("PB_1") + Posted("PT_NWC"), "11");
    EXPECT_EQ(LampOf("OUT_1 : OUT16", "imgOn_0"), LampImage::Dark);
    Scan();
    EXPECT_EQ(LampOf("IN_1 : IN16", "imgOn_0"), LampImage::Lit);
    EXPECT_EQ(LampOf("OUT_1 : OUT16", "imgOn_0"), LampImage::Lit);
    EXPECT_EQ(LampOf("MIX_1 : IN8.OUT8", "imgOutOn_0"), LampImage::Lit);
    EXPECT_EQ(LampOf("OUT_1 : OUT16", "imgOn_1"), LampImage::Parked);  // spare

    // A right click never toggles an input, and the left click after it always does,
    // wherever the right button was let go.
    for (const auto& [caption, input, bit] : {std::tuple{"IN_1 : IN16", "lblIO_0", "PB_1"},
                                              {"MIX_1 : IN8.OUT8", "lblInput_0", "PT_NWC"}}) {
        QLabel* label = Find(caption, input);
        QTest::mouseClick(label, Qt::RightButton);
        EXPECT_EQ(Posted(bit), "none") << caption;
        QTest::mousePress(label, Qt::RightButton);
        QTest::mouseRelease(label, Qt::RightButton, {}, QPoint(-50, -50));
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_EQ(Posted(bit), "0") << caption;
    }
    Scan();
    EXPECT_EQ(LampOf("OUT_1 : OUT16", "imgOn_0"), LampImage::Dark);
}

TEST_F(BoardWindowsTest, ADoubleClickOnAnInputRowTogglesItOnce) {
    for (const auto& [caption, input, bit] : {std::tuple{"IN_1 : IN16", "lblIO_0", "PB_1"},
                                              {"MIX_1 : IN8.OUT8", "lblInput_0", "PT_NWC"}}) {
        QLabel* label = Find(caption, input);
        // As the desktop delivers a double click: press, release, the double click, release.
        const QPointF at = label->rect().center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                        QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held =
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, at, label->mapToGlobal(at), Qt::LeftButton, held,
                              Qt::NoModifier);
            QApplication::sendEvent(label, &event);
        }
        EXPECT_EQ(Posted(bit), "1") << caption;
    }
}

TEST_F(BoardWindowsTest, TheRightButtonOnAnOutputOpensItsStatementAndOnAnInputNothing) {
    Click("OUT_1 : OUT16", "lblIO_0", Qt::RightButton);
    Click("OUT_1 : OUT16", "lblIO_1", Qt::RightButton);  // spare
    QTest::mouseClick(Find<LampWidget>("MIX_1 : IN8.OUT8", "imgOutOn_0"), Qt::RightButton);
    Click("MIX_1 : IN8.OUT8", "lblOut_1", Qt::LeftButton);
    Click("IN_1 : IN16", "lblIO_0", Qt::RightButton);
    Click("OUT_1 : OUT16", "lblIO_0", Qt::LeftButton);
    EXPECT_EQ(opened, (std::vector<std::string>{"LAMP_1", "PT_NWK"}));
    EXPECT_EQ(Posted("PB_1") + Posted("LAMP_1") + Posted("PT_RWK"), "nonenonenone");
}

TEST_F(BoardWindowsTest, APressedInputRowShowsABorderUntilTheButtonComesUp) {
    QLabel* label = Find("IN_1 : IN16", "lblIO_0");
    auto* lamp = Find<LampWidget>("IN_1 : IN16", "imgOn_0");
    QTest::mousePress(label, Qt::LeftButton);
    EXPECT_NE(label->frameShape(), QFrame::NoFrame);
    QTest::mouseRelease(label, Qt::LeftButton);
    EXPECT_EQ(label->frameShape(), QFrame::NoFrame);
    QTest::mousePress(lamp, Qt::LeftButton);
    EXPECT_TRUE(lamp->Bordered());
    QTest::mouseRelease(lamp, Qt::LeftButton);
    EXPECT_FALSE(lamp->Bordered());
    EXPECT_EQ(Posted("PB_1"), "0");  // a click on the lamp is a click on the row: twice
    Click("IN_1 : IN16", "lblIO_1", Qt::LeftButton);
    EXPECT_EQ(Posted("SPARE"), "none");
    QTest::mousePress(Find("OUT_1 : OUT16", "lblIO_0"), Qt::LeftButton);
    EXPECT_EQ(Find("OUT_1 : OUT16", "lblIO_0")->frameShape(), QFrame::NoFrame);
}

TEST_F(BoardWindowsTest, TheEnabledBoxPostsTheBoardsEnabledBitOnEveryChange) {
    // Ticked at load, so the first scan sees the board enabled; a board not enabled posts
    // nothing.
    EXPECT_EQ(Posted("IN_1.ENABLED") + Posted("MIX_1.ENABLED"), "1none");
    auto* box = Find<QCheckBox>("IN_1 : IN16", "chkEnabled");
    EXPECT_EQ(box->toolTip(), "Board is adjustable");
    box->click();
    EXPECT_EQ(Posted("IN_1.ENABLED"), "0");
    Half("IN_1 : IN16").LoadState("IN_1.ENABLED", true);
    Settle();
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(Posted("IN_1.ENABLED"), "1");

    auto* fixed = Find<QCheckBox>("OUT_1 : OUT16", "chkEnabled");
    EXPECT_FALSE(fixed->isEnabled());
    EXPECT_EQ(fixed->toolTip(), "Board is not adjustable");
    EXPECT_EQ(Find("OUT_1 : OUT16", "lblBoardName")->text(), "OUT_1 : OUT16");
}

TEST_F(BoardWindowsTest, AnUnknownBitSentToABoardIsReported) {
    Half("OUT_1 : OUT16").UpdateOutput("OUT_1.ENABLED", true);  // its own: accepted
    dialogs.Answer(MsgAnswer::Ok);
    Half("OUT_1 : OUT16").UpdateOutput("X1", true);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].title + ": " + dialogs.boxes()[0].prompt,
              "Bit Not Found!: X1: Was sent to OUT_1");
    EXPECT_EQ(dialogs.boxes()[0].icon, MsgIcon::Critical);
}

TEST_F(BoardWindowsTest, ClosingByHandMinimisesAndClosingForGoodReleasesTheBoard) {
    QPointer<QWidget> frame = &WindowFrame(Window("IN_1 : IN16"));
    frame->close();
    Settle();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->isMinimized());
    auto& half = static_cast<IOBoardPanel&>(Half("IN_1 : IN16"));
    half.CloseWindow(true);
    Settle();
    EXPECT_FALSE(frame);
    EXPECT_EQ(half.MyBoard(), nullptr);
    EXPECT_EQ(boards.Windows().size(), 3u);
}

TEST_F(BoardWindowsTest, AWindowClosedByHandShowsWhatTheScansGaveItWhenShownAgain) {
    Scan();  // the first start: every board bit pushed, none of them changed
    QWidget& frame = WindowFrame(Window("OUT_1 : OUT16"));
    EXPECT_EQ(LampOf("OUT_1 : OUT16", "imgOn_0"), LampImage::Dark);
    for (const LampImage lamp : {LampImage::Lit, LampImage::Dark}) {
        frame.close();
        Settle();
        ASSERT_TRUE(frame.isMinimized());
        Click("IN_1 : IN16", "lblIO_0", Qt::LeftButton);
        Scan();
        frame.showNormal();
        Settle();
        EXPECT_EQ(LampOf("OUT_1 : OUT16", "imgOn_0"), lamp);
    }
}

TEST_F(BoardWindowsTest, TheMixedBoardsColumnsStandLevelAndItsHeightFollowsItsLongerColumn) {
    const std::string mixed = "MIX_1 : IN8.OUT8";
    for (const char* row : {"_0", "_1"}) {
        const QRect input = Find(mixed, (std::string("lblInput") + row).c_str())->geometry();
        const QRect output = Find(mixed, (std::string("lblOut") + row).c_str())->geometry();
        EXPECT_EQ(input.top(), output.top());
        EXPECT_EQ(output.left() - input.left(), PixelsFromTwips(2160 - 360));
    }
    EXPECT_EQ(Find(mixed, "lblInput_7")->geometry().top(), PixelsFromTwips(840 + 7 * 265));
    QWidget& frame = WindowFrame(Window(mixed));
    // Eight rows: 1330 + 8 x 265 twips.
    EXPECT_EQ(frame.height(), PixelsFromTwips(3450));
    frame.resize(1000, 1000);
    EXPECT_EQ(frame.size(), SizeFromTwips(3750, 3450));
    frame.resize(200, 150);
    EXPECT_EQ(frame.size(), QSize(200, 150));
    frame.showMaximized();
    Settle();
    EXPECT_FALSE(frame.isMaximized());
    QWidget& fixed = WindowFrame(Window("IN_1 : IN16"));
    fixed.resize(1000, 1000);
    EXPECT_EQ(fixed.width(), PixelsFromTwips(2505));
}

TEST_F(BoardWindowsTest, TheToggleGridHasAColumnPerGroupAndCellsGreenWhileTheirBitIsTrue) {
    auto* grid = Find<QTableView>("Toggle Bits", "grdToggle");
    QAbstractItemModel& model = *grid->model();
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString() + "|" +
                  model.headerData(1, Qt::Horizontal).toString(),
              "G1|G2");
    const auto cell = [&](int row, int column) { return model.index(row, column); };
    EXPECT_EQ(cell(2, 0).data().toString() + "|" + cell(1, 1).data().toString() + "|" +
                  cell(2, 1).data().toString(),
              "B3|B1|");
    const auto colour = [&](int row, int column) {
        return cell(row, column)
            .data(Qt::DecorationRole)
            .value<QPixmap>()
            .toImage()
            .pixelColor(7, 7);
    };
    EXPECT_EQ(colour(0, 0), QColor(128, 128, 128));
    EXPECT_EQ(grid->rowHeight(0), PixelsFromTwips(300));

    Engine().PostInput("B1", true);  // both cells of the bit listed twice follow it
    Scan();
    EXPECT_EQ(colour(0, 0), QColor(0, 255, 0));
    EXPECT_EQ(colour(1, 1), QColor(0, 255, 0));
    EXPECT_EQ(colour(1, 0), QColor(128, 128, 128));

    // The grid of every load shows the same two pictures, not new copies the desktop's
    // picture cache would keep as well.
    const ToggleGridModel again(dynamic_cast<TogglePanel&>(Half("Toggle Bits")));
    const auto picture = [](const QAbstractItemModel& grid, int row, int column) {
        return grid.index(row, column).data(Qt::DecorationRole).value<QPixmap>().cacheKey();
    };
    EXPECT_EQ(picture(again, 0, 0), picture(model, 0, 0));
    EXPECT_EQ(picture(again, 1, 0), picture(model, 1, 0));
    EXPECT_NE(picture(model, 0, 0), picture(model, 1, 0));

    const QRect b2 = grid->visualRect(cell(1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, b2.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, b2.center());
    EXPECT_EQ(opened, (std::vector<std::string>{"B2"}));
}

}  // namespace
}  // namespace veldra::testing
