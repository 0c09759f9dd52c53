#include "logic/numeric_block.h"

#include <string>

#include "logic/boolean_bits.h"
#include "logic/mk_bk_ques.h"
#include "logic/program_host.h"
#include "platform/load_under_way.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"
#include "platform/window_errors.h"

namespace veldra {

clsNumericBlock::clsNumericBlock()
    : triggersChanged_(triggers_.Changed.Subscribe([this] {
          if (parentBlocks_ != nullptr) {
              parentBlocks_->TriggersChanged();
          }
      })) {}

clsNumericBlock::~clsNumericBlock() = default;

clsNumericBlocks& clsNumericBlock::InnerBlocks() {
    if (!innerBlocks_) {
        innerBlocks_ = std::make_unique<clsNumericBlocks>();
    }
    return *innerBlocks_;
}

clsNumericBlock* clsNumericBlocks::Add(std::int16_t BlockNumber) {
    const std::string key = std::to_string(BlockNumber);
    if (items_.Contains(key)) {
        return nullptr;
    }
    auto block = std::make_unique<clsNumericBlock>();
    block->SetBlockNumber(BlockNumber);
    block->SetParentBlocks(this);
    clsNumericBlock& added = items_.Add(std::move(block), key);
    index_.Invalidate();
    TheProgramHost().NumericBlockAdded();
    return &added;
}

void clsNumericBlocks::Removing(const clsNumericBlock& block) {
    (void)block;
    index_.Invalidate();
}

void clsNumericBlocks::MarkTriggered(std::string_view BitName) {
    index_.ForEachNaming(*this, BitName, [](clsNumericBlock& block) { block.SetTriggered(true); });
}

namespace {

// The end-of-solve timer requests of one Solve: cancellations, then starts (IsFront: the
// value the timer will set).
struct TimerRequests {
    MkBkQues cancel;
    MkBkQues start;

    void Cancel(std::string_view name) { cancel.AddIfAbsent(name); }
    void Uncancel(std::string_view name) { cancel.RemoveIfPresent(name); }
    void Start(std::string_view name, bool value) {
        MkBkQue& entry = start.AddIfAbsent(name);
        if (value) {
            entry.IsFront = true;
        }
    }
    void Unstart(std::string_view name) { start.RemoveIfPresent(name); }
};

// Gives one result of a block statement to its bit.
void WriteResult(BooleanBit& bit, bool result, TimerRequests& timers) {
    ProgramHost& host = TheProgramHost();
    const std::string& name = bit.BitName();
    if (!bit.IsTimer()) {
        if (bit.BitValue() != result) {
            bit.SetBitValue(result, false);
            host.AddQue(name, false);
        }
        return;
    }
    if (result == bit.BitValue()) {
        timers.Unstart(name);
        timers.Cancel(name);
        return;
    }
    const std::int32_t delay = result ? bit.OnTime() : bit.OffTime();
    if (delay == 0) {
        bit.SetBitValue(result, false);
        host.AddQue(name, false);
        timers.Cancel(name);
        return;
    }
    timers.Start(name, result);
    timers.Uncancel(name);
}

}  // namespace

void clsNumericBlocks::Solve() {
    ProgramHost& host = TheProgramHost();
    TimerRequests timers;
    try {
        for (int i = 1; i <= Count(); ++i) {
            clsNumericBlock& block = *Item(i);
            if (!block.Triggered()) {
                continue;
            }
            block.SetTriggered(false);
            host.UpdateStatus("NUMERIC BLOCK " + std::to_string(i) + " Triggered", true, false,
                              false, true, false, 0);
            // By position: a statement's editor may open modally in the middle of the walk.
            Statements& statements = block.LogicStatments();
            for (int s = 1; s <= statements.Count(); ++s) {
                Statement& statement = *statements.Find(s);
                if (!statement.Solve()) {
                    continue;  // disabled, or just disabled as faulty: no result to give
                }
                for (int k = 0; k <= statement.UboundResults(); ++k) {
                    const std::string_view name = statement.ResultBitName(k);
                    BooleanBits* bits = host.PrgBooleanBits();
                    BooleanBit* bit = bits != nullptr ? bits->Item(name) : nullptr;
                    if (bit == nullptr) {
                        throw RuntimeError("Bit " + std::string(name) + " not found");
                    }
                    WriteResult(*bit, statement.Result(), timers);
                }
                host.BlockStatementSolved();
            }
        }
    } catch (const std::exception& error) {
        if (EndsTheLoad(error)) {
            throw;
        }
        MsgBox(FailureText(error) + " Occurred while solving numeric assign statement",
               MsgButtons::Ok, MsgIcon::Information, "Logic Problem!");
        return;  // the timer requests of this call are dropped
    }
    for (const MkBkQue& entry : timers.cancel) {
        host.CancelTimer(entry.BitName);
    }
    for (const MkBkQue& entry : timers.start) {
        host.TimeIt(entry.BitName, entry.IsFront);
    }
}

}  // namespace veldra
