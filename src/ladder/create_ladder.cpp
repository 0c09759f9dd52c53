#include "ladder/create_ladder.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "ladder/drawn_expression.h"
#include "ladder/ladders.h"
#include "logic/doubled_not.h"
#include "logic/statement_parser.h"
#include "logic/text_helpers.h"

namespace veldra {
namespace {

constexpr std::string_view kTo = " TO ";
// The columns the note in place of a rung's contacts takes before its coils.
constexpr int kNoteColumns = 4;

// A list of the layout's positions that grows with zeros as it is read or written.
class GrowingList {
public:
    int& operator[](int index) {
        const auto at = std::size_t(std::max(index, 0));
        if (at >= values_.size()) {
            values_.resize(at + 1, 0);
        }
        return values_[at];
    }
    int Size() const { return int(values_.size()); }

private:
    std::vector<int> values_;
};

// The pieces of a results text cut at its commas; an empty tail after the last comma
// is no piece, and an empty text has none.
std::vector<std::string_view> ResultPieces(std::string_view results) {
    std::vector<std::string_view> pieces;
    while (!results.empty()) {
        const std::size_t comma = results.find(',');
        pieces.push_back(results.substr(0, comma));
        results = comma == std::string_view::npos ? std::string_view() : results.substr(comma + 1);
    }
    return pieces;
}

// One walk through an expression, placing a contact whenever an operator ends a name.
class Layout {
public:
    explicit Layout(Elements& cells) : cells_(cells) {
        for (const auto& cell : cells) {
            taken_[cell->Row()].try_emplace(cell->Col(), cell.get());
        }
    }

    // False when the grid's limit left part of the expression out: the ladder is not whole.
    // A layout whose last cell fills the grid exactly has nothing left out.
    bool Run(std::string_view expression) {
        const std::string walk = "(" + std::string(expression) + ")*";
        for (const char c : walk) {
            if (Full()) {
                return false;
            }
            Step(c);
        }
        if (!pending_.empty()) {
            Place(pending_, column_, row_, back_);
        }
        if (branchUp_) {
            ConnectUp(column_, row_);
        }
        return !cut_;
    }

private:
    // Deep nests grow the grid with the square of their depth, far past any statement
    // worth drawing: the layout stops there instead of taking minutes.
    static constexpr int kMostCells = 10000;
    bool Full() const { return cells_.Count() >= kMostCells; }

    void Step(char c) {
        switch (c) {
            case '~':
                // Only a "~" before a name makes a back contact: one inside a name is part
                // of it, as the evaluator reads it.
                if (pending_.empty()) {
                    back_ = true;
                } else {
                    pending_ += c;
                }
                break;
            case '(':
                ++depth_;
                groupCol_[depth_] = column_;
                groupRow_[depth_] = row_;
                closed_ = false;
                break;
            case ')':
                closed_ = true;
                depth_ = std::max(depth_ - 1, 0);
                break;
            case '*':
                And();
                break;
            case '+':
                Or();
                break;
            default:
                pending_ += c;  // "@" too: an exclusive or stays inside the contact's name
        }
    }

    void And() {
        if (pending_.empty()) {
            return;
        }
        Element& cell = Place(pending_, column_, row_, back_);
        cell.LeftorUp = branchUp_;
        if (branchUp_) {
            ConnectUp(column_, row_);
        }
        branchUp_ = false;

        const int previousRow = row_;
        if (closed_) {
            closed_ = false;
            row_ = groupRow_[depth_ + 1];
            column_ = rowEnd_[row_] + 1;
        } else {
            ++column_;
        }
        back_ = false;
        pending_.clear();
        if (previousRow > row_) {
            FillLines(column_ - 1, row_, previousRow);
        }
        rowEnd_[row_] = column_;
        for (int i = 0; i < row_; ++i) {
            rowEnd_[i] = std::max(rowEnd_[i], column_);
        }
        colEnd_[column_] = row_;
    }

    void Or() {
        if (!pending_.empty()) {
            Element& cell = Place(pending_, column_, row_, back_);
            cell.RightOrDown = true;
            cell.LeftorUp = branchUp_;
            cell.IsOr = true;
            if (branchUp_) {
                ConnectUp(column_, row_);
            }
            back_ = false;
            column_ = groupCol_[depth_];
            row_ = std::max(row_ + 1, colEnd_[column_] + 1);
            closed_ = false;
            pending_.clear();
            for (int i = 0; i < colEnd_.Size(); ++i) {
                colEnd_[i] = std::max(colEnd_[i], row_);
            }
            rowEnd_[row_] = column_;
        }
        branchUp_ = true;
    }

    // Joins the left edge of a new branch up to the row it branches from.
    void ConnectUp(int c, int r) {
        for (int i = r; i >= 0; --i) {
            Element* cell = cells_.Item(c, i);
            if (cell == nullptr) {
                Place("", c, i, false, true).LeftOrDown = true;
            } else if (!cell->LeftorUp) {
                cell->LeftOrDown = true;
                return;
            } else {
                cell->LeftorUp = cell->LeftorUp || i >= 1;
                cell->LeftOrDown = cell->LeftOrDown || i < r;
            }
        }
    }

