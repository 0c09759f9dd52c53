#include "shell/state_load.h"

#include <algorithm>

#include "engine/program_engine.h"
#include "logic/boolean_bits.h"
#include "logic/statement.h"
#include "logic/statements.h"
#include "logic/timer_que.h"
#include "platform/platform.h"

namespace veldra {
namespace {

// The desktop gets its turn, and the progress bar moves, once per so many items: a turn
// for every one of forty thousand bits would take longer than the whole load.
constexpr int kItemsPerTurn = 64;

class Steps {
public:
    Steps(ProgramEngine& engine, StateLoadHost& host) : engine_(engine), host_(host) {}

    void Begin(const char* status, int maximum) {
        maximum_ = maximum;
        ThePlatform().SetLoadingProgress(0, maximum_);
        ThePlatform().SetLoadingStatus(status);
    }
    // False once the program has been closed during a turn: nothing more is to be done.
    bool Done(int position) {
        if (position % kItemsPerTurn != 0 && position != maximum_) {
            return true;
        }
        ThePlatform().SetLoadingProgress(position, maximum_);
        return Turn();
    }
    bool Turn() {
        host_.DoEvents();
        return !engine_.ReleasePending() && engine_.ProgramLoaded();
    }

private:
    ProgramEngine& engine_;
    StateLoadHost& host_;
    int maximum_ = 0;
};

bool RestoreBits(ProgramEngine& engine, const std::vector<BitStateCopy>& copies, Steps& steps) {
    steps.Begin("Updating bit table...", int(copies.size()));
    int position = 0;
    for (const BitStateCopy& copy : copies) {
        BooleanBit& bit = *copy.bit;
        bit.SetBitValue(copy.BitValue, false);
        engine.AddQue(bit.BitName(), false);
        // A flag set in the program stays set: the file can only add one.
        if (copy.Filter) {
            bit.SetFilter(true);
        }
        if (copy.IsWatch) {
            bit.SetIsWatch(true);
        }
        bit.SetOnTime(copy.OnTime);
        bit.SetOffTime(copy.OffTime);
        bit.SetIsNumeric(copy.IsNumeric);
        bit.SetNumValue(copy.NumValue, false);
        if (!steps.Done(++position)) {
            return false;
        }
    }
    return true;
}

bool RefreshDisplays(ProgramEngine& engine, StateLoadHost& host, Steps& steps) {
    BooleanBits& bits = *engine.PrgBooleanBits();
    steps.Begin("Updating Display...", bits.Count());
    int position = 0;
    for (const BooleanBit& bit : bits) {
        if (bit.IsFormBit()) {
            bit.LoadState();
            bit.UpdateIO();
        }
        if (!steps.Done(++position)) {
            return false;
        }
    }
    host.UpdateAllIndicators();
    const auto valueOf = [&bits](const char* name) -> std::optional<bool> {
        const BooleanBit* bit = bits.Find(name);
        return bit ? std::optional<bool>(bit->BitValue()) : std::nullopt;
    };
    const std::optional<bool> cps = valueOf("CPS.STATUS");
    if (cps) {
        engine.SetCpsChecked(*cps);
    }
    host.ShowSystemBits(cps, valueOf("CONFIGURE.ERROR"));
    return true;
}

// A statement's result that its bit does not show: the bit follows at once, or after its
// delay once the program runs.
void Follow(ProgramEngine& engine, BooleanBit& bit, bool result) {
    if (!bit.IsTimer()) {
        bit.SetBitValue(result, false);
        engine.AddQue(bit.BitName(), false);
        if (bit.IsFormBit()) {
            bit.UpdateIO();
        }
        return;
    }
    const float delay = float(result ? bit.OnTime() : bit.OffTime());
    engine.RestoreDelayTimer(delay, bit.BitName(), result);
}

bool SolveAgain(ProgramEngine& engine, Steps& steps) {
    Statements* statements = engine.prgAssigns.get();
    const int count = statements ? statements->Count() : 0;
    steps.Begin("Restoring Ques...", count);
    if (!steps.Turn()) {
        return false;
    }
    BooleanBits& bits = *engine.PrgBooleanBits();
    for (int i = 1; i <= count; ++i) {
        // A statement already built keeps its expression: building it again from the
        // same text gives the same, and would have the scan lay the program out anew.
        Statement* statement = statements->Find(i);
        if (statement != nullptr) {
            statement->Solve();
            for (int r = 0; r <= statement->UboundResults(); ++r) {
                BooleanBit* bit = bits.Find(statement->ResultBitName(r));
                if (bit != nullptr && bit->BitValue() != statement->Result()) {
                    Follow(engine, *bit, statement->Result());
                }
            }
        }
        if (!steps.Done(i)) {
            return false;
        }
    }
    return true;
}

}  // namespace

void MissingBitsReport::NotFound(const std::string& element) {
    ++count_;
    if (named_.size() < kBoxesOfTheirOwn + kRestNamed) {
        named_.push_back(element);
    }
}

void MissingBitsReport::Tell() const {
    const std::size_t own = std::min(named_.size(), kBoxesOfTheirOwn);
    for (std::size_t i = 0; i < own; ++i) {
        MsgBox(named_[i] + " Does Not Exist", MsgButtons::Ok, MsgIcon::Critical, "Bit Not Found");
    }
    const long rest = count_ - long(own);
    if (rest == 0) {
        return;
    }
    const std::size_t restNamed = named_.size() - own;
    std::string prompt =
        std::to_string(rest) + (rest == 1 ? " More Bit Does" : " More Bits Do") + " Not Exist";
    prompt += long(restNamed) < rest ? ", The First " + std::to_string(restNamed) + ":" : ":";
    for (std::size_t i = own; i < named_.size(); ++i) {
        prompt += "\r\n" + named_[i];
    }
    MsgBox(prompt, MsgButtons::Ok, MsgIcon::Critical, "Bit Not Found");
}

void ApplyState(ProgramEngine& engine, const std::vector<BitStateCopy>& copies,
                StateLoadHost& host) {
    const ProgramEngine::Hold hold(engine);
    Steps steps(engine, host);
    struct CloseProgress {
        ~CloseProgress() { ThePlatform().UnloadLoadingProgress(); }
    } closeProgress;

    engine.ClearDelayTimers();
    engine.AddQue({}, true);
    engine.ClearInputs();
    if (RestoreBits(engine, copies, steps) && RefreshDisplays(engine, host, steps) &&
        SolveAgain(engine, steps)) {
        engine.RequestTrackUpdate();
    }
}

void LoadStateFile(ProgramEngine& engine, const std::filesystem::path& path, StateLoadHost& host) {
    const struct CloseProgress {
        ~CloseProgress() { ThePlatform().UnloadLoadingProgress(); }
    } closeProgress;
    BooleanBits& bits = *engine.PrgBooleanBits();
    RefuseStateBeyondMemory(path, bits);
    ThePlatform().SetLoadingStatus("Loading File...");
    MissingBitsReport missing;
    const std::vector<BitStateCopy> copies = ReadStateFileAt(
        path, bits, [&missing](const std::string& element) { missing.NotFound(element); });
    missing.Tell();
    if (engine.ReleasePending() || !engine.ProgramLoaded()) {
        return;
    }
    ApplyState(engine, copies, host);
}

}  // namespace veldra
