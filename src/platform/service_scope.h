#pragma once

#include <utility>

namespace veldra {

// Installs one program-wide service of type Service for as long as the scope lives,
// then puts back the one that was installed before. Scopes nest; the newest wins.
template <class Service>
class ServiceScope {
public:
    explicit ServiceScope(Service& service) : previous_(std::exchange(Slot(), &service)) {}
    ~ServiceScope() { Slot() = previous_; }
    ServiceScope(const ServiceScope&) = delete;
    ServiceScope& operator=(const ServiceScope&) = delete;

    // The installed service, or null when none is.
    static Service* Current() { return Slot(); }

private:
    static Service*& Slot() {
        static Service* current = nullptr;
        return current;
    }

    Service* previous_;
};

}  // namespace veldra
