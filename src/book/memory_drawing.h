#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "book/visio_drawing.h"

// Our own drawing application behind the plot's drawing interface: documents, pages and
// shapes held in memory, read back by whatever writes them out (the PDF of the plot) and
// by the tests.
namespace veldra::visio {

class MemoryApplication;
class MemoryDocument;
class MemoryPage;

// A named look a shape takes: its text style gives the font, its line and fill styles
// whether an outline and a white ground are drawn.
struct Style {
    std::string name;
    bool line = true;
    bool fill = true;
    std::string font = "Arial";
    double size = 8;  // points
};

enum class ShapeKind { Sheet, Rectangle, Line, Group };

// The extent of a shape on the sheet, in inches.
struct Bounds {
    double left = 0;
    double bottom = 0;
    double right = 0;
    double top = 0;
    bool empty = true;
    double CentreX() const { return (left + right) / 2; }
    double CentreY() const { return (bottom + top) / 2; }
};

// The cells the plot sets, by section, row and cell.
namespace cells {
inline constexpr std::array<int, 3> kPinX{1, 1, 0};
inline constexpr std::array<int, 3> kPinY{1, 1, 1};
inline constexpr std::array<int, 3> kLineWeight{1, 2, 0};
inline constexpr std::array<int, 3> kPageWidth{1, 10, 0};
inline constexpr std::array<int, 3> kPageHeight{1, 10, 1};
inline constexpr std::array<int, 3> kVerticalAlign{1, 11, 4};
inline constexpr std::array<int, 3> kPrintOrientation{1, 25, 16};
inline constexpr std::array<int, 3> kPaperKind{1, 25, 17};
inline constexpr std::array<int, 3> kCharSize{3, 0, 7};
inline constexpr std::array<int, 3> kHorizontalAlign{4, 0, 6};
}  // namespace cells

// A formula's number and unit ("0.72 pt" is 0.72 and "pt"); a formula that is neither a
// number nor a number and a unit is refused.
struct Measure {
    double value = 0;
    std::string unit;
    double Inches() const;
    double Points() const;
};
Measure ReadFormula(std::string_view formula);

class MemoryShape;

class MemoryCell final : public Cell {
public:
    MemoryCell(MemoryShape& shape, std::array<int, 3> key) : shape_(shape), key_(key) {}
    void SetFormulaU(std::string_view formula) override;
    const std::string& Formula() const { return formula_; }

private:
    MemoryShape& shape_;
    std::array<int, 3> key_;
    std::string formula_;
};

class MemoryShape final : public Shape, private Characters {
public:
    MemoryShape(MemoryDocument& document, ShapeKind kind, double x1 = 0, double y1 = 0,
                double x2 = 0, double y2 = 0);

    void SetTextStyle(std::string_view style) override;
    void SetLineStyle(std::string_view style) override;
    void SetFillStyle(std::string_view style) override;
    Characters& GetCharacters() override { return *this; }
    Cell& CellsSRC(int section, int row, int cell) override;

    ShapeKind Kind() const { return kind_; }
    // The corners of a rectangle or the ends of a line, as drawn or moved since.
    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }
    Bounds Extent() const;
    const std::string& Text() const { return text_; }
    const Style& TextStyle() const { return *textStyle_; }
    const Style& LineStyle() const { return *lineStyle_; }
    const Style& FillStyle() const { return *fillStyle_; }
    // The formula of a cell, empty when it was never set.
    std::string Formula(std::array<int, 3> key) const;
    // The character size in points: the cell's, else the text style's.
    double CharSize() const;
    // 0 top, 1 middle, 2 bottom; 0 left, 1 centre, 2 right. Middle and centre unless set.
    int VerticalAlign() const;
    int HorizontalAlign() const;
    // Points; the thinnest line unless set.
    double LineWeight() const;
    const std::vector<std::unique_ptr<MemoryShape>>& Members() const { return members_; }

private:
    friend class MemoryCell;
    friend class MemoryWindow;

    void SetBegin(int position) override { begin_ = position; }
    void SetEnd(int position) override { end_ = position; }
    void SetText(std::string_view text) override;
    void CellChanged(std::array<int, 3> key, const Measure& measure);
    void Move(double dx, double dy);

    MemoryDocument& document_;
    ShapeKind kind_;
    double x1_, y1_, x2_, y2_;
    std::string text_;
    int begin_ = 0;
    int end_ = 0;
    const Style* textStyle_;
    const Style* lineStyle_;
    const Style* fillStyle_;
    std::map<std::array<int, 3>, MemoryCell> cells_;
    std::vector<std::unique_ptr<MemoryShape>> members_;
};

