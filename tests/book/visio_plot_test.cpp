#include "book/visio_plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "book/memory_drawing.h"
#include "ladder/ladders.h"
#include "support/fake_platform.h"

namespace veldra::testing {
namespace {

using visio::MemoryApplication;
using visio::MemoryDocument;
using visio::MemoryPage;
using visio::MemoryShape;
using visio::ShapeKind;

constexpr const char* kNotice =
    "THIS PAGE CONTAINS AT LEAST ONE CIRCUIT THAT IS FROM A NUMERIC BLOCK";

class NoProgress final : public LayoutProgress {
public:
    void Begin(std::string_view, int) override {}
    void Step() override {}
    void End() override {}
};

// The window around the plot: scripted answers, our own drawing kept for the test to read,
// and a journal of what the user saw, in order.
class TestHost final : public PlotHost {
public:
    visio::Application& CreateObject(std::string_view progId) override {
        journal.push_back("create " + std::string(progId));
        app = std::make_unique<MemoryApplication>();
        return *app;
    }
    std::optional<std::string> InputBox(const InputBoxRequest& request) override {
        journal.push_back("input " + request.title + ": " + request.prompt);
        std::string text = typed.empty() ? "" : typed.front();
        if (!typed.empty()) {
            typed.pop_front();
        }
        return text;
    }
    MsgAnswer MessageBox(const MsgBoxRequest& request) override {
        journal.push_back(request.title + ": " + request.prompt);
        visibleAtBox.push_back(app && app->Visible());
        return platform.MsgBox(request);
    }
    void ShowProgress(int value, int maximum) override {
        journal.push_back("progress " + std::to_string(value) + " of " + std::to_string(maximum));
    }
    void SetProgress(std::string_view label, int) override { labels.emplace_back(label); }
    void UnloadProgress() override {}
    void DoEvents() override {}
    bool ShowsDrawing() const override { return showsDrawing; }
    std::vector<IndexEntry> GetIndex() override { return index; }
    double IndexLineHeight() override { return 180; }
    void WriteDocument() override {
        if (!writeFault.empty()) {
            throw RuntimeError(writeFault);
        }
        journal.push_back("written");
    }

    FakePlatform platform;
    std::unique_ptr<MemoryApplication> app;
    std::deque<std::string> typed;
    std::vector<IndexEntry> index;
    std::string writeFault;
    bool showsDrawing = true;
    std::vector<std::string> journal;
    std::vector<std::string> labels;
    std::vector<bool> visibleAtBox;
};

class PlotTest : public ::testing::Test {
protected:
    // A new book of three-row ladders, three a page, the first `numeric` of them from
    // numeric blocks, and a new window around the plot.
    void Build(int statements, int numeric = 0) {
        book = std::make_unique<Ladders>(100);
        for (int i = 0; i < statements; ++i) {
            const std::string n = std::to_string(i);
            book->Add(i < numeric, "A" + n + "+B" + n + "+~C" + n + " TO X" + n + ";");
        }
        NoProgress progress;
        pageCount = CreateDocument(*book, kPlotCanvas, {}, nullptr, progress);
        hosted.reset();
        hosted = std::make_unique<TestHost>();
    }
    bool Plot(int first, int last, std::string fontSize = "8") {
        PlotBook plotted;
        plotted.pages = LaddersByPage(*book, pageCount);
        plotted.pageCount = pageCount;
        plotted.ProgramName = "LINE";
        plotted.listing = {"3FA9", "00C1", ""};
        plotted.programFolder = "/opt/veldra";
        plotted.ladderFontSize = std::move(fontSize);
        VisioPlot plot(std::move(plotted), host());
        return plot.Plot(first, last);
    }
    const MemoryDocument& Drawing() { return *host().app->Active(); }
    static std::vector<const MemoryShape*> Texts(const MemoryPage& page) {
        std::vector<const MemoryShape*> texts;
        for (const auto& shape : page.ShapeList()) {
            if (!shape->Text().empty()) {
                texts.push_back(shape.get());
            }
        }
        return texts;
    }
    static int Notices(const MemoryPage& page) {
        int notices = 0;
        for (const MemoryShape* text : Texts(page)) {
            notices += text->Text() == kNotice;
        }
        return notices;
    }

