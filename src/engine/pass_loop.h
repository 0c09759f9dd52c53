#pragma once

namespace veldra {

// What one pass of the scan's solve loop did.
struct PassOutcome {
    // It ended at a statement it had solved already, before its queue was drained.
    bool cut = false;
    // It solved, or ended at, a statement on a feedback loop (or one that may be on one).
    bool onLoop = false;
    // The desktop, served in the middle of it, stopped the simulation or closed the
    // program: it ended where it stood, and so does the scan.
    bool abandoned = false;
};

// The scan's solve loop: pass after pass, the desktop is offered a turn, then one queue is
// solved, until nothing is queued and no triggered table or numeric block is left to
// evaluate. A long pass gives the desktop turns of its own, and one in which the desktop
// stopped or closed the program ends the scan at once.
//
// The limit counts the passes that logic with feedback may be turning in: those that met
// a statement on a feedback loop, and those that follow an evaluation of triggered tables
// and numeric blocks (a loop may close through them, outside the statements). Logic
// without feedback settles in a finite number of solves, so its passes, however many, are
// not counted, and it never asks "Logic Loop?"; logic that never settles turns through a
// loop in every pass it is counted in, so it asks after the limit.
class PassLoop {
public:
    // What the loop works on: the scan's queues, the desktop and the run state.
    class Work {
    public:
        virtual ~Work() = default;
        // Offers the desktop a turn between passes.
        virtual void Yield() = 0;
        // The program was closed: nothing is left to work on.
        virtual bool Closed() const = 0;
        // The simulation runs; false once stopped, from the desktop or from inside a solve.
        virtual bool Solving() const = 0;
        // Solves one pass: of the break queue, or of the make queue when no break work waits.
        virtual PassOutcome SolvePass() = 0;
        // Anything is queued for the next pass.
        virtual bool Queued() const = 0;
        // Evaluates the triggered tables and numeric blocks when any trigger is pending;
        // false when none is.
        virtual bool EvaluateTriggers() = 0;
        // Asks "Logic Loop?"; true for Yes, stopping the simulation.
        virtual bool AskToStop() = 0;
        // Stops the simulation.
        virtual void Stop() = 0;
    };

    enum class End {
        Settled,         // nothing left to solve
        StoppedAtLimit,  // "Logic Loop?" answered Yes: the simulation stopped
        Abandoned,       // stopped or closed meanwhile: the scan ends where it stands
    };

    explicit PassLoop(int limit) : limit_(limit) {}

    // Runs the loop for one scan tick; the count starts from nothing.
    End Run(Work& work) const;

private:
    int limit_;
};

}  // namespace veldra
