// The compiled listings shipped beside the examples: each is the listing the compiler
// writes for the example's source as it stands, so that a book made from an example
// proves on every page which source it was printed from.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "book/listing_reader.h"
#include "e2e/example_fixture.h"

namespace veldra::testing {
namespace {

std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The image's CRC: CRC-16/CCITT (polynomial 1021 hexadecimal, starting from FFFF).
std::uint16_t Crc16(const std::string& bytes) {
    std::uint16_t crc = 0xFFFF;
    for (const unsigned char byte : bytes) {
        crc ^= std::uint16_t(byte << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = std::uint16_t((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
        }
    }
    return crc;
}

// The image's checksum: the sum of its bytes, kept to 16 bits.
std::uint16_t Checksum(const std::string& bytes) {
    std::uint16_t sum = 0;
    for (const unsigned char byte : bytes) {
        sum = std::uint16_t(sum + byte);
    }
    return sum;
}

std::string Hex(std::uint16_t value) {
    char text[5];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

std::string Padded(std::string text, std::size_t width, bool right = false) {
    const std::string fill(text.size() < width ? width - text.size() : 0, ' ');
    return right ? fill + text : text + fill;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string After(const std::string& line, const std::string& word) {
    std::string rest = line.substr(line.find(word) + word.size());
    rest.erase(0, rest.find_first_not_of(' '));
    return rest.substr(0, rest.find_first_of(" ;"));
}

// The listing the compiler writes for a source: the source text numbered, the image's
// summary, and the address jumpers of each board, numbered from 1 in the order declared
// and set in binary on an eight-way switch, switch 1 the lowest bit.
std::string CompiledListing(const std::string& fileName, const std::string& source) {
    const std::vector<std::string> lines = Lines(source);
    std::string program;
    std::vector<std::pair<std::string, std::string>> boards;
    for (const std::string& line : lines) {
        if (program.empty() && line.starts_with("PROGRAM ")) {
            program = After(line, "PROGRAM");
        } else if (line.starts_with("BOARD:")) {
            boards.emplace_back(After(line, "BOARD:"), "");
        } else if (!boards.empty() && boards.back().second.empty() &&
                   line.find("TYPE:") != std::string::npos) {
            boards.back().second = After(line, "TYPE:");
        }
    }
    std::string listing = " APPLICATION LOGIC COMPILER LISTING\n Source File: " + fileName +
                          "\n Program: " + program + "\n\n *** Source Text:\n";
    for (std::size_t n = 0; n < lines.size(); ++n) {
        listing += Padded(std::to_string(n + 1), 6, true) + "  " + lines[n] + "\n";
    }
    listing += "\n *** Application Image Summary:\n";
    listing += "    Source Lines:" + Padded(std::to_string(lines.size()), 23, true) + "\n";
    listing += "    I/O Boards:" + Padded(std::to_string(boards.size()), 25, true) + "\n";
    listing += "    Application Image CRC:" + Padded(Hex(Crc16(source)), 14, true) + "\n";
    listing += "    Application Image Checksum:" + Padded(Hex(Checksum(source)), 9, true) + "\n";
    listing += "\n *** I/O Board Address Jumper (Switch) Settings:\n";
    listing += "    " + Padded("Board", 18) + Padded("Type", 18) + "Address   Switch  ";
    for (int position = 1; position <= 8; ++position) {
        listing += Padded(std::to_string(position), position < 8 ? 4 : 1);
    }
    listing += "\n";
    for (std::size_t n = 0; n < boards.size(); ++n) {
        const unsigned address = unsigned(n + 1);
        listing += "    " + Padded(boards[n].first, 18) + Padded(boards[n].second, 18) +
                   Padded(std::to_string(address), 7, true) + "           ";
        for (int bit = 0; bit < 8; ++bit) {
            const std::string state = (address >> bit) & 1 ? "ON" : "OFF";
            listing += bit < 7 ? Padded(state, 4) : state;
        }
        listing += "\n";
    }
    return listing + " *** End Of Listing\n";
}

// An example, the first of its boards and how many it has.
struct Shipped {
    const char* name;
    const char* firstBoard;
    int boards;
};

void PrintTo(const Shipped& example, std::ostream* out) {
    *out << example.name;
}

class ExampleListing : public ::testing::TestWithParam<Shipped> {};

TEST_P(ExampleListing, IsTheCompilersListingOfTheSourceBesideIt) {
    const std::string name = GetParam().name;
    const std::string source = FileBytes(Example(name + ".ml2"));
    const std::string expected = CompiledListing(name + ".ml2", source);
    const std::string shipped = FileBytes(Example(name + ".mll"));
    if (shipped != expected) {
        const std::filesystem::path fresh =
            std::filesystem::path(::testing::TempDir()) / (name + ".mll");
        std::ofstream(fresh, std::ios::binary) << expected;
        ADD_FAILURE() << "examples/" << name << ".mll is not the listing of its source; the "
                      << "listing of the source as it stands is in " << fresh.string();
    }

    // The book reads the image's CRC and checksum, and the jumpers of every board.
    std::istringstream in(shipped);
    ListingTexts texts;
    ReadListing(in, texts);
    EXPECT_EQ(texts.CRC, Hex(Crc16(source)));
    EXPECT_EQ(texts.ChkSum, Hex(Checksum(source)));
    EXPECT_TRUE(texts.Jumpers.starts_with(" *** I/O Board Address Jumper (Switch) Settings:\r\n"));
    EXPECT_NE(texts.Jumpers.find("\r\n    " + std::string(GetParam().firstBoard) + " "),
              std::string::npos);
    // The heading, the columns' header and a line a board.
    std::size_t lines = 0;
    for (std::size_t at = texts.Jumpers.find("\r\n"); at != std::string::npos;
         at = texts.Jumpers.find("\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, std::size_t(GetParam().boards + 2));
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleListing,
                         ::testing::Values(Shipped{"interlocking", "TRACKS", 7},
                                           Shipped{"level_crossing", "XING_IN", 4},
                                           Shipped{"line_end_a", "WEST_IO", 5},
                                           Shipped{"line_end_b", "EAST_IO", 7}),
                         [](const auto& example) { return std::string(example.param.name); });

}  // namespace
}  // namespace veldra::testing