    std::unique_ptr<Ladders> book;
    int pageCount = 0;
    std::unique_ptr<TestHost> hosted;
    TestHost& host() { return *hosted; }
};

TEST_F(PlotTest, EveryBookPageBecomesANamedSheetOverTheTemplateAndTheFileIsWrittenBeforeReady) {
    Build(12);
    ASSERT_GE(pageCount, 3);
    host().typed = {"J. DESIGNER", ""};
    host().platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
    EXPECT_TRUE(Plot(1, pageCount));

    const std::vector<std::string> seen = {
        "create Visio.Application",
        "input Document Details: Enter Designer Name:",
        "input Document Details: Enter Checker Name:",
        "Display Visio Application: Watch Visio Plot?",
        "progress 1 of " + std::to_string(pageCount + 1),
        "Add Index to Visio Document: Generate Index?",
        "written",
        "Plot Complete: Document Ready",
    };
    EXPECT_EQ(host().journal, seen);
    EXPECT_EQ(host().labels.front(), "Printing Page 1");
    EXPECT_FALSE(host().visibleAtBox.back());  // hidden until the document is ready
    EXPECT_TRUE(host().app->Visible());

    const std::vector<const MemoryPage*> pages = Drawing().DrawingPages();
    ASSERT_EQ(int(pages.size()), pageCount);
    for (int n = 1; n <= pageCount; ++n) {
        const MemoryPage& page = *pages[std::size_t(n - 1)];
        EXPECT_EQ(page.Name(), "Page - " + std::to_string(n));
        EXPECT_FALSE(page.Background());
        ASSERT_NE(page.BackPage(), nullptr);
        EXPECT_EQ(page.BackPage()->Name(), "Template");
        const std::vector<std::pair<std::array<int, 3>, std::string>> sheet = {
            {{1, 10, 0}, "17 in"},     {{1, 10, 1}, "11 in"}, {{1, 10, 2}, "0.125 in"},
            {{1, 10, 3}, "-0.125 in"}, {{1, 10, 4}, "1 in"},  {{1, 10, 5}, "1 in"},
            {{1, 25, 16}, "2"},        {{1, 25, 17}, "3"}};
        for (const auto& [cell, formula] : sheet) {
            EXPECT_EQ(page.Sheet().Formula(cell), formula) << page.Name();
        }
    }
    EXPECT_EQ(Drawing().PageList().size(), pages.size() + 1);  // and the template
    EXPECT_EQ(Drawing().Title(), "Equivalent Circuits For LINE");
    EXPECT_EQ(Drawing().Description(), "Relay Equivalence of Boolean Logic");
    EXPECT_EQ(Drawing().Subject(), "Application Program Logic");
    EXPECT_EQ(host().app->DrawingWindow().Shown(), pages.front());

    // The title block on the template, under every page: the checker left empty.
    std::vector<std::string> block;
    for (const MemoryShape* text : Texts(*Drawing().Find("Template"))) {
        block.push_back(text->Text() + " " + text->Formula(visio::cells::kCharSize));
    }
    EXPECT_NE(std::find(block.begin(), block.end(), "J. DESIGNER 8 pt"), block.end());
    EXPECT_NE(std::find(block.begin(), block.end(), "LINE 14 pt"), block.end());
    EXPECT_NE(std::find(block.begin(), block.end(), "CHECK SUM: 00C1\r\nCRC: 3FA9 14 pt"),
              block.end());
}

TEST_F(PlotTest, AWatcherSeesTheProgressWhereTheDrawingIsMadeOutOfSight) {
    struct Case {
        MsgAnswer watch;
        bool showsDrawing;
        bool progress;
    };
    for (const Case& c : {Case{MsgAnswer::Yes, true, false}, Case{MsgAnswer::Yes, false, true},
                          Case{MsgAnswer::No, true, true}, Case{MsgAnswer::No, false, true}}) {
        Build(7);
        host().showsDrawing = c.showsDrawing;
        host().platform.Answer(c.watch).Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
        ASSERT_TRUE(Plot(1, pageCount));
        const bool shown =
            std::find(host().journal.begin(), host().journal.end(),
                      "progress 1 of " + std::to_string(pageCount + 1)) != host().journal.end();
        EXPECT_EQ(shown, c.progress) << c.showsDrawing;
        EXPECT_EQ(host().labels.size(), c.progress ? std::size_t(pageCount) : 0u) << c.showsDrawing;
    }
}

TEST_F(PlotTest, EachPageIsCentredAndDrawnAsRelayCircuitsWhateverTheBookShows) {
    Build(7);
    host().platform.Answer(MsgAnswer::Yes).Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
    ASSERT_TRUE(Plot(1, pageCount));
    for (const MemoryPage* page : Drawing().DrawingPages()) {
        visio::Bounds all;
        int lines = 0;
        for (const auto& shape : page->ShapeList()) {
            const visio::Bounds extent = shape->Extent();
            all = all.empty ? extent
                            : visio::Bounds{std::min(all.left, extent.left),
                                            std::min(all.bottom, extent.bottom),
                                            std::max(all.right, extent.right),
                                            std::max(all.top, extent.top), false};
            if (shape->Kind() == ShapeKind::Line) {
                ++lines;
                EXPECT_EQ(shape->Formula(visio::cells::kLineWeight), "0.72 pt");
            }
        }
        EXPECT_GT(lines, 0) << page->Name();
        EXPECT_NEAR(all.CentreX(), 8.47, 1e-9) << page->Name();
        EXPECT_NEAR(all.CentreY(), 6.18, 1e-9) << page->Name();
    }
    for (CreateLadder& ladder : *book) {
        for (const auto& cell : ladder.GetElements()) {
            EXPECT_FALSE(cell->IsRelay || cell->Visio);  // the book's own view comes back
        }
    }
    EXPECT_EQ(host().journal[4], "Add Index to Visio Document: Generate Index?");  // no progress
    EXPECT_EQ(host().app->DrawingWindow().WindowState(), visio::kMaximized);
}

TEST_F(PlotTest, APageWithNumericLogicCarriesTheNoticeOnceAndTheNextPageDoesNot) {
    Build(12, 4);
    host().platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
    ASSERT_TRUE(Plot(1, pageCount));
    const auto byPage = LaddersByPage(*book, pageCount);
    int pagesWithNotice = 0;
    for (int n = 1; n <= pageCount; ++n) {
        const auto& onPage = byPage[std::size_t(n - 1)];
        const bool numeric =
            std::any_of(onPage.begin(), onPage.end(),
                        [](const CreateLadder* ladder) { return ladder->IsNumeric; });
        const MemoryPage& page = *Drawing().DrawingPages()[std::size_t(n - 1)];
        EXPECT_EQ(Notices(page), numeric ? 1 : 0) << page.Name();
        pagesWithNotice += numeric;
    }
    EXPECT_EQ(pagesWithNotice, 2);  // the four numeric ladders, then pages without
}

TEST_F(PlotTest, TheIndexFillsFiveColumnsAPageAndTheSixthStartsANewPage) {
    Build(4);
    // 21 entries fill a column of 180-twip lines; bits on no page are left out.
    for (int i = 0; i < 6 * 21; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "B%03d", i);
        host().index.push_back({name, "Page(s): 1, (2), "});
        host().index.push_back({std::string(name) + "U", "Page(s): "});
    }
    host().platform.Answer(MsgAnswer::No).Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok);
    ASSERT_TRUE(Plot(1, pageCount));

