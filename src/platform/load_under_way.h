#pragma once

#include <exception>
#include <utility>

namespace veldra {

// Whether a program is being loaded anywhere in the application. Memory running out in a
// load is answered by the load as a whole, which lets go of the half-made program, never
// by the member that was building it when it ran out.
bool LoadUnderWay();

// Marks a load as under way for as long as it lives.
class LoadUnderWayScope {
public:
    LoadUnderWayScope();
    ~LoadUnderWayScope();
    LoadUnderWayScope(const LoadUnderWayScope&) = delete;
    LoadUnderWayScope& operator=(const LoadUnderWayScope&) = delete;
};

// Marks a command of the user's under way for as long as it lives (`ReportWindowErrors`
// makes one): memory running out anywhere in it, a turn of the desktop it gives included,
// goes on to the command, which says so once its work has gone, as a load does.
class CommandUnderWayScope {
public:
    CommandUnderWayScope();
    ~CommandUnderWayScope();
    CommandUnderWayScope(const CommandUnderWayScope&) = delete;
    CommandUnderWayScope& operator=(const CommandUnderWayScope&) = delete;
};

// Whether the failure is memory running out in a load, or in a command under way: it goes
// on to the load's end, or the outermost command's.
bool EndsTheLoad(const std::exception& error);

// Runs `body` and gives `answer` any failure of it but memory running out in a load, which
// goes on to the load's end: every handler a load can reach answers failures by this rule.
template <class Body, class Answer>
void AnswerFailures(Body&& body, Answer&& answer) {
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& error) {
        if (EndsTheLoad(error)) {
            throw;
        }
        std::forward<Answer>(answer)(error);
    }
}

// Runs `body`, whose failures are of no consequence, by the same rule.
template <class Body>
void IgnoringFailures(Body&& body) {
    AnswerFailures(std::forward<Body>(body), [](const std::exception&) {});
}

}  // namespace veldra
