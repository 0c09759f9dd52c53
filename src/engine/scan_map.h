#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/scan_layout.h"
#include "logic/boolean_bit.h"
#include "logic/boolean_bits.h"
#include "logic/solve_program.h"
#include "logic/statement.h"
#include "logic/statements.h"
#include "platform/hash_growth.h"

namespace veldra {

// The loaded program laid out for the scan. Every statement has an index (its position
// when the bits were mapped); each bit's readers are one slice of a single array, found
// by the bit's slot; every statement's expression is compiled into one program over the
// bits' dense values. The layout is rebuilt whenever a bit or statement comes or goes or
// a bit's readers change; a statement edited since keeps being solved by itself.
//
// What a solve reads of a statement (whether it may be solved from the values alone, its
// result bits' slots) is kept here by index, and its result in the collection's results,
// numbered by the same index, so that on a large program a solve reads neither the
// statement nor its bits unless somebody listens: the working set, not the instruction
// count, decides the scan's speed. The statements' scan epoch (Statements::ScanEpoch)
// tells when a statement changed beside the scan; the flags are then read again. What the
// scan reads of each bit besides its value (its flags, name and board place) is laid out
// with it, in a ScanLayout that the bits keep exact as those change.
class ScanMap {
public:
    static constexpr std::uint32_t kNone = ~std::uint32_t(0);

    // A statement reading a bit, and whether through a back contact, a front one or both.
    // Four bytes: a changed bit's readers are most of what queueing it reads. A reader
    // whose statement is not in the layout reads through neither.
    struct Reader {
        std::uint32_t statement : 30;
        std::uint32_t isBack : 1;
        std::uint32_t isFront : 1;
    };
    static_assert(sizeof(Reader) == 4);
    // The most statements a layout holds.
    static constexpr std::uint32_t kStatementLimit = std::uint32_t(1) << 30;

    void Build(BooleanBits& bits, Statements& statements);
    void Clear();
    // Whether the layout still describes these bits and statements.
    bool Current(const BooleanBits* bits, const Statements* statements) const;

    std::uint32_t StatementCount() const { return std::uint32_t(statements_.size()); }
    Statement& StatementAt(std::uint32_t index) const { return *statements_[index]; }
    // The statement's key (its first result) when the layout was built.
    const std::string& KeyAt(std::uint32_t index) const { return keys_[index]; }
    // The index of a statement of the layout; kNone for any other.
    std::uint32_t IndexOf(const Statement& statement) const;
    // Whether the statement is as it was when the layout was built.
    bool Unedited(std::uint32_t index) {
        Sync();
        return (flags_[index] & kUnedited) != 0;
    }
    // Whether a second solve of the statement within one pass of the scan ends the pass:
    // it lies on a feedback loop of the layout (a change it makes can queue it again), or
    // it was edited since the layout was built and may have made one. Logic without
    // feedback settles however often its statements are queued again.
    bool EndsPassWhenSolvedAgain(std::uint32_t index) {
        Sync();
        return (flags_[index] & (kUnedited | kOnLoop)) != kUnedited;
    }
    // Whether any statement was edited since the layout was built.
    bool AnyEdited() {
        Sync();
        return editedCount_ > 0;
    }
    // The statement's result, as the scan last gave it or anything else stored it.
    bool LastResult(std::uint32_t index) const {
        return statementCollection_->ScanResults()[index] != 0;
    }

    std::uint32_t SlotCount() const { return slotCount_; }
    // The bit in the slot; none for a slot no bit holds.
    BooleanBit* BitAt(std::uint32_t slot) const { return bits_->BitAt(slot); }
    // Whether a bit holds the slot: without a look at the bits' table where every slot was
    // held as the layout was built, as after a load.
    bool Held(std::uint32_t slot) const { return unheldSlots_ == 0 || BitAt(slot) != nullptr; }
    // Each bit's flags, name and board place, by slot.
    const ScanLayout& BitLayout() const { return layout_; }
    // The bit's slot in the layout; kNone for a bit of other bits or added since.
    std::uint32_t SlotOf(const BooleanBit& bit) const {
        return bit.Owner() == bits_ && bit.Slot() < slotCount_ ? bit.Slot() : kNone;
    }
    std::span<const Reader> ReadersAt(std::uint32_t slot) const {
        return {readers_.data() + bySlot_[slot].readerBegin,
                readers_.data() + bySlot_[slot + 1].readerBegin};
    }
    std::span<const Reader> ReadersOf(const BooleanBit& bit) const;
    // The statement keyed by the bit's own name whose first result is that name, kNone
    // when there is none.
    std::uint32_t OwnStatementAt(std::uint32_t slot) const { return bySlot_[slot].ownStatement; }
    std::uint32_t OwnStatementOf(const BooleanBit& bit) const;
    // The result bits of an unedited statement, none where a result names no bit, and
    // their slots (kNone where none).
    std::span<BooleanBit* const> ResultsOf(std::uint32_t index) const;
    std::span<const std::uint32_t> ResultSlotsOf(std::uint32_t index) const {
        return {resultSlots_.data() + resultBegins_[index],
                resultSlots_.data() + resultBegins_[index + 1]};
    }

