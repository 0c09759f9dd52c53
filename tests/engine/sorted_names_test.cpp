#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/sorted_names.h"

namespace veldra::testing {
namespace {

using Names = std::vector<std::string>;

TEST(SortedNames, AlphabeticalIgnoringCaseWithNamesOfOneSpellingKeptInTheirOrder) {
    const struct {
        Names given;
        Names sorted;
    } cases[] = {
        {{"TR2", "Tr1", "tr3", "AB"}, {"AB", "Tr1", "TR2", "tr3"}},
        {{"pb_1", "PB_1", "Pb_1"}, {"pb_1", "PB_1", "Pb_1"}},
        {{"AB", "A", "ABC", ""}, {"", "A", "AB", "ABC"}},
        {{"A_1", "A1", "A[1]", "a.1"}, {"a.1", "A1", "A[1]", "A_1"}},
        // Letters beyond ASCII are not folded: they come after every ASCII letter, by code.
        {{"\xE9T", "ZZ", "\xC9T"}, {"ZZ", "\xC9T", "\xE9T"}},
        {{}, {}},
    };
    for (const auto& [given, sorted] : cases) {
        EXPECT_EQ(SortedNames(given), sorted);
        // The positions of a list of names, taken in the same order.
        NameList list;
        for (const std::string& name : given) {
            list.push_back(name);
        }
        Names inOrder;
        for (const std::uint32_t at : ListOrder(list)) {
            inOrder.emplace_back(list[at]);
        }
        EXPECT_EQ(inOrder, sorted);
    }
}

}  // namespace
}  // namespace veldra::testing
