#include "book/page_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "book/bit_index.h"
#include "ladder/create_ladder.h"
#include "ladder/ladders.h"
#include "logic/boolean_bits.h"
#include "support/drawn_boxes.h"
#include "support/fake_platform.h"
#include "support/nested_chains.h"
#include "support/no_layout_progress.h"
#include "support/random_statements.h"
#include "support/recording_drawing.h"

namespace veldra::testing {
namespace {

// A canvas that holds exactly `cols` columns and `rows` rows of cells at 100 %.
PageCanvas Canvas(int cols, int rows) {
    return {kPageMarginWidth + cols * 1560.0, kPageMarginHeight + rows * 840.0};
}

struct Extent {
    int firstRow = 1 << 30;
    int lastRow = -1;
    int lastCol = -1;
};

Extent Span(CreateLadder& ladder) {
    Extent extent;
    for (const auto& cell : ladder.GetElements()) {
        extent.firstRow = std::min(extent.firstRow, cell->Row());
        extent.lastRow = std::max(extent.lastRow, cell->Row());
        extent.lastCol = std::max(extent.lastCol, cell->Col());
    }
    return extent;
}

const Element* Named(CreateLadder& ladder, std::string_view name) {
    for (const auto& cell : ladder.GetElements()) {
        if (cell->Name == name) {
            return cell.get();
        }
    }
    return nullptr;
}

int Layout(Ladders& book, PageCanvas canvas, const BooleanBits* bits = nullptr,
           LayoutOptions options = {}) {
    NoProgress progress;
    return CreateDocument(book, canvas, options, bits, progress);
}

TEST(PageLayout, TheCanvasHoldsItsWidthAndHeightLessTheMarginsInCells) {
    struct Case {
        PageCanvas canvas;
        double percent;
        int maxCols;
        int maxRows;
    };
    const Case cases[] = {
        {{24480, 15840}, 100, 14, 15},  // the plot sheet: 13.69 and 15.02
        {{11900, 16840}, 100, 6, 16},   // A4 upright: 5.63 and 16.21, all on the paper
        {{16840, 11900}, 100, 9, 10},   // A4 across: 8.79 and 10.34
        {{15840, 12240}, 100, 8, 11},   // Letter across: 8.15 and 10.74
        {{11900, 16840}, 200, 2, 8},    // 2.82 and 8.1: a third column would run off the paper
        {{12240, 15840},
         200,
         2,
         7},  // Letter upright: 2.92, and 7.51 an eighth row over the footer
        {{3120 + 2.5 * 1560, 3220 + 4.5 * 840}, 100, 2, 4},  // halves go to the even side
        {{3120 + 3.5 * 1560, 3220 + 3.5 * 840}, 100, 4, 4},
    };
    for (const Case& c : cases) {
        const PageFit fit = FitPage(c.canvas, Element(c.percent));
        EXPECT_EQ(fit.maxCols, c.maxCols) << c.canvas.width << " at " << c.percent;
        EXPECT_EQ(fit.maxRows, c.maxRows) << c.canvas.height << " at " << c.percent;
    }
}

TEST(PageLayout, APageTooSmallForTheElementSizeIsRefusedWithAMessage) {
    // The last holds two rows: no more than the header would take.
    for (const PageCanvas canvas :
         {PageCanvas{4000, 30000}, PageCanvas{30000, 4000}, PageCanvas{30000, 6580}}) {
        Ladders book(200);
        book.Add(false, "A*B TO X;");
        try {
            Layout(book, canvas);
            ADD_FAILURE() << "laid out on " << canvas.width << " x " << canvas.height;
        } catch (const BookError& error) {
            EXPECT_NE(std::string(error.what()).find("200 %"), std::string::npos);
        }
    }
}

TEST(PageLayout, LaddersStackBelowTheHeaderWithOneBlankRowBetween) {
    Ladders book;
    book.Add(false, "A+B+C TO X;");
    book.Add(false, "D+E+F TO Y;");
    EXPECT_EQ(Layout(book, Canvas(10, 30)), 1);
    EXPECT_EQ((std::vector<int>{Span(*book.Item(1)).firstRow, Span(*book.Item(1)).lastRow,
                                Span(*book.Item(2)).firstRow, Span(*book.Item(2)).lastRow}),
              (std::vector<int>{2, 4, 6, 8}));
    // Indented two columns, behind a lead-in wire in column 1.
    const Element* lead = book.Item(1)->GetElements().Item(-1, -1);
    ASSERT_NE(lead, nullptr);
    EXPECT_EQ(lead->Col(), 1);
    EXPECT_TRUE(lead->hLine());
}

TEST(PageLayout, ALadderEndingOnTheLastUsableRowStartsANewPage) {
    // Page 1: rows 2-4 and 6-8; a third ladder of three rows after the blank row 9 has
    // rows + offset = 13, so it needs a page of at least 14 rows.
    for (const auto& [maxRows, pages] : {std::pair{13, 2}, std::pair{14, 1}}) {
        Ladders book;
        for (const char* text : {"A+B+C TO X;", "D+E+F TO Y;", "G+H+I TO Z;"}) {
            book.Add(false, text);
        }
        EXPECT_EQ(Layout(book, Canvas(10, maxRows)), pages) << maxRows;
        EXPECT_EQ(book.Item(3)->PageNumber, pages);
    }
}

TEST(PageLayout, ALadderWiderThanThePageWrapsUnderItselfAfterABlankRow) {
    const char* text = "A*B*C*D*E TO X;";
    Ladders probe;
    probe.Add(false, text);
    Layout(probe, Canvas(40, 30));
    const int widest = Span(*probe.Item(1)).lastCol;
    const int rows = Span(*probe.Item(1)).lastRow + 1 - 2;  // less the header rows
    ASSERT_EQ(Named(*probe.Item(1), "X")->Col(), widest);

    struct Case {
        int maxCols;
        int coilCol;
        int coilRow;
    };
    const Case cases[] = {
        {widest, widest, 2},            // exactly as wide as the page: unchanged
        {widest - 1, 1, 2 + rows + 1},  // one column more: the coil goes below
        {2, -1, 2 + 2 * (rows + 1)},    // several passes, a band each: below the second
    };
    for (const Case& c : cases) {
        Ladders book;
        book.Add(false, text);
        Layout(book, Canvas(c.maxCols, 60));
        EXPECT_LE(Span(*book.Item(1)).lastCol, c.maxCols) << c.maxCols;
        const Element* coil = Named(*book.Item(1), "X");
        if (c.coilCol < 0) {
            EXPECT_GE(coil->Row(), c.coilRow);
            continue;
        }
        EXPECT_EQ(coil->Col(), c.coilCol) << c.maxCols;
        EXPECT_EQ(coil->Row(), c.coilRow) << c.maxCols;
    }
}

TEST(PageLayout, ALadderTallerThanThePageContinuesOnTheNextAndLaterPagesMoveOn) {
    std::string tall;
    for (int i = 0; i < 20; ++i) {
        tall += (i ? "+T" : "T") + std::to_string(i);
    }
    Ladders book;
    book.Add(false, "A TO X;");
    book.Add(false, tall + " TO Y;");
    book.Add(false, "B TO Z;");
    // 8 rows a page: the first ladder takes page 1, the tall one (2 header rows + 20) page 2
    // and continues on pages 3 and 4; the last ladder, on page 3 before, moves to page 5.
    EXPECT_EQ(Layout(book, Canvas(10, 8)), 5);
    std::vector<int> pages;
    for (CreateLadder& ladder : book) {
        pages.push_back(ladder.PageNumber);
        EXPECT_LE(Span(ladder).lastRow, 8);
    }
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 5, 3, 4}));
    EXPECT_EQ(Span(*book.Item(4)).firstRow, 2);  // row maxRows + 1 lands in row 2
}

