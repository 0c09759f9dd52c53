#include "engine/numeric_report.h"

#include "logic/numeric_block.h"
#include "logic/statement.h"

namespace veldra {

std::string NumericBlocksReport(const clsNumericBlocks* blocks) {
    constexpr std::string_view kLineEnd = "\r\n";
    const int count = blocks != nullptr ? blocks->Count() : 0;
    std::string report = "Loaded Numeric Blocks.....";
    report += kLineEnd;
    report += "Total number of blocks = " + std::to_string(count);
    report += kLineEnd;
    report += kLineEnd;
    for (int i = 1; i <= count; ++i) {
        const clsNumericBlock& block = *blocks->Item(i);
        const std::string number = std::to_string(i);
        report += "Block " + number + " Details...";
        report += kLineEnd;
        report += kLineEnd;
        report += "Trigger List";
        report += kLineEnd;
        for (const Trigger& trigger : block.TriggerList()) {
            report += trigger.BitName + ", ";
        }
        // Takes back the last ", "; with no triggers, the line end after the title.
        report.erase(report.size() - 2);
        report += ";";
        report += kLineEnd;
        report += kLineEnd;
        report += "Logic for Block " + number;
        report += kLineEnd;
        report += kLineEnd;
        for (const Statement& statement : block.LogicStatments()) {
            report += AssignText(statement);
            report += kLineEnd;
            report += kLineEnd;
        }
    }
    return report;
}

}  // namespace veldra
