#include "book/memory_drawing.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "book/plot_template.h"

namespace veldra::visio {
namespace {

bool IsNumberedName(std::string_view name) {
    constexpr std::string_view kPrefix = "Page-";
    if (name.size() <= kPrefix.size() || name.substr(0, kPrefix.size()) != kPrefix) {
        return false;
    }
    return std::all_of(name.begin() + kPrefix.size(), name.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

void Unite(Bounds& into, const Bounds& part) {
    if (part.empty) {
        return;
    }
    if (into.empty) {
        into = part;
        return;
    }
    into.left = std::min(into.left, part.left);
    into.bottom = std::min(into.bottom, part.bottom);
    into.right = std::max(into.right, part.right);
    into.top = std::max(into.top, part.top);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Formulas

Measure ReadFormula(std::string_view formula) {
    Measure measure;
    std::string_view text = formula;
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, measure.value);
    std::string_view unit(next, std::size_t(end - next));
    while (!unit.empty() && unit.front() == ' ') {
        unit.remove_prefix(1);
    }
    if (error != std::errc() || !(unit.empty() || unit == "in" || unit == "pt")) {
        throw VisioFailure("The formula \"" + std::string(formula) + "\" is not valid.");
    }
    measure.unit = unit;
    return measure;
}

double Measure::Inches() const {
    return unit == "pt" ? value / 72 : value;
}

double Measure::Points() const {
    return unit == "in" ? value * 72 : value;
}

void MemoryCell::SetFormulaU(std::string_view formula) {
    const Measure measure = ReadFormula(formula);
    formula_ = formula;
    shape_.CellChanged(key_, measure);
}

// ---------------------------------------------------------------------------------------
// Shapes

MemoryShape::MemoryShape(MemoryDocument& document, ShapeKind kind, double x1, double y1, double x2,
                         double y2)
    : document_(document), kind_(kind), x1_(x1), y1_(y1), x2_(x2), y2_(y2) {
    textStyle_ = lineStyle_ = fillStyle_ = &document_.FindStyle("Normal");
}

void MemoryShape::SetTextStyle(std::string_view style) {
    textStyle_ = &document_.FindStyle(style);
}

void MemoryShape::SetLineStyle(std::string_view style) {
    lineStyle_ = &document_.FindStyle(style);
}

void MemoryShape::SetFillStyle(std::string_view style) {
    fillStyle_ = &document_.FindStyle(style);
}

Cell& MemoryShape::CellsSRC(int section, int row, int cell) {
    const std::array<int, 3> key{section, row, cell};
    return cells_.try_emplace(key, *this, key).first->second;
}

void MemoryShape::SetText(std::string_view text) {
    const std::size_t from = std::min(std::size_t(std::max(begin_, 0)), text_.size());
    const std::size_t to = std::clamp(std::size_t(std::max(end_, 0)), from, text_.size());
    text_.replace(from, to - from, text);
}

Bounds MemoryShape::Extent() const {
    Bounds bounds;
    if (kind_ == ShapeKind::Group) {
        for (const auto& member : members_) {
            Unite(bounds, member->Extent());
        }
        return bounds;
    }
    if (kind_ == ShapeKind::Sheet) {
        return bounds;
    }
    return {std::min(x1_, x2_), std::min(y1_, y2_), std::max(x1_, x2_), std::max(y1_, y2_), false};
}

std::string MemoryShape::Formula(std::array<int, 3> key) const {
    const auto found = cells_.find(key);
    return found == cells_.end() ? std::string() : found->second.Formula();
}

double MemoryShape::CharSize() const {
    const std::string formula = Formula(cells::kCharSize);
    return formula.empty() ? textStyle_->size : ReadFormula(formula).Points();
}

int MemoryShape::VerticalAlign() const {
    const std::string formula = Formula(cells::kVerticalAlign);
    return formula.empty() ? 1 : int(ReadFormula(formula).value);
}

int MemoryShape::HorizontalAlign() const {
    const std::string formula = Formula(cells::kHorizontalAlign);
    return formula.empty() ? 1 : int(ReadFormula(formula).value);
}

double MemoryShape::LineWeight() const {
    const std::string formula = Formula(cells::kLineWeight);
    return formula.empty() ? 0.24 : ReadFormula(formula).Points();
}

// A shape's pin is the centre of its extent: setting it moves the shape there, and a
// group with all it holds.
void MemoryShape::CellChanged(std::array<int, 3> key, const Measure& measure) {
    if (key != cells::kPinX && key != cells::kPinY) {
        return;
    }
    const Bounds bounds = Extent();
    if (bounds.empty) {
        return;
    }
    if (key == cells::kPinX) {
        Move(measure.Inches() - bounds.CentreX(), 0);
    } else {
        Move(0, measure.Inches() - bounds.CentreY());
    }
}

void MemoryShape::Move(double dx, double dy) {
    x1_ += dx;
    x2_ += dx;
    y1_ += dy;
    y2_ += dy;
    for (const auto& member : members_) {
        member->Move(dx, dy);
    }
}

// ---------------------------------------------------------------------------------------
// Pages

MemoryPage::MemoryPage(MemoryDocument& document, std::string name)
    : document_(document), name_(std::move(name)), sheet_(document, ShapeKind::Sheet) {}

void MemoryPage::SetBackground(bool background) {
    if (background == background_) {
        return;
    }
    background_ = background;
    // Background pages stand after the drawing pages.
    document_.Place(*this, background ? document_.Count() : document_.DrawingCount());
}

void MemoryPage::SetIndex(int index) {
    const int first = background_ ? document_.DrawingCount() + 1 : 1;
    const int last = background_ ? document_.Count() : document_.DrawingCount();
    document_.Place(*this, std::clamp(index, first, last));
}

void MemoryPage::SetBackPage(std::string_view name) {
    const MemoryPage* page = document_.Find(name);
    if (page == nullptr || !page->background_ || page == this) {
        throw VisioFailure("There is no background page \"" + std::string(name) + "\".");
    }
    backPage_ = page;
}

Shape& MemoryPage::DrawRectangle(double x1, double y1, double x2, double y2) {
    return *shapes_.emplace_back(
        std::make_unique<MemoryShape>(document_, ShapeKind::Rectangle, x1, y1, x2, y2));
}

Shape& MemoryPage::DrawLine(double x1, double y1, double x2, double y2) {
    return *shapes_.emplace_back(
        std::make_unique<MemoryShape>(document_, ShapeKind::Line, x1, y1, x2, y2));
}

void MemoryPage::Delete(int renumber) {
    document_.Remove(*this, renumber != 0);  // this page is gone from here on
}

Application& MemoryPage::GetApplication() {
    return document_.App();
}

Shape& MemoryPage::Item(int index) {
    if (index < 1 || index > int(shapes_.size())) {
        throw VisioFailure("The page \"" + name_ + "\" has no shape " + std::to_string(index) +
                           ".");
    }
    return *shapes_[std::size_t(index - 1)];
}

double MemoryPage::WidthInches() const {
    const std::string formula = sheet_.Formula(cells::kPageWidth);
    return formula.empty() ? 17 : ReadFormula(formula).Inches();
}

double MemoryPage::HeightInches() const {
    const std::string formula = sheet_.Formula(cells::kPageHeight);
    return formula.empty() ? 11 : ReadFormula(formula).Inches();
}

// ---------------------------------------------------------------------------------------
// Documents

MemoryDocument::MemoryDocument(MemoryApplication& application, std::vector<Style> styles)
    : application_(application), styles_(std::move(styles)) {
    if (std::none_of(styles_.begin(), styles_.end(),
                     [](const Style& style) { return style.name == "Normal"; })) {
        styles_.insert(styles_.begin(), Style{"Normal"});
    }
}

std::vector<const MemoryPage*> MemoryDocument::PageList() const {
    std::vector<const MemoryPage*> pages;
    for (const auto& page : pages_) {
        pages.push_back(page.get());
    }
    return pages;
}

std::vector<const MemoryPage*> MemoryDocument::DrawingPages() const {
    std::vector<const MemoryPage*> pages;
    for (const auto& page : pages_) {
        if (!page->background_) {
            pages.push_back(page.get());
        }
    }
    return pages;
}

const MemoryPage* MemoryDocument::Find(std::string_view name) const {
    for (const auto& page : pages_) {
        if (page->name_ == name) {
            return page.get();
        }
    }
    return nullptr;
}

const Style& MemoryDocument::FindStyle(std::string_view name) const {
    for (const Style& style : styles_) {
        if (style.name == name) {
            return style;
        }
    }
    throw VisioFailure("The drawing has no style \"" + std::string(name) + "\".");
}

MemoryPage& MemoryDocument::AddPage(std::string_view name, bool background) {
    auto& page = *pages_.emplace_back(std::make_unique<MemoryPage>(*this, std::string(name)));
    page.background_ = background;
    if (!background) {
        Place(page, DrawingCount());
    }
    return page;
}

Page& MemoryDocument::Add() {
    MemoryPage& page = AddPage("Page-" + std::to_string(DrawingCount() + 1), false);
    // The page added is the one the window shows, as the user's own new page would be.
    application_.window_.Show(&page);
    return page;
}

Page& MemoryDocument::ItemU(int index) {
    if (index < 1 || index > Count()) {
        throw VisioFailure("The drawing has no page " + std::to_string(index) + ".");
    }
    return *pages_[std::size_t(index - 1)];
}

int MemoryDocument::DrawingCount() const {
    return int(std::count_if(pages_.begin(), pages_.end(),
                             [](const auto& page) { return !page->background_; }));
}

void MemoryDocument::Place(MemoryPage& page, int position) {
    const auto at = std::find_if(pages_.begin(), pages_.end(),
                                 [&](const auto& held) { return held.get() == &page; });
    std::unique_ptr<MemoryPage> moved = std::move(*at);
    pages_.erase(at);
    const std::size_t to = std::min(std::size_t(std::max(position, 1) - 1), pages_.size());
    pages_.insert(pages_.begin() + std::ptrdiff_t(to), std::move(moved));
}

void MemoryDocument::Remove(MemoryPage& page, bool renumber) {
    for (const auto& other : pages_) {
        if (other->backPage_ == &page) {
            other->backPage_ = nullptr;
        }
    }
    MemoryWindow& window = application_.window_;
    const auto at = std::find_if(pages_.begin(), pages_.end(),
                                 [&](const auto& held) { return held.get() == &page; });
    pages_.erase(at);
    if (window.Shown() == &page) {
        window.Show(pages_.empty() ? nullptr : pages_.front().get());
    }
    if (!renumber) {
        return;
    }
    int position = 0;
    for (const auto& other : pages_) {
        if (other->background_) {
            continue;
        }
        ++position;
        if (IsNumberedName(other->name_)) {
            other->name_ = "Page-" + std::to_string(position);
        }
    }
}

// ---------------------------------------------------------------------------------------
// The window

void MemoryWindow::SelectAll() {
    selected_.clear();
    for (const auto& shape : MemoryPageOf().shapes_) {
        selected_.push_back(shape.get());
    }
}

Page& MemoryWindow::GetPage() {
    return MemoryPageOf();
}

void MemoryWindow::SetPage(Page& page) {
    Show(&dynamic_cast<MemoryPage&>(page));
}

void MemoryWindow::Show(MemoryPage* page) {
    page_ = page;
    selected_.clear();
}

MemoryPage& MemoryWindow::MemoryPageOf() {
    if (page_ == nullptr) {
        throw VisioFailure("The window shows no page.");
    }
    return *page_;
}

// The selected shapes go into one group where the first of them stood; a selection of
// nothing makes an empty group, which moves nothing.
void MemoryWindow::Group() {
    auto& shapes = MemoryPageOf().shapes_;
    auto group = std::make_unique<MemoryShape>(page_->document_, ShapeKind::Group);
    std::size_t first = shapes.size();
    for (std::size_t i = 0; i < shapes.size();) {
        if (std::find(selected_.begin(), selected_.end(), shapes[i].get()) != selected_.end()) {
            first = std::min(first, i);
            group->members_.push_back(std::move(shapes[i]));
            shapes.erase(shapes.begin() + std::ptrdiff_t(i));
        } else {
            ++i;
        }
    }
    MemoryShape* made = group.get();
    shapes.insert(shapes.begin() + std::ptrdiff_t(first), std::move(group));
    selected_ = {made};
}

void MemoryWindow::Ungroup() {
    auto& shapes = MemoryPageOf().shapes_;
    std::vector<MemoryShape*> members;
    for (MemoryShape* selected : selected_) {
        const auto at = std::find_if(shapes.begin(), shapes.end(),
                                     [&](const auto& held) { return held.get() == selected; });
        if (at == shapes.end() || selected->kind_ != ShapeKind::Group) {
            continue;
        }
        std::vector<std::unique_ptr<MemoryShape>> held = std::move(selected->members_);
        const std::ptrdiff_t place = at - shapes.begin();
        shapes.erase(at);
        for (auto& member : held) {
            members.push_back(member.get());
        }
        shapes.insert(shapes.begin() + place, std::make_move_iterator(held.begin()),
                      std::make_move_iterator(held.end()));
    }
    selected_ = std::move(members);
}

// ---------------------------------------------------------------------------------------
// The application

MemoryApplication::MemoryApplication() = default;
MemoryApplication::~MemoryApplication() = default;

Document& MemoryApplication::ActiveDocument() {
    if (documents_.empty()) {
        throw VisioFailure("No drawing is open.");
    }
    return *documents_.back();
}

const MemoryDocument* MemoryApplication::Active() const {
    return documents_.empty() ? nullptr : documents_.back().get();
}

Document& MemoryApplication::Add(std::string_view templatePath) {
    if (std::filesystem::path(templatePath).filename() != kPlotTemplate) {
        throw VisioFailure("The drawing template " + std::string(templatePath) +
                           " cannot be found.");
    }
    auto& document =
        *documents_.emplace_back(std::make_unique<MemoryDocument>(*this, TemplateStyles()));
    DrawTemplate(document);
    // A new drawing shows its first page.
    window_.Show(document.pages_.empty() ? nullptr : document.pages_.front().get());
    return document;
}

Window& MemoryApplication::Item(int index) {
    if (index != 1) {
        throw VisioFailure("There is no window " + std::to_string(index) + ".");
    }
    return window_;
}

}  // namespace veldra::visio
