#pragma once

#include <memory>
#include <vector>

#include "panels/board_window_factory.h"
#include "platform/event.h"
#include "platform/hash_growth.h"

namespace veldra {

class BoardWindowHost;
class PendingInputs;
class PanelDesktop;

// The board windows of a program run without a display: the windows' halves alone, kept
// in the order they were made. It is the maker the loader uses in tests and headless runs,
// and the list load completion walks.
class PanelSet final : public BoardWindowFactory {
public:
    // User changes on every window made go to IOBits, the program's pending inputs; every
    // window made asks `program`, and `desktop` draws it. Without a desktop the toggle
    // window estimates its names' widths.
    explicit PanelSet(PendingInputs& IOBits, BoardWindowHost* program = nullptr,
                      PanelDesktop* desktop = nullptr);
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

    // Raised for every window made, once, as it is made and before the desktop draws it.
    Event<BoardPanel&> WindowMade;

private:
    template <class Window, class... Args>
    Window& Make(Args&&... args);
    // Keeps a window just made, raises WindowMade and has the desktop draw it by its kind.
    template <class Window>
    Window& Keep(std::unique_ptr<Window> window);

    PendingInputs& ioBits_;
    BoardWindowHost* program_;
    PanelDesktop* desktop_;
    // Board, toggle and table windows alike, in the order they were made.
    std::vector<std::unique_ptr<BoardPanel>> windows_;
    // Asked once per window a board shows: a set, so that many boards cost no more each.
    HashSet<const BoardPanel*> shown_;
    TogglePanel* toggle_ = nullptr;
};

}  // namespace veldra