TEST(PageLayout, ContactsTakeTheirBitsComparisonsTheirNumbersAndExclusiveOrsBoth) {
    FakePlatform platform;
    BooleanBits bits;
    bits.Add("UP", true);
    bits.Add("DOWN", false);
    bits.Add("N", false)->SetNumValue(4, true);
    // An exclusive-or contact ("UP@DOWN") takes the exclusive or of its operands.
    struct Case {
        const char* contact;
        bool energised;
    };
    const Case cases[] = {
        {"UP", true},      {"DOWN", false},    {"N>3", true},       {"N>4", false},
        {"N=4", true},     {"N<5", true},      {"N<4", false},      {"M>3", false},
        {"N>X", false},    {"N>99999", false}, {"N>3.5", false},    {"N", false},
        {"UP@DOWN", true}, {"UP@N>3", false},  {"DOWN@N<4", false}, {"UP@N=4@N>3", true},
    };
    for (const Case& c : cases) {
        Ladders book;
        book.Add(false, std::string(c.contact) + " TO OUT;");
        Layout(book, Canvas(10, 20), &bits);
        const Element* cell = Named(*book.Item(1), c.contact);
        ASSERT_NE(cell, nullptr) << c.contact;
        EXPECT_EQ(cell->vValue(), c.energised) << c.contact;
    }
}

