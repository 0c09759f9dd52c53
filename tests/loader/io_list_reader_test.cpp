#include "loader/io_list_reader.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace veldra::testing {
namespace {

using Lines = std::vector<std::string>;

// Pieces offered to an output list, the names it adds, and whether the list is complete.
struct ListCase {
    const char* what;
    Lines pieces;
    Lines names;
    bool complete;
};
void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.what;
}

class IOListReaderTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(IOListReaderTest, ReadsTheList) {
    IOListReader outputs("OUTPUT:", "NV.OUTPUT:");
    Lines names;
    bool complete = false;
    for (const std::string& piece : GetParam().pieces) {
        complete = outputs.Read(piece, [&](const std::string& name) { names.push_back(name); });
    }
    EXPECT_EQ(names, GetParam().names);
    EXPECT_EQ(complete, GetParam().complete);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, IOListReaderTest,
    ::testing::Values(
        ListCase{"one line", {"OUTPUT:", "A, B, C;"}, {"A", "B", "C"}, true},
        ListCase{"over two lines", {"OUTPUT:", "A, B,", "C;"}, {"A", "B", "C"}, true},
        ListCase{"the line's end ends a name", {"OUTPUT:", "A, B", "C;"}, {"A", "B", "C"}, true},
        ListCase{"blanks around a name", {"OUTPUT:", "TR_1T , B ;"}, {"TR_1T", "B"}, true},
        ListCase{"doubled commas", {"OUTPUT:", "A,, B;"}, {"A", "B"}, true},
        ListCase{"blanks inside a name stay", {"OUTPUT:", "A B, C;"}, {"A B", "C"}, true},
        ListCase{"the non-volatile header", {"NV.OUTPUT:", "A;"}, {"A"}, true},
        ListCase{
            "pieces before the header are not the list's", {"INPUT:", "X;", "OUTPUT:"}, {}, false},
        ListCase{"another header is no name", {"OUTPUT:", "A,", "INPUT:"}, {"A"}, false},
        ListCase{"a section keyword ends the list", {"OUTPUT:", "A,", "LOGIC BEGIN"}, {"A"}, true}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string_view(info.param.what)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

}  // namespace
}  // namespace veldra::testing