    // Solves an unedited statement from the bits' values when it was compiled and nobody
    // listens to its negated groups; nothing when the statement must solve itself.
    bool Compiled(std::uint32_t index) {
        Sync();
        return (flags_[index] & kCompiled) != 0;
    }
    // Whether solving the statement reads and tells nothing but the bits' values and the
    // results: compiled, enabled and nobody hearing it.
    bool SolvedAlone(std::uint32_t index, bool heard) {
        Sync();
        return !heard && (flags_[index] & (kCompiled | kQuiet)) == (kCompiled | kQuiet);
    }
    // Solves the statement as Statement::Solve would, from the compiled program where it
    // can. Where it was compiled and nobody hears its solve (`heard`: the collection
    // passes solves on), the statement is only looked at when its result changes. False
    // when there is no result to give.
    bool Solve(std::uint32_t index, bool heard);
    // Asks the processor to fetch what solving the statement will read first: its steps
    // and its results.
    void Prefetch(std::uint32_t index) const;
    bool Evaluate(std::uint32_t index) const;

private:
    enum Flag : std::uint8_t {
        kUnedited = 1,
        kCompiled = 2,  // unedited, compiled, nobody listens to its groups
        kQuiet = 4,     // enabled and nobody listens to its solves
        kOnLoop = 8,    // on a feedback loop of the layout
    };

    void IndexReaders(BooleanBits& bits, Statements& statements);
    // Finds the statements on feedback loops: those a change they make can queue again,
    // through the readers of their result bits and the own statements of result bits they
    // share, which their change queues again.
    void FindFeedbackLoops();
    // Reads again what is kept of each statement when any statement changed beside the scan.
    void Sync() {
        if (epoch_ != ScanEpoch()) {
            ReadStatements();
        }
    }
    std::uint64_t ScanEpoch() const {
        return statementCollection_ != nullptr ? statementCollection_->ScanEpoch() : 0;
    }
    void ReadStatements();

    const BooleanBits* bits_ = nullptr;
    Statements* statementCollection_ = nullptr;
    std::uint32_t slotCount_ = 0;
    std::uint64_t bitsGeneration_ = 0;
    std::uint64_t readersRevision_ = 0;
    int statementCount_ = 0;
    std::uint64_t statementsGeneration_ = 0;

    std::vector<Statement*> statements_;
    std::vector<std::string> keys_;
    std::vector<std::uint64_t> revisions_;
    HashMap<const Statement*, std::uint32_t> indexOf_;
    std::vector<std::uint32_t> resultBegins_{0};
    std::vector<BooleanBit*> results_;
    // What a changed bit's queueing reads, side by side in one line.
    struct SlotEntry {
        std::uint32_t readerBegin;   // the bit's readers are readers_[readerBegin, next's)
        std::uint32_t ownStatement;  // kNone where none
    };
    std::vector<SlotEntry> bySlot_;  // one more than there are slots
    std::vector<Reader> readers_;
    std::uint32_t unheldSlots_ = 0;           // slots no bit held as the layout was built
    std::vector<std::uint32_t> resultSlots_;  // as results_
    std::vector<std::uint8_t> flags_;         // by statement
    std::vector<std::uint8_t> onLoop_;        // by statement: kOnLoop or 0
    int editedCount_ = 0;
    std::uint64_t epoch_ = 0;
    SolveProgram program_;
    ScanLayout layout_;
};

}  // namespace veldra
