#include "logic/statements.h"

#include "platform/ascii_text.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"

namespace veldra {

Statements::~Statements() {
    // The statements leave while the collection they report to still stands.
    items_.Clear();
}

Statement* Statements::Add(std::string_view text, std::string_view key, bool numeric) {
    return GuardModel(ProgressWindow::Close, nullptr, [&] {
        auto statement = std::make_unique<Statement>();
        statement->SetStrStatement(text);
        const std::string itemKey(key.empty() ? statement->ResultBitName(0) : key);
        statement->SetParent(this);
        if (numeric) {
            statement->SetIsNumeric(true);
            return &items_.Add(std::move(statement));
        }
        return &items_.Add(std::move(statement), itemKey);
    });
}

Statement& Statements::Append(std::unique_ptr<Statement>&& statement) {
    const std::string key(statement->ResultBitName(0));
    if (!key.empty() && items_.Contains(key)) {
        throw RuntimeError(errors::kDuplicateKey);  // the caller keeps its statement
    }
    statement->SetParent(this);
    return items_.Add(std::move(statement), key);
}

void Statements::NumberResultSlots() {
    std::vector<std::uint8_t> numbered;
    numbered.reserve(std::size_t(Count()));
    const std::uint32_t followed = FollowedSlot();
    for (Statement& statement : *this) {
        if (followed != kNoSlot && statement.resultSlot_ == followed) {
            Follow(statement);  // the slot is about to name another statement
        }
        numbered.push_back(statement.Result() ? 1 : 0);
        statement.resultSlot_ = std::uint32_t(numbered.size() - 1);
    }
    results_ = std::move(numbered);
}

void Statements::ForwardStatementChanged(const Statement& statement) {
    // The name is not looked at for nobody: the scan solves many statements in a row.
    if (IsForwarded(statement) && StatementChanged.HasSubscribers()) {
        StatementChanged.Raise(statement.ResultBitName(0), statement.Result());
    }
}

bool Statements::TakeNewKey(const Statement& statement, std::string_view newKey) {
    const Statement* holder = items_.Item(newKey);
    if (!newKey.empty() && holder != nullptr && holder != &statement) {
        MsgBox("The statement was not changed: another statement already assigns " +
                   std::string(newKey) + ".",
               MsgButtons::Ok, MsgIcon::Critical, "Veldra");
        return false;
    }
    items_.Rekey(statement, newKey);
    return true;
}

}  // namespace veldra
