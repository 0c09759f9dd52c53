#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veldra {

// The title of the box that refuses a page number.
inline constexpr const char* kPageRangeTitle = "PAGE NUMBER MUST BE VALID TO CONTINUE";

// The number a page box's text begins with (after blanks); 0 when it begins with none.
int PageNumberIn(std::string_view text);

enum class PageBox { From, To };

// Why the page number in one box of the range cannot be printed, or nothing when it can:
// each box must be a page of the book, and From may not lie after To.
std::optional<std::string> RefusePageBox(PageBox box, std::string_view fromText,
                                         std::string_view toText, int endPage);

}  // namespace veldra
