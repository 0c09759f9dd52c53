#pragma once

#include <string>
#include <string_view>

namespace veldra {

class Statements;

// Every statement of the program, or only those the user edited, one line each ended by
// CR LF, in the collection's order: each as the editors show it, "ASSIGN A * B TO X, Y;". Nothing
// to export gives the empty text.
std::string StatementExportText(const Statements* statements, bool editedOnly);

}  // namespace veldra
