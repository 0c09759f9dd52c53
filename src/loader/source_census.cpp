#include "loader/source_census.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "loader/keywords.h"
#include "platform/ascii_text.h"
#include "platform/file_replacement.h"

namespace veldra {
namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

// What each character is to the count: part of a word (a letter, or a digit, "_" or "."),
// a character that may open a comment, and the separators it counts, a comma in the low
// half, a semicolon in the high one.
constexpr std::uint8_t kWordCharacter = 1;
constexpr std::uint8_t kLetter = 2;
constexpr std::uint8_t kCommentOpener = 4;

constexpr std::array<std::uint8_t, 256> kKinds = [] {
    std::array<std::uint8_t, 256> kinds{};
    for (int c = 'A'; c <= 'Z'; ++c) {
        kinds[std::size_t(c)] = kWordCharacter | kLetter;
        kinds[std::size_t(c - 'A' + 'a')] = kWordCharacter | kLetter;
    }
    for (int c = '0'; c <= '9'; ++c) {
        kinds[std::size_t(c)] = kWordCharacter;
    }
    kinds[std::size_t('_')] = kWordCharacter | kLetter;
    kinds[std::size_t('.')] = kWordCharacter | kLetter;
    kinds[std::size_t('/')] = kCommentOpener;
    kinds[std::size_t('%')] = kCommentOpener;
    return kinds;
}();

constexpr std::array<std::uint64_t, 256> kSeparators = [] {
    std::array<std::uint64_t, 256> separators{};
    separators[std::size_t(',')] = 1;
    separators[std::size_t(';')] = std::uint64_t(1) << 32;
    return separators;
}();

// The section keywords each letter starts, in either case, one bit a keyword in the order
// they are searched: a line that starts with none of them is passed at one look, and one
// that does is held against those only.
static_assert(kSectionKeywords.size() <= 32);
constexpr std::array<std::uint32_t, 256> kKeywordsStartedBy = [] {
    std::array<std::uint32_t, 256> started{};
    for (std::size_t k = 0; k < kSectionKeywords.size(); ++k) {
        const char letter = kSectionKeywords[k].keyword.front();
        started[static_cast<unsigned char>(letter)] |= std::uint32_t(1) << k;
        started[static_cast<unsigned char>(letter - 'A' + 'a')] |= std::uint32_t(1) << k;
    }
    return started;
}();

// The characters of a word with the bit that tells a small letter from a capital cleared:
// a capital and its small letter become one, and no two other characters a word can hold do.
constexpr std::uint64_t kCaseFolded = 0xDFDFDFDFDFDFDFDFULL;

std::uint64_t Mixed(std::uint64_t hash, std::uint64_t characters) {
    hash = (hash ^ characters) * 0x9E3779B97F4A7C15ULL;
    return hash ^ (hash >> 29);
}

// Eight characters of a word at most, the first in the low byte.
std::uint64_t Characters(const char* at, std::size_t count) {
    std::uint64_t characters = 0;
    for (std::size_t i = 0; i < count; ++i) {
        characters |= std::uint64_t(static_cast<unsigned char>(at[i])) << (8 * i);
    }
    return characters;
}

// Eight characters of a word, the first in the low byte.
std::uint64_t EightCharacters(const char* at) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t characters = 0;
        std::memcpy(&characters, at, 8);
        return characters;
    } else {
        return Characters(at, 8);
    }
}

// The hash of the word of `length` characters at `at`, where up to `readable` may be read.
std::uint64_t Finished(std::uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ULL;
    return hash ^ (hash >> 33);
}

constexpr std::uint64_t kHashStart = 0xcbf29ce484222325ULL;

// The hash of a word whose eights of characters, the last one filled with zeros, were
// mixed into `hash`: the same however the word was cut as it went by. No word holds a zero,
// so its eights alone tell it apart.
std::uint64_t WordHash(std::uint64_t hash) {
    return Finished(hash);
}

