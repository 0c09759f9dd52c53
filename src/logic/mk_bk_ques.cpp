#include "logic/mk_bk_ques.h"

#include <memory>

#include "platform/ascii_text.h"

namespace veldra {

MkBkQue* MkBkQues::Add(std::string_view BitName) {
    return AddReported(BitName, [&] {
        auto entry = std::make_unique<MkBkQue>();
        entry->BitName = std::string(BitName);
        return entry;
    });
}

MkBkQue& MkBkQues::AddIfAbsent(std::string_view BitName) {
    if (MkBkQue* queued = items_.Item(BitName)) {
        return *queued;
    }
    auto entry = std::make_unique<MkBkQue>();
    entry->BitName = std::string(BitName);
    return items_.Add(std::move(entry), BitName);
}

void MkBkQues::RemoveIfPresent(std::string_view BitName) {
    // The scan takes its work from the front: look there before searching.
    if (items_.Count() > 0 && EqualsIgnoringCase(items_.KeyAt(1), BitName)) {
        items_.Remove(1);
    } else if (items_.Contains(BitName)) {
        items_.Remove(BitName);
    }
}

}  // namespace veldra