TEST(PageLayout, TheRelaySettingMarksEveryCellAndWordWrapFollowsItsBox) {
    for (const bool on : {false, true}) {
        Ladders book;
        book.Add(false, "A*~B TO X, Y;");
        Layout(book, Canvas(10, 20), nullptr, LayoutOptions{on, on});
        for (const auto& cell : book.Item(1)->GetElements()) {
            EXPECT_EQ(cell->IsRelay, on);
            EXPECT_EQ(cell->WordWrap, on);
        }
    }
}

// A font of fixed pitch, as wide and high as the viewer's ladder font.
class FixedPitch final : public TextMetrics {
public:
    static constexpr double kWidth = 105;
    static constexpr double kHeight = 195;
    double TextWidth(std::string_view text) const override { return kWidth * double(text.size()); }
    double TextHeight(std::string_view) const override { return kHeight; }
};

TEST(PageLayout, LongExclusiveOrNamesLeaveTheirContactClearAndATooLargeRungKeepsItsNote) {
    FakePlatform platform;
    const std::string nested = NestedExclusiveOrChains(16);
    Ladders book;
    book.Add(false, "TRACK_CIRCUIT_WEST_OCC@~TRACK_CIRCUIT_EAST_OCC TO X;");
    book.Add(false, "SIG_12_CLEAR*POINTS_4_NORMAL@POINTS_4_REVERSE@~ROUTE_SET_EAST TO Y;");
    book.Add(false, nested + " TO Z;");
    Layout(book, Canvas(10, 40));
    CalcTextSize(book, FixedPitch());

    int contacts = 0;
    for (CreateLadder& ladder : book) {
        for (const auto& cell : ladder.GetElements()) {
            if (cell->Name.empty() || cell->IsOutput) {
                continue;
            }
            ++contacts;
            RecordingDrawing drawing;
            cell->UpdateName(drawing);
            std::string written;
            for (const RecordingDrawing::Text& line : drawing.texts) {
                written += line.text;
                const double left = line.x - cell->CurrentX();
                const double right = left + FixedPitch::kWidth * double(line.text.size());
                const double top = line.y - cell->CurrentY();
                const bool beside = right <= 600 || left >= 960;
                const bool clear = top + FixedPitch::kHeight <= 480 || top >= 720;
                EXPECT_TRUE(beside || clear) << line.text << " lies over " << cell->Name;
            }
            EXPECT_EQ(written, cell->Name);
        }
    }
    EXPECT_EQ(contacts, 1 + 6);
    bool noted = false;
    for (const auto& cell : book.Item(3)->GetElements()) {
        noted = noted || cell->Note == kTooLargeNote;
    }
    EXPECT_TRUE(noted);
}

// A4 upright at 100 %: six columns and sixteen rows a page.
// A font of proportional pitch: capitals "M" and "W" and "@" half as wide again as the rest.
class ProportionalPitch final : public TextMetrics {
public:
    double TextWidth(std::string_view text) const override {
        double width = 0;
        for (const char c : text) {
            width +=
                c == 'M' || c == 'W' || c == '@' ? 1.5 * FixedPitch::kWidth : FixedPitch::kWidth;
        }
        return width;
    }
    double TextHeight(std::string_view) const override { return FixedPitch::kHeight; }
};

