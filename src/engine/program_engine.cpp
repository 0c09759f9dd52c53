#include "engine/program_engine.h"

#include <algorithm>
#include <exception>

#include "engine/program_window.h"
#include "logic/model_error.h"
#include "platform/platform.h"
#include "platform/window_errors.h"

namespace veldra {
namespace {

// How many bits or queued statements ahead of the one in hand are fetched into the cache.
constexpr std::size_t kPrefetchDistance = 8;

}  // namespace

ProgramEngine::ProgramEngine(ProgramWindow& window, const Clock& clock)
    : hostScope_(*this),
      tmrProgram(50, [this] { tmrProgram_Timer(); }),
      StartTimer(100, [this] { StartTimer_Timer(); }),
      desktopTurns_(clock),
      window_(window),
      status_(clock) {
    statusChanged_ = status_.Changed.Subscribe([this] { window_.StatusChanged(); });
}

ProgramEngine::~ProgramEngine() = default;

// ---------------------------------------------------------------------------------------
// Run control

void ProgramEngine::StartStop() {
    if (!running_) {
        BooleanBit* cps = prgBooleanBits_ ? prgBooleanBits_->Find("CPS.STATUS") : nullptr;
        if (cps != nullptr && !cps->BitValue() &&
            MsgBox("SET CPS.STATUS?", MsgButtons::YesNo, MsgIcon::Question,
                   "CPS.STATUS IS CLEAR (FALSE)") == MsgAnswer::Yes) {
            // Yes means the bit is to be set, whatever the menu's check mark showed.
            IOBits.Add("CPS.STATUS", true);
            cpsChecked_ = true;
        }
        if (!StatementsQueued && prgBooleanBits_) {
            const Hold hold(*this);
            status_.WriteInPlace("Placing all statements on que for evaluation..." +
                                 std::string(ImmediateWindow::kLineBreak));
            window_.DoEvents();
            if (!ProgramLoaded()) {
                return;  // closed while the desktop ran: nothing is left to start
            }
            EnsureMapped();
            // Slots follow the bits' order in the collection: walking them walks the bits
            // in order without a look at each bit.
            // Every board bit is recorded, to be pushed at the scan's end: as one sweep.
            const bool swept = prgBooleanBits_ &&
                               map_.SlotCount() <= prgBooleanBits_->SlotCount() &&
                               ChangedBits.BeginSweep(map_.BitLayout());
            for (std::uint32_t slot = 0; prgBooleanBits_ && slot < map_.SlotCount(); ++slot) {
                if (map_.Held(slot)) {
                    QueueReadersAt(slot, swept);
                }
            }
            StatementsQueued = true;
        }
        running_ = true;
        status_.SetRunning(true);
        tmrProgram.SetEnabled(true);
        StartTimer.SetEnabled(true);
    } else {
        tmrProgram.SetEnabled(false);
        StartTimer.SetEnabled(false);
        blnSolving = false;
        running_ = false;
        status_.SetRunning(false);
        status_.FillStatusText();
    }
    window_.RunStateChanged();
}

void ProgramEngine::StopRun() {
    if (running_) {
        StartStop();
        return;
    }
    tmrProgram.SetEnabled(false);
    StartTimer.SetEnabled(false);
    blnSolving = false;
}

void ProgramEngine::EditFaultyStatement(Statement& statement) {
    window_.EditFaultyStatement(statement);
}

// ---------------------------------------------------------------------------------------
// The scan

// The scan's queues, the desktop and the run state, as the pass loop works on them.
class ProgramEngine::ScanWork final : public PassLoop::Work {
public:
    explicit ScanWork(ProgramEngine& engine) : engine_(engine) {}

