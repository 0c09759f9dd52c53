#pragma once

#include <cstdint>
#include <string_view>

#include "platform/service_scope.h"

namespace veldra {

class Statement;

class BooleanBit;
class BooleanBits;
class Table;

// What the logic model calls in the program window that runs the loaded program: the
// immediate window, the scan's queues and delay timers, its menus and the editor for a
// statement that could not be solved. The scan engine implements it; tests fake it.
// Without a program window nothing is reported, and each member does nothing.
class ProgramHost {
public:
    virtual ~ProgramHost() = default;

    // Writes one immediate-window entry (see the immediate window for which of the flag
    // combinations writes what).
    virtual void UpdateStatus(std::string_view BitName, bool vValue, bool IsTimer, bool SetOutput,
                              bool IsTable, bool IsNumeric, std::int16_t Numeric) {
        (void)BitName, (void)vValue, (void)IsTimer, (void)SetOutput, (void)IsTable, (void)IsNumeric,
            (void)Numeric;
    }

    // Writes the entry of a bit's own change of value, as UpdateStatus(bit name, value)
    // does, for the bit in hand.
    virtual void BitStatus(const BooleanBit& bit, bool vValue);

    // Every bit of the loaded program; none before a program is loaded.
    virtual BooleanBits* PrgBooleanBits() { return nullptr; }

    // Queues the statements that read the bit (vClear: empty the queues instead).
    virtual void AddQue(std::string_view BitName, bool vClear = false) {
        (void)BitName, (void)vClear;
    }
    // Records a changed board bit, to be pushed to its window at the end of the scan.
    virtual void AddChangedBit(std::string_view BitName) { (void)BitName; }
    // A bit that triggers tables or numeric blocks changed: they are to be evaluated.
    virtual void TriggerBitChanged() {}

    // Starts a delay timer towards vValue for the bit, or asks to drop its running one.
    virtual void TimeIt(std::string_view BitName, bool vValue) { (void)BitName, (void)vValue; }
    virtual void CancelTimer(std::string_view BitName) { (void)BitName; }
    // The interval of the timer service in milliseconds: what each tick counts down.
    virtual float TimerInterval() const { return 100; }
    // The number of running delay timers changed.
    virtual void ShowTimerCount(int count) { (void)count; }

    // A state table was created: it gets its window, and forcing tables becomes possible.
    virtual void TableAdded(Table& table) { (void)table; }
    // A numeric block was created: forcing and showing numeric blocks become possible.
    virtual void NumericBlockAdded() {}

    // Stops the simulation as "Stop Program" does.
    virtual void StopRun() {}
    // A numeric block's statement was solved and its results written: the desktop may take
    // its turn, as it does between the scan's own solves.
    virtual void BlockStatementSolved() {}

    // Hands a statement that was disabled as faulty to its editor, modally: returns once
    // the user has saved a correction or closed the editor.
    virtual void EditFaultyStatement(Statement& statement) { (void)statement; }
};

using ProgramHostScope = ServiceScope<ProgramHost>;

// The program window of the loaded program, or a stand-in that reports nothing.
ProgramHost& TheProgramHost();

}  // namespace veldra