class MemoryPage final : public Page, private Shapes {
public:
    MemoryPage(MemoryDocument& document, std::string name);

    void SetName(std::string_view name) override { name_ = name; }
    void SetBackground(bool background) override;
    void SetIndex(int index) override;
    void SetBackPage(std::string_view name) override;
    Shape& GetPageSheet() override { return sheet_; }
    Shape& DrawRectangle(double x1, double y1, double x2, double y2) override;
    Shape& DrawLine(double x1, double y1, double x2, double y2) override;
    void Delete(int renumber) override;
    Application& GetApplication() override;
    Shapes& GetShapes() override { return *this; }

    const std::string& Name() const { return name_; }
    bool Background() const { return background_; }
    // The background page beneath, or none.
    const MemoryPage* BackPage() const { return backPage_; }
    const MemoryShape& Sheet() const { return sheet_; }
    // The page size from its sheet; a sheet without one is the plot's 17 by 11 inches.
    double WidthInches() const;
    double HeightInches() const;
    const std::vector<std::unique_ptr<MemoryShape>>& ShapeList() const { return shapes_; }

private:
    friend class MemoryWindow;
    friend class MemoryDocument;

    Shape& Item(int index) override;

    MemoryDocument& document_;
    std::string name_;
    bool background_ = false;
    const MemoryPage* backPage_ = nullptr;
    MemoryShape sheet_;
    std::vector<std::unique_ptr<MemoryShape>> shapes_;
};

class MemoryDocument final : public Document, private Pages {
public:
    MemoryDocument(MemoryApplication& application, std::vector<Style> styles);

    Pages& GetPages() override { return *this; }
    void SetTitle(std::string_view text) override { title_ = text; }
    void SetDescription(std::string_view text) override { description_ = text; }
    void SetSubject(std::string_view text) override { subject_ = text; }

    const std::string& Title() const { return title_; }
    const std::string& Description() const { return description_; }
    const std::string& Subject() const { return subject_; }
    // Every page in the document's order: the drawing pages, then the background pages.
    std::vector<const MemoryPage*> PageList() const;
    std::vector<const MemoryPage*> DrawingPages() const;
    const MemoryPage* Find(std::string_view name) const;
    // The style of that name; a missing one is refused.
    const Style& FindStyle(std::string_view name) const;
    MemoryApplication& App() { return application_; }

    // Adds a page as the template holds it, shown under its name.
    MemoryPage& AddPage(std::string_view name, bool background);

private:
    friend class MemoryPage;
    friend class MemoryApplication;

    Page& Add() override;
    int Count() const override { return int(pages_.size()); }
    Page& ItemU(int index) override;
    int DrawingCount() const;
    void Place(MemoryPage& page, int position);
    void Remove(MemoryPage& page, bool renumber);

    MemoryApplication& application_;
    std::vector<Style> styles_;
    std::vector<std::unique_ptr<MemoryPage>> pages_;
    std::string title_;
    std::string description_;
    std::string subject_;
};

// The window the documents are drawn in: the page it shows and the shapes selected on it.
class MemoryWindow final : public Window, private Selection {
public:
    void SetWindowState(std::int32_t state) override { state_ = state; }
    void SelectAll() override;
    Selection& GetSelection() override { return *this; }
    Page& GetPage() override;
    void SetPage(Page& page) override;

    std::int32_t WindowState() const { return state_; }
    const MemoryPage* Shown() const { return page_; }
    void Show(MemoryPage* page);

private:
    void Group() override;
    void Ungroup() override;
    MemoryPage& MemoryPageOf();

    std::int32_t state_ = 0;
    MemoryPage* page_ = nullptr;
    std::vector<MemoryShape*> selected_;
};

class MemoryApplication final : public Application, private Documents, private Windows {
public:
    MemoryApplication();
    ~MemoryApplication() override;

    void SetVisible(bool visible) override { visible_ = visible; }
    Window& GetWindow() override { return window_; }
    Documents& GetDocuments() override { return *this; }
    Document& ActiveDocument() override;
    Window& ActiveWindow() override { return window_; }
    Page& ActivePage() override { return window_.GetPage(); }
    Windows& GetWindows() override { return *this; }

    bool Visible() const { return visible_; }
    const MemoryWindow& DrawingWindow() const { return window_; }
    // The document made last, or none.
    const MemoryDocument* Active() const;

private:
    friend class MemoryDocument;

    Document& Add(std::string_view templatePath) override;
    Window& Item(int index) override;

    bool visible_ = true;
    MemoryWindow window_;
    std::vector<std::unique_ptr<MemoryDocument>> documents_;
};

}  // namespace veldra::visio
