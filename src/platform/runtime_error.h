#pragma once

#include <stdexcept>
#include <string>

namespace veldra {

// A run-time error inside a member of the program. Its text is the description the
// user is shown, so it reads as a message, not as a diagnostic.
class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The descriptions of the run-time errors the program's own members raise.
namespace errors {
inline constexpr const char* kInvalidProcedureCall = "Invalid procedure call or argument";
inline constexpr const char* kSubscriptOutOfRange = "Subscript out of range";
inline constexpr const char* kDuplicateKey =
    "This key is already associated with an element of this collection";
inline constexpr const char* kOverflow = "Overflow";
inline constexpr const char* kTypeMismatch = "Type mismatch";
}  // namespace errors

}  // namespace veldra
