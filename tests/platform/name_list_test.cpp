#include "platform/name_list.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace veldra {
namespace {

TEST(NameList, GivesBackEveryNameInOrderEmptyNamesIncluded) {
    const std::vector<std::string> names = {"TC0", "", "L1", "A VERY LONG NAME OF A BIT", "1"};
    NameList list;
    list.reserve(2, 3);  // less room than needed: the list grows
    for (const std::string& name : names) {
        list.push_back(name);
    }
    ASSERT_EQ(list.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(list[i], names[i]) << i;
    }
    std::vector<std::string> walked;
    for (const std::string_view name : list) {
        walked.emplace_back(name);
    }
    EXPECT_EQ(walked, names);
    EXPECT_EQ(list.Strings(), names);
}

TEST(NameList, ClearedItStartsAfresh) {
    NameList list;
    list.push_back("OLD");
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.begin(), list.end());
    list.push_back("NEW");
    EXPECT_EQ(list.Strings(), std::vector<std::string>{"NEW"});
}

}  // namespace
}  // namespace veldra
