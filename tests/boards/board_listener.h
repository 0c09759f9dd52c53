#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "boards/board_items.h"
#include "platform/runtime_error.h"

namespace veldra::testing {

// Listens to a board's events as its window does, and writes down what it heard, in
// order, as "<what>: <name>".
class BoardListener {
public:
    BoardListener& Hear(ItemAdded& event, std::string what) {
        subscriptions_.push_back(event.Subscribe([this, what](std::string_view name) {
            heard.push_back(what + ": " + std::string(name));
        }));
        return *this;
    }

    std::vector<std::string> heard;

private:
    std::vector<Subscription> subscriptions_;
};

// What the platform goes through when a board list refuses a name it already holds.
inline const std::vector<std::string> kDuplicateRefused = {
    "unload progress",
    std::string("box: Error: ") + errors::kDuplicateKey + ": End Program?",
};

}  // namespace veldra::testing
