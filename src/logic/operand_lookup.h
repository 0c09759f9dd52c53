#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hash_growth.h"

namespace veldra {

// Finds a name among a statement's operand names: by a short search for the few operands
// of most statements, by a hash index for long ones, so that reading a statement of many
// thousand operands stays linear. The names must outlive the lookup.
class OperandLookup {
public:
    explicit OperandLookup(const std::vector<std::string_view>& names) : names_(names) {
        if (names.size() > kSearchLimit) {
            index_.reserve(names.size());
            for (std::size_t i = 0; i < names.size(); ++i) {
                index_.try_emplace(names[i], std::uint32_t(i));  // within the room reserved
            }
        }
    }

    // The index of the first operand of that name; none when no operand has it.
    std::optional<std::uint32_t> Find(std::string_view name) const {
        if (names_.size() > kSearchLimit) {
            const auto found = index_.find(name);
            return found == index_.end() ? std::nullopt : std::optional(found->second);
        }
        const auto found = std::find(names_.begin(), names_.end(), name);
        return found == names_.end() ? std::nullopt
                                     : std::optional(std::uint32_t(found - names_.begin()));
    }

private:
    static constexpr std::size_t kSearchLimit = 16;
    const std::vector<std::string_view>& names_;
    HashMap<std::string_view, std::uint32_t> index_;
};

}  // namespace veldra
