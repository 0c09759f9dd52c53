#pragma once

#include <string>
#include <string_view>

namespace veldra {

// The expression a statement's ladder is laid out from. A ladder has contacts in series
// and in parallel, each a front or back contact, so three shapes cannot be drawn as they
// are written and are redrawn with the same meaning:
// - a "~" before a bracket is carried to every operand inside, "*" and "+" exchanged
//   ("~(A*B)" is drawn as "~A+~B"), and two "~" on one operand cancel;
// - an exclusive or between operands alone stays one contact named "A@B", whose value is
//   their exclusive or, a back contact where the negations it gathers are odd in number;
// - any other exclusive or is spelt out, X@Y as X*~Y+~X*Y.
// Every other expression, text that is no expression, and an expression whose redrawing
// would pass the ladder's limit of cells, is given back as it is, so that it lays out
// exactly as written. Blanks mean nothing in an expression and are left out first, so
// that "~ (A * B)" is drawn as "~(A*B)" is.
std::string DrawnExpression(std::string_view expression);

}  // namespace veldra
