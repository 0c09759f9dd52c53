#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace veldra {

// One bit list of an I/O board's body: its header word ("INPUT:" or "NV.INPUT:", or the
// OUTPUT forms, which read alike) and the names that follow, separated by "," and closed
// by ";", over as many lines as they need:
//   INPUT: TR_1T, TR_2T, SPARE,
//          SPARE, SIG_3;
// Every piece of the board's body is offered; the reader takes only those of its list.
class IOListReader {
public:
    using AddName = std::function<void(const std::string& name)>;

    // `header` is the plain header word; `nvHeader` its non-volatile form, tested first
    // because it holds the plain one.
    IOListReader(std::string_view header, std::string_view nvHeader)
        : header_(header), nvHeader_(nvHeader) {}

    // Reads one piece and hands each name of the list to `add`, in order, without blanks
    // at either end. True when the list is complete: closed by ";", or cut short by a
    // section keyword.
    bool Read(std::string_view piece, const AddName& add);

    // The board ended: a list left open is over.
    void Reset() { inList_ = false; }

private:
    std::string_view header_;
    std::string_view nvHeader_;
    bool inList_ = false;
};

}  // namespace veldra
