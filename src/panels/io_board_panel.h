#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "panels/io_panel.h"

namespace veldra {

// The window of an I/O board whose bits all go one way (frmIOBoard): the input boards
// IN16, NV.IN32 and IN6, the output boards OUT16, CODER.OUT, NVB.OUT12 and NV.OUT32. One
// row per bit under the heading "INPUTS" or "OUTPUTS"; a click toggles an input, the
// right button on an output opens the statement that drives it.
class IOBoardPanel final : public IOPanel {
public:
    static constexpr int kFirstTop = 720;
    static constexpr int kRowHeight = 255;
    static constexpr int kRowGap = 10;

    explicit IOBoardPanel(PendingInputs& IOBits);

    std::string Name() const override { return "frmIOBoard"; }
    WindowSize StartSize() const override { return {2505, 7500}; }
    WindowSize MaximumSize() const override { return {2505, 9700}; }

    // Row 0 exists from the start, captioned "SPARE"; the rows follow the bits in the order
    // they were added.
    const std::vector<IndicatorRow>& Rows() const { return rows_; }
    const std::string& Heading() const { return heading_; }

    // The mouse on a row (its label or either lamp). A press on an input's row shows a
    // border while the button is down.
    bool ShowsBorder(int row) const;
    void MouseUp(int row, MouseButton button);
    // Windows report a click after the button-up of either button.
    void Click(int row);

private:
    void InputAdded(std::string_view name) override;
    void OutputAdded(std::string_view name) override;
    void ShowInputLamp(int row, bool value) override { ShowLamp(row, value); }
    void ShowOutputLamp(int row, bool value) override { ShowLamp(row, value); }
    void OnCreateimgIndic() override;
    void OnUpdateIndicators() override;

    void AddRow(std::string_view name);
    void ShowLamp(int row, bool value);

    std::vector<IndicatorRow> rows_;
    int built_ = 0;
    std::string heading_ = "INPUTS";
};

}  // namespace veldra
