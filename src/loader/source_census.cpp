#include "loader/source_census.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <vector>

namespace veldra {
namespace {

struct SectionStart {
    std::string_view keyword;
    int section;  // 0 other, 1 declarations, 2 logic, 3 a board
};

// The keywords that start a section, as the first words of a line; every other keyword
// ends the section before it.
constexpr std::array<SectionStart, 19> kSectionStarts = {{
    {"BOARD:", 3},
    {"LOG BITS", 1},
    {"NUMERIC VARIABLES", 1},
    {"BOOLEAN BITS", 1},
    {"NV.BOOLEAN BITS", 1},
    {"TIMER BITS", 1},
    {"LOGIC BEGIN", 2},
    {"COMM", 0},
    {"USER NUMERIC", 1},
    {"USER BIT", 1},
    {"END PROGRAM", 0},
    {"END LOGIC", 0},
    {"TABLES BEGIN", 0},
    {"NUMERIC BEGIN", 0},
    {"CONSTANTS BOOLEAN", 1},
    {"CONFIGURATION", 0},
    {"CODED OUTPUTS", 0},
    {"SYSTEM", 0},
    {"LINK:", 0},
}};

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

// As the loader takes a keyword: standing on its own, followed by nothing printable.
bool StartsWithKeyword(std::string_view head, std::string_view keyword) {
    if (!head.starts_with(keyword) || keyword.ends_with(':')) {
        return head.starts_with(keyword);
    }
    const auto next =
        static_cast<unsigned char>(head.size() > keyword.size() ? head[keyword.size()] : ' ');
    return next <= 32 || next > 126;
}

}  // namespace

void SourceCounter::Take(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (!headDone_) {
            std::string_view rest = line;
            if (head_.empty()) {
                rest.remove_prefix(std::min(
                    rest.size(),
                    std::size_t(std::find_if_not(rest.begin(), rest.end(), Blank) - rest.begin())));
            }
            head_.append(rest.substr(0, kHeadLength - head_.size()));
            if (head_.size() == kHeadLength) {
                Classify();
            }
        }
        lineBytes_ += line.size();
        lineCommas_ += std::uint64_t(std::count(line.begin(), line.end(), ','));
        lineSemicolons_ += std::uint64_t(std::count(line.begin(), line.end(), ';'));
        if (end == std::string_view::npos) {
            return;
        }
        ++lineBytes_;
        EndLine();
        text.remove_prefix(end + 1);
    }
}

SourceCensus SourceCounter::Result() const {
    SourceCounter last = *this;
    if (last.lineBytes_ > 0) {
        last.EndLine();
    }
    return last.census_;
}

void SourceCounter::Classify() {
    headDone_ = true;
    // Most lines start with no keyword's first letter: they are passed at one look.
    constexpr std::string_view kFirstLetters = "BLNTCUESbltncues";
    if (head_.empty() || kFirstLetters.find(head_.front()) == std::string_view::npos) {
        return;
    }
    std::transform(head_.begin(), head_.end(), head_.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    for (const SectionStart& start : kSectionStarts) {
        if (StartsWithKeyword(head_, start.keyword)) {
            census_.boards += start.section == 3;
            section_ = start.section == 1   ? Section::Declarations
                       : start.section == 2 ? Section::Logic
                                            : Section::Other;
            return;
        }
    }
}

void SourceCounter::EndLine() {
    if (!headDone_) {
        Classify();
    }
    census_.sourceBytes += lineBytes_;
    switch (section_) {
        case Section::Declarations:
            census_.declarations += lineCommas_ + lineSemicolons_;
            break;
        case Section::Logic:
            census_.statements += lineSemicolons_;
            census_.statementBytes += lineBytes_;
            break;
        case Section::Other:
            census_.otherBytes += lineBytes_;
            break;
    }
    head_.clear();
    headDone_ = false;
    lineBytes_ = 0;
    lineCommas_ = 0;
    lineSemicolons_ = 0;
}

SourceCensus CountSource(std::string_view text) {
    SourceCounter counter;
    counter.Take(text);
    return counter.Result();
}

std::optional<SourceCensus> CountSourceFile(const std::filesystem::path& path) {
    // A piece large enough that reading costs no more than counting, small beside any load.
    constexpr std::size_t kPiece = std::size_t(1) << 20;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<char> piece(kPiece);
    SourceCounter counter;
    while (in) {
        in.read(piece.data(), std::streamsize(piece.size()));
        counter.Take(std::string_view(piece.data(), std::size_t(in.gcount())));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return counter.Result();
}

}  // namespace veldra
