#include "platform/hash_growth.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "platform/keyed_collection.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define VELDRA_LEAK_CHECKED 1
#endif
#endif

namespace {

// While set, every allocation of at least this many bytes fails, as when memory runs out
// in the middle of a load.
std::size_t failFrom = 0;

}  // namespace

void* operator new(std::size_t size) {
    if (failFrom != 0 && size >= failFrom) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace veldra {
namespace {

struct Named {
    std::string name;
};

// The index of a collection grows as bits are added; when its growth finds no memory the
// load fails, and the half-made program is let go of and the next one loaded.
TEST(HashGrowth, ACollectionWhoseIndexFoundNoRoomToGrowIsLetGoAndTheNextOneWorks) {
#ifdef VELDRA_LEAK_CHECKED
    // The index given up keeps its old room, on purpose: it is not a leak to report.
    __lsan::ScopedDisabler givenUpRoomIsKept;
#endif
    auto bits = std::make_unique<KeyedCollection<Named>>();
    const auto add = [&](const std::string& name) {
        bits->Add(std::make_unique<Named>(Named{name}), name);
    };
    for (int i = 0; i < 1000; ++i) {
        add("B" + std::to_string(i));
    }
    failFrom = 16 * 1024;  // the index's next growth; no bit asks for as much
    EXPECT_THROW(
        for (int i = 1000; i < 5000; ++i) { add("B" + std::to_string(i)); }, std::bad_alloc);
    failFrom = 0;
    bits.reset();

    KeyedCollection<Named> next;
    next.Add(std::make_unique<Named>(Named{"CPS.STATUS"}), "CPS.STATUS");
    EXPECT_NE(next.Item("cps.status"), nullptr);
}

}  // namespace
}  // namespace veldra
