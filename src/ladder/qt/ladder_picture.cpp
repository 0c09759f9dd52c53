#include "ladder/qt/ladder_picture.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/qt/qt_text.h"
#include "platform/qt/replacing_file.h"
#include "platform/qt/twips.h"

namespace veldra {
namespace {

double Pixels(double twips) {
    return twips / kTwipsPerPixel;
}

QPointF PointAt(double X, double Y) {
    return {Pixels(X), Pixels(Y)};
}

}  // namespace

LadderPicture::LadderPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    Reserve();
    Clear();
}

void LadderPicture::SetSizeTwips(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    Reserve();
}

void LadderPicture::GrowToShow(double X1, double X2, double Y1, double Y2) {
    int width = width_;
    int height = height_;
    if (X1 + 200 > width)
        width = int(X1 + 200);
    if (X2 + 200 > width)
        width = int(X2 + 200);
    if (Y1 + 200 > height)
        height = int(Y1 + 400);
    if (Y2 + 200 >= height)
        height = int(Y2 + 400);
    if (width != width_ || height != height_) {
        SetSizeTwips(width, height);
    }
}

void LadderPicture::ReserveTwips(int width, int height) {
    Reserve(SizeFromTwips(width, height));
}

void LadderPicture::Reserve(QSize room) {
    const QSize wanted = SizeFromTwips(width_, height_).expandedTo(QSize(1, 1));
    if (image_.isNull() || image_.width() < wanted.width() || image_.height() < wanted.height() ||
        image_.width() < room.width() || image_.height() < room.height()) {
        room = room.expandedTo(wanted).expandedTo(
            QSize(std::min(image_.width() * 2, wanted.width() + 1000),
                  std::min(image_.height() * 2, wanted.height() + 600)));
        QImage grown(room, QImage::Format_RGB32);
        grown.fill(BackColor());
        if (!image_.isNull()) {
            QPainter(&grown).drawImage(0, 0, image_);
        }
        image_ = std::move(grown);
    }
    if (size() != wanted) {
        resize(wanted);
        setMinimumSize(wanted);
        update();
    }
}

void LadderPicture::Clear() {
    image_.fill(BackColor());
    update();
}

void LadderPicture::Touched(const QRectF& pixels) {
    update(pixels.toAlignedRect().adjusted(-2, -2, 2, 2));
}

void LadderPicture::Line(double X1, double Y1, double X2, double Y2, const QColor& colour,
                         int penWidth) {
    QPainter painter(&image_);
    painter.setPen(QPen(colour, penWidth));
    const QPointF from = PointAt(X1, Y1);
    const QPointF to = PointAt(X2, Y2);
    painter.drawLine(from, to);
    Touched(QRectF(from, to).normalized());
}

void LadderPicture::Arc(double X, double Y, double radius, double start, double end, double aspect,
                        const QColor& colour, int penWidth) {
    const double high = Pixels(radius);
    const double wide = high / aspect;
    const QRectF box(Pixels(X) - wide, Pixels(Y) - high, 2 * wide, 2 * high);
    double span = end - start;
    if (span < 0) {
        span += 2 * std::numbers::pi;
    }
    constexpr double kSixteenthsPerRadian = 180 * 16 / std::numbers::pi;
    QPainter painter(&image_);
    painter.setPen(QPen(colour, penWidth));
    painter.drawArc(box, int(std::lround(start * kSixteenthsPerRadian)),
                    int(std::lround(span * kSixteenthsPerRadian)));
    Touched(box);
}

void LadderPicture::Text(double X, double Y, std::string_view text, const QColor& colour) {
    QPainter painter(&image_);
    painter.setPen(colour);
    painter.setFont(font());
    const QString shown = ToQString(text);
    const QFontMetricsF metrics(font());
    const QRectF box(PointAt(X, Y), QSizeF(metrics.horizontalAdvance(shown), metrics.height()));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, shown);
    Touched(box);
}

double LadderPicture::TextWidth(std::string_view text) const {
    return QFontMetricsF(font()).horizontalAdvance(ToQString(text)) * kTwipsPerPixel;
}

double LadderPicture::TextHeight(std::string_view text) const {
    (void)text;
    return QFontMetricsF(font()).height() * kTwipsPerPixel;
}

QImage LadderPicture::Picture() const {
    return image_.copy(QRect(QPoint(0, 0), SizeFromTwips(width_, height_)));
}

std::string LadderPicture::SaveBitmap(const std::filesystem::path& file) const {
    ReplacingFile bitmap(file);
    if (!bitmap.open(QIODevice::WriteOnly)) {
        return ToStdString(bitmap.errorString());
    }
    if (!Picture().save(&bitmap, "BMP")) {
        return bitmap.error() != QFileDevice::NoError ? ToStdString(bitmap.errorString())
                                                      : "The bitmap could not be written.";
    }
    return bitmap.Commit() ? std::string() : ToStdString(bitmap.errorString());
}

void LadderPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void LadderPicture::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    Q_EMIT mousePressed(TwipsFromPixels(1) * at.x(), TwipsFromPixels(1) * at.y(), event->button());
}

}  // namespace veldra
