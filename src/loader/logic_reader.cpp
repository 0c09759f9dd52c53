#include "loader/logic_reader.h"

#include <memory>

#include "loader/keywords.h"
#include "loader/load_context.h"
#include "logic/statements.h"
#include "platform/runtime_error.h"

namespace veldra {

void LogicReader::AddLogicText(std::string_view piece) {
    if (statement_.Add(piece, context_.Line())) {
        context_.SetLine(statement_.Line());
        AddStatement(statement_.Take());
    }
}

void LogicReader::EndSection() {
    statement_.ReportUnclosed(context_);
}

void LogicReader::AddStatement(const std::string& text) {
    const Statement* added = nullptr;
    context_.Guard([&] {
        auto statement = std::make_unique<Statement>();
        statement->SetStrStatement(text);
        Statements& assigns = context_.Assigns();
        const std::string key(statement->ResultBitName(0));
        // Told here rather than by the collection, so that the message names the bit.
        if (!key.empty() && assigns.Find(key) != nullptr) {
            throw RuntimeError("The bit " + Excerpt(key) +
                               " is already assigned by another statement");
        }
        added = &assigns.Append(std::move(statement));
    });
    if (added != nullptr) {
        ReportStatementThatStops(context_, *added, text);
    }
}

}  // namespace veldra
