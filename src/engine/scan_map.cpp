#include "engine/scan_map.h"

#include "engine/feedback_loops.h"
#include "logic/boolean_bits.h"
#include "logic/statements.h"
#include "platform/hash_growth.h"

namespace veldra {

void ScanMap::Clear() {
    *this = ScanMap();
}

bool ScanMap::Current(const BooleanBits* bits, const Statements* statements) const {
    return bits != nullptr && statements != nullptr && bits == bits_ &&
           statements == statementCollection_ && bits->SlotCount() == slotCount_ &&
           bits->Generation() == bitsGeneration_ && bits->ReadersRevision() == readersRevision_ &&
           statements->Count() == statementCount_ &&
           statements->Generation() == statementsGeneration_;
}

void ScanMap::Build(BooleanBits& bits, Statements& statements) {
    Clear();
    bits_ = &bits;
    statementCollection_ = &statements;
    slotCount_ = bits.SlotCount();
    bitsGeneration_ = bits.Generation();
    readersRevision_ = bits.ReadersRevision();
    statementCount_ = statements.Count();
    statementsGeneration_ = statements.Generation();
    // A statement's index here is its slot among the collection's results.
    statements.NumberResultSlots();

    bySlot_.assign(std::size_t(slotCount_) + 1, SlotEntry{0, kNone});
    // Made to size at once: grown as they fill, a large program's tables would hold up to
    // twice their size, and three times while each one moves.
    const auto count = std::size_t(statementCount_);
    statements_.reserve(count);
    keys_.reserve(count);
    revisions_.reserve(count);
    indexOf_.reserve(count);
    resultBegins_.reserve(count + 1);
    results_.reserve(count);  // most statements have one result
    resultSlots_.reserve(count);
    for (Statement& statement : statements) {
        const auto index = std::uint32_t(statements_.size());
        statements_.push_back(&statement);
        keys_.emplace_back(statement.ResultBitName(0));
        indexOf_.emplace(&statement, index);  // within the room reserved
        const bool compiled = program_.Add(statement, bits);
        revisions_.push_back(statement.Revision());
        for (int i = 0; i <= statement.UboundResults(); ++i) {
            // A compiled statement was prepared over these bits just now.
            BooleanBit* bit =
                compiled ? statement.ResultBit(i) : bits.Find(statement.ResultBitName(i));
            results_.push_back(bit);
            resultSlots_.push_back(bit != nullptr ? bit->Slot() : kNone);
        }
        resultBegins_.push_back(std::uint32_t(results_.size()));
        const BooleanBit* first = results_[resultBegins_[index]];
        if (first != nullptr && first->BitName() == statement.ResultBitName(0) &&
            statements.Find(first->BitName()) == &statement) {
            bySlot_[first->Slot()].ownStatement = index;
        }
    }
    IndexReaders(bits, statements);
    FindFeedbackLoops();
    ReadStatements();
    layout_.Build(bits);
}

void ScanMap::ReadStatements() {
    epoch_ = ScanEpoch();
    flags_.assign(statements_.size(), 0);
    editedCount_ = 0;
    for (std::uint32_t index = 0; index < statements_.size(); ++index) {
        const Statement& statement = *statements_[index];
        std::uint8_t flags = 0;
        if (statement.Revision() == revisions_[index]) {
            flags |= kUnedited;
            if (program_.Compiled(index) && !statement.GroupChanged().HasSubscribers()) {
                flags |= kCompiled;
            }
        } else {
            ++editedCount_;
        }
        if (!statement.Disable() && !statement.StatementChanged().HasSubscribers()) {
            flags |= kQuiet;
        }
        flags_[index] = flags | onLoop_[index];
    }
}

void ScanMap::FindFeedbackLoops() {
    const auto statements = std::uint32_t(statements_.size());
    // The layout as the scan's queueing sees it: statements are nodes [0, statements), bits
    // follow by slot. A statement leads to each of its result bits, and a bit to each of
    // its readers. A bit's change also queues the bit's own statement again where that
    // statement's result disagrees with the bit, as another statement's change can leave
    // it: so a statement leads as well to the own statement of each result bit it does not
    // own. The own statement's own change leaves the bit agreeing, or queues it once to give
    // its later results, which its edges to them stand for already. Two statements writing
    // one bit are thus no loop of themselves; a loop closes through that queueing again
    // where a change the own statement then makes comes back to the other. Every loop runs
    // through a statement, so walks from the statements find them all.
    struct QueueingGraph {
        const ScanMap& map;
        std::uint32_t statements;

        std::uint32_t NodeCount() const { return statements + map.slotCount_; }
        std::uint32_t EdgeCount(std::uint32_t node) const {
            if (node < statements) {
                // Its result bits, then their own statements.
                return 2 * (map.resultBegins_[node + 1] - map.resultBegins_[node]);
            }
            const std::uint32_t slot = node - statements;
            return map.bySlot_[slot + 1].readerBegin - map.bySlot_[slot].readerBegin;
        }
        std::uint32_t Target(std::uint32_t node, std::uint32_t edge) const {
            if (node < statements) {
                const std::uint32_t begin = map.resultBegins_[node];
                const std::uint32_t results = map.resultBegins_[node + 1] - begin;
                const bool toBit = edge < results;
                const std::uint32_t slot =
                    map.resultSlots_[begin + (toBit ? edge : edge - results)];
                if (slot >= map.slotCount_) {
                    return kNone;
                }
                if (toBit) {
                    return statements + slot;
                }
                const std::uint32_t own = map.bySlot_[slot].ownStatement;
                return own != node ? own : kNone;
            }
            const Reader reader = map.readers_[map.bySlot_[node - statements].readerBegin + edge];
            return reader.isBack || reader.isFront ? std::uint32_t(reader.statement) : kNone;
        }
    };
    const std::vector<std::uint8_t> onCycle =
        NodesOnCycles(QueueingGraph{*this, statements}, statements);
    onLoop_.assign(statements, 0);
    for (std::uint32_t index = 0; index < statements; ++index) {
        onLoop_[index] = onCycle[index] != 0 ? kOnLoop : 0;
    }
}

bool ScanMap::Solve(std::uint32_t index, bool heard) {
    Sync();
    const std::uint8_t flags = flags_[index];
    if ((flags & kCompiled) != 0) {
        const bool result = Evaluate(index);
        if ((flags & kQuiet) != 0 && !heard) {
            // Nobody hears it: the result is stored where the statement reads it.
            statementCollection_->ScanResults()[index] = result ? 1 : 0;
            return true;
        }
        return statements_[index]->AcceptResult(result);
    }
    return statements_[index]->Solve();
}

void ScanMap::IndexReaders(BooleanBits& bits, Statements& statements) {
    // A reader recorded for a statement of another collection is found by its key, as
    // the queues found statements by name.
    const auto indexOfReader = [&](const BitReader& reader) {
        std::uint32_t index = IndexOf(*reader.statement());
        if (index == kNone) {
            if (const Statement* keyed = statements.Find(reader.Key())) {
                index = IndexOf(*keyed);
            }
        }
        return index;
    };
    for (const BooleanBit& bit : bits) {
        bySlot_[bit.Slot() + 1].readerBegin = std::uint32_t(bit.Readers().size());
    }
    for (std::uint32_t slot = 0; slot < slotCount_; ++slot) {
        bySlot_[slot + 1].readerBegin += bySlot_[slot].readerBegin;
    }
    readers_.assign(bySlot_.back().readerBegin, Reader{0, false, false});
    unheldSlots_ = slotCount_ - std::uint32_t(bits.Count());
    for (BooleanBit& bit : bits) {
        Reader* slice = readers_.data() + bySlot_[bit.Slot()].readerBegin;
        for (const BitReader& reader : bit.Readers()) {
            const std::uint32_t index = indexOfReader(reader);
            *slice++ = index < kStatementLimit ? Reader{index, reader.IsBack(), reader.IsFront()}
                                               : Reader{0, false, false};
        }
    }
}

std::uint32_t ScanMap::IndexOf(const Statement& statement) const {
    const auto found = indexOf_.find(&statement);
    return found == indexOf_.end() ? kNone : found->second;
}

std::span<const ScanMap::Reader> ScanMap::ReadersOf(const BooleanBit& bit) const {
    if (bit.Owner() != bits_ || bit.Slot() >= slotCount_) {
        return {};
    }
    return ReadersAt(bit.Slot());
}

std::uint32_t ScanMap::OwnStatementOf(const BooleanBit& bit) const {
    return bit.Owner() == bits_ && bit.Slot() < slotCount_ ? bySlot_[bit.Slot()].ownStatement
                                                           : kNone;
}

std::span<BooleanBit* const> ScanMap::ResultsOf(std::uint32_t index) const {
    return {results_.data() + resultBegins_[index], results_.data() + resultBegins_[index + 1]};
}

void ScanMap::Prefetch(std::uint32_t index) const {
    if (index >= statements_.size()) {
        return;
    }
    program_.Prefetch(index);
    __builtin_prefetch(resultSlots_.data() + resultBegins_[index]);
}

bool ScanMap::Evaluate(std::uint32_t index) const {
    return program_.Evaluate(index, bits_->Values());
}

}  // namespace veldra
