#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/board_panel.h"
#include "platform/event.h"
#include "platform/panel_controls.h"

namespace veldra {

class BoardWindowHost;
class PendingInputs;

// What every board window shares beneath its drawing: it never writes the running logic
// but leaves each change the user makes in the program's pending inputs for the next scan;
// it keeps its board until it is closed for good (closing it by hand only minimises it);
// and it has an "Enabled" box that posts the board's ".ENABLED" bit whenever it changes.
class BoardWindow : public BoardPanel {
public:
    ~BoardWindow() override = default;
    BoardWindow(const BoardWindow&) = delete;
    BoardWindow& operator=(const BoardWindow&) = delete;

    std::string Caption() const override { return caption_; }

    // The protocol members the program sends. Each is answered by the window kind and then
    // raises Changed, so that the drawing follows what the program did.
    void CreateimgIndic() final;
    void UpdateIndicators() final;
    void UpdateOutput(std::string_view BitName, bool BitValue) final;
    void UpdateOutputAt(int Index, std::string_view BitName, bool BitValue,
                        std::uint32_t revision) final;
    void LoadState(std::string_view BitName, bool BitValue) final;

    // Stores the close flag, then asks the window to close; raises Changed.
    void CloseWindow(bool close) final;
    // The window is asked to close (by CloseWindow or by the user): with the close flag set
    // it lets its board go and closes, true; otherwise it only minimises, false.
    bool RequestClose();
    bool Closed() const override { return closed_; }
    bool Minimised() const { return minimised_; }

    void SetStartSize() override { size_ = StartSize(); }
    virtual WindowSize StartSize() const { return {}; }
    // The largest size the user may give the window; a zero side has no limit.
    virtual WindowSize MaximumSize() const { return {}; }
    WindowSize Size() const { return size_; }
    // The user resized the window: a side beyond the maximum is set back to it.
    void Resize(WindowSize wanted);

    // The "Enabled" box, and the label that repeats the caption.
    const CheckBox& EnabledBox() const { return enabledBox_; }
    const std::string& BoardNameLabel() const { return caption_; }
    // The user clicks the "Enabled" box: it changes when it is usable; raises Changed.
    void ClickEnabled();

    // The program the window asks to open statements, write lines and take its bits; given
    // by whoever makes the window, before anything is asked of it.
    void SetHost(BoardWindowHost& host) { host_ = &host; }
    // Writes a line in the program's immediate window, in the shape a link button takes.
    const std::function<void(const std::string&)>& LineWriter() const { return lineWriter_; }

    // Raised after every protocol member, when what the window shows may have changed.
    Event<> Changed;

protected:
    explicit BoardWindow(PendingInputs& IOBits);

    virtual void OnCreateimgIndic() {}
    virtual void OnUpdateIndicators() {}
    virtual void OnUpdateOutput(std::string_view BitName, bool BitValue) {
        (void)BitName, (void)BitValue;
    }
    // False when the window already showed the value there, so that nothing is drawn.
    virtual bool OnUpdateOutputAt(int Index, std::string_view BitName, bool BitValue,
                                  std::uint32_t revision) {
        (void)Index, (void)revision;
        OnUpdateOutput(BitName, BitValue);
        return true;
    }
    virtual void OnLoadState(std::string_view BitName, bool BitValue) {
        (void)BitName, (void)BitValue;
    }
    // Lets the board go for good.
    virtual void ReleaseBoard() {}

    // Adds or sets a bit in the pending inputs, with no delays.
    void Post(std::string_view BitName, bool BitValue);
    void ShowBitAssign(std::string_view BitName) const;
    // None until the window is given one.
    BoardWindowHost* Host() const { return host_; }
    // The message for a name sent to a window that does not show it.
    static void ReportBitNotFound(const std::string& text, const std::string& title);

    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    // Ticks or clears the "Enabled" box; a change runs EnabledBoxChanged.
    void SetEnabledBox(bool ticked);
    // Usable with the tool tip "Board is adjustable", or unusable with
    // "Board is not adjustable".
    void ShowAdjustable(bool adjustable);
    void SetEnabledBoxUsable(bool usable) { enabledBox_.usable = usable; }
    // What a change of the box does: posts EnabledBitName with the box's state.
    virtual void EnabledBoxChanged();
    virtual std::string EnabledBitName() const { return {}; }

    WindowSize size_;

private:
    PendingInputs& ioBits_;
    BoardWindowHost* host_ = nullptr;
    // Lives as long as the window: a link button keeps a reference to it.
    const std::function<void(const std::string&)> lineWriter_;
    std::string caption_;
    CheckBox enabledBox_{"Enabled"};
    bool closeFlag_ = false;
    bool closed_ = false;
    bool minimised_ = false;
};

// A board window over one board model: it holds the board the loader gives it until it is
// closed for good, hears what the board announces while it is read, and posts the board's
// ".ENABLED" bit under the board's name (a serial station's port name).
template <class Board>
class BoardWindowOf : public BoardWindow {
public:
    Board* MyBoard() const { return board_.get(); }
    // Takes the board before any item is added to it; what the window heard of the board
    // before is let go first.
    void SetMyBoard(std::unique_ptr<Board> board) {
        heard_.clear();
        board_ = std::move(board);
        if (board_ != nullptr) {
            Hear(*board_);
        }
    }

protected:
    using BoardWindow::BoardWindow;

    // Subscribes, through Keep, to what a new board announces.
    virtual void Hear(Board& board) { (void)board; }
    void Keep(Subscription subscription) { heard_.push_back(std::move(subscription)); }

    void ReleaseBoard() override { SetMyBoard(nullptr); }
    std::string EnabledBitName() const override {
        return board_ == nullptr ? std::string() : EnabledBitOwner() + std::string(kEnabled);
    }
    // Whether the name is EnabledBitName, told without building it (the scan's pushes ask).
    bool IsEnabledBit(std::string_view name) const {
        if (board_ == nullptr) {
            return false;
        }
        const std::string& owner = EnabledBitOwner();
        return name.size() == owner.size() + kEnabled.size() && name.starts_with(owner) &&
               name.ends_with(kEnabled);
    }

    // Read freely by the window kinds; replaced only through SetMyBoard.
    std::unique_ptr<Board> board_;

private:
    static constexpr std::string_view kEnabled = ".ENABLED";
    // What the ".ENABLED" bit is named after: a serial station's port, any other board.
    const std::string& EnabledBitOwner() const {
        if constexpr (requires { board_->PortName(); }) {
            return board_->PortName();
        } else {
            return board_->BoardName();
        }
    }
    // Let go before the board they were heard from.
    std::vector<Subscription> heard_;
};

}  // namespace veldra
