#pragma once

#include <cstdint>
#include <string_view>

#include "platform/service_scope.h"

namespace veldra {

class Statement;

// What the logic model calls in the program window that runs the loaded program:
// the immediate-window line of a change, stopping the run, and the editor for a
// statement that could not be solved. The scan engine implements it; tests fake it.
// Without a program window nothing is reported.
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

    // Stops the simulation as "Stop Program" does.
    virtual void StopRun() {}

    // Hands a statement that was disabled as faulty to its editor, modally: returns once
    // the user has saved a correction or closed the editor.
    virtual void EditFaultyStatement(Statement& statement) { (void)statement; }
};

using ProgramHostScope = ServiceScope<ProgramHost>;

// The program window of the loaded program, or a stand-in that reports nothing.
ProgramHost& TheProgramHost();

}  // namespace veldra
