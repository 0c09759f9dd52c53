#pragma once

#include <string_view>

namespace veldra {

class Triggers;

// Reads the names of a trigger list ("TRIGGERS ON A, B AND") from the text of one piece:
// names are separated by blanks or ",", the word AND closes the list, and so does a
// statement's ASSIGN. `listOpen` is cleared when the list closes; what follows its
// end is returned for the caller to read on (nothing while the list stays open).
std::string_view ReadTriggerNames(std::string_view text, Triggers& triggers, bool& listOpen);

}  // namespace veldra
