#include "platform/qt/coalescing_frees.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace veldra {
namespace {

#if defined(__GLIBC__)
// The C library's own limit for chunks kept on its quick lists (64 * sizeof(size_t) / 4).
constexpr int kQuickListLimit = int(64 * sizeof(void*) / 4);
#endif

}  // namespace

CoalescingFrees::CoalescingFrees() {
#if defined(__GLIBC__)
    mallopt(M_MXFAST, 0);
#endif
}

CoalescingFrees::~CoalescingFrees() {
#if defined(__GLIBC__)
    mallopt(M_MXFAST, kQuickListLimit);
#endif
}

}  // namespace veldra
