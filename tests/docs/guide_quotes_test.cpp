// The user's guide quotes the program word for word: every text it quotes must be a text
// of the program's source, so that a changed message cannot leave the guide behind.
//
// A quoted program text is written <i class="shown">"..."</i>; a part of it that the program
// fills in (a bit's name, a number) is a <var> inside it. Quotation marks stand nowhere else
// in a page's body, so no quotation escapes the check.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace veldra::testing {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text of one escape sequence starting after the backslash at `at`; moves `at` past it.
std::string Unescaped(std::string_view source, std::size_t& at) {
    const char c = source[at++];
    switch (c) {
        case 'n':
            return "\n";
        case 'r':
            return "\r";
        case 't':
            return "\t";
        case '0':
            return std::string(1, '\0');
        case 'x': {
            std::size_t end = at;
            while (end < source.size() && std::isxdigit(static_cast<unsigned char>(source[end])))
                ++end;
            const int value = std::stoi(std::string(source.substr(at, end - at)), nullptr, 16);
            at = end;
            return std::string(1, static_cast<char>(value));
        }
        default:
            return std::string(1, c);  // \" \' \\ \?
    }
}

// The string literals of a C++ source, comments left out and literals that stand side by
// side joined, as the compiler joins them.
std::vector<std::string> StringLiterals(std::string_view source) {
    std::vector<std::string> literals;
    bool joinNext = false;  // only blanks and comments since the last literal
    std::size_t at = 0;
    while (at < source.size()) {
        const char c = source[at];
        if (source.substr(at, 2) == "//") {
            at = std::min(source.find('\n', at), source.size());
        } else if (source.substr(at, 2) == "/*") {
            at = std::min(source.find("*/", at + 2), source.size()) + 2;
        } else if (c == 'R' && source.substr(at, 2) == "R\"") {
            const std::size_t open = source.find('(', at + 2);
            const std::string close =
                ")" + std::string(source.substr(at + 2, open - at - 2)) + "\"";
            const std::size_t end = std::min(source.find(close, open), source.size());
            std::string text(source.substr(open + 1, end - open - 1));
            if (joinNext)
                literals.back() += text;
            else
                literals.push_back(std::move(text));
            joinNext = true;
            at = end + close.size();
        } else if (c == '"') {
            std::string text;
            for (++at; at < source.size() && source[at] != '"';) {
                if (source[at] == '\\')
                    text += Unescaped(source, ++at);
                else
                    text += source[at++];
            }
            ++at;
            if (joinNext)
                literals.back() += text;
            else
                literals.push_back(std::move(text));
            joinNext = true;
        } else if (c == '\'') {
            // A digit separator (1'000) is no character literal.
            const bool separator =
                at > 0 && std::isalnum(static_cast<unsigned char>(source[at - 1]));
            ++at;
            if (!separator) {
                for (; at < source.size() && source[at] != '\''; ++at) {
                    if (source[at] == '\\')
                        ++at;
                }
                ++at;
            }
            joinNext = false;
        } else {
            if (!std::isspace(static_cast<unsigned char>(c)))
                joinNext = false;
            ++at;
        }
    }
    return literals;
}

std::vector<std::string> ProgramTexts() {
    std::vector<std::string> texts;
    for (const auto& entry : fs::recursive_directory_iterator(VELDRA_SOURCE_DIR)) {
        const fs::path& file = entry.path();
        if (file.extension() == ".cpp" || file.extension() == ".h") {
            for (std::string& literal : StringLiterals(ReadWhole(file)))
                texts.push_back(std::move(literal));
        }
    }
    return texts;
}

std::string OneBlankBetweenWords(std::string_view text) {
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank = true;
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    if (blank)
        out += ' ';
    return out;
}

struct Quote {
    std::string page;
    std::string shown;               // as the page reads, <var> parts in angle brackets
    std::vector<std::string> fixed;  // the parts the program writes as they stand
};

// Walks a page's body: collects its quotes and names every breach of the convention.
class PageReader {
public:
    explicit PageReader(std::string page) : page_(std::move(page)) {}

