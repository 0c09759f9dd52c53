// The code-delay evaluation of a coded-track window's ends, and the codes an end is given
// by hand while it is not linked.

#include "logic/model_error.h"
#include "panels/track_panel.h"

#include "panels/board_window_host.h"
#include "platform/ascii_text.h"
#include "platform/runtime_error.h"
#include "platform/window_errors.h"

namespace veldra {

namespace {

constexpr std::string_view kTrx = "TRX.TRACK";
constexpr std::string_view kEcode = "ECODE.TRACK";
constexpr const char* kNoObject = "Object variable or With block variable not set";

// How far an in code is through its debounce: 0 idle and 3 steady are stable.
template <class Code>
int Stage(const Code& code) {
    return int(code.RecievedTwice()) + int(code.SetIt()) + int(code.CodeValue());
}

}  // namespace

template <class Body>
void TrackPanel::WithEnd(TrackSide side, Body&& body) {
    if (!Ready()) {
        return;
    }
    if (side == TrackSide::A) {
        body(*board_->TrackA());
    } else {
        body(*board_->TrackB());
    }
}

void TrackPanel::Tick(TrackSide side) {
    WithEnd(side, [this](auto& end) {
        if (IsType(kTrx)) {
            GuardModel(ProgressWindow::Keep, [&] { TrxStatus(end); });
        }
        if (IsType(kEcode)) {
            GuardModel(ProgressWindow::Keep, [&] { EcodeStatus(end); });
        }
    });
    std::int16_t& counter = counters_[Slot(side)];
    if (counter >= 3) {
        counter = 0;
        HandOff();
    } else {
        ++counter;
    }
    Changed.Raise();
}

bool TrackPanel::HandOff() {
    // Without a program nothing reaches the scan.
    if (pendingBits_.Count() == 0 || Host() == nullptr) {
        return false;
    }
    Host()->QueueTrack(pendingBits_);
    return true;
}

void TrackPanel::HandOffAndReset(TrackSide side) {
    if (HandOff()) {
        counters_[Slot(side)] = 0;
    }
}

template <TrackSide Side>
void TrackPanel::SetLinkUp(TrackEnd<Side>& end, bool on) {
    auto* code = end.InCode().Codes().Item(BitPrefix(Side) + ".LINKUP");
    if (code == nullptr) {
        throw RuntimeError(kNoObject);
    }
    code->SetCodeValue(on);
    code->SetRecievedTwice(on);
    code->SetSetIt(on);
}

// "A" alone received: the end is linked but its peer sends no codes; it goes between
// "SHUNT" and "LINKUP" on every tick.
template <TrackSide Side>
void TrackPanel::TrxStatus(TrackEnd<Side>& end) {
    const std::string received = ends_[Slot(Side)].received;
    const std::string status = ends_[Slot(Side)].status;
    if (received == "A") {
        const bool up = status == "SHUNT";
        SetStatus(Side, up ? "LINKUP" : "SHUNT");
        SetLinkUp(end, up);
        HandOffAndReset(Side);
    } else if (received.empty()) {
        SetStatus(Side, "SHUNT");
    } else if (status == "SHUNT" || status == "LINKUP") {
        const bool up = status == "SHUNT";
        SetStatus(Side, up ? "LINKUP" : "NORMAL");
        SetLinkUp(end, up);
        HandOffAndReset(Side);
        UpdatePass(end);
    } else if (status == "NORMAL") {
        EvaluateCodes(end);
    } else {
        UpdatePass(end);
    }
}

// An ECODE end recovers through "RECOVERING" while its peer sends the 1 rate; without it
// the end is in "Error" until shunted.
template <TrackSide Side>
void TrackPanel::EcodeStatus(TrackEnd<Side>& end) {
    const bool rateOne = ends_[Slot(Side)].received.find('1') != std::string::npos;
    const std::string status = ends_[Slot(Side)].status;
    if (status == "SHUNT") {
        if (rateOne) {
            SetStatus(Side, "RECOVERING");
            UpdatePass(end);
        }
    } else if (status == "RECOVERING") {
        SetStatus(Side, rateOne ? "NORMAL" : "Error");
        if (rateOne) {
            UpdatePass(end);
        }
    } else if (status == "NORMAL") {
        EvaluateCodes(end);
    }
}

// A code in transition runs a whole pass at once, so that codes changing together can
// finish within one tick; once every code is stable the end goes to the scan and rests.
template <TrackSide Side>
void TrackPanel::EvaluateCodes(TrackEnd<Side>& end) {
    auto& codes = end.InCode().Codes();
    const int count = codes.Count();
    int stable = 0;
    for (int i = 1; i <= count; ++i) {
        const int stage = Stage(*codes.Item(i));
        if (stage == 1 || stage == 2) {
            UpdatePass(end);
        } else {
            ++stable;
        }
    }
    if (stable >= count) {
        HandOffAndReset(Side);
        CodeDelayTimer(Side).SetEnabled(false);
    }
}

// A code comes on, and goes off, in two passes: first its first stage, then its value;
// it comes on only while the end is "NORMAL".
template <TrackSide Side>
void TrackPanel::UpdatePass(TrackEnd<Side>& end) {
    const bool normal = ends_[Slot(Side)].status == "NORMAL";
    for (auto& code : end.InCode().Codes()) {
        const bool received = code.RecievedTwice();
        const bool first = code.SetIt();
        const bool value = code.CodeValue();
        if (received && !value) {
            if (!first) {
                code.SetSetIt(true);
            } else if (normal) {
                code.SetCodeValue(true);
            }
        } else if (!received && value) {
            if (first) {
                code.SetSetIt(false);
            } else {
                code.SetCodeValue(false);
            }
        }
    }
}

void TrackPanel::ClickDelay(TrackSide side) {
    TrackEndView& view = ends_[Slot(side)];
    if (view.delay.usable) {
        view.delay.ticked = !view.delay.ticked;
        DelayRule(side);
        Changed.Raise();
    }
}

void TrackPanel::DelayRule(TrackSide side) {
    Timer& timer = CodeDelayTimer(side);
    if (ends_[Slot(side)].delay.ticked) {
        timer.SetInterval(10);
    } else if (IsType(kTrx)) {
        timer.SetInterval(6000);
    } else if (IsType(kEcode)) {
        timer.SetInterval(2500);
    }
}

void TrackPanel::ClickShunt(TrackSide side) {
    const TrackEndView& view = ends_[Slot(side)];
    if (view.shunt.usable) {
        SetShunt(side, !view.shunt.ticked);
        Changed.Raise();
    }
}

// A shunted end receives nothing: its codes drop at once, not after the code delay.
void TrackPanel::ShuntRule(TrackSide side) {
    TrackEndView& view = ends_[Slot(side)];
    const bool linked = drawing_ != nullptr && drawing_->EndLinked(side);
    if (!view.shunt.ticked) {
        view.shunt.usable = true;
        return;
    }
    if (!linked) {
        view.shunt.usable = false;
    }
    SetReceived(side, "");
    CodeDelayTimer(side).SetEnabled(false);
    counters_[Slot(side)] = 0;
    SetStatus(side, "SHUNT");
    WithEnd(side, [](auto& end) {
        for (auto& code : end.InCode().Codes()) {
            code.SetCodeValue(false);
            code.SetRecievedTwice(false);
            code.SetSetIt(false);
        }
    });
    HandOff();
}

void TrackPanel::ClickHandCode(TrackSide side, int index) {
    ReportWindowErrors([&] { WithEnd(side, [&](auto& end) { ReceiveByHand(end, index); }); });
    Changed.Raise();
}

// TDIN and SLEEPIN come in at their first stage already, and displace every other code.
template <TrackSide Side>
void TrackPanel::ReceiveByHand(TrackEnd<Side>& end, int index) {
    const std::vector<std::string>& list = ends_[Slot(Side)].handCodes;
    if (index < 0 || std::size_t(index) >= list.size()) {
        return;
    }
    const std::string entry = list[std::size_t(index)];
    SetShunt(Side, false);
    SetReceived(Side, entry);
    auto& codes = end.InCode().Codes();
    if (entry == "TDIN" || entry == "SLEEPIN") {
        for (auto& code : codes) {
            code.SetSetIt(false);
            code.SetRecievedTwice(false);
        }
        auto* code = codes.Item(BitPrefix(Side) + "." + entry);
        if (code == nullptr) {
            throw RuntimeError(kNoObject);
        }
        code->SetRecievedTwice(true);
        code->SetSetIt(true);
    } else {
        for (auto& code : codes) {
            code.SetRecievedTwice(false);
        }
        if (entry != "A" && entry != "SPARE") {
            auto* code = codes.Item(entry);
            if (code == nullptr) {
                throw RuntimeError(kNoObject);
            }
            code->SetRecievedTwice(true);
        }
    }
    CodeDelayTimer(Side).SetEnabled(true);
}

void TrackPanel::ClickRec(TrackSide side) {
    ReportWindowErrors([&] {
        WithEnd(side, [&](auto& end) { TestRates(end); });
        // Either end may have been given codes before: neither stays shunted then.
        for (const TrackSide each : {TrackSide::A, TrackSide::B}) {
            if (!ends_[Slot(each)].received.empty()) {
                SetShunt(each, false);
            }
        }
    });
    Changed.Raise();
}

// The rates the user sends replace what the end received; the end's delay starts only
// with the 1 rate, which an ECODE end needs to come out of "SHUNT".
template <TrackSide Side>
bool TrackPanel::TestRates(TrackEnd<Side>& end) {
    auto& codes = end.InCode().Codes();
    CodeTester tester;
    GuardModel(ProgressWindow::Keep, [&] { tester.Mark(codes); });
    if (drawing_ == nullptr || !drawing_->RunCodeTester(tester)) {
        return false;
    }
    tester.Send(codes);
    SetReceived(Side, "");
    const auto* rateOne = codes.Item(CodePrefix(Side) + "1.IN");
    if (rateOne == nullptr) {
        throw RuntimeError(kNoObject);
    }
    if (rateOne->RecievedTwice()) {
        CodeDelayTimer(Side).SetEnabled(true);
    }
    std::string caption;
    for (const auto& code : codes) {
        if (code.RecievedTwice()) {
            if (!caption.empty()) {
                caption += ", ";
            }
            const std::size_t at = code.CodeName().find(".CODE.");
            caption += UpperCased(at == std::string::npos ? std::string()
                                                          : code.CodeName().substr(at + 6));
        }
    }
    SetReceived(Side, caption);
    return true;
}

// The link's own codes are not statements' results.
void TrackPanel::MouseUpTransmit(TrackSide side, MouseButton button) {
    if (button != MouseButton::Right) {
        return;
    }
    std::vector<std::string> sending;
    WithEnd(side, [&](auto& end) {
        for (const auto& code : end.OutCode().Codes()) {
            const std::string& name = code.CodeName;
            const std::string tail = name.size() >= 6 ? name.substr(name.size() - 6) : name;
            if (!name.empty() && tail != "LINKUP" && tail != "NORMAL" && name != "SPARE" &&
                code.CodeValue) {
                sending.push_back(name);
            }
        }
    });
    for (const std::string& name : sending) {
        ShowBitAssign(name);
    }
}

}  // namespace veldra
