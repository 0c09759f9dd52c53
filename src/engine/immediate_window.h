#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/event.h"

namespace veldra {

// The activity record of the running simulation: a ring of 301 slots of 100 characters,
// each entry a "hh:mm:ss" stamp, a line break and its text. While the program runs, the
// window paints the last ten entries; while it is stopped, entries move at once into a
// selectable text and their slots are blanked.
//
// A busy scan writes one entry per changed bit, and all but the last few are overwritten
// unseen: a bit's change is kept as its moment, value and name, and becomes text only when
// it is shown, logged or read.
class ImmediateWindow {
public:
    static constexpr int kSlots = 301;
    static constexpr std::size_t kSlotWidth = 100;
    static constexpr std::string_view kLineBreak = "\r\n";

    explicit ImmediateWindow(const Clock& clock);

    // Running: entries stay in the ring and are painted; stopped: they go to the text.
    void SetRunning(bool running) {
        running_ = running;
        paintAsked_ = false;
    }
    bool Running() const { return running_; }

    // Writes one stamped entry, or a second slot without stamp (a numeric value's).
    void WriteEntry(std::string_view text);
    // Writes one stamped entry that is not logged (a numeric value's first slot).
    void WriteUnloggedEntry(std::string_view text);
    void WriteUnstamped(std::string_view text);
    // Writes the current slot without advancing: the next entry takes that slot again.
    void WriteInPlace(std::string_view text);
    // Writes one stamped entry of a bit's change: "Setting bit: NAME" or "Clearing bit: NAME".
    void WriteBitEntry(std::string_view BitName, bool vValue);

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

    // The ten entries before StatusIndex, oldest first, as painted while running. Reading
    // them lets the next entry tell the window again.
    std::string PaintedText() const;
    // The selectable text shown while stopped.
    const std::string& StatusText() const { return statusText_; }

    // Raised after every change of what the window shows; while running, only at the
    // first change after the painted text was last read, since a scan writes many entries
    // between two paints and the window paints only the last ten.
    Event<> Changed;
    // Raised with each stamped entry as the log file takes it: stamp, line break, text.
    Event<std::string_view> Logged;

private:
    enum class SlotKind : std::uint8_t { Unwritten, Text, BitChange };
    // Fixed width, so that writing an entry in a busy scan allocates nothing. A text entry
    // holds its characters, the rest of the width being blanks; a bit's change holds the
    // bit's name (as much of it as the width can show), so that the entry stays whole when
    // the bit goes with its program.
    struct StoredSlot {
        std::array<char, kSlotWidth> text;
        std::uint8_t length = 0;
        SlotKind kind = SlotKind::Unwritten;
        bool value = false;
        TimeOfDay time;
    };

    // Writes the parts one after the other into the current slot, cut to width.
    void Store(std::initializer_list<std::string_view> parts);
    // The slot's entry as the window shows it: cut or padded to the full width.
    static void AppendSlot(const StoredSlot& slot, std::string& to);
    void NextStatusLine();
    void MoveSlotToText(int index);

    const Clock& clock_;
    std::array<StoredSlot, kSlots> slots_{};
    int statusIndex_ = 0;
    bool statusFilled_ = false;
    bool running_ = false;
    mutable bool paintAsked_ = false;  // told of a change the painted text does not show yet
    std::string statusText_;
};

}  // namespace veldra
