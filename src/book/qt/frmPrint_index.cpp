// The book window's bit index: printed with its footers, or saved as a text file.
#include <QCoreApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <filesystem>

#include "book/bit_index.h"
#include "book/qt/frmPrint.h"
#include "book/qt/page_drawing.h"
#include "book/qt/print_target.h"
#include "logic/text_helpers.h"
#include "platform/platform.h"
#include "platform/qt/busy_cursor.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/frmStatus.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/replacing_file.h"
#include "platform/runtime_error.h"
#include "platform/window_errors.h"

namespace veldra {
namespace {

// The index's progress in the loading-progress window, the desktop running between names.
class IndexStatus final : public IndexProgress {
public:
    explicit IndexStatus(WindowRegistry& windows) : window_(windows) {}
    void Start(int names) override {
        names_ = std::max(names, 1);
        // A hundred steps show the progress as well as a step a name, at a fraction of
        // the cost on a program of tens of thousands of bits.
        stride_ = std::max(names_ / 100, 1);
        window_.SetProgress(0, names_);
        window_.show();
    }
    void Building(std::string_view status, int done) override {
        if (done % stride_ != 0 && done != names_) {
            return;
        }
        window_.SetStatus(std::string(status));
        window_.SetProgress(done, names_);
        QCoreApplication::processEvents();
    }

private:
    frmStatus window_;
    int names_ = 1;
    int stride_ = 1;
};

void SaveFailed(const std::filesystem::path& path, const QString& reason) {
    MsgBox("The bit index could not be saved to " + path.string() + ": " + ToStdString(reason),
           MsgButtons::Ok, MsgIcon::Critical, "VELDRA");
}

}  // namespace

std::vector<IndexEntry> frmPrint::GetIndex() {
    // Kept from closing, paging or rebuilding, as while the book prints.
    printing_ = true;
    setEnabled(false);
    struct Restore {
        frmPrint& book;
        ~Restore() {
            book.setEnabled(true);
            book.printing_ = false;
        }
    } restore{*this};
    IndexStatus progress(windows_);
    clsIndex index;
    return index.GetIndex(*ladders_, bits_ ? bits_() : nullptr, &progress);
}

void frmPrint::mnuPrintIndex_Click() {
    ReportWindowErrors([&] { PrintBitIndex(); }, "VELDRA", "The bit index could not be printed. ");
    Ladder_Paint();
}
void frmPrint::PrintBitIndex() {
    PrintSmallText(PdfName("index"),
                   [this](PrintTarget& target, PageDrawing& drawing, double lineHeight) {
                       const std::vector<IndexSheet> sheets =
                           IndexSheets(GetIndex(), IndexFooterText(programName_, listing_),
                                       target.PageHeightTwips(), lineHeight);
                       for (std::size_t sheet = 0; sheet < sheets.size(); ++sheet) {
                           if (sheet > 0 && !target.Device().newPage()) {
                               throw RuntimeError("The printer could not start page " +
                                                  std::to_string(sheet + 1) + ".");
                           }
                           for (const IndexLine& line : sheets[sheet]) {
                               drawing.PrintText(line.x, line.y, line.text);
                           }
                       }
                   });
}

void frmPrint::mnuSaveIndex_Click() {
    const std::optional<std::filesystem::path> path = dialogs_.FileName(
        {FileDialogRequest::Mode::Save, "Save Bit Index", "Text Files (*.txt)|*.txt",
         TrimUpper(programName_), FileKind::BitIndex});
    if (!path) {
        return;
    }
    std::error_code error;
    const bool exists = std::filesystem::exists(*path, error);
    if (exists && MsgBox("Replace File?", MsgButtons::YesNo, MsgIcon::None, "File Exists") !=
                      MsgAnswer::Yes) {
        return;
    }
    // Written beside the old file and put in its place only when whole: a failure leaves
    // the old file, or none, never a part of the index.
    ReplacingFile file(*path);
    bool opened = false;
    bool saved = false;
    bool ended = false;  // without a failure, which the box of the command has told
    ReportWindowErrors(
        [&] {
            const BusyCursor busy;
            opened = file.open(QIODevice::WriteOnly);
            if (opened) {
                const std::string text = IndexFileText(GetIndex());
                saved = file.write(text.data(), qint64(text.size())) == qint64(text.size()) &&
                        file.Commit();
            }
            ended = true;
        },
        "VELDRA", "The bit index could not be saved to " + path->string() + ". ");
    if (saved || !ended) {
        return;
    }
    if (!opened && exists) {
        // The file there can be neither written nor replaced.
        MsgBox("File Locked, or in-use by another process.", MsgButtons::Ok, MsgIcon::Information,
               "VELDRA");
        return;
    }
    SaveFailed(*path, file.errorString());
}

}  // namespace veldra
