#include "engine/program_pages.h"

#include <array>

#include "engine/program_engine.h"
#include "engine/sorted_names.h"
#include "engine/status_rows.h"
#include "platform/window_errors.h"

namespace veldra {

ProgramPages::ProgramPages(ProgramEngine& engine)
    : engine_(engine),
      userNumerics_(engine),
      forceNumerics_(engine),
      status_(engine),
      timers_(engine) {}

std::string_view ProgramPages::TabCaption(ProgramPage page) {
    static constexpr std::array<std::string_view, 6> kCaptions = {
        "Immediate Window", "Force Bit", "Bit Status", "User Bits", "User Numeric", "Time Que"};
    return kCaptions[std::size_t(page)];
}

void ProgramPages::DisplaysChanged() {
    const ProgramEngine::Displays& lists = engine_.Lists();
    forceBits_.clear();
    forceRows_.clear();
    forceBitsStale_ = true;
    userBits_.clear();
    for (const std::string& name : lists.userBits) {
        userBits_.push_back({name, false});
    }
    TickFromBits(userBits_);
    userNumerics_.Fill(lists.userNumerics);
    forceNumerics_.Fill(lists.numericBits);
    status_.DisplaysChanged();
    timers_.DisplaysChanged();
    if (page_ == ProgramPage::BitStatus) {
        status_.Enter();
    }
    Changed.Raise();
}

void ProgramPages::ShowPage(ProgramPage page) {
    page_ = page;
    if (page == ProgramPage::BitStatus) {
        status_.Enter();
    } else {
        status_.Leave();
    }
    switch (page) {
        case ProgramPage::ForceBit:
            if (forceBitsStale_) {
                FillForceBits();
            } else {
                TickForceBits();
            }
            forceNumerics_.Rebuild();
            break;
        case ProgramPage::UserBits:
            TickFromBits(userBits_);
            break;
        case ProgramPage::UserNumeric:
            userNumerics_.Rebuild();  // every numeric bit, not only the user numerics
            break;
        default:
            break;
    }
    Changed.Raise();
}

int ProgramPages::ShownFrame() const {
    static constexpr std::array<int, 6> kFrames = {0, 1, 2, 1, 4, 3};
    return kFrames[std::size_t(page_)];
}

std::string_view ProgramPages::FrameCaption() const {
    static constexpr std::array<std::string_view, 6> kCaptions = {
        "Immediate Windows", "Force Bit Change", "Bit Status",
        "Change User Bit",   "User Numeric",     "Running Timers"};
    return kCaptions[std::size_t(page_)];
}

HelpTopic ProgramPages::PageTopic(ProgramPage page) {
    static constexpr std::array<HelpTopic, 6> kTopics = {
        HelpTopic::ImmediateWindow, HelpTopic::ForceBitChange, HelpTopic::BitStatus,
        HelpTopic::ChangeUserBit,   HelpTopic::UserNumeric,    HelpTopic::TimeQue};
    return kTopics[std::size_t(page)];
}

const std::vector<ProgramPages::CheckLine>& ProgramPages::ForceBitList() {
    if (forceBitsStale_) {
        FillForceBits();
    }
    return forceBits_;
}

void ProgramPages::FillForceBits() {
    forceBitsStale_ = false;
    const NameList& rows = engine_.Lists().statusRows;
    const std::vector<std::uint32_t> order = ListOrder(rows);
    forceBits_.clear();
    forceBits_.reserve(order.size());
    forceRows_.assign(order.begin(), order.end());
    for (const std::uint32_t row : order) {
        forceBits_.push_back({std::string(rows[row]), false});
    }
    TickForceBits();
}

void ProgramPages::TickForceBits() {
    // A line's bit is found by its row in the status list, not by name.
    const NameList& rows = engine_.Lists().statusRows;
    std::vector<std::uint8_t> values(rows.size(), 0);
    if (const BooleanBits* bits = engine_.PrgBooleanBits()) {
        ForEachBitAtItsRow(
            *bits, rows.size(), [&rows](std::size_t row) { return rows[row]; },
            [&values](std::size_t row, const BooleanBit& bit) {
                values[row] = bit.BitValue() ? 1 : 0;
            });
    }
    for (std::size_t line = 0; line < forceBits_.size(); ++line) {
        forceBits_[line].checked = values[forceRows_[line]] != 0;
    }
}

void ProgramPages::TickFromBits(std::vector<CheckLine>& list) {
    const BooleanBits* bits = engine_.PrgBooleanBits();
    for (CheckLine& line : list) {
        const BooleanBit* bit = bits != nullptr ? bits->Find(line.name) : nullptr;
        line.checked = bit != nullptr && bit->BitValue();
    }
}

void ProgramPages::CheckForceBit(int line, bool checked) {
    ForceBitList();
    Check(forceBits_, line, checked);
}

void ProgramPages::CheckUserBit(int line, bool checked) {
    Check(userBits_, line, checked);
}

void ProgramPages::Check(std::vector<CheckLine>& list, int line, bool checked) {
    if (line < 0 || line >= int(list.size())) {
        return;
    }
    list[std::size_t(line)].checked = checked;
    // A copy: a "Bit Watch" box shown while the bit changes may let the lists be rebuilt.
    const std::string name = list[std::size_t(line)].name;
    ForceBit(name, checked);
    Changed.Raise();
}

void ProgramPages::ForceBit(std::string_view name, bool value) {
    ReportWindowErrors([&] {
        BooleanBits* bits = engine_.PrgBooleanBits();
        // Fetched with Item, as every bit about to change is: the status grid follows it.
        BooleanBit* bit = bits != nullptr ? bits->Item(name) : nullptr;
        if (bit == nullptr) {
            return;
        }
        if (bit->IsTimer() && engine_.DelayTimerRunning(name)) {
            engine_.CancelTimer(name);
        }
        bit->SetBitValue(value, false);
        engine_.AddQue(name);
        engine_.RequestScan();
    });
}

}  // namespace veldra