    // The window thins these out; the tick's clock gives the desktop its turns inside the
    // work itself (TakeDesktopTurn), which counts the solves of every pass.
    void Yield() override { engine_.window_.DoEvents(); }
    bool Closed() const override { return !engine_.ProgramLoaded(); }
    bool Solving() const override { return engine_.blnSolving; }
    PassOutcome SolvePass() override {
        engine_.EnsureMapped();  // the desktop may have changed the program meanwhile
        if (engine_.BreakQue.Count() > 0) {
            return engine_.SolveQue(engine_.BreakQue, false);
        }
        if (engine_.MakeQue.Count() > 0) {
            return engine_.SolveQue(engine_.MakeQue, true);
        }
        return {};
    }
    bool Queued() const override {
        return engine_.BreakQue.Count() > 0 || engine_.MakeQue.Count() > 0;
    }
    bool EvaluateTriggers() override {
        if (!engine_.TriggersPending) {
            return false;
        }
        engine_.TriggersPending = false;
        engine_.EvaluateTriggers();
        return true;
    }
    bool AskToStop() override {
        return MsgBox(LogicLoopPrompt(kPassLimit), MsgButtons::YesNo, MsgIcon::None,
                      "Logic Loop?") == MsgAnswer::Yes;
    }
    void Stop() override { engine_.StartStop(); }

private:
    ProgramEngine& engine_;
};

std::string ProgramEngine::LogicLoopPrompt(int passes) {
    std::string count = std::to_string(passes);
    for (std::size_t at = count.size(); at > 3; at -= 3) {
        count.insert(at - 3, 1, ',');
    }
    return "VELDRA has scanned your program " + count +
           " times and is unable to resolve the logic.\r\nStop Simulation?";
}

void ProgramEngine::tmrProgram_Timer() {
    if (scanning_) {
        // A tick from a box or a yield inside the scan: the running scan takes the work,
        // and the timer stays as that scan leaves it.
        return;
    }
    tmrProgram.SetEnabled(false);
    if (!ProgramLoaded()) {
        return;  // nothing to run: a window may still post inputs after the program closed
    }
    if (IOBits.Count() == 0 && !TimerComplete && !UpdateTrack) {
        tmrProgram.SetEnabled(true);
        return;
    }
    const Hold hold(*this);  // a program closed while the scan yields goes once it unwound
    scanning_ = true;
    struct ScanEnd {
        bool& scanning;
        ~ScanEnd() { scanning = false; }
    } scanEnd{scanning_};

    TimerComplete = false;
    StableState(false);
    blnSolving = true;
    EnsureMapped();
    ApplyTrackData();
    ApplyOutsideInputs();

    ScanWork work(*this);
    desktopTurns_.Taken();  // the desktop's wait is counted from the tick's start
    if (PassLoop(kPassLimit).Run(work) == PassLoop::End::Abandoned) {
        // A stop that ends the scan leaves the changed board bits and the timer requests
        // for the next scan's end.
        if (ProgramLoaded()) {
            blnSolving = false;
            StableState(true);
            LeaveWorkToNextTick();
        }
        return;
    }

    RequestTimers();
    if (showIOUpdates_) {
        UpdateStatus("X", false, false, true, false, false, 0);
    }
    UpdateIOBoards();
    StableState(true);
    blnSolving = false;
    LeaveWorkToNextTick();  // a loop stopped at "Logic Loop?" is still queued
    if (running_) {
        tmrProgram.SetEnabled(true);
    }
}

void ProgramEngine::LeaveWorkToNextTick() {
    // The next tick takes the work on where it stood, whether or not anything new arrives:
    // a Start finishes what a Stop broke off, so the bits end as an unstopped run leaves
    // them, not in a state their statements forbid.
    if (BreakQue.Count() > 0 || MakeQue.Count() > 0 || TriggersPending || ChangedBits.Count() > 0 ||
        CancelTimerQue.Count() > 0 || StartTimerQue.Count() > 0) {
        TimerComplete = true;
    }
}

void ProgramEngine::QueueTrackBits(BooleanBits& pending) {
    if (TrackBits.Add(pending) != nullptr) {
        UpdateTrack = true;
    }
}

void ProgramEngine::ApplyTrackData() {
    if (!UpdateTrack) {
        return;
    }
    UpdateTrack = false;
    for (int w = TrackBits.Count(); w >= 1; --w) {
        TrackForm& form = *TrackBits.Item(w);
        for (int b = form.TrackBitsCount(); b >= 1; --b) {
            const BooleanBit& pending = *form.TrackBits(b);
            const std::string name = pending.BitName();
            const bool value = pending.BitValue();
            form.RemoveTrackBit(b);
            BooleanBit* bit = prgBooleanBits_->Item(name);
            if (bit == nullptr) {
                ReportUnknown("coded-track bit", name);
                continue;
            }
            bit->SetBitValue(value, false);
            AddQue(name);
            if (bit->IsTrigger()) {
                TriggersPending = true;
            }
        }
        TrackBits.Remove(w);
    }
}

std::uint32_t ProgramEngine::AimedSlot(const PendingInput& pending) {
    if (aimedAt_ == nullptr || aimedAt_ != prgBooleanBits_.get() ||
        aimedGeneration_ != prgBooleanBits_->Generation()) {
        return ScanMap::kNone;
    }
    const std::uint32_t slot = pending.AimedSlot();
    if (slot == PendingInput::kNoAim || slot >= map_.SlotCount() || map_.BitAt(slot) == nullptr) {
        return ScanMap::kNone;
    }
    return slot;
}

void ProgramEngine::ApplyOutsideInputs() {
    // Aimed inputs taken in by slot call nothing that could post an input: a run of them
    // at the list's end stays in it as it is taken and leaves together, which empties the
    // names' index at once where they were all (a first start's thousands of ".ENABLED"
    // bits) rather than erasing each name. Any other input leaves before it is taken in.
    // The run taken in and still listed: positions runLow to runLow + taken - 1. They are
    // left by position, not from the list's end, as an input posted meanwhile (while a
    // message box waits) joins the end.
    int taken = 0;
    int runLow = 0;
    const auto leave = [&] {
        if (taken > 0 && runLow == 1 && taken == IOBits.Count()) {
            IOBits.Clear();
        } else {
            for (int at = runLow + taken - 1; at >= runLow && taken > 0; --at) {
                IOBits.Remove(at);
            }
        }
        taken = 0;
    };
    for (int i = IOBits.Count(); i >= 1; --i) {
        // A first start takes every board's ".ENABLED" bit at once: those were aimed at
        // their bits as the boards were bound, any other is found by its name.
        if (const PendingInput* ahead = IOBits.Find(i - int(kPrefetchDistance));
            ahead != nullptr && AimedSlot(*ahead) == ScanMap::kNone) {
            prgBooleanBits_->Prefetch(ahead->BitName());
        }
        const PendingInput& entry = *IOBits.Find(i);
        const bool value = entry.BitValue();
        if (const std::uint32_t slot = AimedSlot(entry); slot != ScanMap::kNone) {
            if (TakeAimedInputBySlot(slot, value) && (taken == 0 || i == runLow - 1)) {
                runLow = i;
                ++taken;
                continue;
            }
            leave();
            IOBits.Remove(i);
            if ((prgBooleanBits_->Values()[slot] != 0) != value) {
                // Its bit's own rules must run: through the bit.
                BooleanBit& bit = *map_.BitAt(slot);
                prgBooleanBits_->Follow(bit);
                ApplyInput(bit, value);
            }
            continue;
        }
        leave();
        const std::string name = entry.BitName();
        IOBits.Remove(i);
        if (name == "SPARE") {
            MsgBox("Your program has attempted to change the status of an unused bit",
                   MsgButtons::Ok, MsgIcon::Critical, "VELDRA");
            continue;
        }
        BooleanBit* bit = prgBooleanBits_->Item(name);
        if (bit == nullptr) {
            ReportUnknown("input", name);
            continue;
        }
        ApplyInput(*bit, value);
    }
    leave();
}

void ProgramEngine::ApplyInput(BooleanBit& bit, bool value) {
    if (bit.BitValue() != value) {
        bit.SetBitValue(value, false);
        // The bit in hand is the one its name finds: queued without a second look-up.
        EnsureMapped();
        QueueReaders(bit);
        if (bit.IsTrigger()) {
            TriggersPending = true;
        }
    }
}

bool ProgramEngine::TakeAimedInputBySlot(std::uint32_t slot, bool value) {
    // As the look-up by name would, the bit becomes the one the status grid follows.
    prgBooleanBits_->FollowSlot(slot);
    // A change that only writes its line and queues its readers is made by slot, as the
    // scan makes one.
    return (prgBooleanBits_->Values()[slot] != 0) == value || ChangeInLayout(slot, value);
}

PassOutcome ProgramEngine::SolveQue(StatementQueue& Que, bool IsMake) {
    // Logic that oscillates through both contacts of one bit keeps refilling the break
    // queue it is drained from, so a drain alone could never end. A pass ends where a
    // statement on a feedback loop would be solved a second time; the rest waits for the
    // next pass, which takes the same queue in the same order, so logic that settles is
    // solved as one drain would solve it, and the pass limit counts an oscillation's turns
    // whatever the program's size. A statement on no loop may be solved again as often as
    // waves of change reach it: that ends, but a wave may be millions of solves long, so the
    // desktop takes its turns inside a pass too, between two statements' solves.
    PassOutcome pass;
    solvedInPass_.Begin();
    while (Que.Count() > 0 && ProgramLoaded()) {
        if (desktopTurns_.Due()) [[unlikely]] {
            const AfterTurn after = TakeTurnInPass(IsMake);
            if (after == AfterTurn::Resume) {
                continue;
            }
            pass.abandoned = after == AfterTurn::Abandon;
            return pass;
        }
        std::uint32_t index = Que.Front();
        if (map_.EndsPassWhenSolvedAgain(index)) {
            pass.onLoop = true;
            if (!solvedInPass_.Take(index)) {
                pass.cut = true;
                return pass;
            }
        }
        map_.Prefetch(Que.Behind(kPrefetchDistance));
        // A statement solved from the values alone, that nobody hears, is not read at all:
        // it is followed by its slot, which is its index in the layout. Any other is in
        // hand before its solve, which may call out and map the bits again.
        const bool heard = prgAssigns->StatementChanged.HasSubscribers();
        Statement* stmt = map_.SolvedAlone(index, heard) ? nullptr : &map_.StatementAt(index);
        const auto statement = [&]() -> Statement& {
            if (stmt == nullptr) {
                stmt = &map_.StatementAt(index);
            }
            return *stmt;
        };
        // Only the editor of a faulty statement, opened from its solve, may take it out.
        // The statements window follows the statement solved.
        if (stmt != nullptr) {
            prgAssigns->Follow(*stmt);
        } else {
            prgAssigns->FollowSlot(index);
        }
        const std::uint64_t builds = mapBuilds_;
        SolveStatement(index);
        if (mapBuilds_ != builds && stmt != nullptr) {
            // Its editor mapped the bits again; a statement it took out is done with.
            index = map_.IndexOf(*stmt);
            if (index == ScanMap::kNone) {
                continue;
            }
        }
        // A disabled or faulty statement keeps its last result, and that is given to its
        // result bits all the same.
        // The statement itself is only read where its results are not as mapped, a result
        // names no bit or a result bit has a delay; a result bit as mapped is known by its
        // slot alone until its own rules must run.
        const bool result = map_.LastResult(index);
        for (int i = 0; ProgramLoaded(); ++i) {
            const bool mapped = map_.Unedited(index);
            if (i >= (mapped ? int(map_.ResultSlotsOf(index).size())
                             : statement().UboundResults() + 1)) {
                break;
            }
            BooleanBit* bit = nullptr;
            std::uint32_t slot = ScanMap::kNone;
            if (mapped) {
                slot = map_.ResultSlotsOf(index)[std::size_t(i)];
                if (slot == ScanMap::kNone) {
                    ReportUnknown("result bit", statement().ResultBitName(i));
                    continue;
                }
                // As with Item: the status grid follows the bit fetched last before a change.
                prgBooleanBits_->FollowSlot(slot);
            } else {
                bit = prgBooleanBits_->Find(statement().ResultBitName(i));
                if (bit == nullptr) {
                    ReportUnknown("result bit", statement().ResultBitName(i));
                    continue;
                }
                prgBooleanBits_->Follow(*bit);
                slot = map_.SlotOf(*bit);
            }
            const bool value =
                slot != ScanMap::kNone ? prgBooleanBits_->Values()[slot] != 0 : bit->BitValue();
            const bool timer = slot != ScanMap::kNone
                                   ? (map_.BitLayout().Flags()[slot] & BooleanBit::kTimer) != 0
                                   : bit->IsTimer();
            if (timer) {
                const std::string_view name = statement().ResultBitName(i);
                if (result == value) {
                    CancelTimerQue.AddIfAbsent(name);
                } else {
                    CancelTimerQue.RemoveIfPresent(name);
                }
            }
            if (value != result) {
                if (!mapped || slot == ScanMap::kNone || !ChangeInLayout(slot, result)) {
                    if (bit == nullptr) {
                        bit = map_.BitAt(slot);
                    }
                    statement();  // in hand before the bit's own rules may call out
                    SetBitValue(*bit, result);
                }
                if (IsMake && BreakQue.Count() > 0) {
                    Que.Remove(index);  // make work gives way to break work
                    return pass;
                }
            }
        }
        Que.Remove(index);
    }
    return pass;
}

bool ProgramEngine::TakeDesktopTurn() {
    // A stop from inside a solve (the runaway guard) came before the turn: its drain goes
    // on as it would between passes. A stop from the desktop ends the scan here.
    const bool solving = blnSolving;
    ServeDesktop();
    return ProgramLoaded() && (blnSolving || !solving);
}

ProgramEngine::AfterTurn ProgramEngine::TakeTurnInPass(bool IsMake) {
    // Counted before the turn: what the desktop does there (an edit) may lay the program
    // out by itself.
    const std::uint64_t builds = mapBuilds_;
    if (!TakeDesktopTurn()) {
        return AfterTurn::Abandon;
    }
    EnsureMapped();  // the desktop may have changed the program meanwhile
    if (mapBuilds_ != builds) {
        solvedInPass_.Begin();  // the marks were of the old layout's indices
    }
    return IsMake && BreakQue.Count() > 0 ? AfterTurn::GiveWay : AfterTurn::Resume;
}

void ProgramEngine::BlockStatementSolved() {
    // A stop or close taken here ends the scan once the blocks are solved: their delay
    // timers are requested together at the end.
    if (scanning_ && desktopTurns_.Due()) {
        ServeDesktop();
    }
}

void ProgramEngine::ServeDesktop() {
    window_.ServeDesktop();
    desktopTurns_.Taken();
}

void ProgramEngine::SolveStatement(std::uint32_t index) {
    map_.Solve(index, prgAssigns->StatementChanged.HasSubscribers());
}

BooleanBit* ProgramEngine::ResultBitOf(std::uint32_t index, int i) {
    if (map_.Unedited(index)) {
        const auto results = map_.ResultsOf(index);
        return std::size_t(i) < results.size() ? results[std::size_t(i)] : nullptr;
    }
    return prgBooleanBits_->Find(map_.StatementAt(index).ResultBitName(i));
}

void ProgramEngine::SetBitValue(BooleanBit& bit, bool vValue) {
    const std::string& BitName = bit.BitName();
    if (vValue) {
        if (bit.IsTimer() && !bit.BitValue() && bit.OnTime() > 0) {
            StartTimerQue.AddIfAbsent(BitName).IsFront = true;
            return;
        }
        if (BitName == "KILL") {
            MsgBox("KILL BIT SET", MsgButtons::Ok, MsgIcon::Critical,
                   "Actual Unit Would Halt Execution");
        }
    } else if (bit.BitValue() && bit.IsTimer() && bit.OffTime() > 0) {
        StartTimerQue.AddIfAbsent(BitName);
        return;
    }
    bit.SetBitValue(vValue, false);
    if (bit.IsTrigger()) {
        TriggersPending = true;
    }
    QueueReaders(bit);
}

void ProgramEngine::ReserveScanLists() {
    // A first start queues every statement and changes most board bits: the lists are made
    // to size once here rather than grown, and copied, as it goes.
    MakeQue.Reserve(map_.StatementCount());
    BreakQue.Reserve(map_.StatementCount());
    solvedInPass_.Reserve(map_.StatementCount());
    if (prgBooleanBits_) {
        const std::uint8_t* flags = map_.BitLayout().Flags();
        const std::uint32_t slots = prgBooleanBits_->SlotCount();
        const auto boardBits =
            std::count_if(flags, flags + map_.BitLayout().SlotCount(),
                          [](std::uint8_t flag) { return (flag & BooleanBit::kFormBit) != 0; });
        ChangedBits.Reserve(slots, std::size_t(boardBits));
    }
}

bool ProgramEngine::ChangeInLayout(std::uint32_t slot, bool vValue) {
    constexpr std::uint8_t kOwnRules =
        BooleanBit::kTimer | BooleanBit::kWatch | BooleanBit::kTrigger | BooleanBit::kHeard;
    const ScanLayout& layout = map_.BitLayout();
    const std::uint8_t flags = layout.Flags()[slot];
    if ((flags & kOwnRules) != 0 || (vValue && slot == killSlot_) ||
        (prgAssigns && prgAssigns->AnyDisplayed())) {
        return false;
    }
    WriteBitLine((flags & BooleanBit::kFilter) != 0, layout.NameAt(slot), vValue);
    if (prgBooleanBits_->ChangesHeard()) {
        GuardModel(ProgressWindow::Keep, [&] { prgBooleanBits_->StoreHeardChange(slot, vValue); });
    } else {
        prgBooleanBits_->StoreChangedValue(slot, vValue);
    }
    QueueReadersAt(slot);
    return true;
}

void ProgramEngine::AddQue(std::string_view vData, bool vClear) {
    if (vClear) {
        BreakQue.Clear();
        MakeQue.Clear();
        return;
    }
    BooleanBit* bit = prgBooleanBits_ ? prgBooleanBits_->Find(vData) : nullptr;
    if (bit == nullptr) {
        ReportUnknown("bit", vData);
        return;
    }
    EnsureMapped();
    QueueReaders(*bit);
}

void ProgramEngine::QueueReaders(BooleanBit& bit) {
    if (const std::uint32_t slot = map_.SlotOf(bit); slot != ScanMap::kNone) {
        QueueReadersAt(slot);
        return;
    }
    // A bit the layout does not hold has no readers there.
    ReportWindowErrors([&] {
        if (bit.IsFormBit()) {
            RecordChangedBit(bit);
        }
        if (bit.IsAssigned() && prgAssigns) {
            if (const std::uint32_t own = OwnStatementOf(bit); own != ScanMap::kNone) {
                RequeueAssignedStatement(own);
            }
        }
    });
}

void ProgramEngine::QueueReadersAt(std::uint32_t slot, bool swept) {
    ReportWindowErrors([&] {
        const ScanLayout& layout = map_.BitLayout();
        const std::uint8_t flags = layout.Flags()[slot];
        const bool value = prgBooleanBits_->Values()[slot] != 0;
        if ((flags & BooleanBit::kFormBit) != 0 && swept) {
            ChangedBits.Sweep(slot, value);
        } else if ((flags & BooleanBit::kFormBit) != 0) {
            const ScanLayout::BoardPlace place = layout.PlaceAt(slot);
            ChangedBits.Record(layout, map_.BitAt(slot), slot, value, place.window, place.row,
                               place.rowsRevision);
        }
        // A back contact opens as the bit rises, a front contact as it falls.
        StatementQueue& backContacts = value ? BreakQue : MakeQue;
        StatementQueue& frontContacts = value ? MakeQue : BreakQue;
        for (const ScanMap::Reader reader : map_.ReadersAt(slot)) {
            if (reader.isBack) {
                backContacts.Push(reader.statement);
            }
            if (reader.isFront) {
                frontContacts.Push(reader.statement);
            }
        }
        if ((flags & BooleanBit::kAssigned) != 0 && prgAssigns) {
            // Only an edit can have moved a bit's own statement since the mapping.
            const std::uint32_t own =
                map_.AnyEdited() ? OwnStatementOf(*map_.BitAt(slot)) : map_.OwnStatementAt(slot);
            if (own != ScanMap::kNone) {
                RequeueAssignedStatement(own);
            }
        }
    });
}

std::uint32_t ProgramEngine::OwnStatementOf(const BooleanBit& bit) {
    const std::uint32_t own = map_.OwnStatementOf(bit);
    if (own != ScanMap::kNone && map_.Unedited(own)) {
        return own;
    }
    // An edited statement may have taken the bit's name or given it up.
    const Statement* keyed = prgAssigns->Find(bit.BitName());
    return keyed != nullptr && keyed->ResultBitName(0) == bit.BitName() ? map_.IndexOf(*keyed)
                                                                        : ScanMap::kNone;
}

bool ProgramEngine::RequeueAssignedStatement(std::uint32_t index) {
    const bool result = map_.LastResult(index);
    bool requeued = false;
    if (map_.Unedited(index)) {
        // The statement is read only for a result bit that differs from its result.
        const auto slots = map_.ResultSlotsOf(index);
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (slots[i] != ScanMap::kNone &&
                (prgBooleanBits_->Values()[slots[i]] != 0) != result &&
                vTimeQue.Item(map_.StatementAt(index).ResultBitName(int(i))) == nullptr) {
                requeued = true;
                BreakQue.Push(index);
            }
        }
        return requeued;
    }
    const Statement& stmt = map_.StatementAt(index);
    for (int i = 0; i <= stmt.UboundResults(); ++i) {
        const BooleanBit* bit = ResultBitOf(index, i);
        if (bit != nullptr && bit->BitValue() != result &&
            vTimeQue.Item(stmt.ResultBitName(i)) == nullptr) {
            requeued = true;
            BreakQue.Push(index);
        }
    }
    return requeued;
}

