#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veldra {

class BooleanBit;
class BooleanBits;
class ProgramEngine;

// The filter and watch windows: every bit of the program split over two alphabetical
// lists by one of its flags, "Filter" (left out of the immediate window and the log) or
// "IsWatch" (a "Bit Watch" box on every change). Moving a name sets the flag at once.
class BitFlagLists {
public:
    enum class Flag { Filter, Watch };

    BitFlagLists(ProgramEngine& engine, Flag flag);

    // "Kill some of the noise" or "Set Bits To Watch", and the lists' titles.
    std::string_view Caption() const;
    std::string_view ClearedTitle() const;
    std::string_view SetTitle() const;

    // Takes the program's bits as they are now and fills both lists.
    void Load();

    // The names whose flag is clear (left list) and set (right list).
    const std::vector<std::string>& Cleared() const { return cleared_; }
    const std::vector<std::string>& Set() const { return set_; }

    // A double-click on a line of the left or the right list moves that name over and
    // sets or clears its flag. A line that names no bit moves nothing.
    void MoveToSet(int line);
    void MoveToCleared(int line);

    // "Filter ALL" and "Filter None": every bit's flag set or cleared.
    void FlagAll(bool on);
    // "Filter IO": board bits flagged, every other bit not.
    void FlagBoardBits();

private:
    bool Flagged(const BooleanBit& bit) const;
    void SetFlag(BooleanBit& bit, bool on) const;
    void Move(std::vector<std::string>& from, std::vector<std::string>& to, int line, bool on);

    ProgramEngine& engine_;
    Flag flag_;
    BooleanBits* bits_ = nullptr;
    std::vector<std::string> cleared_;
    std::vector<std::string> set_;
};

}  // namespace veldra
