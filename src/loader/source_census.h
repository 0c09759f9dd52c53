#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace veldra {

// What a source holds, as far as the memory its load takes goes: what each item becomes
// differs a hundredfold (a declared bit some 260 bytes for its 9 of text, a statement some
// ten times its text, a board window some 500 times), so the source's size alone says little.
struct SourceCensus {
    std::uint64_t sourceBytes = 0;
    // Names declared in the declaration sections (Boolean bits, numeric variables, timers,
    // constants, user bits and numerics).
    std::uint64_t declarations = 0;
    std::uint64_t statements = 0;
    // The text of the logic sections, the statements' own and their lines'.
    std::uint64_t statementBytes = 0;
    std::uint64_t boards = 0;
    // The text of every other section (boards, tables, numeric blocks, coded outputs, links).
    std::uint64_t otherBytes = 0;
    // About how many different words (letters, digits, "_" and ".", not all digits) the
    // source holds, letter case aside: every bit the load makes, declared or not, is one.
    std::uint64_t names = 0;
};

// About how many different words were added, within some 1 % (HyperLogLog), in 16 kB
// whatever their number.
class DistinctWords {
public:
    void Add(std::string_view word);
    std::uint64_t Estimate() const;

private:
    static constexpr int kIndexBits = 14;
    std::array<std::uint8_t, std::size_t(1) << kIndexBits> ranks_{};
};

// Counts a source as it goes by, in pieces of any size: one pass that looks at each line's
// first words for its section, counts the separators in it and tells its words apart,
// holding no more than a line's first few characters and one word.
class SourceCounter {
public:
    void Take(std::string_view text);
    // The census of everything taken, the last line included though no line break ends it.
    SourceCensus Result() const;

private:
    enum class Section { Other, Declarations, Logic };

    // Takes the line's first characters for its section, once.
    void Classify();
    // Counts the line in its section and starts the next.
    void EndLine();
    // Takes the text of a line into its words.
    void TakeWords(std::string_view text);
    void EndWord();

    static constexpr std::size_t kHeadLength = 24;

    SourceCensus census_;
    Section section_ = Section::Other;
    // The line being counted: its first characters, its bytes and its separators.
    std::string head_;
    bool headDone_ = false;
    std::uint64_t lineBytes_ = 0;
    std::uint64_t lineCommas_ = 0;
    std::uint64_t lineSemicolons_ = 0;
    // The word being read, upper-cased, and whether it is all digits so far.
    std::string word_;
    bool wordAllDigits_ = true;
    DistinctWords words_;
};

SourceCensus CountSource(std::string_view text);
// The census of the file at `path`, read a piece at a time; nothing when it cannot be read.
std::optional<SourceCensus> CountSourceFile(const std::filesystem::path& path);

}  // namespace veldra