void ProgramEngine::EnsureMapped() {
    if (!map_.Current(prgBooleanBits_.get(), prgAssigns.get())) {
        Remap();
    }
}

void ProgramEngine::Remap() {
    // Queued statements are found again by key in the new layout.
    const auto keysOf = [&](const StatementQueue& queue) {
        std::vector<std::string> keys;
        for (const std::uint32_t index : queue.Queued()) {
            if (index < map_.StatementCount()) {
                keys.push_back(map_.KeyAt(index));
            }
        }
        return keys;
    };
    const std::vector<std::string> breakKeys = keysOf(BreakQue);
    const std::vector<std::string> makeKeys = keysOf(MakeQue);
    BreakQue.Clear();
    MakeQue.Clear();
    if (prgBooleanBits_ && prgAssigns) {
        map_.Build(*prgBooleanBits_, *prgAssigns);
    } else {
        map_.Clear();
    }
    ++mapBuilds_;
    ReserveScanLists();
    const BooleanBit* kill = prgBooleanBits_ ? prgBooleanBits_->Find("KILL") : nullptr;
    killSlot_ = kill != nullptr ? map_.SlotOf(*kill) : ScanMap::kNone;
    const auto requeue = [&](const std::vector<std::string>& keys, StatementQueue& queue) {
        for (const std::string& key : keys) {
            const Statement* statement = prgAssigns ? prgAssigns->Find(key) : nullptr;
            const std::uint32_t index =
                statement != nullptr ? map_.IndexOf(*statement) : ScanMap::kNone;
            if (index == ScanMap::kNone) {
                ReportUnknown("statement", key);
            } else {
                queue.Push(index);
            }
        }
    };
    requeue(breakKeys, BreakQue);
    requeue(makeKeys, MakeQue);
}

