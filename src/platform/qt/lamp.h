#pragma once

#include <QColor>
#include <QWidget>

#include "panels/panel_controls.h"

namespace veldra {

// One indicator lamp of a board window, of the CPU lights or of a coded track: lit, dark,
// or parked out of sight. It reports the clicks on it; what a click does is the
// window's business.
class Lamp final : public QWidget {
    Q_OBJECT

public:
    explicit Lamp(QWidget* parent = nullptr, QColor litColour = Qt::red);

    LampImage Image() const { return image_; }
    void SetImage(LampImage image);
    // A dark lamp is drawn as a darker lit colour unless it is given a colour of its own.
    void SetDarkColour(QColor colour) { darkColour_ = colour; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void clicked(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor litColour_;
    QColor darkColour_;
    LampImage image_ = LampImage::Dark;
};

}  // namespace veldra
