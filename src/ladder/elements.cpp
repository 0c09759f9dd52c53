#include "ladder/elements.h"

#include <algorithm>
#include <cmath>

#include "ladder/ladder_drawing.h"
#include "logic/boolean_bits.h"

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

void Element::UpdateName(LadderDrawing& drawing) const {
    const double X = currentX_;
    const double Y = currentY_;
    const std::string text = IsOutput ? "(" + Name + ")" : Name;
    double offset = IsOutput ? S(20) : nameOffset_ * scale_;
    if (Visio) {
        drawing.PrintText(X, Y, text);
        return;
    }
    if (WordWrap && !IsOutput) {
        offset = S(10);
    }
    const auto length = std::int64_t(text.size());
    if (!WordWrap || length < nameWidth_) {
        drawing.PrintText(X + PrintStart, Y + offset, text);
        return;
    }
    // A width below one would cut the name into nothing: it wraps a character a line.
    const std::int64_t width = std::max<std::int64_t>(nameWidth_, 1);
    const std::int64_t lines = length / width + 1;
    for (std::int64_t i = 0; i < lines; ++i) {
        const std::size_t from = std::size_t(std::min(i * width, length));
        drawing.PrintText(X + S(120), Y + offset + double(i) * nameHeight_,
                          std::string_view(text).substr(from, std::size_t(width)));
    }
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
