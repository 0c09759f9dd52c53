#include "panels/qt/frmLMP16.h"

#include <QCheckBox>
#include <QLabel>
#include <algorithm>

#include "panels/lamp16_panel.h"
#include "panels/qt/board_controls.h"

namespace veldra {
namespace {

constexpr int kNameLeft = 360;
constexpr int kNameWidth = 1335;
constexpr int kBoxLeft = 1800;
constexpr int kBoxWidth = 1695;
constexpr int kBoxHeight = 255;

}  // namespace

frmLMP16::frmLMP16(Lamp16Panel& half) : BoardForm(half, "frmLMP16"), half_(half) {
    AddHeader();
    MoveBoardName(*this, 1200);
    AddLine("Line2", 0, 360, 3960, 360);
    namesHeading_ = AddLabel("blLabel", 360, 480, 975, 255, "OUTPUTS");
    boxHeading_ = AddLabel("Label1", 1800, 480, 1575, 255, "LIGHT OUT BITS");
    DrawNow();
}

void frmLMP16::Draw() {
    DrawHeader();
    namesHeading_->setText(ToQString(half_.NamesHeading()));
    if (boxHeading_->text() != ToQString(half_.BoxHeading())) {
        boxHeading_->setText(ToQString(half_.BoxHeading()));
        FitWidth(*boxHeading_);
    }
    // A heading wider in this font than in the design's ("LAMP GOOD BITS") stands further
    // left, as far as it must to be read whole in the window at its widest.
    boxHeading_->move(
        std::max(namesHeading_->x() + namesHeading_->sizeHint().width() + 6,
                 std::min(PixelsFromTwips(kBoxLeft), WidestInside() - boxHeading_->width())),
        boxHeading_->y());
    const std::vector<BoxedRow>& rows = half_.Rows();
    std::vector<IndicatorRow> labels;
    labels.reserve(rows.size());
    for (const BoxedRow& row : rows) {
        labels.push_back(row.label);
    }
    DrawColumn(rows_, labels, 0, kNameLeft, kNameWidth, "lblIO", "imgOn");
    while (boxes_.size() < rows.size()) {
        const int i = int(boxes_.size());
        const BoxedRow& row = rows[boxes_.size()];
        QCheckBox* box = nullptr;
        if (row.hasBox) {
            // Row 0's box stands where the design has it; the later ones beside their
            // label, a little higher.
            const QRect place = i == 0 ? QRect(kBoxLeft, row.label.top, kBoxWidth, kBoxHeight)
                                       : QRect(kNameLeft + kNameWidth + 100, row.label.top - 20,
                                               kBoxWidth, kBoxHeight);
            box = MakeBox(
                this, QStringLiteral("chkLO_%1").arg(i), place,
                [this, i] { return half_.Rows()[std::size_t(i)].box.ticked; },
                [this, i] { ClickBox(i); });
        }
        boxes_.push_back(box);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (boxes_[i] != nullptr) {
            DrawBox(*boxes_[i], rows[i].box);
        }
    }
}

void frmLMP16::ClickBox(int row) {
    half_.ClickBox(row);
    DrawNow();
}

void frmLMP16::RowReleased(int column, int row, Qt::MouseButton button, bool over) {
    (void)column, (void)over;
    half_.MouseUp(row, MouseButtonOf(button));
}

}  // namespace veldra
