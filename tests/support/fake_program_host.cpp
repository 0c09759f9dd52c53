#include "support/fake_program_host.h"

#include "logic/statement.h"

namespace veldra::testing {
namespace {

std::string OnOff(bool value) {
    return value ? " on" : " off";
}

}  // namespace

void FakeProgramHost::UpdateStatus(std::string_view BitName, bool vValue, bool IsTimer,
                                   bool SetOutput, bool IsTable, bool IsNumeric,
                                   std::int16_t Numeric) {
    if (onUpdateStatus) {
        onUpdateStatus();
    }
    const std::string name(BitName);
    if (IsTable) {
        journal.push_back("table: " + name);
    } else if (IsNumeric) {
        journal.push_back("status: " + name + " = " + std::to_string(Numeric));
    } else if (IsTimer) {
        journal.push_back("timer: " + name + OnOff(vValue));
    } else if (SetOutput) {
        journal.push_back("updating IO");
    } else {
        journal.push_back("status: " + name + OnOff(vValue));
    }
}

void FakeProgramHost::AddQue(std::string_view BitName, bool vClear) {
    journal.push_back(vClear ? "clear queues" : "que: " + std::string(BitName));
}

void FakeProgramHost::AddChangedBit(std::string_view BitName) {
    journal.push_back("changed bit: " + std::string(BitName));
}

void FakeProgramHost::TimeIt(std::string_view BitName, bool vValue) {
    journal.push_back("time: " + std::string(BitName) + OnOff(vValue));
}

void FakeProgramHost::CancelTimer(std::string_view BitName) {
    journal.push_back("cancel: " + std::string(BitName));
}

void FakeProgramHost::EditFaultyStatement(Statement& statement) {
    journal.push_back("edit: " + std::string(statement.ResultBitName(0)));
    if (onEdit) {
        onEdit(statement);
    }
}

}  // namespace veldra::testing
