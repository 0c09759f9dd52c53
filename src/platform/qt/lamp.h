#pragma once

#include <QColor>
#include <QWidget>

#include "platform/panel_controls.h"

namespace veldra {

// One indicator lamp of a board window, of the CPU lights or of a coded track: lit, dark,
// or parked out of sight. It reports the clicks on it; what a click does is the
// window's business. Not called Lamp: that is the lamp-driver board's model of one lamp, and
// two classes of one name break the program wherever both are linked.
class LampWidget final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSideTwips = 240;

    // A dark colour not given is the lit one, much darkened.
    explicit LampWidget(QWidget* parent = nullptr, QColor litColour = Qt::red,
                        QColor darkColour = {}, int sideTwips = kSideTwips);

    LampImage Image() const { return image_; }
    void SetImage(LampImage image);
    // The single-line border a held button gives a row's pictures.
    bool Bordered() const { return bordered_; }
    void SetBordered(bool bordered);
    // A dark lamp of a colour of its own; an invalid colour darkens the lit one.
    void SetDarkColour(QColor colour);

    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor litColour_;
    QColor darkColour_;
    int sideTwips_;
    LampImage image_ = LampImage::Dark;
    bool bordered_ = false;
};

}  // namespace veldra
