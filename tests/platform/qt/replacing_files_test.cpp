#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>

#include "platform/file_replacement.h"
#include "platform/qt/replacing_file.h"

namespace veldra::testing {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The two ways the simulator replaces a file: whole texts (view, state, statement export)
// and files written as a stream (bit index, PDF, bitmap).
struct Writer {
    const char* name;
    std::function<void(const fs::path&, const std::string&)> write;
};

void PrintTo(const Writer& writer, std::ostream* out) {
    *out << writer.name;
}

const Writer kWriters[] = {
    {"Text", [](const fs::path& path, const std::string& text) { ReplaceFile(path, text); }},
    {"Stream",
     [](const fs::path& path, const std::string& text) {
         ReplacingFile file(path);
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         file.write(text.data(), qint64(text.size()));
         ASSERT_TRUE(file.Commit());
     }},
};

class ReplacingFiles : public ::testing::TestWithParam<Writer> {
protected:
    ReplacingFiles() {
        fs::remove_all(folder);
        fs::create_directories(folder / "kept");
    }
    ~ReplacingFiles() override { fs::remove_all(folder); }

    void Write(const fs::path& path, const std::string& text) { GetParam().write(path, text); }

    const fs::path folder =
        fs::temp_directory_path() /
        ("veldra_replacing_" + std::string(GetParam().name) + "_" + std::to_string(::getpid()));
};

TEST_P(ReplacingFiles, ASaveThroughALinkChangesItsTargetAndKeepsTheLink) {
    std::ofstream(folder / "kept" / "YARD.sst") << "old";
    fs::create_symlink("kept/YARD.sst", folder / "link.sst");
    fs::create_symlink(folder / "link.sst", folder / "second link.sst");

    Write(folder / "second link.sst", "new");

    EXPECT_TRUE(fs::is_symlink(folder / "link.sst"));
    EXPECT_TRUE(fs::is_symlink(folder / "second link.sst"));
    EXPECT_EQ(Contents(folder / "kept" / "YARD.sst"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "kept"), {}), 1);
}

TEST_P(ReplacingFiles, ALinkToNoFileYetCreatesTheFileItNames) {
    fs::create_symlink("kept/NEW.sst", folder / "link.sst");

    Write(folder / "link.sst", "new");

    EXPECT_TRUE(fs::is_symlink(folder / "link.sst"));
    EXPECT_EQ(Contents(folder / "kept" / "NEW.sst"), "new");
}

TEST_P(ReplacingFiles, AReplacedFileKeepsItsPermissionsReadOnlyIncluded) {
    for (const fs::perms kept : {fs::perms::owner_read | fs::perms::group_read,
                                 fs::perms::owner_read | fs::perms::owner_write}) {
        const fs::path file = folder / "kept" / "YARD.sst";
        fs::remove(file);
        std::ofstream(file) << "old";
        fs::permissions(file, kept);

        Write(file, "new");

        EXPECT_EQ(Contents(file), "new");
        EXPECT_EQ(fs::status(file).permissions(), kept);
    }
}

// A save killed half way leaves its file beside the target; the next save of that target
// removes it, and leaves what a save still under way (here, in this process) writes, and
// what is left beside any other file.
TEST_P(ReplacingFiles, ASaveKilledHalfWayLeavesAFileThatTheNextSaveOfItsTargetRemoves) {
    const fs::path target = folder / "kept" / "YARD.sst";
    const fs::path other = folder / "kept" / "YARD.sst2";
    std::ofstream(target) << "old";
    std::ofstream(other) << "other";
    const auto killedSave = [](const fs::path& file) {
        const pid_t child = ::fork();
        if (child == 0) {
            BesideFile beside(file);
            const std::string half(4096, 'x');
            const bool written = ::write(beside.Descriptor(), half.data(), half.size()) > 0;
            std::_Exit(written ? 0 : 1);  // gone, as a killed process, before it cleans up
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    };
    BesideFile underWay(target);
    killedSave(target);
    killedSave(other);
    const auto files = [&] {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder / "kept")) {
            names.push_back(entry.path().filename().string());
        }
        std::ranges::sort(names);
        return names;
    };
    const std::vector<std::string> before = files();
    ASSERT_EQ(before.size(), 5U);  // the two targets, two left by killed saves, one under way

    Write(target, "new");

    std::vector<std::string> after = files();
    EXPECT_EQ(after.size(), 4U);
    EXPECT_EQ(Contents(target), "new");
    std::vector<std::string> removed;
    std::ranges::set_difference(before, after, std::back_inserter(removed));
    ASSERT_EQ(removed.size(), 1U);
    EXPECT_TRUE(removed[0].starts_with("YARD.sst.")) << removed[0];

    // The save under way still has its file and ends as it would have.
    ASSERT_EQ(::write(underWay.Descriptor(), "later", 5), 5);
    underWay.Commit();
    EXPECT_EQ(Contents(target), "later");
    EXPECT_EQ(files().size(), 3U);
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, ReplacingFiles, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veldra::testing
