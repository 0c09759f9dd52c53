#include "platform/load_under_way.h"

#include <new>

namespace veldra {
namespace {

int& LoadsUnderWay() {
    static int count = 0;
    return count;
}

int& CommandsUnderWay() {
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

CommandUnderWayScope::CommandUnderWayScope() {
    ++CommandsUnderWay();
}

CommandUnderWayScope::~CommandUnderWayScope() {
    --CommandsUnderWay();
}

bool EndsTheLoad(const std::exception& error) {
    return (LoadUnderWay() || CommandsUnderWay() > 0) &&
           dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
}

}  // namespace veldra
