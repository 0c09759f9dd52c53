#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/state_file.h"

namespace veldra {

class ProgramEngine;

// The "Bit Not Found" boxes of one state-file load, told once the file has been read whole,
// so that a file refused part-way (malformed, or memory running out) tells nothing of it.
// Each of the first few elements whose bit the program lacks has a box of its own; the rest
// are told together in one box, so that a file saved before thousands of bits were renamed
// does not raise thousands of boxes.
class MissingBitsReport {
public:
    static constexpr std::size_t kBoxesOfTheirOwn = 10;
    static constexpr std::size_t kRestNamed = 10;

    void NotFound(const std::string& element);
    // The boxes, in the order the elements came.
    void Tell() const;

private:
    std::vector<std::string> named_;  // the first elements, the rest's first few among them
    long count_ = 0;
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

// "Load State" once the file is chosen: refused at once, unread, where the memory its load
// takes would leave the desktop less than its reserve (a NotEnoughMemory); else read whole
// a piece at a time, its missing bits told, and put into the program (ApplyState), unless
// the program was closed meanwhile. A file that cannot be read changes nothing; the
// progress window goes however the load ends.
void LoadStateFile(ProgramEngine& engine, const std::filesystem::path& path, StateLoadHost& host);

}  // namespace veldra
