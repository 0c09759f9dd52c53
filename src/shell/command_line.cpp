#include "shell/command_line.h"

#include <sstream>

#include "platform/ascii_text.h"

namespace veldra {
namespace {

bool IsQuoteOrBlank(char c) {
    return c == '"' || c == ' ';
}

// Bytes of non-ASCII letters are kept; only control characters and blanks go.
bool IsTrimmed(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 33 || code == 127;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsTrimmed(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsTrimmed(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string> Words(const char* text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

}  // namespace

std::string CleanCommandLine(std::string_view commandLine) {
    std::string_view text = Trimmed(commandLine);
    while (!text.empty()) {
        bool droppedFirst = false;
        if (IsQuoteOrBlank(text.front())) {
            text = Trimmed(text.substr(1));
            droppedFirst = true;
        }
        if (!text.empty() && IsQuoteOrBlank(text.back())) {
            text = Trimmed(text.substr(0, text.size() - 1));
            continue;
        }
        if (!droppedFirst) {
            break;
        }
    }
    return std::string(text);
}

StartRequest ReadStartRequest(std::string_view commandLine) {
    const std::string text = CleanCommandLine(commandLine);
    if (text.empty()) {
        return {};
    }
    if (UpperCased(std::string_view(text).substr(0, 4)) == "EDIT") {
        if (text.size() == 4) {
            return {StartRequest::Kind::EditAlone, {}};
        }
        if (text[4] == ' ') {
            return {StartRequest::Kind::Edit, std::string(Trimmed(text.substr(5)))};
        }
    }
    return {StartRequest::Kind::OpenSource, text};
}

std::vector<std::string> EditorCommand(const std::string& path, const char* visual,
                                       const char* editor) {
    std::vector<std::string> command;
    for (const char* chosen : {visual, editor}) {
        if (chosen != nullptr) {
            command = Words(chosen);
            if (!command.empty()) {
                break;
            }
        }
    }
    if (command.empty()) {
        command.push_back("xdg-open");
    }
    command.push_back(path);
    return command;
}

}  // namespace veldra