constexpr PageCanvas kA4{11906, 16838};

// Everything each page writes, and what lies over what there (a text, a symbol, a line)
// or runs off the page or over its footer, and every name that leaves its cell.
std::vector<std::string> PageFaults(Ladders& book, int pages,
                                    const TextMetrics& metrics = FixedPitch(),
                                    PageCanvas canvas = kA4) {
    const auto width = [&](std::string_view text) { return metrics.TextWidth(text); };
    // The page's footer stands 1100 twips above its foot.
    const double footer = canvas.height - 1100;
    std::vector<std::string> faults;
    const auto byPage = LaddersByPage(book, pages);
    for (std::size_t page = 0; page < byPage.size(); ++page) {
        const std::string where = "page " + std::to_string(page + 1) + ": ";
        TextBoxes drawing(width, FixedPitch::kHeight);
        LineBoxes wires;
        std::vector<DrawnBox> symbols;
        for (const CreateLadder* ladder : byPage[page]) {
            const Elements& cells = ladder->GetElements();
            drawing.Names(cells);
            wires.Wires(cells);
            for (DrawnBox& symbol : SymbolBoxes(cells)) {
                symbols.push_back(std::move(symbol));
            }
            for (const auto& cell : cells) {
                const double left = cell->CurrentX();
                const double right = left + cell->d_1560();
                if (right > canvas.width || cell->CurrentY() + cell->d_840() > footer) {
                    faults.push_back(where + "the cell at " +
                                     Elements::Key(cell->Col(), cell->Row()) +
                                     " lies off the page or over its footer");
                }
                TextBoxes name(width, FixedPitch::kHeight);
                if (!cell->Name.empty()) {
                    cell->UpdateName(name);
                }
                for (const DrawnBox& text : name.texts) {
                    if (text.left < left || text.right > right) {
                        faults.push_back(where + "\"" + text.what + "\" leaves its cell");
                    }
                }
            }
        }
        for (const DrawnBox& text : drawing.texts) {
            if (text.top < kHeaderRoom || text.bottom > footer || text.left < 0 ||
                text.right > canvas.width) {
                faults.push_back(where + "\"" + text.what + "\" off the page");
            }
        }
        symbols.insert(symbols.end(), wires.lines.begin(), wires.lines.end());
        for (std::string& overlap : Overlaps(drawing.texts, symbols)) {
            faults.push_back(where + overlap);
        }
    }
    return faults;
}

// The same random statements, with one of 300-character names and one of the widest
// capitals, each time from the same seed.
void AddLongNamedStatements(Ladders& book) {
    RandomStatements statements(559, 1, 80);
    book.Add(false, std::string(300, 'L') + " @ SHORT + A * " + std::string(300, 'M') + " TO " +
                        std::string(300, 'C') + ", X;");
    book.Add(false, std::string(40, 'M') + " * " + std::string(40, 'W') + " * " +
                        std::string(40, 'M') + " TO Y;");
    for (int i = 0; i < 150; ++i) {
        book.Add(false, statements.Statement());
    }
}

TEST(PageLayout, NamesOfAnyLengthLieOverNothingOnTheirPageAndStayOnIt) {
    FakePlatform platform;
    NoProgress progress;
    const FixedPitch fixed;
    const ProportionalPitch proportional;
    int fixedPages = 0;
    for (const TextMetrics* metrics : {static_cast<const TextMetrics*>(&proportional),
                                       static_cast<const TextMetrics*>(&fixed)}) {
        Ladders book;
        AddLongNamedStatements(book);
        const int pages = CreateDocument(book, kA4, {}, nullptr, progress, metrics);
        const std::vector<std::string> faults = PageFaults(book, pages, *metrics);
        EXPECT_TRUE(faults.empty()) << faults.size() << " faults, the first " << faults.front();
        fixedPages = pages;
    }

    // Without rows as tall as their names the same statements take fewer pages.
    Ladders flat;
    AddLongNamedStatements(flat);
    EXPECT_LT(Layout(flat, kA4), fixedPages);
}

