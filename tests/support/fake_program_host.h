#pragma once

#include <functional>
#include <string>
#include <vector>

#include "logic/program_host.h"

namespace veldra::testing {

// A program window that records what the logic model tells it, in order, and installs
// itself for its lifetime. The journal reads:
//   "status: NAME on|off", "status: NAME = N" (a numeric value), "timer: NAME on|off",
//   "table: TEXT", "updating IO"   - immediate-window entries;
//   "que: NAME", "clear queues", "changed bit: NAME", "time: NAME on|off", "cancel: NAME";
//   "stop" and "edit: KEY" for a faulty statement, after which `onEdit` plays the user's
//   part in the editor, if set.
class FakeProgramHost final : public ProgramHost {
public:
    FakeProgramHost() : scope_(*this) {}

    void UpdateStatus(std::string_view BitName, bool vValue, bool IsTimer, bool SetOutput,
                      bool IsTable, bool IsNumeric, std::int16_t Numeric) override;
    BooleanBits* PrgBooleanBits() override { return bits; }
    void AddQue(std::string_view BitName, bool vClear) override;
    void AddChangedBit(std::string_view BitName) override;
    void TriggerBitChanged() override { ++triggerChanges; }
    void TimeIt(std::string_view BitName, bool vValue) override;
    void CancelTimer(std::string_view BitName) override;
    float TimerInterval() const override { return interval; }
    void ShowTimerCount(int count) override { timerCount = count; }
    void TableAdded(Table& table) override { tablesAdded.push_back(&table); }
    void NumericBlockAdded() override { ++numericBlocksAdded; }
    void StopRun() override { journal.push_back("stop"); }
    void EditFaultyStatement(Statement& statement) override;

    std::vector<std::string> journal;
    std::function<void(Statement&)> onEdit;
    // Called as a status line is written, before it is noted: a failure of the desktop there.
    std::function<void()> onUpdateStatus;
    BooleanBits* bits = nullptr;
    float interval = 100;
    int timerCount = -1;
    int triggerChanges = 0;
    int numericBlocksAdded = 0;
    std::vector<Table*> tablesAdded;

private:
    ProgramHostScope scope_;
};

}  // namespace veldra::testing
