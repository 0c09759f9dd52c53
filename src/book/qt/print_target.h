#pragma once

#include <QPrinter>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "book/page_layout.h"

class QPagedPaintDevice;
class QPdfWriter;

namespace veldra {

class ReplacingFile;

// Where the book is printed: the application's printer, or, on a desktop without one, a
// PDF file the user names on the same paper, written whole or not at all.
class PrintTarget {
public:
    // The application's printer is installed.
    static bool HasPrinter();
    // The paper the book is laid out for, in twips: the application printer's sheet.
    static PageCanvas PaperSize();

    // The application's printer.
    PrintTarget();
    // A PDF written to `file` once the document ends without a fault.
    explicit PrintTarget(const std::filesystem::path& file);
    ~PrintTarget();
    PrintTarget(const PrintTarget&) = delete;
    PrintTarget& operator=(const PrintTarget&) = delete;

    QPagedPaintDevice& Device();
    // Device units per twip.
    double Scale() const;
    double PageHeightTwips() const;
    // Finishes the document: the file takes its place, or the printer has it. A fault,
    // of the printer or of the file, is thrown as a RuntimeError saying what failed.
    void Finish();

private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<ReplacingFile> file_;
    std::unique_ptr<QPdfWriter> pdf_;
};

}  // namespace veldra
