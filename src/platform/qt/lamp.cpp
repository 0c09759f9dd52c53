#include "platform/qt/lamp.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/twips.h"

namespace veldra {

LampWidget::LampWidget(QWidget* parent, QColor litColour, QColor darkColour, int sideTwips)
    : QWidget(parent),
      litColour_(litColour),
      darkColour_(darkColour.isValid() ? darkColour : litColour.darker(400)),
      sideTwips_(sideTwips) {
    setFixedSize(sizeHint());
}

void LampWidget::SetDarkColour(QColor colour) {
    darkColour_ = colour.isValid() ? colour : litColour_.darker(400);
    update();
}

void LampWidget::SetBordered(bool bordered) {
    if (bordered != bordered_) {
        bordered_ = bordered;
        update();
    }
}

void LampWidget::SetImage(LampImage image) {
    if (image == image_) {
        return;
    }
    image_ = image;
    setVisible(image != LampImage::Parked);
    update();
}

QSize LampWidget::sizeHint() const {
    return SizeFromTwips(sideTwips_, sideTwips_);
}

void LampWidget::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(image_ == LampImage::Lit ? litColour_ : darkColour_);
    painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
    if (bordered_) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void LampWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) {
        Q_EMIT clicked(event->button());
    }
}

}  // namespace veldra
