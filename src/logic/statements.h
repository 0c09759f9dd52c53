#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "logic/model_collection.h"
#include "logic/statement.h"
#include "platform/event.h"

namespace veldra {

// The program's logic statements, keyed by their first result bit; the statements of a
// numeric block are held without a key. It re-raises StatementChanged, as (bit name,
// result), for exactly one statement: the one last fetched with Item.
class Statements : public ForwardingCollection<Statement> {
public:
    Statements() = default;
    ~Statements();
    Statements(const Statements&) = delete;
    Statements& operator=(const Statements&) = delete;

    // Creates a statement from its whole text and adds it under `key`, or under its first
    // result when `key` is empty; a numeric-block statement goes in without a key. A key
    // already present is refused with the model's error question and yields nothing.
    Statement* Add(std::string_view text, std::string_view key = {}, bool numeric = false);

    // Adds an existing statement under its first result; a key already present is a
    // RuntimeError for the caller, who keeps the statement.
    Statement& Append(std::unique_ptr<Statement>&& statement);

    // Whether any statement of the collection is shown in a window, so that bit changes
    // need to be passed on to ladders at all.
    bool AnyDisplayed() const { return displayedCount_ > 0; }

    // Grows whenever a statement of the collection is edited, disabled or enabled, or gains
    // a listener: what the scan keeps of the statements beside them is then to be read
    // again.
    std::uint64_t ScanEpoch() const { return scanEpoch_; }

    // Every statement's result (0 or 1) by its result slot: the scan reads and writes them
    // here, so that a changed result touches no statement. NumberResultSlots gives each
    // statement the slot of its position in the collection, from 0; a statement added
    // later takes the next free slot until they are numbered again.
    std::uint8_t* ScanResults() { return results_.data(); }
    void NumberResultSlots();

    // Follows the statement whose result is kept in the slot, as Follow would the
    // statement itself.
    void FollowSlot(std::uint32_t slot) { ForwardingCollection<Statement>::FollowSlot(slot); }

    Event<std::string_view, bool> StatementChanged;

private:
    friend class Statement;
    void ForwardStatementChanged(const Statement& statement);
    void DisplayedChanged(bool displayed) { displayedCount_ += displayed ? 1 : -1; }
    void MoveScanEpoch() { ++scanEpoch_; }
    std::uint32_t TakeResultSlot(bool result) {
        results_.push_back(result ? 1 : 0);
        return static_cast<std::uint32_t>(results_.size() - 1);
    }
    // Re-keys a statement whose first result was edited; false, with a message, when
    // another statement holds the key.
    bool TakeNewKey(const Statement& statement, std::string_view newKey);

    int displayedCount_ = 0;
    std::uint64_t scanEpoch_ = 0;
    std::vector<std::uint8_t> results_;
};

}  // namespace veldra
