#pragma once

#include <absl/container/flat_hash_map.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "logic/solve_program.h"

namespace veldra {

class BooleanBit;
class BooleanBits;
class Statement;
class Statements;

// The loaded program laid out for the scan. Every statement has an index (its position
// when the bits were mapped); each bit's readers are one slice of a single array, found
// by the bit's slot; every statement's expression is compiled into one program over the
// bits' dense values. The layout is rebuilt whenever a bit or statement comes or goes or
// a bit's readers change; a statement edited since keeps being solved by itself.
class ScanMap {
public:
    static constexpr std::uint32_t kNone = ~std::uint32_t(0);

    struct Reader {
        std::uint32_t statement;
        bool isBack;
        bool isFront;
    };

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
    bool Unedited(std::uint32_t index) const;

    std::span<const Reader> ReadersOf(const BooleanBit& bit) const;
    // The statement keyed by the bit's own name whose first result is that name, kNone
    // when there is none.
    std::uint32_t OwnStatementOf(const BooleanBit& bit) const;
    // The result bits of an unedited statement, none where a result names no bit.
    std::span<BooleanBit* const> ResultsOf(std::uint32_t index) const;

    // Solves an unedited statement from the bits' values when it was compiled and nobody
    // listens to its negated groups; nothing when the statement must solve itself.
    bool Compiled(std::uint32_t index) const;
    // Asks the processor to fetch what solving the statement will read first: on a large
    // program the statements and bits lie far apart in memory, and a solve would otherwise
    // wait for each of them in turn.
    void Prefetch(std::uint32_t index) const;
    bool Evaluate(std::uint32_t index) const;

private:
    void IndexReaders(BooleanBits& bits, Statements& statements);

    const BooleanBits* bits_ = nullptr;
    const Statements* statementCollection_ = nullptr;
    std::uint32_t slotCount_ = 0;
    std::uint64_t bitsGeneration_ = 0;
    std::uint64_t readersRevision_ = 0;
    int statementCount_ = 0;
    std::uint64_t statementsGeneration_ = 0;

    std::vector<Statement*> statements_;
    std::vector<std::string> keys_;
    std::vector<std::uint64_t> revisions_;
    absl::flat_hash_map<const Statement*, std::uint32_t> indexOf_;
    std::vector<std::uint32_t> resultBegins_{0};
    std::vector<BooleanBit*> results_;
    std::vector<std::uint32_t> readerBegins_;  // by slot, one more than there are slots
    std::vector<Reader> readers_;
    std::vector<std::uint32_t> ownStatements_;  // by slot
    SolveProgram program_;
};

}  // namespace veldra
