#include "ladder/elements.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <set>

#include "ladder/ladder_drawing.h"
#include "logic/boolean_bits.h"
#include "logic/expression_names.h"
#include "logic/text_helpers.h"
#include "platform/hash_growth.h"

namespace veldra {

Element::Element(double resolution) {
    SetResolution(resolution);
}

void Element::SetResolution(double percent) {
    if (percent < 1) {
        return;
    }
    scale_ = percent / 100;
    SetCol(col_);
    SetRow(row_);
}

void Element::SetBack(bool back) {
    back_ = back;
}

bool Element::SetvValue(bool value) {
    if (value == value_) {
        return false;
    }
    value_ = value;
    return true;
}

void Element::SethLine(bool wire) {
    if (Name.empty()) {
        hLine_ = wire;
    }
}

bool Element::SetIsSelected(bool selected) {
    if (selected == selected_ || Name.empty()) {
        return false;
    }
    selected_ = selected;
    return true;
}

void Element::SetRow(int row) {
    row_ = row;
    currentY_ = row * S(kHeight);
}

void Element::SetCol(int col) {
    col_ = col;
    // Rounded half to even, as the cell's whole-twip position always was.
    currentX_ = std::nearbyint(col * S(kWidth));
    if (col >= 0) {
        nameOffset_ = col % 2 == 1 ? 150 : 0;
    }
}

void Element::CentreName(double width) {
    const double pitch = d_1560();
    const double start = pitch <= width
                             ? 50 - (width - pitch) / 2
                             : std::max(d_660() - width / 2, std::min(S(50), (pitch - width) / 2));
    PrintStart = std::int32_t(std::nearbyint(start));
}

bool Element::NoBranches2() {
    if (RightOrUp) {
        return false;
    }
    RightOrDown = false;
    return true;
}

bool Element::CoilIsTimer(const BooleanBits* bits) const {
    if (bits == nullptr) {
        return false;
    }
    const BooleanBit* bit = bits->Find(Name);
    return bit != nullptr && bit->IsTimer();
}

void Element::UpdateDrawing(LadderDrawing& drawing, const BooleanBits* bits) const {
    if (IsRelay) {
        DrawRelay(drawing, bits);
        return;
    }
    const double X = currentX_;
    const double Y = currentY_;
    const auto line = [&](double x1, double x2, double y1, double y2, bool live) {
        drawing.DrawLine(X + S(x1), X + S(x2), Y + S(y1), Y + S(y2), live);
    };
    if (LeftorUp)
        line(0, 0, 600, 0, true);
    if (LeftOrDown)
        line(0, 0, 600, 840, true);
    if (RightOrUp)
        line(1560, 1560, 600, 0, true);
    if (RightOrDown)
        line(1560, 1560, 600, 840, true);

    const bool live = Conducting();
    if (!Name.empty() && back_) {
        line(645, 915, 665, 525, live);
    }
    if (hLine_ && !IsOutput) {
        line(0, 1560, 600, 600, live);
        return;
    }
    if (Name.empty() && !IsOutput) {
        return;
    }
    if (!IsOutput) {
        line(0, 600, 600, 600, live);
        line(600, 600, 480, 720, live);
        line(720, 600, 480, 480, live);
        line(720, 600, 720, 720, live);
        line(960, 960, 480, 720, live);
        line(960, 840, 480, 480, live);
        line(960, 840, 720, 720, live);
        line(960, 1560, 600, 600, live);
        return;
    }
    line(0, 600, 600, 600, live);
    line(960, 1560, 600, 600, live);
    drawing.DrawOutput(X + S(780), Y + S(600), 2.1, 4.3, S(200));
    drawing.DrawOutput(X + S(780), Y + S(600), 5.25, 1.0, S(200));
    if (CoilIsTimer(bits)) {
        drawing.PrintText(X + S(740), Y + S(500), "T");
    }
}

void Element::DrawRelay(LadderDrawing& drawing, const BooleanBits* bits) const {
    const double X = currentX_;
    const double Y = currentY_;
    const auto line = [&](double x1, double x2, double y1, double y2) {
        drawing.DrawLineR(X + S(x1), X + S(x2), Y + S(y1), Y + S(y2), true);
    };
    if (LeftorUp)
        line(0, 0, 580, 0);
    if (LeftOrDown)
        line(0, 0, 580, 840);
    if (RightOrUp)
        line(1560, 1560, 580, 0);
    if (RightOrDown)
        line(1560, 1560, 580, 840);

    if (hLine_ && !IsOutput) {
        line(0, 1560, 580, 580);
        return;
    }
    if (Name.empty() && !IsOutput) {
        return;
    }
    if (!IsOutput) {
        line(0, 400, 580, 580);
        line(1080, 1560, 580, 580);
        // The fixed contact: above the wire for a front contact, below it for a back one.
        const double level = back_ ? 810 : 420;
        const double arrowBase = back_ ? 750 : 480;
        const double tip = back_ ? 650 : 580;
        line(1080, 1080, back_ ? 580 : 420, back_ ? 810 : 580);
        line(850, 1080, level, level);
        line(850, 850, arrowBase, level);
        line(800, 900, arrowBase, arrowBase);
        line(850, 800, tip, arrowBase);
        line(850, 900, tip, arrowBase);
        for (int x = 810; x <= 890; x += 10) {
            line(850, x, tip, arrowBase);
        }
        // The moving blade lifts while the bit is up.
        line(850, 440, value_ ? 650 : 580, 580);
        return;
    }
    line(0, 600, 580, 580);
    line(960, 1560, 580, 580);
    line(480, 1080, 460, 460);
    line(480, 1080, 700, 700);
    line(600, 600, 460, 700);
    line(960, 960, 460, 700);
    if (CoilIsTimer(bits)) {
        line(600, 960, 460, 700);
        line(960, 600, 460, 700);
    }
}

namespace {

// Top and bottom of a contact's symbol and of a coil's below the top of its cell, at 100 %,
// in the ladder and the relay drawing alike: a drawing is switched without a new layout.
// The relay's fixed contacts reach above and below the ladder's contact (480 to 720).
constexpr double kSymbolTop = 420;
constexpr double kSymbolBottom = 810;
constexpr double kCoilTop = 400;
constexpr double kCoilBottom = 800;
// Where a note of one line stands: level with the rung, just clear of the wire that runs
// from it to the coils.
constexpr double kNoteTop = 380;

// The lines of a wrapped name, `width` characters at most. A name of one operand is cut
// every `width` characters (the last line is empty when the length is an exact multiple);
// an exclusive-or name breaks after each "@" that ends a line's last whole operand. An
// operand longer than a line is cut inside, never so that its "@" is left on a line alone.
std::vector<std::string_view> NameLines(std::string_view text, std::size_t width) {
    std::vector<std::string_view> lines;
    if (text.find('@') == std::string_view::npos) {
        for (std::size_t from = 0;;) {
            const std::size_t end =
                from + width < text.size() ? CutOutsideName(text, from, from + width) : text.size();
            lines.push_back(text.substr(std::min(from, text.size()), end - std::min(from, end)));
            if (from + width > text.size()) {
                return lines;
            }
            from = end;
        }
    }
    std::size_t start = 0;  // of the line being filled
    std::size_t end = 0;    // of what it holds so far
    while (end < text.size()) {
        const std::size_t at = text.find('@', end);
        const std::size_t next = at == std::string_view::npos ? text.size() : at + 1;
        if (next - start <= width) {
            end = next;
            continue;
        }
        if (end > start) {
            lines.push_back(text.substr(start, end - start));
            start = end;
            continue;
        }
        // One operand alone is longer than a line: it is cut where the line ends, a
        // character sooner where only its "@" would be left over.
        std::size_t cut = start + width;
        if (cut == at && cut > start + 1) {
            --cut;
        }
        cut = CutOutsideName(text, start, cut);
        lines.push_back(text.substr(start, cut - start));
        start = end = cut;
    }
    if (end > start || lines.empty()) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

}  // namespace

std::string Element::ShownName() const {
    return IsOutput ? "(" + Name + ")" : Name;
}

double Element::NameOffset() const {
    if (IsOutput) {
        return S(20);
    }
    return WordWrap ? S(10) : nameOffset_ * scale_;
}

bool Element::Wraps(std::string_view text) const {
    return WordWrap && !Visio && std::int64_t(text.size()) >= nameWidth_;
}

std::vector<double> Element::LineTops(std::size_t count, double offset) const {
    const double height = nameHeight_;
    // The lines that fit between the top of the cell and the symbol go there; the others
    // start just below the symbol.
    const double symbolTop = IsOutput ? S(kCoilTop) : S(kSymbolTop);
    const double symbolBottom = IsOutput ? S(kCoilBottom) : S(kSymbolBottom);
    const auto above =
        height > 0 ? std::size_t(std::max(0.0, std::floor((symbolTop - offset) / height))) : 0;
    std::vector<double> tops;
    tops.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        tops.push_back(i < above ? offset + double(i) * height
                                 : symbolBottom + S(10) + double(i - above) * height);
    }
    return tops;
}

void Element::UpdateName(LadderDrawing& drawing) const {
    const double X = currentX_;
    const double Y = currentY_;
    if (Name.empty() && !Note.empty()) {
        if (Visio) {
            drawing.PrintText(X, Y, Note);
            return;
        }
        const std::vector<std::string_view> lines = SplitViews(Note, '\n');
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const double y = lines.size() == 1 ? S(kNoteTop) : S(10) + double(i) * nameHeight_;
            drawing.PrintText(X + S(120), Y + y, lines[i]);
        }
        return;
    }
    const std::string text = ShownName();
    if (Visio) {
        drawing.PrintText(X, Y, text);
        return;
    }
    const double offset = NameOffset();
    if (!Wraps(text)) {
        drawing.PrintText(X + PrintStart, Y + offset, text);
        return;
    }
    PrintWrapped(drawing, text, offset);
}