// The hash of the word of `length` characters at `at`, where up to `readable` may be read.
std::uint64_t HashOf(const char* at, std::size_t length, const char* readable) {
    std::uint64_t hash = kHashStart;
    std::size_t left = length;
    for (; left >= 8; left -= 8, at += 8) {
        hash = Mixed(hash, EightCharacters(at) & kCaseFolded);
    }
    if (left > 0) {
        std::uint64_t characters = 0;
        if constexpr (std::endian::native == std::endian::little) {
            if (readable - at >= 8) {
                // One read of eight, the characters beyond the word's end masked off.
                std::memcpy(&characters, at, 8);
                characters &= ~std::uint64_t(0) >> (64 - 8 * left);
            } else {
                characters = Characters(at, left);
            }
        } else {
            characters = Characters(at, left);
        }
        hash = Mixed(hash, characters & kCaseFolded);
    }
    return WordHash(hash);
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
    const char* const readable = text.data() + text.size();
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (!headDone_) {
            std::string_view rest = line;
            if (head_.empty() && comment_ != Comment::None) {
                headDone_ = true;  // a keyword in a comment starts nothing
            } else if (head_.empty()) {
                rest.remove_prefix(std::min(
                    rest.size(),
                    std::size_t(std::find_if_not(rest.begin(), rest.end(), Blank) - rest.begin())));
                if (!rest.empty() && kKeywordsStartedBy[static_cast<unsigned char>(rest[0])] == 0) {
                    headDone_ = true;  // no keyword starts so
                }
            }
            if (!headDone_) {
                head_.append(rest.substr(0, kHeadLength - head_.size()));
                if (head_.size() == kHeadLength) {
                    Classify();
                }
            }
        }
        lineBytes_ += line.size();
        TakeWords(line, readable, end != std::string_view::npos);
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
    last.census_.longerNameBytes = last.longerUnits_.Estimate() * kNameBytesInABit;
    return last.census_;
}

void SourceCounter::TakeWords(std::string_view text, const char* readable, bool lineEnds) {
    const char* at = text.data();
    const char* const end = at + text.size();
    if (wordLength_ > 0 && at != end &&
        (kKinds[static_cast<unsigned char>(*at)] & kWordCharacter) == 0) {
        EndWord();  // the last piece ended with it
    }
    if (markEndedPiece_ && at != end) {
        markEndedPiece_ = false;
        if (comment_ == Comment::None && (*at == '/' || *at == '*')) {
            comment_ = *at == '/' ? Comment::ToLineEnd : Comment::Block;
            lineCommentBytes_ += 2;  // the "/" before too
            ++at;
        } else if (comment_ == Comment::Block && *at == '/') {
            comment_ = Comment::None;
            ++lineCommentBytes_;
            ++at;
        }
    }
    if (comment_ != Comment::None) {
        at = SkipComment(at, end);  // carried over from the line or the piece before
    }
    std::uint64_t separators = 0;
    while (at != end) {
        std::uint8_t kind = kKinds[static_cast<unsigned char>(*at)];
        if ((kind & kWordCharacter) == 0) {
            if (kind == 0) [[likely]] {
                separators += kSeparators[static_cast<unsigned char>(*at)];
                ++at;
            } else if (!OpensComment(at, end)) {
                ++at;  // a "/" alone
            } else if (comment_ != Comment::None) {
                at = SkipComment(at, end);
            }
            continue;
        }
        const char* const start = at;
        std::uint8_t kinds = 0;
        do {
            kinds |= kind;
            if (++at == end) {
                break;
            }
            kind = kKinds[static_cast<unsigned char>(*at)];
        } while ((kind & kWordCharacter) != 0);
        const auto length = std::size_t(at - start);
        if ((at == end && !lineEnds) || wordLength_ > 0) {
            // A word that may go on in the next piece, or goes on from the last: hashed as
            // far as its eights go, the rest kept.
            if (wordLength_ == 0) {
                wordHash_ = kHashStart;
            }
            for (const char* c = start; c != at; ++c) {
                const std::uint64_t place = wordLength_++ % 8;
                wordTail_ |= std::uint64_t(static_cast<unsigned char>(*c)) << (8 * place);
                if (place == 7) {
                    wordHash_ = Mixed(wordHash_, wordTail_ & kCaseFolded);
                    wordTail_ = 0;
                }
            }
            wordHasLetter_ = wordHasLetter_ || (kinds & kLetter) != 0;
            if (at != end || lineEnds) {
                EndWord();
            }
        } else if ((kinds & kLetter) != 0) {
            AddWord(HashOf(start, length, readable), length);
            lineNameBytes_ += length;
        }
    }
    lineSeparators_ += separators;
    if (lineEnds) {
        markEndedPiece_ = false;
        if (comment_ == Comment::ToLineEnd) {
            comment_ = Comment::None;
        }
    }
}

