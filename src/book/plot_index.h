#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace veldra {

// One entry of the bit index, as the index hands it out: the bit's name and its pages,
// "Page(s): " followed by each page and ", " ("Page(s): 3, (5), 12, "); a bit on no page
// has "Page(s): " alone.
using IndexTextOut = std::function<void(std::string_view BitName, std::string_view Pages)>;

// Builds the bit index over the book and hands every entry, in index order, to `TextOut`.
using BitIndexRun = std::function<void(const IndexTextOut& TextOut)>;

// Twips of index text an index column takes before the next entry starts a new column.
inline constexpr double kIndexColumnHeight = 11520;

// The index as the plot lays it out: entries gathered into columns of text, each no
// taller than a column of an index page holds, and handed on column by column.
class IndexColumns {
public:
    // `lineHeight` is one line of the index text in twips; `addColumn` takes each full
    // column's text.
    IndexColumns(double lineHeight, std::function<void(const std::string& text)> addColumn);

    // Adds an entry: the bit name, its pages without the last ", " and a blank line. A bit
    // on no page is left out.
    void TextOut(std::string_view BitName, std::string_view Pages);
    // Hands on the last column, when it holds anything.
    void Finish();

private:
    double Height(std::string_view text) const;

    double lineHeight_;
    std::function<void(const std::string&)> addColumn_;
    std::string IndexPageText;
};

}  // namespace veldra
