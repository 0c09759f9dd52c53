#pragma once

#include <string_view>

namespace veldra {

// Why the evaluator refuses an expression in which one "~" follows another: a NOT of a NOT
// is no reading of the operand.
inline constexpr std::string_view kNotStandsTwice = "\"~\" stands twice";

// True when the evaluator refuses the expression because a "~" stands twice in it, so that
// its drawing and its load say so rather than read it as something that runs.
bool NotStandsTwice(std::string_view expression);

}  // namespace veldra
