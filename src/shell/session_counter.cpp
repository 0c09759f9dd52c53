#include "shell/session_counter.h"

#include <charconv>

#include "platform/settings.h"

namespace veldra {
namespace {

constexpr const char* kSection = "Sessions";
constexpr const char* kKey = "SID";

}  // namespace

int SessionCounter::Stored() const {
    const std::string text = settings_.GetSetting(kSection, kKey, "0");
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() ? count : 0;
}

void SessionCounter::Reset() {
    Save(0);
}

void SessionCounter::Decrement() {
    const int count = Stored();
    Save(count > 0 ? count - 1 : count);
}

void SessionCounter::Increment() {
    Save(Stored() + 1);
}

void SessionCounter::Save(int count) {
    settings_.SaveSetting(kSection, kKey, std::to_string(count));
}

std::string CardFileCaption(int session, const std::string& programName) {
    return "SID " + std::to_string(session) + ", Card File: " + programName;
}

std::string ProgramWindowCaption(int session, const std::string& programName) {
    return "SID " + std::to_string(session) + ", Program Window: " + programName;
}

}  // namespace veldra
