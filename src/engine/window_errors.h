#pragma once

#include <exception>
#include <utility>

#include "platform/platform.h"

namespace veldra {

// A command of a window that fails shows the failure's description in a "Veldra" box
// and ends; what it did before the failure stays done.
template <class Body>
void ReportWindowErrors(Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& error) {
        MsgBox(error.what(), MsgButtons::Ok, MsgIcon::Critical, "Veldra");
    }
}

}  // namespace veldra
