// A source file is counted once per open: the read hands on the census its check before
// reading took, or the one the open weighed the file by while the file keeps its size.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "loader/loader_fixture.h"
#include "loader/parse_text.h"
#include "loader/source_census.h"

namespace veldra::testing {
namespace {

class SourceFileTest : public LoaderTest {
protected:
    SourceFileTest() { std::ofstream(path_, std::ios::binary) << kText; }
    ~SourceFileTest() override { std::filesystem::remove(path_); }

    static constexpr const char* kText =
        "PROGRAM P;\r\nBOOLEAN BITS A, B, C;\r\nLOGIC BEGIN\r\nASSIGN A TO B;\r\n"
        "ASSIGN B TO C;\r\nEND LOGIC\r\n";
    const std::filesystem::path path_ = std::filesystem::path(::testing::TempDir()) /
                                        ("counted_" + std::to_string(::getpid()) + ".ml2");
};

TEST_F(SourceFileTest, TheTextComesWithTheCensusOfWhatItHolds) {
    const std::optional<SourceFile> source = ParseText::ReadSourceFile(path_);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->text, kText);
    EXPECT_EQ(source->census.sourceBytes, source->text.size());
    EXPECT_EQ(source->census.declarations, 3U);
    EXPECT_EQ(source->census.statements, 2U);
    EXPECT_TRUE(Boxes().empty());
}

// A census of another file's size can only be of what the file held before it changed.
TEST_F(SourceFileTest, ACensusGivenIsTakenWhileTheFileKeepsItsSizeAndCountedAfreshOtherwise) {
    const SourceRoom room = ParseText::RoomToLoad(path_, {});
    ASSERT_TRUE(room.fits);
    ASSERT_TRUE(room.census);
    SourceCensus given = *room.census;
    given.statements = 777;
    EXPECT_EQ(ParseText::ReadSourceFile(path_, given)->census.statements, 777U);
    given.sourceBytes += 1;
    EXPECT_EQ(ParseText::ReadSourceFile(path_, given)->census.statements, 2U);
}

}  // namespace
}  // namespace veldra::testing
