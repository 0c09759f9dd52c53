#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "engine/changed_board_bits.h"
#include "engine/cpu_board.h"
#include "engine/desktop_turns.h"
#include "engine/immediate_window.h"
#include "engine/pass_loop.h"
#include "engine/scan_map.h"
#include "engine/solve_pass.h"
#include "engine/statement_queue.h"
#include "engine/track_forms.h"
#include "logic/boolean_bits.h"
#include "logic/mk_bk_ques.h"
#include "logic/numeric_block.h"
#include "logic/pending_inputs.h"
#include "logic/program_host.h"
#include "logic/statements.h"
#include "logic/table.h"
#include "logic/timer_que.h"
#include "logic/user_bits.h"
#include "platform/name_list.h"
#include "platform/timer.h"

namespace veldra {

class Clock;
class ProgramWindow;
namespace testing {
class EngineDriver;
}

// The program window's engine: it owns the loaded program while it is open and runs its
// logic. A scan tick takes what arrived since the last one (coded-track data, outside
// inputs, expired delay timers), solves every statement that reads a changed bit, break
// work strictly before make work, evaluates triggered tables and numeric blocks once the
// queues are empty, and at its end starts or cancels delay timers and pushes changed
// board bits to their windows. It is the program host the logic model reports to.
class ProgramEngine final : public ProgramHost {
    // First, so that it is the last to go: the program's objects report to the engine
    // until the very end.
    ProgramHostScope hostScope_;

public:
    static constexpr int kPassLimit = 5000;
    // What "Logic Loop?" asks after more than `passes` passes (none below 0), the count in
    // groups of three digits.
    static std::string LogicLoopPrompt(int passes);
    static constexpr const char* kStartCaption = "Start Program";
    static constexpr const char* kStopCaption = "Stop Program";

    ProgramEngine(ProgramWindow& window, const Clock& clock);
    ~ProgramEngine() override;
    ProgramEngine(const ProgramEngine&) = delete;
    ProgramEngine& operator=(const ProgramEngine&) = delete;

    // --- The loaded program, as the loader fills it and the program's windows show and
    // edit it.
    UserBits prgUserBits;
    std::unique_ptr<Statements> prgAssigns;
    Tables prgTables;
    std::unique_ptr<clsNumericBlocks> prgNumBlks;  // none when the source has none
    BooleanBits* PrgBooleanBits() override { return prgBooleanBits_.get(); }
    void SetPrgBooleanBits(std::unique_ptr<BooleanBits> bits) {
        map_.Clear();  // it pointed into the bits that go
        ChangedBits.Clear();
        aimedAt_ = nullptr;
        prgBooleanBits_ = std::move(bits);
    }

    // --- What arrives from outside for the next scan tick.

    // The queue the board windows are built over: they post their inputs into it.
    PendingInputs& InputQueue() { return IOBits; }
    const PendingInputs& InputQueue() const { return IOBits; }
    // Posts an outside input; a name already pending takes the new value instead.
    void PostInput(std::string_view name, bool value) { IOBits.Add(name, value); }
    // Drops every input still pending.
    void ClearInputs() { IOBits.Clear(); }
    // Queues a coded-track window's received bits for the next tick to take in.
    void QueueTrackBits(BooleanBits& pending);
    // The next tick runs even when nothing new arrived: a bit was forced, a statement
    // mended, or a state loaded.
    void RequestScan() { TimerComplete = true; }
    // The next tick runs and takes in the coded-track data waiting for it, if any.
    void RequestTrackUpdate() { UpdateTrack = true; }
    // The tables and numeric blocks marked triggered are evaluated by the next tick.
    void RequestTriggerEvaluation() {
        TriggersPending = true;
        TimerComplete = true;
    }
    // A statement was edited: the next start queues every statement again, and the next
    // tick runs.
    void StatementEdited() {
        StatementsQueued = false;
        TimerComplete = true;
    }
    // A scan is solving now (it may be waiting in a yield).
    bool Solving() const { return blnSolving; }

    // "Do Not Show IO Update in Immediate Window" is not ticked (it is when a program opens).
    bool ShowsIOUpdates() const { return showIOUpdates_; }
    void SetShowIOUpdates(bool show) { showIOUpdates_ = show; }
    // The check mark of the "CPS.STATUS" system-bit menu item.
    bool CpsChecked() const { return cpsChecked_; }
    void SetCpsChecked(bool checked) { cpsChecked_ = checked; }

