#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "book/listing_reader.h"

namespace veldra {

class BooleanBits;
class Ladders;

// One bit of the book's cross-reference: where in the book the bit is used.
struct IndexEntry {
    std::string BitName;
    // "Page(s): " and one item per page, each followed by ", ": the page number where the
    // bit is read, the number between brackets where it is a coil ("Page(s): 2, (7), ").
    // A bit on no page gives the prefix alone.
    std::string Pages;

    // Whether the bit stands on any page; the printed, saved and plotted index leave out
    // the bits that do not.
    bool OnAnyPage() const;
    // The page items as the index shows them, without the trailing ", ".
    std::string PagesLine() const;
};

inline constexpr std::string_view kPagesPrefix = "Page(s): ";
inline constexpr std::string_view kIndexHeading = "INDEX LISTING";

// Where the index reports how far it is; the book window shows it in the progress window
// and lets the desktop run.
class IndexProgress {
public:
    virtual ~IndexProgress() = default;
    virtual void Start(int names) = 0;
    // The `done`th name is in work; `status` says which.
    virtual void Building(std::string_view status, int done) = 0;
};

// The bit index of the program book: for every bit of the program, the pages on whose
// ladders it is read or is a coil. A comparison contact ("N>3") is a read of its numeric
// bit. Built from the ladders once they are paged.
class clsIndex {
public:
    // One entry per bit of `bits`, used or not, in alphabetical order without regard to
    // case. A contact counts only for the bit of exactly its name: letter case counts.
    // Everything is read from the ladders and bits before the first progress report, so
    // they may change while the desktop runs.
    std::vector<IndexEntry> GetIndex(Ladders& ladders, const BooleanBits* bits,
                                     IndexProgress* progress = nullptr);
};

// The foot of every printed index page.
std::string IndexFooterText(std::string_view programName, const ListingTexts& listing);

// The saved index: for every bit on some page, its name, its page items and an empty
// line, each line ended by CR LF.
std::string IndexFileText(const std::vector<IndexEntry>& entries);

// One line of a printed index page, at (x, y) twips from the page's top-left corner.
struct IndexLine {
    double x = 0;
    double y = 0;
    std::string text;
};
using IndexSheet = std::vector<IndexLine>;

// The printed index on pages `pageHeight` twips high with lines `lineHeight` twips apart:
// each page under "INDEX LISTING", an entry's name and page items and two empty lines
// after them, and the footer at the foot of every page, the last one included. A page is
// ended before an entry once the text has passed 2000 twips above the page's foot.
std::vector<IndexSheet> IndexSheets(const std::vector<IndexEntry>& entries, std::string_view footer,
                                    double pageHeight, double lineHeight);

// How high a column of the plotted index may grow, in twips (eight inches).
inline constexpr double kIndexColumnHeight = 11520;

// The plotted index as column texts: entries (name, CR LF, page items, two CR LFs) are
// collected into one column while the column with the next entry's name and pages would
// stay below kIndexColumnHeight at `lineHeight` twips a line; then the next column starts.
// The plot puts five columns on a page.
std::vector<std::string> IndexColumns(const std::vector<IndexEntry>& entries, double lineHeight);

}  // namespace veldra
