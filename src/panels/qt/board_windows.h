#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string_view>
#include <vector>

#include "panels/panel_desktop.h"
#include "panels/panel_set.h"
#include "platform/hash_growth.h"

namespace veldra {

class BoardForm;
class BoardWindowHost;
class PendingInputs;

// The board windows of a program on the desktop: the windows' halves are made as without a
// display, by the panel set the loader is given, and as each is made the I/O, mixed I/O,
// toggle-bits, lamp-driver, encoder, signal-head, coded-track and serial-station windows
// get their drawing, placed among the main window's child windows once the loader has
// filled them (the toggle window at once, since the loader never shows it); the
// coded-track windows open the code tester modally over themselves. The halves live as
// long as this owner, so a bit bound to a window that was closed for good still finds its
// half; a drawing still open when the owner goes goes with it.
class BoardWindows final : public QObject, private PanelDesktop {
    Q_OBJECT

public:
    // `place` gives a window its frame and shows it; every window made asks `program`.
    BoardWindows(PendingInputs& IOBits, std::function<void(QWidget&)> place,
                 BoardWindowHost& program);
    ~BoardWindows() override;
    BoardWindows(const BoardWindows&) = delete;
    BoardWindows& operator=(const BoardWindows&) = delete;

    // The maker the loader gets the windows from; each window it makes comes drawn.
    PanelSet& Halves() { return halves_; }

    // The open windows' halves, oldest first, as load completion takes them.
    std::vector<BoardPanel*> Windows() const { return halves_.Windows(); }
    // The drawing of a half, while it is open; none for the kinds drawn headless.
    QWidget* WindowOf(const BoardPanel& half) const;
    // Every placed window drawn now as its half holds it (caption, size), rather than at
    // the next turn: what arranging the windows, or a view finding them by caption, needs.
    void DrawPlaced();

Q_SIGNALS:
    // A link window's started link was pressed with the right button: the main window's
    // "Refresh" menu is wanted.
    void refreshMenuAsked();

private:
    // Each half just made gets the drawing of its kind.
    void Made(IOBoardPanel& half) override;
    void Made(InOutBoardPanel& half) override;
    void Made(Lamp16Panel& half) override;
    void Made(TrackPanel& half) override;
    void Made(MXLampPanel& half) override;
    void Made(ASESPanel& half) override;
    void Made(SerialPortPanel& half) override;
    void Made(TogglePanel& half) override;
    // A state table's window is drawn by the program window.
    void Made(TableWindow& half) override { (void)half; }
    template <class Form, class Half>
    void Drawn(Half& half);
    // Places a half's drawing the first time the half is shown.
    void Shown(BoardPanel& half) override;
    int TextWidth(std::string_view text) const override;

    PanelSet halves_;
    std::function<void(QWidget&)> place_;
    struct Drawing {
        QPointer<BoardForm> form;
        bool placed = false;
    };
    HashMap<const BoardPanel*, Drawing> forms_;
};

}  // namespace veldra
