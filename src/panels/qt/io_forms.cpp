#include "panels/qt/io_forms.h"

#include <QLabel>

#include "panels/in_out_board_panel.h"
#include "panels/io_board_panel.h"
#include "panels/qt/board_controls.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"

namespace veldra {
namespace {

bool Clicks(Qt::MouseButton button, bool over) {
    // The right button's click only clears what its press or release marked, so it is
    // always delivered: a right button let go away from the row must not leave the next
    // left click without effect.
    return button == Qt::RightButton || (button == Qt::LeftButton && over);
}

}  // namespace

frmIOBoard::frmIOBoard(IOBoardPanel& half) : BoardForm(half, "frmIOBoard"), half_(half) {
    AddHeader();
    AddLine("Line2", 0, 360, 2280, 360);
    heading_ = AddLabel("blLabel", 600, 480, 975, 255, "INPUTS");
    lampShown_ = half.LampShown.Subscribe(
        [this](bool output, int row) { (void)output, DrawLamp(rows_, half_.Rows(), row); });
    DrawNow();
}

void frmIOBoard::Draw() {
    DrawHeader();
    heading_->setText(ToQString(half_.Heading()));
    DrawColumn(rows_, half_.Rows(), 0, 360, 1695, "lblIO", "imgOn");
}

bool frmIOBoard::RowPressed(int column, int row, Qt::MouseButton button) {
    (void)column, (void)button;
    return half_.ShowsBorder(row);
}

void frmIOBoard::RowReleased(int column, int row, Qt::MouseButton button, bool over) {
    (void)column;
    half_.MouseUp(row, MouseButtonOf(button));
    if (Clicks(button, over)) {
        half_.Click(row);
    }
}

frmInOutBoard::frmInOutBoard(InOutBoardPanel& half)
    : BoardForm(half, "frmInOutBoard"), half_(half) {
    AddHeader();
    AddLine("Line3", 0, 360, 3600, 360);
    AddLine("Line1", 1680, 360, 1680, 11040);
    AddLabel("Label1", 360, 480, 735, 255, "INPUTS");
    AddLabel("Label2", 2160, 480, 855, 255, "OUTPUTS");
    lampShown_ = half.LampShown.Subscribe([this](bool output, int row) {
        if (output) {
            DrawLamp(outputs_, half_.OutputRows(), row);
        } else {
            DrawLamp(inputs_, half_.InputRows(), row);
        }
    });
    DrawNow();
}

void frmInOutBoard::Draw() {
    DrawHeader();
    DrawColumn(inputs_, half_.InputRows(), kInputColumn, 360, 1215, "lblInput", "imgInOn");
    DrawColumn(outputs_, half_.OutputRows(), kOutputColumn, 2160, 1335, "lblOut", "imgOutOn");
}

bool frmInOutBoard::RowPressed(int column, int row, Qt::MouseButton button) {
    return column == kInputColumn && half_.MouseDownInput(row, MouseButtonOf(button));
}

void frmInOutBoard::RowReleased(int column, int row, Qt::MouseButton button, bool over) {
    if (column == kOutputColumn) {
        half_.MouseUpOutput(row, MouseButtonOf(button));
    } else if (Clicks(button, over)) {
        half_.ClickInput(row);
    }
}

}  // namespace veldra
