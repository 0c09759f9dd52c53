#pragma once

#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "ladder/ladder_drawing.h"

namespace veldra::testing {

// Every event a cell raises, one line each: kind, coordinates, value or text; and each
// text with where it is written, for tests that measure where names stand.
class RecordingDrawing final : public LadderDrawing {
public:
    struct Text {
        double x;
        double y;
        std::string text;
    };
    std::vector<std::string> events;
    std::vector<Text> texts;

    void DrawLine(double X1, double X2, double Y1, double Y2, bool live) override {
        Record("L", {X1, X2, Y1, Y2}, live ? "1" : "0");
    }
    void DrawLineR(double X1, double X2, double Y1, double Y2, bool live) override {
        Record("R", {X1, X2, Y1, Y2}, live ? "1" : "0");
    }
    void PrintText(double X, double Y, std::string_view Text) override {
        Record("T", {X, Y}, std::string(Text));
        texts.push_back({X, Y, std::string(Text)});
    }
    void ShowSelection(double X1, double X2, double Y1, double Y2, bool Selected) override {
        Record("S", {X1, X2, Y1, Y2}, Selected ? "1" : "0");
    }
    void DrawOutput(double X, double Y, double StartAngle, double EndAngle,
                    double Radius) override {
        Record("A", {X, Y, StartAngle, EndAngle, Radius}, "");
    }

private:
    void Record(const char* kind, std::initializer_list<double> values, const std::string& tail) {
        std::ostringstream line;
        line << kind;
        for (const double value : values) {
            line << ' ' << value;
        }
        if (!tail.empty()) {
            line << ' ' << tail;
        }
        events.push_back(line.str());
    }
};

}  // namespace veldra::testing
