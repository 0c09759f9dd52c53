#include "platform/qt/folder_keeping_dialogs.h"

#include <string_view>
#include <system_error>

#include "platform/settings.h"

namespace veldra {
namespace {

constexpr std::string_view kSection = "Folders";

std::string_view KeyOf(FileKind kind) {
    switch (kind) {
        case FileKind::None:
            return {};
        case FileKind::Source:
            return "Source";
        case FileKind::Listing:
            return "Listing";
        case FileKind::State:
            return "State";
        case FileKind::View:
            return "View";
        case FileKind::Statements:
            return "Statements";
        case FileKind::Log:
            return "Log";
        case FileKind::LadderPicture:
            return "LadderPicture";
        case FileKind::BitIndex:
            return "BitIndex";
        case FileKind::Pdf:
            return "PDF";
    }
    return {};
}

// The folder kept for the kind when it still stands; empty otherwise.
std::filesystem::path KeptFolder(const Settings& settings, FileKind kind) {
    const std::string_view key = KeyOf(kind);
    if (key.empty()) {
        return {};
    }
    const std::filesystem::path folder = settings.GetSetting(kSection, key);
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error)) {
        return {};
    }
    return folder;
}

}  // namespace

void KeepFolder(Settings& settings, FileKind kind, const std::filesystem::path& file) {
    const std::string_view key = KeyOf(kind);
    if (key.empty() || file.empty()) {
        return;
    }
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(file, error);
    if (error) {
        return;
    }
    settings.SaveSetting(kSection, key, whole.parent_path().string());
}

std::filesystem::path StartFolder(const Settings& settings, FileKind kind) {
    std::filesystem::path folder = KeptFolder(settings, kind);
    if (folder.empty() && kind != FileKind::Source) {
        folder = KeptFolder(settings, FileKind::Source);
    }
    return folder;
}

MsgAnswer FolderKeepingDialogs::MessageBox(const MsgBoxRequest& request) {
    return dialogs_.MessageBox(request);
}

std::optional<std::filesystem::path> FolderKeepingDialogs::FileName(
    const FileDialogRequest& request) {
    FileDialogRequest asked = request;
    if (asked.folder.empty()) {
        asked.folder = StartFolder(settings_, asked.kind);
    }
    std::optional<std::filesystem::path> chosen = dialogs_.FileName(asked);
    if (chosen) {
        KeepFolder(settings_, asked.kind, *chosen);
    }
    return chosen;
}

std::optional<std::string> FolderKeepingDialogs::InputBox(const InputBoxRequest& request) {
    return dialogs_.InputBox(request);
}

}  // namespace veldra
