#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <filesystem>
#include <string>
#include <string_view>

namespace veldra {

// A drawing surface in twips that keeps what is drawn on it, as a picture box with
// auto-redraw does: ladders are drawn once and repainted from the kept picture, and a
// changed contact repaints only its own few pixels. It grows as lines pass its edge and
// saves itself as a bitmap.
class LadderPicture final : public QWidget {
    Q_OBJECT

public:
    explicit LadderPicture(QWidget* parent = nullptr);

    int WidthTwips() const { return width_; }
    int HeightTwips() const { return height_; }
    void SetSizeTwips(int width, int height);
    // Makes room at once for a picture of about that size, so that a large ladder does
    // not grow it step by step; the picture's own size is unchanged.
    void ReserveTwips(int width, int height);
    // Grows the picture, as a ladder does while it is drawn, to show the line given.
    void GrowToShow(double X1, double X2, double Y1, double Y2);

    QColor BackColor() const { return Qt::white; }
    // Paints the whole picture in its back colour.
    void Clear();
    void Line(double X1, double Y1, double X2, double Y2, const QColor& colour, int penWidth = 1);
    // An arc of an ellipse centred at (X, Y), `radius` high and radius / aspect wide, from
    // `start` to `end` radians counter-clockwise.
    void Arc(double X, double Y, double radius, double start, double end, double aspect,
             const QColor& colour, int penWidth);
    void Text(double X, double Y, std::string_view text, const QColor& colour);
    double TextWidth(std::string_view text) const;
    double TextHeight(std::string_view text) const;

    // The picture as it stands, at the picture's size.
    QImage Picture() const;
    // Writes the picture as a Windows bitmap, under exactly the name given, and answers
    // why it could not; an existing file is only replaced by a complete bitmap.
    std::string SaveBitmap(const std::filesystem::path& file) const;

Q_SIGNALS:
    // A mouse button went down at (X, Y) twips.
    void mousePressed(double X, double Y, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Makes room for the picture's size, keeping what is drawn; room grows in large steps.
    void Reserve(QSize room = {});
    void Touched(const QRectF& pixels);

    int width_ = 15;
    int height_ = 15;
    QImage image_;
};

}  // namespace veldra
