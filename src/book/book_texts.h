#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "book/listing_reader.h"

namespace veldra {

class Statement;

// A statement as the book shows it: the expression, " TO ", the results joined by ", "
// and ";", without the word ASSIGN.
std::string BookStatementText(const Statement& statement);

// The line at the top of every book page.
std::string PageHeaderText(std::string_view programName);
// The line at the foot of every book page: the page of the whole book, and the image it
// documents.
std::string PageFooterText(int page, int pages, const ListingTexts& listing);
// The line at the foot of the printed listing page.
std::string ListingFooterText(std::string_view programName, const ListingTexts& listing);
// The jumper text cut into its printed lines.
std::vector<std::string> ListingLines(std::string_view jumpers);

}  // namespace veldra