void ProgramEngine::EvaluateTriggers() {
    ReportWindowErrors([&] {
        for (int i = 1; i <= prgTables.Count(); ++i) {
            Table* table = prgTables.Item(i);
            if (table == nullptr || !table->TableTriggered()) {
                continue;
            }
            // A table's evaluation takes as long as a round of solves: the clock is looked
            // at before each.
            if (desktopTurns_.Due(DesktopTurns::kUnitsPerLook) && !TakeDesktopTurn()) {
                // The tables still triggered, and the numeric blocks, wait for the next scan.
                TriggersPending = true;
                return;
            }
            table->Update();
        }
        if (prgNumBlks) {
            prgNumBlks->Solve();
        }
    });
}

void ProgramEngine::RequestTimers() {
    // A cancellation beats a start of the same bit in the same scan.
    for (const MkBkQue& cancel : CancelTimerQue) {
        CancelTimer(cancel.BitName);
        StartTimerQue.RemoveIfPresent(cancel.BitName);
    }
    for (int i = 1; i <= StartTimerQue.Count(); ++i) {
        const MkBkQue& start = *StartTimerQue.Item(i);
        TimeIt(start.BitName, start.IsFront);
    }
    CancelTimerQue.Clear();
    StartTimerQue.Clear();
}

void ProgramEngine::AddChangedBit(std::string_view BitName) {
    ReportWindowErrors([&] {
        const BooleanBit* bit = prgBooleanBits_ ? prgBooleanBits_->Find(BitName) : nullptr;
        if (bit == nullptr) {
            ReportUnknown("bit", BitName);
            return;
        }
        RecordChangedBit(*bit);
    });
}

