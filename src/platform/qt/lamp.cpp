#include "platform/qt/lamp.h"

#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QtPlugin>
#include <unordered_map>

#include "platform/qt/twips.h"

// Lamps go without an accessible interface while nothing listens (lamp_accessible.cpp).
Q_IMPORT_PLUGIN(LampAccessible)

namespace veldra {
namespace {

// A board window shows thousands of lamps in a handful of colours and sizes: each picture is
// drawn once, with its rounded edge, and copied to every lamp that shows it.
const QPixmap& LampPicture(QColor fill, QSize size, qreal ratio) {
    struct Key {
        QRgb fill;
        QSize size;
        qreal ratio;
        bool operator==(const Key& other) const {
            return fill == other.fill && size == other.size && ratio == other.ratio;
        }
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            return qHashMulti(0, key.fill, key.size.width(), key.size.height(), key.ratio);
        }
    };
    // Made once for the whole process and never freed, so that none is freed after the
    // application object has gone.
    static auto& pictures = *new std::unordered_map<Key, QPixmap, KeyHash>;
    const Key key{fill.rgba(), size, ratio};
    auto found = pictures.find(key);
    if (found == pictures.end()) {
        QPixmap picture(size * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(fill);
        painter.drawEllipse(QRectF(QRect(QPoint(), size)).adjusted(1, 1, -1, -1));
        painter.end();
        found = pictures.emplace(key, std::move(picture)).first;
    }
    return found->second;
}

}  // namespace

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
    // A lamp turned on or off keeps its place: only parking it, or bringing it back, is a
    // change of its visibility (each a show or hide for nothing otherwise, thousands a scan).
    const bool wasParked = image_ == LampImage::Parked;
    const bool parked = image == LampImage::Parked;
    image_ = image;
    if (parked != wasParked) {
        setVisible(!parked);
    }
    update();
}

QSize LampWidget::sizeHint() const {
    return SizeFromTwips(sideTwips_, sideTwips_);
}

void LampWidget::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    painter.drawPixmap(0, 0,
                       LampPicture(image_ == LampImage::Lit ? litColour_ : darkColour_, size(),
                                   devicePixelRatioF()));
    if (bordered_) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void LampWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) {
        Q_EMIT clicked(event->button());
    }
}

}  // namespace veldra
