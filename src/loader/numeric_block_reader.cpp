#include "loader/numeric_block_reader.h"

#include <cstdint>
#include <string>

#include "engine/program_engine.h"
#include "loader/keywords.h"
#include "loader/load_context.h"
#include "loader/trigger_names.h"
#include "platform/runtime_error.h"

namespace veldra {

bool NumericBlockReader::GetNumericBlocks(std::string_view piece) {
    if (Contains(piece, "END NUMERIC")) {
        return true;
    }
    if (Contains(piece, "END BLOCK")) {
        EndBlock();
        return false;
    }
    if (inBlock_ && StartsWithWord(piece, "BLOCK")) {
        EndBlock();  // a new header closes a block left without its END BLOCK
    }
    std::string text(piece);
    if (!inBlock_) {
        if (text.empty()) {
            return false;
        }
        text = TrimBlanks(Contains(text, "BLOCK") ? After(text, "BLOCK") : text);
        if (text.empty()) {
            return false;
        }
        // Only the first digit is looked at; the number written is not the block's number.
        if (text[0] < '0' || text[0] > '9') {
            throw RuntimeError(context_.AtLine(std::string(errors::kTypeMismatch) +
                                               ": a block number is expected in " +
                                               Excerpt(piece)));
        }
        if (text[0] == '0') {
            return false;
        }
        if (blockCount_ == INT16_MAX) {
            throw RuntimeError(context_.AtLine(errors::kOverflow));
        }
        context_.NumericBlocks().Add(std::int16_t(blockCount_ + 1));
        ++blockCount_;
        inBlock_ = true;
    }
    clsNumericBlock* block = context_.NumericBlocks().Item(blockCount_);
    if (block == nullptr) {
        return false;
    }
    std::string_view rest = text;
    if (Contains(rest, "TRIGGERS ON")) {
        rest.remove_prefix(rest.find("TRIGGERS ON") + std::string_view("TRIGGERS ON").size());
        inTriggers_ = true;
    }
    if (inTriggers_) {
        rest = ReadTriggerNames(rest, block->TriggerList(), inTriggers_);
    }
    if (!inAssign_) {
        const std::size_t assign = rest.find("ASSIGN");
        if (assign == std::string_view::npos) {
            return false;
        }
        inAssign_ = true;
        rest.remove_prefix(assign);
    }
    if (statement_.Add(TrimBlanks(rest), context_.Line())) {
        const std::string statement = statement_.Take();
        if (const Statement* added = block->LogicStatments().Add(statement, {}, true)) {
            ReportStatementThatStops(context_, *added, statement);
        }
    }
    return false;
}

void NumericBlockReader::EndBlock() {
    inBlock_ = false;
    inTriggers_ = false;
    inAssign_ = false;
    EndSection();
}

void NumericBlockReader::EndSection() {
    statement_.ReportUnclosed(context_);
}

}  // namespace veldra