void Element::PrintWrapped(LadderDrawing& drawing, std::string_view text, double offset) const {
    // A width below one would cut the name into nothing: it wraps a character a line.
    const auto width = std::size_t(std::max<std::int32_t>(nameWidth_, 1));
    const std::vector<std::string_view> lines = NameLines(text, width);
    const std::vector<double> tops = LineTops(lines.size(), offset);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        drawing.PrintText(currentX_ + S(kWrappedNameLeft), currentY_ + tops[i], lines[i]);
    }
}

int Element::NameRowsBelow() const {
    if (Name.empty()) {
        return 0;
    }
    const std::string text = ShownName();
    if (!Wraps(text)) {
        return 0;
    }
    const auto width = std::size_t(std::max<std::int32_t>(nameWidth_, 1));
    const std::vector<double> tops = LineTops(NameLines(text, width).size(), NameOffset());
    const double bottom = tops.empty() ? 0 : tops.back() + nameHeight_;
    const double row = S(kHeight);
    // A hair's breadth over the edge is rounding, not a line of text.
    const double over = (bottom - row) / row;
    return over > 1e-9 ? int(std::ceil(over - 1e-9)) : 0;
}

void Element::UpdateSelection(LadderDrawing& drawing, const BooleanBits* bits) const {
    if (!Name.empty()) {
        // The frame is fixed in twips whatever the resolution.
        const double X = currentX_;
        const double Y = currentY_;
        drawing.ShowSelection(X + 240, X + 240, Y + 840, Y + 120, selected_);
        drawing.ShowSelection(X + 240, X + 1320, Y + 120, Y + 120, selected_);
        drawing.ShowSelection(X + 1320, X + 1320, Y + 120, Y + 840, selected_);
        drawing.ShowSelection(X + 1320, X + 240, Y + 840, Y + 840, selected_);
    }
    UpdateName(drawing);
    UpdateDrawing(drawing, bits);
}