    const std::vector<const MemoryPage*> pages = Drawing().DrawingPages();
    ASSERT_EQ(int(pages.size()), pageCount + 2);
    const double lefts[] = {1.5, 4.5, 7.5, 10.5, 13.5};
    for (int sheet = 0; sheet < 2; ++sheet) {
        const MemoryPage& page = *pages[std::size_t(pageCount + sheet)];
        EXPECT_EQ(page.Name(), "Page - " + std::to_string(pageCount + 1 + sheet));
        EXPECT_EQ(page.BackPage()->Name(), "Template");
        const auto columns = Texts(page);
        ASSERT_EQ(columns.size(), sheet == 0 ? 5u : 1u);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            EXPECT_DOUBLE_EQ(columns[c]->X1(), lefts[c]);
            EXPECT_DOUBLE_EQ(columns[c]->X2(), lefts[c] + 2.5);
            EXPECT_EQ(columns[c]->Formula(visio::cells::kVerticalAlign), "0");
            EXPECT_EQ(columns[c]->Formula(visio::cells::kHorizontalAlign), "0");
            EXPECT_EQ(columns[c]->Formula(visio::cells::kCharSize), "8 pt");
        }
    }
    const std::string first = Texts(*pages[std::size_t(pageCount)])[0]->Text();
    const std::string start = "B000\r\nPage(s): 1, (2)\r\n\r\nB001\r\nPage(s): 1, (2)\r\n\r\n";
    EXPECT_EQ(first.substr(0, start.size()), start);
    EXPECT_EQ(first.find("U\r\n"), std::string::npos);
}

