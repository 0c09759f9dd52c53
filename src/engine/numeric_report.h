#pragma once

#include <string>

namespace veldra {

class clsNumericBlocks;

// The "Numeric Blocks" report: how many numeric blocks the program has and, for each,
// its trigger bits and its statements as statement text, lines ended by CR LF. It is a
// snapshot: a report already shown does not follow later changes. No blocks at all
// (none given) reports a count of 0.
std::string NumericBlocksReport(const clsNumericBlocks* blocks);

}  // namespace veldra
