#pragma once

#include <algorithm>
#include <vector>

namespace veldra {

// Installs one program-wide service of type Service for as long as the scope lives. The
// newest scope still alive wins, whatever order scopes end in: a service that goes
// while a newer one lives leaves the newer one installed, and the last to go leaves none.
template <class Service>
class ServiceScope {
public:
    explicit ServiceScope(Service& service) : service_(service) { Live().push_back(this); }
    ~ServiceScope() {
        std::vector<ServiceScope*>& live = Live();
        live.erase(std::find(live.begin(), live.end(), this));
    }
    ServiceScope(const ServiceScope&) = delete;
    ServiceScope& operator=(const ServiceScope&) = delete;

    // The installed service, or null when none is.
    static Service* Current() {
        const std::vector<ServiceScope*>& live = Live();
        return live.empty() ? nullptr : &live.back()->service_;
    }

private:
    static std::vector<ServiceScope*>& Live() {
        static std::vector<ServiceScope*> live;
        return live;
    }

    Service& service_;
};

}  // namespace veldra
