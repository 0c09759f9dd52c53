#pragma once

#include <absl/container/flat_hash_map.h>

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "panels/board_window_factory.h"
#include "panels/panel_set.h"

namespace veldra {

class BoardForm;
class BooleanBits;

// The board windows of a program on the desktop: each window's half is made as without a
// display, and the I/O, mixed I/O, toggle-bits, lamp-driver, encoder, signal-head,
// coded-track and serial-station windows get their drawing, placed among the main window's
// child windows once the loader has filled them (the toggle window at once, since the
// loader never shows it); the coded-track windows open the code tester modally over
// themselves. The halves live as long as this maker, so a bit bound to a window that was
// closed for good still finds its half; a drawing still open when the maker goes goes with
// it.
class BoardWindows final : public BoardWindowFactory {
public:
    // `place` gives a window its frame and shows it; `showBitAssign` opens a bit's
    // statement for every window made.
    BoardWindows(BooleanBits& IOBits, std::function<void(QWidget&)> place,
                 std::function<void(const std::string&)> showBitAssign);
    ~BoardWindows() override;
    BoardWindows(const BoardWindows&) = delete;
    BoardWindows& operator=(const BoardWindows&) = delete;

    IOBoardPanel& NewIOBoardWindow() override;
    InOutBoardPanel& NewInOutBoardWindow() override;
    Lamp16Panel& NewLampWindow() override;
    TrackPanel& NewTrackWindow() override;
    MXLampPanel& NewMXLampWindow() override;
    ASESPanel& NewASESWindow() override;
    SerialPortPanel& NewSerialPortWindow() override;
    TogglePanel& ToggleWindow() override;
    BoardPanel& NewTableWindow(Table& table) override { return halves_.NewTableWindow(table); }
    void ShowWindow(BoardPanel& window) override;

    // Where coded-track windows queue their received bits for the scan.
    void SetTrackQueue(std::function<void(BooleanBits&)> queue) {
        halves_.queueTrack = std::move(queue);
    }
    // Where the board windows write their lines: the program's immediate window.
    void SetWriteLine(std::function<void(const std::string&)> writeLine) {
        halves_.writeLine = std::move(writeLine);
    }
    // Offers the main window's "Refresh" menu, for a link window's right press.
    void SetRefreshMenu(std::function<void()> refreshMenu) {
        refreshMenu_ = std::move(refreshMenu);
    }
    // Told of every window made, once, as it is made.
    void SetWindowMade(std::function<void(BoardPanel&)> made) {
        halves_.windowMade = std::move(made);
    }

    // The open windows' halves, oldest first, as load completion takes them.
    std::vector<BoardPanel*> Windows() const { return halves_.Windows(); }
    // The drawing of a half, while it is open; none for the kinds drawn headless.
    QWidget* WindowOf(const BoardPanel& half) const;
    // Every placed window drawn now as its half holds it (caption, size), rather than at
    // the next turn: what arranging the windows, or a view finding them by caption, needs.
    void DrawPlaced();

private:
    template <class Form, class Half>
    Half& Drawn(Half& half);
    void Place(BoardForm& form);

    PanelSet halves_;
    std::function<void(QWidget&)> place_;
    std::function<void()> refreshMenu_;
    struct Drawing {
        QPointer<BoardForm> form;
        bool placed = false;
    };
    absl::flat_hash_map<const BoardPanel*, Drawing> forms_;
    const TogglePanel* toggle_ = nullptr;
};

}  // namespace veldra
