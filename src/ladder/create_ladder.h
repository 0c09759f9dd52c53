#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ladder/elements.h"

namespace veldra {

class Ladders;

// Stands, in the viewer and the book, in place of the contacts of a statement whose
// ladder passes the grid's limit of cells.
inline constexpr std::string_view kTooLargeNote =
    "Too large to draw as a ladder: read the statement's text";
// Stands there in place of the contacts of a statement in which one "~" follows another:
// the run stops at it, so no contact may show it as logic that runs. The statement's text
// stands beside it, in the viewer's box and below the note in the book.
inline constexpr std::string_view kNotTwiceNote = "Stops the run: \"~\" stands twice";

// The operand names the expression of a statement text ("(A+~B)*C@D TO X;") reads, in
// the order they first stand, each once, as its ladder reads them: a "~" inside a name is
// part of it.
std::vector<std::string> ExpressionNames(std::string_view statement);

// The ladder drawing of one statement: operands joined by "*" stand in series on one
// row, those joined by "+" on parallel rows joined at both ends, "~" makes a back
// contact, brackets group, and the results hang as coils in a column on the right. The
// same text always gives the same grid; text it cannot make sense of gives the part it
// could lay out. A "~" inside a name is part of the name, as the evaluator reads it.
class CreateLadder {
public:
    // Cells take `resolution` (the element size in percent).
    explicit CreateLadder(double resolution = 100) : elements_(resolution) {}
    CreateLadder(const CreateLadder&) = delete;
    CreateLadder& operator=(const CreateLadder&) = delete;

    Elements& GetElements() { return elements_; }
    const Elements& GetElements() const { return elements_; }

    const std::string& Statement() const { return statement_; }
    // Lays out the statement as the hosts pass it: without "ASSIGN", upper-cased and
    // trimmed ("(A+B)*C TO X;"). A second text is laid over the cells already there. An
    // expression whose ladder would pass 10000 cells gets a note (`kTooLargeNote`) in
    // place of its contacts, never a part of them, and so does one the evaluator refuses
    // for a "~" standing twice (`kNotTwiceNote`); its coils follow.
    void SetStatement(std::string_view text);
    // The note a text laid out gave way to, or empty: its contacts are not drawn, so
    // whoever lists what the rung reads takes it from the statement's text. The note's
    // cell may be rewrapped by a page, so the note is kept here rather than read from it.
    std::string_view Note() const { return note_; }

    // Places the coils of the results text ("X, Y;") and gives their number.
    int CrOut(std::string_view results);
    // Empties the grid and the whole list that holds the ladder.
    void ClearMem();

    int PageNumber = 0;
    bool IsNumeric = false;
    Ladders* Parent = nullptr;  // the list that holds the ladder; not owned

private:
    void LayoutExpression(std::string_view expression);
    void JoinBranches();

    Elements elements_;
    std::string statement_;
    std::string_view note_;
};

}  // namespace veldra