bool SourceCounter::OpensComment(const char*& at, const char* end) {
    if (*at == '%') {
        comment_ = Comment::Block;
        ++lineCommentBytes_;
        ++at;
        return true;
    }
    if (at + 1 == end) {
        markEndedPiece_ = true;  // the next piece tells
        ++at;
        return true;
    }
    if (at[1] != '/' && at[1] != '*') {
        return false;
    }
    comment_ = at[1] == '/' ? Comment::ToLineEnd : Comment::Block;
    lineCommentBytes_ += 2;
    at += 2;
    return true;
}

const char* SourceCounter::SkipComment(const char* at, const char* end) {
    const char* const start = at;
    if (comment_ == Comment::ToLineEnd) {
        // A carriage return ends a line as a line feed does.
        const void* lineEnd = std::memchr(at, '\r', std::size_t(end - at));
        if (lineEnd != nullptr) {
            comment_ = Comment::None;
            at = static_cast<const char*>(lineEnd);
        } else {
            at = end;
        }
    } else {
        // Either closer ends either kind of block.
        for (; at != end; ++at) {
            if (*at == '\\') {
                comment_ = Comment::None;
                ++at;
                break;
            }
            if (*at == '*') {
                if (at + 1 == end) {
                    markEndedPiece_ = true;
                } else if (at[1] == '/') {
                    comment_ = Comment::None;
                    at += 2;
                    break;
                }
            }
        }
    }
    lineCommentBytes_ += std::uint64_t(at - start);
    return at;
}

void SourceCounter::EndWord() {
    if (wordLength_ == 0) {
        return;
    }
    if (wordHasLetter_) {
        if (wordLength_ % 8 != 0) {
            wordHash_ = Mixed(wordHash_, wordTail_ & kCaseFolded);
        }
        AddWord(WordHash(wordHash_), wordLength_);
        lineNameBytes_ += wordLength_;
    }
    wordTail_ = 0;
    wordLength_ = 0;
    wordHasLetter_ = false;
}

void SourceCounter::AddLongerUnits(std::uint64_t hash, std::uint64_t length) {
    // A unit for every `kNameBytesInABit` characters beyond the first ones, the last part
    // unit taken or not by three bits of the hash in proportion to its characters: over many
    // words the units come to the characters themselves, at one look a unit.
    const std::uint64_t units = (length - kNameBytesInABit + ((hash >> 8) & 7)) / 8;
    static_assert(kNameBytesInABit == 8);
    for (std::uint64_t unit = 1; unit <= units; ++unit) {
        longerUnits_.AddHash(Finished(hash + unit * 0x9E3779B97F4A7C15ULL));
    }
}

