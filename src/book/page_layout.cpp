#include "book/page_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>

#include "ladder/contact_value.h"
#include "ladder/create_ladder.h"
#include "ladder/elements.h"
#include "ladder/ladders.h"
#include "logic/boolean_bits.h"
#include "logic/expression_names.h"
#include "platform/hash_growth.h"

namespace veldra {
namespace {

// Rounded as the layout always rounded: to the nearest, halves to the even neighbour.
int RoundEven(double value) {
    return int(std::nearbyint(value));
}

void IndentLadders(Ladders& ladders) {
    for (CreateLadder& ladder : ladders) {
        Elements& cells = ladder.GetElements();
        bool leadInTaken = false;
        for (const auto& cell : cells) {
            cell->SetCol(cell->Col() + 2);
            leadInTaken = leadInTaken || (cell->Col() == 1 && cell->Row() == 0);
        }
        if (leadInTaken) {
            continue;  // a too-large rung's note on a narrow page
        }
        // Under a key of its own: the key "1 0" may still name a cell that has moved on.
        cells.Add("", 1, 0, false, false, false, false, false, "-1 -1").SethLine(true);
    }
}

void WrapStatement(Elements& cells, int maxCols, int rows) {
    for (const auto& cell : cells) {
        const int c = cell->Col();
        if (c > 2 * maxCols) {
            cell->SetCol(c - maxCols);
        } else if (c > maxCols) {
            cell->SetCol(c - maxCols);
            cell->SetRow(cell->Row() + rows + 1);
        }
    }
}

void ShiftRows(Elements& cells, int rows) {
    for (const auto& cell : cells) {
        cell->SetRow(cell->Row() + rows);
    }
}

void ShiftBelowHeader(Elements& cells) {
    const Element* first = cells.Item(1);
    if (first == nullptr) {
        return;
    }
    ShiftRows(cells, HeaderRows(*first));
}

void CopyElement(Element& target, const Element& source, int newRow) {
    target.SetBack(source.Back());
    target.CloseBrace = source.CloseBrace;
    target.SetCol(source.Col());
    target.SethLine(source.hLine());
    target.IsAnd = source.IsAnd;
    target.IsOr = source.IsOr;
    target.IsOutput = source.IsOutput;
    target.IsRelay = source.IsRelay;
    target.LeftOrDown = source.LeftOrDown;
    target.LeftorUp = source.LeftorUp;
    target.Name = source.Name;
    target.Note = source.Note;
    target.NameRoom = source.NameRoom;
    target.PrintStart = source.PrintStart;
    target.SetNameHeight(source.NameHeight());
    target.SetNameWidth(source.NameWidth());
    target.OpenBrace = source.OpenBrace;
    target.RightOrDown = source.RightOrDown;
    target.RightOrUp = source.RightOrUp;
    target.SetvValue(source.vValue());
    target.WordWrap = source.WordWrap;
    target.SetRow(newRow);
}

// The last row that stays on the page when a ladder runs past its row `maxRows`: a row
// held open for the names above it stays with them, unless they fill the page alone.
int PageCut(const Elements& cells, int maxRows) {
    std::set<int> held;
    int first = maxRows;
    for (const auto& cell : cells) {
        first = std::min(first, cell->Row());
        if (cell->NameRoom) {
            held.insert(cell->Row());
        }
    }
    int cut = maxRows;
    while (cut >= first && held.contains(cut + 1)) {
        --cut;
    }
    return cut >= first ? cut : maxRows;
}

void SplitTallLadders(Ladders& ladders, int maxRows) {
    bool split = true;
    while (split) {
        split = false;
        const int n = ladders.Count();
        for (int i = 1; i <= n; ++i) {
            CreateLadder* tall = ladders.Item(i);
            Elements& cells = tall->GetElements();
            if (cells.Rows() <= maxRows) {
                continue;
            }
            split = true;
            const int cut = PageCut(cells, maxRows);
            CreateLadder* rest = ladders.Add(tall->IsNumeric, "");
            if (rest == nullptr) {
                throw BookError("A ladder too tall for one page could not be continued.");
            }
            // Adding may have moved the list's storage; take the ladder afresh.
            tall = ladders.Item(i);
            Elements& moved = rest->GetElements();
            for (int position = tall->GetElements().Count(); position >= 1; --position) {
                const Element& cell = *tall->GetElements().Item(position);
                if (cell.Row() <= cut) {
                    continue;
                }
                Element& copy = moved.Add(cell.Name, cell.Col(), cell.Row(), cell.OpenBrace,
                                          cell.Back(), cell.IsAnd, cell.IsOr, cell.LeftorUp);
                CopyElement(copy, cell, cell.Row() - cut + 1);
                tall->GetElements().Remove(position);
            }
            const int page = tall->PageNumber;
            rest->PageNumber = page + 1;
            for (int j = 1; j <= n; ++j) {
                CreateLadder* later = ladders.Item(j);
                if (later->PageNumber > page) {
                    ++later->PageNumber;
                }
            }
        }
    }
}

}  // namespace

int GetRows(Elements& cells) {
    for (int position = cells.Count(); position >= 1; --position) {
        const Element& cell = *cells.Item(position);
        if (!cell.hLine() && cell.Name.empty() && cell.Note.empty() && !cell.NameRoom &&
            !cell.RightOrDown && !cell.RightOrUp && !cell.LeftOrDown && !cell.LeftorUp) {
            cells.Remove(position);
        }
    }
    int highest = -1;
    for (const auto& cell : cells) {
        highest = std::max(highest, cell->Row());
    }
    return highest + 1;
}

int HeaderRows(const Element& cell) {
    return RoundEven(kHeaderRoom / cell.d_840());
}

PageFit PageHolds(PageCanvas canvas, const Element& cell) {
    const double colPitch = cell.d_1560();
    const double rowPitch = cell.d_840();
    PageFit fit{RoundEven((canvas.width - kPageMarginWidth) / colPitch),
                RoundEven((canvas.height - kPageMarginHeight) / rowPitch)};
    // Rounded up, the last column or row may be only partly on the page, running past the
    // paper's edge or over the footer: the page holds one fewer. Rounded down, a page
    // would refuse a column or row that it holds whole, and fold rungs that fit.
    while (fit.maxCols > 0 && std::nearbyint(fit.maxCols * colPitch) + colPitch > canvas.width) {
        --fit.maxCols;
    }
    while (fit.maxRows > 0 && (fit.maxRows + 1) * rowPitch > canvas.height - kFooterRoom) {
        --fit.maxRows;
    }
    return fit;
}

PageFit FitPage(PageCanvas canvas, const Element& cell) {
    const PageFit fit = PageHolds(canvas, cell);
    // A page must hold its header and at least one row of ladder below it, or every
    // ladder would slide into continuations on pages without end.
    const int headerRows = HeaderRows(cell);
    if (fit.maxCols < 1 || fit.maxRows < 2 || headerRows + 1 >= fit.maxRows) {
        throw BookError("The page is too small for ladders at an element size of " +
                        std::to_string(int(std::lround(cell.Resolution()))) +
                        " %. Choose a smaller element size or larger paper.");
    }
    return fit;
}

void SetElementValues(Ladders& ladders, const BooleanBits* bits, LayoutProgress& progress) {
    progress.Begin("Setting Element Values....", ladders.Count());
    for (CreateLadder& ladder : ladders) {
        progress.Step();
        for (const auto& cell : ladder.GetElements()) {
            if (cell->Name.empty()) {
                continue;
            }
            cell->SetvValue(ContactValue(cell->Name, bits));
        }
    }
}

namespace {

// The measures of the ladder font that every cell of a book shares: how many characters a
// name line holds at the pitch of `first`, and how high a line is.
struct NameMeasures {
    std::int32_t length = 0;
    std::int32_t height = 0;
};

// The widest printable character of the font. Names are cut into lines by their number of
// characters, so a line is counted in the widest one: in a font of proportional pitch a
// name of capitals "W" and "M" would otherwise run past its cell onto its neighbour's.
char WidestCharacter(const TextMetrics& metrics) {
    char widest = 'X';
    double most = metrics.TextWidth("X");
    for (char c = '!'; c <= '~'; ++c) {
        if (const double width = metrics.TextWidth(std::string_view(&c, 1)); width > most) {
            widest = c;
            most = width;
        }
    }
    return widest;
}

double WidestCharacterWidth(const TextMetrics& metrics) {
    const char widest = WidestCharacter(metrics);
    return metrics.TextWidth(std::string_view(&widest, 1));
}

NameMeasures MeasureNames(const Element& first, const TextMetrics& metrics) {
    const double pitch = first.d_1560();
    const char widest = WidestCharacter(metrics);
    const double x = metrics.TextWidth(std::string_view(&widest, 1));
    std::string s;
    // A font that measures nothing would never fill the pitch.
    while (x > 0 && metrics.TextWidth(s) <= pitch - x) {
        s += widest;
    }
    // A wrapped line starts in from the cell's left edge and must end clear of the branch
    // line that may run down its right edge, a pen's width (15 twips) on paper: the font
    // does not grow with the cell, so at larger element sizes it would reach it.
    constexpr double kPen = 15;
    const double left = pitch * Element::kWrappedNameLeft / Element::kWidth;
    while (s.size() > 1 && left + metrics.TextWidth(s.substr(1)) > pitch - kPen) {
        s.pop_back();
    }
    return {std::int32_t(s.size()), std::int32_t(std::lround(metrics.TextHeight(s)))};
}

// A book names the same bits on many pages: each name is measured once.
class NameWidths {
public:
    explicit NameWidths(const TextMetrics& metrics) : metrics_(metrics) {}
    void Fit(Element& cell, NameMeasures measures) {
        cell.SetNameWidth(measures.length - 1);
        cell.SetNameHeight(measures.height);
        auto [found, added] = widths_.try_emplace(cell.Name, 0.0);
        if (added) {
            found->second = metrics_.TextWidth(cell.Name);
        }
        cell.CentreName(found->second);
    }

private:
    const TextMetrics& metrics_;
    HashMap<std::string, double> widths_;
};

// Where a text may break: after a blank, an operator or a bracket.
bool BreaksAfter(char c) {
    return c == ' ' || c == '*' || c == '+' || c == '@' || c == ')' || c == ',';
}

// A text cut into lines of at most `width` characters, each ending where the text may
// break when it can; blanks that start a line are dropped.
std::vector<std::string> WrapText(std::string_view text, std::size_t width) {
    width = std::max<std::size_t>(width, 1);
    std::vector<std::string> lines;
    while (!text.empty()) {
        while (!text.empty() && text.front() == ' ') {
            text.remove_prefix(1);
        }
        if (text.empty()) {
            break;
        }
        std::size_t take = std::min(width, text.size());
        if (take < text.size()) {
            std::size_t at = take;
            while (at > 0 && !BreaksAfter(text[at - 1])) {
                --at;
            }
            take = at > 0 ? at : CutOutsideName(text, 0, take);
        }
        std::string line(text.substr(0, take));
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        text.remove_prefix(take);
    }
    return lines;
}

// A rung drawn as a note: its note on the rung's row with the coils at the row's right
// end within the page, and below the note the statement's text, wrapped to the width
// before the coils, as many lines to a row as the row holds.
void LayOutNotedRung(CreateLadder& ladder, const PageFit& fit, double charWidth) {
    Elements& cells = ladder.GetElements();
    Element* note = nullptr;
    int coilCol = -1;
    if (ladder.Note().empty()) {
        return;
    }
    for (const auto& cell : cells) {
        // The note is the topmost cell with a note; those below it carry the text on.
        if (!cell->Note.empty() && (note == nullptr || cell->Row() < note->Row())) {
            note = cell.get();
        }
        if (cell->IsOutput) {
            coilCol = std::max(coilCol, cell->Col());
        }
    }
    if (note == nullptr) {
        return;
    }
    // The book indents every rung by two columns; the coils stand on the note's row in
    // the last column the page holds, or a wrap would fold them far below the note.
    if (const int within = fit.maxCols - 2; coilCol > within) {
        for (const auto& cell : cells) {
            if (cell->Col() >= coilCol - 1) {
                cell->SetCol(cell->Col() - (coilCol - within));
            }
        }
        coilCol = within;
    }
    // A page too narrow for the note beside the coils gives it the lead-in's column.
    if (coilCol >= 0 && note->Col() >= coilCol) {
        note->SetCol(coilCol - 1);
    }
    const int textCols = coilCol > note->Col() ? coilCol - note->Col() : 1;
    const double room = textCols * note->d_1560() - note->d_660() / 2;
    const double lineHeight = std::max(1, note->NameHeight());
    std::size_t width = 0;
    if (charWidth > 0) {
        width = std::size_t(std::max(1.0, std::floor(room / charWidth)));
    } else {
        width = std::size_t(std::max(1, textCols * 15));  // an 8-point font of fixed pitch
    }
    const int perRow = charWidth > 0 ? std::max(1, int((note->d_840() - 20) / lineHeight)) : 1;

    std::vector<std::string> lines = WrapText(ladder.Note(), width);
    for (std::string& line : WrapText(ladder.Statement(), width)) {
        lines.push_back(std::move(line));
    }
    note->Note = lines.front();
    const int col = note->Col();
    int row = note->Row();
    for (std::size_t first = 1; first < lines.size(); first += std::size_t(perRow)) {
        std::string text;
        for (std::size_t i = first; i < std::min(lines.size(), first + std::size_t(perRow)); ++i) {
            text += (i > first ? "\n" : "") + lines[i];
        }
        ++row;
        Element* cell = cells.Item(col, row);
        if (cell == nullptr || cell->Col() != col || cell->Row() != row) {
            cell = &cells.Add("", col, row, false, false, false, false, false,
                              "note " + std::to_string(row));
        }
        cell->Note = std::move(text);
        cell->SetNameHeight(note->NameHeight());
    }
}

}  // namespace

int CreateDocument(Ladders& ladders, PageCanvas canvas, const LayoutOptions& options,
                   const BooleanBits* bits, LayoutProgress& progress, const TextMetrics* metrics) {
    CreateLadder* first = ladders.Item(1);
    if (first == nullptr || first->GetElements().Count() == 0) {
        throw BookError("The program has no statement to put in a book.");
    }
    const PageFit fit = FitPage(canvas, *first->GetElements().Item(1));

    // Rows are made as tall as the names in them before the rungs are wrapped and paged.
    ladders.WordWrap(options.wordWrap);
    if (metrics != nullptr) {
        CalcTextSize(ladders, *metrics);
        for (CreateLadder& ladder : ladders) {
            ladder.GetElements().MakeRoomForNames();
        }
    }
    const double charWidth = metrics != nullptr ? WidestCharacterWidth(*metrics) : 0;
    for (CreateLadder& ladder : ladders) {
        LayOutNotedRung(ladder, fit, charWidth);
    }
    IndentLadders(ladders);
    for (CreateLadder& ladder : ladders) {
        Elements& cells = ladder.GetElements();
        for (;;) {
            const int rows = GetRows(cells);
            if (cells.Cols() <= fit.maxCols) {
                break;
            }
            WrapStatement(cells, fit.maxCols, rows);
        }
    }

    progress.Begin("Calculating Rungs...", ladders.Count());
    ShiftBelowHeader(first->GetElements());
    int offset = 0;
    int page = 1;
    for (CreateLadder& ladder : ladders) {
        Elements& cells = ladder.GetElements();
        int rows = GetRows(cells);
        if (rows + offset >= fit.maxRows) {
            ++page;
            ShiftBelowHeader(cells);
            ladder.PageNumber = page;
            rows = GetRows(cells);
        } else {
            ladder.PageNumber = page;
            if (offset > 0) {
                ShiftRows(cells, offset);
            }
            rows = GetRows(cells);
        }
        offset = rows + 1;
        progress.Step();
    }

    SplitTallLadders(ladders, fit.maxRows);
    const int pages = ladders.Pages();
    if (options.relay) {
        for (CreateLadder& ladder : ladders) {
            for (const auto& cell : ladder.GetElements()) {
                cell->IsRelay = true;
            }
        }
    }
    SetElementValues(ladders, bits, progress);
    progress.End();
    ladders.WordWrap(options.wordWrap);
    return pages;
}

void CalcTextSize(Ladders& ladders, const TextMetrics& metrics) {
    const CreateLadder* first = ladders.Item(1);
    if (first == nullptr || first->GetElements().Count() == 0) {
        return;
    }
    const NameMeasures measures = MeasureNames(*first->GetElements().Item(1), metrics);
    NameWidths names(metrics);
    for (CreateLadder& ladder : ladders) {
        for (const auto& cell : ladder.GetElements()) {
            names.Fit(*cell, measures);
        }
    }
}

void CalcTextSize(Elements& cells, const TextMetrics& metrics) {
    if (cells.Count() == 0) {
        return;
    }
    const NameMeasures measures = MeasureNames(*cells.Item(1), metrics);
    NameWidths names(metrics);
    for (const auto& cell : cells) {
        names.Fit(*cell, measures);
    }
}

std::vector<std::vector<CreateLadder*>> LaddersByPage(Ladders& ladders, int pages) {
    std::vector<std::vector<CreateLadder*>> byPage(std::size_t(std::max(pages, 0)));
    for (CreateLadder& ladder : ladders) {
        if (ladder.PageNumber >= 1 && ladder.PageNumber <= pages) {
            byPage[std::size_t(ladder.PageNumber - 1)].push_back(&ladder);
        }
    }
    return byPage;
}

}  // namespace veldra
