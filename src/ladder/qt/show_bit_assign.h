#pragma once

#include <string_view>

namespace veldra {

class Statement;
class StatementViews;
class frmShowAssign;
struct StatementViewHost;

// Opens a new viewer on the first statement, in load order, whose results hold the bit
// of that name, or says "No Statement Found". An open viewer of the same statement is
// not reused.
void ShowBitAssign(const StatementViewHost& host, std::string_view BitName);

// Opens a new viewer on the statement and places it as the host says.
frmShowAssign& ShowStatement(const StatementViewHost& host, Statement& statement);

// The program window's statement views as the ladder windows make them: the viewer above
// and the statement editor.
StatementViews& LadderStatementViews();

}  // namespace veldra
