#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "logic/model_collection.h"
#include "logic/statements.h"
#include "logic/trigger_index.h"
#include "logic/trigger_target.h"
#include "logic/triggers.h"

namespace veldra {

class clsNumericBlocks;

// A group of statements of the numeric section, solved only when one of its trigger
// bits rises; its statements may compare numeric bits with numbers.
class clsNumericBlock {
public:
    clsNumericBlock();
    ~clsNumericBlock();

    bool Triggered() const { return triggered_; }
    void SetTriggered(bool on) { triggered_ = on; }
    std::int16_t BlockNumer() const { return blockNumber_; }
    void SetBlockNumber(std::int16_t number) { blockNumber_ = number; }
    const std::string& Qualifier() const { return qualifier_; }
    void SetQualifier(std::string_view text) { qualifier_ = std::string(text); }

    ::veldra::Triggers& TriggerList() { return triggers_; }
    const ::veldra::Triggers& TriggerList() const { return triggers_; }
    // The block's statements in source order, held without a key as numeric statements.
    Statements& LogicStatments() { return statements_; }
    const Statements& LogicStatments() const { return statements_; }
    // The collection holding this block, and blocks nested in it; no evaluation
    // descends into the nesting.
    clsNumericBlocks* ParentBlocks() const { return parentBlocks_; }
    void SetParentBlocks(clsNumericBlocks* blocks) { parentBlocks_ = blocks; }
    clsNumericBlocks& InnerBlocks();

private:
    bool triggered_ = false;
    ::veldra::Triggers triggers_;
    clsNumericBlocks* parentBlocks_ = nullptr;
    std::unique_ptr<clsNumericBlocks> innerBlocks_;  // made when first asked for
    Statements statements_;
    std::int16_t blockNumber_ = 0;
    std::string qualifier_;
    Subscription triggersChanged_;
};

// The program's numeric blocks, keyed by their number. A trigger bit's rising edge marks
// every block whose trigger list names it; Solve then solves the marked blocks in order.
class clsNumericBlocks : public ModelCollection<clsNumericBlock>, public TriggerTarget {
public:
    // Appends a block under its number; a number already present yields nothing.
    clsNumericBlock* Add(std::int16_t BlockNumber);

    void MarkTriggered(std::string_view BitName) override;
    // A block's trigger list changed: the next rising edge reads the lists again.
    void TriggersChanged() { index_.Invalidate(); }

    // Solves every triggered block, in order, and writes its statements' results; timer
    // bits get their delay timers cancelled and started once every block is done.
    void Solve();

protected:
    void Removing(const clsNumericBlock& block) override;

private:
    TriggerIndex<clsNumericBlock> index_;
};

}  // namespace veldra
