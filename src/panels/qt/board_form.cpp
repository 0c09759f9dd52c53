#include "panels/qt/board_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <utility>

#include "platform/qt/discarded_frames.h"
#include "platform/qt/lamp.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_frame.h"

namespace veldra {
namespace {

constexpr int kLampSide = 225;
constexpr int kLampGap = 30;
constexpr int kRowHeight = 255;

int LimitPixels(int twips) {
    return twips > 0 ? PixelsFromTwips(twips) : QWIDGETSIZE_MAX;
}

}  // namespace

BoardForm::BoardForm(BoardWindow& half, const char* name) : half_(half) {
    setObjectName(name);
    changed_ = half_.Changed.Subscribe([this] { HalfChanged(); });
}

BoardForm::~BoardForm() = default;

void BoardForm::Placed() {
    frame_ = &WindowFrame(*this);
    frame_->installEventFilter(this);
    shownSize_ = {};
    shownLimit_ = {-1, -1};
    DrawNow();
}

void BoardForm::DrawNow() {
    drawPending_ = false;
    Draw();
    ApplySize();
}

void BoardForm::HalfChanged() {
    if (half_.Closed()) {
        // Closed for good by the program: the frame goes with the half's board.
        DiscardedFrames::Close(*this);
        return;
    }
    if (std::exchange(lampDrawn_, false)) {
        return;
    }
    if (!drawPending_) {
        drawPending_ = true;
        // Drawn already by then, the window is not drawn again.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (drawPending_) {
                    DrawNow();
                }
            },
            Qt::QueuedConnection);
    }
}

void BoardForm::ApplySize() {
    if (frame_ == nullptr) {
        return;
    }
    const WindowSize limit = half_.MaximumSize();
    if (limit != shownLimit_) {
        shownLimit_ = limit;
        frame_->setMaximumSize(LimitPixels(limit.width), LimitPixels(limit.height));
    }
    const WindowSize size = half_.Size();
    if (size != shownSize_ && size.width > 0 && size.height > 0) {
        shownSize_ = size;
        if (!frame_->isMinimized()) {
            frame_->resize(SizeFromTwips(size.width, size.height));
        }
    }
}

int BoardForm::WidestInside() const {
    const int widest = LimitPixels(half_.MaximumSize().width);
    if (widest == QWIDGETSIZE_MAX || frame_ == nullptr || frame_ == this) {
        return widest;
    }
    return widest -
           2 * frame_->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, frame_);
}

QSize BoardForm::sizeHint() const {
    const WindowSize size = half_.Size();
    QSize hint = SizeFromTwips(size.width, size.height);
    if (frame_ != nullptr && frame_ != this) {
        hint -= frame_->size() - this->size();
    }
    return hint;
}

void BoardForm::AddHeader() {
    enabledBox_ = new QCheckBox(QStringLiteral("Enabled"), this);
    enabledBox_->setObjectName(QStringLiteral("chkEnabled"));
    enabledBox_->setGeometry(RectFromTwips(0, 0, 975, 255));
    // The half posts the board's ".ENABLED" bit on every change; a tick the drawing only
    // follows from the half is no change for it.
    connect(enabledBox_, &QCheckBox::toggled, this, [this](bool ticked) {
        if (ticked != half_.EnabledBox().ticked) {
            half_.ClickEnabled();
        }
    });
    // The desktop's font may be wider than the design's: the box takes its caption's width
    // and the label moves along.
    enabledBox_->adjustSize();
    enabledBox_->resize(std::max(enabledBox_->width(), PixelsFromTwips(975)), PixelsFromTwips(255));
    boardName_ = AddLabel("lblBoardName", 1080, 0, 480, 195);
    boardName_->move(std::max(boardName_->x(), enabledBox_->geometry().right() + 6), 0);
}

QLabel* BoardForm::AddLabel(const char* name, int left, int top, int width, int height,
                            const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(RectFromTwips(left, top, width, height));
    return label;
}

