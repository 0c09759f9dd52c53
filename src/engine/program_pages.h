#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/bit_status_page.h"
#include "engine/numeric_editor.h"
#include "engine/timer_page.h"
#include "platform/event.h"
#include "platform/help_topics.h"

namespace veldra {

class ProgramEngine;

// The tabs of the program window, left to right.
enum class ProgramPage { ImmediateWindow, ForceBit, BitStatus, UserBits, UserNumeric, TimeQue };

// The pages of the program window, the engineer's way into the running application:
// the immediate window, forcing bits and numbers, the bit status grid with its finder,
// the user bits, the user numerics and the running delay timers. A forced change only
// queues the statements that read the bit; the next scan tick solves them.
class ProgramPages {
public:
    // The window is never larger than this in its normal state, in twips.
    static constexpr int kMaxWidthTwips = 7125;
    static constexpr int kMaxHeightTwips = 7035;

    // One line of a check list: a bit name, ticked while the bit is True.
    struct CheckLine {
        std::string name;
        bool checked = false;
    };

    explicit ProgramPages(ProgramEngine& engine);

    static std::string_view TabCaption(ProgramPage page);

    // The lists were rebuilt by load completion (ProgramWindow::DisplaysChanged).
    void DisplaysChanged();

    // A tab was chosen: its page is built from the bits as they are now and shown.
    void ShowPage(ProgramPage page);
    ProgramPage Page() const { return page_; }
    // Whether the timer service writes its lines now (ProgramWindow::TimeQuePageShown).
    bool TimeQuePageShown() const { return page_ == ProgramPage::TimeQue; }
    // The frame the shown page stands in, its caption and its help topic.
    int ShownFrame() const;
    std::string_view FrameCaption() const;
    HelpTopic ShownTopic() const { return PageTopic(page_); }
    // What What's This shows on a page: the force frame carries 27 on "Force Bit" and 31
    // on "User Bits".
    static HelpTopic PageTopic(ProgramPage page);

    // The "Force Bit" check list (every Boolean bit, in list order) and the "User Bits"
    // check list (in the order of the source). The ticks are those of the moment the
    // page was entered, and those the engineer set since. The Force Bit list is put in
    // order when first asked for after a load, not while the program opens.
    const std::vector<CheckLine>& ForceBitList();
    const std::vector<CheckLine>& UserBitList() const { return userBits_; }

    // The engineer ticked or cleared a line: the bit is forced to that value.
    void CheckForceBit(int line, bool checked);
    void CheckUserBit(int line, bool checked);
    // Forces a bit: a running delay timer of it is dropped, the bit takes the value with
    // its change rules, and the statements that read it are queued for the next scan
    // tick, even when its value did not change.
    void ForceBit(std::string_view name, bool value);

    // The value lists: of the "User Numeric" page and of the "Force Bit" page.
    NumericEditor& UserNumerics() { return userNumerics_; }
    NumericEditor& ForceNumerics() { return forceNumerics_; }
    BitStatusPage& Status() { return status_; }
    TimerPage& Timers() { return timers_; }

    // Raised after the shown page or a check list changed.
    Event<> Changed;

private:
    void Check(std::vector<CheckLine>& list, int line, bool checked);
    void TickFromBits(std::vector<CheckLine>& list);
    void FillForceBits();
    void TickForceBits();

    ProgramEngine& engine_;
    ProgramPage page_ = ProgramPage::ImmediateWindow;
    std::vector<CheckLine> forceBits_;
    // The status row (the bit's vIndex) of each Force Bit line, to tick it without a look-up
    // by name.
    std::vector<std::uint32_t> forceRows_;
    bool forceBitsStale_ = true;
    std::vector<CheckLine> userBits_;
    NumericEditor userNumerics_;
    NumericEditor forceNumerics_;
    BitStatusPage status_;
    TimerPage timers_;
};

}  // namespace veldra
