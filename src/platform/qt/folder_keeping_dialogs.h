#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/qt/dialogs.h"

namespace veldra {

class Settings;

// The windows' dialogs as a desktop application's user expects them: a file dialog opens
// in the folder last used for its kind of file, else in the folder of the program last
// opened, and the folder chosen is kept in the settings ("Folders") for the next time,
// this run or the next. Message and input boxes go through unchanged.
class FolderKeepingDialogs final : public Dialogs {
public:
    FolderKeepingDialogs(Dialogs& dialogs, Settings& settings)
        : dialogs_(dialogs), settings_(settings) {}

    MsgAnswer MessageBox(const MsgBoxRequest& request) override;
    // A request that names its folder keeps it.
    std::optional<std::filesystem::path> FileName(const FileDialogRequest& request) override;
    std::optional<std::string> InputBox(const InputBoxRequest& request) override;

private:
    Dialogs& dialogs_;
    Settings& settings_;
};

// Keeps the folder of `file` as the last used for its kind: a program opened from the
// command line or dropped on the main window counts as much as one chosen in a dialog.
void KeepFolder(Settings& settings, FileKind kind, const std::filesystem::path& file);

// Where a dialog for that kind of file opens: the folder last used for it, else the
// folder of the program last opened; empty when neither is known or still there.
std::filesystem::path StartFolder(const Settings& settings, FileKind kind);

}  // namespace veldra
