#include <gtest/gtest.h>

#include "support/map_settings.h"

#include <map>

#include "platform/settings.h"
#include "shell/command_line.h"
#include "shell/dropped_files.h"
#include "shell/session_counter.h"

namespace veldra::testing {
namespace {

using Kind = StartRequest::Kind;

struct CommandLineCase {
    const char* commandLine;
    Kind kind;
    const char* path;
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ReadsTheRequest) {
    const StartRequest request = ReadStartRequest(GetParam().commandLine);
    EXPECT_EQ(request.kind, GetParam().kind);
    EXPECT_EQ(request.path, GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTest,
    ::testing::Values(CommandLineCase{"", Kind::ChooseSource, ""},
                      CommandLineCase{"   ", Kind::ChooseSource, ""},
                      CommandLineCase{"\"\" \"", Kind::ChooseSource, ""},
                      CommandLineCase{"/srv/Yard/Holt.ml2", Kind::OpenSource, "/srv/Yard/Holt.ml2"},
                      CommandLineCase{"\"/srv/My Yard/holt.ml2\"", Kind::OpenSource,
                                      "/srv/My Yard/holt.ml2"},
                      CommandLineCase{" \" \"Straße.ml2\" \" ", Kind::OpenSource, "Straße.ml2"},
                      CommandLineCase{"edit /srv/Holt.ml2", Kind::Edit, "/srv/Holt.ml2"},
                      CommandLineCase{"\"EDIT /srv/a b.ml2\"", Kind::Edit, "/srv/a b.ml2"},
                      CommandLineCase{"Edit", Kind::EditAlone, ""},
                      CommandLineCase{"editor_demo.ml2", Kind::OpenSource, "editor_demo.ml2"},
                      CommandLineCase{"edits/x.ml2", Kind::OpenSource, "edits/x.ml2"}));

TEST(EditorCommandTest, TakesVisualThenEditorThenTheDesktopOpener) {
    using Command = std::vector<std::string>;
    EXPECT_EQ(EditorCommand("a.ml2", "code -w", "vi"), (Command{"code", "-w", "a.ml2"}));
    EXPECT_EQ(EditorCommand("a.ml2", " ", "vi"), (Command{"vi", "a.ml2"}));
    EXPECT_EQ(EditorCommand("a.ml2", nullptr, nullptr), (Command{"xdg-open", "a.ml2"}));
}

TEST(SessionCounterTest, CountsDownNeverBelowZeroAndReadsANonNumberAsZero) {
    MapSettings settings;
    SessionCounter sessions(settings);
    sessions.Decrement();
    EXPECT_EQ(settings.values["Sessions/SID"], "0");
    sessions.Increment();
    sessions.Increment();
    sessions.Decrement();
    EXPECT_EQ(sessions.Stored(), 1);
    settings.values["Sessions/SID"] = "x";
    sessions.Increment();
    EXPECT_EQ(settings.values["Sessions/SID"], "1");
}

TEST(DropTest, SourcesThenStatesThenViewsOfTheFirstThreeFiles) {
    const std::vector<DropItem> order =
        OrderDrop({"b.svw", "notes.txt", "a.Sst", "holt.ML2", "c.gn2"});
    ASSERT_EQ(order.size(), 2U);
    EXPECT_EQ(order[0].kind, DroppedKind::State);
    EXPECT_EQ(order[1].kind, DroppedKind::View);
    const std::vector<DropItem> all = OrderDrop({"v.svw", "s.sst", "p.mlr"});
    ASSERT_EQ(all.size(), 3U);
    EXPECT_EQ(all[0].path, "p.mlr");
    EXPECT_EQ(all[1].path, "s.sst");
    EXPECT_EQ(all[2].path, "v.svw");
}

}  // namespace
}  // namespace veldra::testing
