#pragma once

#include <string>
#include <string_view>

namespace veldra {

class Statement;
class Statements;

// The expression with a blank on each side of every "@", "*" and "+"; blanks already
// there stay.
std::string SpaceOperators(std::string_view expression);

// The statement as one line of an export, without its line end:
// "ASSIGN A * B TO X, Y;".
std::string ExportLine(const Statement& statement);

// Every statement of the program, or only those the user edited, one line each ended by
// CR LF, in the collection's order. Nothing to export gives the empty text.
std::string StatementExportText(const Statements* statements, bool editedOnly);

}  // namespace veldra
