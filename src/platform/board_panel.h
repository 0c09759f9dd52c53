#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veldra {

// The board-panel protocol: what the program asks of every window that shows bits (each
// board window, and the program window for its CPU lights). A window that has nothing
// to do for a member keeps its default, which does nothing.
class BoardPanel {
public:
    virtual ~BoardPanel() = default;

    // The window's class name ("frmProgram", "frmTrack", ...) and its caption.
    virtual std::string Name() const = 0;
    virtual std::string Caption() const = 0;

    // How many bit names the window reports, and the name at 1-based Index in the
    // window's own order: "SPARE" for a spare position, empty for one it does not fill.
    virtual int BitCount() const { return 0; }
    virtual std::string GetSystemBit(int Index) const {
        (void)Index;
        return {};
    }

    // Builds the indicators once all bits are known, then draws them from the bits' values.
    virtual void CreateimgIndic() {}
    virtual void UpdateIndicators() {}

    // Shows a changed bit on its indicator.
    virtual void UpdateOutput(std::string_view BitName, bool BitValue) {
        (void)BitName, (void)BitValue;
    }
    // The same for a bit found at Index of the window's own order (GetSystemBit) when it
    // was bound to the window: a window may go to that row without looking the name up,
    // once it has seen that the row still shows the bit; 0 when the bit has no such place.
    // `revision`: the window's RowsRevision as the bit was bound there, 0 when not known;
    // while the window's order is still at it, the row shows the bit and the window need
    // not compare names.
    virtual void UpdateOutputAt(int Index, std::string_view BitName, bool BitValue,
                                std::uint32_t revision) {
        (void)Index, (void)revision;
        UpdateOutput(BitName, BitValue);
    }
    // What the window's own order is at: a number that moves whenever what GetSystemBit
    // answers for some Index may have moved (a row added, the lists given again); 0 when
    // the window keeps none. Read as the window's bits are bound.
    virtual std::uint32_t RowsRevision() { return 0; }

    // Sets the window's own record of a bit it owns from a state file.
    virtual void LoadState(std::string_view BitName, bool BitValue) {
        (void)BitName, (void)BitValue;
    }

    // Closes the window for good; a board window closed by hand only minimises.
    virtual void CloseWindow(bool close) { (void)close; }
    // Whether the window has been closed for good.
    virtual bool Closed() const { return false; }

    // Gives the window its start width and height. Nothing in the program calls it.
    virtual void SetStartSize() {}
};

}  // namespace veldra
