#include "loader/source_census.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <fstream>
#include <vector>

#include "loader/keywords.h"
#include "platform/ascii_text.h"

namespace veldra {
namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

// What each character is to the count.
enum class Kind : std::uint8_t { Other, Letter, Digit, Comma, Semicolon };

constexpr std::array<Kind, 256> kKinds = [] {
    std::array<Kind, 256> kinds{};
    for (int c = 'A'; c <= 'Z'; ++c) {
        kinds[std::size_t(c)] = Kind::Letter;
        kinds[std::size_t(c - 'A' + 'a')] = Kind::Letter;
    }
    for (int c = '0'; c <= '9'; ++c) {
        kinds[std::size_t(c)] = Kind::Digit;
    }
    kinds[std::size_t('_')] = Kind::Letter;
    kinds[std::size_t('.')] = Kind::Letter;
    kinds[std::size_t(',')] = Kind::Comma;
    kinds[std::size_t(';')] = Kind::Semicolon;
    return kinds;
}();

// The letters a section keyword starts with, in either case: a line that starts with none
// of them is passed at one look.
constexpr std::array<bool, 256> kKeywordFirstLetters = [] {
    std::array<bool, 256> first{};
    for (const SectionKeyword& section : kSectionKeywords) {
        const char letter = section.keyword.front();
        first[static_cast<unsigned char>(letter)] = true;
        first[static_cast<unsigned char>(letter - 'A' + 'a')] = true;
    }
    return first;
}();

// Beyond this many characters a word is told apart by its first ones.
constexpr std::size_t kLongestWord = 64;

// A 64-bit hash whose every bit depends on every byte of the word.
std::uint64_t Hash(std::string_view word) {
    std::uint64_t hash = 0xcbf29ce484222325ULL ^ word.size();
    for (const char c : word) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ULL;
    return hash ^ (hash >> 33);
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
        TakeWords(line);
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
    last.census_.names = last.words_.Estimate();
    return last.census_;
}

void SourceCounter::TakeWords(std::string_view text) {
    for (const char c : text) {
        switch (kKinds[static_cast<unsigned char>(c)]) {
            case Kind::Letter:
                wordAllDigits_ = false;
                [[fallthrough]];
            case Kind::Digit:
                if (word_.size() < kLongestWord) {
                    word_ += ToUpperAscii(c);
                }
                continue;
            case Kind::Comma:
                ++lineCommas_;
                break;
            case Kind::Semicolon:
                ++lineSemicolons_;
                break;
            case Kind::Other:
                break;
        }
        EndWord();
    }
}

void SourceCounter::EndWord() {
    if (!word_.empty() && !wordAllDigits_) {
        words_.Add(word_);
    }
    word_.clear();
    wordAllDigits_ = true;
}

void SourceCounter::Classify() {
    headDone_ = true;
    if (head_.empty() || !kKeywordFirstLetters[static_cast<unsigned char>(head_.front())]) {
        return;
    }
    std::transform(head_.begin(), head_.end(), head_.begin(), ToUpperAscii);
    // A keyword starts a section as the first words of its line; every other one ends the
    // section before it.
    for (const auto& [keyword, kind] : kSectionKeywords) {
        if (StartsWithKeyword(head_, keyword)) {
            census_.boards += kind == SectionKind::Board;
            section_ = kind == SectionKind::Declarations ? Section::Declarations
                       : kind == SectionKind::Logic      ? Section::Logic
                                                         : Section::Other;
            return;
        }
    }
}

void SourceCounter::EndLine() {
    EndWord();
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

void DistinctWords::Add(std::string_view word) {
    const std::uint64_t hash = Hash(word);
    const std::size_t index = std::size_t(hash >> (64 - kIndexBits));
    // The rank is where the first 1 stands in the rest; a guard bit bounds it.
    const std::uint64_t rest = (hash << kIndexBits) | (std::uint64_t(1) << (kIndexBits - 1));
    const auto rank = std::uint8_t(std::countl_zero(rest) + 1);
    ranks_[index] = std::max(ranks_[index], rank);
}

std::uint64_t DistinctWords::Estimate() const {
    constexpr double kRegisters = double(std::size_t(1) << kIndexBits);
    double sum = 0;
    int empty = 0;
    for (const std::uint8_t rank : ranks_) {
        sum += std::ldexp(1.0, -int(rank));
        empty += rank == 0;
    }
    const double alpha = 0.7213 / (1 + 1.079 / kRegisters);
    double estimate = alpha * kRegisters * kRegisters / sum;
    if (estimate <= 2.5 * kRegisters && empty > 0) {
        estimate = kRegisters * std::log(kRegisters / empty);  // few words: counted by the empty
    }
    return std::uint64_t(std::llround(estimate));
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
