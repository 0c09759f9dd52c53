#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veldra {

// The expression a statement's ladder is laid out from. A ladder has contacts in series
// and in parallel, each a front or back contact, so three shapes cannot be drawn as they
// are written and are redrawn with the same meaning:
// - a "~" before a bracket is carried to every operand inside, "*" and "+" exchanged
//   ("~(A*B)" is drawn as "~A+~B"), and two "~" on one operand cancel;
// - the operands alone of an exclusive-or chain, wherever they stand in it, make one
//   contact named "A@B", whose value is their exclusive or, a back contact where the
//   negations it gathers are odd in number;
// - the chain's other operands (products, brackets) are spelt out around that contact,
//   X@Y as X*~Y+~X*Y, halving the chain each time, so that one chain's drawing grows with
//   the square of their number and never doubles with each. A chain nested inside one of
//   those operands is spelt out in both senses, itself and negated, so each level of such
//   nesting doubles what lies inside it: a rung nested deep enough passes the limit below.
// Every other expression, and text that is no expression, is given back as it is, so
// that it lays out exactly as written. Nothing when the redrawing would pass the ladder's
// limit of cells: such a statement cannot be drawn whole. Blanks mean nothing in an
// expression and are left out first, so that "~ (A * B)" is drawn as "~(A*B)" is.
std::optional<std::string> DrawnExpression(std::string_view expression);

}  // namespace veldra
