#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "book/bit_index.h"
#include "book/listing_reader.h"
#include "book/page_layout.h"
#include "book/visio_drawing.h"
#include "platform/platform.h"

namespace veldra {

class BooleanBits;
class CreateLadder;

// Whether the book offers its plot commands. Our own drawing stands behind the plot
// wherever the simulator runs, so it always can.
inline constexpr bool VisioAvailable = true;

// The plot's sheet, 17 by 11 inches, in twips: the canvas the book is laid out on when it
// is configured for the plot.
inline constexpr PageCanvas kPlotCanvas{24480, 15840};

// What the plot takes from the book.
struct PlotBook {
    // The ladders of each page, in list order; entry 0 is page 1.
    std::vector<std::vector<CreateLadder*>> pages;
    int pageCount = 0;
    std::string ProgramName;
    ListingTexts listing;
    // Where the drawing template is looked for.
    std::filesystem::path programFolder;
    // The element size in percent.
    double elementSize = 100;
    // The ladder font's size as the settings hold it.
    std::string ladderFontSize = "8";
    const BooleanBits* bits = nullptr;
};

// What the plot asks of the book window around it.
class PlotHost {
public:
    virtual ~PlotHost() = default;
    // The drawing application of that program identifier. The host keeps it: the document
    // stays in it after the plot.
    virtual visio::Application& CreateObject(std::string_view progId) = 0;
    virtual std::optional<std::string> InputBox(const InputBoxRequest& request) = 0;
    virtual MsgAnswer MessageBox(const MsgBoxRequest& request) = 0;
    // The progress window: shown at `value` of `maximum`, moved on, and gone.
    virtual void ShowProgress(int value, int maximum) = 0;
    virtual void SetProgress(std::string_view label, int value) = 0;
    virtual void UnloadProgress() = 0;
    // Lets the desktop run.
    virtual void DoEvents() = 0;
    // The drawing application shows the drawing as it is made, so that the user can watch
    // it; one that cannot shows the progress window to a watcher too.
    virtual bool ShowsDrawing() const = 0;
    // The bit index of the book, in index order.
    virtual std::vector<IndexEntry> GetIndex() = 0;
    // The height of one line of index text in the preview's font, in twips.
    virtual double IndexLineHeight() = 0;
    // Writes the finished document where the user asked for it, whole or not at all; a
    // RuntimeError says why it could not.
    virtual void WriteDocument() = 0;
};

// The relay-equivalent drawings of the book sent to a new drawing, one book page a
// drawing page, each centred on a 17 by 11 inch sheet over the template's title block,
// with a notice on pages that hold numeric-block logic and, for the whole book, the bit
// index on pages of five columns.
class VisioPlot {
public:
    VisioPlot(PlotBook book, PlotHost& host);

    // Plots the pages from `StartPage` to `EndPage` and writes the document. True once the
    // document is written; a failure on the way is reported and writes nothing.
    bool Plot(int StartPage, int EndPage);

private:
    bool Run(int StartPage, int EndPage);
    bool PlotPage(int page);
    void SetUpPage(visio::Page& page, int number);
    void AddVisioText(std::string_view Text, double Size, double X1, double Y1, double X2,
                      double Y2);
    void CenterVisioPage();
    void NoteNumericBlock();
    void PlotIndexToVisio();
    void AddVisioIndexPage(const std::string& IndexPageText);

    PlotBook book_;
    PlotHost& host_;
    visio::Application* VisioApp = nullptr;
    visio::Page* VisioPage = nullptr;
    visio::Window* VisioWindow = nullptr;
    bool VisioError = false;
    bool NumericOnPage = false;
    int IndexColumn = 1;
    bool watching_ = false;
    // The progress window is up while the pages are drawn.
    bool showingProgress_ = false;
};

}  // namespace veldra
