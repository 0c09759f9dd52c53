#include "book/plot_template.h"

namespace veldra::visio {
namespace {

constexpr double kLeft = 0.25;
constexpr double kRight = 16.75;
constexpr double kBottom = 0.25;
constexpr double kTop = 10.75;
// The title block: a column for the designer and the checker, a wide one for the program.
constexpr double kBlockLeft = 10.5;
constexpr double kBlockDivide = 12.0;
constexpr double kBlockTop = 1.8;

void Line(Page& page, double x1, double y1, double x2, double y2) {
    page.DrawLine(x1, y1, x2, y2).CellsSRC(1, 2, 0).SetFormulaU("1 pt");
}

void Label(Page& page, const char* text, double size, int across, double x1, double y1, double x2,
           double y2) {
    Shape& label = page.DrawRectangle(x1, y1, x2, y2);
    label.SetTextStyle("EE Normal");
    label.SetLineStyle("Text Only");
    label.SetFillStyle("Text Only");
    label.GetCharacters().SetText(text);
    label.CellsSRC(3, 0, 7).SetFormulaU(std::to_string(int(size)) + " pt");
    label.CellsSRC(1, 11, 4).SetFormulaU("1");
    label.CellsSRC(4, 0, 6).SetFormulaU(std::to_string(across));
}

}  // namespace

std::vector<Style> TemplateStyles() {
    return {
        {"Normal", true, true, "Arial", 8},
        {"Text Only", false, false, "Arial", 8},
        {"EE Normal", true, true, "Arial", 8},
    };
}

void DrawTemplate(MemoryDocument& document) {
    MemoryPage& page = document.AddPage("Template", true);
    Shape& sheet = page.GetPageSheet();
    sheet.CellsSRC(1, 10, 0).SetFormulaU("17 in");
    sheet.CellsSRC(1, 10, 1).SetFormulaU("11 in");
    sheet.CellsSRC(1, 25, 16).SetFormulaU("2");
    sheet.CellsSRC(1, 25, 17).SetFormulaU("3");

    Line(page, kLeft, kBottom, kRight, kBottom);
    Line(page, kRight, kBottom, kRight, kTop);
    Line(page, kRight, kTop, kLeft, kTop);
    Line(page, kLeft, kTop, kLeft, kBottom);

    Line(page, kBlockLeft, kBottom, kBlockLeft, kBlockTop);
    Line(page, kBlockLeft, kBlockTop, kRight, kBlockTop);
    Line(page, kBlockDivide, kBottom, kBlockDivide, kBlockTop);
    Line(page, kBlockLeft, 1.48, kBlockDivide, 1.48);
    Line(page, kBlockLeft, 1.12, kBlockDivide, 1.12);
    Line(page, kBlockDivide, 0.94, kRight, 0.94);

    Label(page, "DESIGNED BY", 5, 0, 10.54, 1.66, 12.0, 1.78);
    Label(page, "CHECKED BY", 5, 0, 10.54, 1.35, 12.0, 1.46);
    Label(page, "EQUIVALENT\r\nCIRCUITS", 8, 1, kBlockLeft, kBottom, kBlockDivide, 1.12);
    Label(page, "PROGRAM", 5, 0, 12.04, 1.62, 16.7, 1.78);
}

}  // namespace veldra::visio