    // --- Load completion and the displays it builds.

    // Binds the loaded program together once the loader has read it: every bit a window
    // reports becomes a board bit bound to the oldest window that reports it, the CPU
    // lights, user bits and numerics join the bits, every name a table or numeric block
    // uses exists, trigger bits know their tables and blocks; then MapBits. `windows`
    // are the board, table and toggle windows in the order they were loaded.
    void LoadFinished(const std::vector<BoardPanel*>& windows);
    // Links every statement to the bits it reads and writes, and rebuilds the displays.
    // Run again after a statement was edited, once every bit's statement map is emptied.
    void MapBits();

    // What the program window's lists show, as built by load completion.
    struct Displays {
        // One per Boolean bit, the row being its vIndex; sorted, also the Force Bit check
        // list (one list, as a large program's names are many).
        NameList statusRows;
        std::vector<std::string> timerBits;     // the timer page's list
        std::vector<std::string> userBits;      // the User Bits check list, in source order
        std::vector<std::string> userNumerics;  // "name = value" of each user numeric
        std::vector<std::string> numericBits;   // "name = value" of each numeric bit
    };
    const Displays& Lists() const { return displays_; }

    // The program window as the board of the CPU lights.
    CpuBoard& Cpu() { return cpu_; }

    // Closes the program for good: every delay timer and pending request goes, then every
    // collection. A later program's first start queues all statements again.
    void CloseWindow();

    // --- The window's timers: the scan (50 ms) and the timer service (100 ms), for the
    // window that drives them and the timer page that sets the service's interval.
    Timer& ScanTimer() { return tmrProgram; }
    const Timer& ScanTimer() const { return tmrProgram; }
    Timer& ServiceTimer() { return StartTimer; }
    const Timer& ServiceTimer() const { return StartTimer; }

    // --- Run control.
    bool Running() const { return running_; }
    // The start button's caption, copied to the main window's run menu item.
    std::string StartCaption() const { return running_ ? kStopCaption : kStartCaption; }
    // Starts a stopped program, stops a running one.
    void StartStop();
    // The "Solving Program" lamp.
    bool SolvingLampLit() const { return lampLit_; }

    // --- The scan.
    void tmrProgram_Timer();
    void AddQue(std::string_view vData, bool vClear = false) override;
    void AddChangedBit(std::string_view BitName) override;
    void UpdateIOBoards();
    // Switches the lamp (True: stable, False: solving); True when it showed stable before.
    bool StableState(bool vState);

    // --- Delay timers and the timer service.
    void StartTimer_Timer();
    void TimeIt(std::string_view strResult, bool blnValue) override;
    void CancelTimer(std::string_view strTimer) override;
    void UpDateTimers(BooleanBits& vBits);
    void TimerQue_TimeLeft(std::string_view BitName, std::string_view vTime);
    float TimerInterval() const override { return float(StartTimer.Interval()); }
    // Whether the bit has a delay timer running (its cancellation may be pending).
    bool DelayTimerRunning(std::string_view BitName) const;
    // Runs the bit's delay timer out at the next service tick; nothing without one.
    void ForceDelayTimer(std::string_view BitName);
    // Starts a delay timer as a loaded state left it; a bit that has one keeps it.
    void RestoreDelayTimer(float delay, std::string_view BitName, bool vValue);
    // Drops every running delay timer, the last first, and the starts and cancellations a
    // stopped scan asked for and had yet to make: they were meant for bits a loaded state
    // now sets. Cancellations already made for the timer service stay.
    void ClearDelayTimers();
    void ShowTimerCount(int count) override;
    // The "Time Que" page: one line per displayed timer, and the count of running timers.
    const std::string& TimersText() const { return txtTimers_; }
    int TimerCount() const { return timerCount_; }

    // --- The immediate window.
    void UpdateStatus(std::string_view BitName, bool vValue, bool IsTimer, bool SetOutput,
                      bool IsTable, bool IsNumeric, std::int16_t Numeric) override;
    void BitStatus(const BooleanBit& bit, bool vValue) override;
    // Writes one stamped line of the simulator's own in the immediate window.
    void WriteLine(std::string_view text);
    ImmediateWindow& Status() { return status_; }
    const ImmediateWindow& Status() const { return status_; }

