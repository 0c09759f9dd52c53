#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "loader/keywords.h"
#include "loader/load_context.h"
#include "logic/doubled_not.h"
#include "logic/statement.h"
#include "platform/runtime_error.h"

namespace veldra {

// The text of one statement gathered from the pieces it spans, joined with one blank
// where they met, until the piece that holds its ";".
class StatementText {
public:
    // Adds a piece; true when the piece completes the statement.
    bool Add(std::string_view piece, int line) {
        if (!piece.empty()) {
            if (text_.empty()) {
                line_ = line;
            } else {
                text_ += ' ';
            }
            text_.append(piece);
        }
        return Contains(piece, ";");
    }

    bool Empty() const { return text_.empty(); }
    // The line the statement begins on.
    int Line() const { return line_; }
    // The gathered text, leaving none behind.
    std::string Take() { return std::exchange(text_, {}); }

    // A section or the file ended in the middle of the statement: it is reported, naming
    // its line, instead of being glued to whatever comes next.
    void ReportUnclosed(LoadContext& context) {
        if (Empty()) {
            return;
        }
        context.SetLine(Line());
        const std::string text = Take();
        context.Guard([&] {
            throw RuntimeError("The statement " + Excerpt(text) + " has no closing \";\"");
        });
    }

private:
    std::string text_;
    int line_ = 0;
};

// A statement the run would stop at, one in which a "~" stands twice, is named with its line
// as it is read rather than at the first start. It stays as written, for the user to mend.
inline void ReportStatementThatStops(const LoadContext& context, const Statement& statement,
                                     std::string_view text) {
    if (NotStandsTwice(statement.strStatement())) {
        context.Guard([&] {
            throw RuntimeError("The statement " + Excerpt(text) +
                               " stops the run: " + std::string(kNotStandsTwice));
        });
    }
}

}  // namespace veldra
