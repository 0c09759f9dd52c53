#include "shell/statement_export.h"

#include "ladder/statement_text.h"
#include "logic/statement.h"
#include "logic/statements.h"

namespace veldra {

std::string StatementExportText(const Statements* statements, bool editedOnly) {
    std::string out;
    if (statements == nullptr) {
        return out;
    }
    for (const Statement& statement : *statements) {
        if (!editedOnly || statement.Edited()) {
            out += EditableText(statement);
            out += "\r\n";
        }
    }
    return out;
}

}  // namespace veldra
