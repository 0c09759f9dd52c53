#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace veldra {

class Clock;

// The activity record of the running simulation: a ring of 301 slots of 100 characters,
// each entry a "hh:mm:ss" stamp, a line break and its text. While the program runs, the
// window paints the last ten entries; while it is stopped, entries move at once into a
// selectable text and their slots are blanked.
class ImmediateWindow {
public:
    static constexpr int kSlots = 301;
    static constexpr std::size_t kSlotWidth = 100;
    static constexpr std::string_view kLineBreak = "\r\n";

    explicit ImmediateWindow(const Clock& clock);

    // Running: entries stay in the ring and are painted; stopped: they go to the text.
    void SetRunning(bool running) { running_ = running; }
    bool Running() const { return running_; }

    // Writes one stamped entry, or a second slot without stamp (a numeric value's).
    void WriteEntry(std::string_view text);
    void WriteUnstamped(std::string_view text);
    // Writes the current slot without advancing: the next entry takes that slot again.
    void WriteInPlace(std::string_view text);

    // What follows every write but a filtered one: a repaint while running; while
    // stopped, the entries written since `startSlot` move to the text.
    void Display(int startSlot);

    // Rebuilds the text from the whole ring, oldest first, blanking the slots it takes.
    void FillStatusText();
    // Empties the ring and the text, as a freshly opened window has them.
    void Clear();

    int StatusIndex() const { return statusIndex_; }
    bool StatusFilled() const { return statusFilled_; }
    // A slot's stored text; nothing when it was never written.
    std::optional<std::string> Slot(int index) const;

    // The ten entries before StatusIndex, oldest first, as painted while running.
    std::string PaintedText() const;
    // The selectable text shown while stopped.
    const std::string& StatusText() const { return statusText_; }

    // Called after every change of what the window shows.
    std::function<void()> changed;
    // Called with each stamped entry as the log file takes it: stamp, line break, text.
    std::function<void(std::string_view)> logged;

private:
    // Fixed width, so that writing an entry in a busy scan allocates nothing.
    struct StoredSlot {
        std::array<char, kSlotWidth> text;
        bool written = false;
        std::string_view View() const { return {text.data(), text.size()}; }
    };

    // Writes the parts one after the other into the current slot, cut or padded to width.
    void Store(std::initializer_list<std::string_view> parts);
    void NextStatusLine();
    void MoveSlotToText(int index);

    const Clock& clock_;
    std::array<StoredSlot, kSlots> slots_{};
    int statusIndex_ = 0;
    bool statusFilled_ = false;
    bool running_ = false;
    std::string statusText_;
};

}  // namespace veldra
