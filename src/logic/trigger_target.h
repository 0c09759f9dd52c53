#pragma once

#include <string_view>

namespace veldra {

// The state tables or the numeric blocks of a program, as a trigger bit sees them: an
// edge of the bit marks every one whose trigger list names it, for the scan to
// evaluate once its queues are empty.
class TriggerTarget {
public:
    virtual ~TriggerTarget() = default;

    // Marks every table or block whose trigger list holds exactly this name.
    virtual void MarkTriggered(std::string_view BitName) = 0;
};

}  // namespace veldra
