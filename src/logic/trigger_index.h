#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace veldra {

// The tables or blocks of one collection that each trigger name marks, in the
// collection's order, so that an edge of a trigger bit reaches only the ones that name
// it instead of reading every trigger list of the program. Names match exactly (letter
// case counts). The index is made again on the first edge after a table, a block or a
// trigger was added or removed.
template <class Item>
class TriggerIndex {
public:
    void Invalidate() { built_ = false; }

    // Calls mark for every item of the collection whose trigger list names the bit.
    template <class Collection, class Mark>
    void ForEachNaming(Collection& items, std::string_view BitName, Mark&& mark) {
        if (!built_) {
            Build(items);
        }
        const auto found = byName_.find(BitName);
        if (found == byName_.end()) {
            return;
        }
        for (Item* item : found->second) {
            mark(*item);
        }
    }

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const noexcept {
            return std::hash<std::string_view>{}(name);
        }
    };

    template <class Collection>
    void Build(Collection& items) {
        byName_.clear();
        for (Item& item : items) {
            for (const auto& trigger : item.TriggerList()) {
                std::vector<Item*>& named = byName_[trigger.BitName];
                // A list that names the bit twice marks its item once.
                if (named.empty() || named.back() != &item) {
                    named.push_back(&item);
                }
            }
        }
        built_ = true;
    }

    std::unordered_map<std::string, std::vector<Item*>, NameHash, std::equal_to<>> byName_;
    bool built_ = false;
};

}  // namespace veldra
