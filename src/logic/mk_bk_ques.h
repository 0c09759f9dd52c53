#pragma once

#include <string>
#include <string_view>

#include "logic/model_collection.h"

namespace veldra {

// One queued name with its two contact flags: a statement reading a bit through a
// back (negated) or front contact, a statement waiting in the break or make queue, or
// a timer bit waiting to be cancelled or started (IsFront: the value it will set).
struct MkBkQue {
    std::string BitName;
    bool IsBack = false;
    bool IsFront = false;
};

// A keyed, ordered queue of names, each present at most once; names compare
// without regard to case. Serves each bit's list of reading statements and the
// scan's break, make and timer queues.
class MkBkQues : public ModelCollection<MkBkQue> {
public:
    // Appends the name with both flags cleared and returns its entry. A name already
    // present is refused with the model's error question and yields nothing.
    MkBkQue* Add(std::string_view BitName);

    // The queue's discipline: a name is queued at most once, and taking out a name that
    // is not queued is nothing to report.
    MkBkQue& AddIfAbsent(std::string_view BitName);
    void RemoveIfPresent(std::string_view BitName);
};

}  // namespace veldra
