#pragma once

#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "platform/load_under_way.h"
#include "platform/platform.h"

namespace veldra {

// Memory running out, said in words of its own where more is known than that it ran out:
// what could not be done, and what became of the user's work ("Not enough memory to save
// PATH; the old file is unchanged"). It is memory running out all the same: it goes on to
// the load or the command as any other.
class NotEnoughMemory : public std::bad_alloc {
public:
    explicit NotEnoughMemory(std::string text) : text_(std::move(text)) {}
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

// What a box says of a failure, after `lead`: memory running out said as such, with what to
// do about it, never the library's word for it (and what the allocator holds free handed
// back to the system, where the box will be mapped); any other failure's own description.
std::string FailureText(const std::exception& error, std::string_view lead = {});

// The failure of a command in a box under `title`, after `lead` where the window says what
// failed (`FailureText`).
void ShowFailure(const std::exception& error, std::string_view title = "Veldra",
                 std::string_view lead = {});

// A command of a window that fails shows the failure in a box (`ShowFailure`) and ends;
// what it did before the failure stays done. Memory running out anywhere in it goes on to
// it (the command is under way, `CommandUnderWayScope`), past every handler of the
// members it reached, and is said once, after its work has gone; one command run inside
// another leaves it to the outer. Memory running out in a load is no command's to answer:
// it goes on to the load (`EndsTheLoad`).
template <class Body>
void ReportWindowErrors(Body&& body, std::string_view title = "Veldra",
                        std::string_view lead = {}) {
    AnswerFailures(
        [&] {
            const CommandUnderWayScope underWay;
            std::forward<Body>(body)();
        },
        [&](const std::exception& error) { ShowFailure(error, title, lead); });
}

}  // namespace veldra