TEST_F(PlotTest, PartOfTheBookAsksForNoIndexAndAPageWithoutLaddersIsStillASheet) {
    Build(12);
    host().platform.Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
    ASSERT_TRUE(Plot(2, 2));
    for (const std::string& line : host().journal) {
        EXPECT_EQ(line.find("Generate Index?"), std::string::npos);
    }
    ASSERT_EQ(Drawing().DrawingPages().size(), 1u);
    EXPECT_EQ(Drawing().DrawingPages()[0]->Name(), "Page - 2");

    host().platform.Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
    ASSERT_TRUE(Plot(pageCount + 1, pageCount + 1));
    const MemoryPage& empty = *Drawing().DrawingPages()[0];
    EXPECT_EQ(empty.Name(), "Page - " + std::to_string(pageCount + 1));
    EXPECT_TRUE(empty.ShapeList().empty());
    EXPECT_EQ(empty.Sheet().Formula(visio::cells::kPageWidth), "17 in");
}

TEST_F(PlotTest, AFailureIsReportedAndWritesNothing) {
    struct Case {
        std::string fontSize;
        std::string writeFault;
        std::string box;
    };
    const Case cases[] = {
        {"big", "", "OLE Error: Visio Plot Error"},
        {"8", "The disk is full.", "VELDRA: The plot could not be written. The disk is full."},
    };
    for (const Case& c : cases) {
        Build(3);
        host().writeFault = c.writeFault;
        host().platform.Answer(MsgAnswer::No);
        if (c.writeFault.empty()) {
            host().platform.Answer(MsgAnswer::Ok);
        } else {
            host().platform.Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
        }
        EXPECT_FALSE(Plot(1, pageCount, c.fontSize));
        EXPECT_EQ(host().journal.back(), c.box);
        EXPECT_EQ(std::count(host().journal.begin(), host().journal.end(), "written"), 0);
        EXPECT_EQ(host().platform.unansweredCount(), 0);
        for (CreateLadder& ladder : *book) {
            for (const auto& cell : ladder.GetElements()) {
                EXPECT_FALSE(cell->IsRelay);
            }
        }
    }
}

}  // namespace
}  // namespace veldra::testing

namespace veldra::testing {
namespace {

// What a drawing page shows: every text and line, where the plot put it.
std::vector<std::string> Shown(const MemoryPage& page) {
    std::vector<std::string> shown;
    for (const auto& shape : page.ShapeList()) {
        char where[96];
        std::snprintf(where, sizeof where, " %.4f %.4f %.4f %.4f", shape->X1(), shape->Y1(),
                      shape->X2(), shape->Y2());
        shown.push_back(shape->Text() + where);
    }
    std::sort(shown.begin(), shown.end());
    return shown;
}

// A sixteen-branch sum continued on the next page: each page plotted on its own shows what
// the same page of the whole plot shows.
TEST_F(PlotTest, APagePlottedOnItsOwnShowsWhatTheWholePlotShowsOnIt) {
    book = std::make_unique<Ladders>(100);
    book->Add(false, "A+B+C TO X;");
    std::string sum = "OR01";
    for (int i = 2; i <= 16; ++i) {
        sum += " + OR" + std::string(i < 10 ? "0" : "") + std::to_string(i);
    }
    book->Add(false, sum + " TO ANY;");
    book->Add(false, "D+E TO Y;");
    NoProgress progress;
    pageCount = CreateDocument(*book, kPlotCanvas, {}, nullptr, progress);
    ASSERT_GT(book->Count(), 3);  // continued
    hosted = std::make_unique<TestHost>();
    host().platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
    ASSERT_TRUE(Plot(1, pageCount));
    std::vector<std::vector<std::string>> whole;
    for (const MemoryPage* page : Drawing().DrawingPages()) {
        whole.push_back(Shown(*page));
    }
    ASSERT_EQ(int(whole.size()), pageCount);
    for (int page = 1; page <= pageCount; ++page) {
        hosted = std::make_unique<TestHost>();
        host().platform.Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
        ASSERT_TRUE(Plot(page, page));
        ASSERT_EQ(Drawing().DrawingPages().size(), 1U);
        EXPECT_EQ(Shown(*Drawing().DrawingPages()[0]), whole[std::size_t(page - 1)]) << page;
    }
}

}  // namespace
}  // namespace veldra::testing
