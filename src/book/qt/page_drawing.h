#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <string_view>

#include "ladder/ladder_drawing.h"

class QPainter;

namespace veldra {

class BooleanBits;
class CreateLadder;
class Settings;

// One book page drawn on any painter, the preview's picture or the printer's sheet, in
// twips from the page's top-left corner. The book's lines are black whatever the bits,
// and it draws no selection frames.
class PageDrawing final : public LadderDrawing {
public:
    // `pixelsPerTwip` is the painter's device units per twip.
    PageDrawing(QPainter& painter, double pixelsPerTwip);

    // The font names and the book's own lines are written in (its point size and weight).
    void SetFont(const QFont& font);
    const QFont& Font() const { return font_; }

    // Every cell of the ladder: `withNameFirst` draws the name before the symbol, as the
    // preview does; the printer draws the symbol first.
    void DrawLadder(const CreateLadder& ladder, const BooleanBits* bits, bool withNameFirst);

    void DrawLine(double X1, double X2, double Y1, double Y2, bool live) override;
    void DrawLineR(double X1, double X2, double Y1, double Y2, bool live) override;
    void PrintText(double X, double Y, std::string_view Text) override;
    void ShowSelection(double, double, double, double, bool) override {}
    void DrawOutput(double X, double Y, double StartAngle, double EndAngle, double Radius) override;

private:
    QPointF At(double X, double Y) const { return {X * scale_, Y * scale_}; }

    QPainter& painter_;
    double scale_;
    QFont font_;
};

// The ladder font of the book as the settings name it ("LADDER_FONT": NAME, SIZE, BOLD).
QFont LadderFont(const Settings& settings);

}  // namespace veldra
