#include "logic/mk_bk_ques.h"

#include <memory>

namespace veldra {

MkBkQue* MkBkQues::Add(std::string_view BitName) {
    return AddReported(BitName, [&] {
        auto entry = std::make_unique<MkBkQue>();
        entry->BitName = std::string(BitName);
        return entry;
    });
}

}  // namespace veldra