void ProgramEngine::RecordChangedBit(const BooleanBit& bit) {
    ChangedBits.Record(bit);
}

void ProgramEngine::UpdateIOBoards() {
    ReportWindowErrors([&] {
        // Each entry leaves the list before its window is told, so a box shown by a board
        // window that lets something empty the list meanwhile leaves nothing half done.
        while (ChangedBits.PushNewest()) {
        }
    });
}

bool ProgramEngine::StableState(bool vState) {
    const bool wasStable = !lampLit_;
    if (lampLit_ == vState) {
        lampLit_ = !vState;
        window_.SolvingChanged();
    }
    return wasStable;
}

// ---------------------------------------------------------------------------------------
// Delay timers and the timer service

void ProgramEngine::StartTimer_Timer() {
    StartTimer.SetEnabled(false);
    for (int i = vTimeQue.Count(); i >= 1; --i) {
        if (i > vTimeQue.Count()) {
            continue;  // a bit's watch box let something empty the timers meanwhile
        }
        TimerQue& timer = *vTimeQue.Item(i);
        const std::string name = timer.BitName();
        if (CancelledTimers.Item(name) != nullptr) {
            CancelledTimers.Remove(name);
            vTimeQue.Remove(i);
            RemoveTimerLine(name);
            continue;
        }
        const std::string seconds = timer.TimeLeft();
        if (timer.UpDateDisplay()) {
            TimerQue_TimeLeft(name, seconds);
            continue;
        }
        if (!timer.TimeFinished()) {
            continue;
        }
        BooleanBit* bit = prgBooleanBits_ ? prgBooleanBits_->Item(name) : nullptr;
        if (bit != nullptr) {
            timer.UpdateBitValue(*bit);
            if (bit->IsTrigger()) {
                TriggersPending = true;
            }
            if (bit->IsFormBit()) {
                AddChangedBit(name);
            }
        }
        if (vTimeQue.Item(name) != nullptr) {
            vTimeQue.Remove(name);
        }
        RemoveTimerLine(name);
        AddQue(name);
        TimerComplete = true;
    }
    StartTimer.SetEnabled(true);
}

