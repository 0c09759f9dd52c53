#pragma once

#include <exception>

namespace veldra {

// Whether a program is being loaded anywhere in the application. Memory running out in a
// load is answered by the load as a whole, which lets go of the half-made program, never
// by the member that was building it when it ran out.
bool LoadUnderWay();

// Marks a load as under way for as long as it lives.
class LoadUnderWayScope {
public:
    LoadUnderWayScope();
    ~LoadUnderWayScope();
    LoadUnderWayScope(const LoadUnderWayScope&) = delete;
    LoadUnderWayScope& operator=(const LoadUnderWayScope&) = delete;
};

// Whether the failure is memory running out in a load: it goes on to the load's end.
bool EndsTheLoad(const std::exception& error);

}  // namespace veldra
