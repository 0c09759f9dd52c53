#include "platform/qt/document_viewer.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace veldra {
namespace {

// The desktop's viewer as its file associations choose it (xdg-open on Linux).
class DesktopViewer final : public DocumentViewer {
public:
    bool Open(const std::filesystem::path& file) override {
        return QDesktopServices::openUrl(
            QUrl::fromLocalFile(QString::fromStdString(file.string())));
    }
};

}  // namespace

DocumentViewer& TheDocumentViewer() {
    if (DocumentViewer* installed = DocumentViewerScope::Current()) {
        return *installed;
    }
    static DesktopViewer desktop;
    return desktop;
}

}  // namespace veldra
