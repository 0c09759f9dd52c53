#include "engine/log_file.h"

#include <cstdio>
#include <ctime>
#include <system_error>
#include <utility>

#include "engine/program_engine.h"
#include "engine/sorted_names.h"
#include "logic/text_helpers.h"
#include "platform/file_replacement.h"
#include "platform/platform.h"

namespace veldra {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string TwoDigits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

const char* TrueFalse(bool value) {
    return value ? "True" : "False";
}

}  // namespace

LogMoment LogFileHost::Now() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::string FormatLogDate(const LogMoment& moment) {
    char year[8];
    std::snprintf(year, sizeof year, "%04d", moment.year);
    return TwoDigits(moment.month) + "/" + TwoDigits(moment.day) + "/" + year;
}

std::string FormatLogTime(const LogMoment& moment) {
    const int hour = moment.hour % 12 == 0 ? 12 : moment.hour % 12;
    return TwoDigits(hour) + ":" + TwoDigits(moment.minute) + (moment.hour < 12 ? " AM" : " PM");
}

LogFile::LogFile(ProgramEngine& engine, LogFileHost& host) : engine_(engine), host_(host) {}

LogFile::~LogFile() {
    Close();  // the window that listened is going too
}

bool LogFile::RefuseStart() const {
    if (!engine_.Running()) {
        return false;
    }
    MsgBox(kRunningPrompt, MsgButtons::Ok, MsgIcon::Information, kFailedTitle);
    return true;
}

bool LogFile::Start(const std::string& programName) {
    if (logging_ || RefuseStart()) {
        return false;
    }
    const std::optional<std::filesystem::path> chosen = host_.SaveLogAs(programName);
    if (!chosen) {
        return false;
    }
    // A link the engineer chose keeps pointing at the log, which is written where it points.
    const std::filesystem::path target = WriteTarget(*chosen);
    std::error_code error;
    const bool replacing =
        std::filesystem::exists(target, error) && !std::filesystem::is_directory(target, error);
    if (replacing && MsgBox("Replace File?", MsgButtons::YesNo, MsgIcon::Question, "File Exists") !=
                         MsgAnswer::Yes) {
        return false;
    }
    const std::filesystem::perms permissions = ReplacementPermissions(target);
    if (replacing) {
        // Replaced also when it is read-only, as the engineer has just agreed to.
        std::filesystem::permissions(target, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove(target, error);
    }
    if (!Open(target)) {
        ReportFailure("created");
        return false;
    }
    // The open stream keeps writing whatever the file's permissions now say.
    std::filesystem::permissions(target, permissions, error);
    const std::string location = host_.LocationName();
    stream_ << Header(programName, location);
    stream_.flush();
    if (!stream_) {
        stream_.close();
        ReportFailure("written");
        return false;
    }
    logging_ = true;
    logged_ =
        engine_.Status().Logged.Subscribe([this](std::string_view entry) { WriteEntry(entry); });
    Changed.Raise();
    return true;
}

bool LogFile::Open(const std::filesystem::path& path) {
    path_ = path;
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return false;  // a new log never writes over a file it was not allowed to replace
    }
    stream_.open(path, std::ios::out | std::ios::binary | std::ios::trunc);
    return stream_.is_open();
}

std::string LogFile::Header(const std::string& programName, const std::string& location) const {
    std::string header;
    const auto line = [&](std::string_view text = {}) {
        header += text;
        header += kLineEnd;
    };
    const auto emptyLines = [&](int count) {
        for (int i = 0; i < count; ++i) {
            line();
        }
    };
    const BooleanBits* bits = engine_.PrgBooleanBits();
    const auto find = [&](const std::string& name) {
        return bits != nullptr ? bits->Find(name) : nullptr;
    };
    const LogMoment now = host_.Now();
    // The bits in the order of the "Force Bit" check list.
    const std::vector<std::string> booleanBits = SortedNames(engine_.Lists().statusRows.Strings());

    line("Program Name: " + TrimUpper(programName));
    line("Location Name: " + location);
    line();
    line("Date: " + FormatLogDate(now));
    line("Time: " + FormatLogTime(now));
    line();
    line("The following bits are part of the program but will not be shown in this log");
    line();
    for (const std::string& name : booleanBits) {
        if (const BooleanBit* bit = find(name); bit != nullptr && bit->Filter()) {
            line(name);
        }
    }
    emptyLines(3);
    line("User Bits (Configuration)");
    line();
    for (const std::string& name : engine_.Lists().userBits) {
        const BooleanBit* bit = find(name);
        line(name + ": " + TrueFalse(bit != nullptr && bit->BitValue()));
    }
    emptyLines(3);
    line(engine_.ShowsIOUpdates() ? "IO Updates will be logged" : "IO Updates will not be logged");
    emptyLines(3);
    line("Starting bit state");
    line();
    for (const std::string& name : booleanBits) {
        const BooleanBit* bit = find(name);
        if (bit == nullptr || !bit->Filter()) {
            line(name + ": " + TrueFalse(bit != nullptr && bit->BitValue()));
        }
    }
    emptyLines(5);
    line("Begin Log");
    line();
    return header;
}

void LogFile::WriteEntry(std::string_view entry) {
    if (!logging_) {
        return;
    }
    // The stamp and the text are two lines; an empty line parts the entries.
    stream_ << entry << kLineEnd << kLineEnd;
    stream_.flush();
    if (!stream_) {
        // Left installed: this runs inside the immediate window's own call to it.
        logging_ = false;
        stream_.close();
        ReportFailure("written. Logging has stopped");
        Changed.Raise();
    }
}

void LogFile::Stop() {
    if (Close()) {
        Changed.Raise();
    }
}

bool LogFile::Close() {
    const bool wasLogging = std::exchange(logging_, false);
    logged_.Cancel();
    stream_.close();
    return wasLogging;
}

void LogFile::ReportFailure(const std::string& what) {
    MsgBox("The log file " + path_.string() + " could not be " + what + ".", MsgButtons::Ok,
           MsgIcon::Exclamation, kFailedTitle);
}

}  // namespace veldra
