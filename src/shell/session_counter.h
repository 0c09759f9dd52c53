#pragma once

#include <string>
#include <string_view>

namespace veldra {

class Settings;

// The count of open sessions across every running instance of the simulator, kept in the
// settings store as "Sessions"/"SID" so that each session's captions carry a number of
// their own. Instances read and write it without locking, as they always have.
class SessionCounter {
public:
    explicit SessionCounter(Settings& settings) : settings_(settings) {}

    // The stored count; a value that is not a whole number counts as 0.
    int Stored() const;
    // Only the first instance to start resets it.
    void Reset();
    void Decrement();  // never below 0
    void Increment();

private:
    void Save(int count);

    Settings& settings_;
};

// The main window's caption while no program is loaded.
inline constexpr std::string_view kNoProgramCaption = "Card File";

// The captions of a loaded program: "SID n, Card File: NAME" for the main window and
// "SID n, Program Window: NAME" for the program window.
std::string CardFileCaption(int session, const std::string& programName);
std::string ProgramWindowCaption(int session, const std::string& programName);

}  // namespace veldra
