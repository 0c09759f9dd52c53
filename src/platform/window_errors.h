#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "platform/load_under_way.h"
#include "platform/platform.h"

namespace veldra {

// A command of a window that fails shows the failure's description in a box (under
// `title`, after `lead` where the window says what failed) and ends; what it did before
// the failure stays done. Memory running out in a load is no command's to answer: it goes on
// to the load (`EndsTheLoad`).
template <class Body>
void ReportWindowErrors(Body&& body, std::string_view title = "Veldra",
                        std::string_view lead = {}) {
    AnswerFailures(std::forward<Body>(body), [&](const std::exception& error) {
        MsgBox(std::string(lead) + error.what(), MsgButtons::Ok, MsgIcon::Critical,
               std::string(title));
    });
}

}  // namespace veldra