void ProgramEngine::TimeIt(std::string_view strResult, bool blnValue) {
    const BooleanBit* bit = prgBooleanBits_ ? prgBooleanBits_->Find(strResult) : nullptr;
    if (bit == nullptr) {
        ReportUnknown("timer bit", strResult);
        return;
    }
    const float delay = float(blnValue ? bit->OnTime() : bit->OffTime());
    StartDelayTimer(vTimeQue, CancelledTimers, bit->BitName(), delay, blnValue);
}

void ProgramEngine::CancelTimer(std::string_view strTimer) {
    if (vTimeQue.Item(strTimer) != nullptr) {
        CancelledTimers.Add(strTimer);
    }
}

bool ProgramEngine::DelayTimerRunning(std::string_view BitName) const {
    return vTimeQue.Item(BitName) != nullptr;
}

void ProgramEngine::ForceDelayTimer(std::string_view BitName) {
    if (TimerQue* timer = vTimeQue.Item(BitName)) {
        timer->ForceTimer();
    }
}

void ProgramEngine::RestoreDelayTimer(float delay, std::string_view BitName, bool vValue) {
    if (TimerQue* timer = vTimeQue.Add(delay, BitName, vValue)) {
        timer->StartTime();
    }
}

void ProgramEngine::ClearDelayTimers() {
    for (int i = vTimeQue.Count(); i >= 1; --i) {
        vTimeQue.Remove(i);
    }
    CancelTimerQue.Clear();
    StartTimerQue.Clear();
}

