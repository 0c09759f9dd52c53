#include "book/qt/frmResolution.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "book/page_layout.h"
#include "ladder/ladder_drawing.h"
#include "ladder/qt/ladder_picture.h"

namespace veldra {
namespace {

constexpr int kLargestSize = 200;

// The picture's font measured in twips, for fitting the sample's names.
class PictureMetrics final : public TextMetrics {
public:
    explicit PictureMetrics(const LadderPicture& picture) : picture_(picture) {}
    double TextWidth(std::string_view text) const override { return picture_.TextWidth(text); }
    double TextHeight(std::string_view text) const override { return picture_.TextHeight(text); }

private:
    const LadderPicture& picture_;
};

}  // namespace

// The sample rung on the dialog's picture: live lines green, the rest black, the picture
// growing to hold what is drawn. Selection frames are never drawn here.
class frmResolution::SampleDrawing final : public LadderDrawing {
public:
    explicit SampleDrawing(LadderPicture& picture) : picture_(picture) {}

    void DrawLine(double X1, double X2, double Y1, double Y2, bool live) override {
        picture_.GrowToShow(X1, X2, Y1, Y2);
        picture_.Line(X1, Y1, X2, Y2, live ? QColor(0, 255, 0) : QColor(Qt::black));
    }
    void DrawLineR(double X1, double X2, double Y1, double Y2, bool live) override {
        if (live) {
            picture_.GrowToShow(X1, X2, Y1, Y2);
            picture_.Line(X1, Y1, X2, Y2, Qt::black);
        }
    }
    void PrintText(double X, double Y, std::string_view Text) override {
        picture_.Text(X, Y, Text, Qt::black);
    }
    void ShowSelection(double, double, double, double, bool) override {}
    void DrawOutput(double X, double Y, double StartAngle, double EndAngle,
                    double Radius) override {
        picture_.Arc(X, Y, Radius, StartAngle, EndAngle, 1.2, Qt::black, 2);
    }

private:
    LadderPicture& picture_;
};

frmResolution::frmResolution(std::int16_t size, QWidget* parent)
    : QDialog(parent), myElements_(size), chosen_(size) {
    setObjectName("frmResolution");
    setWindowTitle("Element Size");
    setModal(true);

    auto* layout = new QGridLayout(this);
    auto* label = new QLabel("Use Spinner to change element size in percentage", this);
    label->setObjectName("Label1");
    layout->addWidget(label, 0, 0, 1, 3);
    Text1_ = new QLineEdit("100", this);
    Text1_->setObjectName("Text1");
    Text1_->setReadOnly(true);
    Text1_->setMaximumWidth(60);
    layout->addWidget(Text1_, 1, 0);
    // An up-down spinner: its upper arrow makes the elements larger.
    VScroll1_ = new QScrollBar(Qt::Vertical, this);
    VScroll1_->setObjectName("VScroll1");
    VScroll1_->setRange(0, kLargestSize);
    VScroll1_->setSingleStep(1);
    VScroll1_->setPageStep(1);
    VScroll1_->setInvertedAppearance(true);
    connect(VScroll1_, &QAbstractSlider::actionTriggered, this,
            [this](int action) { RunSpinnerUpward(action); });
    VScroll1_->setFixedHeight(40);
    layout->addWidget(VScroll1_, 1, 1, Qt::AlignLeft);

    fraLadder_ = new QScrollArea(this);
    fraLadder_->setObjectName("fraLadder");
    fraLadder_->horizontalScrollBar()->setObjectName("HSLD");
    fraLadder_->verticalScrollBar()->setObjectName("VSLD");
    fraLadder_->setBackgroundRole(QPalette::Base);
    Ladder_ = new LadderPicture;
    Ladder_->setObjectName("Ladder");
    fraLadder_->setWidget(Ladder_);
    fraLadder_->setMinimumSize(420, 200);
    layout->addWidget(fraLadder_, 2, 0, 1, 3);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(2, 1);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 3, 3, 1);
    connect(ok, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
    drawing_ = std::make_unique<SampleDrawing>(*Ladder_);

    // A back contact BIT1 with a front contact BIT2 beside it, wired to the coil OUTPUT.
    myElements_.Add("", 0, 0, false, false, false, false, false, "0 0").SethLine(true);
    Element& bit1 = myElements_.Add("BIT1", 1, 0, false, true, false, false, false, "1 0");
    bit1.RightOrDown = true;
    bit1.LeftOrDown = true;
    Element& bit2 = myElements_.Add("BIT2", 1, 1, false, false, false, false, true, "2 0");
    bit2.RightOrUp = true;
    myElements_.Add("", 2, 0, false, false, false, false, false, "3 0").SethLine(true);
    myElements_.Add("OUTPUT", 3, 0, false, false, false, false, false, "4 0").IsOutput = true;
    CalcTextSize();

    connect(VScroll1_, &QScrollBar::valueChanged, this,
            [this](int value) { VScroll1_Change(value); });
    VScroll1_->setValue(size);
    if (VScroll1_->value() == 0) {
        VScroll1_Change(0);  // the spinner starts there: nothing changed, but draw the sample
    }
}

frmResolution::~frmResolution() = default;

void frmResolution::SetIsRelay(bool relay) {
    for (const auto& cell : myElements_) {
        cell->IsRelay = relay;
    }
    RedrawSample();
}

void frmResolution::CalcTextSize() {
    Ladder_->Clear();
    veldra::CalcTextSize(myElements_, PictureMetrics(*Ladder_));
    Ladder_->update();
}

void frmResolution::VScroll1_Change(int value) {
    for (const auto& cell : myElements_) {
        cell->SetResolution(value);
    }
    Text1_->setText(QString::number(value));
    CalcTextSize();
    RedrawSample();
}

void frmResolution::RunSpinnerUpward(int action) {
    // The style draws the bar upside down but leaves its arrows and the trough beside the
    // handle stepping as on any scroll bar, the lower arrow adding: turn each step round,
    // so that the arrow and the part of the trough above the handle make elements larger.
    int step = 0;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
        case QAbstractSlider::SliderPageStepAdd:
            step = -1;
            break;
        case QAbstractSlider::SliderSingleStepSub:
        case QAbstractSlider::SliderPageStepSub:
            step = 1;
            break;
        default:
            return;
    }
    const bool page = action == QAbstractSlider::SliderPageStepAdd ||
                      action == QAbstractSlider::SliderPageStepSub;
    VScroll1_->setSliderPosition(VScroll1_->value() +
                                 step * (page ? VScroll1_->pageStep() : VScroll1_->singleStep()));
}

void frmResolution::RedrawSample() {
    // Room for the whole sample at once: a name drawn before the lines have grown the
    // picture to reach it would be cut off.
    if (const Element* first = myElements_.Item(1)) {
        Ladder_->ReserveTwips(int((myElements_.Cols() + 1) * first->d_1560()) + 200,
                              int((myElements_.Rows() + 1) * first->d_840()) + 400);
    }
    Ladder_->Clear();
    for (const auto& cell : myElements_) {
        cell->UpdateSelection(*drawing_);
    }
}

void frmResolution::OKButton_Click() {
    const int size = VScroll1_->value();
    chosen_ = std::int16_t(size == 0 ? 1 : size);
    canceled_ = false;
    accept();
}

void frmResolution::CancelButton_Click() {
    reject();
}

void frmResolution::reject() {
    // However the dialog is closed without OK, the size stays as it was.
    canceled_ = true;
    QDialog::reject();
}

}  // namespace veldra
