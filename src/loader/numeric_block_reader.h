#pragma once

#include <string_view>

#include "loader/statement_text.h"

namespace veldra {

class LoadContext;

// Reads the "NUMERIC BEGIN" section: blocks of numeric statements, each solved when one
// of its trigger bits rises, numbered 1, 2, 3, ... in the order of the whole source:
//   BLOCK 7
//   TRIGGERS ON SPEED, LIMIT AND
//   ASSIGN SPEED > LIMIT TO OVERSPEED;
//   END BLOCK
// and END NUMERIC after the last. A header that is no block number fails the whole load.
class NumericBlockReader {
public:
    explicit NumericBlockReader(LoadContext& context) : context_(context) {}

    // Reads one piece; true at "END NUMERIC".
    bool GetNumericBlocks(std::string_view piece);
    // The source ends: a statement still without its ";" is reported.
    void EndSection();

private:
    void EndBlock();

    LoadContext& context_;
    bool inBlock_ = false;
    bool inTriggers_ = false;
    bool inAssign_ = false;
    int blockCount_ = 0;
    StatementText statement_;
};

}  // namespace veldra