    // Carries the rows of a group that ended lower than it began on to its right end.
    // Only the cells already in those rows can start or stop a wire, so the walk visits
    // them and never the empty width between: a deep nest of bad input stays quick.
    void FillLines(int lastCol, int firstRow, int lastRow) {
        bool carried = false;
        for (auto row = taken_.lower_bound(firstRow); row != taken_.end() && row->first <= lastRow;
             ++row) {
            // Taken before the walk: the wires it places land between these cells.
            const std::vector<std::pair<int, Element*>> cells(row->second.lower_bound(0),
                                                              row->second.upper_bound(lastCol));
            for (std::size_t i = 0; i < cells.size(); ++i) {
                Element* left = cells[i].second;
                carried = left->RightOrDown;
                const int end = i + 1 < cells.size() ? cells[i + 1].first - 1 : lastCol;
                for (int col = cells[i].first + 1; col <= end; ++col) {
                    if (left->IsDrawn || (left->Name.empty() && !left->hLine())) {
                        break;
                    }
                    if (Full()) {
                        cut_ = true;  // a wire the rung needs is left out
                        break;
                    }
                    Element& wire = Place("", col, row->first);
                    wire.RightOrDown = carried;
                    wire.SethLine(true);
                    left->RightOrDown = false;
                    left->IsDrawn = true;
                    left = &wire;
                }
            }
            if (Element* last = cells_.Item(lastCol, row->first)) {
                last->IsDrawn = true;
            }
        }
    }

    Element& Place(std::string_view name, int col, int row, bool back = false,
                   bool leftorUp = false) {
        Element& cell = cells_.Add(name, col, row, false, back, false, false, leftorUp);
        taken_[row].try_emplace(col, &cell);
        return cell;
    }

    Elements& cells_;
    std::string pending_;
    int column_ = 0;
    int row_ = 0;
    int depth_ = 0;
    bool closed_ = false;
    bool back_ = false;
    bool branchUp_ = false;
    bool cut_ = false;
    GrowingList groupCol_;
    GrowingList groupRow_;
    GrowingList rowEnd_;
    GrowingList colEnd_;
    std::map<int, std::map<int, Element*>> taken_;  // row, then column: the cells placed
};

}  // namespace

std::vector<std::string> ExpressionNames(std::string_view statement) {
    const std::size_t to = statement.find(kTo);
    std::vector<std::string> names = OperandNames(statement.substr(0, to));
    std::erase(names, std::string());  // an expression of no name has the empty one
    return names;
}

void CreateLadder::SetStatement(std::string_view text) {
    statement_ = std::string(text);
    const bool hasResults = text.find(kTo) != std::string_view::npos;
    std::string expression = hasResults ? TextBefore(text, kTo) : std::string(text);
    std::erase(expression, ' ');
    LayoutExpression(expression);
    if (!hasResults) {
        return;
    }
    const std::string results = TextAfter(text, kTo);
    JoinBranches();
    const int lastRow = elements_.Rows();
    const int pieces = int(ResultPieces(results).size());
    for (int piece = 1; piece <= pieces; ++piece) {
        elements_.Add("", 0, lastRow + piece);
    }
    CrOut(results);
    for (const auto& cell : elements_) {
        cell->WordWrap = true;
    }
}

void CreateLadder::LayoutExpression(std::string_view expression) {
    const int before = elements_.Count();
    if (NotStandsTwice(expression)) {
        note_ = kNotTwiceNote;
    } else {
        const std::optional<std::string> drawn = DrawnExpression(expression);
        if (drawn && Layout(elements_).Run(*drawn)) {
            return;
        }
        note_ = kTooLargeNote;
    }
    // Part of a rung would read as other logic: the whole rung gives way to a note.
    elements_.KeepFirst(before);
    elements_.Add("", 0, 0).Note = std::string(note_);
    elements_.Add("", kNoteColumns - 1, 0);
}

void CreateLadder::JoinBranches() {
    const int lastRow = elements_.Rows();
    const int lastCol = elements_.Cols();
    // Only a cell with a line down joins anything: the walk visits those row by row, with
    // the joins it adds on its way, and never the empty grid between them.
    std::set<std::pair<int, int>> down;  // row, then column
    for (const auto& cell : elements_) {
        if (cell->RightOrDown && cell->Row() >= 0 && cell->Row() <= lastRow && cell->Col() >= 0 &&
            cell->Col() <= lastCol) {
            down.emplace(cell->Row(), cell->Col());
        }
    }
    while (!down.empty()) {
        const auto [row, col] = *down.begin();
        down.erase(down.begin());
        Element* cell = elements_.Item(col, row);
        if (cell == nullptr || !cell->RightOrDown) {
            continue;
        }
        if (const Element* above = elements_.Item(col, row - 1);
            above != nullptr && above->RightOrDown) {
            cell->RightOrUp = true;
        }
        if (Element* below = elements_.Item(col, row + 1)) {
            below->RightOrUp = true;
        } else {
            Element& join = elements_.Add("", col, row + 1);
            join.RightOrDown = true;
            join.RightOrUp = true;
            if (row + 1 <= lastRow) {
                down.emplace(row + 1, col);
            }
        }
    }
}

int CreateLadder::CrOut(std::string_view results) {
    if (!results.empty() && results.back() == ';') {
        results.remove_suffix(1);
    }
    const int coilCol = elements_.Cols() + 2;
    elements_.Add("", coilCol - 1, 0).SethLine(true);
    const std::vector<std::string_view> pieces = ResultPieces(results);
    for (int i = 0; i < int(pieces.size()); ++i) {
        Element& coil = elements_.Add(TrimUpper(pieces[std::size_t(i)]), coilCol, i);
        coil.IsOutput = true;
        coil.SethLine(true);
        if (i > 0) {
            elements_.Item(coilCol, i - 1)->LeftOrDown = true;
            coil.LeftorUp = true;
        }
    }
    return int(pieces.size());
}

void CreateLadder::ClearMem() {
    elements_.Clear();
    if (Parent != nullptr) {
        Parent->Clear();  // this ladder goes with the list: nothing may touch it after
        return;
    }
    statement_.clear();
    note_ = {};
    PageNumber = 0;
}

}  // namespace veldra
