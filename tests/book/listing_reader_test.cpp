#include "book/listing_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "book/book_texts.h"

namespace veldra::testing {
namespace {

constexpr const char* kSummary = " *** Application Image Summary:\r\n";
constexpr const char* kCRC = "   Application Image CRC:   3fa9\r\n";
constexpr const char* kSum = "   Application Image Checksum:  00C1\r\n";
constexpr const char* kJumpers = " *** I/O Board Address Jumper (Switch) Settings:\r\n";
constexpr const char* kBoards = "  IO1  J1 J3\r\n  IO2  J2\r\n";
constexpr const char* kEnd = " *** End of listing\r\n  after the end\r\n";

TEST(ListingReader, FindsEachSectionOnlyAfterTheOneBeforeIt) {
    const std::string heading = std::string(kJumpers, std::strlen(kJumpers));
    const std::string jumpers = heading + "  IO1  J1 J3\r\n  IO2  J2\r\n";
    struct Case {
        std::string listing;
        ListingTexts expected;
    };
    const Case cases[] = {
        {std::string("header\r\n") + kSummary + kCRC + kSum + kJumpers + kBoards + kEnd,
         {"3FA9", "00C1", jumpers}},
        // Without the summary heading nothing is read.
        {std::string(kCRC) + kSum + kJumpers + kBoards, {"", "", ""}},
        // A checksum before the CRC is passed over, and the jumpers with it.
        {std::string(kSummary) + kSum + kCRC + kJumpers + kBoards, {"3FA9", "", ""}},
        // A jumper section running to the end of the file keeps every line.
        {std::string(kSummary) + kCRC + kSum + kJumpers + kBoards, {"3FA9", "00C1", jumpers}},
        // A short value yields the last four characters whatever they are.
        {std::string(kSummary) + "Application Image CRC: 7f1\n", {" 7F1", "", ""}},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.listing);
        ListingTexts texts;
        ReadListing(in, texts);
        EXPECT_EQ(texts.CRC, c.expected.CRC) << c.listing;
        EXPECT_EQ(texts.ChkSum, c.expected.ChkSum) << c.listing;
        EXPECT_EQ(texts.Jumpers, c.expected.Jumpers) << c.listing;
    }
}

TEST(BookTexts, FooterAndListingLinesCarryThePageAndTheImage) {
    const ListingTexts listing{"3FA9", "00C1", "J1\r\nJ2\r\n"};
    EXPECT_EQ(PageFooterText(3, 12, listing),
              "Page 3 Of 12  Application CheckSum: 00C1    Application CRC: 3FA9");
    EXPECT_EQ(PageFooterText(1, 1, {}), "Page 1 Of 1  Application CheckSum:     Application CRC: ");
    EXPECT_EQ(PageHeaderText("SMALL"), "PROGRAM LOGIC FOR: SMALL");
    EXPECT_EQ(ListingFooterText("SMALL", listing),
              "Jumper Information for: SMALL  CheckSum: 00C1   CRC: 3FA9");
    EXPECT_EQ(ListingLines(listing.Jumpers), (std::vector<std::string>{"J1", "J2"}));
}

}  // namespace
}  // namespace veldra::testing
