#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shell/state_file.h"

namespace veldra {

class ProgramEngine;

// The "Bit Not Found" boxes of one state-file load. Each of the first few elements whose
// bit the program lacks has a box of its own as it is read; the rest are told together in
// one box once the file has been read, so that a file saved before thousands of bits were
// renamed does not raise thousands of boxes.
class MissingBitsReport {
public:
    static constexpr int kBoxesOfTheirOwn = 10;
    static constexpr std::size_t kRestNamed = 10;

    void NotFound(const std::string& element);
    // The one box for the rest; nothing when every missing bit had a box of its own.
    void TellTheRest() const;

private:
    int told_ = 0;
    int rest_ = 0;
    std::vector<std::string> restNamed_;
};

// What restoring a state needs of the desktop around the program.
class StateLoadHost {
public:
    virtual ~StateLoadHost() = default;
    // Lets the desktop repaint and take input between steps.
    virtual void DoEvents() {}
    // Every loaded window but the main and the progress window redraws its indicators.
    virtual void UpdateAllIndicators() {}
    // The program window's system-bit menu items show the restored values; nothing for
    // a bit the program does not have.
    virtual void ShowSystemBits(std::optional<bool> cps, std::optional<bool> configureError) {
        (void)cps, (void)configureError;
    }
};

// Puts a state file's copies into the loaded program: running timers and queued
// statements go, as do pending board clicks (a click from before the load must not
// override a restored value); every bit takes its copy's values and has its readers
// queued; board windows and system-bit menus are brought up to date; and every statement
// is solved again, a result that disagrees with its bit setting the bit or starting the
// bit's delay timer. Progress shows in the loading-progress window, which is closed at
// the end. Stops early, leaving what was done, when the program is closed meanwhile.
void ApplyState(ProgramEngine& engine, const std::vector<BitStateCopy>& copies,
                StateLoadHost& host);

}  // namespace veldra
