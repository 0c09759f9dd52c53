#include "book/listing_reader.h"

#include <algorithm>
#include <string_view>

#include "platform/ascii_text.h"

namespace veldra {
namespace {

constexpr std::string_view kSummary = " *** Application Image Summary:";
constexpr std::string_view kCRC = "Application Image CRC:";
constexpr std::string_view kChecksum = "Application Image Checksum:";
constexpr std::string_view kJumpers = " *** I/O Board Address Jumper (Switch) Settings:";

// The listing's lines, a carriage return before the line feed being no part of a line.
class Lines {
public:
    explicit Lines(std::istream& in) : in_(in) {}
    bool Next() {
        if (!std::getline(in_, line_)) {
            line_.clear();
            return false;
        }
        if (!line_.empty() && line_.back() == '\r') {
            line_.pop_back();
        }
        return true;
    }
    const std::string& Line() const { return line_; }

    // Reads until a line passes the test; false when the listing ends first.
    template <class Test>
    bool Until(Test test) {
        while (Next()) {
            if (test(line_)) {
                return true;
            }
        }
        return false;
    }

private:
    std::istream& in_;
    std::string line_;
};

std::string LastFourUpper(const std::string& line) {
    return UpperCased(
        std::string_view(line).substr(line.size() - std::min<std::size_t>(4, line.size())));
}

}  // namespace

void ReadListing(std::istream& listing, ListingTexts& texts) {
    Lines lines(listing);
    const auto is = [](std::string_view wanted) {
        return [wanted](const std::string& line) { return line == wanted; };
    };
    const auto holds = [](std::string_view wanted) {
        return [wanted](const std::string& line) { return line.find(wanted) != std::string::npos; };
    };
    if (!lines.Until(is(kSummary))) {
        return;
    }
    if (!lines.Until(holds(kCRC))) {
        return;
    }
    texts.CRC = LastFourUpper(lines.Line());
    if (!lines.Until(holds(kChecksum))) {
        return;
    }
    texts.ChkSum = LastFourUpper(lines.Line());
    if (!lines.Until(is(kJumpers))) {
        return;
    }
    std::string jumpers = std::string(kJumpers) + "\r\n";
    while (lines.Next() && lines.Line().find("***") == std::string::npos) {
        jumpers += lines.Line() + "\r\n";
    }
    texts.Jumpers = std::move(jumpers);
}

}  // namespace veldra
