#include <gtest/gtest.h>
#include <unistd.h>

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

void PrintTo(const Writer& writer, std::ostream* out) { *out << writer.name; }

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

INSTANTIATE_TEST_SUITE_P(EveryWriter, ReplacingFiles, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veldra::testing
