#include "shell/statement_export.h"

#include "logic/statement.h"
#include "logic/statements.h"

namespace veldra {

std::string SpaceOperators(std::string_view expression) {
    std::string out;
    out.reserve(expression.size() * 2);
    for (const char c : expression) {
        if (c == '@' || c == '*' || c == '+') {
            out += ' ';
            out += c;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string ExportLine(const Statement& statement) {
    std::string line = "ASSIGN " + SpaceOperators(statement.strStatement()) + " TO";
    const int last = statement.UboundResults();
    for (int r = 0; r <= last; ++r) {
        line += ' ';
        line += statement.ResultBitName(r);
        line += r < last ? ',' : ';';
    }
    return line;
}

std::string StatementExportText(const Statements* statements, bool editedOnly) {
    std::string out;
    if (statements == nullptr) {
        return out;
    }
    for (const Statement& statement : *statements) {
        if (!editedOnly || statement.Edited()) {
            out += ExportLine(statement);
            out += "\r\n";
        }
    }
    return out;
}

}  // namespace veldra
