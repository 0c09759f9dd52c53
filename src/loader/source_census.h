#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace veldra {

// A bit holds a name of up to this many characters in the room it takes anyway; each one
// beyond costs more (see `MemoryToLoad`).
inline constexpr std::uint64_t kNameBytesInABit = 8;

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
    // The characters of the names in the declaration sections: a bit holds its name several
    // times over, so long names take far more than short ones.
    std::uint64_t declaredNameBytes = 0;
    // The text of the comments, which the load only holds: their words are no names and
    // their separators part no items.
    std::uint64_t commentBytes = 0;
    // About how many characters beyond the `kNameBytesInABit`th the different words hold
    // together, the words used only in statements as much as the declared ones.
    std::uint64_t longerNameBytes = 0;
};

// About how many different words were added (HyperLogLog, in 16 kB whatever their number):
// typically within 0.8 % of the true count (the estimate's standard error), within 3 % but
// for one count in thousands, from a handful of words to billions.
class DistinctWords {
public:
    // Adds a word by its hash, of all its characters, letter case aside.
    void AddHash(std::uint64_t hash);
    std::uint64_t Estimate() const;

private:
    static constexpr int kIndexBits = 14;
    std::array<std::uint8_t, std::size_t(1) << kIndexBits> ranks_{};
};

// Counts a source as it goes by, in pieces of any size: one pass that looks at each line's
// first words for its section, passes over its comments as the loader does, counts the
// separators in the rest and tells its words apart, holding no more than a line's first few
// characters and eight of a word.
class SourceCounter {
public:
    void Take(std::string_view text);
    // The census of everything taken, the last line included though no line break ends it.
    SourceCensus Result() const;

private:
    enum class Section { Other, Declarations, Logic };
    // "//" to the end of its line; "/*" or "%" to the next "*/" or "\", over any lines.
    enum class Comment { None, ToLineEnd, Block };

    // Takes the line's first characters for its section, once.
    void Classify();
    // Counts the line in its section and starts the next.
    void EndLine();
    // Takes the text of a line into its words; `readable` is where the text it lies in ends,
    // which may be read ahead of a word's end, and `lineEnds` whether a line break follows.
    void TakeWords(std::string_view text, const char* readable, bool lineEnds);
    // Ends the word carried over from the piece before, if any.
    void EndWord();
    void AddWord(std::uint64_t hash, std::uint64_t length) {
        words_.AddHash(hash);
        if (length > kNameBytesInABit) {
            AddLongerUnits(hash, length);
        }
    }
    void AddLongerUnits(std::uint64_t hash, std::uint64_t length);
    // Passes over the comment that `at` lies in, up to where it ends or `end`; returns where
    // the code goes on.
    const char* SkipComment(const char* at, const char* end);
    // Whether a comment opens at `at` (a "/" or "%"), taking its opener when it does.
    bool OpensComment(const char*& at, const char* end);

    static constexpr std::size_t kHeadLength = 24;

    SourceCensus census_;
    Section section_ = Section::Other;
    // The line being counted: its first characters, its bytes and its separators.
    std::string head_;
    bool headDone_ = false;
    std::uint64_t lineBytes_ = 0;
    // Commas in the low half, semicolons in the high half.
    std::uint64_t lineSeparators_ = 0;
    std::uint64_t lineNameBytes_ = 0;
    std::uint64_t lineCommentBytes_ = 0;
    Comment comment_ = Comment::None;
    // A "/" (outside a comment) or a "*" (inside a block) that ended the last piece of the
    // line, which the next piece's first character may make an opener or a closer.
    bool markEndedPiece_ = false;
    // A word cut by the end of a piece: its hash over its whole eights of characters so far,
    // the characters after them, its length and whether it has a letter so far.
    std::uint64_t wordHash_ = 0;
    std::uint64_t wordTail_ = 0;
    std::uint64_t wordLength_ = 0;
    bool wordHasLetter_ = false;
    DistinctWords words_;
    // The different words' characters beyond the `kNameBytesInABit`th, in units of that
    // many, each told apart by its word and its place.
    DistinctWords longerUnits_;
};

SourceCensus CountSource(std::string_view text);
// The census of the file at `path`, read a piece at a time; nothing when it cannot be read.
std::optional<SourceCensus> CountSourceFile(const std::filesystem::path& path);

}  // namespace veldra
