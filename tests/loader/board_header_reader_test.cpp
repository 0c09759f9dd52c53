#include "loader/board_header_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace veldra::testing {
namespace {

using Step = BoardHeaderReader::Step;

// A header as pieces ("|" between them), the step the last one gives, and then the name,
// the type ("OUT16" is the board before's) and the words the header set.
struct HeaderCase {
    const char* pieces;
    Step last;
    const char* read;
};

TEST(BoardHeaderReader, ReadsTheHeader) {
    const HeaderCase cases[] = {
        {"BOARD:|IN_1|ADJUSTABLE|ENABLE:|1|TYPE:|IN16", Step::Complete, "IN_1 IN16 adj en"},
        {"BOARD:|B|TYPE:|LED6", Step::Complete, "B LED6"},  // neither word: fixed, disabled
        {"BOARD:|B|IN16", Step::Complete, "B IN16"},        // the type word without TYPE:
        {"BOARD:|B|ENABLE:|0|TYPE: IN16", Step::Complete, "B IN16"},
        {"BOARD:|B|ENABLE:|Y|IN16", Step::Complete, "B IN16"},  // another last character
        {"BOARD:|B|ENABLE:|1;|IN16", Step::Complete, "B IN16 en"},
        {"BOARD:|B|ENABLE:|X:|1|IN16", Step::Complete, "B IN16 en"},  // a further colon
        {"BOARD:|B|ADJUSTABLE ENABLE:|1|TYPE:|MIXIO", Step::Complete, "B MIXIO adj en"},
        {"BOARD:|B|TYPE:", Step::Reading, "B OUT16"},  // the type word not yet come
        {"BOARD:|B|BOARD:", Step::NoTypeWord, "B OUT16"},
        {"BOARD:|B|FIXED|LOGIC BEGIN", Step::NoTypeWord, "B OUT16"},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.pieces);
        BoardHeaderReader header;
        std::string name = "BEFORE";
        std::string type = "OUT16";
        std::istringstream pieces(c.pieces);
        Step step = Step::Reading;
        for (std::string piece; std::getline(pieces, piece, '|');) {
            ASSERT_EQ(step, Step::Reading) << "before " << piece;
            step = header.NewBoard(piece, name, type);
        }
        EXPECT_EQ(step, c.last);
        EXPECT_EQ(name + " " + type + (header.Adjustable() ? " adj" : "") +
                      (header.Enabled() ? " en" : ""),
                  c.read);
    }
}

}  // namespace
}  // namespace veldra::testing
