#pragma once

#include <string_view>

namespace veldra {

// Where a ladder's cells draw themselves: the viewer's picture now, later the printed
// page and the plot. Coordinates are twips from the top-left of the whole ladder; each
// host picks its own pens and fonts.
class LadderDrawing {
public:
    virtual ~LadderDrawing() = default;

    // A ladder line; `live` is true while the contact passes current.
    virtual void DrawLine(double X1, double X2, double Y1, double Y2, bool live) = 0;
    // A line of the relay-equivalent drawing.
    virtual void DrawLineR(double X1, double X2, double Y1, double Y2, bool live) = 0;
    // Text whose top-left corner is at (X, Y).
    virtual void PrintText(double X, double Y, std::string_view Text) = 0;
    // One side of a cell's selection frame.
    virtual void ShowSelection(double X1, double X2, double Y1, double Y2, bool Selected) = 0;
    // One arc of a coil: centre, angles in radians counter-clockwise from the x axis.
    virtual void DrawOutput(double X, double Y, double StartAngle, double EndAngle,
                            double Radius) = 0;
};

}  // namespace veldra
