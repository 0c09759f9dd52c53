#include "book/visio_plot.h"

#include <array>
#include <charconv>
#include <utility>

#include "ladder/create_ladder.h"
#include "ladder/ladder_drawing.h"
#include "platform/load_under_way.h"
#include "platform/window_errors.h"

namespace veldra {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kSheetHeight = 11;

// A number as its shortest decimal text ("8", "10.5").
std::string Decimal(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

// A text block: the drawings' text style, no outline or ground, the text, its size and
// where it stands in the block (0 top or left, 1 middle or centre).
void Write(visio::Shape& shape, std::string_view text, const std::string& size,
           std::string_view vertical, std::string_view horizontal) {
    shape.SetTextStyle("EE Normal");
    shape.SetLineStyle("Text Only");
    shape.SetFillStyle("Text Only");
    visio::Characters& characters = shape.GetCharacters();
    characters.SetBegin(0);
    characters.SetEnd(0);
    characters.SetText(text);
    shape.CellsSRC(3, 0, 7).SetFormulaU(size);
    shape.CellsSRC(1, 11, 4).SetFormulaU(vertical);
    shape.CellsSRC(4, 0, 6).SetFormulaU(horizontal);
}

// A book page's cells drawn on the plot's page: relay lines and names, in inches from the
// sheet's lower left. A call the drawing refuses is not drawn and marks the plot failed.
class PlotDrawing final : public LadderDrawing {
public:
    PlotDrawing(visio::Page*& page, bool& failed, double elementSize, std::string fontSize)
        : page_(page), failed_(failed), scale_(elementSize / 100), fontSize_(std::move(fontSize)) {}

    // Ladder lines and coil arcs belong to the screen and the paper; the plot draws the
    // relay circuit.
    void DrawLine(double, double, double, double, bool) override {}
    void DrawOutput(double, double, double, double, double) override {}
    void ShowSelection(double, double, double, double, bool) override {}

    void DrawLineR(double X1, double X2, double Y1, double Y2, bool live) override {
        if (!live) {
            return;
        }
        Guarded([&] {
            page_
                ->DrawLine(X1 / kTwipsPerInch, kSheetHeight - Y1 / kTwipsPerInch,
                           X2 / kTwipsPerInch, kSheetHeight - Y2 / kTwipsPerInch)
                .CellsSRC(1, 2, 0)
                .SetFormulaU("0.72 pt");
        });
    }

    void PrintText(double X, double Y, std::string_view Text) override {
        if (Text.empty()) {
            return;
        }
        Guarded([&] {
            const double left = X / kTwipsPerInch;
            const double top = kSheetHeight - Y / kTwipsPerInch;
            visio::Shape& block =
                page_->DrawRectangle(left, top, left + 1.08 * scale_, top - 0.29 * scale_);
            Write(block, Text, fontSize_ + " pt", "1", "1");
        });
    }

private:
    template <class Call>
    void Guarded(Call call) {
        // Reported once the plot has stopped.
        AnswerFailures(call, [this](const std::exception&) { failed_ = true; });
    }

    visio::Page*& page_;
    bool& failed_;
    double scale_;
    std::string fontSize_;
};

// Every cell draws its relay symbol while the book is plotted, whichever view the book
// shows: a ladder cell's own lines never reach a drawing page. Each takes its own look
// back when the plot ends, however it ends.
class RelayForPlot {
public:
    explicit RelayForPlot(const std::vector<std::vector<CreateLadder*>>& pages) {
        for (const auto& page : pages) {
            for (CreateLadder* ladder : page) {
                for (const auto& cell : ladder->GetElements()) {
                    saved_.emplace_back(cell.get(), cell->IsRelay);
                    cell->IsRelay = true;
                }
            }
        }
    }
    ~RelayForPlot() {
        for (const auto& [cell, relay] : saved_) {
            cell->IsRelay = relay;
            cell->Visio = false;
        }
    }
    RelayForPlot(const RelayForPlot&) = delete;
    RelayForPlot& operator=(const RelayForPlot&) = delete;

private:
    std::vector<std::pair<Element*, bool>> saved_;
};

}  // namespace

VisioPlot::VisioPlot(PlotBook book, PlotHost& host) : book_(std::move(book)), host_(host) {}

bool VisioPlot::Plot(int StartPage, int EndPage) {
    NumericOnPage = false;
    RelayForPlot relay(book_.pages);
    bool written = false;
    std::string failure;
    AnswerFailures(
        [&] {
            // Memory running out in a drawing call ends the plot, not the call alone.
            const CommandUnderWayScope underWay;
            written = Run(StartPage, EndPage);
        },
        [&](const std::exception& error) { failure = FailureText(error); });
    if (VisioError) {
        host_.MessageBox({"Visio Plot Error", MsgButtons::Ok, MsgIcon::Information, "OLE Error"});
        VisioError = false;
    } else if (!failure.empty()) {
        host_.MessageBox({"The plot could not be written. " + failure, MsgButtons::Ok,
                          MsgIcon::Critical, "VELDRA"});
    }
    host_.UnloadProgress();
    VisioApp = nullptr;
    VisioWindow = nullptr;
    VisioPage = nullptr;
    return written;
}

bool VisioPlot::Run(int StartPage, int EndPage) {
    const std::string templatePath = (book_.programFolder / visio::kPlotTemplate).string();
    VisioApp = &host_.CreateObject("Visio.Application");
    visio::Application& app = *VisioApp;
    app.GetDocuments().Add(templatePath);
    app.SetVisible(false);

    const std::optional<std::string> designer =
        host_.InputBox({"Enter Designer Name:", "Document Details", ""});
    if (designer && !designer->empty()) {
        AddVisioText(*designer, 8, 10.52, 1.5, 12.0, 1.64);
    }
    const std::optional<std::string> checker =
        host_.InputBox({"Enter Checker Name:", "Document Details", ""});
    if (checker && !checker->empty()) {
        AddVisioText(*checker, 8, 10.52, 1.34, 12.0, 1.2);
    }
    watching_ = host_.MessageBox({"Watch Visio Plot?", MsgButtons::YesNo, MsgIcon::None,
                                  "Display Visio Application"}) == MsgAnswer::Yes;
    if (watching_) {
        app.SetVisible(true);
        app.GetWindow().SetWindowState(visio::kMaximized);
    }
    showingProgress_ = !watching_ || !host_.ShowsDrawing();
    if (showingProgress_) {
        host_.ShowProgress(1, EndPage + 1);
    }
    AddVisioText(book_.ProgramName, 14, 12.0236, 1.5904, 16.5915, 0.94);
    AddVisioText("CHECK SUM: " + book_.listing.ChkSum + "\r\nCRC: " + book_.listing.CRC, 14,
                 12.0236, 0.94, 16.5915, 0.285);

    for (int page = StartPage; page <= EndPage; ++page) {
        if (!PlotPage(page)) {
            return false;
        }
    }
    host_.UnloadProgress();
    if (watching_) {
        app.GetWindow().SetWindowState(visio::kMinimized);
    }
    if (StartPage == 1 && EndPage == book_.pageCount &&
        host_.MessageBox({"Generate Index?", MsgButtons::YesNo, MsgIcon::None,
                          "Add Index to Visio Document"}) == MsgAnswer::Yes) {
        if (watching_) {
            app.GetWindow().SetWindowState(visio::kMaximized);
        }
        PlotIndexToVisio();
    }
    host_.UnloadProgress();
    visio::Pages& pages = app.ActiveDocument().GetPages();
    pages.Add().Delete(1);
    app.ActiveWindow().SetPage(pages.ItemU(1));
    VisioWindow = nullptr;
    VisioPage = nullptr;

    // The document carries its properties in the file, so they are set before it is
    // written; "Document Ready" only once it is.
    visio::Document& document = app.ActiveDocument();
    document.SetTitle("Equivalent Circuits For " + book_.ProgramName);
    document.SetDescription("Relay Equivalence of Boolean Logic");
    document.SetSubject("Application Program Logic");
    host_.WriteDocument();

    app.GetWindow().SetWindowState(visio::kMinimized);
    host_.MessageBox({"Document Ready", MsgButtons::Ok, MsgIcon::Information, "Plot Complete"});
    app.GetWindow().SetWindowState(visio::kMaximized);
    app.SetVisible(true);
    VisioApp = nullptr;
    return true;
}

// One book page as one drawing page; false when the drawing refused a cell.
bool VisioPlot::PlotPage(int page) {
    if (showingProgress_) {
        host_.SetProgress("Printing Page " + std::to_string(page), page);
        host_.DoEvents();
    }
    VisioPage = &VisioApp->ActiveDocument().GetPages().Add();
    VisioWindow = &VisioPage->GetApplication().GetWindow();
    if (watching_) {
        VisioWindow->SetWindowState(visio::kMaximized);
    }
    SetUpPage(*VisioPage, page);
    PlotDrawing drawing(VisioPage, VisioError, book_.elementSize, book_.ladderFontSize);
    if (page >= 1 && page <= int(book_.pages.size())) {
        for (CreateLadder* ladder : book_.pages[std::size_t(page - 1)]) {
            if (ladder->IsNumeric) {
                NumericOnPage = true;
            }
            for (const auto& cell : ladder->GetElements()) {
                cell->Visio = true;
                cell->UpdateDrawing(drawing, book_.bits);
                cell->UpdateName(drawing);
                cell->Visio = false;
                if (VisioError) {
                    return false;
                }
            }
        }
    }
    CenterVisioPage();
    if (NumericOnPage) {
        NoteNumericBlock();
        NumericOnPage = false;
    }
    return true;
}

void VisioPlot::SetUpPage(visio::Page& page, int number) {
    page.SetName("Page - " + std::to_string(number));
    page.SetBackground(false);
    page.SetIndex(number);
    page.SetBackPage("Template");
    visio::Shape& sheet = page.GetPageSheet();
    sheet.CellsSRC(1, 10, 0).SetFormulaU("17 in");
    sheet.CellsSRC(1, 10, 1).SetFormulaU("11 in");
    sheet.CellsSRC(1, 10, 2).SetFormulaU("0.125 in");
    sheet.CellsSRC(1, 10, 3).SetFormulaU("-0.125 in");
    sheet.CellsSRC(1, 10, 4).SetFormulaU("1 in");
    sheet.CellsSRC(1, 10, 5).SetFormulaU("1 in");
    sheet.CellsSRC(1, 25, 16).SetFormulaU("2");
    sheet.CellsSRC(1, 25, 17).SetFormulaU("3");
}

void VisioPlot::AddVisioText(std::string_view Text, double Size, double X1, double Y1, double X2,
                             double Y2) {
    visio::Page& page = VisioApp->GetWindows().Item(1).GetPage();
    Write(page.DrawRectangle(X1, Y1, X2, Y2), Text, Decimal(Size) + " pt", "1", "1");
}

void VisioPlot::CenterVisioPage() {
    visio::Window& window = VisioApp->ActiveWindow();
    window.SelectAll();
    window.GetSelection().Group();
    visio::Shape& group = VisioApp->ActivePage().GetShapes().Item(1);
    group.CellsSRC(1, 1, 0).SetFormulaU("8.47 in");
    group.CellsSRC(1, 1, 1).SetFormulaU("6.18 in");
    window.GetSelection().Ungroup();
}

void VisioPlot::NoteNumericBlock() {
    Write(VisioPage->DrawRectangle(4.8, 1.8, 0.6, 0.25),
          "THIS PAGE CONTAINS AT LEAST ONE CIRCUIT THAT IS FROM A NUMERIC BLOCK", "10 pt", "1",
          "1");
}

void VisioPlot::PlotIndexToVisio() {
    IndexColumn = 1;
    for (const std::string& column : IndexColumns(host_.GetIndex(), host_.IndexLineHeight()))
        AddVisioIndexPage(column);
}

void VisioPlot::AddVisioIndexPage(const std::string& IndexPageText) {
    constexpr double kColumnLeft[] = {1.5, 4.5, 7.5, 10.5, 13.5};
    visio::Pages& pages = VisioApp->ActiveDocument().GetPages();
    const int count = pages.Count();
    if (IndexColumn == 1) {
        VisioPage = &pages.Add();
        SetUpPage(*VisioPage, count);
    }
    const double left = kColumnLeft[IndexColumn - 1];
    Write(VisioPage->DrawRectangle(left, 10, left + 2.5, 2), IndexPageText,
          book_.ladderFontSize + " pt", "0", "0");
    IndexColumn = IndexColumn % 5 + 1;
}

}  // namespace veldra
