#include "panels/qt/frmMXLamp.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include "panels/mx_lamp_panel.h"
#include "panels/qt/board_controls.h"
#include "platform/qt/lamp.h"

namespace veldra {
namespace {

constexpr int kAspectLeft = 600;
constexpr int kAspectWidth = 1095;
constexpr int kLightOutLeft = 1800;
constexpr int kLightOutWidth = 1815;
constexpr int kRowHeight = 255;
// The board's lamps are grey when dark.
constexpr QColor kDarkLamp(192, 192, 192);

// The design's names of each head's controls, head 1 first.
struct HeadNames {
    const char* frame;
    const char* caption;
    const char* headBox;
    const char* lampHeading;
    const char* lampLabel;
    const char* lampImage;
    const char* aspectHeading;
    const char* lightOutHeading;
    const char* aspectLabel;
    const char* aspectImage;
    const char* lightOut;
};
constexpr HeadNames kNames[] = {
    {"Frame1", "Head1", "chkHD1", "Label9", "lblLampAOn", "imgALmpOn", "Label2", "Label1",
     "lblLmpA_%1", "imgAOn_%1", "chkALO_%1"},
    {"fraHead2", "Head2", "chkHD2", "Label4", "lblLampBOn", "imgBLmpOn", "Label5", "Label6",
     "lblLmpB_%1", "imgBOn_%1", "chkBLO_%1"},
};
constexpr int kFrameTops[] = {480, 2880};

}  // namespace

frmMXLamp::frmMXLamp(MXLampPanel& half) : BoardForm(half, "frmMXLamp"), half_(half) {
    AddHeader();
    MoveBoardName(*this, 1200);
    AddLine("Line2", 0, 360, 3960, 360);
    for (int head = 1; head <= kHeads; ++head) {
        MakeHead(head, kFrameTops[head - 1]);
    }
    const struct {
        const char* heading;
        const char* headingText;
        const char* label;
        const char* lamp;
        int left;
    } inputs[] = {{"Label7", "INPUT 1:", "lblIn1Name", "img1On", 480},
                  {"Label8", "INPUT 2:", "lblIn2Name", "img2On", 2280}};
    for (int input = 1; input <= kHeads; ++input) {
        const auto& names = inputs[input - 1];
        MakeLabel(this, names.heading, names.left, 5160, 735, 255, names.headingText);
        Row& row = inputs_[std::size_t(input - 1)];
        row = MakeRow(InputColumn(input), 0, half.Input(input), names.left, 975, names.label,
                      names.lamp);
        row.label->setObjectName(QString::fromLatin1(names.label));
        row.lamp->setObjectName(QString::fromLatin1(names.lamp));
        row.lamp->SetDarkColour(kDarkLamp);
    }
    DrawNow();
}

void frmMXLamp::MakeHead(int head, int top) {
    const HeadNames& names = kNames[head - 1];
    HeadDrawing& drawing = heads_[std::size_t(head - 1)];
    drawing.frame = new QGroupBox(QString::fromLatin1(names.caption), this);
    drawing.frame->setObjectName(QString::fromLatin1(names.frame));
    drawing.frame->setGeometry(RectFromTwips(10, top, 3735, 2295));
    MakeLabel(drawing.frame, names.lampHeading, 360, 480, 855, 255, "LAMP BIT:");
    MakeLabel(drawing.frame, names.aspectHeading, 600, 840, 975, 255, "ASPECTS");
    MakeLabel(drawing.frame, names.lightOutHeading, 1800, 840, 1575, 255, "LIGHT OUT BITS");
    drawing.lamp =
        FrameRow(drawing.frame, LampColumn(head), 0, 480, 1560, 1215,
                 QString::fromLatin1(names.lampLabel), QString::fromLatin1(names.lampImage));
    // Made after the frame, so it is drawn over it.
    drawing.headBox = MakeBox(
        this, QString::fromLatin1(names.headBox), QRect(120, top + 240, 975, 255),
        [this, head] { return half_.Head(head).headBox.ticked; },
        [this, head] {
            half_.ClickHeadBox(head);
            DrawNow();
        });
}

BoardForm::Row frmMXLamp::FrameRow(QWidget* frame, int column, int index, int top, int left,
                                   int width, const QString& label, const QString& lamp) {
    Row row = MakeRow(column, index, IndicatorRow(top), left, width, "row", "lamp");
    for (QWidget* control : {static_cast<QWidget*>(row.label), static_cast<QWidget*>(row.lamp)}) {
        const QPoint place = control->pos();
        control->setParent(frame);
        control->move(place);
    }
    row.label->setObjectName(label);
    row.lamp->setObjectName(lamp);
    row.lamp->SetDarkColour(kDarkLamp);
    row.label->show();
    return row;
}

void frmMXLamp::Draw() {
    DrawHeader();
    for (int head = 1; head <= kHeads; ++head) {
        DrawHead(head);
    }
    for (int input = 1; input <= kHeads; ++input) {
        Row& row = inputs_[std::size_t(input - 1)];
        DrawRow(row, half_.Input(input));
        // A long input name may take the room up to input 2's lamp.
        row.label->resize(std::min(std::max(row.label->sizeHint().width(), PixelsFromTwips(975)),
                                   PixelsFromTwips(1500)),
                          row.label->height());
    }
}

void frmMXLamp::DrawHead(int head) {
    const HeadNames& names = kNames[head - 1];
    const HeadView& view = half_.Head(head);
    HeadDrawing& drawing = heads_[std::size_t(head - 1)];
    DrawBox(*drawing.headBox, view.headBox);
    DrawRow(drawing.lamp, view.lamp);
    while (drawing.rows.size() < view.rows.size()) {
        const int i = int(drawing.rows.size());
        const BoxedRow& row = view.rows[std::size_t(i)];
        drawing.rows.push_back(FrameRow(drawing.frame, AspectColumn(head), i, row.label.top,
                                        kAspectLeft, kAspectWidth,
                                        QString::fromLatin1(names.aspectLabel).arg(i),
                                        QString::fromLatin1(names.aspectImage).arg(i)));
        QCheckBox* box = nullptr;
        if (row.hasBox) {
            box = MakeBox(
                drawing.frame, QString::fromLatin1(names.lightOut).arg(i),
                QRect(kLightOutLeft, row.label.top, kLightOutWidth, kRowHeight),
                [this, head, i] { return half_.Head(head).rows[std::size_t(i)].box.ticked; },
                [this, head, i] {
                    half_.ClickLightOut(head, i);
                    DrawNow();
                });
        }
        drawing.lightOut.push_back(box);
    }
    for (std::size_t i = 0; i < view.rows.size(); ++i) {
        DrawRow(drawing.rows[i], view.rows[i].label);
        if (drawing.lightOut[i] != nullptr) {
            DrawBox(*drawing.lightOut[i], view.rows[i].box);
        }
    }
    // A disabled frame takes no mouse input; its indicators keep following the logic.
    drawing.frame->setEnabled(view.frameEnabled);
}

bool frmMXLamp::RowPressed(int column, int row, Qt::MouseButton button) {
    (void)row;
    for (int input = 1; input <= kHeads; ++input) {
        if (column == InputColumn(input)) {
            return half_.MouseDownInput(input, MouseButtonOf(button), false);
        }
    }
    return false;
}

void frmMXLamp::RowReleased(int column, int row, Qt::MouseButton button, bool over) {
    for (int n = 1; n <= kHeads; ++n) {
        if (column == AspectColumn(n)) {
            half_.MouseUpAspect(n, row, MouseButtonOf(button));
        } else if (column == LampColumn(n)) {
            half_.MouseUpHeadLamp(n, MouseButtonOf(button));
        } else if (column == InputColumn(n) && over) {
            half_.ClickInput(n, MouseButtonOf(button));
        }
    }
}

}  // namespace veldra
