#include "platform/qt/lamp.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/twips.h"

namespace veldra {
namespace {

// The indicator pictures are 240 twips square.
constexpr int kLampTwips = 240;

}  // namespace

Lamp::Lamp(QWidget* parent, QColor litColour) : QWidget(parent), litColour_(litColour) {
    setFixedSize(sizeHint());
}

void Lamp::SetImage(LampImage image) {
    if (image == image_) {
        return;
    }
    image_ = image;
    setVisible(image != LampImage::Parked);
    update();
}

QSize Lamp::sizeHint() const {
    return SizeFromTwips(kLampTwips, kLampTwips);
}

void Lamp::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    const QColor dark = darkColour_.isValid() ? darkColour_ : litColour_.darker(400);
    painter.setBrush(image_ == LampImage::Lit ? litColour_ : dark);
    painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void Lamp::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) {
        Q_EMIT clicked(event->button());
    }
}

}  // namespace veldra