std::string Elements::Key(int col, int row) {
    return std::to_string(col) + " " + std::to_string(row);
}

Element& Elements::Add(std::string_view Name, int Col, int Row, bool OpenBrace, bool Back,
                       bool IsAnd, bool IsOr, bool LeftorUp, std::string_view key) {
    Element*& slot = index_[key.empty() ? Key(Col, Row) : std::string(key)];
    if (slot == nullptr) {
        auto cell = std::make_unique<Element>(resolution_);
        cell->SetCol(Col);
        cell->SetRow(Row);
        cell->Parent = this;
        slot = cell.get();
        cells_.push_back(std::move(cell));
    }
    slot->OpenBrace = OpenBrace;
    slot->SetBack(Back);
    slot->Name = std::string(Name);
    slot->IsOr = IsOr;
    slot->IsAnd = IsAnd;
    slot->LeftorUp = LeftorUp;
    return *slot;
}

Element* Elements::Item(std::string_view key) const {
    const auto found = index_.find(absl::string_view(key.data(), key.size()));
    return found == index_.end() ? nullptr : found->second;
}

Element* Elements::Item(int position) const {
    return position >= 1 && position <= Count() ? cells_[std::size_t(position - 1)].get() : nullptr;
}

void Elements::Remove(std::string_view key) {
    const auto found = index_.find(absl::string_view(key.data(), key.size()));
    if (found == index_.end()) {
        return;
    }
    const Element* cell = found->second;
    index_.erase(found);
    std::erase_if(cells_, [cell](const auto& held) { return held.get() == cell; });
}

