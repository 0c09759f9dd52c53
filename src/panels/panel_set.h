#pragma once

#include <absl/container/flat_hash_set.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "panels/board_window_factory.h"

namespace veldra {

class BoardWindow;
class BooleanBits;
class PendingInputs;

// The board windows of a program run without a display: the windows' halves alone, kept
// in the order they were made. It is the maker the loader uses in tests and headless runs,
// and the list load completion walks.
class PanelSet final : public BoardWindowFactory {
public:
    // User changes on every window made go to IOBits, the program's pending inputs.
    explicit PanelSet(PendingInputs& IOBits);
    ~PanelSet() override;
    PanelSet(const PanelSet&) = delete;
    PanelSet& operator=(const PanelSet&) = delete;

    IOBoardPanel& NewIOBoardWindow() override;
    InOutBoardPanel& NewInOutBoardWindow() override;
    Lamp16Panel& NewLampWindow() override;
    TrackPanel& NewTrackWindow() override;
    MXLampPanel& NewMXLampWindow() override;
    ASESPanel& NewASESWindow() override;
    SerialPortPanel& NewSerialPortWindow() override;
    TogglePanel& ToggleWindow() override;
    BoardPanel& NewTableWindow(Table& table) override;
    void ShowWindow(BoardPanel& window) override;

    // The open windows, oldest first, as load completion takes them.
    std::vector<BoardPanel*> Windows() const;
    bool Shown(const BoardPanel& window) const;

    // Closes every window for good, newest first, and forgets them.
    void CloseAll();

    // Opens a bit's statement view; handed to every window made afterwards.
    std::function<void(const std::string&)> showBitAssign;
    // Writes a line in the program's immediate window; handed to every window made
    // afterwards.
    std::function<void(const std::string&)> writeLine;
    // Told of every window made, once, as it is made: where a desktop adds its drawing.
    std::function<void(BoardPanel&)> windowMade;
    // Told of every window shown, as it is shown.
    std::function<void(BoardPanel&)> windowShown;
    // Queues a coded-track window's pending bits for the next scan; handed to every
    // coded-track window made afterwards.
    std::function<void(BooleanBits&)> queueTrack;
    // Measures a name in the toggle window's font, in twips; an estimate without a display.
    std::function<int(std::string_view)> toggleTextWidth;

private:
    template <class Window, class... Args>
    Window& Make(Args&&... args);

    PendingInputs& ioBits_;
    // Board, toggle and table windows alike, in the order they were made.
    std::vector<std::unique_ptr<BoardPanel>> windows_;
    // Asked once per window a board shows: a set, so that many boards cost no more each.
    absl::flat_hash_set<const BoardPanel*> shown_;
    TogglePanel* toggle_ = nullptr;
};

}  // namespace veldra
