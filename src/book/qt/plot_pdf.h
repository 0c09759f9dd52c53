#pragma once

#include <filesystem>

namespace veldra {

namespace visio {
class MemoryDocument;
}

// Writes the drawing pages of a plotted document as one PDF: a sheet of the page's own
// size (the plot's are 17 by 11 inches, landscape) for each drawing page, in the
// document's order, each over its background page; the document's title, description and
// subject go into the file's metadata. The file is written whole or not at all: the old
// one stays until the new one is complete. A RuntimeError says why it could not be.
void WritePlotPdf(const visio::MemoryDocument& document, const std::filesystem::path& file);

}  // namespace veldra
