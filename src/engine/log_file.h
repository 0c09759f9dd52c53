#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "platform/event.h"

namespace veldra {

class ProgramEngine;

// A moment of the local calendar, to the minute, as the log's header states it.
struct LogMoment {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
};

// What starting a log needs of the desktop. The window implements it; tests fake it.
class LogFileHost {
public:
    static constexpr const char* kSaveFilter = "Log File (*.txt)|*.txt";
    static constexpr const char* kLocationPrompt = "Enter Location Name";
    static constexpr const char* kLocationTitle = "Log To File";

    virtual ~LogFileHost() = default;

    // The Save dialog with kSaveFilter, the read-only box hidden and the proposed name
    // filled in; nothing when the engineer cancels it.
    virtual std::optional<std::filesystem::path> SaveLogAs(const std::string& proposedName) = 0;
    // The input box kLocationPrompt titled kLocationTitle, empty at first; a cancelled
    // box gives the empty text.
    virtual std::string LocationName() = 0;
    // The local date and time now.
    virtual LogMoment Now() const;
};

// "mm/dd/yyyy" and "hh:mm AM" (12-hour clock) as the header writes them.
std::string FormatLogDate(const LogMoment& moment);
std::string FormatLogTime(const LogMoment& moment);

// The immediate window copied to a text file, so that a test run leaves a written
// record: a header naming the program, the place and the moment, the bits the log
// leaves out, the user configuration and every other bit's value at the start, then
// every immediate-window entry made while logging is on. A log starts only while the
// simulation is stopped; it may be stopped at any time. The engine must outlive it.
class LogFile {
public:
    static constexpr const char* kRunningPrompt = "You must stop the simulator first";
    static constexpr const char* kFailedTitle = "Log Failed";

    LogFile(ProgramEngine& engine, LogFileHost& host);
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    // The check mark of "Log Immediate Window".
    bool Logging() const { return logging_; }
    const std::filesystem::path& Path() const { return path_; }

    // While the simulation runs a log cannot start: says so and returns true.
    bool RefuseStart() const;
    // Asks for the file and the location and writes the header; from then on entries
    // are logged. False when refused, cancelled or the file could not be written, with
    // logging left off; a file that cannot be created or written is reported.
    bool Start(const std::string& programName);
    // Closes the file; entries go only to the immediate window again.
    void Stop();

    // Raised after Logging() changed.
    Event<> Changed;

private:
    bool Open(const std::filesystem::path& path);
    std::string Header(const std::string& programName, const std::string& location) const;
    void WriteEntry(std::string_view entry);
    void ReportFailure(const std::string& what);
    // Stop without raising Changed; true when entries were being logged.
    bool Close();

    ProgramEngine& engine_;
    LogFileHost& host_;
    std::ofstream stream_;
    std::filesystem::path path_;
    bool logging_ = false;
    Subscription logged_;  // the immediate window hands its entries to this log
};

}  // namespace veldra
