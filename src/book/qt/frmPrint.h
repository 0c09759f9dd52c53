#pragma once

#include <QImage>
#include <QMainWindow>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "book/auto_size.h"
#include "book/listing_reader.h"
#include "book/page_layout.h"
#include "ladder/ladders.h"
#include "platform/qt/window_registry.h"

class QAction;
class QCheckBox;
class QFont;
class QLabel;
class QPainter;
class QPushButton;
class QScrollArea;

namespace veldra {

class BooleanBits;
class Dialogs;
class PageDrawing;
class PrintTarget;
class Settings;
struct IndexEntry;

// The program book: every statement as a ladder, paged for the paper, previewed one page
// at a time with the program's name above and the listing's checksum and CRC below, and
// printed by page range. The main and program windows stay hidden while it is open.
class frmPrint final : public QMainWindow {
    Q_OBJECT

public:
    // `bits` gives the program's bits while the program stands (nothing after); `extent` is
    // the widest and tallest statement, measured by the first auto size that needs it;
    // `elementSize` is the size of its ladder elements in percent, 100 being normal.
    frmPrint(WindowRegistry& windows, Dialogs& dialogs, Settings& settings, std::string programName,
             ListingTexts listing, std::function<const BooleanBits*()> bits,
             std::shared_ptr<LadderExtent> extent, std::int16_t elementSize);
    ~frmPrint() override;

    // --- Building the book.
    // Appends the ladder of one statement ("A*B TO X, Y;").
    void Add(std::string_view statement, bool isNumeric);
    // Lays the ladders out on the paper: a BookError says why it cannot.
    void CreateDocument();
    // The "Plot Numerics?" answer the book was built with (6 Yes, 7 No), for a rebuild.
    int NumPlot = 7;
    Ladders& Book() { return *ladders_; }
    // The element size the book is built with, in percent.
    std::int16_t ElementSize() const { return elementSize_; }
    LadderExtent& Extent() { return *extent_; }

    // --- The preview.
    int ShownPage() const { return shownPage_; }
    int TotalPages() const { return totalPages_; }
    void Ladder_Paint();
    void cmdUp_Click();
    void cmdPgDown_Click();
    // The page as the preview shows it.
    const QImage& PagePicture() const { return picture_; }
    // Any assignment closes the window, as every window closes when a program goes.
    void CloseWindow();

    // --- Printing.
    void mnuPrint_Click();
    void mnuPrintListing_Click();
    // Prints the pages from `first` to `last` as "Print Ladders" does once the range is
    // chosen; a fault is reported, a cancelled file name ends it silently.
    void PrintPages(int first, int last);

    // --- The bit index (frmPrint_index.cpp): printed with its footers, or saved as text.
    void mnuPrintIndex_Click();
    void mnuSaveIndex_Click();
    // --- The relay-equivalence plot.
    // Lays the book out for the plot's sheet or back for the paper, as the menu's check
    // mark (already turned over) says, and builds it anew.
    void mnuSetVisio_Click();
    // Plots a range of pages as relay circuits into a PDF drawing the user names, and opens
    // it in the desktop's viewer once it is ready.
    void mnuPlot_Click();
    // --- Printer, font and display options (frmPrint_settings.cpp).
    void mnuPrintSetup_Click();
    void mnuFont_Click();
    // The ladder font chosen: its name, size and weight stored, and the book laid out anew
    // in it.
    void ApplyFont(const QFont& chosen);
    void chkLadder_Click();
    void chkWrap_Click();
    void mnuLadder_Click();
    void mnuWordWrap_Click();
    void mnuRes_Click();
    void mnuAutoSize_Click();

    // --- Rebuilding (element size, fonts, printer and display options change the book).
    // Closes this book without showing the main windows again and builds it anew.
    void RebuildBook();

Q_SIGNALS:
    // The book closed to be built anew with the answer given, its elements of the size
    // given (the stored size, or one that auto size chose for this book alone).
    void rebuildAsked(int numPlot, std::int16_t elementSize);
    // The book closed for good: the main and program windows come back.
    void closedForGood();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void LoadPrinterSettings();
    // Show-as-ladder and word wrap as last chosen.
    void LoadDisplayOptions(bool ladder, bool wordWrap);
    void ShowPage(int page);
    void DrawHeaderAndFooter(PageDrawing& drawing, double footerX, double footerY, int page);
    void PrintListingInfo();
    // Prints pages of small text, the ladder font at 8 points: `body` draws them, given the
    // target, the drawing and the height of a line in twips; `pdfName` is the file proposed
    // where a PDF stands in for the printer.
    void PrintSmallText(const std::string& pdfName,
                        const std::function<void(PrintTarget&, PageDrawing&, double)>& body);
    // The PDF file proposed for a part of the book ("index"), or the pages when empty: each
    // part its own, so that accepting the proposal never replaces another part.
    std::string PdfName(std::string_view part = {}) const;
    template <class Body>
    void Printing(Body body);
    void PrintBitIndex();
    // The index of this book, with the progress window up; the book is held as it is
    // while the desktop runs.
    std::vector<IndexEntry> GetIndex();
    // The plot commands as the settings and the plot's availability have them.
    void VisioMenus();
    // The book is laid out on the plot's sheet.
    bool VisioLayout() const;

    WindowRegistry& windows_;
    Dialogs& dialogs_;
    Settings& settings_;
    std::string programName_;
    ListingTexts listing_;
    std::function<const BooleanBits*()> bits_;
    std::int16_t elementSize_;
    std::unique_ptr<Ladders> ladders_;
    // Shared with the main window: the book may outlive it at the very end.
    std::shared_ptr<LadderExtent> extent_;
    std::vector<std::vector<CreateLadder*>> pages_;
    PageCanvas canvas_;
    QImage picture_;
    int shownPage_ = 1;
    int totalPages_ = 0;
    bool printing_ = false;
    bool plotting_ = false;
    bool reload_ = false;

    QLabel* ladder_ = nullptr;
    QScrollArea* fraLadder_ = nullptr;
    QCheckBox* chkLadder_ = nullptr;
    QCheckBox* chkWrap_ = nullptr;
    RegisteredChild* registration_ = nullptr;
};

// Opens the printer, or asks for the PDF file on a desktop without one, proposing
// `pdfName`; nothing when the user cancels.
std::unique_ptr<PrintTarget> OpenTarget(Dialogs& dialogs, const std::string& pdfName);
// The PDF file the user names, with ".pdf" when it has no extension, asked under `title`
// with `proposedName` proposed; nothing when the user cancels or keeps an existing file.
std::optional<std::filesystem::path> AskPdfFile(Dialogs& dialogs, const std::string& proposedName,
                                                const std::string& title);

}  // namespace veldra
