#pragma once

#include <cstdint>
#include <string_view>

#include "platform/runtime_error.h"

// The drawing application as the relay-equivalence plot drives it: exactly the objects and
// operations of a drawing application's automation model that the plot uses, so that
// whatever stands behind them (our own in-memory drawing) takes the plot. Positions are
// inches on the sheet, origin at the lower left; cell formulas are texts with their unit
// ("17 in").
namespace veldra::visio {

// A call the drawing application refused; the text says why, for the user.
class VisioFailure : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// The template every plot's document is made from, looked for in the program's folder.
inline constexpr const char* kPlotTemplate = "EQCir.vst";

// Window states the plot sets.
inline constexpr std::int32_t kMaximized = 0x40000000;
inline constexpr std::int32_t kMinimized = 0x20000000;

class Application;
class Page;

// One cell of a shape's sheet, chosen by section, row and cell.
class Cell {
public:
    virtual ~Cell() = default;
    virtual void SetFormulaU(std::string_view formula) = 0;
};

// A range of a shape's text.
class Characters {
public:
    virtual ~Characters() = default;
    virtual void SetBegin(int position) = 0;
    virtual void SetEnd(int position) = 0;
    // Replaces the range from Begin to End by the text.
    virtual void SetText(std::string_view text) = 0;
};

// A shape on a page, or a page's own sheet.
class Shape {
public:
    virtual ~Shape() = default;
    virtual void SetTextStyle(std::string_view style) = 0;
    virtual void SetLineStyle(std::string_view style) = 0;
    virtual void SetFillStyle(std::string_view style) = 0;
    virtual Characters& GetCharacters() = 0;
    virtual Cell& CellsSRC(int section, int row, int cell) = 0;
};

class Shapes {
public:
    virtual ~Shapes() = default;
    // 1-based.
    virtual Shape& Item(int index) = 0;
};

class Page {
public:
    virtual ~Page() = default;
    virtual void SetName(std::string_view name) = 0;
    virtual void SetBackground(bool background) = 0;
    virtual void SetIndex(int index) = 0;
    // The background page shown beneath this one, by name.
    virtual void SetBackPage(std::string_view name) = 0;
    virtual Shape& GetPageSheet() = 0;
    virtual Shape& DrawRectangle(double x1, double y1, double x2, double y2) = 0;
    // The ladder lines of the plot.
    virtual Shape& DrawLine(double x1, double y1, double x2, double y2) = 0;
    // Deletes the page; a non-zero argument renumbers the pages that bear numbered names.
    virtual void Delete(int renumber) = 0;
    virtual Application& GetApplication() = 0;
    virtual Shapes& GetShapes() = 0;
};

class Pages {
public:
    virtual ~Pages() = default;
    virtual Page& Add() = 0;
    virtual int Count() const = 0;
    // 1-based.
    virtual Page& ItemU(int index) = 0;
};

class Document {
public:
    virtual ~Document() = default;
    virtual Pages& GetPages() = 0;
    virtual void SetTitle(std::string_view text) = 0;
    virtual void SetDescription(std::string_view text) = 0;
    virtual void SetSubject(std::string_view text) = 0;
};

class Documents {
public:
    virtual ~Documents() = default;
    // A new document from the template file.
    virtual Document& Add(std::string_view templatePath) = 0;
};

class Selection {
public:
    virtual ~Selection() = default;
    virtual void Group() = 0;
    virtual void Ungroup() = 0;
};

class Window {
public:
    virtual ~Window() = default;
    virtual void SetWindowState(std::int32_t state) = 0;
    virtual void SelectAll() = 0;
    virtual Selection& GetSelection() = 0;
    virtual Page& GetPage() = 0;
    virtual void SetPage(Page& page) = 0;
};

class Windows {
public:
    virtual ~Windows() = default;
    // 1-based.
    virtual Window& Item(int index) = 0;
};

class Application {
public:
    virtual ~Application() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual Window& GetWindow() = 0;
    virtual Documents& GetDocuments() = 0;
    virtual Document& ActiveDocument() = 0;
    virtual Window& ActiveWindow() = 0;
    virtual Page& ActivePage() = 0;
    virtual Windows& GetWindows() = 0;
};

}  // namespace veldra::visio
