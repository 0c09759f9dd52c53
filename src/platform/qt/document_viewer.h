#pragma once

#include <filesystem>

#include "platform/service_scope.h"

namespace veldra {

// Where the desktop shows a file the simulator has written for the user to read, such as a
// plot: the desktop's own viewer for that kind of file. Tests install one that records.
class DocumentViewer {
public:
    virtual ~DocumentViewer() = default;

    // Hands the file to the viewer; false when the desktop has none to take it.
    virtual bool Open(const std::filesystem::path& file) = 0;
};

using DocumentViewerScope = ServiceScope<DocumentViewer>;

// The viewer installed, else the desktop's.
DocumentViewer& TheDocumentViewer();

}  // namespace veldra
