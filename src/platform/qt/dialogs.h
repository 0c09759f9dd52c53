#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

class QString;
class QWidget;

namespace veldra {

// The kinds of file the user names in a file dialog: each opens where the last of its kind
// was chosen. The three PDFs of a program book (pages, index, plot) are one kind.
enum class FileKind {
    None,
    Source,
    Listing,
    State,
    View,
    Statements,
    Log,
    LadderPicture,
    BitIndex,
    Pdf
};

// A file dialog as a command asks for it. The filter is written "Text (*.txt)|*.txt",
// description and patterns in pairs.
struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::string title;
    std::string filter;
    std::string proposedName;
    FileKind kind = FileKind::None;
    // The folder the dialog opens in; empty, the desktop's choice.
    std::filesystem::path folder;
};

// Every question the windows put to the user, each answered before it returns. The real
// one shows modal dialogs; tests answer from a script, so that none waits on a person.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MsgAnswer MessageBox(const MsgBoxRequest& request) = 0;
    // The chosen file; nothing when the user cancels. A Save dialog neither asks before
    // replacing a file nor adds a suffix: the command decides both.
    virtual std::optional<std::filesystem::path> FileName(const FileDialogRequest& request) = 0;
    // The text typed; nothing when the user cancels.
    virtual std::optional<std::string> InputBox(const InputBoxRequest& request) = 0;
};

// Modal dialogs over the window given, or over the active window when none is.
class ModalDialogs final : public Dialogs {
public:
    explicit ModalDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    MsgAnswer MessageBox(const MsgBoxRequest& request) override;
    std::optional<std::filesystem::path> FileName(const FileDialogRequest& request) override;
    std::optional<std::string> InputBox(const InputBoxRequest& request) override;

private:
    QWidget* Parent() const;

    QWidget* parent_;
};

// A filter of the "Text (*.txt)|*.txt" form in the form a Qt file dialog takes: the
// patterns after each "|" are the ones that filter, whatever the description says.
QString QtFileFilter(std::string_view filter);

}  // namespace veldra
