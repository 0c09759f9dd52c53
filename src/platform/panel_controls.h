#pragma once

#include <string>
#include <utility>

// The controls of a board window as plain data: what the window's drawing shows, kept by
// the window's non-visual half. Positions and sizes are in twips.

namespace veldra {

// Which picture of an indicator's lit and dark pair is on view; a parked lamp shows
// neither.
enum class LampImage { Parked, Lit, Dark };

inline LampImage LampFor(bool value) {
    return value ? LampImage::Lit : LampImage::Dark;
}

enum class MouseButton { Left, Right, Middle };

// A window's outer size.
struct WindowSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

// A bit's name label with the lamp beside it.
struct IndicatorRow {
    IndicatorRow() = default;
    explicit IndicatorRow(int rowTop) : top(rowTop) {}

    std::string caption = "SPARE";
    std::string toolTip;
    int top = 0;
    LampImage lamp = LampImage::Parked;

    bool Spare() const { return caption == "SPARE"; }
};

struct CheckBox {
    CheckBox() = default;
    explicit CheckBox(std::string text) : caption(std::move(text)) {}

    std::string caption;
    std::string toolTip;
    bool ticked = false;
    bool usable = true;   // the user may click it
    bool visible = true;  // on view
};

// An indicator row that may carry a check box for a second bit of the same item (a lamp's
// lamp-out bit, an aspect's light-out bit). `item` is the 1-based position, in the
// board's list, of the item the row shows; 0 for the design row no item has reached.
struct BoxedRow {
    IndicatorRow label;
    bool hasBox = false;
    CheckBox box;
    int item = 0;
};

}  // namespace veldra