void ProgramEngine::UpDateTimers(BooleanBits& vBits) {
    if (!prgBooleanBits_) {
        prgBooleanBits_ = std::make_unique<BooleanBits>();
    }
    for (const BooleanBit& timed : vBits) {
        BooleanBit* bit = prgBooleanBits_->Find(timed.BitName());
        if (bit != nullptr && bit->BitName() == timed.BitName()) {
            bit->SetOnTime(timed.OnTime());
            bit->SetOffTime(timed.OffTime());
        } else {
            prgBooleanBits_->Add(timed.BitName(), false, timed.IsTimer(), timed.OnTime(),
                                 timed.OffTime(), true);
        }
    }
}

namespace {

constexpr std::string_view kTimeRemaining = " Time Remaining: ";

// Where the line of a bit starts in the "Time Que" text, matched on the whole name.
std::size_t TimerLineAt(std::string_view text, std::string_view BitName) {
    const std::string head = std::string(BitName) + std::string(kTimeRemaining);
    for (std::size_t at = text.find(head); at != std::string_view::npos;
         at = text.find(head, at + 1)) {
        if (at == 0 || text[at - 1] == '\n') {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace

void ProgramEngine::TimerQue_TimeLeft(std::string_view BitName, std::string_view vTime) {
    if (!window_.TimeQuePageShown()) {
        return;
    }
    const std::string line =
        std::string(BitName) + std::string(kTimeRemaining) + std::string(vTime) + " Sec";
    const std::size_t at = TimerLineAt(txtTimers_, BitName);
    if (at == std::string::npos) {
        txtTimers_ += line + std::string(ImmediateWindow::kLineBreak);
    } else {
        const std::size_t end = txtTimers_.find(ImmediateWindow::kLineBreak, at);
        txtTimers_.replace(at, (end == std::string::npos ? txtTimers_.size() : end) - at, line);
    }
    window_.TimersChanged();
}

void ProgramEngine::RemoveTimerLine(std::string_view BitName) {
    const std::size_t at = TimerLineAt(txtTimers_, BitName);
    if (at == std::string::npos) {
        return;
    }
    const std::size_t end = txtTimers_.find(ImmediateWindow::kLineBreak, at);
    txtTimers_.erase(at, end == std::string::npos ? std::string::npos
                                                  : end + ImmediateWindow::kLineBreak.size() - at);
    window_.TimersChanged();
}

void ProgramEngine::ShowTimerCount(int count) {
    timerCount_ = count;
    if (count == 0) {
        txtTimers_.clear();
    }
    window_.TimersChanged();
}

// ---------------------------------------------------------------------------------------
// The immediate window

bool ProgramEngine::Filtered(std::string_view BitName) {
    const BooleanBit* bit = prgBooleanBits_ ? prgBooleanBits_->Find(BitName) : nullptr;
    return bit != nullptr && bit->Filter();  // a bit not (yet) in the program is shown
}

void ProgramEngine::UpdateStatus(std::string_view BitName, bool vValue, bool IsTimer,
                                 bool SetOutput, bool IsTable, bool IsNumeric,
                                 std::int16_t Numeric) {
    ReportWindowErrors([&] {
        const int start = status_.StatusIndex();
        const std::string name(BitName);
        if (IsTable && !SetOutput && !IsTimer) {
            status_.WriteEntry(name);
        } else if (IsNumeric) {
            // Numeric entries are neither filtered nor logged.
            status_.WriteUnloggedEntry(name);
            status_.WriteUnstamped("Value Changed, New Value = " + std::to_string(Numeric));
        } else if (IsTimer && !SetOutput && !IsTable) {
            if (Filtered(BitName)) {
                return;
            }
            status_.WriteEntry((vValue ? "Set Timer Que: " : "Clear Timer Que: ") + name);
        } else if (!IsTable && !SetOutput && !IsTimer) {
            WriteBitLine(prgBooleanBits_ ? prgBooleanBits_->Find(BitName) : nullptr, BitName,
                         vValue);
            return;
        } else if (SetOutput && !IsTable && !IsTimer) {
            status_.WriteEntry("Updating IO");
        }
        status_.Display(start);
    });
}

void ProgramEngine::BitStatus(const BooleanBit& bit, bool vValue) {
    const BooleanBit* programBit = nullptr;
    if (prgBooleanBits_) {
        programBit =
            bit.Owner() == prgBooleanBits_.get() ? &bit : prgBooleanBits_->Find(bit.BitName());
    }
    WriteBitLine(programBit, bit.BitName(), vValue);
}

void ProgramEngine::WriteBitLine(const BooleanBit* programBit, std::string_view BitName,
                                 bool vValue) {
    // A bit not (yet) in the program is shown.
    WriteBitLine(programBit != nullptr && programBit->Filter(), BitName, vValue);
}

void ProgramEngine::WriteBitLine(bool filtered, std::string_view BitName, bool vValue) {
    ReportWindowErrors([&] {
        if (filtered) {
            return;
        }
        const int start = status_.StatusIndex();
        status_.WriteBitEntry(BitName, vValue);
        status_.Display(start);
    });
}

void ProgramEngine::ReportUnknown(std::string_view what, std::string_view name) {
    const std::string key = std::string(what) + ":" + std::string(name);
    if (reportedUnknown_.insert(key).second) {
        WriteLine("Ignored unknown " + std::string(what) + ": " + std::string(name));
    }
}

void ProgramEngine::WriteLine(std::string_view text) {
    const int start = status_.StatusIndex();
    status_.WriteEntry(text);
    status_.Display(start);
}

// ---------------------------------------------------------------------------------------
// Menus, windows and the program's lifetime

void ProgramEngine::TableAdded(Table& table) {
    window_.TableAdded(table);
    if (!forceTablesEnabled_) {
        forceTablesEnabled_ = true;
        window_.MenusChanged();
    }
}

void ProgramEngine::NumericBlockAdded() {
    if (!numericMenusEnabled_) {
        numericMenusEnabled_ = true;
        window_.MenusChanged();
    }
}

ProgramEngine::Hold::~Hold() {
    if (--engine_.holds_ == 0 && engine_.releaseRequested_) {
        engine_.ReleaseNow();
    }
}

void ProgramEngine::ReleaseProgram() {
    blnSolving = false;
    tmrProgram.SetEnabled(false);
    StartTimer.SetEnabled(false);
    if (holds_ > 0) {
        releaseRequested_ = true;  // the user holds on to the program until it unwinds
        return;
    }
    ReleaseNow();
}

void ProgramEngine::ReleaseNow() {
    // A released program does not run on: the run state shows it stopped.
    tmrProgram.SetEnabled(false);
    StartTimer.SetEnabled(false);
    blnSolving = false;
    if (running_) {
        running_ = false;
        status_.SetRunning(false);
        window_.RunStateChanged();
    }
    ClearDelayTimers();
    // Nothing pending may outlive the program it was meant for; the queues' entries stand
    // for the statements about to go.
    CancelledTimers.Clear();
    BreakQue.Clear();
    MakeQue.Clear();
    ChangedBits.Clear();
    IOBits.Clear();
    TrackBits.Clear();
    map_.Clear();
    prgTables.Clear();
    prgUserBits.Clear();
    prgAssigns.reset();
    prgNumBlks.reset();
    prgBooleanBits_.reset();
    ResetRunState();
    releaseRequested_ = false;
    window_.ProgramReleased();
}

void ProgramEngine::ResetRunState() {
    // As a freshly opened window has it, so that a next program is bound and run afresh.
    TriggersPending = true;
    TimerComplete = false;
    UpdateTrack = false;
    StatementsQueued = false;
    showIOUpdates_ = false;
    cpsChecked_ = false;
    tmrProgram.SetInterval(50);
    StartTimer.SetInterval(100);
    txtTimers_.clear();
    timerCount_ = 0;
    reportedUnknown_.clear();
    map_.Clear();
    aimedAt_ = nullptr;
    displays_ = Displays{};
    status_.Clear();
    if (lampLit_) {
        lampLit_ = false;
        window_.SolvingChanged();
    }
    if (forceTablesEnabled_ || numericMenusEnabled_) {
        forceTablesEnabled_ = false;
        numericMenusEnabled_ = false;
        window_.MenusChanged();
    }
    window_.TimersChanged();
}

}  // namespace veldra
