#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "boards/io_board.h"
#include "panels/board_window.h"
#include "platform/event.h"

namespace veldra {

// What the two I/O board windows share: an I/O board whose inputs the user toggles and
// whose outputs follow the logic. The window owns the inputs, then the outputs, then the
// board's ".ENABLED" bit; the logic's writes move the lamps, a state file restores the
// inputs and the "Enabled" box, never the outputs.
class IOPanel : public BoardWindowOf<IOBoard> {
public:
    // Counted at the first call and kept.
    int BitCount() const override;
    // Inputs 1 to nIn, outputs nIn+1 to nIn+nOut, then the ".ENABLED" bit at any higher
    // Index; spare positions answer "SPARE". Nothing below 1.
    std::string GetSystemBit(int Index) const override;
    // Moves when a row is added or the board or its lists are given again.
    std::uint32_t RowsRevision() override;

    // Raised when UpdateOutput has turned one row's lamp, before Changed, with the row's
    // direction (true for an output) and number: the drawing may repaint that lamp alone.
    Event<bool, int> LampShown;

protected:
    explicit IOPanel(PendingInputs& IOBits) : BoardWindowOf(IOBits) {}

    // From then on each added bit builds its row.
    void Hear(IOBoard& board) override;

    virtual void InputAdded(std::string_view name) = 0;
    virtual void OutputAdded(std::string_view name) = 0;
    // Shows the lamp of the input or output drawn on that row.
    virtual void ShowInputLamp(int row, bool value) = 0;
    virtual void ShowOutputLamp(int row, bool value) = 0;

    void OnUpdateOutput(std::string_view BitName, bool BitValue) override;
    bool OnUpdateOutputAt(int Index, std::string_view BitName, bool BitValue,
                          std::uint32_t revision) override;
    void OnLoadState(std::string_view BitName, bool BitValue) override;

    BoardInput* FindInput(std::string_view name) const;
    BoardOutput* FindOutput(std::string_view name) const;
    int InputCount() const;
    int OutputCount() const;

    // The click on an input row: toggles the input the caption names, posts it and
    // redraws it, unless a right-button release came first or the row is spare. The flag
    // the right button leaves is cleared in every case.
    void InputClick(const std::string& caption);
    // Rows counted, caption, "Enabled" box and board-name label, once every bit is known.
    void BitsKnown();
    // Every lamp has just been drawn from its input's or output's state: from then on a
    // push of the value a row already shows draws nothing and reads none of the board.
    // `oneColumn`: inputs and outputs share one column of lamps.
    void LampsDrawn(bool oneColumn);

    bool rightClick_ = false;

private:
    void ShowOutput(BoardOutput& output, bool BitValue) {
        ShowOutput(output, output.intIndex, BitValue);
    }
    void ShowInput(BoardInput& input, bool BitValue) { ShowInput(input, input.intIndex, BitValue); }
    // The same with the row's lamp in hand, so that showing a row only writes its input or
    // output.
    void ShowOutput(BoardOutput& output, int lamp, bool BitValue);
    void ShowInput(BoardInput& input, int lamp, bool BitValue);
    // The rows' order may have moved (a row added, the lists given again): counted again
    // at the next push, and the revision moves on.
    void RowsMoved();
    // Counts the rows again: the lists were replaced or have grown since last counted.
    void CountRows();
    void CountRowsIfChanged();
    std::string_view RowName(std::size_t row) const;
    void ForgetShown();

    // What a push by row reads of the board's lists, as last counted: the rows in the
    // window's order, side by side, and whether a name is both an input and an output (the
    // name then decides, outputs first). Counted again at the first push after a row was
    // added or a list given or replaced. What a push of a bound bit that changes nothing
    // reads comes first, in one or two cache lines of the window's own.
    struct RowLayout {
        bool counted = false;
        bool sharedNames = false;
        bool tracked = false;
        std::vector<BoardInput*> inputRows;
        std::vector<BoardOutput*> outputRows;
        // By row: the value its input or output holds and its lamp shows, or kUnknown.
        // Kept only where every lamp belongs to one row (tracked), from the drawing of
        // every lamp on; a change by name forgets it.
        std::vector<std::int8_t> shown;
        BoardInput* inputs = nullptr;
        BoardOutput* outputs = nullptr;
        // Every row's name side by side, so that a push finds its row still showing its bit
        // without reading the row's input or output.
        std::string names;
        std::vector<std::uint32_t> nameEnds;
        // By row: its input's or output's lamp, as the indicators were made.
        std::vector<std::int16_t> lamps;
    };
    static constexpr std::int8_t kUnknown = -1;
    // Moved by every change of the rows, so that a bit bound while it had one value finds
    // its row by Index alone (see RowsRevision). Never 0.
    std::uint32_t rowsRevision_ = 1;
    RowLayout rows_;

    mutable int bitCount_ = 0;
};

}  // namespace veldra
