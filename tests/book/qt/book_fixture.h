#pragma once

#include <QPointer>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "book/qt/frmListing.h"
#include "book/qt/frmPrint.h"
#include "platform/qt/document_viewer.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {

// The desktop's viewer: what it was asked to open, and whether it took it.
class RecordingViewer final : public DocumentViewer {
public:
    bool Open(const std::filesystem::path& file) override {
        opened.push_back(file);
        return installed;
    }
    std::vector<std::filesystem::path> opened;
    bool installed = true;
};

// The simulator started on a small program written in a folder of the test's own, whose
// book is made as the user makes it: "Create Program Book", the listing chosen and
// accepted, "Plot Numerics?" answered.
class BookFixture : public ApplicationFixture {
protected:
    ~BookFixture() override {
        if (Book() != nullptr) {
            Book()->close();  // a book left open goes before the application
        }
    }

    // A program of `statements` statements of three contacts in parallel, four bits each
    // ("ASSIGN B0+B1+B2 TO B3;"), the third contact negated when asked; `head` stands
    // first in its bits and in its logic.
    static std::string ParallelProgram(const std::string& name, int statements, bool negated,
                                       const std::string& headBits = "",
                                       const std::string& headLogic = "") {
        std::string source = "PROGRAM " + name + ";\nBOOLEAN BITS\n" + headBits;
        for (int i = 0; i < 4 * statements; ++i) {
            source += "    B" + std::to_string(i) + ",\n";
        }
        source += "    CPS.STATUS;\nLOGIC BEGIN\n" + headLogic;
        for (int i = 0; i < 4 * statements; i += 4) {
            source += "    ASSIGN B" + std::to_string(i) + "+B" + std::to_string(i + 1) +
                      (negated ? "+~B" : "+B") + std::to_string(i + 2) + " TO B" +
                      std::to_string(i + 3) + ";\n";
        }
        return source + "END LOGIC\nEND PROGRAM\n";
    }
    // Writes NAME.ml2 and its listing NAME.mll in the folder and starts the simulator on it.
    void StartOn(const std::string& name, const std::string& source, const std::string& listing) {
        name_ = name;
        std::ofstream(Path(name + ".ml2")) << source;
        std::ofstream(Path(name + ".mll")) << listing;
        app = Started(Path(name + ".ml2"));
    }
    void CreateBook(MsgAnswer plotNumerics = MsgAnswer::No) {
        dialogs.Choose(Path(name_ + ".mll")).Answer(plotNumerics);
        WhenShown<frmListing>([](frmListing& listing) { listing.cmdSave_Click(); });
        Main().CreateBook();
    }

    std::string Path(const std::string& name) const {
        return folder.filePath(QString::fromStdString(name)).toStdString();
    }
    frmPrint* Book() { return dynamic_cast<frmPrint*>(Main().Book()); }
    // Runs the command and tells whether it built the book anew.
    template <class Command>
    bool Rebuilds(Command command) {
        QPointer<frmPrint> before = Book();
        command();
        Settle();
        return before.isNull() && Book() != nullptr && Book()->isVisible();
    }
    // The preview's page stands upright: the paper is portrait.
    bool Upright() { return Book()->PagePicture().height() > Book()->PagePicture().width(); }
    std::string Stored(const char* section, const char* key) const {
        return settings.GetSetting(section, key, "(none)");
    }
    // The last box shown, as title and prompt; empty without one.
    std::string LastBox() const {
        return dialogs.boxes().empty()
                   ? ""
                   : dialogs.boxes().back().title + ": " + dialogs.boxes().back().prompt;
    }

    QTemporaryDir folder;

private:
    std::string name_;
};

// The listing of a compiled application, as far as the book reads it.
inline constexpr const char* kListing =
    " *** Application Image Summary:\n"
    "Application Image CRC: 3fa9\n"
    "Application Image Checksum: 00c1\n";

}  // namespace veldra::testing