    void Walk(const pugi::xml_node& node) {
        for (const pugi::xml_node& child : node.children()) {
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
                if (std::string_view(child.value()).find('"') != std::string_view::npos)
                    Fault("a quotation mark outside a quoted program text", child.value());
            } else if (child.type() == pugi::node_element) {
                if (std::string_view(child.name()) == "i" &&
                    std::string_view(child.attribute("class").value()) == "shown") {
                    ReadQuote(child);
                } else {
                    Walk(child);
                }
            }
        }
    }

    std::vector<Quote> quotes;
    std::vector<std::string> faults;

private:
    void ReadQuote(const pugi::xml_node& quote) {
        std::string text;  // a var part is one \x01
        std::string shown;
        for (const pugi::xml_node& part : quote.children()) {
            if (part.type() == pugi::node_pcdata) {
                text += part.value();
                shown += part.value();
            } else if (part.type() == pugi::node_element &&
                       std::string_view(part.name()) == "var") {
                text += '\x01';
                shown += std::string("<") + part.child_value() + ">";
            } else {
                Fault("a quoted program text holds more than text and <var>", quote.child_value());
                return;
            }
        }
        shown = OneBlankBetweenWords(shown);
        if (text.size() < 2 || text.front() != '"' || text.back() != '"' ||
            std::count(text.begin(), text.end(), '"') != 2) {
            Fault("a quoted program text is not in one pair of quotation marks", shown);
            return;
        }
        Quote found{page_, shown, {}};
        std::stringstream parts(OneBlankBetweenWords(text.substr(1, text.size() - 2)));
        for (std::string part; std::getline(parts, part, '\x01');) {
            if (!part.empty())
                found.fixed.push_back(part);
        }
        quotes.push_back(std::move(found));
    }
    void Fault(const char* what, std::string_view text) {
        faults.push_back(page_ + ": " + what + ": " + OneBlankBetweenWords(text));
    }

    std::string page_;
};

TEST(GuideQuotes, TheLiteralsOfASourceAreReadAsTheCompilerJoinsThem) {
    const char* source = R"cpp(
        // "not a literal"
        Show("Bit Name " /* "nor this" */ "not found", 'x', '"', 1'000);
        const char* s = "a \"quoted\" word\r\n"; /* "*/
        auto r = R"(raw "text")";
    )cpp";
    EXPECT_EQ(
        StringLiterals(source),
        (std::vector<std::string>{"Bit Name not found", "a \"quoted\" word\r\n", "raw \"text\""}));
}

TEST(GuideQuotes, EveryTextTheGuideQuotesIsATextOfTheProgram) {
    std::vector<Quote> quotes;
    std::vector<std::string> faults;
    for (const auto& entry : fs::directory_iterator(VELDRA_GUIDE_DIR)) {
        if (entry.path().extension() != ".html")
            continue;
        pugi::xml_document document;
        const pugi::xml_parse_result read =
            document.load_file(entry.path().c_str(), pugi::parse_default | pugi::parse_ws_pcdata);
        ASSERT_TRUE(read) << entry.path() << ": " << read.description();
        PageReader page(entry.path().filename().string());
        page.Walk(document.child("html").child("body"));
        quotes.insert(quotes.end(), page.quotes.begin(), page.quotes.end());
        faults.insert(faults.end(), page.faults.begin(), page.faults.end());
    }
    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;
    // The guide quotes the program on many pages; none found means the pages went unread.
    EXPECT_GE(quotes.size(), 20u);

    const std::vector<std::string> texts = ProgramTexts();
    for (const Quote& quote : quotes) {
        for (const std::string& part : quote.fixed) {
            const bool found = std::any_of(
                texts.begin(), texts.end(),
                [&](const std::string& text) { return text.find(part) != std::string::npos; });
            EXPECT_TRUE(found) << quote.page << " quotes " << quote.shown
                               << ", but the program has no text \"" << part << "\"";
        }
    }
}

}  // namespace
}  // namespace veldra::testing
