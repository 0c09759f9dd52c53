#include "loader/coded_output_reader.h"

#include "loader/keywords.h"
#include "loader/load_context.h"
#include "loader/loader_host.h"
#include "platform/ascii_text.h"

namespace veldra {

bool CodedOutputReader::GetCodedOutputs(std::string_view piece) {
    if (KeyWord(piece)) {
        EndSection();
        return true;
    }
    context_.Guard([&] { Read(TrimBlanks(piece)); });
    return false;
}

void CodedOutputReader::Read(std::string_view t) {
    for (;;) {
        if (const std::size_t toggle = FindWord(t, "TOGGLE"); toggle != std::string_view::npos) {
            Flush();
            t = TrimBlanks(t.substr(toggle + 6));
            toggle_ = true;
            on_ = false;
            if_ = false;
            if (t.empty()) {
                return;
            }
            continue;
        }
        if (toggle_ && !on_) {
            if (t.empty()) {
                return;
            }
            // The text between ON and IF is not used.
            const std::size_t on = FindWord(t, "ON");
            groupName_ = std::string(TrimBlanks(t.substr(0, on)));
            t = on == std::string_view::npos ? std::string_view() : t.substr(on);
            on_ = true;
            if (t.empty()) {
                return;
            }
            continue;
        }
        if (on_ && !if_) {
            const std::size_t ifWord = FindWord(t, "IF");
            if (ifWord == std::string_view::npos) {
                return;
            }
            if_ = true;
            t = TrimBlanks(t.substr(ifWord + 2));
            if (t.empty()) {
                return;
            }
            continue;
        }
        if (if_ && !t.empty()) {
            if_ = ReadNames(t);
        }
        return;
    }
}

bool CodedOutputReader::ReadNames(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        const char c = at < text.size() ? text[at] : ',';
        if (c != ',' && c != ';') {
            continue;
        }
        std::string_view name = TrimBlanks(text.substr(start, at - start));
        if (name.starts_with("IF ")) {
            name = TrimBlanks(name.substr(3));  // each name of a list may repeat its IF
        }
        if (!name.empty() && pendingNames_.emplace(name).second) {
            pending_.emplace_back(name);
        }
        if (c == ';') {
            Flush();
            return false;
        }
        start = at + 1;
    }
    return true;
}

void CodedOutputReader::Flush() {
    for (const std::string& name : pending_) {
        context_.Host().AddBits(name, groupName_);
    }
    pending_.clear();
    pendingNames_.clear();
}

void CodedOutputReader::EndSection() {
    Flush();
    toggle_ = false;
    on_ = false;
    if_ = false;
}

}  // namespace veldra
