#pragma once

#include <functional>
#include <string>
#include <vector>

#include "logic/program_host.h"

namespace veldra::testing {

// A program window that records what the logic model tells it, in order, and installs
// itself for its lifetime. Immediate-window calls are journaled as "status: NAME on",
// "status: NAME off" or "status: NAME = N"; a stopped run as "stop"; a faulty statement
// as "edit: KEY", after which `onEdit` plays the user's part in the editor, if set.
class FakeProgramHost final : public ProgramHost {
public:
    FakeProgramHost() : scope_(*this) {}

    void UpdateStatus(std::string_view BitName, bool vValue, bool IsTimer, bool SetOutput,
                      bool IsTable, bool IsNumeric, std::int16_t Numeric) override;
    void StopRun() override { journal.push_back("stop"); }
    void EditFaultyStatement(Statement& statement) override;

    std::vector<std::string> journal;
    std::function<void(Statement&)> onEdit;

private:
    ProgramHostScope scope_;
};

}  // namespace veldra::testing
