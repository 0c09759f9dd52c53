#include "ladder/statement_text.h"

#include "logic/statement.h"

namespace veldra {

std::string EditableText(const Statement& statement) {
    const StatementRow row = statement.LoadFrmStatements();
    return "ASSIGN " + row.expression + row.results;
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n' || c == '\t') {
            c = ' ';
        }
    }
    return line;
}

}  // namespace veldra
