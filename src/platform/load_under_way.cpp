#include "platform/load_under_way.h"

#include <new>

namespace veldra {
namespace {

int& LoadsUnderWay() {
    static int count = 0;
    return count;
}

}  // namespace

bool LoadUnderWay() {
    return LoadsUnderWay() > 0;
}

LoadUnderWayScope::LoadUnderWayScope() {
    ++LoadsUnderWay();
}

LoadUnderWayScope::~LoadUnderWayScope() {
    --LoadsUnderWay();
}

bool EndsTheLoad(const std::exception& error) {
    return LoadUnderWay() && dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
}

}  // namespace veldra
