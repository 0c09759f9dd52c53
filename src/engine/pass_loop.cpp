#include "engine/pass_loop.h"

namespace veldra {

PassLoop::End PassLoop::Run(Work& work) const {
    // A stop from inside a solve (the runaway guard) lets the drain it came in finish, as a
    // drain did when passes were not cut short; a stop from the desktop, between passes or
    // inside one, ends the scan at once, an oscillating drain included.
    bool finishingDrain = false;
    bool afterTriggers = false;
    int counted = 0;
    for (;;) {
        work.Yield();
        if (work.Closed() || (!work.Solving() && !finishingDrain)) {
            return End::Abandoned;
        }
        const bool solving = work.Solving();
        const PassOutcome pass = work.SolvePass();
        if (pass.abandoned) {
            return End::Abandoned;
        }
        finishingDrain = pass.cut && (finishingDrain || (solving && !work.Solving()));
        if (pass.onLoop || afterTriggers) {
            ++counted;
        }
        afterTriggers = false;
        if (counted > limit_) {
            if (!work.Solving()) {
                return End::Abandoned;  // a drain stopped from inside that never ends
            }
            if (work.AskToStop()) {
                work.Stop();
                return End::StoppedAtLimit;
            }
            counted = 0;
        }
        if (work.Queued()) {
            continue;
        }
        if (!work.EvaluateTriggers()) {
            return End::Settled;
        }
        afterTriggers = true;
    }
}

}  // namespace veldra