// A sum of long names runs over several pages: no page ends between a contact and the
// rows its name takes.
TEST(PageLayout, ARungTallerThanAPageIsNotCutWithinTheRoomOfItsNames) {
    FakePlatform platform;
    // Two short names, then names that take four rows each: the sixth name stands on the
    // page's last row.
    std::string sum = "S1 + S2";
    for (int i = 0; i < 12; ++i) {
        sum += " + " + std::string(150 + i, char('A' + i));
    }
    for (const int percent : {100, 150}) {
        Ladders book(percent);
        book.Add(false, "A TO X;");
        book.Add(false, sum + " TO Y;");
        const FixedPitch metrics;
        NoProgress progress;
        const int pages = CreateDocument(book, kA4, {}, nullptr, progress, &metrics);
        EXPECT_GE(pages, 3) << percent;
        const std::vector<std::string> faults = PageFaults(book, pages);
        EXPECT_TRUE(faults.empty())
            << percent << ": " << faults.size() << " faults, the first " << faults.front();
    }
}

void ExpectATooLargeRungWhole(const std::string& statement, const BooleanBits& bits, int percent);

TEST(PageLayout, ATooLargeRungPrintsItsStatementBelowTheNoteAndItsCoilsOnItsRow) {
    FakePlatform platform;
    const std::string statement = NestedExclusiveOrChains(16) + " TO Z, W;";
    BooleanBits bits;
    for (const std::string& name : ExpressionNames(statement)) {
        bits.Add(name, false);
    }
    bits.Add("Z", false);
    bits.Add("W", false);
    bits.Add("UNUSED", false);
    // A larger element size wraps the note itself over several lines.
    for (const int percent : {100, 150}) {
        SCOPED_TRACE(percent);
        ExpectATooLargeRungWhole(statement, bits, percent);
    }
}

void ExpectATooLargeRungWhole(const std::string& statement, const BooleanBits& bits, int percent) {
    Ladders book(percent);
    book.Add(false, "A0 TO Y;");
    book.Add(false, statement);
    const FixedPitch metrics;
    NoProgress progress;
    const int pages = CreateDocument(book, kA4, {}, &bits, progress, &metrics);
    const std::vector<std::string> faults = PageFaults(book, pages);
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults, the first " << faults.front();

    // The note, then the statement's text, on the rung's page and the pages after it.
    const Element* note = nullptr;
    std::vector<std::tuple<int, int, std::string>> notes;  // page, row, text
    std::vector<const Element*> coils;
    for (int i = 2; i <= book.Count(); ++i) {
        for (const auto& cell : book.Item(i)->GetElements()) {
            if (!cell->Note.empty()) {
                notes.emplace_back(book.Item(i)->PageNumber, cell->Row(), cell->Note);
            }
            if (cell->Name.empty() && cell->Note.starts_with("Too large")) {
                note = cell.get();
            }
            if (cell->IsOutput) {
                coils.push_back(cell.get());
            }
        }
    }
    std::sort(notes.begin(), notes.end());
    std::string written;
    for (const auto& [notePage, row, text] : notes) {
        written += text;
    }
    ASSERT_NE(note, nullptr);
    std::string whole = std::string(kTooLargeNote) + statement;
    std::erase(whole, ' ');
    std::erase(written, ' ');
    std::erase(written, '\n');
    EXPECT_EQ(written, whole);
    ASSERT_EQ(coils.size(), 2U);
    EXPECT_EQ(coils[0]->Row(), note->Row());
    EXPECT_LE(coils[0]->Col(), FitPage(kA4, *note).maxCols);

    // Every operand and result is indexed on the rung's page.
    const int page = book.Item(2)->PageNumber;
    for (const IndexEntry& entry : clsIndex().GetIndex(book, &bits)) {
        if (entry.BitName == "UNUSED") {
            EXPECT_FALSE(entry.OnAnyPage());
        } else if (entry.BitName != "A0") {
            const bool coil = entry.BitName == "Z" || entry.BitName == "W";
            EXPECT_EQ(entry.PagesLine(),
                      std::string(kPagesPrefix) +
                          (coil ? "(" + std::to_string(page) + ")" : std::to_string(page)))
                << entry.BitName;
        }
    }
}

