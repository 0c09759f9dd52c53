#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "boards/serial_port.h"
#include "links/serial_link.h"
#include "panels/board_window.h"
#include "platform/event.h"

namespace veldra {

// The window of a serial station of a "LINK:" section (frmSerialPort): the bits it
// receives from its peer ("INPUTS") and those it sends ("OUTPUTS"), 32 rows to a page and
// one tab per page. A click on an in bit toggles it as an outside input of the program.
// This half keeps the rows, lamps and the station's ".ENABLED" bit; the link to the peer
// hears of every changed out bit through OutBitChanged.
class SerialPortPanel final : public BoardWindowOf<SerialPort>, public links::SerialLinkWindow {
public:
    static constexpr int kRowsPerPage = 32;
    static constexpr int kFirstTop = 1560;
    static constexpr int kRowHeight = 255;
    static constexpr int kRowGap = 10;

    explicit SerialPortPanel(PendingInputs& IOBits);

    std::string Name() const override { return "frmSerialPort"; }
    WindowSize StartSize() const override { return {3165, 4260}; }
    WindowSize MaximumSize() const override { return {3165, 10560}; }

    // The station's address, set by the loader; taken as 1 when still 0 at
    // CreateimgIndic.
    std::int16_t Address() const { return address_; }
    void SetAddress(std::int16_t address) { address_ = address; }

    // In bits 1 to nIn, out bits nIn+1 to nIn+nOut, then the station's ".ENABLED" bit at
    // any higher Index; counted at every call.
    int BitCount() const override;
    std::string GetSystemBit(int Index) const override;

    // Row 0 of each column exists from the start, captioned "SPARE". Row n stands on page
    // n / 32 + 1; only the rows of the selected page are on view.
    const std::vector<IndicatorRow>& InRows() const { return inRows_; }
    const std::vector<IndicatorRow>& OutRows() const { return outRows_; }
    const std::vector<std::string>& Tabs() const { return tabs_; }
    int SelectedTab() const { return selectedTab_; }
    static int PageOf(int row) { return row / kRowsPerPage + 1; }
    bool OnView(int row) const { return PageOf(row) == selectedTab_; }
    void SelectTab(int tab);

    // The user's mouse on an in bit's row (its label or either lamp): the right button's
    // release opens the bit's statement and keeps the click that follows from toggling it.
    bool ShowsBorder(int row) const;
    void MouseUpIn(int row, MouseButton button);
    void ClickIn(int row);
    void MouseUpOut(int row, MouseButton button);

    // Bits the peer station sent, as (1-based index, value): each in bit that changes
    // enters the pending inputs for the next scan; an index with no in bit is passed over.
    void ReceiveBits(const std::vector<std::pair<int, bool>>& bits) override;
    const SerialPort* LinkedBoard() const override { return MyBoard(); }

    // An out bit the logic changed, with its new value.
    Event<std::string_view, bool> OutBitChanged;

private:
    void OnCreateimgIndic() override;
    void OnUpdateIndicators() override;
    void OnUpdateOutput(std::string_view BitName, bool BitValue) override;
    void OnLoadState(std::string_view BitName, bool BitValue) override;
    // Each bit added to the station then builds its row.
    void Hear(SerialPort& board) override;

    void AddRow(std::vector<IndicatorRow>& rows, int& built, std::string_view name);
    SerialInBit* FindIn(std::string_view name) const;
    SerialOutBit* FindOut(std::string_view name) const;
    int InCount() const;
    int OutCount() const;

    std::int16_t address_ = 0;
    std::vector<IndicatorRow> inRows_;
    std::vector<IndicatorRow> outRows_;
    int inBuilt_ = 0;
    int outBuilt_ = 0;
    std::vector<std::string> tabs_{"WD 1-2-3-4"};
    int selectedTab_ = 1;
    bool rightClick_ = false;
};

}  // namespace veldra