void BoardForm::AddLine(const char* name, int left, int top, int right, int bottom) {
    auto* line = new QFrame(this);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(left == right ? QFrame::VLine : QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    const int thickness = 2 * kTwipsPerPixel;
    line->setGeometry(RectFromTwips(left, top, std::max(right - left, thickness),
                                    std::max(bottom - top, thickness)));
}

void BoardForm::DrawHeader() {
    const QString caption = ToQString(half_.Caption());
    if (windowTitle() != caption) {
        setWindowTitle(caption);
        boardName_->setText(caption);
        boardName_->setToolTip(caption);
        boardName_->adjustSize();
    }
    const CheckBox& box = half_.EnabledBox();
    enabledBox_->setChecked(box.ticked);
    enabledBox_->setEnabled(box.usable);
    // Each board window is drawn several times while a load runs; a tip set again is an
    // event for nothing.
    if (const QString tip = ToQString(box.toolTip); enabledBox_->toolTip() != tip) {
        enabledBox_->setToolTip(tip);
    }
}

BoardForm::Row BoardForm::MakeRow(int column, int index, const IndicatorRow& design, int left,
                                  int width, const char* labelPrefix, const char* lampPrefix) {
    Row row;
    row.label = new QLabel(this);
    const QString number = QLatin1Char('_') + QString::number(index);
    row.label->setObjectName(QLatin1String(labelPrefix) + number);
    row.label->setGeometry(RectFromTwips(left, design.top, width, kRowHeight));
    row.lamp = new LampWidget(this, QColor(0, 255, 0), QColor(128, 128, 128), kLampSide);
    row.lamp->setObjectName(QLatin1String(lampPrefix) + number);
    row.lamp->move(RectFromTwips(left - kLampSide - kLampGap, design.top, 0, 0).topLeft());
    for (QWidget* control : {static_cast<QWidget*>(row.label), static_cast<QWidget*>(row.lamp)}) {
        rowPlaces_.emplace(control, RowPlace{column, index});
        control->installEventFilter(this);
    }
    // The row has its text and picture before it is first polished or shown, so that no
    // change follows. Out of sight, the controls come on view with the window; a spare
    // row's lamp stays away.
    DrawRow(row, design);
    if (isVisible()) {
        row.label->show();
        if (row.lamp->Image() != LampImage::Parked) {
            row.lamp->show();
        }
    }
    return row;
}

void BoardForm::DrawRow(Row& row, const IndicatorRow& shown) {
    if (row.caption != shown.caption) {
        row.caption = shown.caption;
        row.label->setText(ToQString(shown.caption));
        row.label->setToolTip(ToQString(shown.toolTip));
    }
    row.lamp->SetImage(shown.Spare() ? LampImage::Parked : shown.lamp);
}

void BoardForm::DrawLamp(std::vector<Row>& drawn, const std::vector<IndicatorRow>& rows, int row) {
    if (row >= 0 && std::size_t(row) < drawn.size() && std::size_t(row) < rows.size()) {
        DrawRow(drawn[std::size_t(row)], rows[std::size_t(row)]);
        lampDrawn_ = true;
    }
}

void BoardForm::DrawColumn(std::vector<Row>& drawn, const std::vector<IndicatorRow>& rows,
                           int column, int left, int width, const char* labelPrefix,
                           const char* lampPrefix) {
    while (drawn.size() < rows.size()) {
        const int index = int(drawn.size());
        drawn.push_back(
            MakeRow(column, index, rows[drawn.size()], left, width, labelPrefix, lampPrefix));
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        DrawRow(drawn[i], rows[i]);
    }
}

void BoardForm::ShowBorder(QWidget* pressed, bool shown) {
    // A label is bordered itself; a lamp stands for both pictures of its row.
    if (auto* label = qobject_cast<QLabel*>(pressed)) {
        label->setFrameStyle(shown ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    } else if (auto* lamp = qobject_cast<LampWidget*>(pressed)) {
        lamp->SetBordered(shown);
    }
    bordered_ = shown ? pressed : nullptr;
}

bool BoardForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == frame_ && watched != nullptr) {
        if (event->type() == QEvent::WindowStateChange && frame_->isMaximized()) {
            // The window is never larger than its design: back to the normal state.
            QMetaObject::invokeMethod(frame_, &QWidget::showNormal, Qt::QueuedConnection);
        } else if (event->type() == QEvent::Resize && !frame_->isMinimized() &&
                   !frame_->isMaximized()) {
            const QSize pixels = frame_->size();
            half_.Resize({TwipsFromPixels(pixels.width()), TwipsFromPixels(pixels.height())});
            shownSize_ = half_.Size();
            FrameResized(shownSize_);
        }
        if (watched != this) {
            return false;
        }
    }
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease) {
        return QWidget::eventFilter(watched, event);
    }
    const auto place = rowPlaces_.find(watched);
    if (place == rowPlaces_.end()) {
        return QWidget::eventFilter(watched, event);
    }
    const auto [column, row] = place->second;
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            // A double-click is one click: its second press does not toggle again.
            secondPress_ = type == QEvent::MouseButtonDblClick;
            if (RowPressed(column, row, mouse->button())) {
                ShowBorder(static_cast<QWidget*>(watched), true);
            }
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (bordered_ != nullptr) {
                ShowBorder(bordered_, false);
            }
            const bool over =
                static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint()) &&
                !(secondPress_ && mouse->button() == Qt::LeftButton);
            secondPress_ = false;
            RowReleased(column, row, mouse->button(), over);
            return true;
        }
        default:
            return QWidget::eventFilter(watched, event);
    }
}

void BoardForm::closeEvent(QCloseEvent* event) {
    if (half_.RequestClose()) {
        event->accept();
        return;
    }
    // Closed by hand: it only goes out of the way.
    event->ignore();
    WindowFrame(*this).showMinimized();
}

}  // namespace veldra
