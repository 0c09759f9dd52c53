#include "loader/io_list_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace veldra::testing {
namespace {

using Lines = std::vector<std::string>;

// Pieces offered to an output list ("|" between them), the names it adds ("," between
// them), and whether the list is complete.
TEST(IOListReader, ReadsTheList) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"OUTPUT:|A, B, C;", "A,B,C", true},
        {"OUTPUT:|A, B,|C;", "A,B,C", true},
        {"OUTPUT:|A, B|C;", "A,B,C", true},  // the line's end ends a name
        {"OUTPUT:|TR_1T , B ;", "TR_1T,B", true},
        {"OUTPUT:|A,, B;", "A,B", true},
        {"OUTPUT:|A B, C;", "A B,C", true},  // blanks inside a name stay
        {"NV.OUTPUT:|A;", "A", true},
        {"INPUT:|X;|OUTPUT:", "", false},       // pieces before the header are not the list's
        {"OUTPUT:|A,|INPUT:", "A", false},      // another header is no name
        {"OUTPUT:|A,|LOGIC BEGIN", "A", true},  // a section keyword ends the list
    };
    for (const auto& [barred, expected, expectComplete] : cases) {
        IOListReader outputs("OUTPUT:", "NV.OUTPUT:");
        std::string names;
        bool complete = false;
        std::istringstream pieces(barred);
        for (std::string piece; std::getline(pieces, piece, '|');) {
            complete = outputs.Read(piece, [&](const std::string& name) {
                names += (names.empty() ? "" : ",") + name;
            });
        }
        EXPECT_EQ(names, expected) << barred;
        EXPECT_EQ(complete, expectComplete) << barred;
    }
}

}  // namespace
}  // namespace veldra::testing