void SourceCounter::Classify() {
    headDone_ = true;
    if (head_.empty()) {
        return;
    }
    std::uint32_t candidates = kKeywordsStartedBy[static_cast<unsigned char>(head_.front())];
    if (candidates == 0) {
        return;
    }
    std::transform(head_.begin(), head_.end(), head_.begin(), ToUpperAscii);
    // A keyword starts a section as the first words of its line; every other one ends the
    // section before it.
    for (; candidates != 0; candidates &= candidates - 1) {
        const auto& [keyword, kind] = kSectionKeywords[std::size_t(std::countr_zero(candidates))];
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
    census_.commentBytes += lineCommentBytes_;
    const std::uint64_t codeBytes = lineBytes_ - lineCommentBytes_;
    const std::uint64_t commas = lineSeparators_ & 0xFFFFFFFFU;
    const std::uint64_t semicolons = lineSeparators_ >> 32;
    switch (section_) {
        case Section::Declarations:
            census_.declarations += commas + semicolons;
            census_.declaredNameBytes += lineNameBytes_;
            break;
        case Section::Logic:
            census_.statements += semicolons;
            census_.statementBytes += codeBytes;
            break;
        case Section::Other:
            census_.otherBytes += codeBytes;
            break;
    }
    head_.clear();
    headDone_ = false;
    lineBytes_ = 0;
    lineSeparators_ = 0;
    lineNameBytes_ = 0;
    lineCommentBytes_ = 0;
}

void DistinctWords::AddHash(std::uint64_t hash) {
    const std::size_t index = std::size_t(hash >> (64 - kIndexBits));
    // The rank is where the first 1 stands in the rest; a guard bit bounds it.
    const std::uint64_t rest = (hash << kIndexBits) | (std::uint64_t(1) << (kIndexBits - 1));
    const auto rank = std::uint8_t(std::countl_zero(rest) + 1);
    ranks_[index] = std::max(ranks_[index], rank);
}

std::uint64_t DistinctWords::Estimate() const {
    // Ertl's estimate ("New cardinality estimation algorithms for HyperLogLog sketches",
    // 2017): unbiased from a few words to the most the hash can tell apart, where the
    // classic one with its switch to counting empty registers is some 2 % high around five
    // words a register.
    constexpr int kHighestRank = 64 - kIndexBits + 1;
    constexpr double kRegisters = double(std::size_t(1) << kIndexBits);
    std::array<double, kHighestRank + 1> registersOfRank{};
    for (const std::uint8_t rank : ranks_) {
        registersOfRank[rank] += 1;
    }
    const auto sigma = [](double x) {
        if (x == 1) {
            return std::numeric_limits<double>::infinity();
        }
        double sum = x;
        double power = x;
        for (double weight = 1;; weight *= 2) {
            power *= power;
            const double before = sum;
            sum += power * weight;
            if (sum == before) {
                return sum;
            }
        }
    };
    const auto tau = [](double x) {
        if (x == 0 || x == 1) {
            return 0.0;
        }
        double sum = 1 - x;
        double root = x;
        for (double weight = 1;;) {
            root = std::sqrt(root);
            weight /= 2;
            const double before = sum;
            sum -= (1 - root) * (1 - root) * weight;
            if (sum == before) {
                return sum / 3;
            }
        }
    };
    double z = kRegisters * tau(1 - registersOfRank[kHighestRank] / kRegisters);
    for (int rank = kHighestRank - 1; rank >= 1; --rank) {
        z = 0.5 * (z + registersOfRank[std::size_t(rank)]);
    }
    z += kRegisters * sigma(registersOfRank[0] / kRegisters);
    if (std::isinf(z)) {
        return 0;  // nothing added
    }
    constexpr double kAlpha = 0.5 / 0.69314718055994530942;  // 1 / (2 ln 2)
    return std::uint64_t(std::llround(kAlpha * kRegisters * kRegisters / z));
}

SourceCensus CountSource(std::string_view text) {
    SourceCounter counter;
    counter.Take(text);
    return counter.Result();
}

std::optional<SourceCensus> CountSourceFile(const std::filesystem::path& path) {
    SourceCounter counter;
    try {
        ReadFileInPieces(
            path, std::numeric_limits<std::uint64_t>::max(),
            [&counter](std::string_view piece, std::uint64_t) { counter.Take(piece); });
    } catch (const FileReadError&) {
        return std::nullopt;
    }
    return counter.Result();
}

}  // namespace veldra
