#include "engine/scan_map.h"

#include "logic/boolean_bits.h"
#include "logic/statements.h"

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

    ownStatements_.assign(slotCount_, kNone);
    for (Statement& statement : statements) {
        const auto index = std::uint32_t(statements_.size());
        statements_.push_back(&statement);
        keys_.emplace_back(statement.ResultBitName(0));
        indexOf_.emplace(&statement, index);
        const bool compiled = program_.Add(statement, bits);
        revisions_.push_back(statement.Revision());
        for (int i = 0; i <= statement.UboundResults(); ++i) {
            // A compiled statement was prepared over these bits just now.
            results_.push_back(compiled ? statement.ResultBit(i)
                                        : bits.Find(statement.ResultBitName(i)));
        }
        resultBegins_.push_back(std::uint32_t(results_.size()));
        const BooleanBit* first = results_[resultBegins_[index]];
        if (first != nullptr && first->BitName() == statement.ResultBitName(0) &&
            statements.Find(first->BitName()) == &statement) {
            ownStatements_[first->Slot()] = index;
        }
    }
    IndexReaders(bits, statements);
}

void ScanMap::IndexReaders(BooleanBits& bits, Statements& statements) {
    // A reader recorded for a statement of another collection is found by its key, as
    // the queues found statements by name.
    const auto indexOfReader = [&](const BitReader& reader) {
        std::uint32_t index = IndexOf(*reader.statement);
        if (index == kNone) {
            if (const Statement* keyed = statements.Find(reader.Key())) {
                index = IndexOf(*keyed);
            }
        }
        return index;
    };
    readerBegins_.assign(std::size_t(slotCount_) + 1, 0);
    for (const BooleanBit& bit : bits) {
        readerBegins_[bit.Slot() + 1] = std::uint32_t(bit.Readers().size());
    }
    for (std::uint32_t slot = 0; slot < slotCount_; ++slot) {
        readerBegins_[slot + 1] += readerBegins_[slot];
    }
    readers_.assign(readerBegins_.back(), Reader{kNone, false, false});
    for (const BooleanBit& bit : bits) {
        Reader* slice = readers_.data() + readerBegins_[bit.Slot()];
        for (const BitReader& reader : bit.Readers()) {
            *slice++ = Reader{indexOfReader(reader), reader.IsBack, reader.IsFront};
        }
    }
}

std::uint32_t ScanMap::IndexOf(const Statement& statement) const {
    const auto found = indexOf_.find(&statement);
    return found == indexOf_.end() ? kNone : found->second;
}

bool ScanMap::Unedited(std::uint32_t index) const {
    return statements_[index]->Revision() == revisions_[index];
}

std::span<const ScanMap::Reader> ScanMap::ReadersOf(const BooleanBit& bit) const {
    if (bit.Owner() != bits_ || bit.Slot() >= slotCount_) {
        return {};
    }
    return {readers_.data() + readerBegins_[bit.Slot()],
            readers_.data() + readerBegins_[bit.Slot() + 1]};
}

std::uint32_t ScanMap::OwnStatementOf(const BooleanBit& bit) const {
    return bit.Owner() == bits_ && bit.Slot() < slotCount_ ? ownStatements_[bit.Slot()] : kNone;
}

std::span<BooleanBit* const> ScanMap::ResultsOf(std::uint32_t index) const {
    return {results_.data() + resultBegins_[index], results_.data() + resultBegins_[index + 1]};
}

bool ScanMap::Compiled(std::uint32_t index) const {
    return program_.Compiled(index) && Unedited(index) &&
           !statements_[index]->GroupChanged.HasSubscribers();
}

void ScanMap::Prefetch(std::uint32_t index) const {
    if (index >= statements_.size()) {
        return;
    }
    const auto* statement = reinterpret_cast<const char*>(statements_[index]);
    __builtin_prefetch(statement);
    __builtin_prefetch(statement + 64);
    for (const BooleanBit* bit : ResultsOf(index)) {
        __builtin_prefetch(bit);
    }
}

bool ScanMap::Evaluate(std::uint32_t index) const {
    return program_.Evaluate(index, bits_->Values());
}

}  // namespace veldra
