#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "platform/platform.h"

namespace veldra {

// A command of a window that fails shows the failure's description in a box (under
// `title`, after `lead` where the window says what failed) and ends; what it did before
// the failure stays done.
template <class Body>
void ReportWindowErrors(Body&& body, std::string_view title = "Veldra",
                        std::string_view lead = {}) {
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& error) {
        MsgBox(std::string(lead) + error.what(), MsgButtons::Ok, MsgIcon::Critical,
               std::string(title));
    }
}

}  // namespace veldra