// A sum of forty products of short names, as tall as two pages and a half: the pages it
// continues on print their names as its first page does, centred and clear of the lines.
TEST(PageLayout, TheContinuationPagesOfARungTallerThanAPageCentreTheirNamesClearOfTheLines) {
    FakePlatform platform;
    std::string sum;
    for (int i = 1; i <= 80; i += 2) {
        char product[32];
        std::snprintf(product, sizeof product, "%sR%02d*~R%02d", i > 1 ? " + " : "", i, i + 1);
        sum += product;
    }
    Ladders book;
    book.Add(false, "A TO X;");
    book.Add(false, sum + " TO ANY_LOCK;");
    book.Add(false, "B TO Y;");
    const FixedPitch metrics;
    NoProgress progress;
    const int pages = CreateDocument(book, kA4, {}, nullptr, progress, &metrics);
    ASSERT_GE(book.Count(), 5);  // continued on two pages after its first
    const std::vector<std::string> faults = PageFaults(book, pages);
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults, the first " << faults.front();

    // A name stands where it stood on the rung's first page: the same place in its cell.
    std::vector<std::int32_t> starts;
    for (CreateLadder& ladder : book) {
        for (const auto& cell : ladder.GetElements()) {
            if (cell->Name.size() == 3 && cell->Name[0] == 'R') {
                starts.push_back(cell->PrintStart);
            }
        }
    }
    ASSERT_EQ(starts.size(), 80U);
    EXPECT_EQ(std::count(starts.begin(), starts.end(), starts.front()), 80);
}

struct Paper {
    const char* name;
    PageCanvas canvas;
};

// Every element size the dialog offers up to its largest, on either paper either way up:
// long names, names just short of a line, a rung taller than a page and a rung too large
// to draw keep to their cells, their page and clear of its footer, and the too-large
// rung's coils stand on its note's row.
TEST(PageLayout, AtEveryElementSizeOnA4AndLetterEitherWayUpNamesKeepToTheirCellsAndPage) {
    FakePlatform platform;
    const Paper papers[] = {{"A4 portrait", {11906, 16838}},
                            {"A4 landscape", {16838, 11906}},
                            {"Letter portrait", {12240, 15840}},
                            {"Letter landscape", {15840, 12240}}};
    const std::string tooLarge = NestedExclusiveOrChains(16) + " TO Z, W;";
    std::string tall = "S01";
    for (int i = 2; i <= 30; ++i) {
        tall += " + S" + std::to_string(i) + "_" + std::string(std::size_t(i), 'N');
    }
    const FixedPitch metrics;
    for (const int percent : {100, 150, 200}) {
        for (const Paper& paper : papers) {
            SCOPED_TRACE(std::string(paper.name) + " at " + std::to_string(percent) + " %");
            Ladders book(percent);
            RandomStatements statements(64, 1, 40);
            book.Add(false, "A1 + ROUTE_SET_NORMAL_RLY1 TO Q2;");
            book.Add(false, tooLarge);
            book.Add(false, tall + " TO T;");
            for (int i = 0; i < 40; ++i) {
                book.Add(false, statements.Statement());
            }
            NoProgress progress;
            const int pages = CreateDocument(book, paper.canvas, {}, nullptr, progress, &metrics);
            const std::vector<std::string> faults = PageFaults(book, pages, metrics, paper.canvas);
            EXPECT_TRUE(faults.empty()) << faults.size() << " faults, the first " << faults.front();

            const Element* note = nullptr;
            std::vector<const Element*> coils;
            for (const auto& cell : book.Item(2)->GetElements()) {
                if (cell->Note == kTooLargeNote || cell->Note.starts_with("Too large")) {
                    note = cell.get();
                }
                if (cell->IsOutput) {
                    coils.push_back(cell.get());
                }
            }
            ASSERT_NE(note, nullptr);
            ASSERT_EQ(coils.size(), 2U);
            EXPECT_EQ(coils[0]->Row(), note->Row());
            for (const Element* coil : coils) {
                EXPECT_GT(coil->Col(), note->Col());
            }
        }
    }
}

}  // namespace
}  // namespace veldra::testing
