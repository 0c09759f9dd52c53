#pragma once

namespace veldra {

// While it lives, memory given back is merged with its free neighbours as it goes, not kept
// on the allocator's quick lists. Deleting tens of thousands of controls at once otherwise
// fills those lists, and the next large allocation sweeps all of them, each chunk by then
// long out of the processor's cache. For a scope that frees a great deal and allocates
// little; elsewhere the quick lists are the faster. Does nothing where the C library has no
// such lists.
class CoalescingFrees {
public:
    CoalescingFrees();
    ~CoalescingFrees();
    CoalescingFrees(const CoalescingFrees&) = delete;
    CoalescingFrees& operator=(const CoalescingFrees&) = delete;
};

}  // namespace veldra