    // --- What the logic model asks of the window.
    void TriggerBitChanged() override { TriggersPending = true; }
    void TableAdded(Table& table) override;
    void NumericBlockAdded() override;
    void StopRun() override;
    void EditFaultyStatement(Statement& statement) override;
    void BlockStatementSolved() override;

    // The force menus become usable once the program has tables or numeric blocks.
    bool ForceTablesEnabled() const { return forceTablesEnabled_; }
    bool NumericMenusEnabled() const { return numericMenusEnabled_; }

    // Releases the loaded program and leaves the engine as a freshly opened window has
    // it. A scan or load in progress ends at its next yield; the program is let go once
    // it has unwound.
    void ReleaseProgram();
    bool ProgramLoaded() const { return prgBooleanBits_ != nullptr && !releaseRequested_; }
    // The program was closed while something still uses it: that user is to end.
    bool ReleasePending() const { return releaseRequested_; }

    // Keeps the program while it is used across yields (a scan, a start, a load): a
    // release asked for meanwhile waits until the last hold goes.
    class Hold {
    public:
        explicit Hold(ProgramEngine& engine) : engine_(engine) { ++engine_.holds_; }
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        ProgramEngine& engine_;
    };
    // Whether anything holds the program now: the engine must not go before it is free.
    bool InUse() const { return holds_ > 0; }

private:
    // Tests drive the scan by hand and stage its run state through it.
    friend class testing::EngineDriver;
    class ScanWork;

    void ApplyTrackData();
    void ApplyOutsideInputs();
    // The program's slot of the bit a pending input was aimed at, while that aim holds;
    // kNone otherwise.
    std::uint32_t AimedSlot(const PendingInput& pending);
    // Takes in a pending input's value for its bit, found by name or by its aim.
    void ApplyInput(BooleanBit& bit, bool value);
    // Takes in an aimed input by its slot where its bit's own rules have nothing to do
    // (nothing called outside the engine but the line's writer); false, changing nothing
    // but the bit followed, when the change must go through the bit.
    bool TakeAimedInputBySlot(std::uint32_t slot, bool value);
    // One pass of the solve loop over the queue.
    PassOutcome SolveQue(StatementQueue& Que, bool IsMake);
    // Gives the desktop a turn in the middle of the tick's work; false when the program was
    // closed or the desktop stopped the simulation meanwhile, which ends the scan where it
    // stands.
    bool TakeDesktopTurn();
    // How a pass goes on after the desktop's turn in its middle.
    enum class AfterTurn {
        Resume,   // with its next statement
        GiveWay,  // it ends: break work the desktop queued goes before the make queue's
        Abandon,  // the scan ends where it stands
    };
    // Gives the desktop its turn in the middle of a pass of the queue (`IsMake`: the make
    // queue), and readies the rest of the pass for what the desktop did meanwhile.
    AfterTurn TakeTurnInPass(bool IsMake);
    // A scan that ended with work left (statements queued, tables or blocks triggered,
    // changed board bits or delay-timer requests) has the next tick run for it.
    void LeaveWorkToNextTick();
    // Serves the desktop now; its wait for the next turn starts again.
    void ServeDesktop();
    // Solves the statement from the compiled program when it can, else by itself; a
    // disabled statement keeps its last result.
    void SolveStatement(std::uint32_t index);
    // The bit of the statement's result i: from the map while the statement is as mapped.
    BooleanBit* ResultBitOf(std::uint32_t index, int i);
    void SetBitValue(BooleanBit& bit, bool vValue);
    // Changes a bit of the layout (a result, or an input aimed at its slot) by its slot when
    // its own rules have nothing to do but write its line: reads the bit's name for the line
    // from the layout's names and nothing of the bit unless the collection's changes are
    // heard. False, changing nothing, when the bit's own rules must run.
    bool ChangeInLayout(std::uint32_t slot, bool vValue);
    // Sizes the queues and the changed board bits' list for the layout just built.
    void ReserveScanLists();
    // What AddQue does for a bit already in hand.
    void QueueReaders(BooleanBit& bit);
    // The same for the bit in a slot of the layout, from the bits' dense values and the
    // layout's flags.
    // `swept`: a board bit there is recorded by the changed board bits' sweep.
    void QueueReadersAt(std::uint32_t slot, bool swept = false);
    bool RequeueAssignedStatement(std::uint32_t index);
    // The statement that gives the bit its value under the bit's own name; kNone if none.
    std::uint32_t OwnStatementOf(const BooleanBit& bit);
    // Lays the program out for the scan again when it changed since it was last laid out;
    // queued statements keep their places.
    void EnsureMapped();
    void Remap();
    void RecordChangedBit(const BooleanBit& bit);
    // The immediate-window entry of a bit's own change; `programBit` decides the filter.
    void WriteBitLine(const BooleanBit* programBit, std::string_view BitName, bool vValue);
    void WriteBitLine(bool filtered, std::string_view BitName, bool vValue);
    void EvaluateTriggers();
    void RequestTimers();
    void RemoveTimerLine(std::string_view BitName);
    bool Filtered(std::string_view BitName);
    // A name the program does not hold: dropped, and said once in the immediate window.
    void ReportUnknown(std::string_view what, std::string_view name);
    void ReleaseNow();
    void ResetRunState();
    // Lets the desktop run during a load; a program closed meanwhile ends the load, and in
    // load completion, memory that no longer leaves the desktop its reserve ends it as
    // memory running out does.
    void YieldDuringLoad();
    void BindLoadedProgram(const std::vector<BoardPanel*>& windows);
    void MapBitsHeld();
    BooleanBit* CreateMissingInputBit(std::string_view name);
    // Every board window's rows' bits, by slot, as they were bound; kNone for a spare row.
    struct BoundRows {
        std::vector<std::uint32_t> slots;
        std::vector<std::uint32_t> begins;  // by window, where its rows start; then the end
        std::uint64_t generation = 0;       // of the bits, when they were bound
    };
    BoundRows BindBoardBits(const std::vector<BoardPanel*>& windows);
    // Aims the inputs window `w` has queued since there were `before` at the bits of its
    // rows they name.
    void AimNewInputs(const BoundRows& rows, std::size_t w, int before);
    void AddUserBits();
    void CompleteTables();
    void CompleteNumericBlocks();
    void BuildDisplays();

