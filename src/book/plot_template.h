#pragma once

#include <vector>

#include "book/memory_drawing.h"

namespace veldra::visio {

// The one drawing template our drawing application knows is `kPlotTemplate`: the plot asks
// for it beside the program, and it is built in.

// The styles of the template: "Normal" (outline and white ground), "Text Only" (neither)
// and "EE Normal" (the text of the drawings).
std::vector<Style> TemplateStyles();

// Gives a new document the template's background page "Template": a 17 by 11 inch sheet
// with its border and, at the lower right, the title block whose boxes the plot fills with
// the designer, the checker, the program's name and its checksum and CRC.
void DrawTemplate(MemoryDocument& document);

}  // namespace veldra::visio
