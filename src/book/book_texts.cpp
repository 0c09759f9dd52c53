#include "book/book_texts.h"

#include "logic/statement.h"

namespace veldra {

std::string BookStatementText(const Statement& statement) {
    std::string text = std::string(statement.strStatement()) + " TO ";
    const int last = statement.UboundResults();
    for (int i = 0; i <= last; ++i) {
        text += statement.ResultBitName(i);
        text += i < last ? ", " : ";";
    }
    return text;
}

std::string PageHeaderText(std::string_view programName) {
    return "PROGRAM LOGIC FOR: " + std::string(programName);
}

std::string PageFooterText(int page, int pages, const ListingTexts& listing) {
    return "Page " + std::to_string(page) + " Of " + std::to_string(pages) +
           "  Application CheckSum: " + listing.ChkSum + "    Application CRC: " + listing.CRC;
}

std::string ListingFooterText(std::string_view programName, const ListingTexts& listing) {
    return "Jumper Information for: " + std::string(programName) + "  CheckSum: " + listing.ChkSum +
           "   CRC: " + listing.CRC;
}

std::vector<std::string> ListingLines(std::string_view jumpers) {
    std::vector<std::string> lines;
    while (!jumpers.empty()) {
        const std::size_t end = jumpers.find("\r\n");
        lines.emplace_back(jumpers.substr(0, end));
        jumpers = end == std::string_view::npos ? std::string_view() : jumpers.substr(end + 2);
    }
    return lines;
}

}  // namespace veldra