    // --- The run state.
    Timer tmrProgram;
    Timer StartTimer;
    clsTimers vTimeQue;
    CancelTimers CancelledTimers;
    PendingInputs IOBits;
    TrackForms TrackBits;  // coded-track windows with pending received bits
    bool blnSolving = false;
    bool UpdateTrack = false;
    bool TimerComplete = false;
    bool TriggersPending = true;
    // The statements of every bit have been queued since the program was loaded.
    bool StatementsQueued = false;
    bool showIOUpdates_ = false;
    bool cpsChecked_ = false;

    ChangedBoardBits ChangedBits;  // the board bits changed in this scan
    // Statements waiting to be solved, by their index in the scan map.
    StatementQueue BreakQue;
    StatementQueue MakeQue;
    SolvePass solvedInPass_;
    DesktopTurns desktopTurns_;
    // Delay timers to cancel and to start at the end of the scan.
    MkBkQues CancelTimerQue;
    MkBkQues StartTimerQue;

    ProgramWindow& window_;
    ImmediateWindow status_;
    Subscription statusChanged_;
    std::unique_ptr<BooleanBits> prgBooleanBits_;
    bool running_ = false;
    bool lampLit_ = false;
    bool scanning_ = false;
    int holds_ = 0;
    bool releaseRequested_ = false;
    // How many yields of load completion since it last looked at the memory left.
    int yieldsSinceMemoryLook_ = 0;
    bool forceTablesEnabled_ = false;
    bool numericMenusEnabled_ = false;
    std::string txtTimers_;
    int timerCount_ = 0;
    std::unordered_set<std::string> reportedUnknown_;
    CpuBoard cpu_{[this] { return prgBooleanBits_.get(); }};
    ScanMap map_;
    std::uint64_t mapBuilds_ = 0;
    // The slot of the bit that halts the unit when set (found without letter case, so it
    // may be another bit: that one merely takes the long way); kNone for none.
    std::uint32_t killSlot_ = ScanMap::kNone;
    // The bits that pending inputs were aimed at by slot (PendingInputs::Aim) as the board
    // windows were drawn at load, and how many bits had left them when the windows' bits
    // were bound: an aim holds while both are as they were, as no slot is given twice
    // while its bit is held.
    const BooleanBits* aimedAt_ = nullptr;
    std::uint64_t aimedGeneration_ = 0;
    Displays displays_;
};

}  // namespace veldra
