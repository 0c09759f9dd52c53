#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime_error.h"

namespace veldra {

class BooleanBits;
class CreateLadder;
class Element;
class Elements;
class Ladders;

// A book that cannot be laid out; the text says why, for the user.
class BookError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// The paper (or plot sheet) the book is laid out for, in twips.
struct PageCanvas {
    double width = 0;
    double height = 0;
};

// How many cells a page holds beyond its margins: the highest column and row a ladder
// may use on it.
struct PageFit {
    int maxCols = 0;
    int maxRows = 0;
};

// The drawing choices the layout writes into every cell.
struct LayoutOptions {
    bool relay = false;    // drawn as relay circuits instead of ladders
    bool wordWrap = true;  // long names wrap inside their cell
};

// Where the layout reports how far it is; the book window shows it in the progress window.
class LayoutProgress {
public:
    virtual ~LayoutProgress() = default;
    virtual void Begin(std::string_view status, int maximum) = 0;
    virtual void Step() = 0;
    virtual void End() = 0;
};

// Widths and heights of text in the ladder font, in twips.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual double TextWidth(std::string_view text) const = 0;
    virtual double TextHeight(std::string_view text) const = 0;
};

// The margins and header room of every page, in twips.
inline constexpr double kPageMarginWidth = 3120;
inline constexpr double kPageMarginHeight = 3220;
inline constexpr double kHeaderRoom = 1260;
// The printed page's footer stands this far above the paper's foot.
inline constexpr double kFooterRoom = 1100;

// The rows the page's header takes, for cells of the pitch given (twips).
int HeaderRows(const Element& cell);

// Drops the cells that draw nothing and gives the number of rows the ladder uses.
int GetRows(Elements& cells);

// The highest column and row that a page holds beyond its margins, for cells of the
// pitches given (twips): its width and height less the margins, in cells rounded to the
// nearest, but never a column past the paper's edge nor a row over the footer.
PageFit PageHolds(PageCanvas canvas, const Element& cell);

// The page's columns and rows for cells of the pitches given (twips). A page that holds
// no column, or fewer than two rows, could never take a ladder however often it were cut:
// it is refused with a BookError that names the element size.
PageFit FitPage(PageCanvas canvas, const Element& cell);

// Every named cell takes the value its contact shows (`ContactValue`); the book shows the
// program as it stood when it was laid out.
void SetElementValues(Ladders& ladders, const BooleanBits* bits, LayoutProgress& progress);

// Indents, wraps, stacks and pages the ladders for the canvas, cuts ladders taller than
// a page into continuations on the pages after, sets the cells' values and drawing
// options, and gives the page count. With the ladder font's `metrics`, names are fitted to
// it first and every row is made as tall as its wrapped names; a rung too large to draw
// shows its statement's text, wrapped to the page, below its note. It changes the ladders
// for good: a new canvas, element size or font needs a new book. A BookError when the page
// is too small or the book empty.
int CreateDocument(Ladders& ladders, PageCanvas canvas, const LayoutOptions& options,
                   const BooleanBits* bits, LayoutProgress& progress,
                   const TextMetrics* metrics = nullptr);

// Fits the cells' names to the ladder font: characters per name line, line height and
// where each name starts so that it stands centred on its cell.
void CalcTextSize(Ladders& ladders, const TextMetrics& metrics);
// The same for the cells of one ladder on their own, measured at the pitch of the first.
void CalcTextSize(Elements& cells, const TextMetrics& metrics);

// The ladders of each page, in list order; entry 0 is page 1.
std::vector<std::vector<CreateLadder*>> LaddersByPage(Ladders& ladders, int pages);

}  // namespace veldra
