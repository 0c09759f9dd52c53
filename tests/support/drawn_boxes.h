#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ladder/elements.h"
#include "ladder/ladder_drawing.h"

namespace veldra::testing {

// A part of a drawing: the box it covers, in twips, and what it is.
struct DrawnBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    std::string what;

    bool Meets(const DrawnBox& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

// The boxes of the texts a ladder writes, each as wide and high as the font given makes it.
class TextBoxes final : public LadderDrawing {
public:
    TextBoxes(std::function<double(std::string_view)> width, double height)
        : width_(std::move(width)), height_(height) {}

    std::vector<DrawnBox> texts;

    void DrawLine(double, double, double, double, bool) override {}
    void DrawLineR(double, double, double, double, bool) override {}
    void ShowSelection(double, double, double, double, bool) override {}
    void DrawOutput(double, double, double, double, double) override {}
    void PrintText(double X, double Y, std::string_view Text) override {
        if (!Text.empty()) {
            texts.push_back({X, Y, X + width_(Text), Y + height_, std::string(Text)});
        }
    }

    // Every cell's name and note.
    void Names(const Elements& cells) {
        for (const auto& cell : cells) {
            cell->UpdateName(*this);
        }
    }

private:
    std::function<double(std::string_view)> width_;
    double height_;
};

// The symbols of a ladder's contacts (with a back contact's slash) and coils, as the ladder
// or the relay drawing draws them.
inline std::vector<DrawnBox> SymbolBoxes(const Elements& cells) {
    std::vector<DrawnBox> symbols;
    for (const auto& cell : cells) {
        if (cell->Name.empty()) {
            continue;
        }
        const double s = cell->d_1560() / Element::kWidth;
        const double x = cell->CurrentX();
        const double y = cell->CurrentY();
        symbols.push_back(cell->IsOutput ? DrawnBox{x + 480 * s, y + 400 * s, x + 1080 * s,
                                                    y + 800 * s, "coil " + cell->Name}
                                         : DrawnBox{x + 400 * s, y + 420 * s, x + 1080 * s,
                                                    y + 810 * s, "contact " + cell->Name});
    }
    return symbols;
}

// The lines a ladder draws (wires, branch lines, a contact's brackets), each as a box as
// wide as the printed pen, 15 twips.
class LineBoxes final : public LadderDrawing {
public:
    static constexpr double kHalfPen = 7.5;

    std::vector<DrawnBox> lines;

    void DrawLine(double X1, double X2, double Y1, double Y2, bool) override {
        Line(X1, X2, Y1, Y2);
    }
    void DrawLineR(double X1, double X2, double Y1, double Y2, bool live) override {
        if (live) {
            Line(X1, X2, Y1, Y2);
        }
    }
    void ShowSelection(double, double, double, double, bool) override {}
    void DrawOutput(double, double, double, double, double) override {}
    void PrintText(double, double, std::string_view) override {}

    // Every cell's lines.
    void Wires(const Elements& cells) {
        for (const auto& cell : cells) {
            cell->UpdateDrawing(*this);
        }
    }

private:
    static std::string Point(double x, double y) {
        return "(" + std::to_string(int(x)) + ", " + std::to_string(int(y)) + ")";
    }
    void Line(double X1, double X2, double Y1, double Y2) {
        lines.push_back({std::min(X1, X2) - kHalfPen, std::min(Y1, Y2) - kHalfPen,
                         std::max(X1, X2) + kHalfPen, std::max(Y1, Y2) + kHalfPen,
                         "line from " + Point(X1, Y1) + " to " + Point(X2, Y2)});
    }
};

// Each text that lies over another text or over a symbol, said once a pair.
inline std::vector<std::string> Overlaps(std::vector<DrawnBox> texts,
                                         const std::vector<DrawnBox>& symbols) {
    std::vector<std::string> found;
    std::sort(texts.begin(), texts.end(),
              [](const DrawnBox& a, const DrawnBox& b) { return a.top < b.top; });
    for (std::size_t a = 0; a < texts.size(); ++a) {
        for (std::size_t b = a + 1; b < texts.size() && texts[b].top < texts[a].bottom; ++b) {
            if (texts[a].Meets(texts[b])) {
                found.push_back("\"" + texts[a].what + "\" over \"" + texts[b].what + "\"");
            }
        }
        for (const DrawnBox& symbol : symbols) {
            if (texts[a].Meets(symbol)) {
                found.push_back("\"" + texts[a].what + "\" over the " + symbol.what);
            }
        }
    }
    return found;
}

}  // namespace veldra::testing
