#pragma once

#include <string_view>

#include "engine/program_engine.h"
#include "logic/pending_inputs.h"

namespace veldra::testing {

// Acts on a program engine as its windows and the desktop's timers do, one step at a time,
// and reads the run state a test checks: what is pending for the next tick, which delay
// timers run, which of the engine's flags are up. A test may also stage a flag (a solve in
// progress, statements already queued) that only a scan or a start sets otherwise.
class EngineDriver {
public:
    explicit EngineDriver(ProgramEngine& engine) : engine_(engine) {}

    // --- What arrives from outside.
    void Post(std::string_view name, bool value) { engine_.PostInput(name, value); }
    int PendingCount() const { return engine_.IOBits.Count(); }
    const PendingInput* Pending(std::string_view name) const { return engine_.IOBits.Find(name); }
    // Queues a coded-track window's received bits, as the shell does for the window.
    void QueueTrack(BooleanBits& pending) { engine_.QueueTrackBits(pending); }
    int QueuedTrackWindows() const { return engine_.TrackBits.Count(); }
    bool TrackUpdatePending() const { return engine_.UpdateTrack; }

    // --- The timers, fired by hand.
    // One tick of the scan timer, as the desktop gives it.
    void Tick() { engine_.tmrProgram.Fire(); }
    // One tick of the timer service.
    void ServiceTick() { engine_.StartTimer.Fire(); }
    bool ScanTimerEnabled() const { return engine_.tmrProgram.Enabled(); }
    int ServiceInterval() const { return engine_.StartTimer.Interval(); }
    void SetServiceInterval(int milliseconds) { engine_.StartTimer.SetInterval(milliseconds); }

    // --- Delay timers.
    int RunningTimers() const { return engine_.vTimeQue.Count(); }
    bool Timing(std::string_view name) const { return engine_.DelayTimerRunning(name); }
    // The value the bit's running delay timer will give it; False where none runs.
    bool TimingTo(std::string_view name) const {
        const TimerQue* timer = engine_.vTimeQue.Item(name);
        return timer != nullptr && timer->vValue();
    }
    int CancelledTimers() const { return engine_.CancelledTimers.Count(); }

    // --- The run state's flags.
    bool ScanRequested() const { return engine_.TimerComplete; }
    void ClearScanRequest() { engine_.TimerComplete = false; }
    bool TriggersPending() const { return engine_.TriggersPending; }
    void ClearTriggersPending() { engine_.TriggersPending = false; }
    bool StatementsQueued() const { return engine_.StatementsQueued; }
    void SetStatementsQueued(bool queued) { engine_.StatementsQueued = queued; }
    void SetSolving(bool solving) { engine_.blnSolving = solving; }

private:
    ProgramEngine& engine_;
};

}  // namespace veldra::testing
