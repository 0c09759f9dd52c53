#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veldra {

// What the command line asks of the simulator when it starts.
struct StartRequest {
    enum class Kind {
        ChooseSource,  // nothing named: the Open dialog comes first
        OpenSource,    // load `path` without a question
        Edit,          // "EDIT path": hand `path` to the user's editor, then end
        EditAlone,     // "EDIT" and nothing after it: refused, then end
    };
    Kind kind = Kind::ChooseSource;
    std::string path;
};

// The command line with enclosing double quotes and blanks stripped, pass after pass, and
// control characters trimmed from both ends. Letter case and non-ASCII letters are kept:
// paths here are case-sensitive and may be in any script.
std::string CleanCommandLine(std::string_view commandLine);

// The request of a raw command line. Only "EDIT" alone or "EDIT" and a blank, in any
// letter case, is the edit form, so that "editor_demo.ml2" or "edits/x.ml2" load.
StartRequest ReadStartRequest(std::string_view commandLine);

// The program and arguments that open `path` in the user's editor: $VISUAL, else $EDITOR
// (each split at blanks, so "code -w" works), else the desktop's default opener.
std::vector<std::string> EditorCommand(const std::string& path, const char* visual,
                                       const char* editor);

}  // namespace veldra
