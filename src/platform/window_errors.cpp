#include "platform/window_errors.h"

#include "platform/memory_room.h"

namespace veldra {
namespace {

constexpr std::string_view kOutOfMemory = "Out of memory";
constexpr std::string_view kWhatToDo =
    "Close the windows and programs you do not need, or raise the memory limit, and try again.";

}  // namespace

std::string FailureText(const std::exception& error, std::string_view lead) {
    std::string text(lead);
    if (dynamic_cast<const std::bad_alloc*>(&error) == nullptr) {
        return text.append(error.what());
    }
    // The box that says so is mapped anew, never in the allocator's free memory.
    HandBackFreeMemory();
    const bool saysMore = dynamic_cast<const NotEnoughMemory*>(&error) != nullptr;
    return text.append(saysMore ? std::string_view(error.what()) : kOutOfMemory)
        .append(". ")
        .append(kWhatToDo);
}

void ShowFailure(const std::exception& error, std::string_view title, std::string_view lead) {
    MsgBox(FailureText(error, lead), MsgButtons::Ok, MsgIcon::Critical, std::string(title));
}

}  // namespace veldra
