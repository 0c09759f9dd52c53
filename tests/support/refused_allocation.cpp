#include "support/refused_allocation.h"

#include <cstdlib>
#include <new>

namespace veldra::testing {

Refusal refusal;

namespace {

void* Allocate(std::size_t size) {
    if (refusal.armed && size >= refusal.largeFrom && ++refusal.counted == refusal.failAt) {
        refusal.failed = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

}  // namespace
}  // namespace veldra::testing

void* operator new(std::size_t size) {
    return veldra::testing::Allocate(size);
}
void* operator new[](std::size_t size) {
    return veldra::testing::Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return veldra::testing::Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return operator new(size, std::nothrow);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
