#include "support/fake_program_host.h"

#include "logic/statement.h"

namespace veldra::testing {

void FakeProgramHost::UpdateStatus(std::string_view BitName, bool vValue, bool IsTimer,
                                   bool SetOutput, bool IsTable, bool IsNumeric,
                                   std::int16_t Numeric) {
    std::string line = "status: " + std::string(BitName);
    if (IsNumeric) {
        line += " = " + std::to_string(Numeric);
    } else {
        line += vValue ? " on" : " off";
    }
    if (IsTimer || SetOutput || IsTable) {
        line += " (other)";
    }
    journal.push_back(line);
}

void FakeProgramHost::EditFaultyStatement(Statement& statement) {
    journal.push_back("edit: " + std::string(statement.ResultBitName(0)));
    if (onEdit) {
        onEdit(statement);
    }
}

}  // namespace veldra::testing
