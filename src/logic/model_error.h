#pragma once

#include <exception>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/load_under_way.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"
#include "platform/window_errors.h"

namespace veldra {

// Whether a failing member first closes the loading-progress window, so that its
// question is not hidden behind it while a source is being read.
enum class ProgressWindow { Keep, Close };

// How every member of the model classes answers an unexpected error: it asks
// "End Program?" under the title "Error: " and the error's description, Yes ends the
// application and No leaves the member.
void ReportModelError(const std::string& description,
                      ProgressWindow progress = ProgressWindow::Keep);

// Runs a model member's body under that convention. When the body fails, the error is
// reported and `fallback` is what the member gives its caller instead. Memory running out
// in a load is no member's to answer: it goes on to the load, which lets go of the whole
// half-made program before it says so (out of a load, it is answered as any failure).
template <class Body, class Result = std::invoke_result_t<Body>>
Result GuardModel(ProgressWindow progress, std::type_identity_t<Result> fallback, Body&& body) {
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& error) {
        if (EndsTheLoad(error)) {
            throw;
        }
        ReportModelError(FailureText(error), progress);
        return fallback;
    }
}

// The same for a member that gives nothing back. True when the body ran to its end.
template <class Body>
bool GuardModel(ProgressWindow progress, Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception& error) {
        if (EndsTheLoad(error)) {
            throw;
        }
        ReportModelError(FailureText(error), progress);
        return false;
    }
}

}  // namespace veldra
