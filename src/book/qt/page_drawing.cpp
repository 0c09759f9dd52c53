#include "book/qt/page_drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "ladder/create_ladder.h"
#include "platform/qt/qt_text.h"
#include "platform/settings.h"

namespace veldra {

PageDrawing::PageDrawing(QPainter& painter, double pixelsPerTwip)
    : painter_(painter), scale_(pixelsPerTwip) {
    // One screen pixel wide on the screen, as wide in inches on paper.
    painter_.setPen(QPen(Qt::black, 15 * pixelsPerTwip));
}

void PageDrawing::SetFont(const QFont& font) {
    font_ = font;
    painter_.setFont(font_);
}

void PageDrawing::DrawLadder(const CreateLadder& ladder, const BooleanBits* bits,
                             bool withNameFirst) {
    for (const auto& cell : ladder.GetElements()) {
        if (withNameFirst) {
            cell->UpdateSelection(*this, bits);
        } else {
            cell->UpdateDrawing(*this, bits);
            cell->UpdateName(*this);
        }
    }
}

void PageDrawing::DrawLine(double X1, double X2, double Y1, double Y2, bool) {
    painter_.drawLine(At(X1, Y1), At(X2, Y2));
}

void PageDrawing::DrawLineR(double X1, double X2, double Y1, double Y2, bool live) {
    if (live) {
        painter_.drawLine(At(X1, Y1), At(X2, Y2));
    }
}

void PageDrawing::PrintText(double X, double Y, std::string_view Text) {
    if (Text.empty()) {
        return;
    }
    const QString text = ToQString(Text);
    const QFontMetricsF metrics(font_, painter_.device());
    const QRectF box(At(X, Y), QSizeF(metrics.horizontalAdvance(text), metrics.height()));
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void PageDrawing::DrawOutput(double X, double Y, double StartAngle, double EndAngle,
                             double Radius) {
    const double high = Radius * scale_;
    const double wide = high / 1.2;
    const QPointF centre = At(X, Y);
    const QRectF box(centre.x() - wide, centre.y() - high, 2 * wide, 2 * high);
    double span = EndAngle - StartAngle;
    if (span < 0) {
        span += 2 * std::numbers::pi;
    }
    constexpr double kSixteenthsPerRadian = 180 * 16 / std::numbers::pi;
    const QPen thin = painter_.pen();
    QPen thick = thin;
    thick.setWidthF(2 * thin.widthF());
    painter_.setPen(thick);
    painter_.drawArc(box, int(std::lround(StartAngle * kSixteenthsPerRadian)),
                     int(std::lround(span * kSixteenthsPerRadian)));
    painter_.setPen(thin);
}

QFont LadderFont(const Settings& settings) {
    QFont font(ToQString(settings.GetSetting("LADDER_FONT", "NAME", "Courier New")));
    // A size chosen as 9.75 points is stored so and drawn at the whole size nearest, 10.
    bool ok = false;
    const double size =
        QString::fromStdString(settings.GetSetting("LADDER_FONT", "SIZE", "8")).toDouble(&ok);
    const int whole = ok ? int(std::nearbyint(std::clamp(size, 0.0, 1000.0))) : 0;
    font.setPointSize(whole > 0 ? whole : 8);
    const std::string bold = settings.GetSetting("LADDER_FONT", "BOLD", "0");
    font.setBold(bold == "1" || bold == "-1" || bold == "True" || bold == "true");
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace veldra