void Elements::Remove(int position) {
    const Element* cell = Item(position);
    if (cell == nullptr) {
        return;
    }
    index_.erase_if([cell](const auto& entry) { return entry.second == cell; });
    cells_.erase(cells_.begin() + (position - 1));
}

void Elements::Clear() {
    index_.clear();
    while (!cells_.empty()) {
        cells_.pop_back();  // the last first
    }
}

void Elements::KeepFirst(int count) {
    if (count < 0 || count >= Count()) {
        return;
    }
    HashSet<const Element*> removed;
    for (auto cell = cells_.begin() + count; cell != cells_.end(); ++cell) {
        removed.insert(cell->get());
    }
    index_.erase_if([&](const auto& entry) { return removed.contains(entry.second); });
    cells_.resize(std::size_t(count));
}

void Elements::MakeRoomForNames() {
    std::map<int, int> opened;              // row, rows opened below it
    std::map<int, std::vector<int>> named;  // row, columns of its names that run past it
    for (const auto& cell : cells_) {
        if (const int below = cell->NameRowsBelow(); below > 0 && cell->Row() >= 0) {
            int& rows = opened[cell->Row()];
            rows = std::max(rows, below);
            named[cell->Row()].push_back(cell->Col());
        }
    }
    if (opened.empty()) {
        return;
    }
    // The places of the lines that cross from each row to the next: a column's left edge.
    std::map<int, std::set<int>> crossing;
    for (const auto& cell : cells_) {
        const int row = cell->Row();
        const int col = cell->Col();
        if (cell->LeftOrDown)
            crossing[row].insert(col);
        if (cell->RightOrDown)
            crossing[row].insert(col + 1);
        if (cell->LeftorUp)
            crossing[row - 1].insert(col);
        if (cell->RightOrUp)
            crossing[row - 1].insert(col + 1);
    }
    // Each row moves down by the rows opened above it.
    std::map<int, int> openedUpTo;  // row, rows opened below it and the rows above it
    int running = 0;
    for (const auto& [row, rows] : opened) {
        running += rows;
        openedUpTo.emplace(row, running);
    }
    const auto moved = [&](int row) {
        const auto above = openedUpTo.lower_bound(row);
        return above == openedUpTo.begin() ? 0 : std::prev(above)->second;
    };
    std::vector<std::pair<std::string, Element*>> keys;
    for (const auto& [key, cell] : index_) {
        keys.emplace_back(key == Key(cell->Col(), cell->Row()) ? std::string() : key, cell);
    }
    for (const auto& cell : cells_) {
        if (cell->Row() >= 0) {
            cell->SetRow(cell->Row() + moved(cell->Row()));
        }
    }
    index_.clear();
    for (auto& [key, cell] : keys) {
        index_.try_emplace(key.empty() ? Key(cell->Col(), cell->Row()) : std::move(key), cell);
    }
    const auto at = [&](int col, int row) -> Element& {
        Element* cell = Item(col, row);
        return cell != nullptr ? *cell : Add("", col, row);
    };
    for (const auto& [row, rows] : opened) {
        const int top = row + moved(row);
        const auto lines = crossing.find(row);
        for (int open = 1; open <= rows; ++open) {
            for (const int col : named[row]) {
                at(col, top + open).NameRoom = true;
            }
            if (lines == crossing.end()) {
                continue;
            }
            for (const int col : lines->second) {
                Element& through = at(col, top + open);
                through.LeftorUp = true;
                through.LeftOrDown = true;
            }
        }
    }
}

// Measured afresh on every call: hosts move cells by setting their rows and columns,
// which the grid never hears of.
int Elements::Rows() const {
    int rows = 0;
    for (const auto& cell : cells_) {
        rows = std::max(rows, cell->Row());
    }
    return rows;
}

int Elements::Cols() const {
    int cols = 0;
    for (const auto& cell : cells_) {
        cols = std::max(cols, cell->Col());
    }
    return cols;
}

}  // namespace veldra
