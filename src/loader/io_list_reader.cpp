#include "loader/io_list_reader.h"

#include "loader/keywords.h"

namespace veldra {

bool IOListReader::Read(std::string_view piece, const AddName& add) {
    std::string_view s = TrimBlanks(piece);
    if (KeyWord(s)) {
        inList_ = false;
        return true;
    }
    std::string rest;
    if (!inList_) {
        for (std::string_view header : {nvHeader_, header_}) {
            if (Contains(s, header)) {
                rest = After(s, header);
                inList_ = true;
                break;
            }
        }
        s = TrimBlanks(rest);
    }
    if (!inList_) {
        return false;
    }
    std::string name;
    const auto flush = [&] {
        const std::string_view trimmed = TrimBlanks(name);
        if (!trimmed.empty()) {
            add(std::string(trimmed));
        }
        name.clear();
    };
    for (const char c : s) {
        if (c == ',') {
            flush();
        } else if (c == ';') {
            flush();
            inList_ = false;
            return true;
        } else {
            name += c;
        }
    }
    // The last name of a line needs no ",": the line's end ends it. A piece cut at ":"
    // is another list's header word, never a name.
    if (!s.ends_with(':')) {
        flush();
    }
    return false;
}

}  // namespace veldra
